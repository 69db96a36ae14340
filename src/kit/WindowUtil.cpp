#include "kit/WindowUtil.h"

#include <QEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainterPath>
#include <QRegion>
#include <QScreen>
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

QSize openingSize(QSize wanted, QSize minimum, const QRect& available)
{
    // Room for the frame and title bar the window system draws around the window.
    constexpr int kFrameWidth = 16;
    constexpr int kFrameHeight = 40;
    QSize size = wanted;
    if (available.isValid()) size = size.boundedTo(available.size() - QSize(kFrameWidth, kFrameHeight));
    return size.expandedTo(minimum);
}

void openAtSize(QWidget* window, QSize wanted)
{
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    window->resize(openingSize(wanted, window->minimumSize(), screen ? screen->availableGeometry() : QRect()));
}
