// The workbook side of the export, over our own streaming writer (XlsxStream): each row goes
// into the deflated sheet as it is written, so a hundred thousand rows never sit in memory twice.
#include "sheets/model/SheetCells.h"
#include "sheets/model/TableLayout.h"
#include "sheets/model/XlsxStream.h"

#include <QHash>

namespace {
constexpr double kDefaultColumnWidth = 8.43;
constexpr double kMaxColumnWidth = 60;
const QByteArray kDateFormat = QByteArrayLiteral("yyyy-mm-dd");

// The cell styles of the rows, looked up for every cell, so the key is a plain number.
class Formats {
public:
    explicit Formats(XlsxStream& book) : m_book(book) {}

    int text(QRgb color) { return color ? get(Pattern::General, 0, color) : 0; }
    int date(QRgb color) { return get(Pattern::Date, 0, color); }
    int number(bool grouped, int decimals, QRgb color)
    {
        return get(grouped ? Pattern::Grouped : Pattern::Plain, decimals, color);
    }

private:
    enum class Pattern : quint64 { General, Date, Plain, Grouped };

    int get(Pattern pattern, int decimals, QRgb color)
    {
        const quint64 key = quint64(color) | quint64(quint8(decimals)) << 32 | quint64(pattern) << 40;
        if (const auto it = m_made.constFind(key); it != m_made.cend()) return *it;
        XlsxStyle s;
        s.numberFormat = numberFormat(pattern, decimals);
        s.color = color;
        const int made = m_book.style(s);
        m_made.insert(key, made);
        return made;
    }

    static QByteArray numberFormat(Pattern pattern, int decimals)
    {
        if (pattern == Pattern::General) return {};
        if (pattern == Pattern::Date) return kDateFormat;
        QByteArray format = pattern == Pattern::Grouped ? "#,##0" : "0";
        if (decimals > 0) format += '.' + QByteArray(decimals, '0');
        return format;
    }

    XlsxStream& m_book;
    QHash<quint64, int> m_made;
};

// The first column past `start` that a text of `need` characters, spilling right from
// `start`, leaves free.
int columnAfter(const QList<double>& widths, int start, double need)
{
    int c = start;
    double have = 0;
    do {
        have += c < widths.size() ? widths[c] : kDefaultColumnWidth;
        ++c;
    } while (have < need);
    return c;
}

// The title row: the title in large bold, then the farm name, the period and the day, each in the first
// cell the text before it leaves free.
void writeTitleRow(XlsxStream& book, const ExportTable& table, const QList<double>& widths)
{
    XlsxStyle title;
    title.bold = true;
    title.fontSize = 14;
    XlsxStyle day;
    day.numberFormat = kDateFormat;
    day.leftAligned = true;

    book.beginRow(0);
    book.text(0, table.title, book.style(title));
    // 14-point bold characters are about 1.4 times as wide as the cells' own.
    int col = columnAfter(widths, 0, displayWidth(table.title) * 1.4 + 1);
    for (const QString& text : {table.farmName, table.period}) {
        if (text.isEmpty()) continue;
        book.text(col, text);
        col = columnAfter(widths, col, displayWidth(text) + 1);
    }
    if (table.date.isValid()) book.number(col, excelSerial(table.date), book.style(day));
    book.endRow();
}

void writeCell(XlsxStream& book, Formats& formats, int col, const QString& shown, const ColumnLayout& layout,
               QRgb color)
{
    const FileCell cell = fileCell(shown, layout);
    switch (cell.type) {
    case FileCell::Empty: return;
    case FileCell::Number:
        return book.number(col, cell.number.value, formats.number(layout.grouped, cell.number.decimals, color));
    case FileCell::Date: return book.number(col, excelSerial(cell.date), formats.date(color));
    case FileCell::Text: return book.text(col, cell.text, formats.text(color));
    }
}

// One sheet; false when cancelled. `written` counts the rows of every sheet so far.
bool writeSheet(XlsxStream& book, Formats& formats, const XlsxSheet& sheet, qsizetype& written,
                const ExportProgress& progress)
{
    const ExportTable& table = *sheet.table;
    const QList<ColumnLayout>& columns = sheet.columns;
    const int ncols = int(columns.size());
    XlsxSheetSetup setup;
    setup.name = sheet.name;
    for (int c = 0; c < ncols; ++c)
        setup.columnWidths << std::min(kMaxColumnWidth, double(std::max(columns[c].widthChars, 4) + 2));
    // The title and header rows stay in view; the header row filters.
    setup.frozenRows = 2;
    if (ncols > 0) {
        setup.filterRow = 1;
        setup.filterLastRow = int(1 + table.rows.size());
        setup.filterColumns = ncols;
    }
    if (!book.beginSheet(setup)) return true;
    writeTitleRow(book, table, setup.columnWidths);

    XlsxStyle headerStyle;
    headerStyle.bold = true;
    headerStyle.bottomBorder = true;
    headerStyle.fill = 0xE8EDF5;
    const int header = book.style(headerStyle);
    book.beginRow(1);
    for (int c = 0; c < ncols && c < table.headers.size(); ++c) book.text(c, table.headers[c], header);
    book.endRow();

    for (qsizetype r = 0; r < table.rows.size() && !book.failed(); ++r) {
        const QStringList& cells = table.rows[r];
        const QRgb color = r < table.rowColors.size() ? table.rowColors[r] : 0;
        book.beginRow(int(r + 2));
        for (int c = 0; c < ncols && c < cells.size(); ++c)
            if (!cells[c].isEmpty()) writeCell(book, formats, c, cells[c], columns[c], color);
        book.endRow();
        if (++written % kProgressRows == 0 && progress && !progress(written)) return false;
    }
    book.endSheet();
    return true;
}
}  // namespace

ExportStatus writeXlsxFile(const QList<XlsxSheet>& sheets, const QByteArray& file, const ExportProgress& progress)
{
    XlsxStream book(file);
    if (!book.isOpen()) return ExportStatus::CannotCreate;
    Formats formats(book);
    qsizetype written = 0;
    for (const XlsxSheet& sheet : sheets)
        if (!writeSheet(book, formats, sheet, written, progress)) return ExportStatus::Cancelled;
    return book.finish() ? ExportStatus::Saved : ExportStatus::WriteFailed;
}
