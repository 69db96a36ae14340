// The workbook side of the export, over libxlsxwriter in its constant-memory mode: each row
// goes to disk as it is written, so a hundred thousand rows never sit in memory twice.
#include "kit/model/TableLayout.h"

#include <xlsxwriter.h>

#include <QHash>
#include <string>

namespace {
// Excel's own limit on the characters of a cell.
constexpr qsizetype kMaxCellChars = 32767;
constexpr double kDefaultColumnWidth = 8.43;
constexpr double kMaxColumnWidth = 60;

// Days since 1899-12-30: Excel's date serial for every day from 1900-03-01 on.
double excelSerial(const QDate& d)
{
    static const qint64 dayZero = QDate(1899, 12, 30).toJulianDay();
    return double(d.toJulianDay() - dayZero);
}

// The cell formats, made once per number pattern and text colour.
class Formats {
public:
    explicit Formats(lxw_workbook* wb) : m_wb(wb) {}

    lxw_format* text(QRgb color) { return color ? get(Pattern::General, 0, color) : nullptr; }
    lxw_format* date(QRgb color) { return get(Pattern::Date, 0, color); }
    lxw_format* number(bool grouped, int decimals, QRgb color)
    {
        return get(grouped ? Pattern::Grouped : Pattern::Plain, decimals, color);
    }

private:
    enum class Pattern : quint64 { General, Date, Plain, Grouped };

    // Looked up for every cell, so the key is a plain number.
    lxw_format* get(Pattern pattern, int decimals, QRgb color)
    {
        const quint64 key = quint64(color) | quint64(quint8(decimals)) << 32 | quint64(pattern) << 40;
        if (const auto it = m_made.constFind(key); it != m_made.cend()) return *it;
        lxw_format* f = workbook_add_format(m_wb);
        if (pattern != Pattern::General) format_set_num_format(f, numberFormat(pattern, decimals).constData());
        if (color) {
            const lxw_color_t rgb = color & 0xFFFFFF;
            format_set_font_color(f, rgb ? rgb : lxw_color_t(LXW_COLOR_BLACK));
        }
        m_made.insert(key, f);
        return f;
    }

    static QByteArray numberFormat(Pattern pattern, int decimals)
    {
        if (pattern == Pattern::Date) return QByteArrayLiteral("yyyy-mm-dd");
        QByteArray format = pattern == Pattern::Grouped ? "#,##0" : "0";
        if (decimals > 0) format += '.' + QByteArray(decimals, '0');
        return format;
    }

    lxw_workbook* m_wb;
    QHash<quint64, lxw_format*> m_made;
};

// Texts go to the library as UTF-8 through one buffer, not a new array per cell.
class TextWriter {
public:
    explicit TextWriter(lxw_worksheet* ws) : m_ws(ws) {}

    lxw_error write(lxw_row_t row, lxw_col_t col, QStringView shown, lxw_format* f)
    {
        QStringView text = shown.left(kMaxCellChars);
        // A line break inside an Excel cell is a line feed alone.
        if (text.contains(u'\r')) {
            const QString lf = text.toString().replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
            return worksheet_write_string(m_ws, row, col, utf8(lf), f);
        }
        return worksheet_write_string(m_ws, row, col, utf8(text), f);
    }

private:
    // A lone surrogate becomes U+FFFD, as Qt's own conversion does. Written straight into a
    // buffer that only grows: this runs for every text cell.
    const char* utf8(QStringView text)
    {
        const qsizetype n = text.size();
        if (qsizetype(m_buf.size()) < 3 * n + 1) m_buf.resize(size_t(3 * n + 1));
        char* out = m_buf.data();
        for (qsizetype i = 0; i < n; ++i) {
            char32_t u = text[i].unicode();
            if (u < 0x80) {
                *out++ = char(u);
                continue;
            }
            if (QChar::isHighSurrogate(u) && i + 1 < n && text[i + 1].isLowSurrogate())
                u = QChar::surrogateToUcs4(char16_t(u), text[++i].unicode());
            else if (QChar::isSurrogate(u))
                u = 0xFFFD;
            if (u < 0x800) {
                *out++ = char(0xC0 | (u >> 6));
            } else if (u < 0x10000) {
                *out++ = char(0xE0 | (u >> 12));
                *out++ = char(0x80 | ((u >> 6) & 0x3F));
            } else {
                *out++ = char(0xF0 | (u >> 18));
                *out++ = char(0x80 | ((u >> 12) & 0x3F));
                *out++ = char(0x80 | ((u >> 6) & 0x3F));
            }
            *out++ = char(0x80 | (u & 0x3F));
        }
        *out = '\0';
        return m_buf.data();
    }

