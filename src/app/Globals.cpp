#include "app/Globals.h"

qint16 giPrnResult = 0;
QString gsPrnName;
QString gsDefPrnName;
qint16 giFormKind = 0;
QString gs등록번호;
QString gs사업장명칭;
