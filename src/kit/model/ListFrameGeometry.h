#pragma once
// Where the pieces of a list window's frame sit for a window size, with no widget: the button
// bar across the top (or below a band of search conditions), its four buttons from the right,
// the search conditions, the grid's panel below the bar, the grid in the panel and the
// please-wait label over the grid's middle. ListWindow applies it on every resize.
#include <QRect>
#include <QSize>

struct ListFrameRects {
    QRect bar;  // in the window
    // The bar's buttons, in the bar. Only their places change; their sizes are their own.
    QRect query;
    QRect print;
    QRect save;
    QRect close;
    QRect conditions;  // in the window
    QRect gridPanel;   // in the window
    QRect grid;        // in the panel
    QRect wait;        // in the panel
};

struct ListFrameWindow {
    QSize inner;                    // the window's client size
    int titleBarHeight = 0;         // what the window system adds above it; 0 before it decorates
    int conditionsAboveHeight = 0;  // 0: the conditions sit in the left part of the bar
    bool gridKeepsSize = false;     // the grid moves with its panel but keeps its size
    int buttonHeight = 0;           // the bar's buttons are centred in it by this height
};

// The rects after a resize to `window`, from the rects `now`. Each rule stands on its own: one
// whose result would be negative (a tiny or minimised window) leaves that size or place as it
// was, and the rules after it still run.
ListFrameRects listFrameRects(const ListFrameRects& now, const ListFrameWindow& window);
