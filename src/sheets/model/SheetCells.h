#pragma once
// What every spreadsheet file the program reads or writes agrees on, cell by cell: column
// letters, Excel's date serials, a CSV field's quoting and the guard against a text that a
// spreadsheet would run as a formula. The exporter, the import's readers and the file of
// refused import rows use these, so a cell written by one reads back the same in the other.
#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringView>

// The most characters an Excel cell holds.
inline constexpr int kExcelMaxCellChars = 32767;

// A column as spreadsheets name it: A, B, ..., Z, AA, ... (from 0).
QString columnLetter(int index);
// The column of a cell reference: "B12" gives 1 (from 0); -1 without letters.
int columnOfReference(QStringView reference);

// Excel's date serial of a day (days since 1899-12-30), right for every day from 1900-03-01 on.
double excelSerial(const QDate& day);
// The day an Excel serial names (the 1904 date system when `date1904`); invalid for Excel's
// 1900-02-29, a day that never was (serial 60). The caller keeps serials out of range.
QDate dayOfExcelSerial(qint64 serial, bool date1904);

// A text a spreadsheet opening the file would run as a formula or a link: its first character
// is =, +, -, @, a tab or a carriage return.
bool startsLikeFormula(QStringView text);
// The text as a CSV file holds it: with a leading apostrophe, the spreadsheet's mark of a text
// cell, when it starts like a formula; as it is otherwise.
QString guardedCell(const QString& text);
// A CSV field as read back: without the leading apostrophe of a text cell, whether the guard
// put it there or a farmer typed it before a number with leading zeros ('0012).
QString unguardedCell(const QString& field);
// Appends `text` to a CSV record as one field: in quotes (doubled inside) when it holds a
// comma, a quote or a line break.
void appendCsvField(QByteArray& out, QStringView text);
