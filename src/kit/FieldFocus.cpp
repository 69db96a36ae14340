#include "kit/FieldFocus.h"

#include <QAccessible>
#include <QApplication>
#include <QTabWidget>
#include <QWidget>

namespace {

bool canTakeFocus(const QWidget* w, const QWidget* window)
{
    return w->window() == window && w->isEnabled() && w->isVisibleTo(window) && (w->focusPolicy() & Qt::TabFocus);
}

// Brings up every tab page on the way from the window down to `field`.
void showPagesOf(QWidget* field)
{
    for (QWidget* w = field->parentWidget(); w && !w->isWindow(); w = w->parentWidget()) {
        auto* tabs = qobject_cast<QTabWidget*>(w);
        if (!tabs) continue;
        for (int i = 0; i < tabs->count(); ++i) {
            QWidget* page = tabs->widget(i);
            if (page == field || page->isAncestorOf(field)) {
                if (tabs->isTabEnabled(i)) tabs->setCurrentIndex(i);
                break;
            }
        }
    }
}

}  // namespace

QWidget* focusRefusedField(QWidget* field)
{
    if (!field) return nullptr;
    QWidget* window = field->window();
    showPagesOf(field);
    QWidget* target = field;
    if (!canTakeFocus(target, window)) {
        target = nullptr;
        for (QWidget* w = field->previousInFocusChain(); w && w != field; w = w->previousInFocusChain())
            if (canTakeFocus(w, window)) {
                target = w;
                break;
            }
        if (!target) return nullptr;
    }
    if (window->isVisible() && !window->isActiveWindow()) window->activateWindow();
    QWidget* holder = target;  // the widget that really holds the focus
    while (holder->focusProxy()) holder = holder->focusProxy();
    const bool alreadyFocused = QApplication::focusWidget() == holder;
    const bool qtAnnounces = !alreadyFocused && window->isActiveWindow();
    target->setFocus(Qt::OtherFocusReason);
    // Qt names a new focus itself in an active window; an unchanged focus, or one set while the
    // window waits to be activated again, it does not.
    if (!qtAnnounces && QApplication::focusWidget() == holder) {
        QAccessibleEvent event(holder, QAccessible::Focus);
        QAccessible::updateAccessibility(&event);
    }
    return target;
}
