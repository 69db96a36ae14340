// The command button's looks: every window takes its buttons from the kit, so a look that drifts
// changes the size, the keys or the cursor of buttons all over the program.
#include "kit/CommandButton.h"
#include "kit/Styles.h"

#include <gtest/gtest.h>
#include <QPushButton>
#include <QWidget>

namespace {

struct LookCase {
    const char* label;
    ButtonLook look;
    QSize minimum;
    QSize maximum;
    Qt::FocusPolicy focus;
    bool pointingHand;
    QString styleSheet;
};

TEST(CommandButton, EachLookSizesFocusesAndDrawsAsItsWindowsNeed)
{
    constexpr int kAny = QWIDGETSIZE_MAX;
    const LookCase cases[] = {
        {"Dialog", ButtonLook::Dialog, {90, 0}, {kAny, kAny}, Qt::StrongFocus, false, {}},
        {"Bar", ButtonLook::Bar, {104, 34}, {104, 34}, Qt::TabFocus, true, {}},
        {"Menu", ButtonLook::Menu, {0, 60}, {kAny, kAny}, Qt::StrongFocus, true, styles::menuButton()},
        {"Skinned", ButtonLook::Skinned, {0, 0}, {kAny, kAny}, Qt::StrongFocus, true, styles::skinnedButton()},
        {"Footer", ButtonLook::Footer, {0, 32}, {kAny, kAny}, Qt::StrongFocus, false, {}},
        {"Placed", ButtonLook::Placed, {0, 0}, {kAny, kAny}, Qt::TabFocus, false, {}},
    };
    QWidget window;
    for (const LookCase& c : cases) {
        SCOPED_TRACE(c.label);
        QPushButton* b = commandButton(QStringLiteral("cmdSave"), QStringLiteral("저 장"), &window, c.look);
        ASSERT_EQ(b->parentWidget(), &window);
        // Named for automation and heard without the caption's spacing blank.
        EXPECT_EQ(b->objectName(), "cmdSave");
        EXPECT_EQ(b->accessibleDescription(), "cmdSave");
        EXPECT_EQ(b->accessibleName(), "저장");
        EXPECT_EQ(b->text(), "저 장");
        // Enter presses no button in any window.
        EXPECT_FALSE(b->autoDefault());
        EXPECT_EQ(b->minimumSize(), c.minimum);
        EXPECT_EQ(b->maximumSize(), c.maximum);
        EXPECT_EQ(b->focusPolicy(), c.focus);
        EXPECT_EQ(b->testAttribute(Qt::WA_SetCursor), c.pointingHand);
        if (c.pointingHand) {
            EXPECT_EQ(b->cursor().shape(), Qt::PointingHandCursor);
        }
        EXPECT_EQ(b->styleSheet(), c.styleSheet);
    }
}

TEST(CommandButton, ThePlacedLookTakesTheSizeItsWindowGives)
{
    // The search list lays its record commands out at its own sizes, below the dialog minimum.
    QWidget bar;
    QPushButton* b = commandButton(QStringLiteral("cmdUpdate"), QStringLiteral("개체수정"), &bar, ButtonLook::Placed);
    b->setGeometry(8, 6, 84, 32);
    EXPECT_EQ(b->geometry(), QRect(8, 6, 84, 32));
}

}  // namespace
