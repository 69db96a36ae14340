#include "import/ImportDonePage.h"

#include "data/Clock.h"
#include "import/model/ImportReport.h"
#include "kit/Accessibility.h"
#include "kit/Messages.h"

#include <QLabel>
#include <QVBoxLayout>

ImportDonePage::ImportDonePage(ImportDraft& draft, QWidget* parent) : ImportPage(draft, parent)
{
    auto* v = new QVBoxLayout(this);
    m_result = new QLabel(this);
    nameControl(m_result, QStringLiteral("lblResult"), QStringLiteral("가져오기 결과"));
    m_result->setWordWrap(true);
    m_result->setTextInteractionFlags(Qt::TextSelectableByMouse);
    v->addWidget(m_result);
    v->addStretch();
}

bool ImportDonePage::enter()
{
    {
        ImportStepProgress progress(this, QStringLiteral("frmImportProgress"), QStringLiteral("가져오기"),
                                    QStringLiteral("기록을 가져오고 있습니다. 잠시만 기다려 주세요."));
        m_outcome = runImport(plan(), today(), QDateTime(today(), QTime::currentTime()), progress.report());
    }
    switch (m_outcome.status) {
    case ImportOutcome::Status::Done:
        showInLabel(m_result, QStringLiteral("가져오기 결과"), outcomeText(m_outcome));
        return true;
    case ImportOutcome::Status::Cancelled:
        showMessage(this, MsgIcon::Information, QStringLiteral("가져오기"),
                    QStringLiteral("가져오기를 취소했습니다. 아무 기록도 바뀌지 않았습니다."));
        return false;
    case ImportOutcome::Status::BackupFailed:
    case ImportOutcome::Status::Failed:
        messenger().show(this, MessageSpec{MsgIcon::Exclamation, QStringLiteral("가져오기 오류"),
                                           m_outcome.error + kCrLf + QStringLiteral("아무 기록도 바뀌지 않았습니다."),
                                           MsgButton::Ok, MsgButton::None, m_outcome.details});
        return false;
    }
    return false;
}

void ImportDonePage::shown()
{
    if (!m_outcome.error.isEmpty())
        showMessage(this, MsgIcon::Exclamation, QStringLiteral("저장오류"), m_outcome.error);
}
