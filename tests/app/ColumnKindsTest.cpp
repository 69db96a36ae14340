// Every grid of the program names what each of its columns holds: that decides how the screen
// aligns the column and which cell type a saved spreadsheet gives it. Identifiers (animal, pen,
// registration, semen, dam and calf numbers) are text however much they look like numbers.
#include "analysis/AnalysisWindow.h"
#include "books/DailyWindow.h"
#include "books/ManureLedgerWindow.h"
#include "books/PeriodBookWindow.h"
#include "books/model/RecordBooks.h"
#include "kit/Grid.h"
#include "recovery/RecoveryWindow.h"
#include "registry/BullRecordForm.h"
#include "registry/CowRecordForm.h"
#include "registry/SearchWindow.h"
#include "support/TestFarm.h"

#include <QRegularExpression>
#include <memory>
#include <vector>

namespace {

class ColumnKindsTest : public FarmTest {
protected:
    // The columns of every grid in `window` that name no kind, or call an identifier anything
    // but text, as "window/grid: header".
    static QStringList undeclared(const QWidget* window)
    {
        static const QRegularExpression identifier(QStringLiteral("번호|식별|KPN"));
        QStringList wrong;
        for (const Grid* g : window->findChildren<Grid*>()) {
            for (int c = 1; c <= g->maxCols(); ++c) {
                const QString header = g->cellText(c, 0).simplified();
                const QString where = window->objectName() + u'/' + g->objectName() + QStringLiteral(": ") + header;
                if (!g->hasColumnKind(c))
                    wrong << where + QStringLiteral(" (no kind)");
                else if (header.contains(identifier) && g->columnKind(c) != CellKind::Text)
                    wrong << where + QStringLiteral(" (an identifier, not text)");
            }
        }
        return wrong;
    }
};

}  // namespace

TEST_F(ColumnKindsTest, EveryColumnOfEveryGridNamesWhatItHolds)
{
    ASSERT_TRUE(farm.open());
    std::vector<std::unique_ptr<QWidget>> windows;
    windows.emplace_back(new SearchWindow);
    for (const books::BookSpec& (*book)() : {books::matingBook, books::calvingBook, books::shipmentBook})
        windows.emplace_back(new PeriodBookWindow(book()));
    windows.emplace_back(new ManureLedgerWindow);
    windows.emplace_back(new RecoveryWindow);
    windows.emplace_back(new CowRecordForm(nullptr));
    windows.emplace_back(new BullRecordForm(nullptr));
    auto* daily = new DailyWindow;
    windows.emplace_back(daily);

    int grids = 0;
    for (const auto& w : windows) {
        SCOPED_TRACE(w->objectName().toStdString());
        grids += int(w->findChildren<Grid*>().size());
        EXPECT_EQ(undeclared(w.get()), QStringList());
    }
    // Six lists and books, the history tabs of the cow (four) and the bull (no breeding), the backups.
    EXPECT_EQ(grids, 6 + 4 + 3 + 1);

    // The daily window's second set of columns.
    daily->withdrawalOption()->click();
    EXPECT_EQ(listGrid(daily)->maxCols(), 6);
    EXPECT_EQ(undeclared(daily), QStringList());
}

TEST_F(ColumnKindsTest, EveryTableOfTheHerdAnalysisNamesWhatItHolds)
{
    ASSERT_TRUE(farm.open());
    AnalysisWindow w;
    // The frame's own list stays empty and hidden; twelve tables on the tabs.
    EXPECT_EQ(w.findChildren<Grid*>().size(), 13);
    EXPECT_EQ(undeclared(&w), QStringList());
    w.query();
    EXPECT_EQ(undeclared(&w), QStringList());
}
