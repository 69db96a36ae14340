#include "import/model/ImportValues.h"

#include "data/DateText.h"
#include "data/Values.h"

namespace import {
namespace {
// The range of the date pickers of every form.
const QDate kFirstDay(1752, 9, 14);
const QDate kLastDay(9999, 12, 31);

QDate dateOf(int y, int m, int d)
{
    const QDate date(y, m, d);
    return date.isValid() && date >= kFirstDay && date <= kLastDay ? date : QDate();
}

// The text without blanks, lower case: "암 소" and "F" are read like "암소" and "f".
QString folded(const QString& cell)
{
    QString s;
    s.reserve(cell.size());
    for (QChar c : cell)
        if (!c.isSpace()) s += c.toLower();
    return s;
}

std::optional<int> oneOf(const QString& cell, std::initializer_list<const char16_t*> first,
                         std::initializer_list<const char16_t*> second)
{
    const QString s = folded(cell);
    for (const char16_t* w : first)
        if (s == QStringView(w)) return 0;
    for (const char16_t* w : second)
        if (s == QStringView(w)) return 1;
    return std::nullopt;
}
}  // namespace

QDate parseDate(const QString& cell)
{
    const datetext::DateRead r = datetext::readDate(cell);
    return r.verdict == datetext::Verdict::Date ? dateOf(r.date.year(), r.date.month(), r.date.day()) : QDate();
}

std::optional<qint64> dateNumberOf(const QString& cell)
{
    if (cell.trimmed().isEmpty()) return 0;
    const QDate d = parseDate(cell);
    if (!d.isValid()) return std::nullopt;
    return datenum::fromDate(d);
}

bool hasLostDigits(const QString& cell)
{
    const QString s = cell.trimmed();
    qsizetype i = 0;
    const qsizetype n = s.size();
    auto digits = [&] {
        const qsizetype from = i;
        while (i < n && s[i] >= u'0' && s[i] <= u'9') ++i;
        return i > from;
    };
    if (!digits()) return false;
    if (i < n && s[i] == u'.' && (++i, !digits())) return false;
    if (i >= n || (s[i] != u'E' && s[i] != u'e')) return false;
    ++i;
    if (i < n && s[i] == u'+') ++i;
    return digits() && i == n;
}

std::optional<int> parseSex(const QString& cell)
{
    return oneOf(cell, {u"암", u"암소", u"암컷", u"f", u"female", u"빈우"},
                 {u"수", u"수소", u"수컷", u"거세", u"거세우", u"거세소", u"m", u"male"});
}

std::optional<int> parseBreed(const QString& cell)
{
    return oneOf(cell, {u"순종", u"한우"}, {u"교잡종", u"교잡", u"잡종", u"교잡우"});
}

std::optional<int> parsePregnancy(const QString& cell)
{
    return oneOf(cell, {u"가", u"가(o)", u"o", u"○", u"임신", u"양성", u"+"},
                 {u"부", u"부(x)", u"x", u"×", u"미임신", u"공태", u"음성", u"-"});
}

std::optional<int> parseCalfSex(const QString& cell)
{
    return parseSex(cell);
}

}  // namespace import
