#include "data/Values.h"

#include <QRegularExpression>
#include <cmath>

QString NullTrim(const QVariant& v)
{
    if (!v.isValid() || v.isNull()) return QString();
    if (v.typeId() == QMetaType::Double) {
        const double d = v.toDouble();
        if (std::isfinite(d) && d == std::floor(d) && std::fabs(d) < 1e15)
            return QString::number(static_cast<qint64>(d));
        return QString::number(d, 'g', 15);
    }
    return v.toString().trimmed();
}

namespace datenum {

qint64 fromDate(const QDate& d)
{
    if (!d.isValid()) return 0;
    return qint64(d.year()) * 10000 + d.month() * 100 + d.day();
}

QDate toDate(qint64 n)
{
    if (n <= 0) return QDate();
    return QDate(int(n / 10000), int(n / 100 % 100), int(n % 100));
}

QDate fromDashed(const QString& text)
{
    return QDate::fromString(text.trimmed(), QStringLiteral("yyyy-MM-dd"));
}

QString digits(qint64 n, const QString& pattern)
{
    QString num = QString::number(n < 0 ? -n : n);
    QString out = pattern;
    int di = num.size() - 1;
    for (int i = out.size() - 1; i >= 0; --i) {
        if (out[i] != u'0') continue;
        out[i] = di >= 0 ? num[di--] : QChar(u'0');
    }
    if (di >= 0) out.prepend(num.left(di + 1));  // more digits than the pattern holds
    if (n < 0) out.prepend(u'-');
    return out;
}

QString longText(qint64 n)
{
    return n > 0 ? digits(n, QStringLiteral("0000년 00월 00일")) : QString();
}

QDate fromLongText(const QString& text)
{
    static const QRegularExpression re(QStringLiteral("^\\s*(\\d{1,4})년\\s*(\\d{1,2})월\\s*(\\d{1,2})일\\s*$"));
    const auto m = re.match(text);
    if (!m.hasMatch()) return QDate();
    return QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
}

}  // namespace datenum

QString formatDate(const QDate& d, const QString& pattern)
{
    if (!d.isValid()) return QString();
    QString out;
    for (int i = 0; i < pattern.size();) {
        const QStringView rest = QStringView(pattern).mid(i);
        if (rest.startsWith(u"yyyy")) {
            out += QStringLiteral("%1").arg(d.year(), 4, 10, QChar(u'0'));
            i += 4;
        } else if (rest.startsWith(u"yy")) {
            out += QStringLiteral("%1").arg(d.year() % 100, 2, 10, QChar(u'0'));
            i += 2;
        } else if (rest.startsWith(u"mm")) {
            out += QStringLiteral("%1").arg(d.month(), 2, 10, QChar(u'0'));
            i += 2;
        } else if (rest.startsWith(u"dd")) {
            out += QStringLiteral("%1").arg(d.day(), 2, 10, QChar(u'0'));
            i += 2;
        } else {
            out += pattern[i];
            ++i;
        }
    }
    return out;
}

QDate addMonthsClamped(const QDate& d, int months)
{
    return d.addMonths(months);
}

int ageInMonths(const QDate& birth, const QDate& today)
{
    return (today.year() - birth.year()) * 12 + today.month() - birth.month();
}

namespace {
bool isAsciiDigit(const QString& t, qsizetype i)
{
    return i < t.size() && t[i] >= u'0' && t[i] <= u'9';
}

// Strips blanks and thousands separators; empty when the text is no number: a sign, digits
// (grouped by commas in threes after one to three leading digits) and a decimal part, at least
// one digit in all. Scanned by hand: every number box of every save and every imported row
// goes through here.
QString normalizedNumber(const QString& text)
{
    const QString t = text.trimmed();
    const qsizetype n = t.size();
    qsizetype i = 0;
    if (i < n && (t[i] == u'+' || t[i] == u'-')) ++i;
    const qsizetype start = i;
    while (isAsciiDigit(t, i)) ++i;
    const qsizetype lead = i - start;
    bool grouped = false;
    if (i < n && t[i] == u',') {
        if (lead < 1 || lead > 3) return QString();
        while (i < n && t[i] == u',') {
            if (!isAsciiDigit(t, i + 1) || !isAsciiDigit(t, i + 2) || !isAsciiDigit(t, i + 3) || isAsciiDigit(t, i + 4))
                return QString();
            i += 4;
        }
        grouped = true;
    }
    bool hasDigit = lead > 0;
    if (i < n && t[i] == u'.') {
        for (++i; isAsciiDigit(t, i); ++i) hasDigit = true;
    }
    if (i != n || !hasDigit) return QString();
    if (!grouped) return t;
    QString bare = t;
    bare.remove(u',');
    return bare;
}
}  // namespace

bool isNumeric(const QString& text)
{
    // Hundreds of digits read as infinity, which the database stores and can never compare
    // or format again: no value a farm records comes near a trillion.
    const QString bare = normalizedNumber(text);
    if (bare.isEmpty()) return false;
    const double value = bare.toDouble();
    return std::isfinite(value) && std::abs(value) < kLargestNumber;
}

double numericValue(const QString& text)
{
    return isNumeric(text) ? normalizedNumber(text).toDouble() : 0.0;
}

QString formatNumber(double value, const QString& pattern)
{
    const double rounded = std::round(value);  // half away from zero
    qint64 whole = static_cast<qint64>(rounded);
    const bool neg = whole < 0;
    QString s = QString::number(neg ? -whole : whole);
    if (pattern.contains(u',')) {
        for (int i = s.size() - 3; i > 0; i -= 3) s.insert(i, u',');
    }
    return neg ? QStringLiteral("-") + s : s;
}
