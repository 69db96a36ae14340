#include "app/Globals.h"

qint16 giFormKind = 0;
QString gs등록번호;
QString gs사업장명칭;
