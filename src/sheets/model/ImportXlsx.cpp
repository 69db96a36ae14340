// The workbook side of the import: the parts of an .xlsx file read with minizip, the sheet
// parsed as it is unpacked, so only its shared strings and styles are held whole.
#include "sheets/model/ImportSource.h"

#include <minizip/unzip.h>
#include <QDate>
#include <QFile>
#include <QHash>
#include <QList>
#include <QXmlStreamReader>
#include <cmath>

namespace {
const QString kNotWorkbook =
    QStringLiteral("엑셀 파일을 읽을 수 없습니다. 엑셀 통합 문서(.xlsx)인지, 손상되지 않았는지 확인해 주세요.");

constexpr int kChunkBytes = 1 << 16;

// One open .xlsx (a zip file).
class Zip {
public:
    explicit Zip(const QString& path) : m_zip(unzOpen64(QFile::encodeName(path).constData())) {}
    ~Zip()
    {
        if (m_zip) {
            if (m_entryOpen) unzCloseCurrentFile(m_zip);
            unzClose(m_zip);
        }
    }
    Zip(const Zip&) = delete;
    Zip& operator=(const Zip&) = delete;

    bool isOpen() const { return m_zip != nullptr; }

    // Opens a part for reading with readSome; false when the file has no such part.
    bool openEntry(const QString& name)
    {
        closeEntry();
        // Case-insensitive: writers differ in the case of part names.
        if (!m_zip || unzLocateFile(m_zip, name.toUtf8().constData(), 2) != UNZ_OK) return false;
        if (unzOpenCurrentFile(m_zip) != UNZ_OK) return false;
        unz_file_info64 info{};
        unzGetCurrentFileInfo64(m_zip, &info, nullptr, 0, nullptr, 0, nullptr, 0);
        m_entrySize = qint64(info.uncompressed_size);
        m_entryRead = 0;
        m_entryOpen = true;
        return true;
    }
    // Up to `max` bytes of the open part: empty at its end; false in `ok` on an error.
    QByteArray readSome(int max, bool* ok)
    {
        QByteArray buf(max, Qt::Uninitialized);
        const int n = m_entryOpen ? unzReadCurrentFile(m_zip, buf.data(), unsigned(max)) : 0;
        *ok = n >= 0;
        buf.truncate(std::max(n, 0));
        m_entryRead += buf.size();
        return buf;
    }
    void closeEntry()
    {
        if (m_entryOpen) unzCloseCurrentFile(m_zip);
        m_entryOpen = false;
    }
    // A whole part; empty and false in `found` when there is none.
    QByteArray read(const QString& name, bool* found)
    {
        *found = openEntry(name);
        QByteArray all;
        bool ok = true;
        while (*found) {
            const QByteArray some = readSome(kChunkBytes, &ok);
            if (!ok) *found = false;
            if (some.isEmpty()) break;
            all += some;
        }
        closeEntry();
        return all;
    }
    double entryDone() const { return m_entrySize > 0 ? double(m_entryRead) / double(m_entrySize) : 0; }

private:
    unzFile m_zip;
    bool m_entryOpen = false;
    qint64 m_entrySize = 0;
    qint64 m_entryRead = 0;
};

struct Sheet {
    QString name;
    QString part;  // the zip entry of its XML
};

// A relationship target as a zip entry name: relative to xl/ or absolute from the root.
QString partName(const QString& target)
{
    if (target.startsWith(u'/')) return target.mid(1);
    return QStringLiteral("xl/") + target;
}

// What the workbook part and its relationships say: the sheets and where the shared strings
// and styles are.
struct WorkbookParts {
    QList<Sheet> sheets;
    QString sharedStrings = QStringLiteral("xl/sharedStrings.xml");
    QString styles = QStringLiteral("xl/styles.xml");
    bool date1904 = false;
};

bool readWorkbook(Zip& zip, WorkbookParts* parts)
{
    bool found = false;
    const QByteArray rels = zip.read(QStringLiteral("xl/_rels/workbook.xml.rels"), &found);
    QHash<QString, QString> targets;
    for (QXmlStreamReader x(rels); !x.atEnd();) {
        if (x.readNext() != QXmlStreamReader::StartElement || x.name() != u"Relationship") continue;
        const QXmlStreamAttributes a = x.attributes();
        const QString target = partName(a.value(QLatin1String("Target")).toString());
        const QStringView type = a.value(QLatin1String("Type"));
        targets.insert(a.value(QLatin1String("Id")).toString(), target);
        if (type.endsWith(u"/sharedStrings")) parts->sharedStrings = target;
        if (type.endsWith(u"/styles")) parts->styles = target;
    }
    const QByteArray workbook = zip.read(QStringLiteral("xl/workbook.xml"), &found);
    if (!found) return false;
    int number = 0;
    for (QXmlStreamReader x(workbook); !x.atEnd();) {
        if (x.readNext() != QXmlStreamReader::StartElement) continue;
        const QXmlStreamAttributes a = x.attributes();
        if (x.name() == u"workbookPr") {
            const QStringView v = a.value(QLatin1String("date1904"));
            parts->date1904 = v == u"1" || v == u"true";
        } else if (x.name() == u"sheet") {
            ++number;
            // The relationship id is in the office relationships namespace, whatever its prefix.
            QString id;
            for (const QXmlStreamAttribute& attr : a)
                if (attr.name() == u"id") id = attr.value().toString();
            const QString part = targets.value(id, QStringLiteral("xl/worksheets/sheet%1.xml").arg(number));
            parts->sheets.append(Sheet{a.value(QLatin1String("name")).toString(), part});
        }
    }
    return !parts->sheets.isEmpty();
}

// The text of a shared string item: its <t> elements, the runs' included, without the
// phonetic guides (<rPh>).
QStringList readSharedStrings(const QByteArray& xml)
{
    QStringList strings;
    QString current;
    int phonetic = 0;
    for (QXmlStreamReader x(xml); !x.atEnd();) {
        switch (x.readNext()) {
        case QXmlStreamReader::StartElement:
            if (x.name() == u"si") current.clear();
            if (x.name() == u"rPh") ++phonetic;
            if (x.name() == u"t" && phonetic == 0) current += x.readElementText();
            break;
        case QXmlStreamReader::EndElement:
            if (x.name() == u"rPh") --phonetic;
            if (x.name() == u"si") strings << current;
            break;
        default: break;
        }
    }
    return strings;
}

// True for a number format that shows a day: Excel's built-in date formats (including the
// Korean ones) and any format code with a year or day in it.
bool isDateFormat(int id, const QString& code)
{
    if ((id >= 14 && id <= 17) || id == 22 || (id >= 27 && id <= 36) || (id >= 50 && id <= 58)) return true;
    if (code.isEmpty()) return false;
    bool quoted = false;
    int bracket = 0;
    for (qsizetype i = 0; i < code.size(); ++i) {
        const QChar c = code[i];
        if (c == u'"') quoted = !quoted;
        if (quoted) continue;
        if (c == u'\\') {
            ++i;
            continue;
        }
        if (c == u'[') ++bracket;
        if (c == u']') bracket = std::max(0, bracket - 1);
        if (bracket > 0) continue;
        const QChar l = c.toLower();
        if (l == u'y' || l == u'd' || c == u'년' || c == u'일') return true;
    }
    return false;
}

// For each cell style (the cell's s attribute): whether its number format shows a date.
QList<bool> readDateStyles(const QByteArray& xml)
{
    QHash<int, QString> codes;
    QList<bool> dateStyles;
    bool inCellXfs = false;
    for (QXmlStreamReader x(xml); !x.atEnd();) {
        const QXmlStreamReader::TokenType t = x.readNext();
        if (t == QXmlStreamReader::EndElement && x.name() == u"cellXfs") inCellXfs = false;
        if (t != QXmlStreamReader::StartElement) continue;
        const QXmlStreamAttributes a = x.attributes();
        if (x.name() == u"numFmt")
            codes.insert(a.value(QLatin1String("numFmtId")).toInt(), a.value(QLatin1String("formatCode")).toString());
        if (x.name() == u"cellXfs") inCellXfs = true;
        if (x.name() == u"xf" && inCellXfs) {
            const int id = a.value(QLatin1String("numFmtId")).toInt();
            dateStyles << isDateFormat(id, codes.value(id));
        }
    }
    return dateStyles;
}

// A number cell as a list would show it: whole numbers without a decimal point, others with
// at most 15 significant digits (a binary fraction's tail dropped).
QString numberText(const QString& raw)
{
    bool ok = false;
    const double d = raw.toDouble(&ok);
    if (!ok || !std::isfinite(d)) return raw;
    if (d == std::floor(d) && std::fabs(d) < 1e15) return QString::number(qint64(d));
    return QString::number(d, 'g', 15);
}

// The day an Excel serial number names, as yyyy-mm-dd; the number itself when it names none.
QString serialDate(const QString& raw, bool date1904)
{
    bool ok = false;
    const double serial = raw.toDouble(&ok);
    if (!ok || !std::isfinite(serial) || serial < 1 || serial > 3e6) return numberText(raw);
    const QDate d = dayOfExcelSerial(qint64(std::floor(serial)), date1904);
    // Excel's day that never was: the import refuses it as a date.
    if (!d.isValid()) return QStringLiteral("1900-02-29");
    return d.toString(QStringLiteral("yyyy-MM-dd"));
}

class WorkbookRows : public RowReader {
public:
    WorkbookRows(std::unique_ptr<Zip> zip, QStringList strings, QList<bool> dateStyles, bool date1904)
        : m_zip(std::move(zip)),
          m_strings(std::move(strings)),
          m_dateStyles(std::move(dateStyles)),
          m_date1904(date1904)
    {
    }

