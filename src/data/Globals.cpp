#include "data/Globals.h"

QString gs등록번호;
QString gs사업장명칭;
