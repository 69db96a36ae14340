#include "books/model/FarmInfoRules.h"

namespace books {

CheckResult checkFarmInfo(const FarmInfo& f)
{
    if (f.등록번호.trimmed().isEmpty())
        return entry::missing(QStringLiteral("등록번호"), QStringLiteral("축산업등록번호를 입력해 주세요."));
    if (f.사업장명칭.trimmed().isEmpty())
        return entry::missing(QStringLiteral("사업장명칭"), QStringLiteral("사업장명칭을 입력해 주세요."));
    return std::nullopt;
}

}  // namespace books
