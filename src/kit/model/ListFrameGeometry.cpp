#include "kit/model/ListFrameGeometry.h"

#include "kit/model/Twips.h"

namespace {
// The frame's margins, in twips like the rest of the layout rules.
constexpr int kBarRightTwips = 130;
constexpr int kCloseRightTwips = 120;
constexpr int kButtonGapTwips = 100;
constexpr int kPanelBottomTwips = 600;
constexpr int kPanelSideTwips = 240;
constexpr int kGridInsetTwips = 100;
// Title bar height assumed before the window system has decorated the window.
constexpr int kNominalTitleBarPx = 30;
constexpr int kMarginPx = 8;
constexpr int kPanelBelowBarPx = 6;

// `button` moved to `x` in the bar's middle when it fits.
void placeButton(QRect& button, int x, int top)
{
    if (x >= 0) button.moveTo(x, top);
}
}  // namespace

ListFrameRects listFrameRects(const ListFrameRects& now, const ListFrameWindow& window)
{
    ListFrameRects r = now;
    const int innerWidth = window.inner.width();
    const int outerHeight =
        window.inner.height() + (window.titleBarHeight > 0 ? window.titleBarHeight : kNominalTitleBarPx);

    if (const int w = innerWidth - (r.bar.x() + twipsToPixels(kBarRightTwips)); w >= 0) r.bar.setWidth(w);

    const int buttonTop = (r.bar.height() - window.buttonHeight) / 2;
    const int gap = twipsToPixels(kButtonGapTwips);
    placeButton(r.close, r.bar.width() - (r.close.width() + twipsToPixels(kCloseRightTwips)), buttonTop);
    placeButton(r.save, r.close.x() - (r.save.width() + gap), buttonTop);
    placeButton(r.print, r.save.x() - (r.print.width() + gap), buttonTop);
    placeButton(r.query, r.print.x() - (r.query.width() + gap), buttonTop);
    if (window.conditionsAboveHeight > 0)
        r.conditions = QRect(0, 0, innerWidth, window.conditionsAboveHeight);
    else if (const int w = r.query.x() - kMarginPx; w >= 0)
        r.conditions = QRect(r.bar.x(), r.bar.y(), w, r.bar.height());

    r.gridPanel.moveTo(kMarginPx, r.bar.y() + r.bar.height() + kPanelBelowBarPx);
    if (const int h = outerHeight - (r.gridPanel.y() + twipsToPixels(kPanelBottomTwips)); h >= 0)
        r.gridPanel.setHeight(h);
    if (const int w = innerWidth - twipsToPixels(kPanelSideTwips); w >= 0) r.gridPanel.setWidth(w);

    const int inset = twipsToPixels(kGridInsetTwips);
    r.grid.moveTo(inset / 2, inset / 2);
    if (!window.gridKeepsSize) {
        if (const int w = r.gridPanel.width() - inset; w >= 0) r.grid.setWidth(w);
        if (const int h = r.gridPanel.height() - inset; h >= 0) r.grid.setHeight(h);
    }

    r.wait.moveTo(r.grid.x() + r.grid.width() / 2 - r.wait.width() / 2,
                  r.grid.y() + r.grid.height() / 2 - r.wait.height() / 2);
    return r;
}
