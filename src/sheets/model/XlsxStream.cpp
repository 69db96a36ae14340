#include "sheets/model/XlsxStream.h"

#include <minizip/zip.h>

#include <charconv>
#include <cmath>
#include <cstring>
#include <ctime>

namespace {
// Deflate's fastest level: the sheet XML is very repetitive, so the file is only about a fifth
// larger than at the default level and compressing costs well under half. Level 2 gave a 4%
// smaller file for slightly more work.
constexpr int kDeflateLevel = Z_BEST_SPEED;
// The sheet XML goes to the zip entry in chunks of this size.
constexpr size_t kChunk = size_t(1) << 20;
// The most one text cell takes in the buffer: its markup and 6 bytes per UTF-16 unit
// ("&quot;" is the longest a unit becomes).
constexpr size_t kMaxCellBytes = 6 * size_t(XlsxStream::kMaxCellChars) + 256;
static_assert(kMaxCellBytes < kChunk);

const char kXmlHead[] = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
const char kMainNs[] = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
const char kRelNs[] = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";

template <size_t N>
char* put(char* p, const char (&literal)[N])
{
    std::memcpy(p, literal, N - 1);
    return p + N - 1;
}

char* putInt(char* p, long long v)
{
    return std::to_chars(p, p + 24, v).ptr;
}

// Whole numbers as digits; any other value in the shortest form that reads back the same.
char* putNumber(char* p, double v)
{
    if (std::abs(v) < 1e15 && v == std::trunc(v)) return putInt(p, static_cast<long long>(v));
    return std::to_chars(p, p + 32, v).ptr;
}

// UTF-16 to UTF-8 with XML escaping. Characters XML 1.0 cannot hold (control characters but
// tab and line breaks, U+FFFE, U+FFFF) are left out: a file holding one does not open. A lone
// surrogate becomes U+FFFD. CR LF and a lone CR become LF. `p` has room for 6 bytes a unit.
char* putEscaped(char* p, QStringView s, bool attribute)
{
    const char16_t* u = s.utf16();
    const qsizetype n = s.size();
    for (qsizetype i = 0; i < n; ++i) {
        char32_t c = u[i];
        if (c < 0x80) {
            if (c >= 0x20 && c != '&' && c != '<' && c != '>' && c != '"') {
                *p++ = char(c);
                continue;
            }
            switch (c) {
            case '&': p = put(p, "&amp;"); break;
            case '<': p = put(p, "&lt;"); break;
            case '>': p = put(p, "&gt;"); break;
            case '"': p = attribute ? put(p, "&quot;") : (*p = '"', p + 1); break;
            case '\t': *p++ = '\t'; break;
            case '\n': *p++ = '\n'; break;
            case '\r':
                if (i + 1 < n && u[i + 1] == u'\n') break;
                *p++ = '\n';
                break;
            default: break;
            }
            continue;
        }
        if (c >= 0xD800 && c <= 0xDFFF) {
            if (c < 0xDC00 && i + 1 < n && u[i + 1] >= 0xDC00 && u[i + 1] <= 0xDFFF)
                c = 0x10000 + ((c - 0xD800) << 10) + (u[++i] - 0xDC00);
            else
                c = 0xFFFD;
        } else if (c >= 0xFFFE) {
            continue;
        }
        if (c < 0x800) {
            *p++ = char(0xC0 | (c >> 6));
        } else if (c < 0x10000) {
            *p++ = char(0xE0 | (c >> 12));
            *p++ = char(0x80 | ((c >> 6) & 0x3F));
        } else {
            *p++ = char(0xF0 | (c >> 18));
            *p++ = char(0x80 | ((c >> 12) & 0x3F));
            *p++ = char(0x80 | ((c >> 6) & 0x3F));
        }
        *p++ = char(0x80 | (c & 0x3F));
    }
    return p;
}

QByteArray escaped(QStringView s)
{
    QByteArray out(6 * s.size(), Qt::Uninitialized);
    out.truncate(putEscaped(out.data(), s, true) - out.data());
    return out;
}

QByteArray numberText(double v)
{
    char buf[40];
    return QByteArray(buf, putNumber(buf, v) - buf);
}

QByteArray argb(QRgb c)
{
    return "FF" + QByteArray::number(c & 0xFFFFFF, 16).toUpper().rightJustified(6, '0');
}

// Excel stores a column's width with the padding of its cells: what Excel itself writes for a
// width typed in characters of the default font.
double storedWidth(double chars)
{
    constexpr double digit = 7, padding = 5;
    if (chars <= 0) return 0;
    if (chars < 1) return std::floor(std::floor(chars * (digit + padding) + 0.5) / digit * 256) / 256;
    return std::floor((std::floor(chars * digit + 0.5) + padding) / digit * 256) / 256;
}

QByteArray letters(int col)
{
    return columnLetter(col).toLatin1();
}

QByteArray cellName(int row, int col)
{
    return letters(col) + QByteArray::number(row + 1);
}

// The index of `item` in `list`, appended when new.
int indexIn(QList<QByteArray>& list, const QByteArray& item)
{
    const qsizetype i = list.indexOf(item);
    if (i >= 0) return int(i);
    list << item;
    return int(list.size() - 1);
}
}  // namespace

