#include "kit/WindowUtil.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainterPath>
#include <QRegion>
#include <QWindow>

void DragWindow(QWidget* window)
{
    QWidget* top = window ? window->window() : nullptr;
    if (!top || !top->windowHandle()) return;
    top->windowHandle()->startSystemMove();
}

namespace {
class DragFilter : public QObject {
public:
    DragFilter(QWidget* handle, QWidget* window) : QObject(handle), m_window(window) {}

protected:
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::MouseButtonPress && static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton) {
            DragWindow(m_window);
            return false;
        }
        return false;
    }

private:
    QWidget* m_window;
};
}  // namespace

void makeDragHandle(QWidget* handle, QWidget* window)
{
    handle->installEventFilter(new DragFilter(handle, window));
}

void RoundWindow(QWidget* window)
{
    QPainterPath path;
    path.addRoundedRect(QRectF(0, 0, window->width(), window->height()), 12, 12);
    window->setMask(QRegion(path.toFillPolygon().toPolygon()));
}
