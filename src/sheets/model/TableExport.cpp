#include "sheets/model/TableExport.h"

#include "data/DateText.h"
#include "sheets/model/SheetCells.h"
#include "sheets/model/TableLayout.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTemporaryFile>
#include <charconv>
#include <filesystem>

namespace {
// The text without blanks at its ends. Most cells have none, which is checked first: this
// runs for every cell of a list.
QStringView trimmedView(QStringView s)
{
    if (s.isEmpty() || (!s.front().isSpace() && !s.back().isSpace())) return s;
    return s.trimmed();
}

bool isAsciiDigit(QChar c)
{
    return c.unicode() >= u'0' && c.unicode() <= u'9';
}

const QString& cellAt(const QStringList& row, int col)
{
    static const QString empty;
    return col < row.size() ? row[col] : empty;
}

void appendDigits(QByteArray& out, int value, int width)
{
    char buf[8];
    for (int i = width - 1; i >= 0; --i, value /= 10) buf[i] = char('0' + value % 10);
    out.append(buf, width);
}

// Numbers without separators or unit and dates as yyyy-mm-dd, so any spreadsheet reads them
// back as numbers and dates; text as shown without its padding, made harmless where a
// spreadsheet would run it.
void appendCsvCell(QByteArray& out, const QString& shown, const ColumnLayout& column)
{
    const FileCell cell = fileCell(shown, column);
    switch (cell.type) {
    case FileCell::Empty: return;
    case FileCell::Number: {
        char buf[64];
        // to_chars ignores the process locale, which may write decimals with a comma.
        const auto done =
            std::to_chars(buf, buf + sizeof buf, cell.number.value, std::chars_format::fixed, cell.number.decimals);
        out.append(buf, done.ptr - buf);
        return;
    }
    case FileCell::Date:
        appendDigits(out, cell.date.year(), 4);
        out += '-';
        appendDigits(out, cell.date.month(), 2);
        out += '-';
        appendDigits(out, cell.date.day(), 2);
        return;
    case FileCell::Text:
        if (!startsLikeFormula(cell.text)) return appendCsvField(out, cell.text);
        appendCsvField(out, guardedCell(cell.text.toString()));
        return;
    }
}

// Puts a finished QSaveFile in the place of its target.
ExportStatus committed(QSaveFile& file)
{
    if (file.commit()) return ExportStatus::Saved;
    return file.error() == QFileDevice::RenameError ? ExportStatus::CannotReplace : ExportStatus::WriteFailed;
}

ExportStatus saveCsv(const ExportTable& table, const QList<ColumnLayout>& columns, const QString& path,
                     const ExportProgress& progress)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return ExportStatus::CannotCreate;
    const int ncols = int(columns.size());
    QByteArray out("\xEF\xBB\xBF");  // the byte-order mark tells Excel the file is UTF-8
    const ColumnLayout headerLayout;
    auto record = [&](const QStringList& cells, bool header) {
        for (int c = 0; c < ncols; ++c) {
            if (c > 0) out += ',';
            appendCsvCell(out, cellAt(cells, c), header ? headerLayout : columns[c]);
        }
        out += "\r\n";
    };
    auto flush = [&] {
        const bool ok = file.write(out) == out.size();
        out.clear();
        return ok;
    };
    record(table.headers, true);
    for (qsizetype r = 0; r < table.rows.size(); ++r) {
        record(table.rows[r], false);
        if (out.size() >= (1 << 16) && !flush()) return ExportStatus::WriteFailed;
        if ((r + 1) % kProgressRows == 0 && progress && !progress(r + 1)) {
            file.cancelWriting();
            return ExportStatus::Cancelled;
        }
    }
    if (!flush()) return ExportStatus::WriteFailed;
    return committed(file);
}

}  // namespace

std::optional<ShownNumber> numberFromText(QStringView text)
{
    const QStringView s = trimmedView(text);
    char buf[40];
    int n = 0;
    qsizetype i = 0;
    if (i < s.size() && s[i] == u'-') {
        buf[n++] = '-';
        ++i;
    }
    ShownNumber result;
    int digits = 0, intDigits = 0, sinceSeparator = -1;
    for (; i < s.size(); ++i) {
        if (isAsciiDigit(s[i])) {
            if (++digits > 15) return std::nullopt;
            ++intDigits;
            if (sinceSeparator >= 0) ++sinceSeparator;
            buf[n++] = char(s[i].unicode());
        } else if (s[i] == u',') {
            // The first group holds 1 to 3 digits, every later one exactly 3.
            if (intDigits == 0 || (sinceSeparator < 0 ? intDigits > 3 : sinceSeparator != 3)) return std::nullopt;
            sinceSeparator = 0;
            result.grouped = true;
        } else {
            break;
        }
    }
    if (intDigits == 0 || (result.grouped && sinceSeparator != 3)) return std::nullopt;
    if (intDigits > 1 && buf[n - intDigits] == '0') return std::nullopt;
    if (i < s.size() && s[i] == u'.') {
        buf[n++] = '.';
        for (++i; i < s.size() && isAsciiDigit(s[i]); ++i) {
            if (++digits > 15) return std::nullopt;
            ++result.decimals;
            buf[n++] = char(s[i].unicode());
        }
        if (result.decimals == 0) return std::nullopt;
    }
    if (i != s.size()) return std::nullopt;
    // from_chars ignores the process locale, which may write decimals with a comma.
    if (std::from_chars(buf, buf + n, result.value).ec != std::errc()) return std::nullopt;
    return result;
}

