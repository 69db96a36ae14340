#include "data/DateText.h"

namespace datetext {
namespace {

bool isDigit(QChar c)
{
    return c.unicode() >= u'0' && c.unicode() <= u'9';
}

bool isSeparator(QChar c)
{
    return c == u'-' || c == u'.' || c == u'/' || c == u'년' || c == u'월' || c == u'일' || c.isSpace();
}

DateRead judge(int year, int month, int day)
{
    const QDate d(year, month, day);
    if (d.isValid()) return {Verdict::Date, d};
    return {Verdict::Impossible, {}};
}

// Up to `most` digits at `i`, at least `least`; -1 when fewer (i is left after them).
int digits(QStringView s, qsizetype& i, int least, int most)
{
    int value = 0, count = 0;
    for (; count < most && i < s.size() && isDigit(s[i]); ++count, ++i) value = value * 10 + (s[i].unicode() - u'0');
    return count >= least ? value : -1;
}

bool expect(QStringView s, qsizetype& i, QChar c)
{
    if (i >= s.size() || s[i] != c) return false;
    ++i;
    return true;
}

void skipBlanks(QStringView s, qsizetype& i)
{
    while (i < s.size() && s[i].isSpace()) ++i;
}

// What separates two parts, blanks aside: "" (blanks only), or one of - . / 년 월 일 (repeated
// or not); 0 for a mix, which no form has.
QChar separatorKind(QStringView run)
{
    QChar kind(u' ');
    for (const QChar c : run) {
        if (c.isSpace() || c == kind) continue;
        if (kind != u' ') return QChar();
        kind = c;
    }
    return kind;
}

DateRead readTyped(QStringView s)
{
    int parts[3] = {0, 0, 0};
    qsizetype lengths[3] = {0, 0, 0};
    QChar kinds[2];
    int count = 0;
    bool separated = false;
    qsizetype i = 0;
    while (i < s.size()) {
        if (count == 3) return {};
        const qsizetype from = i;
        while (i < s.size() && isDigit(s[i])) {
            if (i - from == 8) return {};  // no part is that long
            parts[count] = parts[count] * 10 + (s[i].unicode() - u'0');
            ++i;
        }
        lengths[count] = i - from;
        if (lengths[count] == 0) return {};
        const qsizetype separator = i;
        while (i < s.size() && isSeparator(s[i])) ++i;
        if (i < s.size() && i == separator) return {};  // neither a digit nor a separator
        if (count < 2) kinds[count] = separatorKind(s.mid(separator, i - separator));
        separated = separated || i > separator;
        ++count;
    }
    if (count == 1 && lengths[0] == 8 && !separated)
        return judge(parts[0] / 10000, parts[0] / 100 % 100, parts[0] % 100);
    if (count != 3 || lengths[0] != 4 || lengths[1] > 2 || lengths[2] > 2) return {};
    // One separator throughout (2010-02/15 is no form), or 년 then 월; anything may close it.
    const bool korean = kinds[0] == u'년' && kinds[1] == u'월';
    const bool same = kinds[0] == kinds[1] && QStringView(u" -./").contains(kinds[0]) && !kinds[0].isNull();
    if (!korean && !same) return {};
    return judge(parts[0], parts[1], parts[2]);
}

DateRead readShown(QStringView s)
{
    qsizetype i = 0;
    int month = -1, day = -1;
    const int year = digits(s, i, 4, 4);
    if (year < 0 || i >= s.size()) return {};
    if (s[i] == u'-') {
        ++i;
        month = digits(s, i, 2, 2);
        if (month < 0 || !expect(s, i, u'-')) return {};
        day = digits(s, i, 2, 2);
    } else {
        if (!expect(s, i, u'년')) return {};
        skipBlanks(s, i);
        month = digits(s, i, 1, 2);
        if (month < 0 || !expect(s, i, u'월')) return {};
        skipBlanks(s, i);
        day = digits(s, i, 1, 2);
        if (day < 0 || !expect(s, i, u'일')) return {};
    }
    if (day < 0 || i != s.size()) return {};
    return judge(year, month, day);
}

}  // namespace

DateRead readDate(QStringView text, DateForms forms)
{
    const QStringView s = text.trimmed();
    if (s.isEmpty()) return {};
    return forms == DateForms::Shown ? readShown(s) : readTyped(s);
}

}  // namespace datetext
