#include "app/Globals.h"

qint16 giPrnResult = 0;
QString gsPrnName;
QString gsDefPrnName;
QString gs등록번호;
QString gs사업장명칭;
