#include "kit/model/DateTyping.h"

#include "data/DateText.h"

#include <QRegularExpression>
#include <QStringList>

namespace datetyping {

namespace {

bool allDigits(const QString& s)
{
    for (const QChar c : s)
        if (c < u'0' || c > u'9') return false;
    return !s.isEmpty();
}

Reading judge(int year, int month, int day)
{
    const QDate d(year, month, day);
    if (d.isValid()) return {Verdict::Date, d};
    return {Verdict::Impossible, {}};
}

}  // namespace

Reading readTypedDate(const QString& typed, bool finished)
{
    if (finished) {
        // Once typing has ended the text is judged as the import judges a cell.
        const datetext::DateRead r = datetext::readDate(typed);
        switch (r.verdict) {
        case datetext::Verdict::Date: return {Verdict::Date, r.date};
        case datetext::Verdict::Impossible: return {Verdict::Impossible, {}};
        case datetext::Verdict::Unreadable: return {Verdict::Unreadable, {}};
        }
    }
    // While typing: whether the text may still grow into a date.
    const Reading unfinished{Verdict::Unfinished, {}};
    const QString text = typed.trimmed();
    if (text.isEmpty()) return unfinished;

    if (allDigits(text)) {
        // yyyymmdd
        if (text.size() > 8) return {Verdict::Unreadable, {}};
        if (text.size() < 8) return unfinished;
        return judge(text.left(4).toInt(), text.mid(4, 2).toInt(), text.mid(6, 2).toInt());
    }

    // Parts between separators; the Korean 년 월 일 count as separators too, and one at the
    // end ("2010. 2. 15.") changes nothing.
    static const QRegularExpression allowed(QStringLiteral("^[-./\\s년월일0-9]+$"));
    static const QRegularExpression separators(QStringLiteral("[-./\\s년월일]+"));
    if (!allowed.match(text).hasMatch()) return {Verdict::Unreadable, {}};
    QStringList parts = text.split(separators);
    if (!parts.isEmpty() && parts.last().isEmpty()) parts.removeLast();
    if (parts.isEmpty() || parts.size() > 3) return {Verdict::Unreadable, {}};
    for (const QString& p : parts)
        if (!allDigits(p)) return {Verdict::Unreadable, {}};
    const QString& year = parts[0];
    if (year.size() > 4 || (year.size() < 4 && parts.size() > 1)) return {Verdict::Unreadable, {}};
    for (qsizetype i = 1; i < parts.size(); ++i)
        if (parts[i].size() > 2) return {Verdict::Unreadable, {}};
    if (parts.size() < 3) return unfinished;

    const int month = parts[1].toInt();
    // Separators the reader refuses (a mix) stay refused however the text goes on.
    if (datetext::readDate(text).verdict == datetext::Verdict::Unreadable) return {Verdict::Unreadable, {}};
    const Reading r = judge(year.toInt(), month, parts[2].toInt());
    if (r.verdict == Verdict::Date) return r;
    // A one-digit day may still be the start of another ("2010-2-0" on the way to 05), unless
    // the month already rules every day out.
    const bool monthImpossible = month == 0 || month > 12;
    return parts[2].size() == 2 || monthImpossible ? r : unfinished;
}

Reading readTypedPart(const QDate& shown, DatePart part, const QString& digits)
{
    if (!shown.isValid() || !allDigits(digits)) return {Verdict::Unreadable, {}};
    const int n = digits.toInt();
    switch (part) {
    case DatePart::Year:
        if (digits.size() != 4) return {Verdict::Unreadable, {}};
        return judge(n, shown.month(), shown.day());
    case DatePart::Month:
        if (digits.size() > 2) return {Verdict::Unreadable, {}};
        return judge(shown.year(), n, shown.day());
    case DatePart::Day:
        if (digits.size() > 2) return {Verdict::Unreadable, {}};
        return judge(shown.year(), shown.month(), n);
    }
    return {Verdict::Unreadable, {}};
}

QString typedPartText(const QDate& shown, DatePart part, const QString& digits)
{
    const int n = digits.toInt();
    const int y = part == DatePart::Year ? n : shown.year();
    const int m = part == DatePart::Month ? n : shown.month();
    const int d = part == DatePart::Day ? n : shown.day();
    return QStringLiteral("%1-%2-%3").arg(y, 4, 10, QChar(u'0')).arg(m, 2, 10, QChar(u'0')).arg(d, 2, 10, QChar(u'0'));
}

QString impossibleDateNote(const QString& typed)
{
    return QStringLiteral("없는 날짜입니다: %1. 날짜를 다시 입력해 주세요.").arg(typed.trimmed());
}

QString unreadableDateNote(const QString& typed)
{
    return QStringLiteral("날짜로 읽을 수 없습니다: %1. 20100215나 2010-02-15처럼 입력해 주세요.").arg(typed.trimmed());
}

QString outOfRangeNote(const QString& typed, const QDate& first, const QDate& last)
{
    return QStringLiteral("입력할 수 없는 날짜입니다: %1. %2부터 %3까지의 날짜를 입력해 주세요.")
        .arg(typed.trimmed(), first.toString(QStringLiteral("yyyy-MM-dd")),
             last.toString(QStringLiteral("yyyy-MM-dd")));
}

}  // namespace datetyping
