#include "kit/WorkProgress.h"

#include "kit/Accessibility.h"

#include <QApplication>
#include <QPushButton>
#include <algorithm>

WorkProgress::WorkProgress(QWidget* parent, const WorkProgressTexts& texts, int steps) : m_dialog(parent)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    nameControl(&m_dialog, texts.name, texts.title);
    m_dialog.setWindowTitle(m_dialog.accessibleName());
    m_dialog.setLabelText(texts.text);
    auto* cancel = new QPushButton(QStringLiteral("취소"), &m_dialog);
    nameControl(cancel, texts.cancelName, cancel->text());
    m_dialog.setCancelButton(cancel);
    m_dialog.setWindowModality(Qt::WindowModal);
    m_dialog.setAutoClose(false);
    m_dialog.setAutoReset(false);
    m_dialog.setMinimumDuration(kShownAfterMs);
    m_dialog.setRange(0, std::max(0, steps));
    m_dialog.setValue(0);
}

WorkProgress::~WorkProgress()
{
    QApplication::restoreOverrideCursor();
}

bool WorkProgress::advance(qsizetype done)
{
    m_dialog.setValue(int(std::clamp<qsizetype>(done, 0, m_dialog.maximum())));
    // Until the dialog shows, the window must not take clicks (it could close under the work);
    // timers and painting go on.
    QCoreApplication::processEvents(m_dialog.isVisible() ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents);
    return !m_dialog.wasCanceled();
}

bool WorkProgress::advanceShare(double done)
{
    return advance(qsizetype(std::clamp(done, 0.0, 1.0) * m_dialog.maximum()));
}
