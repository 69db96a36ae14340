// A table of the analysis sorted by a click on a column's header: figures by value (1,250 after
// 950, not before it as text would put it), names in Korean order, empty cells last both ways,
// the 합계 line always at the end with its colour.
#include "analysis/model/AnalysisTables.h"

#include <gtest/gtest.h>

using namespace analysis;

namespace {

ShownTable sires()
{
    ShownTable t;
    t.headers = {"아비", "두수", "평균 도체중"};
    t.kinds = {CellKind::Text, CellKind::Number, CellKind::Number};
    t.rows = {{"나KPN", "3", "1,250"},
              {"가KPN", "12", "950"},
              {"다KPN", "", ""},
              {"라KPN", "7", "415.5"},
              {"합계", "22", "870.2"}};
    t.colors = {1, 2, 3, 4, 5};
    t.totalRows = 1;
    return t;
}

QStringList column(const ShownTable& t, int c)
{
    QStringList out;
    for (const QStringList& r : t.rows) out << r.value(c);
    return out;
}

}  // namespace

TEST(SortedTable, FiguresByValueTextsInOrderEmptyCellsLastAndTheTotalStaysLast)
{
    const struct {
        int column;
        Qt::SortOrder order;
        QStringList firstColumn;
    } cases[] = {
        {3, Qt::AscendingOrder, {"라KPN", "가KPN", "나KPN", "다KPN", "합계"}},   // 415.5 < 950 < 1,250, empty last
        {3, Qt::DescendingOrder, {"나KPN", "가KPN", "라KPN", "다KPN", "합계"}},  // empty last as well
        {2, Qt::AscendingOrder, {"나KPN", "라KPN", "가KPN", "다KPN", "합계"}},   // 3 < 7 < 12
        {1, Qt::DescendingOrder, {"라KPN", "다KPN", "나KPN", "가KPN", "합계"}},
        {0, Qt::AscendingOrder, {"나KPN", "가KPN", "다KPN", "라KPN", "합계"}},  // no such column: as it was
        {4, Qt::AscendingOrder, {"나KPN", "가KPN", "다KPN", "라KPN", "합계"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.column);
        const ShownTable sorted = sortedTable(sires(), c.column, c.order);
        EXPECT_EQ(column(sorted, 0), c.firstColumn);
        // Each row keeps its own colour, and the total its own.
        for (int r = 0; r < sorted.rows.size(); ++r) {
            const int was = int(column(sires(), 0).indexOf(sorted.rows[r][0]));
            EXPECT_EQ(sorted.colors.value(r), sires().colors.value(was)) << r;
        }
    }
}