    bool next(QStringList& cells) override
    {
        cells.clear();
        // The sheet arrives in pieces: a text may be cut anywhere, so texts are gathered from
        // their character tokens rather than read whole.
        enum class Into { Nothing, Value, Inline };
        QString cellType, value, inlineText;
        Into into = Into::Nothing;
        int col = -1, style = -1, phonetic = 0;
        bool inRow = false;
        for (;;) {
            const QXmlStreamReader::TokenType t = m_xml.readNext();
            if (m_xml.error() == QXmlStreamReader::PrematureEndOfDocumentError) {
                if (feed()) continue;
                return finish();
            }
            if (m_xml.hasError()) {
                m_error = kNotWorkbook;
                return false;
            }
            switch (t) {
            case QXmlStreamReader::EndDocument: return finish();
            case QXmlStreamReader::StartElement: {
                const QStringView name = m_xml.name();
                if (name == u"row") {
                    inRow = true;
                    const qint64 r = m_xml.attributes().value(QLatin1String("r")).toLongLong();
                    m_line = r > 0 ? r : m_line + 1;
                    m_nextCol = 0;
                } else if (name == u"c" && inRow) {
                    const QXmlStreamAttributes a = m_xml.attributes();
                    col = columnOfReference(a.value(QLatin1String("r")));
                    if (col < 0) col = m_nextCol;
                    cellType = a.value(QLatin1String("t")).toString();
                    style = a.hasAttribute(QLatin1String("s")) ? a.value(QLatin1String("s")).toInt() : -1;
                    value.clear();
                    inlineText.clear();
                } else if (name == u"v" && col >= 0) {
                    into = Into::Value;
                } else if (name == u"t" && col >= 0 && phonetic == 0) {
                    into = Into::Inline;  // an inline string, or one of its runs
                } else if (name == u"rPh") {
                    ++phonetic;
                }
                break;
            }
            case QXmlStreamReader::Characters:
                if (into == Into::Value) value += m_xml.text();
                if (into == Into::Inline) inlineText += m_xml.text();
                break;
            case QXmlStreamReader::EndElement: {
                const QStringView name = m_xml.name();
                if (name == u"v" || name == u"t") {
                    into = Into::Nothing;
                } else if (name == u"rPh") {
                    phonetic = std::max(0, phonetic - 1);
                } else if (name == u"c" && col >= 0) {
                    // A cell far to the right would make the row as wide as its place.
                    if (col >= kMaxImportColumns) {
                        m_error = tooManyColumnsError(m_line);
                        return false;
                    }
                    const QString text = cellText(cellType, style, value, inlineText);
                    if (text.size() > kMaxImportCellChars) {
                        m_error = cellTooLongError(m_line, col);
                        return false;
                    }
                    if (cells.size() > col) {
                        cells[col] = text;
                    } else {
                        while (cells.size() < col) cells << QString();
                        cells << text;
                    }
                    m_nextCol = col + 1;
                    col = -1;
                } else if (name == u"row" && inRow) {
                    return true;
                }
                break;
            }
            default: break;
            }
        }
    }

