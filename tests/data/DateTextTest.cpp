// The one reader of dates written as text, and the three that use it: the date field once
// typing has ended, the import's cells and the export's shown cells. One table says which
// forms each takes.
#include "data/DateText.h"
#include "import/model/ImportValues.h"
#include "kit/model/DateTyping.h"
#include "sheets/model/TableExport.h"

#include <gtest/gtest.h>

using datetext::DateForms;
using datetext::Verdict;

namespace {

const char* nameOf(Verdict v)
{
    switch (v) {
    case Verdict::Date: return "Date";
    case Verdict::Impossible: return "Impossible";
    case Verdict::Unreadable: return "Unreadable";
    }
    return "?";
}

const char* nameOf(datetyping::Verdict v)
{
    switch (v) {
    case datetyping::Verdict::Date: return "Date";
    case datetyping::Verdict::Impossible: return "Impossible";
    case datetyping::Verdict::Unreadable: return "Unreadable";
    case datetyping::Verdict::Unfinished: return "Unfinished";
    }
    return "?";
}

}  // namespace

TEST(DateText, OneTableOfFormsForTheFieldTheImportAndTheExport)
{
    const QDate feb15(2010, 2, 15);
    const struct {
        const char* text;
        Verdict typed;  // the date field and the import
        Verdict shown;  // the export
        QDate date;     // when a Date
    } cases[] = {
        // Both: the forms a list shows.
        {"2010-02-15", Verdict::Date, Verdict::Date, feb15},
        {"  2010-02-15 ", Verdict::Date, Verdict::Date, feb15},
        {"2010년 2월 15일", Verdict::Date, Verdict::Date, feb15},
        {"2010년02월15일", Verdict::Date, Verdict::Date, feb15},
        {"2024-02-29", Verdict::Date, Verdict::Date, QDate(2024, 2, 29)},
        // Typed only: a shown 20100215 is an identifier, a shown 2010/2/15 a note.
        {"20100215", Verdict::Date, Verdict::Unreadable, feb15},
        {"2010-2-15", Verdict::Date, Verdict::Unreadable, feb15},
        {"2010.2.15", Verdict::Date, Verdict::Unreadable, feb15},
        {"2010. 2. 15.", Verdict::Date, Verdict::Unreadable, feb15},
        {"2010/02/15", Verdict::Date, Verdict::Unreadable, feb15},
        {"2010 2 15", Verdict::Date, Verdict::Unreadable, feb15},
        {"2010 - 02 - 15", Verdict::Date, Verdict::Unreadable, feb15},
        {"2010년 2월 15", Verdict::Date, Verdict::Unreadable, feb15},
        {"2010-02-15.", Verdict::Date, Verdict::Unreadable, feb15},
        // Days that do not exist are refused, never turned into others.
        {"2010-02-30", Verdict::Impossible, Verdict::Impossible, {}},
        {"2011년 2월 29일", Verdict::Impossible, Verdict::Impossible, {}},
        {"20101301", Verdict::Impossible, Verdict::Unreadable, {}},
        {"0000-00-00", Verdict::Impossible, Verdict::Impossible, {}},
        // No date in any form.
        {"", Verdict::Unreadable, Verdict::Unreadable, {}},
        {"2010", Verdict::Unreadable, Verdict::Unreadable, {}},
        {"2010-02", Verdict::Unreadable, Verdict::Unreadable, {}},
        {"2009년 12월", Verdict::Unreadable, Verdict::Unreadable, {}},
        {"201002150", Verdict::Unreadable, Verdict::Unreadable, {}},
        {"20100215.", Verdict::Unreadable, Verdict::Unreadable, {}},
        {"10-02-15", Verdict::Unreadable, Verdict::Unreadable, {}},
        {"2010-002-15", Verdict::Unreadable, Verdict::Unreadable, {}},
        {"2010-02-15-1", Verdict::Unreadable, Verdict::Unreadable, {}},
        {"2010-02-15 12:00", Verdict::Unreadable, Verdict::Unreadable, {}},
        {"-2010-02-15", Verdict::Unreadable, Verdict::Unreadable, {}},
        {"2010-02-15x", Verdict::Unreadable, Verdict::Unreadable, {}},
        {"KR002123456789", Verdict::Unreadable, Verdict::Unreadable, {}},
        // A mix of separators is refused: which part was meant is a guess.
        {"2010-02/15", Verdict::Unreadable, Verdict::Unreadable, {}},
        {"2010.02-15", Verdict::Unreadable, Verdict::Unreadable, {}},
        {"2010년 2-15", Verdict::Unreadable, Verdict::Unreadable, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const QString text = QString::fromUtf8(c.text);
        const datetext::DateRead typed = datetext::readDate(text, DateForms::Typed);
        const datetext::DateRead shown = datetext::readDate(text, DateForms::Shown);
        EXPECT_STREQ(nameOf(typed.verdict), nameOf(c.typed));
        EXPECT_STREQ(nameOf(shown.verdict), nameOf(c.shown));
        EXPECT_EQ(typed.date, c.typed == Verdict::Date ? c.date : QDate());
        EXPECT_EQ(shown.date, c.shown == Verdict::Date ? c.date : QDate());

        // The date field once typing has ended, the import and the export say the same.
        const datetyping::Reading field = datetyping::readTypedDate(text, true);
        EXPECT_STREQ(nameOf(field.verdict), nameOf(c.typed));
        EXPECT_EQ(field.date, typed.date);
        EXPECT_EQ(import::parseDate(text), typed.date);
        EXPECT_EQ(dateFromText(text), shown.date);
    }
}

TEST(DateText, EachUserKeepsItsOwnRange)
{
    // The import takes what the date pickers hold; the export what a spreadsheet keeps as a date.
    const struct {
        const char* text;
        bool imported;
        bool exported;
    } cases[] = {
        {"1752-09-13", false, false}, {"1752-09-14", true, false}, {"1900-02-28", true, false},
        {"1900-03-01", true, true},   {"9999-12-31", true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const QString text = QString::fromUtf8(c.text);
        EXPECT_EQ(datetext::readDate(text).verdict, Verdict::Date);
        EXPECT_EQ(datetyping::readTypedDate(text, true).verdict, datetyping::Verdict::Date);
        EXPECT_EQ(import::parseDate(text).isValid(), c.imported);
        EXPECT_EQ(dateFromText(text).isValid(), c.exported);
    }
}
