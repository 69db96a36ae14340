// The workbook of several lists, over libxlsxwriter like the single list's writer: the same
// title row, header row, number and date formats, one sheet after the other.
#include "kit/model/WorkbookExport.h"

#include "kit/model/TableLayout.h"

#include <xlsxwriter.h>

#include <QFileInfo>
#include <QHash>
#include <QTemporaryFile>
#include <filesystem>

namespace {
// Excel's own limits: the characters of a cell, of a sheet name.
constexpr qsizetype kMaxCellChars = 32767;
constexpr qsizetype kMaxSheetNameChars = 31;  // sheetNameOf keeps within it
constexpr double kDefaultColumnWidth = 8.43;
constexpr double kMaxColumnWidth = 60;

double excelSerial(const QDate& d)
{
    return double(QDate(1899, 12, 30).daysTo(d));
}

class SheetWriter {
public:
    explicit SheetWriter(lxw_workbook* wb) : m_wb(wb)
    {
        m_title = workbook_add_format(wb);
        format_set_bold(m_title);
        format_set_font_size(m_title, 14);
        m_day = workbook_add_format(wb);
        format_set_num_format(m_day, "yyyy-mm-dd");
        format_set_align(m_day, LXW_ALIGN_LEFT);
        m_header = workbook_add_format(wb);
        format_set_bold(m_header);
        format_set_bottom(m_header, LXW_BORDER_THIN);
        format_set_bg_color(m_header, 0xE8EDF5);
    }

    lxw_error write(const ExportTable& table, const QString& sheetName)
    {
        lxw_worksheet* ws = workbook_add_worksheet(m_wb, sheetName.toUtf8().constData());
        if (!ws) return LXW_ERROR_SHEETNAME_ALREADY_USED;
        const QList<ColumnLayout> columns = layoutColumns(table);
        const int ncols = int(columns.size());
        QList<double> widths;
        for (int c = 0; c < ncols; ++c) {
            widths << std::min(kMaxColumnWidth, double(std::max(columns[c].widthChars, 4) + 2));
            worksheet_set_column(ws, lxw_col_t(c), lxw_col_t(c), widths[c], nullptr);
        }
        lxw_error err = text(ws, 0, 0, table.title, m_title);
        // 14-point bold characters are about 1.4 times as wide as the cells' own.
        int col = columnAfter(widths, 0, displayWidth(table.title) * 1.4 + 1);
        if (!table.farmName.isEmpty() && !err) {
            err = text(ws, 0, lxw_col_t(col), table.farmName, nullptr);
            col = columnAfter(widths, col, displayWidth(table.farmName) + 1);
        }
        if (table.date.isValid() && !err)
            err = worksheet_write_number(ws, 0, lxw_col_t(col), excelSerial(table.date), m_day);
        for (int c = 0; c < ncols && !err; ++c) err = text(ws, 1, lxw_col_t(c), table.headers[c], m_header);
        worksheet_freeze_panes(ws, 2, 0);
        if (ncols > 0) worksheet_autofilter(ws, 1, 0, lxw_row_t(1 + table.rows.size()), lxw_col_t(ncols - 1));
        for (qsizetype r = 0; r < table.rows.size() && !err; ++r) {
            const QStringList& cells = table.rows[r];
            const QRgb color = r < table.rowColors.size() ? table.rowColors[r] : 0;
            for (int c = 0; c < ncols && c < cells.size() && !err; ++c)
                if (!cells[c].isEmpty()) err = cell(ws, lxw_row_t(r + 2), lxw_col_t(c), cells[c], columns[c], color);
        }
        return err;
    }

private:
    static int columnAfter(const QList<double>& widths, int start, double need)
    {
        int c = start;
        double have = 0;
        do {
            have += c < widths.size() ? widths[c] : kDefaultColumnWidth;
            ++c;
        } while (have < need);
        return c;
    }

