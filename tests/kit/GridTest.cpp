#include "kit/Accessibility.h"
#include "kit/ColumnFit.h"
#include "kit/Grid.h"

#include <gtest/gtest.h>
#include <QAccessible>
#include <QApplication>
#include <QHeaderView>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTest>

TEST(Grid, AppendFillReadAndClear)
{
    Grid g;
    g.setHeaders({QStringLiteral("개체식별번호"), QStringLiteral("암/수소")});
    EXPECT_EQ(g.maxCols(), 2);
    g.setCol(1);
    g.setRow(0);
    EXPECT_EQ(g.text(), QStringLiteral("개체식별번호"));
    g.setText(QStringLiteral("어제( 2009년12월07일 )"));
    EXPECT_EQ(g.cellText(1, 0), QStringLiteral("어제( 2009년12월07일 )"));

    for (int i = 1; i <= 3; ++i) {
        g.setMaxRows(g.maxRows() + 1);
        g.setRow(g.maxRows());
        g.setRowHeight(Grid::kRowHeight);
        g.setCol(1);
        g.setText(QStringLiteral("A%1").arg(i));
    }
    EXPECT_EQ(g.maxRows(), 3);
    EXPECT_EQ(g.cellText(1, 3), QStringLiteral("A3"));
    EXPECT_EQ(g.rowHeight(2), 18);
    EXPECT_EQ(g.cellText(2, 1), QString());
    EXPECT_EQ(g.cellText(3, 1), QString());  // outside the grid
    EXPECT_EQ(g.cellText(1, 4), QString());

    g.setRowForeColor(2, QColor(0, 0, 255));
    g.setCol(2);
    g.setRow(3);
    g.setFontBold(true);
    EXPECT_EQ(g.rowForeColor(2), QColor(0, 0, 255));
    EXPECT_EQ(g.rowForeColor(1), QColor(Qt::black));
    EXPECT_TRUE(g.fontBold());
    EXPECT_EQ(g.model()->data(g.model()->index(2, 1), Qt::FontRole).value<QFont>().bold(), true);

    g.clearText();  // keeps the rows
    EXPECT_EQ(g.maxRows(), 3);
    EXPECT_EQ(g.cellText(1, 3), QString());
    EXPECT_FALSE(g.fontBold());
    EXPECT_EQ(g.cellText(1, 0), QStringLiteral("어제( 2009년12월07일 )"));  // headers stay
    g.setMaxRows(0);
    EXPECT_EQ(g.maxRows(), 0);
    EXPECT_EQ(g.activeRow(), 0);
}

