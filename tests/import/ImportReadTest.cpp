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

// The parts of a one-sheet workbook as Excel writes them, around the sheet's rows (<row>…), its
// shared strings (<si>…) and the workbook's properties. Cell style 1 shows a date (format 14),
// style 0 a plain number.
QMap<QString, QByteArray> oneSheetWorkbook(const QByteArray& rows, const QByteArray& sharedStrings = {},
                                           const QByteArray& workbookPr = {})
{
    const QByteArray ns = R"(xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main")";
    const QByteArray rel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
    return {
        {QStringLiteral("[Content_Types].xml"),
         R"(<?xml version="1.0" encoding="UTF-8"?><Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">)"
         R"(<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>)"
         R"(<Default Extension="xml" ContentType="application/xml"/></Types>)"},
        {QStringLiteral("_rels/.rels"),
         R"(<?xml version="1.0" encoding="UTF-8"?><Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
         "<Relationship Id=\"rId1\" Type=\"" +
             rel + "/officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>"},
        {QStringLiteral("xl/workbook.xml"),
         "<?xml version=\"1.0\" encoding=\"UTF-8\"?><workbook " + ns + " xmlns:r=\"" + rel + "\">" + workbookPr +
             "<sheets><sheet name=\"개체\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>"},
        {QStringLiteral("xl/_rels/workbook.xml.rels"),
         R"(<?xml version="1.0" encoding="UTF-8"?><Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
         "<Relationship Id=\"rId1\" Type=\"" +
             rel +
             "/worksheet\" Target=\"worksheets/sheet1.xml\"/>"
             "<Relationship Id=\"rId2\" Type=\"" +
             rel +
             "/sharedStrings\" Target=\"sharedStrings.xml\"/>"
             "<Relationship Id=\"rId3\" Type=\"" +
             rel + "/styles\" Target=\"styles.xml\"/></Relationships>"},
        {QStringLiteral("xl/sharedStrings.xml"),
         "<?xml version=\"1.0\" encoding=\"UTF-8\"?><sst " + ns + ">" + sharedStrings + "</sst>"},
        {QStringLiteral("xl/styles.xml"), "<?xml version=\"1.0\" encoding=\"UTF-8\"?><styleSheet " + ns +
                                              "><cellXfs count=\"2\"><xf numFmtId=\"0\"/><xf numFmtId=\"14\" "
                                              "applyNumberFormat=\"1\"/></cellXfs></styleSheet>"},
        {QStringLiteral("xl/worksheets/sheet1.xml"), "<?xml version=\"1.0\" encoding=\"UTF-8\"?><worksheet " + ns +
                                                         "><sheetData>" + rows + "</sheetData></worksheet>"},
    };
}

