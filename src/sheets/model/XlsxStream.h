#pragma once
// A small xlsx writer that streams: each sheet's XML goes in large chunks straight into its
// deflated zip entry, so a sheet of a hundred thousand rows is never held in memory. It knows
// only what the program's workbooks use: text and number cells, a few cell styles, column
// widths, rows frozen at the top and an autofilter. Texts are written inline (no shared-string
// table, which would grow with the sheet).
#include "sheets/model/SheetCells.h"

#include <QByteArray>
#include <QList>
#include <QRgb>
#include <QString>
#include <QStringView>

#include <vector>

// How a cell looks. The default-constructed style is the workbook's plain cell.
struct XlsxStyle {
    bool bold = false;
    int fontSize = 11;
    QRgb color = 0;           // text colour; 0: the default (qRgb(0, 0, 0) is black)
    QByteArray numberFormat;  // empty: General
    bool leftAligned = false;
    bool bottomBorder = false;  // a thin line under the cell
    QRgb fill = 0;              // background; 0: none
    bool operator==(const XlsxStyle&) const = default;
};

struct XlsxSheetSetup {
    QString name;                // already one Excel takes: unique, at most 31 characters, no []:*?/\.
    QList<double> columnWidths;  // of the first columns, in characters
    int frozenRows = 0;          // rows at the top that stay in view
    // The autofilter: a header row and the last row it covers (0-based), across `filterColumns`.
    int filterRow = -1;
    int filterLastRow = -1;
    int filterColumns = 0;
};

class XlsxStream {
public:
    // Excel's limit on the characters of a cell; a longer text is cut.
    static constexpr qsizetype kMaxCellChars = kExcelMaxCellChars;

    // Creates (or overwrites) `file`; see isOpen().
    explicit XlsxStream(const QByteArray& file);
    ~XlsxStream();  // a workbook not finished is left incomplete
    XlsxStream(const XlsxStream&) = delete;
    XlsxStream& operator=(const XlsxStream&) = delete;

    bool isOpen() const { return m_zip != nullptr; }
    // True once any write has failed; every later call does nothing.
    bool failed() const { return m_failed; }

    // The number cells of this style are written with; the same style gives the same number.
    int style(const XlsxStyle& style);

    // Sheets are written one after the other; rows in increasing order, each row's cells in
    // increasing column order. Rows and columns count from 0.
    bool beginSheet(const XlsxSheetSetup& setup);
    void beginRow(int row);
    // The text as UTF-8, cut to kMaxCellChars; characters XML cannot hold are left out and a
    // CR LF line break becomes LF, as Excel keeps breaks inside a cell.
    void text(int col, QStringView text, int style = 0);
    void number(int col, double value, int style = 0);
    void endRow();
    bool endSheet();

    // Writes the workbook's own parts and closes the file; false when anything failed.
    bool finish();

private:
    bool openEntry(const char* name);
    bool closeEntry();
    bool writePart(const char* name, const QByteArray& xml);
    void flush();
    char* room(size_t bytes);
    char* cellStart(char* p, int col, int style);
    const QByteArray& columnName(int col);
    QByteArray stylesXml() const;
    QByteArray workbookXml() const;

    void* m_zip = nullptr;  // minizip's zipFile
    bool m_failed = false;
    bool m_inSheet = false;
    std::vector<char> m_buf;
    size_t m_used = 0;
    char m_row[12] = {};  // the current row's number, 1-based, as text
    int m_rowLen = 0;
    QList<QByteArray> m_columnNames;
    QList<XlsxStyle> m_styles;
    QList<XlsxSheetSetup> m_sheets;
};
