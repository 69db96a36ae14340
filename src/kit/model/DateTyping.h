#pragma once
// How a date typed by hand into a date picker is read, with no widget: a whole date in one
// go (20100215, 2010-02-15, 2010.2.15, 2010/2/15, 2010 2 15, 2010년 2월 15일), or the digits of
// one part (year, month or day) of the date the picker shows. A date that cannot exist is
// refused, never turned into another one.
#include <QDate>
#include <QString>

namespace datetyping {

enum class Verdict {
    Date,        // a real date: `date`
    Impossible,  // the parts name no day of the calendar (2010-02-30, 20101301, 2011-02-29)
    Unfinished,  // still being typed: more characters may make it a date
    Unreadable,  // no date however it goes on
};

struct Reading {
    Verdict verdict = Verdict::Unfinished;
    QDate date;  // with Verdict::Date
};

// Reads `typed`. While `finished` is false (the farmer is still typing) a text that may still
// grow into a date is Unfinished, and only a complete one is judged Impossible; once typing
// has ended every text is judged as it stands.
Reading readTypedDate(const QString& typed, bool finished);

enum class DatePart { Year, Month, Day };

// The digits typed over one part of `shown`: a four-digit year, or a month or day of one or
// two digits, with the other parts kept. Anything else is Unreadable.
Reading readTypedPart(const QDate& shown, DatePart part, const QString& digits);
// `shown` as yyyy-MM-dd with the typed part put in, for the note on an impossible one
// ("2010-02-31").
QString typedPartText(const QDate& shown, DatePart part, const QString& digits);

// The notes a refused date picker shows.
QString impossibleDateNote(const QString& typed);
QString unreadableDateNote(const QString& typed);
QString outOfRangeNote(const QString& typed, const QDate& first, const QDate& last);

}  // namespace datetyping
