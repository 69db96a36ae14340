#pragma once
// UI-free value helpers: null-safe trim, date numbers, number tests and formats.
#include <QDate>
#include <QString>
#include <QVariant>

// A database field as text: null gives "", anything else its text without surrounding blanks.
QString NullTrim(const QVariant& v);

namespace datenum {
// yyyymmdd of a date; 0 for an invalid date.
qint64 fromDate(const QDate& d);
// The date a date number denotes; invalid for 0 or a number that is no date.
QDate toDate(qint64 n);
// The date a "0000-00-00" text denotes (invalid when it is none).
QDate fromDashed(const QString& text);
// A date number poured into a digit pattern, right to left, as "0000-00-00" or "0000년 00월 00일".
QString digits(qint64 n, const QString& pattern);
// "yyyy년 mm월 dd일" when n > 0, else "".
QString longText(qint64 n);
// The date that a "yyyy년 mm월 dd일" text denotes (invalid when it is none).
QDate fromLongText(const QString& text);
}  // namespace datenum

// A date in a pattern made of yyyy, yy, mm, dd and literal characters:
// "yyyy년 mm월 dd일", "yy-mm-dd", "yy.mm.dd", "yyyy-mm-dd", "yyyymmdd".
QString formatDate(const QDate& d, const QString& pattern);

// Adds calendar months; a day missing in the target month becomes its last day.
QDate addMonthsClamped(const QDate& d, int months);
// Calendar-month boundaries from birth to today (days of the month do not count).
int ageInMonths(const QDate& birth, const QDate& today);

// Numbers from this size on are refused as input (see isNumeric).
inline constexpr double kLargestNumber = 1e12;
// The numeric test of the input checks: blanks around, a sign, one decimal point and
// thousands separators are allowed; an empty text is not a number, nor is a number whose
// size reaches kLargestNumber.
bool isNumeric(const QString& text);
// The value of a text that passes isNumeric (separators dropped); 0 otherwise.
double numericValue(const QString& text);

// Number formats: "#,##0" gives 12,346 and "##0" gives 12346 for 12345.6 (half away from zero).
QString formatNumber(double value, const QString& pattern);