    lxw_worksheet* m_ws;
    std::string m_buf;
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

// The title row: the title in large bold, then the farm name and the day, each in the first
// cell the text before it leaves free.
lxw_error writeTitleRow(lxw_workbook* wb, lxw_worksheet* ws, TextWriter& texts, const ExportTable& table,
                        const QList<double>& widths)
{
    lxw_format* title = workbook_add_format(wb);
    format_set_bold(title);
    format_set_font_size(title, 14);
    lxw_format* day = workbook_add_format(wb);
    format_set_num_format(day, "yyyy-mm-dd");
    format_set_align(day, LXW_ALIGN_LEFT);

    lxw_error err = texts.write(0, 0, table.title, title);
    // 14-point bold characters are about 1.4 times as wide as the cells' own.
    int col = columnAfter(widths, 0, displayWidth(table.title) * 1.4 + 1);
    if (!table.farmName.isEmpty() && !err) {
        err = texts.write(0, lxw_col_t(col), table.farmName, nullptr);
        col = columnAfter(widths, col, displayWidth(table.farmName) + 1);
    }
    if (table.date.isValid() && !err) err = worksheet_write_number(ws, 0, lxw_col_t(col), excelSerial(table.date), day);
    return err;
}

lxw_error writeCell(lxw_worksheet* ws, TextWriter& texts, Formats& formats, lxw_row_t row, lxw_col_t col,
                    const QString& shown, const ColumnLayout& layout, QRgb color)
{
    const FileCell cell = fileCell(shown, layout);
    switch (cell.type) {
    case FileCell::Empty: return LXW_NO_ERROR;
    case FileCell::Number:
        return worksheet_write_number(ws, row, col, cell.number.value,
                                      formats.number(layout.grouped, cell.number.decimals, color));
    case FileCell::Date: return worksheet_write_number(ws, row, col, excelSerial(cell.date), formats.date(color));
    case FileCell::Text: break;
    }
    return texts.write(row, col, cell.text, formats.text(color));
}
}  // namespace

ExportStatus writeXlsxFile(const ExportTable& table, const QList<ColumnLayout>& columns, const QByteArray& file,
                           const ExportProgress& progress)
{
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    lxw_workbook* wb = workbook_new_opt(file.constData(), &options);
    if (!wb) return ExportStatus::CannotCreate;
    lxw_worksheet* ws = workbook_add_worksheet(wb, sheetNameOf(table.title).toUtf8().constData());
    if (!ws) ws = workbook_add_worksheet(wb, nullptr);
    Formats formats(wb);
    TextWriter texts(ws);

    const int ncols = int(columns.size());
    QList<double> widths;
    for (int c = 0; c < ncols; ++c) {
        widths << std::min(kMaxColumnWidth, double(std::max(columns[c].widthChars, 4) + 2));
        worksheet_set_column(ws, lxw_col_t(c), lxw_col_t(c), widths[c], nullptr);
    }
    lxw_error err = writeTitleRow(wb, ws, texts, table, widths);

    lxw_format* header = workbook_add_format(wb);
    format_set_bold(header);
    format_set_bottom(header, LXW_BORDER_THIN);
    format_set_bg_color(header, 0xE8EDF5);
    for (int c = 0; c < ncols && !err; ++c) err = texts.write(1, lxw_col_t(c), table.headers[c], header);
    // The title and header rows stay in view; the header row filters.
    worksheet_freeze_panes(ws, 2, 0);
    if (ncols > 0) worksheet_autofilter(ws, 1, 0, lxw_row_t(1 + table.rows.size()), lxw_col_t(ncols - 1));

    bool cancelled = false;
    for (qsizetype r = 0; r < table.rows.size() && !err; ++r) {
        const QStringList& cells = table.rows[r];
        const QRgb color = r < table.rowColors.size() ? table.rowColors[r] : 0;
        const auto row = lxw_row_t(r + 2);
        for (int c = 0; c < ncols && c < cells.size() && !err; ++c)
            if (!cells[c].isEmpty())
                err = writeCell(ws, texts, formats, row, lxw_col_t(c), cells[c], columns[c], color);
        if ((r + 1) % kProgressRows == 0 && progress && !progress(r + 1)) {
            cancelled = true;
            break;
        }
    }
    // Closed in every case: it frees the workbook and its temporary storage.
    const lxw_error closed = workbook_close(wb);
    if (cancelled) return ExportStatus::Cancelled;
    if (err) return ExportStatus::WriteFailed;
    if (closed == LXW_ERROR_CREATING_XLSX_FILE) return ExportStatus::CannotCreate;
    return closed == LXW_NO_ERROR ? ExportStatus::Saved : ExportStatus::WriteFailed;
}