ImportFile workbookFile(const QString& path)
{
    ImportFile file;
    file.path = path;
    file.sheet = 0;
    return file;
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

TEST(ImportWorkbook, ExcelsOtherCellFormsAreReadAsTheSheetShowsThem)
{
    // Shared strings: 0 plain, 1 in runs of two fonts, 2 with a phonetic guide (Excel's reading
    // aid for Japanese and Chinese text, never part of the value), 3 runs and a guide.
    const QByteArray strings =
        "<si><t>개체번호</t></si>"
        "<si><r><rPr><b/></rPr><t>한우</t></r><r><t xml:space=\"preserve\"> 암소</t></r></si>"
        "<si><t>金山</t><rPh sb=\"0\" eb=\"2\"><t>きんざん</t></rPh><phoneticPr fontId=\"1\"/></si>"
        "<si><r><t>大</t></r><r><t>牛</t></r><rPh sb=\"0\" eb=\"1\"><t>おお</t></rPh></si>";
    const struct {
        const char* what;
        QByteArray row;
        QByteArray workbookPr;
        QStringList cells;
    } cases[] = {
        {"shared strings: runs joined, phonetic guides left out",
         R"(<row r="1"><c r="A1" t="s"><v>0</v></c><c r="B1" t="s"><v>1</v></c><c r="C1" t="s"><v>2</v></c>)"
         R"(<c r="D1" t="s"><v>3</v></c></row>)",
         {},
         {"개체번호", "한우 암소", "金山", "大牛"}},
        {"inline strings: plain, in runs, with a guide",
         R"(<row r="1"><c r="A1" t="inlineStr"><is><t>KR001</t></is></c>)"
         R"(<c r="B1" t="inlineStr"><is><r><t>가나</t></r><r><rPr><i/></rPr><t>다</t></r><rPh sb="0" eb="1"><t>か</t></rPh></is></c></row>)",
         {},
         {"KR001", "가나다"}},
        {"booleans, errors, ISO dates and formula texts as shown",
         R"(<row r="1"><c r="A1" t="b"><v>1</v></c><c r="B1" t="b"><v>0</v></c><c r="C1" t="e"><v>#N/A</v></c>)"
         R"(<c r="D1" t="d"><v>2020-01-15T00:00:00</v></c><c r="E1" t="str"><f>A1&amp;""</f><v>계산</v></c></row>)",
         {},
         {"TRUE", "FALSE", "#N/A", "2020-01-15", "계산"}},
        {"cells without a reference follow the cell before them",
         R"(<row r="1"><c><v>1</v></c><c><v>2</v></c><c r="D1"><v>4</v></c><c><v>5</v></c></row>)",
         {},
         {"1", "2", "", "4", "5"}},
        // 2020-01-15 is day 43845 of the 1900 system and day 42383 of the 1904 system.
        {"a date of the 1900 system",
         R"(<row r="1"><c r="A1" s="1"><v>43845</v></c><c r="B1" s="1"><v>42383</v></c></row>)",
         {},
         {"2020-01-15", "2016-01-14"}},
        {"a date of the 1904 system",
         R"(<row r="1"><c r="A1" s="1"><v>43845</v></c><c r="B1" s="1"><v>42383</v></c></row>)",
         R"(<workbookPr date1904="1"/>)",
         {"2024-01-16", "2020-01-15"}},
        {"the 1904 system written as true",
         R"(<row r="1"><c r="A1" s="1"><v>42383.75</v></c><c r="B1"><v>42383</v></c></row>)",
         R"(<workbookPr date1904="true"/>)",
         {"2020-01-15", "42383"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ImportFiles files;
        const QString path =
            files.xlsxParts(QStringLiteral("cells.xlsx"), oneSheetWorkbook(c.row, strings, c.workbookPr));
        EXPECT_EQ(allRows(workbookFile(path)), (Rows{c.cells}));
    }
}

TEST(ImportWorkbook, RowsWithoutANumberFollowTheRowBefore)
{
    ImportFiles files;
    const QString path = files.xlsxParts(
        QStringLiteral("rows.xlsx"),
        oneSheetWorkbook(R"(<row><c><v>1</v></c></row><row r="4"><c><v>4</v></c></row><row><c><v>5</v></c></row>)"));
    QList<qint64> lines;
    EXPECT_EQ(allRows(workbookFile(path), &lines), (Rows{{"1"}, {"4"}, {"5"}}));
    EXPECT_EQ(lines, (QList<qint64>{1, 4, 5}));
}

// The sheet is unpacked and parsed in pieces of 64 KiB: a piece may end inside a tag, an
// attribute, a text or a Korean character, and the reading goes on with the next piece.
TEST(ImportWorkbook, ASheetOfManyPiecesIsReadWhole)
{
    QByteArray sheet;
    Rows expected;
    QList<qint64> expectedLines;
    for (int r = 1; r <= 3000; ++r) {
        // Texts of every length from 1 to 37 characters, so the pieces end at every kind of place.
        const QString note = QString(QStringLiteral("한우암소")).repeated(10).left(1 + r % 37);
        const QString number = QStringLiteral("KR%1").arg(r, 12, 10, QLatin1Char('0'));
        sheet += "<row r=\"" + QByteArray::number(r) + "\">";
        sheet += "<c r=\"A" + QByteArray::number(r) + "\" t=\"inlineStr\"><is><t>" + number.toUtf8() + "</t></is></c>";
        sheet += "<c r=\"B" + QByteArray::number(r) + "\" t=\"inlineStr\"><is><t>" + note.toUtf8() + "</t></is></c>";
        sheet += "<c r=\"C" + QByteArray::number(r) + "\" t=\"s\"><v>" + QByteArray::number(r % 2) + "</v></c>";
        sheet += "<c r=\"D" + QByteArray::number(r) + "\"><v>" + QByteArray::number(r * 1.5) + "</v></c>";
        sheet += "</row>";
        expected << QStringList{number, note, r % 2 ? QStringLiteral("수") : QStringLiteral("암"),
                                QString::number(r * 1.5)};
        expectedLines << r;
    }
    ASSERT_GT(sheet.size(), 4 * 65536);
    ImportFiles files;
    const QString path =
        files.xlsxParts(QStringLiteral("large.xlsx"), oneSheetWorkbook(sheet, "<si><t>암</t></si><si><t>수</t></si>"));
    QList<qint64> lines;
    const Rows rows = allRows(workbookFile(path), &lines);
    ASSERT_EQ(rows.size(), expected.size());
    for (qsizetype i = 0; i < rows.size(); ++i) ASSERT_EQ(rows[i], expected[i]) << "row " << i + 1;
    EXPECT_EQ(lines, expectedLines);
}
}  // namespace
