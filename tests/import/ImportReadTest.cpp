// Reading the files to import: encodings, separators, quoting, and workbooks as Excel and the
// program itself write them.
#include "import/ImportFixture.h"

#include <QJsonObject>

namespace {
using Rows = QList<QStringList>;

struct CsvCase {
    const char* name;
    QByteArray bytes;
    Rows rows;
    QList<qint64> lines;
};

QByteArray u8(const char* s)
{
    return QByteArray(s);
}

TEST(ImportCsv, SeparatorsQuotesAndLineEnds)
{
    const QList<CsvCase> cases = {
        {"comma, CR LF", u8("번호,이름\r\nKR1,소\r\n"), {{"번호", "이름"}, {"KR1", "소"}}, {1, 2}},
        {"semicolon", u8("번호;이름\nKR1;소"), {{"번호", "이름"}, {"KR1", "소"}}, {1, 2}},
        {"tab", u8("번호\t이름\t메모\nKR1\t소\ta,b"), {{"번호", "이름", "메모"}, {"KR1", "소", "a,b"}}, {1, 2}},
        {"quoted separator, quote and line break",
         u8("번호,메모\n\"KR1\",\"첫 줄\r\n둘째 줄, \"\"따옴표\"\"\"\nKR2,끝"),
         {{"번호", "메모"}, {"KR1", "첫 줄\r\n둘째 줄, \"따옴표\""}, {"KR2", "끝"}},
         {1, 2, 3}},  // a spreadsheet's rows: the record with a line break in a cell is one row
        {"lone CR line ends and empty fields",
         u8("a,b,c\r1,,3\r,,"),
         {{"a", "b", "c"}, {"1", "", "3"}, {"", "", ""}},
         {1, 2, 3}},
        {"a leading apostrophe is the text mark, whatever follows it",
         u8("a,b,c,d,e,f,g\n'=1+2,'-5,'@x,'002014000007,'1037,\"'2020-01-15\",''x"),
         {{"a", "b", "c", "d", "e", "f", "g"}, {"=1+2", "-5", "@x", "002014000007", "1037", "2020-01-15", "'x"}},
         {1, 2}},
        {"a quote left open runs to the end", u8("a,b\n1,\"open\nend"), {{"a", "b"}, {"1", "open\nend"}}, {1, 2}},
    };
    ImportFiles files;
    for (const CsvCase& c : cases) {
        SCOPED_TRACE(c.name);
        ImportFile file;
        file.path = files.bytes(QStringLiteral("case.csv"), c.bytes);
        QList<qint64> lines;
        EXPECT_EQ(allRows(file, &lines), c.rows);
        EXPECT_EQ(lines, c.lines);
    }
}

// Reads until the reader stops: the rows, and the reason it gives.
Rows readUntilStop(const QString& path, QString* error)
{
    ImportFile file;
    file.path = path;
    const std::unique_ptr<RowReader> rows = openRows(file, error);
    Rows out;
    if (!rows) return out;
    QStringList cells;
    while (rows->next(cells)) out << cells;
    *error = rows->error();
    return out;
}

TEST(ImportCsv, ARowPastTheLimitsStopsTheReadingWithAReason)
{
    ImportFiles files;
    const QByteArray head = "개체번호,메모\nKR1,좋음\n";
    const QByteArray wide = QByteArray("x,").repeated(80000);
    const QByteArray longCell = QByteArray("y").repeated(3 << 20);
    const struct {
        const char* name;
        QByteArray bytes;
        const char* reason;
    } cases[] = {
        {"80,000 cells on one line", head + wide + "\n", "3행: 한 행의 열이 1000개보다 많아"},
        {"a cell of 3 MB", head + "KR2," + longCell + "\n", "3행 B열: 한 칸의 글자가 32767자보다 많아"},
        {"a quoted cell of 3 MB", head + "\"" + longCell + "\"\n", "3행 A열: 한 칸의 글자가 32767자보다 많아"},
        {"a quote never closed", head + "KR2,\"" + longCell, "3행 B열: 한 칸의"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QString error;
        const Rows rows = readUntilStop(files.bytes(QStringLiteral("wide.csv"), c.bytes), &error);
        EXPECT_EQ(rows, (Rows{{"개체번호", "메모"}, {"KR1", "좋음"}}));
        EXPECT_TRUE(error.contains(QString::fromUtf8(c.reason))) << error.toStdString();
    }
    // As many columns as allowed, and a cell as long as Excel's, still read.
    QString error;
    const QByteArray widest = QByteArray("x,").repeated(kMaxImportColumns - 1) + "x\n";
    const QByteArray longest = QByteArray("y").repeated(kMaxImportCellChars) + "\n";
    const Rows rows = readUntilStop(files.bytes(QStringLiteral("widest.csv"), widest + longest), &error);
    EXPECT_TRUE(error.isEmpty()) << error.toStdString();
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0].size(), kMaxImportColumns);
    EXPECT_EQ(rows[1][0].size(), kMaxImportCellChars);
}