    qint64 line() const override { return m_line; }
    double done() const override { return m_zip->entryDone(); }
    QString error() const override { return m_error; }

    bool start(const QString& part)
    {
        if (!m_zip->openEntry(part)) return false;
        return feed();
    }

private:
    bool feed()
    {
        bool ok = true;
        const QByteArray some = m_zip->readSome(kChunkBytes, &ok);
        if (!ok) m_error = kNotWorkbook;
        if (some.isEmpty()) return false;
        m_xml.addData(some);
        return true;
    }
    bool finish()
    {
        if (m_xml.error() == QXmlStreamReader::PrematureEndOfDocumentError && m_error.isEmpty()) m_error = kNotWorkbook;
        return false;
    }

    QString cellText(const QString& type, int style, const QString& value, const QString& inlineText) const
    {
        if (type == u"s") return m_strings.value(value.toInt());
        if (type == u"inlineStr") return inlineText;
        if (type == u"str" || type == u"e") return value;
        if (type == u"b") return value == u"1" ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
        if (type == u"d") return value.left(10);  // an ISO date and time
        if (value.isEmpty()) return QString();
        if (style >= 0 && style < m_dateStyles.size() && m_dateStyles[style]) return serialDate(value, m_date1904);
        return numberText(value);
    }

    std::unique_ptr<Zip> m_zip;
    QStringList m_strings;
    QList<bool> m_dateStyles;
    bool m_date1904;
    QXmlStreamReader m_xml;
    qint64 m_line = 0;
    int m_nextCol = 0;
    QString m_error;
};
}  // namespace