QDate dateFromText(QStringView text)
{
    const datetext::DateRead r = datetext::readDate(text, datetext::DateForms::Shown);
    return r.verdict == datetext::Verdict::Date && r.date >= QDate(1900, 3, 1) ? r.date : QDate();
}

std::optional<ShownNumber> numberWithUnit(QStringView text, const ColumnUnit& unit)
{
    QStringView s = trimmedView(text);
    for (const QString& suffix : unit.suffixes) {
        if (s.endsWith(suffix)) {
            s.chop(suffix.size());
            break;
        }
    }
    return numberFromText(s);
}

ColumnUnit columnUnitOf(const QString& header)
{
    // Ages: "23 개월령" in the search list, "12" or "12개월" in the body measurements.
    const QString months = QStringLiteral("개월");
    const QStringList monthSuffixes{QStringLiteral("개월령"), months};
    QString bare = header;
    bare.remove(u' ');
    if (bare == QStringLiteral("개월령") || bare == QStringLiteral("월령")) return {months, monthSuffixes};
    return {};
}

int displayWidth(QStringView text)
{
    int widest = 0, width = 0;
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x1100) {  // the common case: Latin letters, digits, punctuation
            if (u == u'\n') {
                widest = std::max(widest, width);
                width = 0;
            } else {
                ++width;
            }
            continue;
        }
        const bool wide = u <= 0x115F || (u >= 0x2E80 && u <= 0xA4CF) || (u >= 0xAC00 && u <= 0xD7A3) ||
                          (u >= 0xF900 && u <= 0xFAFF) || (u >= 0xFE30 && u <= 0xFE4F) ||
                          (u >= 0xFF00 && u <= 0xFF60) || (u >= 0xFFE0 && u <= 0xFFE6);
        width += wide ? 2 : 1;
    }
    return std::max(widest, width);
}

FileCell fileCell(const QString& shown, const ColumnLayout& column)
{
    FileCell cell;
    const QStringView text = trimmedView(shown);
    if (text.isEmpty()) return cell;
    if (column.kind == CellKind::Number) {
        if (const auto n = column.unit.isNone() ? numberFromText(text) : numberWithUnit(text, column.unit)) {
            cell.type = FileCell::Number;
            cell.number = *n;
            return cell;
        }
    } else if (column.kind == CellKind::Date) {
        if (const QDate d = dateFromText(text); d.isValid()) {
            cell.type = FileCell::Date;
            cell.date = d;
            return cell;
        }
    }
    cell.type = FileCell::Text;
    cell.text = text;
    return cell;
}

QList<ColumnLayout> layoutColumns(const ExportTable& table)
{
    const int ncols = int(table.headers.size());
    const bool givenKinds = !table.kinds.isEmpty();
    QList<ColumnLayout> columns(ncols);
    // Without given kinds, a column is a number or date column while each cell so far is one.
    QList<bool> maybeNumber(ncols, !givenKinds), maybeDate(ncols, !givenKinds), filled(ncols, false);
    for (int c = 0; c < ncols; ++c) {
        ColumnLayout& col = columns[c];
        col.widthChars = displayWidth(table.headers[c]);
        if (givenKinds) col.kind = table.kinds.value(c, CellKind::Text);
        if (c < table.units.size()) col.unit = table.units[c];
    }
    for (const QStringList& row : table.rows) {
        for (int c = 0; c < ncols && c < row.size(); ++c) {
            const QStringView cell = trimmedView(row[c]);
            if (cell.isEmpty()) continue;
            filled[c] = true;
            ColumnLayout& col = columns[c];
            // No character is wider than 2: a cell that short cannot widen the column.
            if (cell.size() * 2 > col.widthChars) col.widthChars = std::max(col.widthChars, displayWidth(cell));
            if (givenKinds) {
                if (col.kind == CellKind::Number && !col.grouped && cell.contains(u',')) {
                    const auto n = col.unit.isNone() ? numberFromText(cell) : numberWithUnit(cell, col.unit);
                    col.grouped = n && n->grouped;
                }
                continue;
            }
            if (maybeNumber[c]) {
                const auto number = numberFromText(cell);
                if (!number) maybeNumber[c] = false;
                if (number && number->grouped) col.grouped = true;
            }
            if (maybeDate[c] && !dateFromText(cell).isValid()) maybeDate[c] = false;
        }
    }
    if (!givenKinds) {
        for (int c = 0; c < ncols; ++c) {
            if (filled[c] && maybeNumber[c])
                columns[c].kind = CellKind::Number;
            else if (filled[c] && maybeDate[c])
                columns[c].kind = CellKind::Date;
        }
    }
    return columns;
}

