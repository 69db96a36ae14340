#include "import/ImportProgress.h"

#include "kit/Accessibility.h"

#include <QApplication>
#include <QPushButton>
#include <algorithm>

namespace {
constexpr int kProgressShownAfterMs = 400;
}

ImportProgressDialog::ImportProgressDialog(QWidget* parent, const QString& name, const QString& title,
                                           const QString& text)
    : m_dialog(parent)
{
    nameControl(&m_dialog, name, title);
    m_dialog.setWindowTitle(title);
    m_dialog.setLabelText(text);
    auto* cancel = new QPushButton(QStringLiteral("취소"), &m_dialog);
    nameControl(cancel, QStringLiteral("cmdCancelProgress"), cancel->text());
    m_dialog.setCancelButton(cancel);
    m_dialog.setWindowModality(Qt::WindowModal);
    m_dialog.setAutoClose(false);
    m_dialog.setAutoReset(false);
    m_dialog.setMinimumDuration(kProgressShownAfterMs);
    m_dialog.setRange(0, 1000);
    m_dialog.setValue(0);
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

ImportProgressDialog::~ImportProgressDialog()
{
    QApplication::restoreOverrideCursor();
}

ImportProgress ImportProgressDialog::report()
{
    return [this](double done) {
        m_dialog.setValue(int(std::clamp(done, 0.0, 1.0) * 1000));
        // Until the dialog shows, the assistant must not take clicks; painting goes on.
        QCoreApplication::processEvents(m_dialog.isVisible() ? QEventLoop::AllEvents
                                                             : QEventLoop::ExcludeUserInputEvents);
        return !m_dialog.wasCanceled();
    };
}