TEST(ImportCsv, AUtf8FileWithABomKeepsItsEncodingAndNamesTheRowOfABadByte)
{
    ImportFiles files;
    const QString path =
        files.bytes(QStringLiteral("bom.csv"),
                    QByteArray("\xEF\xBB\xBF개체번호,메모\nKR1,좋음\n\"KR2\",\"여러\n줄\"\nKR3,나\xFF쁨\nKR4,끝\n"));
    EXPECT_EQ(detectEncoding(path), TextEncoding::Utf8);
    QString error;
    const Rows rows = readUntilStop(path, &error);
    EXPECT_EQ(rows, (Rows{{"개체번호", "메모"}, {"KR1", "좋음"}, {"KR2", "여러\n줄"}}));
    EXPECT_TRUE(error.startsWith(QStringLiteral("4행: UTF-8 문자로 읽을 수 없는 바이트가 있습니다")))
        << error.toStdString();
}

TEST(ImportCsv, EncodingsAreDetectedAndCanBeChosen)
{
    ImportFiles files;
    const QString text = QStringLiteral("개체번호,구분,개체특징\r\n002123456789,암소,뿔이 휨\r\n");
    const Rows expected = {{"개체번호", "구분", "개체특징"}, {"002123456789", "암소", "뿔이 휨"}};
    const struct {
        const char* name;
        QString path;
        TextEncoding detected;
    } cases[] = {
        {"UTF-8 with BOM", files.utf8(QStringLiteral("bom.csv"), text, true), TextEncoding::Utf8},
        {"UTF-8 without BOM", files.utf8(QStringLiteral("plain.csv"), text), TextEncoding::Utf8},
        {"CP949 (Korean Excel)", files.cp949(QStringLiteral("cp949.csv"), text), TextEncoding::Cp949},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(detectEncoding(c.path), c.detected);
        ImportFile file;
        file.path = c.path;
        EXPECT_EQ(allRows(file), expected);
    }
    // The farmer's choice wins over the detection: CP949 bytes read as UTF-8 are no text, and
    // the reading says where rather than passing on broken characters.
    QString error;
    ImportFile forced;
    forced.path = cases[2].path;
    forced.encoding = TextEncoding::Utf8;
    const std::unique_ptr<RowReader> rows = openRows(forced, &error);
    ASSERT_TRUE(rows);
    QStringList cells;
    EXPECT_FALSE(rows->next(cells));
    EXPECT_TRUE(rows->error().startsWith(QStringLiteral("1행: UTF-8 문자로 읽을 수 없는")))
        << rows->error().toStdString();
}

TEST(ImportCsv, ACp949FileLargerThanOneChunkKeepsEveryCharacter)
{
    // Characters of two bytes cut by the reader's chunks must come out whole.
    ImportFiles files;
    QString text = QStringLiteral("개체번호,개체특징\n");
    for (int i = 0; i < 60000; ++i) text += QStringLiteral("KR%1,한우암소 특징 %1\n").arg(i);
    ImportFile file;
    file.path = files.cp949(QStringLiteral("big.csv"), text);
    const Rows rows = allRows(file);
    ASSERT_EQ(rows.size(), 60001);
    EXPECT_EQ(rows[39999], (QStringList{"KR39998", "한우암소 특징 39998"}));
    for (const QStringList& r : rows) ASSERT_FALSE(r.join(u',').contains(QChar(0xFFFD))) << r.join(u',').toStdString();
}

