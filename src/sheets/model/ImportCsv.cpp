// The CSV side of the import: bytes decoded chunk by chunk (Qt's UTF-8 decoder, glibc's iconv
// for CP949), then split into records on the decoded text.
#include "sheets/model/ImportSource.h"

#include <iconv.h>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <cerrno>
#include <cstring>

namespace {
constexpr qint64 kChunkBytes = 1 << 20;

const QString kCannotOpen = QStringLiteral("파일을 열 수 없습니다. 파일이 있는지, 읽을 수 있는지 확인해 주세요.");

class Decoder {
public:
    virtual ~Decoder() = default;
    // The text of the next bytes; a character cut at the end of `bytes` waits for the next call.
    virtual QString decode(const QByteArray& bytes, bool last) = 0;
    // True once a byte was no character of the encoding (it came out as U+FFFD).
    virtual bool hadBadBytes() const { return false; }
};

class Utf8Decoder : public Decoder {
public:
    QString decode(const QByteArray& bytes, bool) override { return m_decoder.decode(bytes); }
    bool hadBadBytes() const override { return m_decoder.hasError(); }

private:
    QStringDecoder m_decoder{QStringDecoder::Utf8};  // skips the byte-order mark
};

// CP949 is EUC-KR with the rest of the Hangul syllables; glibc's iconv knows it.
class Cp949Decoder : public Decoder {
public:
    Cp949Decoder() : m_cd(iconv_open("UTF-16LE", "CP949")) {}
    ~Cp949Decoder() override
    {
        if (m_cd != iconv_t(-1)) iconv_close(m_cd);
    }
    Cp949Decoder(const Cp949Decoder&) = delete;
    Cp949Decoder& operator=(const Cp949Decoder&) = delete;

    bool isValid() const { return m_cd != iconv_t(-1); }

    QString decode(const QByteArray& bytes, bool last) override
    {
        QByteArray in = m_left + bytes;
        m_left.clear();
        QString out(in.size() + 1, Qt::Uninitialized);
        char* inPtr = in.data();
        size_t inLeft = size_t(in.size());
        char* outStart = reinterpret_cast<char*>(out.data());
        char* outPtr = outStart;
        size_t outLeft = size_t(out.size()) * 2;
        while (inLeft > 0) {
            if (iconv(m_cd, &inPtr, &inLeft, &outPtr, &outLeft) != size_t(-1)) break;
            if (errno == EINVAL && !last) {
                m_left = QByteArray(inPtr, qsizetype(inLeft));  // a character cut by the chunk
                break;
            }
            // A byte that is no character: shown as the replacement character, as a viewer would.
            const char16_t replacement = u'\uFFFD';
            std::memcpy(outPtr, &replacement, 2);
            outPtr += 2;
            outLeft -= 2;
            ++inPtr;
            --inLeft;
        }
        out.truncate((outPtr - outStart) / 2);
        return out;
    }

private:
    iconv_t m_cd;
    QByteArray m_left;
};

const QString kBadUtf8 = QStringLiteral(
    "%1행: UTF-8 문자로 읽을 수 없는 바이트가 있습니다. 그 행을 고치거나, 파일을 UTF-8로 다시 "
    "저장하거나, 문자 인코딩을 바꿔 보십시오.");

class CsvRows : public RowReader {
public:
    CsvRows(std::unique_ptr<Decoder> decoder, QChar separator) : m_decoder(std::move(decoder)), m_sep(separator) {}

    bool open(const QString& path)
    {
        m_file.setFileName(path);
        if (!m_file.open(QIODevice::ReadOnly)) return false;
        m_size = std::max<qint64>(1, m_file.size());
        return true;
    }

    // The text read so far, for finding the separator.
    QStringView peekFirstLine()
    {
        if (m_text.isEmpty()) readMore();
        qsizetype end = 0;
        bool quoted = false;
        while (end < m_text.size() && (quoted || (m_text[end] != u'\n' && m_text[end] != u'\r'))) {
            if (m_text[end] == u'"') quoted = !quoted;
            ++end;
        }
        return QStringView(m_text).left(end);
    }
    void setSeparator(QChar sep) { m_sep = sep; }