QList<CellKind> columnKinds(const ExportTable& table)
{
    QList<CellKind> kinds;
    for (const ColumnLayout& c : layoutColumns(table)) kinds << c.kind;
    return kinds;
}

QString suggestedFileName(const QString& title, const QDate& date, ExportFormat format)
{
    QString name;
    for (QChar c : title) name += c.unicode() < 0x20 || QStringLiteral("\\/:*?\"<>|").contains(c) ? QChar(u' ') : c;
    // A leading dot would hide the file; a trailing one Windows drops.
    while (name.startsWith(u'.') || name.startsWith(u' ')) name.remove(0, 1);
    while (name.endsWith(u'.') || name.endsWith(u' ')) name.chop(1);
    name = name.simplified();
    if (name.isEmpty()) name = QStringLiteral("목록");
    static const QRegularExpression day(QStringLiteral("(?<!\\d)\\d{4}-\\d{2}-\\d{2}(?!\\d)"));
    if (!name.contains(day)) name += u' ' + date.toString(QStringLiteral("yyyy-MM-dd"));
    return name + (format == ExportFormat::Xlsx ? QStringLiteral(".xlsx") : QStringLiteral(".csv"));
}

QString sheetNameOf(const QString& title)
{
    constexpr qsizetype kMaxSheetNameChars = 31;  // Excel's limit
    QString name;
    for (QChar c : title) {
        if (QStringLiteral("[]:*?/\\").contains(c)) continue;
        name += c.unicode() < 0x20 ? QChar(u' ') : c;
    }
    name = name.simplified();
    if (name.size() > kMaxSheetNameChars) {
        // The blank at index 31 or before ends the last word that fits.
        const qsizetype blank = name.lastIndexOf(u' ', kMaxSheetNameChars);
        name.truncate(blank > 0 ? blank : kMaxSheetNameChars);
        if (name.back().isHighSurrogate()) name.chop(1);
        // "A - B" cut before B leaves no dangling dash.
        while (!name.isEmpty() && (name.back() == u' ' || name.back() == u'-' || name.back() == u'~')) name.chop(1);
    }
    // Excel refuses a name that starts or ends with an apostrophe.
    while (name.startsWith(u'\'')) name.remove(0, 1);
    while (name.endsWith(u'\'')) name.chop(1);
    name = name.trimmed();
    return name.isEmpty() ? QStringLiteral("목록") : name;
}

ExportStatus saveXlsxSheets(const QList<XlsxSheet>& sheets, const QString& path, const ExportProgress& progress)
{
    const QFileInfo target(path);
    // Hidden and beside the target, so the rename stays within one file system.
    QTemporaryFile temp(target.absolutePath() + QStringLiteral("/.") + target.fileName() + QStringLiteral(".XXXXXX"));
    if (!temp.open()) return ExportStatus::CannotCreate;
    temp.close();  // the workbook writer opens it by name
    const ExportStatus written = writeXlsxFile(sheets, QFile::encodeName(temp.fileName()), progress);
    if (written != ExportStatus::Saved) return written;  // the temporary file goes with `temp`
    temp.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                        QFileDevice::ReadOther);
    std::error_code ec;
    std::filesystem::rename(QFile::encodeName(temp.fileName()).toStdString(), QFile::encodeName(path).toStdString(),
                            ec);
    if (ec) return ExportStatus::CannotReplace;
    temp.setAutoRemove(false);
    return ExportStatus::Saved;
}

ExportStatus saveWholeFile(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return ExportStatus::CannotCreate;
    if (file.write(bytes) != bytes.size()) return ExportStatus::WriteFailed;  // the save file drops it
    return committed(file);
}

ExportStatus saveTable(const ExportTable& table, ExportFormat format, const QString& path,
                       const ExportProgress& progress)
{
    const QList<ColumnLayout> columns = layoutColumns(table);
    if (format == ExportFormat::Csv) return saveCsv(table, columns, path, progress);
    return saveXlsxSheets({{&table, columns, sheetNameOf(table.title)}}, path, progress);
}
