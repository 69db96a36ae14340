// Writing a table as an Excel workbook or a CSV file, read back by independent readers; what
// counts as a number or a date; and what a failed or cancelled export leaves behind.
#include "kit/model/TableExport.h"
#include "support/ExportReaders.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QTemporaryDir>

namespace {

const QRgb kBlue = qRgb(0, 0, 255);

// A small list with everything a cell can hold: Korean text, a quote, a comma, a line break,
// grouped and decimal numbers, both date forms, an identifier of digits and an empty cell.
ExportTable sampleTable()
{
    ExportTable t;
    t.title = QStringLiteral("한우 일일관리 대상조회");
    t.farmName = QStringLiteral("행복한우농장");
    t.date = QDate(2026, 4, 3);
    t.headers = QStringList{"개체번호", "비고", "체중", "점수", "수정일자", "생년월일", "산차"};
    t.rows = {
        {"002123456789", "순한 \"누렁이\"", "1,250", "4.5", "2026-04-03", "2009년 12월 08일", "3"},
        {"002123456790", "송아지, 수소", "980", "", "2026-03-01", "2010년 01월 02일", ""},
        {"002123456791", "첫줄\r\n둘째줄", "12,345,678", "0.25", "", "", "12"},
    };
    t.rowColors = {0, kBlue};
    return t;
}

QStringList entriesOf(const QString& dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

// A table long enough for the progress to be asked several times.
ExportTable longTable(int rows)
{
    ExportTable t;
    t.title = QStringLiteral("긴 목록");
    t.headers = QStringList{"번호", "이름"};
    for (int r = 0; r < rows; ++r) t.rows << QStringList{QString::number(r + 1), QStringLiteral("개체%1").arg(r)};
    return t;
}

}  // namespace

TEST(ShownNumber, ReadsWhatAListShowsAndRefusesIdentifiers)
{
    const struct {
        const char* text;
        bool number;
        double value;
        int decimals;
        bool grouped;
    } cases[] = {
        {"1,250", true, 1250, 0, true},
        {"12,345,678", true, 12345678, 0, true},
        {"980", true, 980, 0, false},
        {"0", true, 0, 0, false},
        {"-3", true, -3, 0, false},
        {"4.5", true, 4.5, 1, false},
        {"0.25", true, 0.25, 2, false},
        {"-1,234.50", true, -1234.5, 2, true},
        {" 42 ", true, 42, 0, false},
        {"999999999999999", true, 999999999999999.0, 0, false},
        // Identifiers and texts that only look numeric stay text.
        {"002123456789", false, 0, 0, false},
        {"0,123", false, 0, 0, false},
        {"1234567890123456", false, 0, 0, false},  // more digits than a double keeps
        {"1,25", false, 0, 0, false},
        {"1234,567", false, 0, 0, false},
        {",123", false, 0, 0, false},
        {"1,234,", false, 0, 0, false},
        {"1.", false, 0, 0, false},
        {".5", false, 0, 0, false},
        {"1.2.3", false, 0, 0, false},
        {"+5", false, 0, 0, false},
        {"-", false, 0, 0, false},
        {"1e5", false, 0, 0, false},
        {"1 250", false, 0, 0, false},
        {"12kg", false, 0, 0, false},
        {"１２", false, 0, 0, false},  // full-width digits
        {"", false, 0, 0, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const auto n = numberFromText(QString::fromUtf8(c.text));
        ASSERT_EQ(n.has_value(), c.number);
        if (!n) continue;
        EXPECT_DOUBLE_EQ(n->value, c.value);
        EXPECT_EQ(n->decimals, c.decimals);
        EXPECT_EQ(n->grouped, c.grouped);
    }
}

TEST(ShownDate, ReadsBothDateFormsOfTheListsOnly)
{
    const struct {
        const char* text;
        QDate date;
    } cases[] = {
        {"2026-04-03", QDate(2026, 4, 3)},
        {"2009년 12월 08일", QDate(2009, 12, 8)},
        {"2009년12월08일", QDate(2009, 12, 8)},
        {"2024-02-29", QDate(2024, 2, 29)},
        {"1900-03-01", QDate(1900, 3, 1)},
        {"2026-02-30", QDate()},
        {"0000-00-00", QDate()},
        {"1900-02-28", QDate()},  // before the first day a spreadsheet keeps as a date
        {"2026-4-3", QDate()},
        {"26-04-03", QDate()},
        {"2026/04/03", QDate()},
        {"2026-04-03 12:00", QDate()},
        {"2009년 12월", QDate()},
        {"", QDate()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(dateFromText(QString::fromUtf8(c.text)), c.date);
    }
}

TEST(TableExport, ColumnKindsFollowEveryFilledCell)
{
    ExportTable t = sampleTable();
    t.headers << "혼합"
              << "빈 열";
    t.rows[0] << "1,250"
              << "";
    t.rows[1] << "A1";
    const QList<CellKind> want{CellKind::Text, CellKind::Text,   CellKind::Number, CellKind::Number, CellKind::Date,
                               CellKind::Date, CellKind::Number, CellKind::Text,   CellKind::Text};
    EXPECT_EQ(columnKinds(t), want);

    // Kinds the caller gives win over what the cells look like.
    t.kinds = {CellKind::Text, CellKind::Text, CellKind::Text};
    EXPECT_EQ(columnKinds(t).mid(0, 4),
              (QList<CellKind>{CellKind::Text, CellKind::Text, CellKind::Text, CellKind::Number}));
}

TEST(TableExport, SuggestedFileNameIsTheTitleAndTheDay)
{
    const QDate day(2026, 4, 3);
    EXPECT_EQ(suggestedFileName(QStringLiteral("한우 일일관리 대상조회"), day, ExportFormat::Xlsx),
              QStringLiteral("한우 일일관리 대상조회 2026-04-03.xlsx"));
    EXPECT_EQ(suggestedFileName(QStringLiteral("개체관리: 암/수소 \"목록\""), day, ExportFormat::Csv),
              QStringLiteral("개체관리 암 수소 목록 2026-04-03.csv"));
    EXPECT_EQ(suggestedFileName(QStringLiteral("../.."), day, ExportFormat::Xlsx),
              QStringLiteral("목록 2026-04-03.xlsx"));
    EXPECT_EQ(suggestedFileName(QString(), day, ExportFormat::Xlsx), QStringLiteral("목록 2026-04-03.xlsx"));
}

TEST(TableExport, WorkbookHoldsTitleHeadersNumbersDatesAndColours)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("목록.xlsx"));
    ASSERT_EQ(saveTable(sampleTable(), ExportFormat::Xlsx, file), ExportStatus::Saved);
    EXPECT_EQ(entriesOf(dir.path()), QStringList{"목록.xlsx"});  // no temporary file left

    const QJsonObject book = readXlsx(file);
    ASSERT_FALSE(book.contains("error")) << book.value("error").toString().toStdString();
    EXPECT_EQ(book.value("sheet").toString(), QStringLiteral("한우 일일관리 대상조회"));
    EXPECT_EQ(book.value("freeze").toString(), QStringLiteral("A3"));  // title and header rows stay
    const QJsonArray rows = book.value("rows").toArray();
    ASSERT_EQ(rows.size(), 5);

    // The title row: the title, the farm name and the day as a real date, each in its own cell.
    const QJsonArray title = rows[0].toArray();
    QStringList titleTexts, titleKinds;
    for (const auto& c : title) {
        if (c.toObject().value("kind") == "empty") continue;
        titleTexts << c.toObject().value("v").toString();
        titleKinds << c.toObject().value("kind").toString();
    }
    EXPECT_EQ(titleTexts, (QStringList{"한우 일일관리 대상조회", "행복한우농장", "2026-04-03"}));
    EXPECT_EQ(titleKinds, (QStringList{"text", "text", "date"}));
    EXPECT_TRUE(title[0].toObject().value("bold").toBool());

    const QJsonArray header = rows[1].toArray();
    EXPECT_EQ(xlsxTexts(header).mid(0, 7), sampleTable().headers);
    for (int c = 0; c < 7; ++c) EXPECT_TRUE(header[c].toObject().value("bold").toBool()) << c;

    const struct {
        int row, col;
        const char* kind;
        QJsonValue value;
        const char* format;
    } cells[] = {
        {2, 0, "text", "002123456789", "General"},
        {2, 1, "text", "순한 \"누렁이\"", "General"},
        {2, 2, "number", 1250, "#,##0"},
        {2, 3, "number", 4.5, "0.0"},
        {2, 4, "date", "2026-04-03", "yyyy-mm-dd"},
        {2, 5, "date", "2009-12-08", "yyyy-mm-dd"},
        {2, 6, "number", 3, "0"},
        {3, 1, "text", "송아지, 수소", "General"},
        {3, 2, "number", 980, "#,##0"},
        {3, 3, "empty", QJsonValue::Null, "General"},
        {4, 1, "text", "첫줄\n둘째줄", "General"},
        {4, 2, "number", 12345678, "#,##0"},
        {4, 3, "number", 0.25, "0.00"},
    };
    for (const auto& c : cells) {
        SCOPED_TRACE(testing::Message() << "row " << c.row << " column " << c.col);
        const QJsonObject cell = rows[c.row].toArray()[c.col].toObject();
        EXPECT_EQ(cell.value("kind").toString(), QString::fromUtf8(c.kind));
        EXPECT_EQ(cell.value("v"), c.value);
        EXPECT_EQ(cell.value("fmt").toString(), QString::fromUtf8(c.format));
    }

    // The second data row is blue in every filled cell; the others keep the default colour.
    for (const auto& c : rows[3].toArray()) {
        if (c.toObject().value("kind") != "empty") {
            EXPECT_EQ(c.toObject().value("color").toString(), QStringLiteral("FF0000FF"));
        }
    }
    EXPECT_NE(rows[2].toArray()[1].toObject().value("color").toString(), QStringLiteral("FF0000FF"));

    // Widths follow the text: the Korean remark column is wider than the short number column.
    const QJsonObject widths = book.value("widths").toObject();
    EXPECT_GT(widths.value("B").toDouble(), widths.value("G").toDouble());
    EXPECT_GE(widths.value("A").toDouble(), 12);
}

TEST(TableExport, CsvIsUtf8WithBomQuotedPerRfc4180)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("목록.csv"));
    ASSERT_EQ(saveTable(sampleTable(), ExportFormat::Csv, file), ExportStatus::Saved);
    EXPECT_EQ(entriesOf(dir.path()), QStringList{"목록.csv"});

    const QJsonObject csv = readCsv(file);
    ASSERT_FALSE(csv.contains("error")) << csv.value("error").toString().toStdString();
    EXPECT_TRUE(csv.value("bom").toBool());
    EXPECT_TRUE(csv.value("crlf").toBool());
    const QJsonArray rows = csv.value("rows").toArray();
    const QList<QStringList> want{
        sampleTable().headers,
        {"002123456789", "순한 \"누렁이\"", "1250", "4.5", "2026-04-03", "2009-12-08", "3"},
        {"002123456790", "송아지, 수소", "980", "", "2026-03-01", "2010-01-02", ""},
        {"002123456791", "첫줄\r\n둘째줄", "12345678", "0.25", "", "", "12"},
    };
    ASSERT_EQ(rows.size(), want.size());
    for (int r = 0; r < want.size(); ++r) {
        QStringList got;
        for (const auto& f : rows[r].toArray()) got << f.toString();
        EXPECT_EQ(got, want[r]) << "row " << r;
    }

    // The quoting itself, as bytes.
    QFile raw(file);
    ASSERT_TRUE(raw.open(QIODevice::ReadOnly));
    const QByteArray bytes = raw.readAll();
    EXPECT_TRUE(bytes.contains(QStringLiteral("\"순한 \"\"누렁이\"\"\"").toUtf8()));
    EXPECT_TRUE(bytes.contains(QStringLiteral("\"첫줄\r\n둘째줄\"").toUtf8()));
}

