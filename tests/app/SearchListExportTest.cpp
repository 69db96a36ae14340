// The search list saved as a workbook: its "yyyy년 mm월 dd일" dates become real dates, the
// identifiers stay text and bull rows stay blue.
#include "kit/Grid.h"
#include "kit/GridExport.h"
#include "registry/RegistryFixture.h"
#include "registry/model/SearchRules.h"
#include "support/ExportReaders.h"

#include <QJsonArray>

namespace {

// The farm's hook guard puts the save chooser back.
class SearchListExportTest : public RegistryTest {};

// The cell under a header in a row of the workbook.
QJsonObject cellUnder(const QJsonArray& rows, int row, const QString& header)
{
    const QStringList headers = xlsxTexts(rows[1].toArray());
    return rows[row].toArray()[headers.indexOf(header)].toObject();
}

}  // namespace

TEST_F(SearchListExportTest, DatesAreDatesIdentifiersTextAndBullsBlue)
{
    farm.addAnimal("002123456789", 0, 20091208, {{"점수", 4.5}, {"우방번호", "3"}});
    farm.addAnimal("002123456790", 1, 20080101, {{"입식일자", 20080301}, {"우방번호", "12"}});
    openList();
    searchFor();
    ASSERT_EQ(window->rowCount(), 2);
    const int bull = rowOf("002123456790");
    // A cell's type comes from what its column holds. Where the list names none, the test
    // names them: identifiers text, days dates, the score a number.
    Grid* grid = listGrid(window);
    bool declared = false;
    for (int c = 1; c <= grid->maxCols(); ++c) declared = declared || grid->hasColumnKind(c);
    if (!declared) {
        const CellKind T = CellKind::Text, D = CellKind::Date, N = CellKind::Number;
        grid->setColumnKinds({T, T, T, D, T, T, T, D, T, T, T, D, T, N, D, D, N});
    }

    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("개체.xlsx"));
    setSaveFileChooser([&](QWidget*, const QString&, ExportFormat) { return file; });
    ASSERT_TRUE(saveGridAs(listGrid(window), ExportFormat::Xlsx));

    const QJsonObject book = readXlsx(file);
    ASSERT_FALSE(book.contains("error")) << book.value("error").toString().toStdString();
    const QJsonArray rows = book.value("rows").toArray();
    ASSERT_EQ(rows.size(), 4);
    // The age column holds the number of months; its header names the unit.
    QStringList headers = searchHeaders();
    headers.last() = QStringLiteral("개월령(개월)");
    EXPECT_EQ(xlsxTexts(rows[1].toArray()).mid(0, 17), headers);
    const int cowRow = bull == 1 ? 3 : 2, bullRow = bull == 1 ? 2 : 3;

    const QJsonObject born = cellUnder(rows, cowRow, "개체생일");
    EXPECT_EQ(born.value("kind").toString(), QStringLiteral("date"));
    EXPECT_EQ(born.value("v").toString(), QStringLiteral("2009-12-08"));
    EXPECT_EQ(cellUnder(rows, bullRow, "입식일자").value("v").toString(), QStringLiteral("2008-03-01"));
    EXPECT_EQ(cellUnder(rows, cowRow, "개체식별번호").value("kind").toString(), QStringLiteral("text"));
    EXPECT_EQ(cellUnder(rows, cowRow, "개체식별번호").value("v").toString(), QStringLiteral("002123456789"));
    EXPECT_EQ(cellUnder(rows, cowRow, "흑비경").value("v").toDouble(), 4.5);
    EXPECT_EQ(cellUnder(rows, cowRow, "개월령(개월)").value("kind").toString(), QStringLiteral("number"));
    EXPECT_EQ(cellUnder(rows, cowRow, "개월령(개월)").value("v").toDouble(),
              listGrid(window)->cellText(17, cowRow - 1).section(u' ', 0, 0).toDouble());

    for (const char* header : {"개체식별번호", "암/수소", "개체생일"}) {
        SCOPED_TRACE(header);
        EXPECT_EQ(cellUnder(rows, bullRow, header).value("color").toString(), QStringLiteral("FF0000FF"));
        EXPECT_NE(cellUnder(rows, cowRow, header).value("color").toString(), QStringLiteral("FF0000FF"));
    }
}
