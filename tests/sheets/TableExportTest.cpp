// Writing a table as an Excel workbook or a CSV file, read back by independent readers; what
// counts as a number or a date; and what a failed or cancelled export leaves behind.
#include "sheets/model/TableExport.h"
#include "sheets/model/TableLayout.h"
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

    // Kinds the caller gives win over what the cells look like; a column it names none of
    // holds text.
    t.kinds = {CellKind::Text, CellKind::Text, CellKind::Date, CellKind::Number};
    EXPECT_EQ(columnKinds(t).mid(0, 6), (QList<CellKind>{CellKind::Text, CellKind::Text, CellKind::Date,
                                                         CellKind::Number, CellKind::Text, CellKind::Text}));
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

// The progress is asked as the rows go, so the window's cancel button answers within a short
// stretch of rows whatever the length of the list; the first refusal ends the writing there.
TEST(TableExport, ProgressIsAskedAsTheRowsGoAndCancelLeavesNoFile)
{
    constexpr qsizetype kRows = 2500;
    for (const ExportFormat format : {ExportFormat::Xlsx, ExportFormat::Csv}) {
        SCOPED_TRACE(format == ExportFormat::Xlsx ? "xlsx" : "csv");
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("긴 목록.") + (format == ExportFormat::Xlsx ? "xlsx" : "csv"));
        QList<qsizetype> asked;
        EXPECT_EQ(saveTable(longTable(int(kRows)), format, file,
                            [&](qsizetype written) {
                                asked << written;
                                return true;
                            }),
                  ExportStatus::Saved);
        // Rows written so far, growing, never past the table; no stretch of rows (from the
        // start, between two asks, to the end) longer than the step of the windows' progress.
        ASSERT_GE(asked.size(), 2);
        qsizetype previous = 0;
        for (const qsizetype written : asked) {
            EXPECT_GT(written, previous);
            EXPECT_LE(written - previous, kProgressRows);
            previous = written;
        }
        EXPECT_LE(asked.last(), kRows);
        EXPECT_LE(kRows - asked.last(), kProgressRows);

        // Cancelled half way over the file saved before: that file stays as it was.
        QFile before(file);
        ASSERT_TRUE(before.open(QIODevice::ReadOnly));
        const QByteArray saved = before.readAll();
        before.close();
        const qsizetype halfWay = kRows / 2;
        QList<qsizetype> untilCancel;
        EXPECT_EQ(saveTable(longTable(int(kRows)), format, file,
                            [&](qsizetype written) {
                                untilCancel << written;
                                return written < halfWay;
                            }),
                  ExportStatus::Cancelled);
        // The same asks up to the first one past half way, and none after it.
        ASSERT_FALSE(untilCancel.isEmpty());
        EXPECT_GE(untilCancel.last(), halfWay);
        EXPECT_EQ(untilCancel, asked.mid(0, untilCancel.size()));
        EXPECT_LT(untilCancel.value(untilCancel.size() - 2), halfWay);
        EXPECT_EQ(entriesOf(dir.path()), QStringList{QFileInfo(file).fileName()});
        ASSERT_TRUE(before.open(QIODevice::ReadOnly));
        EXPECT_EQ(before.readAll(), saved);
        before.close();

        // Cancelled on a new name: nothing at all.
        QFile::remove(file);
        EXPECT_EQ(saveTable(longTable(int(kRows)), format, file, [](qsizetype) { return false; }),
                  ExportStatus::Cancelled);
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

TEST(TableExport, ANameThatCarriesItsDayGetsNoSecondOne)
{
    const QDate day(2026, 12, 10);
    const struct {
        const char* title;
        const char* file;
    } cases[] = {
        {"교배기록부 2026-01-01~2026-12-10", "교배기록부 2026-01-01~2026-12-10.xlsx"},
        {"재발정예정 개체일람 2026-12-10", "재발정예정 개체일람 2026-12-10.xlsx"},
        {"번식기록 KR002012345678", "번식기록 KR002012345678 2026-12-10.xlsx"},
        {"번식기록 20261210", "번식기록 20261210 2026-12-10.xlsx"},  // an animal number is no day
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title);
        EXPECT_EQ(suggestedFileName(QString::fromUtf8(c.title), day, ExportFormat::Xlsx), QString::fromUtf8(c.file));
    }
}