    bool next(QStringList& cells) override
    {
        for (;;) {
            if (!m_error.isEmpty() || (m_pos >= m_text.size() && m_eof)) return false;
            const Parsed p = parse(cells);
            if (p == Parsed::TooBig) return false;
            if (p == Parsed::Complete) return !badBytesIn(cells);
            if (m_eof) {
                // The last record has no line break after it.
                m_pos = m_text.size();
                m_line = ++m_records;
                return !badBytesIn(cells);
            }
            readMore();
        }
    }
    qint64 line() const override { return m_line; }
    double done() const override { return double(m_read) / double(m_size); }
    QString error() const override { return m_error; }

private:
    enum class Parsed { Complete, NeedMore, TooBig };

    // A record holding what the decoder made of a bad byte stops the reading at its row, rather
    // than storing the replacement character as if the farmer had typed it.
    bool badBytesIn(const QStringList& cells)
    {
        if (!m_decoder->hadBadBytes()) return false;
        for (const QString& c : cells) {
            if (c.contains(QChar(QChar::ReplacementCharacter))) {
                m_error = kBadUtf8.arg(m_line);
                return true;
            }
        }
        return false;
    }
    Parsed tooBig(const QString& reason)
    {
        m_error = reason;
        return Parsed::TooBig;
    }

    void readMore()
    {
        // What is parsed is dropped; an unfinished record stays at the start.
        m_text.remove(0, m_pos);
        m_pos = 0;
        const QByteArray bytes = m_file.read(kChunkBytes);
        if (bytes.isEmpty()) {
            if (m_file.error() != QFileDevice::NoError) m_error = kCannotOpen;
            m_eof = true;
            m_text += m_decoder->decode({}, true);
            return;
        }
        m_read += bytes.size();
        m_text += m_decoder->decode(bytes, m_file.atEnd());
        if (m_file.atEnd()) m_eof = true;
    }

    // One record from m_pos; NeedMore when the text ends before the record does (and the file
    // has more), leaving m_pos where it was; TooBig (with the reason) for a row past the caps.
    Parsed parse(QStringList& cells)
    {
        cells.clear();
        const QChar* s = m_text.constData();
        const qsizetype n = m_text.size();
        const qint64 row = m_records + 1;
        qsizetype i = m_pos;
        QString field;
        for (;;) {
            if (cells.size() >= kMaxImportColumns) return tooBig(tooManyColumnsError(row));
            const int column = int(cells.size());
            field.clear();
            bool wasQuoted = false;
            if (i < n && s[i] == u'"') {
                wasQuoted = true;
                ++i;
                for (;;) {
                    if (field.size() > kMaxImportCellChars) return tooBig(cellTooLongError(row, column));
                    if (i >= n) {
                        // A quote left open at the end of the file holds the rest of it.
                        if (m_eof) break;
                        return Parsed::NeedMore;
                    }
                    if (s[i] == u'"') {
                        if (i + 1 >= n && !m_eof) return Parsed::NeedMore;
                        if (i + 1 < n && s[i + 1] == u'"') {
                            field += u'"';
                            i += 2;
                            continue;
                        }
                        ++i;
                        break;
                    }
                    field += s[i++];
                }
            }
            // Unquoted text (or what follows a closing quote) up to the separator or line end.
            const qsizetype start = i;
            while (i < n && s[i] != m_sep && s[i] != u'\n' && s[i] != u'\r') ++i;
            if (field.size() + (i - start) > kMaxImportCellChars) return tooBig(cellTooLongError(row, column));
            if (i >= n && !m_eof) return Parsed::NeedMore;
            if (wasQuoted)
                field.append(s + start, i - start);
            else
                field = QString(s + start, i - start);
            // The value is what follows a text mark, whatever that is (sheets/model/SheetCells.h).
            cells << unguardedCell(field);
            if (i >= n) break;  // the end of the file ends the record
            if (s[i] == m_sep) {
                ++i;
                continue;
            }
            // A line end: CR LF, LF or CR.
            if (s[i] == u'\r') {
                if (i + 1 >= n && !m_eof) return Parsed::NeedMore;
                if (i + 1 < n && s[i + 1] == u'\n') ++i;
            }
            ++i;
            break;
        }
        m_line = ++m_records;
        m_pos = i;
        return Parsed::Complete;
    }

    QFile m_file;
    std::unique_ptr<Decoder> m_decoder;
    QChar m_sep;
    QString m_text;
    qsizetype m_pos = 0;
    bool m_eof = false;
    qint64 m_size = 1;
    qint64 m_read = 0;
    qint64 m_line = 0;
    qint64 m_records = 0;  // records parsed so far: a spreadsheet's rows
    QString m_error;
};
}  // namespace

