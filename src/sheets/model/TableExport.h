#pragma once
// Saving a list as an Excel workbook or a CSV file, without any widget: the list is handed
// over as a plain table of the texts it shows, with what each column holds. A Number or Date
// column's cells become numbers and dates a spreadsheet can sum and sort; every other cell is
// text as shown, without the blanks a list pads its cells with.
#include "sheets/model/CellKind.h"

#include <QDate>
#include <QList>
#include <QRgb>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

enum class ExportFormat { Xlsx, Csv };

// A unit the cells of a column show after their number ("23 개월령", "12개월"): the file holds
// the number alone and the header names the unit once.
struct ColumnUnit {
    QString name;          // what the header adds in brackets: "개월"
    QStringList suffixes;  // what may follow the number in a cell, longest first
    bool isNone() const { return suffixes.isEmpty(); }
};
// The unit of a column by its header: ages in months ("개월령", "월령"); none for any other.
ColumnUnit columnUnitOf(const QString& header);

struct ExportTable {
    QString title;     // what the list is and whose: heads the sheet and names it and the file
    QString farmName;  // may be empty
    QString period;    // what the rows cover ("기간 2009-01-01~2009-12-31"), after the farm name; may be empty
    QDate date;        // the day of the export, shown beside the title
    QStringList headers;
    QList<QStringList> rows;  // cells as shown; a row may be shorter than the headers
    QList<QRgb> rowColors;    // text colour per row; 0 or no entry: the default colour
    QList<CellKind> kinds;    // per column; empty: decided from the cells (columnKinds)
    QList<ColumnUnit> units;  // per column; a column past the end has none
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

// The number a cell of a column with `unit` shows: "23 개월령" and "23" give 23; a cell with
// other words ("12개월 반") is no number.
std::optional<ShownNumber> numberWithUnit(QStringView text, const ColumnUnit& unit);

// The kind of every column: table.kinds where given; otherwise, for a table built without
// them, Number when each non-empty cell is a number, Date when each is a date, else (and for
// an empty column) Text.
QList<CellKind> columnKinds(const ExportTable& table);

// The suggested file name: "<title> yyyy-mm-dd.xlsx" (or .csv), with characters no file
// system takes out of the title; a title that names its day or period already
// ("교배기록부 2026-01-01~2026-12-10") gets no second date.
QString suggestedFileName(const QString& title, const QDate& date, ExportFormat format);

// The sheet's name: the title without the characters Excel refuses in one ([]:*?/\), cut
// after its last whole word within Excel's 31 characters.
QString sheetNameOf(const QString& title);

// Called now and then with the number of rows written; returning false cancels.
using ExportProgress = std::function<bool(qsizetype rowsWritten)>;

enum class ExportStatus {
    Saved,
    Cancelled,      // nothing was left behind
    CannotCreate,   // the folder takes no new file (missing, not writable)
    WriteFailed,    // writing stopped part way (disk full)
    CannotReplace,  // the finished file could not take the place of `path`
};

// Writes `bytes` to `path` whole or not at all (under a temporary name, renamed at the end): the
// save of a file made in memory, such as the phone calendar.
ExportStatus saveWholeFile(const QString& path, const QByteArray& bytes);

// Writes the table to `path`. The file is written under a temporary name in the same folder
// and renamed at the end, so `path` is either the whole new file or untouched. In a CSV file a
// text a spreadsheet would run as a formula or link (first character =, +, -, @, tab or
// carriage return) gets a leading apostrophe; a number of a Number column stays as it is.
ExportStatus saveTable(const ExportTable& table, ExportFormat format, const QString& path,
                       const ExportProgress& progress = {});