TEST(TableExport, SheetNamesKeepWholeWordsWithinExcelsLimit)
{
    const QString a29(29, u'가');
    const struct {
        QString title;
        QString sheet;
    } cases[] = {
        {"교배기록부 2026-01-01~2026-12-10", "교배기록부 2026-01-01~2026-12-10"},
        {"번식기록 KR002012345678", "번식기록 KR002012345678"},
        // Excel refuses []:*?/\ in a sheet name; they are dropped, not the words around them.
        {"진료/백신 [수소]: 목록*?\\", "진료백신 수소 목록"},
        // Cut after the last word that fits in 31 characters.
        {"한우 축산분뇨관리대장 관리용 목록 2026-01-01~2026-12-10", "한우 축산분뇨관리대장 관리용 목록"},
        {a29 + " - 목록", a29},                    // no dangling dash
        {QString(40, u'나'), QString(31, u'나')},  // one word longer than the limit
        {"'인용된 이름'", "인용된 이름"},          // no apostrophe at either end
        {"", "목록"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title.toStdString());
        const QString sheet = sheetNameOf(c.title);
        EXPECT_EQ(sheet, c.sheet);
        EXPECT_LE(sheet.size(), 31);
    }
}

TEST(TableExport, ColumnKindsComeFromTheColumnNotFromTheRowsShown)
{
    // Identifiers hold text even when every one shown is digits; an amount holds numbers; a
    // cell of a number or date column that is none stays text.
    const QList<CellKind> kinds{CellKind::Text, CellKind::Text, CellKind::Text, CellKind::Number, CellKind::Date};
    const QStringList headers{"개체번호", "KPN", "모번호", "금액", "수정일"};
    const struct {
        const char* name;
        QList<QStringList> rows;
    } lists[] = {
        {"all numeric",
         {{"002123456789", "2000", "0987", "1,250", "2026-04-03"}, {"12", "1203", "5", "-3", "2026-04-04"}}},
        {"mixed",
         {{"KR002123456789", "KPN2000", "0987", "미정", "0000-00-00"}, {"12", "2000", "KR5", "-3", "2026-04-04"}}},
    };
    for (const auto& list : lists) {
        SCOPED_TRACE(list.name);
        ExportTable t;
        t.title = QStringLiteral("목록");
        t.headers = headers;
        t.kinds = kinds;
        t.rows = list.rows;
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("목록.xlsx"));
        ASSERT_EQ(saveTable(t, ExportFormat::Xlsx, file), ExportStatus::Saved);
        const QJsonArray rows = readXlsx(file).value("rows").toArray();
        ASSERT_EQ(rows.size(), 4);
        for (int r = 0; r < 2; ++r) {
            for (int c = 0; c < 5; ++c) {
                SCOPED_TRACE(testing::Message() << "row " << r << " column " << c);
                const QJsonObject cell = rows[r + 2].toArray()[c].toObject();
                const QString shown = list.rows[r][c];
                const bool isNumber = kinds[c] == CellKind::Number && numberFromText(shown);
                const bool isDate = kinds[c] == CellKind::Date && dateFromText(shown).isValid();
                EXPECT_EQ(cell.value("kind").toString(), isNumber ? "number" : isDate ? "date" : "text");
                if (!isNumber && !isDate) {
                    EXPECT_EQ(cell.value("v").toString(), shown);
                }
            }
        }
        EXPECT_EQ(rows[3].toArray()[3].toObject().value("v").toDouble(), -3);
    }
}

