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

// Every piece where `expected` has it.
void expectRects(const ListFrameRects& r, const ListFrameRects& expected)
{
    const struct {
        const char* piece;
        QRect is, wanted;
    } pieces[] = {{"bar", r.bar, expected.bar},
                  {"query", r.query, expected.query},
                  {"print", r.print, expected.print},
                  {"save", r.save, expected.save},
                  {"close", r.close, expected.close},
                  {"conditions", r.conditions, expected.conditions},
                  {"gridPanel", r.gridPanel, expected.gridPanel},
                  {"grid", r.grid, expected.grid},
                  {"wait", r.wait, expected.wait}};
    for (const auto& p : pieces) EXPECT_EQ(p.is, p.wanted) << p.piece;
}

QRect button(int x, int top)
{
    return {x, top, 104, kButtonHeight};
}

}  // namespace

// The bar spans the window with its buttons from the right, the conditions take the bar's left
// part up to the query button or a band across the top, the grid fills its panel below the bar
// and the wait label sits over the grid's middle.
TEST(ListFrameGeometry, ThePiecesFollowTheWindowSize)
{
    ListFrameRects keptGrid = built();
    keptGrid.grid = QRect(40, 40, 300, 200);
    const struct {
        const char* name;
        ListFrameRects now;
        ListFrameWindow window;
        ListFrameRects expected;
    } cases[] = {
        {"conditions in the bar, before the title bar is known (30 assumed)",
         built(),
         sized(1000, 620),
         {QRect(8, 8, 984, 52), button(542, 9), button(652, 9), button(762, 9), button(872, 9), QRect(8, 8, 534, 52),
          QRect(8, 66, 984, 544), QRect(3, 3, 978, 538), QRect(232, 212, 520, 120)}},
        {"a decorated window",
         built(),
         sized(1000, 620, 30),
         {QRect(8, 8, 984, 52), button(542, 9), button(652, 9), button(762, 9), button(872, 9), QRect(8, 8, 534, 52),
          QRect(8, 66, 984, 544), QRect(3, 3, 978, 538), QRect(232, 212, 520, 120)}},
        {"conditions above the bar",
         built(74, 48),
         {.inner = QSize(1240, 760), .titleBarHeight = 25, .conditionsAboveHeight = 66, .buttonHeight = kButtonHeight},
         {QRect(8, 74, 1224, 48), button(782, 7), button(892, 7), button(1002, 7), button(1112, 7),
          QRect(0, 0, 1240, 66), QRect(8, 128, 1224, 617), QRect(3, 3, 1218, 611), QRect(352, 248, 520, 120)}},
        {"a grid that keeps its size only moves",
         keptGrid,
         {.inner = QSize(1000, 620), .gridKeepsSize = true, .buttonHeight = kButtonHeight},
         {QRect(8, 8, 984, 52), button(542, 9), button(652, 9), button(762, 9), button(872, 9), QRect(8, 8, 534, 52),
          QRect(8, 66, 984, 544), QRect(3, 3, 300, 200), QRect(-107, 43, 520, 120)}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        expectRects(listFrameRects(c.now, c.window), c.expected);
    }
}

// A rule whose result would be negative leaves its piece as it was; the later rules still run
// from what the pieces are then.
TEST(ListFrameGeometry, ATinyWindowKeepsWhatWouldNotFitAndStillAppliesTheRest)
{
    const ListFrameRects before = listFrameRects(built(), sized(1000, 620));
    ListFrameRects tiny = before;
    tiny.bar = QRect(8, 8, 84, 52);
    // The close button no longer fits: it and the buttons placed from it stay, and so do the
    // conditions up to the query button. The panel's height would be negative and stays; its
    // width follows the window.
    tiny.gridPanel = QRect(8, 66, 84, 544);
    tiny.grid = QRect(3, 3, 78, 538);
    tiny.wait = QRect(-218, 212, 520, 120);
    const ListFrameRects r = listFrameRects(before, sized(100, 50));
    expectRects(r, tiny);
    // Back at full size everything is where it was first.
    expectRects(listFrameRects(r, sized(1000, 620)), before);
}