XlsxStream::XlsxStream(const QByteArray& file) : m_buf(kChunk), m_styles{XlsxStyle()}
{
    m_zip = zipOpen64(file.constData(), APPEND_STATUS_CREATE);
}

XlsxStream::~XlsxStream()
{
    if (m_zip) zipClose(m_zip, nullptr);
}

int XlsxStream::style(const XlsxStyle& style)
{
    const qsizetype i = m_styles.indexOf(style);
    if (i >= 0) return int(i);
    m_styles << style;
    return int(m_styles.size() - 1);
}

bool XlsxStream::openEntry(const char* name)
{
    if (m_failed || !m_zip) return m_failed = true, false;
    zip_fileinfo info{};
    const std::time_t now = std::time(nullptr);
    std::tm t{};
    localtime_r(&now, &t);
    info.tmz_date = {uInt(t.tm_sec),  uInt(t.tm_min), uInt(t.tm_hour),
                     uInt(t.tm_mday), uInt(t.tm_mon), uInt(t.tm_year + 1900)};
    if (zipOpenNewFileInZip64(m_zip, name, &info, nullptr, 0, nullptr, 0, nullptr, Z_DEFLATED, kDeflateLevel, 0) !=
        ZIP_OK)
        m_failed = true;
    return !m_failed;
}

bool XlsxStream::closeEntry()
{
    flush();
    if (!m_failed && zipCloseFileInZip(m_zip) != ZIP_OK) m_failed = true;
    return !m_failed;
}

bool XlsxStream::writePart(const char* name, const QByteArray& xml)
{
    if (!openEntry(name)) return false;
    if (zipWriteInFileInZip(m_zip, xml.constData(), unsigned(xml.size())) != ZIP_OK) m_failed = true;
    return closeEntry();
}

void XlsxStream::flush()
{
    if (m_used && !m_failed && zipWriteInFileInZip(m_zip, m_buf.data(), unsigned(m_used)) != ZIP_OK) m_failed = true;
    m_used = 0;
}

char* XlsxStream::room(size_t bytes)
{
    if (m_used + bytes > m_buf.size()) flush();
    return m_buf.data() + m_used;
}

const QByteArray& XlsxStream::columnName(int col)
{
    while (m_columnNames.size() <= col) m_columnNames << letters(int(m_columnNames.size()));
    return m_columnNames[col];
}