TEST(TableExport, CsvDisarmsWhatASpreadsheetWouldRunButKeepsNegativeNumbers)
{
    const struct {
        CellKind kind;
        const char* shown;
        const char* written;
    } cases[] = {
        {CellKind::Text, "=SUM(A1:A9)", "'=SUM(A1:A9)"},
        {CellKind::Text, "+82 10 1234", "'+82 10 1234"},
        {CellKind::Text, "-3", "'-3"},  // a text column's "-3" is no number
        {CellKind::Text, "@SUM(1)", "'@SUM(1)"},
        {CellKind::Text, "\t=1+1", "'=1+1"},  // the tab is padding; what follows is a formula
        {CellKind::Text, "\r\n-2+3", "'-2+3"},
        {CellKind::Text, "a=b", "a=b"},
        {CellKind::Text, "'인용'", "'인용'"},
        {CellKind::Number, "-3", "-3"},
        {CellKind::Number, "-1,234.50", "-1234.50"},
        {CellKind::Number, "-", "'-"},
        {CellKind::Number, "=1+2", "'=1+2"},
        {CellKind::Date, "2026-04-03", "2026-04-03"},
        {CellKind::Date, "2009년 12월 08일", "2009-12-08"},
        {CellKind::Date, "-0001-01-01", "'-0001-01-01"},
        // The blanks a list pads its cells with are not kept.
        {CellKind::Text, " 퇴비", "퇴비"},
        {CellKind::Text, " ", ""},
        {CellKind::Number, "12.5 ", "12.5"},
    };
    ExportTable t;
    for (const auto& c : cases) {
        t.headers << QStringLiteral("열%1").arg(t.headers.size() + 1);
        t.kinds << c.kind;
    }
    t.headers[0] = QStringLiteral("=제목");  // headers too
    QStringList row;
    for (const auto& c : cases) row << QString::fromUtf8(c.shown);
    t.rows = {row};
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("목록.csv"));
    ASSERT_EQ(saveTable(t, ExportFormat::Csv, file), ExportStatus::Saved);
    const QJsonArray rows = readCsv(file).value("rows").toArray();
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0].toArray()[0].toString(), QStringLiteral("'=제목"));
    for (int i = 0; i < int(std::size(cases)); ++i) {
        SCOPED_TRACE(cases[i].shown);
        EXPECT_EQ(rows[1].toArray()[i].toString(), QString::fromUtf8(cases[i].written));
    }

    // The workbook keeps such texts as texts, exactly: a cell type, not an apostrophe, keeps
    // them from running.
    const QString book = dir.filePath(QStringLiteral("목록.xlsx"));
    ASSERT_EQ(saveTable(t, ExportFormat::Xlsx, book), ExportStatus::Saved);
    const QJsonArray cells = readXlsx(book).value("rows").toArray()[2].toArray();
    EXPECT_EQ(cells[0].toObject().value("kind").toString(), QStringLiteral("text"));
    EXPECT_EQ(cells[0].toObject().value("v").toString(), QStringLiteral("=SUM(A1:A9)"));
    EXPECT_EQ(cells[8].toObject().value("v").toDouble(), -3);
}

TEST(TableExport, AColumnWithAUnitHoldsTheNumberAlone)
{
    const ColumnUnit months = columnUnitOf(QStringLiteral("개월령"));
    EXPECT_EQ(months.name, QStringLiteral("개월"));
    EXPECT_EQ(columnUnitOf(QStringLiteral("월 령")).name, QStringLiteral("개월"));
    EXPECT_TRUE(columnUnitOf(QStringLiteral("체중")).isNone());
    EXPECT_TRUE(columnUnitOf(QStringLiteral("산차")).isNone());

    const struct {
        const char* shown;
        std::optional<double> number;
    } cases[] = {
        {"23 개월령", 23}, {"23개월령", 23}, {"12개월", 12},    {"12", 12}, {" 7 개월 ", 7},
        {"12개월 반", {}}, {"개월", {}},     {"약 12개월", {}}, {"", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shown);
        const auto n = numberWithUnit(QString::fromUtf8(c.shown), months);
        ASSERT_EQ(n.has_value(), c.number.has_value());
        if (n) {
            EXPECT_EQ(n->value, *c.number);
        }
    }
}