QStringList workbookSheets(const QString& path, QString* error)
{
    Zip zip(path);
    WorkbookParts parts;
    if (!zip.isOpen() || !readWorkbook(zip, &parts)) {
        if (error) *error = kNotWorkbook;
        return {};
    }
    QStringList names;
    for (const Sheet& s : parts.sheets) names << s.name;
    return names;
}

std::unique_ptr<RowReader> openWorkbookRows(const ImportFile& file, QString* error)
{
    auto zip = std::make_unique<Zip>(file.path);
    WorkbookParts parts;
    if (!zip->isOpen() || !readWorkbook(*zip, &parts) || file.sheet < 0 || file.sheet >= parts.sheets.size()) {
        if (error) *error = kNotWorkbook;
        return nullptr;
    }
    bool found = false;
    QStringList strings = readSharedStrings(zip->read(parts.sharedStrings, &found));
    QList<bool> dateStyles = readDateStyles(zip->read(parts.styles, &found));
    const QString part = parts.sheets[file.sheet].part;
    auto rows =
        std::make_unique<WorkbookRows>(std::move(zip), std::move(strings), std::move(dateStyles), parts.date1904);
    if (!rows->start(part)) {
        if (error) *error = kNotWorkbook;
        return nullptr;
    }
    return rows;
}
