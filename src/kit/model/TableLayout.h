#pragma once
// What the two file writers share: the columns of a table, looked at once before writing, and
// the workbook writer itself (TableExport.cpp writes the CSV and does the renaming).
#include "kit/model/TableExport.h"

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

// Writes the workbook to `file` (an existing temporary file, overwritten). Saved, Cancelled
// (the file is left for the caller to remove) or a failure.
ExportStatus writeXlsxFile(const ExportTable& table, const QList<ColumnLayout>& columns, const QByteArray& file,
                           const ExportProgress& progress);