bool XlsxStream::beginSheet(const XlsxSheetSetup& setup)
{
    if (m_inSheet) endSheet();
    m_sheets << setup;
    if (!openEntry(QByteArray("xl/worksheets/sheet" + QByteArray::number(m_sheets.size()) + ".xml").constData()))
        return false;
    m_inSheet = true;
    QByteArray head = kXmlHead;
    head += QByteArray("<worksheet xmlns=\"") + kMainNs + "\" xmlns:r=\"" + kRelNs + "\"><sheetViews><sheetView ";
    if (m_sheets.size() == 1) head += "tabSelected=\"1\" ";
    head += "workbookViewId=\"0\"";
    if (setup.frozenRows > 0) {
        const QByteArray below = cellName(setup.frozenRows, 0);
        head += "><pane ySplit=\"" + QByteArray::number(setup.frozenRows) + "\" topLeftCell=\"" + below +
                "\" activePane=\"bottomLeft\" state=\"frozen\"/><selection pane=\"bottomLeft\" activeCell=\"" + below +
                "\" sqref=\"" + below + "\"/></sheetView>";
    } else {
        head += "/>";
    }
    head += "</sheetViews><sheetFormatPr defaultRowHeight=\"15\"/>";
    if (!setup.columnWidths.isEmpty()) {
        head += "<cols>";
        for (qsizetype c = 0; c < setup.columnWidths.size(); ++c) {
            const QByteArray n = QByteArray::number(c + 1);
            head += "<col min=\"" + n + "\" max=\"" + n + "\" width=\"" +
                    numberText(storedWidth(setup.columnWidths[c])) + "\" customWidth=\"1\"/>";
        }
        head += "</cols>";
    }
    head += "<sheetData>";
    char* p = room(size_t(head.size()));
    std::memcpy(p, head.constData(), size_t(head.size()));
    m_used += size_t(head.size());
    return !m_failed;
}

void XlsxStream::beginRow(int row)
{
    m_rowLen = int(putInt(m_row, row + 1) - m_row);
    char* p = room(32);
    p = put(p, "<row r=\"");
    std::memcpy(p, m_row, size_t(m_rowLen));
    p = put(p + m_rowLen, "\">");
    m_used = size_t(p - m_buf.data());
}

void XlsxStream::endRow()
{
    char* p = room(8);
    m_used = size_t(put(p, "</row>") - m_buf.data());
}

char* XlsxStream::cellStart(char* p, int col, int style)
{
    const QByteArray& name = columnName(col);
    p = put(p, "<c r=\"");
    std::memcpy(p, name.constData(), size_t(name.size()));
    p += name.size();
    std::memcpy(p, m_row, size_t(m_rowLen));
    p += m_rowLen;
    if (style > 0) {
        p = put(p, "\" s=\"");
        p = putInt(p, style);
    }
    return p;
}

void XlsxStream::number(int col, double value, int style)
{
    if (!std::isfinite(value)) return;  // Excel has no infinity or NaN
    char* p = cellStart(room(128), col, style);
    p = put(p, "\"><v>");
    p = putNumber(p, value);
    m_used = size_t(put(p, "</v></c>") - m_buf.data());
}