TEST(ImportWorkbook, DatesNumbersAndTextAsExcelKeepsThem)
{
    ImportFiles files;
    const QJsonArray sheets = QJsonDocument::fromJson(R"json([
      {"name": "메모", "rows": [[["다른 시트"]]]},
      {"name": "개체", "rows": [
        [["개체번호"], ["생일"], ["점수"], ["생일(한글)"], ["체중"], ["빈칸 다음"]],
        [["002123456789"], ["2020-01-15", "yyyy-mm-dd"], [4.5], ["2019-12-31", "yyyy\"년\" mm\"월\" dd\"일\""], [20200115], null, ["끝"]],
        [["0012"], ["2021-03-01", "mm-dd-yy"], [3], [12.25], [0.1], null, null]
      ]}])json")
                                  .array();
    const QString path = files.xlsx(QStringLiteral("herd.xlsx"), sheets);
    QString error;
    EXPECT_EQ(workbookSheets(path, &error), (QStringList{"메모", "개체"}));
    ImportFile file;
    file.path = path;
    file.sheet = 1;
    QList<qint64> lines;
    const Rows rows = allRows(file, &lines);
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[1], (QStringList{"002123456789", "2020-01-15", "4.5", "2019-12-31", "20200115", "", "끝"}));
    EXPECT_EQ(rows[2], (QStringList{"0012", "2021-03-01", "3", "12.25", "0.1"}));
    EXPECT_EQ(lines, (QList<qint64>{1, 2, 3}));
    file.sheet = 0;
    EXPECT_EQ(allRows(file), (Rows{{"다른 시트"}}));
}

TEST(ImportWorkbook, ACellPastTheLastColumnAllowedStopsTheReading)
{
    ImportFiles files;
    // One cell past the last column allowed.
    QJsonArray header, wide;
    header.append(QJsonArray{QStringLiteral("개체번호")});
    for (int c = 0; c <= kMaxImportColumns; ++c) wide.append(QJsonArray{c});
    QJsonArray rowsOfSheet;
    rowsOfSheet.append(header);
    rowsOfSheet.append(wide);
    QJsonArray sheets;
    sheets.append(QJsonObject{{"name", "개체"}, {"rows", rowsOfSheet}});
    QString error;
    const Rows rows = readUntilStop(files.xlsx(QStringLiteral("wide.xlsx"), sheets), &error);
    EXPECT_EQ(rows.size(), 1) << rows.value(1).size();
    EXPECT_TRUE(error.contains(QStringLiteral("2행: 한 행의 열이 1000개보다 많아"))) << error.toStdString();
}

TEST(ImportWorkbook, AFileThatIsNoWorkbookIsRefusedWithAReason)
{
    ImportFiles files;
    const QString broken = files.bytes(QStringLiteral("broken.xlsx"), QByteArray("PK\x03\x04 not really", 16));
    QString error;
    EXPECT_TRUE(workbookSheets(broken, &error).isEmpty());
    EXPECT_TRUE(error.contains(QStringLiteral("엑셀 파일을 읽을 수 없습니다"))) << error.toStdString();
    ImportFile file;
    file.path = broken;
    error.clear();
    EXPECT_EQ(openRows(file, &error), nullptr);
    EXPECT_FALSE(error.isEmpty());
    // An Excel 97-2003 file is named as such rather than read as garbled text.
    file.path = files.bytes(QStringLiteral("old.xls"), QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1rest", 12));
    error.clear();
    EXPECT_EQ(openRows(file, &error), nullptr);
    EXPECT_TRUE(error.contains(QStringLiteral(".xlsx"))) << error.toStdString();
}
}  // namespace