QString tooManyColumnsError(qint64 row)
{
    return QStringLiteral(
               "%1행: 한 행의 열이 %2개보다 많아 읽을 수 없습니다. 표로 된 파일인지, 구분 기호가 맞는지 "
               "확인하고, 필요한 열만 남겨 저장한 뒤 가져와 주세요.")
        .arg(row)
        .arg(kMaxImportColumns);
}

QString cellTooLongError(qint64 row, int column)
{
    return QStringLiteral(
               "%1행 %2열: 한 칸의 글자가 %3자보다 많아 읽을 수 없습니다. 따옴표가 닫히지 않았거나 표가 아닌 "
               "파일인지 확인해 주세요.")
        .arg(row)
        .arg(columnLetter(column))
        .arg(kMaxImportCellChars);
}

TextEncoding detectEncoding(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return TextEncoding::Utf8;
    if (f.peek(3) == QByteArray("\xEF\xBB\xBF")) return TextEncoding::Utf8;
    // Continuation bytes still expected of the last character, across chunks.
    int pending = 0;
    while (!f.atEnd()) {
        const QByteArray bytes = f.read(kChunkBytes);
        if (bytes.isEmpty()) break;
        for (const char ch : bytes) {
            const auto b = quint8(ch);
            if (pending > 0) {
                if ((b & 0xC0) != 0x80) return TextEncoding::Cp949;
                --pending;
            } else if (b >= 0x80) {
                if (b >= 0xC2 && b <= 0xDF)
                    pending = 1;
                else if (b >= 0xE0 && b <= 0xEF)
                    pending = 2;
                else if (b >= 0xF0 && b <= 0xF4)
                    pending = 3;
                else
                    return TextEncoding::Cp949;
            }
        }
    }
    // A character cut at the very end is no UTF-8 either.
    return pending == 0 ? TextEncoding::Utf8 : TextEncoding::Cp949;
}

QChar detectSeparator(QStringView firstLine)
{
    int comma = 0, semicolon = 0, tab = 0;
    bool quoted = false;
    for (QChar c : firstLine) {
        if (c == u'"') quoted = !quoted;
        if (quoted) continue;
        comma += c == u',';
        semicolon += c == u';';
        tab += c == u'\t';
    }
    if (tab > comma && tab >= semicolon) return u'\t';
    if (semicolon > comma) return u';';
    return u',';
}

std::unique_ptr<RowReader> openCsvRows(const ImportFile& file, QString* error)
{
    const TextEncoding encoding = file.encoding == TextEncoding::Auto ? detectEncoding(file.path) : file.encoding;
    std::unique_ptr<Decoder> decoder;
    if (encoding == TextEncoding::Cp949) {
        auto cp949 = std::make_unique<Cp949Decoder>();
        if (!cp949->isValid()) {
            if (error) *error = QStringLiteral("이 컴퓨터에서는 한글 완성형(CP949) 파일을 읽을 수 없습니다.");
            return nullptr;
        }
        decoder = std::move(cp949);
    } else {
        decoder = std::make_unique<Utf8Decoder>();
    }
    auto rows = std::make_unique<CsvRows>(std::move(decoder), file.separator.isNull() ? QChar(u',') : file.separator);
    if (!rows->open(file.path)) {
        if (error) *error = kCannotOpen;
        return nullptr;
    }
    if (file.separator.isNull()) rows->setSeparator(detectSeparator(rows->peekFirstLine()));
    return rows;
}

bool isWorkbook(const QString& path)
{
    QFile f(path);
    if (f.open(QIODevice::ReadOnly)) return f.read(4) == QByteArray("PK\x03\x04", 4);
    return QFileInfo(path).suffix().compare(QStringLiteral("xlsx"), Qt::CaseInsensitive) == 0;
}

std::unique_ptr<RowReader> openRows(const ImportFile& file, QString* error)
{
    // The binary workbooks of Excel 97-2003 begin with the compound-file signature.
    QFile f(file.path);
    if (f.open(QIODevice::ReadOnly) && f.read(8) == QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8)) {
        if (error)
            *error = QStringLiteral(
                "엑셀 97-2003 형식(.xls)의 파일은 읽을 수 없습니다. 엑셀에서 'Excel 통합 "
                "문서(.xlsx)'로 저장한 뒤 가져와 주세요.");
        return nullptr;
    }
    return isWorkbook(file.path) ? openWorkbookRows(file, error) : openCsvRows(file, error);
}
