// The workbook side of the export, over libxlsxwriter in its constant-memory mode: each row
// goes to disk as it is written, so a hundred thousand rows never sit in memory twice.
#include "kit/model/TableLayout.h"

#include <xlsxwriter.h>

#include <QHash>

namespace {
// Excel's own limits: the characters of a cell, of a sheet name.
constexpr qsizetype kMaxCellChars = 32767;
constexpr qsizetype kMaxSheetNameChars = 31;
constexpr double kDefaultColumnWidth = 8.43;
constexpr double kMaxColumnWidth = 60;

QString sheetNameOf(const QString& title)
{
    QString name;
    for (QChar c : title) name += QStringLiteral("[]:*?/\\").contains(c) ? QChar(u' ') : c;
    name = name.simplified().left(kMaxSheetNameChars);
    while (name.startsWith(u'\'')) name.remove(0, 1);
    while (name.endsWith(u'\'')) name.chop(1);
    return name.isEmpty() ? QStringLiteral("목록") : name;
}

// Days since 1899-12-30: Excel's date serial for every day from 1900-03-01 on.
double excelSerial(const QDate& d)
{
    return double(QDate(1899, 12, 30).daysTo(d));
}

// The cell formats, made once per number pattern and text colour.
class Formats {
public:
    explicit Formats(lxw_workbook* wb) : m_wb(wb) {}

    lxw_format* text(QRgb color) { return color ? get(QByteArray(), color) : nullptr; }
    lxw_format* date(QRgb color) { return get(QByteArrayLiteral("yyyy-mm-dd"), color); }
    lxw_format* number(bool grouped, int decimals, QRgb color)
    {
        QByteArray pattern = grouped ? "#,##0" : "0";
        if (decimals > 0) pattern += '.' + QByteArray(decimals, '0');
        return get(pattern, color);
    }

private:
    lxw_format* get(const QByteArray& pattern, QRgb color)
    {
        const QByteArray key = pattern + '|' + QByteArray::number(color, 16);
        if (lxw_format* made = m_made.value(key)) return made;
        lxw_format* f = workbook_add_format(m_wb);
        if (!pattern.isEmpty()) format_set_num_format(f, pattern.constData());
        if (color) {
            const lxw_color_t rgb = color & 0xFFFFFF;
            format_set_font_color(f, rgb ? rgb : lxw_color_t(LXW_COLOR_BLACK));
        }
        m_made.insert(key, f);
        return f;
    }

    lxw_workbook* m_wb;
    QHash<QByteArray, lxw_format*> m_made;
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

lxw_error writeText(lxw_worksheet* ws, lxw_row_t row, lxw_col_t col, const QString& shown, lxw_format* f)
{
    QString text = shown.left(kMaxCellChars);
    // A line break inside an Excel cell is a line feed alone.
    if (text.contains(u'\r')) text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return worksheet_write_string(ws, row, col, text.toUtf8().constData(), f);
}

// The title row: the title in large bold, then the farm name and the day, each in the first
// cell the text before it leaves free.
lxw_error writeTitleRow(lxw_workbook* wb, lxw_worksheet* ws, const ExportTable& table, const QList<double>& widths)
{
    lxw_format* title = workbook_add_format(wb);
    format_set_bold(title);
    format_set_font_size(title, 14);
    lxw_format* day = workbook_add_format(wb);
    format_set_num_format(day, "yyyy-mm-dd");
    format_set_align(day, LXW_ALIGN_LEFT);

    lxw_error err = writeText(ws, 0, 0, table.title, title);
    // 14-point bold characters are about 1.4 times as wide as the cells' own.
    int col = columnAfter(widths, 0, displayWidth(table.title) * 1.4 + 1);
    if (!table.farmName.isEmpty() && !err) {
        err = writeText(ws, 0, lxw_col_t(col), table.farmName, nullptr);
        col = columnAfter(widths, col, displayWidth(table.farmName) + 1);
    }
    if (table.date.isValid() && !err) err = worksheet_write_number(ws, 0, lxw_col_t(col), excelSerial(table.date), day);
    return err;
}

lxw_error writeCell(lxw_worksheet* ws, Formats& formats, lxw_row_t row, lxw_col_t col, const QString& shown,
                    const ColumnLayout& layout, QRgb color)
{
    if (layout.kind == CellKind::Number)
        if (const auto n = numberFromText(shown))
            return worksheet_write_number(ws, row, col, n->value, formats.number(layout.grouped, n->decimals, color));
    if (layout.kind == CellKind::Date)
        if (const QDate d = dateFromText(shown); d.isValid())
            return worksheet_write_number(ws, row, col, excelSerial(d), formats.date(color));
    return writeText(ws, row, col, shown, formats.text(color));
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

    const int ncols = int(columns.size());
    QList<double> widths;
    for (int c = 0; c < ncols; ++c) {
        widths << std::min(kMaxColumnWidth, double(std::max(columns[c].widthChars, 4) + 2));
        worksheet_set_column(ws, lxw_col_t(c), lxw_col_t(c), widths[c], nullptr);
    }
    lxw_error err = writeTitleRow(wb, ws, table, widths);

    lxw_format* header = workbook_add_format(wb);
    format_set_bold(header);
    format_set_bottom(header, LXW_BORDER_THIN);
    format_set_bg_color(header, 0xE8EDF5);
    for (int c = 0; c < ncols && !err; ++c) err = writeText(ws, 1, lxw_col_t(c), table.headers[c], header);
    // The title and header rows stay in view; the header row filters.
    worksheet_freeze_panes(ws, 2, 0);
    if (ncols > 0) worksheet_autofilter(ws, 1, 0, lxw_row_t(1 + table.rows.size()), lxw_col_t(ncols - 1));

    bool cancelled = false;
    for (qsizetype r = 0; r < table.rows.size() && !err; ++r) {
        const QStringList& cells = table.rows[r];
        const QRgb color = r < table.rowColors.size() ? table.rowColors[r] : 0;
        const auto row = lxw_row_t(r + 2);
        for (int c = 0; c < ncols && c < cells.size() && !err; ++c)
            if (!cells[c].isEmpty()) err = writeCell(ws, formats, row, lxw_col_t(c), cells[c], columns[c], color);
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