TEST(Grid, SelectionActiveRowAndDoubleClick)
{
    Grid g;
    g.setHeaders({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
    g.setMaxRows(5);
    g.setSelection(1, 4, 3, 4);
    EXPECT_EQ(g.activeRow(), 4);
    g.setActiveCell(2, 2);
    EXPECT_EQ(g.activeRow(), 2);

    QSignalSpy spy(&g, &Grid::dblClick);
    g.resize(400, 300);
    g.show();
    const QRect cell = g.visualRect(g.model()->index(2, 1));
    QTest::mousePress(g.viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseRelease(g.viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(g.viewport(), Qt::LeftButton, {}, cell.center());
    ASSERT_GE(spy.count(), 1);
    EXPECT_EQ(spy.last().at(0).toInt(), 2);
    EXPECT_EQ(spy.last().at(1).toInt(), 3);

    // Headers report 0: row 0 on a column header, column 0 on a row number.
    struct HeaderCase {
        QHeaderView* header;
        int section, col, row;
    } headers[] = {{g.horizontalHeader(), 2, 3, 0}, {g.verticalHeader(), 3, 0, 4}};
    for (const HeaderCase& h : headers) {
        spy.clear();
        const int pos = h.header->sectionViewportPosition(h.section) + h.header->sectionSize(h.section) / 2;
        const QPoint at = h.header->orientation() == Qt::Horizontal ? QPoint(pos, h.header->height() / 2)
                                                                    : QPoint(h.header->width() / 2, pos);
        QTest::mousePress(h.header->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(h.header->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(h.header->viewport(), Qt::LeftButton, {}, at);
        ASSERT_GE(spy.count(), 1) << h.col << "," << h.row;
        EXPECT_EQ(spy.last().at(0).toInt(), h.col);
        EXPECT_EQ(spy.last().at(1).toInt(), h.row);
    }
}

TEST(Grid, ShrinkingDropsBoldOfRemovedRows)
{
    Grid g;
    g.setHeaders({QStringLiteral("a")});
    g.setMaxRows(3);
    g.setCol(1);
    g.setRow(3);
    g.setFontBold(true);
    g.setMaxRows(2);
    g.setMaxRows(3);
    g.setRow(3);
    EXPECT_FALSE(g.fontBold());
}

// A mark left on a removed or emptied row would colour whatever the next fill puts there.
TEST(Grid, CellBackgroundsLeaveWithTheirRows)
{
    Grid g;
    g.setHeaders({QStringLiteral("a"), QStringLiteral("b")});
    g.setMaxRows(3);
    const QColor amber(255, 224, 150);
    g.setCellBackground(2, 3, amber);
    g.setCellBackground(1, 1, amber);
    EXPECT_EQ(g.model()->data(g.model()->index(2, 1), Qt::BackgroundRole).value<QColor>(), amber);
    EXPECT_FALSE(g.model()->data(g.model()->index(2, 0), Qt::BackgroundRole).isValid());
    g.setMaxRows(2);
    g.setMaxRows(3);
    EXPECT_FALSE(g.cellBackground(2, 3).isValid());
    EXPECT_EQ(g.cellBackground(1, 1), amber);
    g.clearText();
    EXPECT_FALSE(g.cellBackground(1, 1).isValid());
    g.setCellBackground(1, 1, amber);
    g.setCellBackground(1, 1, QColor());
    EXPECT_FALSE(g.model()->data(g.model()->index(0, 0), Qt::BackgroundRole).isValid());
}

TEST(HeardText, SpelledOutCaptionsReadAsWords)
{
    EXPECT_EQ(heardText(QStringLiteral("저 장")), QStringLiteral("저장"));
    EXPECT_EQ(heardText(QStringLiteral("종     료")), QStringLiteral("종료"));
    EXPECT_EQ(heardText(QStringLiteral("조회(F11)")), QStringLiteral("조회(F11)"));
    EXPECT_EQ(heardText(QStringLiteral("일일관리 대상조회")), QStringLiteral("일일관리 대상조회"));
    EXPECT_EQ(heardText(QStringLiteral("닫기(ESC)")), QStringLiteral("닫기(ESC)"));
}

namespace {
// Whether the cell shows whole: the item delegate's own measure of the text against the column.
bool showsWhole(const Grid& g, int col, int row)
{
    return g.sizeHintForIndex(g.model()->index(row - 1, col - 1)).width() <= g.columnWidth(col - 1);
}

// The right end of the last column, in viewport pixels.
int columnsEnd(const Grid& g)
{
    const int last = g.maxCols() - 1;
    return g.columnViewportPosition(last) + g.columnWidth(last);
}

// The width the view asks for the texts of column `col` (0-based) it holds.
int wanted(const Grid& g, int col)
{
    return static_cast<const QAbstractItemView&>(g).sizeHintForColumn(col);
}

QVariant cellData(const Grid& g, int col, int row, int role)
{
    return g.model()->data(g.model()->index(row - 1, col - 1), role);
}
}  // namespace

TEST(GridFit, EachColumnIsAlignedByWhatItHolds)
{
    Grid g;
    g.setHeaders({"개체번호", "체중", "측정일", "비고"});
    g.setColumnKinds({CellKind::Text, CellKind::Number, CellKind::Date});
    g.appendRows({{"KR002123456789", "1,250", "2009-12-08", "순함"}});
    const struct {
        int col;
        Qt::Alignment alignment;
    } cases[] = {{1, Qt::AlignLeft | Qt::AlignVCenter},
                 {2, Qt::AlignRight | Qt::AlignVCenter},
                 {3, Qt::AlignCenter},
                 {4, Qt::AlignLeft | Qt::AlignVCenter}};  // not named: text
    for (const auto& c : cases) {
        SCOPED_TRACE(c.col);
        EXPECT_EQ(cellData(g, c.col, 1, Qt::TextAlignmentRole).value<Qt::Alignment>(), c.alignment);
    }
    EXPECT_FALSE(g.hasColumnKind(4));
    // A column named later is aligned at once.
    g.setColumnKind(4, CellKind::Number);
    EXPECT_EQ(cellData(g, 4, 1, Qt::TextAlignmentRole).value<Qt::Alignment>(), Qt::AlignRight | Qt::AlignVCenter);
}

TEST(GridFit, AFillShowsEveryTextAndHeaderWholeUpToTheWidestColumnWhichNamesItsTextInATooltip)
{
    Grid g;
    g.resize(900, 300);
    g.show();
    g.setHeaders({"번호", "출하한 소 개체식별번호", "특이사항", "판정"});
    setColumnChars(&g, {4, 4, 4, 4});  // narrower than what the rows bring
    const QString longRemark = QString("왼쪽 귀표 재부착, 우측 뒷다리 절음, 사료 섭취량 감소로 관찰 중");
    g.appendRows({{"KR002123456789", "1", "순함", "1++"}, {"KR0021", "22", longRemark, "2"}});
    g.setCol(4);
    g.setRow(2);
    g.setFontBold(true);
    g.fitToContents();

    for (int c = 1; c <= 4; ++c) {
        SCOPED_TRACE(c);
        EXPECT_GE(g.columnWidth(c - 1), g.horizontalHeader()->sectionSizeHint(c - 1));
        for (int r = 1; r <= 2; ++r)
            if (c != 3 || r != 2) {
                EXPECT_TRUE(showsWhole(g, c, r)) << g.cellText(c, r).toStdString();
            }
    }
    // The long remark is cut at the widest a fit gives, and says itself as the tooltip; a cell
    // shown whole has none.
    const int widest = g.fontMetrics().horizontalAdvance(QChar(u'가')) * Grid::kMaxFitChars + 20;
    EXPECT_LE(g.columnWidth(2), widest);
    EXPECT_FALSE(showsWhole(g, 3, 2));
    EXPECT_EQ(cellData(g, 3, 2, Qt::ToolTipRole).toString(), longRemark);
    EXPECT_FALSE(cellData(g, 1, 1, Qt::ToolTipRole).isValid());
    EXPECT_FALSE(cellData(g, 3, 1, Qt::ToolTipRole).isValid());

    // The next fill sizes the columns to what it brought, narrower too.
    g.setMaxRows(0);
    g.appendRows({{"A", "1", "짧음", "2"}});
    g.fitToContents();
    EXPECT_TRUE(showsWhole(g, 3, 1));
    EXPECT_LT(g.columnWidth(2), g.fontMetrics().horizontalAdvance(longRemark) / 2);
}

TEST(GridFit, TheRowsInViewAreMeasuredWhereverTheListIsScrolled)
{
    Grid g;
    g.resize(500, 300);
    g.show();
    g.setHeaders({"번호", "목장명"});
    QList<QStringList> rows;
    for (int r = 1; r <= 5000; ++r) rows << QStringList{QString::number(r), "목장"};
    const QString far = QString("햇살 한우 번식 목장 제2농장");
    rows[4000][1] = far;
    g.appendRows(std::move(rows));
    g.scrollTo(g.model()->index(4000, 0), QAbstractItemView::PositionAtCenter);
    g.fitToContents();
    EXPECT_TRUE(showsWhole(g, 2, 4001));
}

TEST(GridFit, TheStretchColumnTakesTheSpareWidthAndGivesItBack)
{
    Grid g;
    g.resize(800, 300);
    g.show();
    g.setHeaders({"번호", "비고", "체중"});
    g.setColumnKinds({CellKind::Text, CellKind::Text, CellKind::Number});
    g.appendRows({{"KR002123456789", "순함", "450"}});
    g.fitToContents();
    QApplication::processEvents();
    // The last text column by default: the number stays beside it, not far right on its own.
    const int own = g.horizontalHeader()->sectionSizeHint(2);
    EXPECT_EQ(columnsEnd(g), g.viewport()->width());
    EXPECT_GT(g.columnWidth(1), g.columnWidth(0));
    EXPECT_LE(g.columnWidth(2), std::max(own, wanted(g, 2)) + 12);

    // Wider or narrower, still no empty band right of the last column.
    for (const QSize size : {QSize(1200, 300), QSize(700, 300)}) {
        g.resize(size);
        QApplication::processEvents();
        EXPECT_EQ(columnsEnd(g), g.viewport()->width()) << size.width();
    }

    // Another column chosen: it takes the spare width and the one before gives it back.
    const int secondFitted = wanted(g, 1);
    g.setStretchColumn(1);
    QApplication::processEvents();
    EXPECT_EQ(columnsEnd(g), g.viewport()->width());
    EXPECT_GT(g.columnWidth(0), g.columnWidth(2) * 2);
    EXPECT_LE(g.columnWidth(1), secondFitted + 20);

    // Columns wider than the grid: nothing is added, and the list scrolls.
    g.resize(200, 300);
    QApplication::processEvents();
    EXPECT_GT(columnsEnd(g), g.viewport()->width());
    EXPECT_TRUE(showsWhole(g, 1, 1));
}

// The list's check column: a tick box per row, set by a click on the box, by the space bar on
// any cell of the row and through the model (a screen reader's toggle), and gone with its row.
namespace {

QRect tickBoxOf(Grid& g, int row, int col)
{
    QStyleOptionViewItem opt;
    opt.initFrom(g.viewport());
    opt.rect = g.visualRect(g.model()->index(row - 1, col - 1));
    opt.features = QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDisplay;
    opt.text = g.cellText(col, row);
    return g.style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &opt, &g);
}

Grid* tickGrid(QWidget* parent)
{
    auto* g = new Grid(parent);
    g->setHeaders({QStringLiteral("개체번호"), QStringLiteral("우방"), QStringLiteral("예정일")});
    g->setCheckColumn(1);
    g->appendRows({{"KR001", "1-1", "2026-04-01"}, {"KR002", "1-2", "2026-04-02"}, {"KR003", "2-1", "2026-04-03"}});
    g->fitToContents();
    return g;
}

}  // namespace

TEST(GridTicks, AClickOnTheBoxTheSpaceBarAndTheModelTickARow)
{
    QWidget window;
    Grid* g = tickGrid(&window);
    window.resize(500, 300);
    g->resize(480, 280);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QSignalSpy changes(g, &Grid::checksChanged);

    const QAbstractItemModel* m = g->model();
    EXPECT_TRUE(m->flags(m->index(0, 0)) & Qt::ItemIsUserCheckable);
    EXPECT_FALSE(m->flags(m->index(0, 1)) & Qt::ItemIsUserCheckable);
    EXPECT_EQ(m->data(m->index(0, 0), Qt::CheckStateRole), QVariant(Qt::Unchecked));
    EXPECT_FALSE(m->data(m->index(0, 1), Qt::CheckStateRole).isValid());
    EXPECT_TRUE(g->textFits(1, g->cellText(1, 1))) << "the fit leaves room for the box beside the number";

    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, tickBoxOf(*g, 2, 1).center());
    EXPECT_EQ(g->checkedRows(), QList<int>{2});
    EXPECT_EQ(m->data(m->index(1, 0), Qt::CheckStateRole), QVariant(Qt::Checked));
    // A click on the text beside the box only selects the row.
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, g->visualRect(m->index(0, 2)).center());
    EXPECT_EQ(g->checkedRows(), QList<int>{2});

    // The space bar ticks the row of the current cell, whichever column it stands in.
    g->setFocus();
    g->setActiveCell(3, 3);
    QTest::keyClick(g, Qt::Key_Space);
    EXPECT_EQ(g->checkedRows(), (QList<int>{2, 3}));
    QTest::keyClick(g, Qt::Key_Space);
    EXPECT_EQ(g->checkedRows(), QList<int>{2});

    // What an assistive tool does: it sets the check state through the model.
    EXPECT_TRUE(g->model()->setData(m->index(0, 0), Qt::Checked, Qt::CheckStateRole));
    EXPECT_FALSE(g->model()->setData(m->index(0, 1), Qt::Checked, Qt::CheckStateRole));
    EXPECT_EQ(g->checkedRows(), (QList<int>{1, 2}));
    EXPECT_EQ(changes.count(), 4);
    g->setChecked(1, true);  // no change, no signal
    EXPECT_EQ(changes.count(), 4);

    // A screen reader hears a tick box and whether it is ticked.
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(g);
    ASSERT_TRUE(table && table->tableInterface());
    QAccessibleInterface* cell = table->tableInterface()->cellAt(0, 0);
    ASSERT_TRUE(cell);
    EXPECT_TRUE(cell->state().checkable);
    EXPECT_TRUE(cell->state().checked);
    EXPECT_FALSE(table->tableInterface()->cellAt(2, 0)->state().checked);
}

// A tick left on a removed or emptied row would record a dose for whatever the next fill puts
// there.
TEST(GridTicks, TicksLeaveWithTheirRowsAndTheColumn)
{
    QWidget window;
    Grid* g = tickGrid(&window);
    QSignalSpy changes(g, &Grid::checksChanged);
    g->setChecked(1, true);
    g->setChecked(3, true);
    g->appendRows({{"KR004", "3-1", "2026-04-04"}});
    EXPECT_EQ(g->checkedRows(), (QList<int>{1, 3})) << "appending keeps the ticks";
    g->setMaxRows(2);
    g->setMaxRows(4);
    EXPECT_EQ(g->checkedRows(), QList<int>{1});
    g->clearText();
    EXPECT_TRUE(g->checkedRows().isEmpty());
    g->setChecked(2, true);
    g->setCheckColumn(0);
    EXPECT_FALSE(g->isChecked(2));
    EXPECT_TRUE(g->checkedRows().isEmpty());
    EXPECT_FALSE(g->model()->flags(g->model()->index(1, 0)) & Qt::ItemIsUserCheckable);
    g->setChecked(2, true);  // no check column: nothing to tick
    EXPECT_FALSE(g->isChecked(2));
    EXPECT_EQ(changes.count(), 6);

    // A long list: the ticks are a byte a row, read back in order.
    g->setCheckColumn(1);
    QList<QStringList> rows;
    for (int i = 0; i < 100000; ++i) rows << QStringList{QStringLiteral("N%1").arg(i)};
    g->appendRows(std::move(rows));
    g->setChecked(100004, true);
    g->setChecked(7, true);
    EXPECT_EQ(g->checkedRows(), (QList<int>{7, 100004}));
    g->setMaxRows(0);
    EXPECT_TRUE(g->checkedRows().isEmpty());
}

TEST(Grid, CellForeColoursStandOverTheRowsAndLeaveWithTheirRows)
{
    Grid g;
    g.setHeaders({QStringLiteral("a"), QStringLiteral("b")});
    g.setMaxRows(3);
    const QColor red(0xc0, 0, 0), blue(0, 0, 255);
    g.setRowForeColor(3, blue);
    g.setCellForeColor(2, 3, red);
    const QAbstractItemModel* m = g.model();
    EXPECT_EQ(m->data(m->index(2, 1), Qt::ForegroundRole).value<QColor>(), red);
    EXPECT_EQ(m->data(m->index(2, 0), Qt::ForegroundRole).value<QColor>(), blue);
    g.setMaxRows(2);
    g.setMaxRows(3);
    EXPECT_FALSE(g.cellForeColor(2, 3).isValid());
    g.setCellForeColor(1, 1, red);
    g.clearText();
    EXPECT_FALSE(g.cellForeColor(1, 1).isValid());
    EXPECT_FALSE(m->data(m->index(0, 0), Qt::ForegroundRole).isValid());
}
