// Several tables saved as one workbook, one sheet each, read back with openpyxl: the sheets in
// order with names Excel takes, each with its title row, headers and typed cells; and a failed
// save that leaves nothing behind.
#include "sheets/model/WorkbookExport.h"
#include "support/ExportReaders.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QTemporaryDir>

namespace {
ExportTable table(const QString& title, const QStringList& headers, const QList<QStringList>& rows,
                  const QList<CellKind>& kinds)
{
    ExportTable t;
    t.title = title;
    t.farmName = QStringLiteral("햇살한우농장");
    t.date = QDate(2009, 12, 8);
    t.headers = headers;
    t.rows = rows;
    t.kinds = kinds;
    return t;
}

QJsonObject cell(const QJsonArray& rows, int row, int col)
{
    return rows.at(row).toArray().at(col).toObject();
}
}  // namespace

TEST(WorkbookExport, EachTableIsASheetOfItsOwnWithTypedCells)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("성적분석.xlsx"));
    const QList<ExportTable> sheets = {
        table(QStringLiteral("정액별 수태율"), {"정액번호", "수정(n)", "수태율 (%)"},
              {{"0835", "34", "64.7"}, {"1050", "1,025", "56.0"}},
              {CellKind::Text, CellKind::Number, CellKind::Number}),
        table(QStringLiteral("결과 미확인 수정"), {"개체번호", "수정일", "경과일수"}, {{"KR1", "2009-10-05", "64"}},
              {CellKind::Text, CellKind::Date, CellKind::Number}),
        table(QStringLiteral("유산"), {"개체번호", "비고"}, {}, {CellKind::Text, CellKind::Text}),
    };
    ASSERT_EQ(saveWorkbook(sheets, path), ExportStatus::Saved);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("성적분석.xlsx")});

    const QJsonObject book = readXlsxSheets(path);
    ASSERT_FALSE(book.contains(QStringLiteral("error")))
        << book.value(QStringLiteral("error")).toString().toStdString();
    const QJsonArray read = book.value(QStringLiteral("sheets")).toArray();
    ASSERT_EQ(read.size(), 3);
    QStringList names;
    for (const auto& s : read) names << s.toObject().value(QStringLiteral("sheet")).toString();
    EXPECT_EQ(names, (QStringList{"정액별 수태율", "결과 미확인 수정", "유산"}));

    // The sheet reads as wide as its title row: texts of the columns the table has.
    const QJsonArray semen = read.at(0).toObject().value(QStringLiteral("rows")).toArray();
    ASSERT_EQ(semen.size(), 4);  // title, headers, two rows
    EXPECT_EQ(cell(semen, 0, 0).value(QStringLiteral("v")).toString(), QStringLiteral("정액별 수태율"));
    EXPECT_TRUE(xlsxTexts(semen.at(0).toArray()).contains(QStringLiteral("햇살한우농장")));
    EXPECT_EQ(xlsxTexts(semen.at(1).toArray()).mid(0, 3), (QStringList{"정액번호", "수정(n)", "수태율 (%)"}));
    // An identifier of digits stays text; figures are numbers with their shown decimals.
    EXPECT_EQ(cell(semen, 2, 0).value(QStringLiteral("kind")).toString(), QStringLiteral("text"));
    EXPECT_EQ(cell(semen, 2, 0).value(QStringLiteral("v")).toString(), QStringLiteral("0835"));
    EXPECT_EQ(cell(semen, 3, 1).value(QStringLiteral("v")).toDouble(), 1025);
    EXPECT_EQ(cell(semen, 3, 1).value(QStringLiteral("fmt")).toString(), QStringLiteral("#,##0"));
    EXPECT_EQ(cell(semen, 2, 2).value(QStringLiteral("v")).toDouble(), 64.7);
    EXPECT_EQ(cell(semen, 2, 2).value(QStringLiteral("fmt")).toString(), QStringLiteral("0.0"));
    EXPECT_EQ(read.at(0).toObject().value(QStringLiteral("freeze")).toString(), QStringLiteral("A3"));

    const QJsonArray pending = read.at(1).toObject().value(QStringLiteral("rows")).toArray();
    ASSERT_EQ(pending.size(), 3);
    EXPECT_EQ(cell(pending, 2, 1).value(QStringLiteral("kind")).toString(), QStringLiteral("date"));
    EXPECT_EQ(cell(pending, 2, 1).value(QStringLiteral("v")).toString(), QStringLiteral("2009-10-05"));
    EXPECT_EQ(cell(pending, 2, 2).value(QStringLiteral("kind")).toString(), QStringLiteral("number"));

    // A table without rows keeps its sheet: title and headers.
    const QJsonArray empty = read.at(2).toObject().value(QStringLiteral("rows")).toArray();
    ASSERT_EQ(empty.size(), 2);
    EXPECT_EQ(xlsxTexts(empty.at(1).toArray()).mid(0, 2), (QStringList{"개체번호", "비고"}));
}

TEST(WorkbookExport, SheetNamesAreWhatExcelTakesAndNeverTwiceTheSame)
{
    const struct {
        QStringList titles;
        QStringList names;
    } cases[] = {
        {{"번식성적", "출하성적"}, {"번식성적", "출하성적"}},
        // Excel refuses []:*?/\ in a name and compares names without letter case.
        {{"A/B: 성적?", "Total", "total"}, {"AB 성적", "Total", "total (2)"}},
        {{"", ""}, {"목록", "목록 (2)"}},
        // 31 characters at most, the number included; a long title ends after a whole word.
        {{QStringLiteral("인공수정자별 수태율 2009-01-01 ~ 2009-12-31")},
         {QStringLiteral("인공수정자별 수태율 2009-01-01")}},
        {{QString(40, u'가'), QString(40, u'가')}, {QString(31, u'가'), QString(27, u'가') + QStringLiteral(" (2)")}},
    };
    for (const auto& c : cases) {
        QList<ExportTable> sheets;
        for (const QString& t : c.titles) sheets << table(t, {"a"}, {}, {});
        EXPECT_EQ(workbookSheetNames(sheets), c.names) << c.titles.join(u'|').toStdString();
    }
}

TEST(WorkbookExport, AFolderThatCannotTakeTheFileLeavesNothing)
{
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("없는폴더/성적분석.xlsx"));
    const QList<ExportTable> sheets{table(QStringLiteral("유산"), {"개체번호"}, {{"KR1"}}, {CellKind::Text})};
    EXPECT_EQ(saveWorkbook(sheets, missing), ExportStatus::CannotCreate);
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).isEmpty());

    // An earlier file of the name is replaced whole.
    const QString path = dir.filePath(QStringLiteral("성적분석.xlsx"));
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old");
    old.close();
    ASSERT_EQ(saveWorkbook(sheets, path), ExportStatus::Saved);
    EXPECT_EQ(readXlsxSheets(path).value(QStringLiteral("sheets")).toArray().size(), 1);
}
