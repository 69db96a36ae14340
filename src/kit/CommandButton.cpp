#include "kit/CommandButton.h"

#include "kit/Accessibility.h"
#include "kit/Styles.h"

#include <QPushButton>

namespace {
constexpr int kDialogMinWidthPx = 90;
constexpr int kMenuMinHeightPx = 60;
constexpr int kFooterMinHeightPx = 32;
}  // namespace

QPushButton* commandButton(const QString& name, const QString& caption, QWidget* parent, ButtonLook look)
{
    auto* b = new QPushButton(caption, parent);
    nameControl(b, name, caption);
    b->setAutoDefault(false);
    switch (look) {
    case ButtonLook::Dialog: b->setMinimumWidth(kDialogMinWidthPx); break;
    case ButtonLook::Bar:
        b->setFixedSize(kBarButtonWidthPx, kBarButtonHeightPx);
        b->setFocusPolicy(Qt::TabFocus);
        b->setCursor(Qt::PointingHandCursor);
        break;
    case ButtonLook::Menu:
        b->setMinimumHeight(kMenuMinHeightPx);
        b->setCursor(Qt::PointingHandCursor);
        b->setStyleSheet(styles::menuButton());
        break;
    case ButtonLook::Skinned:
        b->setCursor(Qt::PointingHandCursor);
        b->setStyleSheet(styles::skinnedButton());
        break;
    case ButtonLook::Footer: b->setMinimumHeight(kFooterMinHeightPx); break;
    case ButtonLook::Placed: b->setFocusPolicy(Qt::TabFocus); break;
    }
    return b;
}
