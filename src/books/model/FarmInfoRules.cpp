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

CheckResult checkSupportContact(const SupportContact& c)
{
    const QString tel = c.전화번호.trimmed();
    if (tel.isEmpty()) return std::nullopt;
    bool digit = false, dialable = true;
    for (const QChar ch : tel) {
        if (ch >= u'0' && ch <= u'9')
            digit = true;
        else if (!QStringLiteral(" -+()").contains(ch))
            dialable = false;
    }
    if (digit && dialable) return std::nullopt;
    return EntryCheck{QStringLiteral("연락처 전화번호는 숫자와 '-'로 입력해 주세요."), QStringLiteral("값 부정"),
                      MsgIcon::Question, QStringLiteral("연락처전화")};
}

}  // namespace books
