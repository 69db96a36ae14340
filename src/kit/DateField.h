#pragma once
// The date picker of every window: a calendar to pick from, opening on today, and a whole
// date typed by hand (kit/DateEdit.h).
#include <QString>

class QDateEdit;
class QWidget;

enum class DateLook {
    Plain,   // 2024-05-10, as the record forms and their entry dialogs show dates
    Korean,  // 2024년 05월 10일 in a Korean calendar, as the books show their periods
};

// A picker (a DateEdit) on today at least `minWidth` pixels wide (0: as wide as its text). The
// caller names it.
QDateEdit* dateField(DateLook look, int minWidth, QWidget* parent);
