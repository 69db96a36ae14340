#include "kit/WindowKeys.h"

#include <QApplication>
#include <QKeyEvent>

WindowKeys::WindowKeys(QWidget* window, std::function<void()> onEscape)
    : QObject(window), m_window(window), m_onEscape(std::move(onEscape))
{
    qApp->installEventFilter(this);
}

WindowKeys::~WindowKeys()
{
    qApp->removeEventFilter(this);
}

bool WindowKeys::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride) return false;
    auto* w = qobject_cast<QWidget*>(watched);
    if (!w || !m_window || w->window() != m_window) return false;
    auto* ke = static_cast<QKeyEvent*>(event);
    const int key = ke->key();
    const bool press = event->type() == QEvent::KeyPress;
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        // Enter does nothing, not even move the focus or press a default button.
        return press ? true : false;
    }
    if (key == Qt::Key_Escape) {
        if (!press) return false;
        if (m_onEscape)
            m_onEscape();
        else
            m_window->close();
        return true;
    }
    if (key == Qt::Key_F11 && (ke->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) == 0) {
        if (!press) return false;
        if (m_query && m_query->isEnabled() && m_query->isVisible()) m_query->click();
        return true;
    }
    return false;
}
