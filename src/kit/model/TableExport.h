#pragma once
// Saving a list as an Excel workbook or a CSV file, without any widget: the list is handed
// over as a plain table of the texts it shows. Numbers and dates are recognised per column so
// that a spreadsheet can sum and sort them; everything else stays text exactly as shown.
#include "kit/model/CellKind.h"

#include <QDate>
#include <QList>
#include <QRgb>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

enum class ExportFormat { Xlsx, Csv };

struct ExportTable {
    QString title;     // the window title: heads the sheet and names it
    QString farmName;  // may be empty
    QDate date;        // the day of the export, shown beside the title
    QStringList headers;
    QList<QStringList> rows;  // cells as shown; a row may be shorter than the headers
    QList<QRgb> rowColors;    // text colour per row; 0 or no entry: the default colour
    QList<CellKind> kinds;    // per column; empty: decided from the cells (columnKinds)
};

// A number as a list shows it: "1,250", "-3", "12.5", "0.75". Thousands separators only in
// groups of three; no leading zero ("0012" is an identifier, not 12), at most 15 digits so
// the value survives a double.
struct ShownNumber {
    double value = 0;
    int decimals = 0;
    bool grouped = false;  // written with thousands separators
};
std::optional<ShownNumber> numberFromText(QStringView text);
// A date as a list shows it: "2026-04-03" or "2026년 04월 03일" (blanks between the parts
// optional). Invalid for anything else, for impossible days and for days before 1900-03-01,
// which a spreadsheet cannot hold as a date.
QDate dateFromText(QStringView text);

// The kind of every column: Number when each non-empty cell is a number, Date when each is a
// date, otherwise (and for an empty column) Text.
QList<CellKind> columnKinds(const ExportTable& table);

// The suggested file name: "<title> yyyy-mm-dd.xlsx" (or .csv), with characters no file
// system takes out of the title.
QString suggestedFileName(const QString& title, const QDate& date, ExportFormat format);

// Called now and then with the number of rows written; returning false cancels.
using ExportProgress = std::function<bool(qsizetype rowsWritten)>;

enum class ExportStatus {
    Saved,
    Cancelled,      // nothing was left behind
    CannotCreate,   // the folder takes no new file (missing, not writable)
    WriteFailed,    // writing stopped part way (disk full)
    CannotReplace,  // the finished file could not take the place of `path`
};

// Writes the table to `path`. The file is written under a temporary name in the same folder
// and renamed at the end, so `path` is either the whole new file or untouched.
ExportStatus saveTable(const ExportTable& table, ExportFormat format, const QString& path,
                       const ExportProgress& progress = {});