    static lxw_error text(lxw_worksheet* ws, lxw_row_t row, lxw_col_t col, const QString& shown, lxw_format* f)
    {
        QString t = shown.left(kMaxCellChars);
        if (t.contains(u'\r')) t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        return worksheet_write_string(ws, row, col, t.toUtf8().constData(), f);
    }

    lxw_error cell(lxw_worksheet* ws, lxw_row_t row, lxw_col_t col, const QString& shown, const ColumnLayout& layout,
                   QRgb color)
    {
        const FileCell c = fileCell(shown, layout);
        switch (c.type) {
        case FileCell::Empty: return LXW_NO_ERROR;
        case FileCell::Number: {
            QByteArray pattern = layout.grouped ? "#,##0" : "0";
            if (c.number.decimals > 0) pattern += '.' + QByteArray(c.number.decimals, '0');
            return worksheet_write_number(ws, row, col, c.number.value, format(pattern, color));
        }
        case FileCell::Date:
            return worksheet_write_number(ws, row, col, excelSerial(c.date), format("yyyy-mm-dd", color));
        case FileCell::Text: break;
        }
        return text(ws, row, col, c.text.toString(), color ? format(QByteArray(), color) : nullptr);
    }

    lxw_format* format(const QByteArray& pattern, QRgb color)
    {
        const QByteArray key = pattern + '|' + QByteArray::number(color, 16);
        if (lxw_format* made = m_formats.value(key)) return made;
        lxw_format* f = workbook_add_format(m_wb);
        if (!pattern.isEmpty()) format_set_num_format(f, pattern.constData());
        if (color) {
            const lxw_color_t rgb = color & 0xFFFFFF;
            format_set_font_color(f, rgb ? rgb : lxw_color_t(LXW_COLOR_BLACK));
        }
        m_formats.insert(key, f);
        return f;
    }

    lxw_workbook* m_wb;
    lxw_format* m_title;
    lxw_format* m_day;
    lxw_format* m_header;
    QHash<QByteArray, lxw_format*> m_formats;
};
}  // namespace

QStringList workbookSheetNames(const QList<ExportTable>& sheets)
{
    QStringList names;
    for (const ExportTable& t : sheets) {
        const QString base = sheetNameOf(t.title);
        QString name = base;
        for (int n = 2; names.contains(name, Qt::CaseInsensitive); ++n) {
            const QString suffix = QStringLiteral(" (%1)").arg(n);
            name = base.left(kMaxSheetNameChars - suffix.size()).trimmed() + suffix;
        }
        names << name;
    }
    return names;
}

ExportStatus saveWorkbook(const QList<ExportTable>& sheets, const QString& path)
{
    const QFileInfo target(path);
    // Hidden and beside the target, so the rename stays within one file system.
    QTemporaryFile temp(target.absolutePath() + QStringLiteral("/.") + target.fileName() + QStringLiteral(".XXXXXX"));
    if (!temp.open()) return ExportStatus::CannotCreate;
    temp.close();  // the workbook writer opens it by name
    {
        lxw_workbook* wb = workbook_new(QFile::encodeName(temp.fileName()).constData());
        if (!wb) return ExportStatus::CannotCreate;
        SheetWriter writer(wb);
        const QStringList names = workbookSheetNames(sheets);
        lxw_error err = LXW_NO_ERROR;
        for (qsizetype i = 0; i < sheets.size() && !err; ++i) err = writer.write(sheets[i], names[i]);
        // Closed in every case: it frees the workbook.
        const lxw_error closed = workbook_close(wb);
        if (err) return ExportStatus::WriteFailed;
        if (closed == LXW_ERROR_CREATING_XLSX_FILE) return ExportStatus::CannotCreate;
        if (closed != LXW_NO_ERROR) return ExportStatus::WriteFailed;
    }
    temp.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                        QFileDevice::ReadOther);
    std::error_code ec;
    std::filesystem::rename(QFile::encodeName(temp.fileName()).toStdString(), QFile::encodeName(path).toStdString(),
                            ec);
    if (ec) return ExportStatus::CannotReplace;
    temp.setAutoRemove(false);
    return ExportStatus::Saved;
}
