// The size a window opens at: what it wants, within the screen's free area, never below its
// smallest.
#include "kit/WindowUtil.h"

#include <gtest/gtest.h>

TEST(WindowUtil, AWindowOpensAsLargeAsTheScreenLetsItAndNeverBelowItsSmallest)
{
    const QSize wanted(1000, 720), minimum(1000, 600);
    const struct {
        QRect available;
        QSize opens;
    } cases[] = {
        {QRect(0, 0, 1920, 1040), QSize(1000, 720)},  // a desktop screen
        {QRect(0, 0, 1280, 760), QSize(1000, 720)},   // a 1280×800 laptop with its panel
        {QRect(0, 0, 1280, 700), QSize(1000, 660)},   // a taller panel: the title bar still shows
        {QRect(0, 0, 1024, 560), QSize(1000, 600)},   // too small a screen: the window's smallest
        {QRect(), QSize(1000, 720)},                  // no screen known
    };
    for (const auto& c : cases) EXPECT_EQ(openingSize(wanted, minimum, c.available), c.opens) << c.available.height();
}