void XlsxStream::text(int col, QStringView text, int style)
{
    if (text.size() > kMaxCellChars) {
        text = text.left(kMaxCellChars);
        if (text.back().isHighSurrogate()) text.chop(1);
    }
    char* p = cellStart(room(kMaxCellBytes), col, style);
    // Excel drops blanks at either end of a text unless told to keep them.
    const auto blank = [](QChar c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r'; };
    if (!text.isEmpty() && (blank(text.front()) || blank(text.back())))
        p = put(p, "\" t=\"inlineStr\"><is><t xml:space=\"preserve\">");
    else
        p = put(p, "\" t=\"inlineStr\"><is><t>");
    p = putEscaped(p, text, false);
    m_used = size_t(put(p, "</t></is></c>") - m_buf.data());
}

bool XlsxStream::endSheet()
{
    if (!m_inSheet) return !m_failed;
    m_inSheet = false;
    const XlsxSheetSetup& setup = m_sheets.back();
    QByteArray tail = "</sheetData>";
    if (setup.filterRow >= 0 && setup.filterColumns > 0)
        tail += "<autoFilter ref=\"" + cellName(setup.filterRow, 0) + ':' +
                cellName(std::max(setup.filterRow, setup.filterLastRow), setup.filterColumns - 1) + "\"/>";
    tail +=
        "<pageMargins left=\"0.7\" right=\"0.7\" top=\"0.75\" bottom=\"0.75\" header=\"0.3\" footer=\"0.3\"/>"
        "</worksheet>";
    char* p = room(size_t(tail.size()));
    std::memcpy(p, tail.constData(), size_t(tail.size()));
    m_used += size_t(tail.size());
    return closeEntry();
}

QByteArray XlsxStream::stylesXml() const
{
    QList<QByteArray> formats, fonts,
        fills{"<fill><patternFill patternType=\"none\"/></fill>",
              "<fill><patternFill patternType=\"gray125\"/></fill>"},
        borders{"<border><left/><right/><top/><bottom/><diagonal/></border>"};
    QByteArray xfs;
    for (const XlsxStyle& s : m_styles) {
        const int format = s.numberFormat.isEmpty() ? 0 : 164 + indexIn(formats, s.numberFormat);
        QByteArray font = "<font>";
        if (s.bold) font += "<b/>";
        font += "<sz val=\"" + QByteArray::number(s.fontSize) + "\"/>";
        if (s.color) font += "<color rgb=\"" + argb(s.color) + "\"/>";
        font += "<name val=\"Calibri\"/><family val=\"2\"/></font>";
        const int fontId = indexIn(fonts, font);
        const int fill = s.fill
                             ? indexIn(fills, "<fill><patternFill patternType=\"solid\"><fgColor rgb=\"" +
                                                  argb(s.fill) + "\"/><bgColor indexed=\"64\"/></patternFill></fill>")
                             : 0;
        const int border = s.bottomBorder ? indexIn(borders,
                                                    "<border><left/><right/><top/><bottom style=\"thin\">"
                                                    "<color auto=\"1\"/></bottom><diagonal/></border>")
                                          : 0;
        xfs += "<xf numFmtId=\"" + QByteArray::number(format) + "\" fontId=\"" + QByteArray::number(fontId) +
               "\" fillId=\"" + QByteArray::number(fill) + "\" borderId=\"" + QByteArray::number(border) +
               "\" xfId=\"0\"";
        if (format) xfs += " applyNumberFormat=\"1\"";
        if (fontId) xfs += " applyFont=\"1\"";
        if (fill) xfs += " applyFill=\"1\"";
        if (border) xfs += " applyBorder=\"1\"";
        xfs += s.leftAligned ? " applyAlignment=\"1\"><alignment horizontal=\"left\"/></xf>" : "/>";
    }
    const auto list = [](const char* tag, const QList<QByteArray>& items) {
        return '<' + QByteArray(tag) + " count=\"" + QByteArray::number(items.size()) + "\">" + items.join() + "</" +
               tag + '>';
    };
    QByteArray xml = kXmlHead;
    xml += QByteArray("<styleSheet xmlns=\"") + kMainNs + "\">";
    if (!formats.isEmpty()) {
        QList<QByteArray> numFmts;
        for (qsizetype i = 0; i < formats.size(); ++i)
            numFmts << "<numFmt numFmtId=\"" + QByteArray::number(164 + i) + "\" formatCode=\"" +
                           escaped(QString::fromUtf8(formats[i])) + "\"/>";
        xml += list("numFmts", numFmts);
    }
    xml += list("fonts", fonts) + list("fills", fills) + list("borders", borders);
    xml += "<cellStyleXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\"/></cellStyleXfs>";
    xml += "<cellXfs count=\"" + QByteArray::number(m_styles.size()) + "\">" + xfs + "</cellXfs>";
    xml +=
        "<cellStyles count=\"1\"><cellStyle name=\"Normal\" xfId=\"0\" builtinId=\"0\"/></cellStyles>"
        "<dxfs count=\"0\"/><tableStyles count=\"0\"/></styleSheet>";
    return xml;
}

QByteArray XlsxStream::workbookXml() const
{
    QByteArray sheets, names;
    for (qsizetype i = 0; i < m_sheets.size(); ++i) {
        const XlsxSheetSetup& s = m_sheets[i];
        const QByteArray n = QByteArray::number(i + 1);
        sheets += "<sheet name=\"" + escaped(s.name) + "\" sheetId=\"" + n + "\" r:id=\"rId" + n + "\"/>";
        if (s.filterRow < 0 || s.filterColumns <= 0) continue;
        // Excel keeps an autofilter's range under this hidden name as well.
        const QString quoted = u'\'' + QString(s.name).replace(u'\'', QStringLiteral("''")) + u'\'';
        const int last = std::max(s.filterRow, s.filterLastRow) + 1;
        names += "<definedName name=\"_xlnm._FilterDatabase\" localSheetId=\"" + QByteArray::number(i) +
                 "\" hidden=\"1\">" + escaped(quoted) + "!$A$" + QByteArray::number(s.filterRow + 1) + ":$" +
                 letters(s.filterColumns - 1) + '$' + QByteArray::number(last) + "</definedName>";
    }
    QByteArray xml = kXmlHead;
    xml += QByteArray("<workbook xmlns=\"") + kMainNs + "\" xmlns:r=\"" + kRelNs + "\">";
    xml +=
        "<bookViews><workbookView xWindow=\"240\" yWindow=\"15\" windowWidth=\"16095\" windowHeight=\"9660\"/>"
        "</bookViews><sheets>" +
        sheets + "</sheets>";
    if (!names.isEmpty()) xml += "<definedNames>" + names + "</definedNames>";
    xml += "<calcPr calcId=\"124519\" fullCalcOnLoad=\"1\"/></workbook>";
    return xml;
}

bool XlsxStream::finish()
{
    if (!m_zip) return false;
    endSheet();
    // A workbook holds at least one sheet.
    if (m_sheets.isEmpty() && beginSheet({QStringLiteral("Sheet1"), {}, 0, -1, -1, 0})) endSheet();
    const QByteArray pkgRel = "http://schemas.openxmlformats.org/package/2006/relationships";
    const QByteArray docRel = QByteArray(kRelNs) + '/';
    const QByteArray sml = "application/vnd.openxmlformats-officedocument.spreadsheetml.";
    QByteArray rels = QByteArray(kXmlHead) + "<Relationships xmlns=\"" + pkgRel + "\">";
    QByteArray types =
        QByteArray(kXmlHead) +
        "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
        "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
        "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
        "<Override PartName=\"/xl/workbook.xml\" ContentType=\"" +
        sml + "sheet.main+xml\"/><Override PartName=\"/xl/styles.xml\" ContentType=\"" + sml + "styles+xml\"/>";
    for (qsizetype i = 0; i < m_sheets.size(); ++i) {
        const QByteArray n = QByteArray::number(i + 1);
        rels += "<Relationship Id=\"rId" + n + "\" Type=\"" + docRel + "worksheet\" Target=\"worksheets/sheet" + n +
                ".xml\"/>";
        types += "<Override PartName=\"/xl/worksheets/sheet" + n + ".xml\" ContentType=\"" + sml + "worksheet+xml\"/>";
    }
    rels += "<Relationship Id=\"rId" + QByteArray::number(m_sheets.size() + 1) + "\" Type=\"" + docRel +
            "styles\" Target=\"styles.xml\"/></Relationships>";
    types += "</Types>";
    writePart("[Content_Types].xml", types);
    writePart("_rels/.rels", QByteArray(kXmlHead) + "<Relationships xmlns=\"" + pkgRel +
                                 "\"><Relationship Id=\"rId1\" Type=\"" + docRel +
                                 "officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>");
    writePart("xl/workbook.xml", workbookXml());
    writePart("xl/_rels/workbook.xml.rels", rels);
    writePart("xl/styles.xml", stylesXml());
    if (zipClose(m_zip, nullptr) != ZIP_OK) m_failed = true;
    m_zip = nullptr;
    return !m_failed;
}