TEST(TableExport, ProgressIsAskedEveryThousandRowsAndCancelLeavesNoFile)
{
    for (const ExportFormat format : {ExportFormat::Xlsx, ExportFormat::Csv}) {
        SCOPED_TRACE(format == ExportFormat::Xlsx ? "xlsx" : "csv");
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("긴 목록.") + (format == ExportFormat::Xlsx ? "xlsx" : "csv"));
        QList<qsizetype> asked;
        EXPECT_EQ(saveTable(longTable(2500), format, file,
                            [&](qsizetype written) {
                                asked << written;
                                return true;
                            }),
                  ExportStatus::Saved);
        EXPECT_EQ(asked, (QList<qsizetype>{1000, 2000}));

        // Cancelled half way over the file saved before: that file stays as it was.
        QFile before(file);
        ASSERT_TRUE(before.open(QIODevice::ReadOnly));
        const QByteArray saved = before.readAll();
        before.close();
        asked.clear();
        EXPECT_EQ(saveTable(longTable(2500), format, file,
                            [&](qsizetype written) {
                                asked << written;
                                return written < 2000;
                            }),
                  ExportStatus::Cancelled);
        EXPECT_EQ(asked, (QList<qsizetype>{1000, 2000}));
        EXPECT_EQ(entriesOf(dir.path()), QStringList{QFileInfo(file).fileName()});
        ASSERT_TRUE(before.open(QIODevice::ReadOnly));
        EXPECT_EQ(before.readAll(), saved);
        before.close();

        // Cancelled on a new name: nothing at all.
        QFile::remove(file);
        EXPECT_EQ(saveTable(longTable(2500), format, file, [](qsizetype) { return false; }), ExportStatus::Cancelled);
        EXPECT_TRUE(entriesOf(dir.path()).isEmpty());
    }
}

