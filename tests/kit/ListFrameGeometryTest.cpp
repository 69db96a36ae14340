// Where a list window's frame puts its pieces for a window size, without a window.
#include "kit/model/ListFrameGeometry.h"

#include <gtest/gtest.h>

namespace {

constexpr int kButtonHeight = 34;

// A frame as built, before its first resize: the bar at the top left, the pieces unplaced.
ListFrameRects built(int barTop = 8, int barHeight = 52)
{
    ListFrameRects r;
    r.bar = QRect(8, barTop, 400, barHeight);
    r.query = r.print = r.save = r.close = QRect(0, 0, 104, kButtonHeight);
    r.gridPanel = QRect(0, 0, 100, 30);
    r.grid = QRect(0, 0, 100, 30);
    r.wait = QRect(0, 0, 520, 120);
    return r;
}

ListFrameWindow sized(int w, int h, int titleBar = 0)
{
    return {.inner = QSize(w, h), .titleBarHeight = titleBar, .buttonHeight = kButtonHeight};
}

}  // namespace

TEST(ListFrameGeometry, TheBarSpansTheWindowWithItsButtonsFromTheRightAndTheGridFillsBelow)
{
    // Before the window system decorates the window a 30 pixel title bar is assumed.
    for (int titleBar : {0, 30}) {
        SCOPED_TRACE(titleBar);
        const ListFrameRects r = listFrameRects(built(), sized(1000, 620, titleBar));
        EXPECT_EQ(r.bar, QRect(8, 8, 984, 52));
        EXPECT_EQ(r.close, QRect(872, 9, 104, 34));
        EXPECT_EQ(r.save, QRect(762, 9, 104, 34));
        EXPECT_EQ(r.print, QRect(652, 9, 104, 34));
        EXPECT_EQ(r.query, QRect(542, 9, 104, 34));
        // The conditions take the bar's left part up to the query button.
        EXPECT_EQ(r.conditions, QRect(8, 8, 534, 52));
        EXPECT_EQ(r.gridPanel, QRect(8, 66, 984, 544));
        EXPECT_EQ(r.grid, QRect(3, 3, 978, 538));
        EXPECT_EQ(r.wait.size(), QSize(520, 120));
        EXPECT_EQ(r.wait.center(), r.grid.center());
    }
}

TEST(ListFrameGeometry, ConditionsAboveTakeABandAcrossTheWindowAndTheTitleBarCountsInTheHeight)
{
    ListFrameWindow window = sized(1240, 760, 25);
    window.conditionsAboveHeight = 66;
    const ListFrameRects r = listFrameRects(built(74, 48), window);
    EXPECT_EQ(r.bar, QRect(8, 74, 1224, 48));
    EXPECT_EQ(r.close, QRect(1112, 7, 104, 34));
    EXPECT_EQ(r.query, QRect(782, 7, 104, 34));
    EXPECT_EQ(r.conditions, QRect(0, 0, 1240, 66));
    EXPECT_EQ(r.gridPanel, QRect(8, 128, 1224, 617));
    EXPECT_EQ(r.grid, QRect(3, 3, 1218, 611));
}

TEST(ListFrameGeometry, AGridThatKeepsItsSizeOnlyMovesAndTheWaitLabelStaysOverIt)
{
    ListFrameRects now = built();
    now.grid = QRect(40, 40, 300, 200);
    ListFrameWindow window = sized(1000, 620);
    window.gridKeepsSize = true;
    const ListFrameRects r = listFrameRects(now, window);
    EXPECT_EQ(r.gridPanel, QRect(8, 66, 984, 544));
    EXPECT_EQ(r.grid, QRect(3, 3, 300, 200));
    EXPECT_EQ(r.wait.center(), r.grid.center());
}

// A rule whose result would be negative leaves its piece as it was; the later rules still run
// from what the pieces are then.
TEST(ListFrameGeometry, ATinyWindowKeepsWhatWouldNotFitAndStillAppliesTheRest)
{
    const ListFrameRects before = listFrameRects(built(), sized(1000, 620));
    const ListFrameRects r = listFrameRects(before, sized(100, 50));
    EXPECT_EQ(r.bar, QRect(8, 8, 84, 52));
    // The close button no longer fits: it and the buttons placed from it stay.
    for (const auto& [now, was] :
         {std::pair{r.close, before.close}, {r.save, before.save}, {r.print, before.print}, {r.query, before.query}})
        EXPECT_EQ(now, was);
    EXPECT_EQ(r.conditions, before.conditions);
    // The panel's height would be negative and stays; its width follows the window.
    EXPECT_EQ(r.gridPanel, QRect(8, 66, 84, 544));
    EXPECT_EQ(r.grid, QRect(3, 3, 78, 538));

    // Back at full size everything is where it was first.
    const ListFrameRects again = listFrameRects(r, sized(1000, 620));
    EXPECT_EQ(again.bar, before.bar);
    EXPECT_EQ(again.close, before.close);
    EXPECT_EQ(again.query, before.query);
    EXPECT_EQ(again.gridPanel, before.gridPanel);
    EXPECT_EQ(again.grid, before.grid);
    EXPECT_EQ(again.wait, before.wait);
}
