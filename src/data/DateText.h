#pragma once
// The one reader of a date written as text: the date field once typing has ended, the import's
// cells and the export's shown cells all read through it, each with the forms it takes.
#include <QDate>
#include <QStringView>

namespace datetext {

enum class Verdict {
    Date,        // a real date
    Impossible,  // the parts name no day of the calendar (2010-02-30, 20101301)
    Unreadable,  // no date in any accepted form
};

struct DateRead {
    Verdict verdict = Verdict::Unreadable;
    QDate date;  // with Verdict::Date
};

enum class DateForms {
    // What a farmer types or a farm's file holds: 20100215; 2010-02-15, 2010.2.15, 2010/2/15,
    // 2010 2 15, 2010. 2. 15., 2010년 2월 15일 (a four-digit year, then a month and a day of one
    // or two digits, separated by one of - . / or blanks throughout, or by 년 and 월; blanks
    // around a separator and any separator at the end allowed). A mix (2010-02/15) is refused:
    // which of its parts was meant is a guess.
    Typed,
    // What a list shows, and nothing else: 2010-02-15 and 2010년 2월 15일 (blanks after 년 and 월
    // optional). A shown 20100215 or 2010/02/15 is an identifier or a note, not a date.
    Shown,
};

// Reads `text` (blanks around it ignored) in `forms`.
DateRead readDate(QStringView text, DateForms forms = DateForms::Typed);

}  // namespace datetext
