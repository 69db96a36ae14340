// Reading the files to import: encodings, separators, quoting, and workbooks as Excel and the
// program itself write them.
#include "registry/ImportFixture.h"

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
         {1, 2, 4}},
        {"lone CR line ends and empty fields",
         u8("a,b,c\r1,,3\r,,"),
         {{"a", "b", "c"}, {"1", "", "3"}, {"", "", ""}},
         {1, 2, 3}},
        {"an apostrophe that guards a formula goes, others stay",
         u8("a,b,c,d\n'=1+2,'-5,'@x,'0012"),
         {{"a", "b", "c", "d"}, {"=1+2", "-5", "@x", "'0012"}},
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
    // The farmer's choice wins over the detection: CP949 bytes read as UTF-8 are not the text.
    ImportFile forced;
    forced.path = cases[2].path;
    forced.encoding = TextEncoding::Utf8;
    EXPECT_NE(allRows(forced), expected);
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
