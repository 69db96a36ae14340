#include "app/model/MainPosition.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <algorithm>

TwipsPosition readMainPosition(const QString& iniPath)
{
    QSettings ini(iniPath, QSettings::IniFormat);
    TwipsPosition p;
    p.top = ini.value(QStringLiteral("FRMMAIN/TOP"), 0).toInt();
    p.left = ini.value(QStringLiteral("FRMMAIN/LEFT"), 0).toInt();
    return p;
}

void writeMainPosition(const QString& iniPath, const TwipsPosition& pos)
{
    QSettings ini(iniPath, QSettings::IniFormat);
    ini.setValue(QStringLiteral("FRMMAIN/TOP"), QString::number(pos.top));
    ini.setValue(QStringLiteral("FRMMAIN/LEFT"), QString::number(pos.left));
    ini.sync();
}

TwipsPosition correctedPosition(TwipsPosition pos, int screenWidthTwips, int windowWidthTwips)
{
    if (pos.top < 0) pos.top = 1;
    if (pos.left < 0) pos.left = screenWidthTwips - windowWidthTwips;
    return pos;
}

QPoint keptOnScreen(const QRect& window, const QList<QRect>& availableAreas)
{
    if (availableAreas.isEmpty()) return window.topLeft();
    for (const QRect& a : availableAreas)
        if (a.contains(window)) return window.topLeft();
    const QRect* best = &availableAreas.first();
    qint64 bestOverlap = 0;
    for (const QRect& a : availableAreas) {
        const QRect o = a.intersected(window);
        const qint64 overlap = o.isEmpty() ? 0 : qint64(o.width()) * o.height();
        if (overlap > bestOverlap) {
            bestOverlap = overlap;
            best = &a;
        }
    }
    // Right and bottom first, then left and top, so a window too big for the area shows its
    // top-left corner (where the menu starts).
    const int x = std::max(best->left(), std::min(window.left(), best->right() - window.width() + 1));
    const int y = std::max(best->top(), std::min(window.top(), best->bottom() - window.height() + 1));
    return QPoint(x, y);
}

QList<QRect> availableScreenAreas()
{
    QList<QRect> areas;
    if (const QScreen* primary = QGuiApplication::primaryScreen()) areas << primary->availableGeometry();
    for (const QScreen* s : QGuiApplication::screens())
        if (s != QGuiApplication::primaryScreen()) areas << s->availableGeometry();
    return areas;
}
