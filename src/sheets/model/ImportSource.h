#pragma once
// Reading the rows of a file to import, one row at a time so that a file of a million rows
// never sits in memory: a CSV file (UTF-8 with or without BOM, or CP949/EUC-KR as Korean Excel
// writes it; comma, semicolon or tab; quoted fields with line breaks) or one sheet of an Excel
// workbook (.xlsx: text cells as text, numbers as numbers, cells with a date format as
// yyyy-mm-dd). Every row comes as the texts of its cells. A row wider or a cell longer than any
// farm's file has (a damaged file, or a text file that is no table) stops the reading at once
// with a Korean reason rather than filling the memory.
#include "sheets/model/SheetCells.h"

#include <QString>
#include <QStringList>
#include <memory>

enum class TextEncoding { Auto, Utf8, Cp949 };

struct ImportFile {
    QString path;
    TextEncoding encoding = TextEncoding::Auto;  // CSV; Auto: detectEncoding
    QChar separator;                             // CSV: ',', ';' or '\t'; null: found from the first line
    int sheet = 0;                               // workbook: the sheet's place among its sheets
};

class RowReader {
public:
    virtual ~RowReader() = default;
    // The next row's cells (a row may be shorter than others); false at the end of the file or
    // when the reading failed (error() then tells why).
    virtual bool next(QStringList& cells) = 0;
    // The number the last row read has in the file, as a spreadsheet counts its rows (from 1):
    // a record with a quoted line break in a cell is one row.
    virtual qint64 line() const = 0;
    // How much of the file has been read, from 0 to 1.
    virtual double done() const = 0;
    // Why the reading stopped before the end, in Korean; "" when it did not.
    virtual QString error() const = 0;
};

// The most columns a row may have, and the most characters a cell may hold (Excel's own
// limit for a cell).
inline constexpr int kMaxImportColumns = 1000;
inline constexpr int kMaxImportCellChars = kExcelMaxCellChars;
// The reasons the reading stops for them: "<row>행: ..." in Korean.
QString tooManyColumnsError(qint64 row);
QString cellTooLongError(qint64 row, int column);

// True for a workbook: a zip file (.xlsx); false for everything else, read as CSV.
bool isWorkbook(const QString& path);
// Opens the rows of `file`; null with the reason in `error` when the file cannot be read.
std::unique_ptr<RowReader> openRows(const ImportFile& file, QString* error);

// The encoding of a CSV file: UTF-8 when it starts with the UTF-8 byte-order mark (a stray bad
// byte later is reported by the reader, not taken as a sign of CP949) or when the whole file
// is valid UTF-8; else CP949, which includes EUC-KR.
TextEncoding detectEncoding(const QString& path);
// The separator of a CSV file's first line: whichever of comma, semicolon and tab occurs most
// often outside quotes; a comma when none does.
QChar detectSeparator(QStringView firstLine);
// The sheets of a workbook by name, in their order; empty with the reason in `error` when the
// file cannot be read as a workbook.
QStringList workbookSheets(const QString& path, QString* error);

// The readers behind openRows.
std::unique_ptr<RowReader> openCsvRows(const ImportFile& file, QString* error);
std::unique_ptr<RowReader> openWorkbookRows(const ImportFile& file, QString* error);
