#pragma once
// What the two file writers share: the columns of a table, looked at once before writing, and
// the workbook writer itself (TableExport.cpp writes the CSV and does the renaming).
#include "sheets/model/TableExport.h"

#include <QByteArray>
#include <QList>

struct ColumnLayout {
    CellKind kind = CellKind::Text;
    ColumnUnit unit;       // the unit a number column's cells show after the number
    bool grouped = false;  // a number column written with thousands separators somewhere
    int widthChars = 0;    // the widest text shown, half-width characters counted as 1
};

// One pass over every cell: kinds (or table.kinds where given), separators and widths.
QList<ColumnLayout> layoutColumns(const ExportTable& table);

// What a shown cell becomes in a file: nothing, its text without the padding blanks, or the
// number or date of a Number or Date column.
struct FileCell {
    enum Type { Empty, Text, Number, Date } type = Empty;
    QStringView text;  // Text: a view into the shown text
    ShownNumber number;
    QDate date;
};
FileCell fileCell(const QString& shown, const ColumnLayout& column);

// Width of a text in half-width characters: Hangul and other wide characters count 2; the
// longest line of a text with line breaks.
int displayWidth(QStringView text);

// How often the writers report progress (and may be cancelled): every this many rows.
inline constexpr qsizetype kProgressRows = 1000;

// One sheet of a workbook: a table, its columns as layoutColumns() sees them, and the sheet's
// name (one Excel takes: see sheetNameOf).
struct XlsxSheet {
    const ExportTable* table = nullptr;
    QList<ColumnLayout> columns;
    QString name;
};

// Writes the sheets in order to `file` (an existing temporary file, overwritten); the progress
// counts the rows of all sheets. Saved, Cancelled (the file is left for the caller to remove)
// or a failure.
ExportStatus writeXlsxFile(const QList<XlsxSheet>& sheets, const QByteArray& file, const ExportProgress& progress);

// Writes the sheets to `path` under a temporary name in the same folder and renames the file at
// the end, so `path` is either the whole new workbook or untouched.
ExportStatus saveXlsxSheets(const QList<XlsxSheet>& sheets, const QString& path, const ExportProgress& progress);
