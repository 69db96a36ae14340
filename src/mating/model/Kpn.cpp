#include "mating/model/Kpn.h"

namespace kpn {

QString digitsOf(const QString& typed)
{
    QString s = typed.trimmed();
    if (s.startsWith(QLatin1String("KPN"), Qt::CaseInsensitive)) {
        s = s.mid(3);
        if (s.startsWith(u'-') || s.startsWith(u' ')) s = s.mid(1);
    }
    if (s.isEmpty() || s.size() > kMaxDigits) return {};
    for (const QChar c : s)
        if (c < u'0' || c > u'9') return {};
    return s;
}

QString shown(const QString& digits)
{
    return digits.isEmpty() ? QString() : QStringLiteral("KPN") + digits;
}

}  // namespace kpn
