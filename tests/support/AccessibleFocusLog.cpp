#include "support/AccessibleFocusLog.h"

#include <QtGui/private/qguiapplication_p.h>
#include <QtGui/qpa/qplatformaccessibility.h>
#include <QtGui/qpa/qplatformintegration.h>
#include <QAccessible>

namespace {

AccessibleFocusLog* gLog = nullptr;
QList<QPointer<QObject>>* gEvents = nullptr;
QAccessible::UpdateHandler gPrevious = nullptr;

void record(QAccessibleEvent* event)
{
    if (gEvents && event->type() == QAccessible::Focus) gEvents->append(event->object());
}

QPlatformAccessibility* platformAccessibility()
{
    QPlatformIntegration* integration = QGuiApplicationPrivate::platformIntegration();
    return integration ? integration->accessibility() : nullptr;
}

}  // namespace

AccessibleFocusLog::AccessibleFocusLog()
{
    Q_ASSERT(!gLog);
    gLog = this;
    gEvents = &m_events;
    gPrevious = QAccessible::installUpdateHandler(record);
    if (QPlatformAccessibility* a = platformAccessibility()) a->setActive(true);
}

AccessibleFocusLog::~AccessibleFocusLog()
{
    if (QPlatformAccessibility* a = platformAccessibility()) a->setActive(false);
    QAccessible::installUpdateHandler(gPrevious);
    gEvents = nullptr;
    gLog = nullptr;
}
