#include "data/Globals.h"

QString gs등록번호;
QString gs사업장명칭;

FarmHeader farmHeader()
{
    return {gs사업장명칭, gs등록번호};
}

void setFarmHeader(const FarmHeader& header)
{
    gs사업장명칭 = header.name;
    gs등록번호 = header.registration;
}
