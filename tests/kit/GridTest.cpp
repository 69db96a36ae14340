#include "kit/Accessibility.h"
#include "kit/Grid.h"

#include <gtest/gtest.h>
#include <QHeaderView>
#include <QSignalSpy>
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

TEST(HeardText, SpelledOutCaptionsReadAsWords)
{
    EXPECT_EQ(heardText(QStringLiteral("저 장")), QStringLiteral("저장"));
    EXPECT_EQ(heardText(QStringLiteral("종     료")), QStringLiteral("종료"));
    EXPECT_EQ(heardText(QStringLiteral("조회(F11)")), QStringLiteral("조회(F11)"));
    EXPECT_EQ(heardText(QStringLiteral("일일관리 대상조회")), QStringLiteral("일일관리 대상조회"));
    EXPECT_EQ(heardText(QStringLiteral("닫기(ESC)")), QStringLiteral("닫기(ESC)"));
}