TEST(TableExport, AFolderThatTakesNoFileLeavesNothing)
{
    QTemporaryDir dir;
    QFile plain(dir.filePath(QStringLiteral("파일")));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    for (const ExportFormat format : {ExportFormat::Xlsx, ExportFormat::Csv}) {
        for (const QString& path :
             {dir.filePath(QStringLiteral("없는 폴더/목록.xlsx")), dir.filePath(QStringLiteral("파일/목록.xlsx"))}) {
            SCOPED_TRACE(path.toStdString());
            EXPECT_EQ(saveTable(sampleTable(), format, path), ExportStatus::CannotCreate);
            EXPECT_EQ(entriesOf(dir.path()), QStringList{"파일"});
        }
    }
}

TEST(TableExport, AFolderInTheWayOfTheFileIsNotReplaced)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("목록.xlsx"));
    ASSERT_TRUE(QDir().mkdir(path));
    for (const ExportFormat format : {ExportFormat::Xlsx, ExportFormat::Csv}) {
        const ExportStatus status = saveTable(sampleTable(), format, path);
        EXPECT_TRUE(status == ExportStatus::CannotReplace || status == ExportStatus::CannotCreate);
        EXPECT_EQ(entriesOf(dir.path()), QStringList{"목록.xlsx"});
        EXPECT_TRUE(QFileInfo(path).isDir());
    }
}
