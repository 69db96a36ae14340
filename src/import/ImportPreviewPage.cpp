#include "import/ImportPreviewPage.h"

#include "data/Clock.h"
#include "import/model/ImportReport.h"
#include "kit/Accessibility.h"
#include "kit/Grid.h"
#include "kit/Messages.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
QColor verdictColor(Verdict v)
{
    switch (v) {
    case Verdict::New: return {};
    case Verdict::Update: return QColor(0, 80, 200);
    case Verdict::Same: return QColor(110, 110, 110);
    case Verdict::Kept: return QColor(140, 95, 0);
    case Verdict::Refused: return QColor(200, 0, 0);
    }
    return {};
}
}  // namespace

ImportPreviewPage::ImportPreviewPage(ImportDraft& draft, QWidget* parent) : ImportPage(draft, parent)
{
    auto* v = new QVBoxLayout(this);
    auto* policy = new QHBoxLayout;
    m_addOnly = importOption(QStringLiteral("optAddOnly"), QStringLiteral("새 기록만 더하기"), this);
    m_update = importOption(QStringLiteral("optUpdate"), QStringLiteral("있는 기록도 파일의 값으로 고치기"), this);
    auto* group = new QButtonGroup(this);
    group->addButton(m_addOnly);
    group->addButton(m_update);
    m_addOnly->setChecked(true);
    policy->addWidget(m_addOnly);
    policy->addWidget(m_update);
    policy->addStretch();
    v->addLayout(policy);
    m_totalsLabel = new QLabel(this);
    nameControl(m_totalsLabel, QStringLiteral("lblTotals"), QStringLiteral("합계"));
    QFont bold = m_totalsLabel->font();
    bold.setBold(true);
    m_totalsLabel->setFont(bold);
    v->addWidget(m_totalsLabel);
    m_preview = new Grid(this);
    nameControl(m_preview, QStringLiteral("SSPreview"), QStringLiteral("미리보기"));
    v->addWidget(m_preview, 1);
    m_note = importNote(QString(), QStringLiteral("lblPreviewNote"), this);
    v->addWidget(m_note);
    connect(m_update, &QRadioButton::toggled, this, [this](bool on) {
        const ImportPolicy wanted = on ? ImportPolicy::AddAndUpdate : ImportPolicy::AddOnly;
        if (plan().policy == wanted) return;
        plan().policy = wanted;
        enter();
    });
}

bool ImportPreviewPage::enter()
{
    const QList<int> fields = previewFields(plan());
    QStringList headers{QStringLiteral("행"), QStringLiteral("판정"), QStringLiteral("내용")};
    for (int f : fields) headers << importFields(plan().target)[f].caption;
    QList<QStringList> rows;
    QList<QColor> colors;
    qint64 listed = 0;
    PreviewResult result;
    {
        ImportStepProgress progress(this, QStringLiteral("frmPreviewProgress"), QStringLiteral("미리보기"),
                                    QStringLiteral("파일의 행을 살펴보고 있습니다. 잠시만 기다려 주세요."));
        result = previewImport(
            plan(), today(),
            [&](const QStringList& cells, qint64 line, const RowVerdict& v) {
                if (++listed > kPreviewRows) return;
                rows << previewRow(plan(), fields, cells, line, v);
                colors << verdictColor(v.verdict);
            },
            progress.report());
    }
    if (result.cancelled) return false;
    if (!result.error.isEmpty()) {
        showMessage(this, MsgIcon::Exclamation, QStringLiteral("미리보기 오류"), result.error);
        return false;
    }
    m_totals = result.totals;
    m_preview->setMaxRows(0);
    m_preview->setHeaders(headers);
    m_preview->setColumnKind(1, CellKind::Number);
    m_preview->setColumnWidthChars(1, 6);
    m_preview->setColumnWidthChars(2, 5);
    m_preview->setColumnWidthChars(3, 36);
    for (int c = 4; c <= headers.size(); ++c) m_preview->setColumnWidthChars(c, 12);
    m_preview->appendRows(std::move(rows), colors);
    showInLabel(m_totalsLabel, QStringLiteral("합계"), totalsText(m_totals));
    QStringList notes = importAssumptions(plan());
    if (listed > kPreviewRows)
        notes << QStringLiteral("처음 %1행만 보입니다. 합계와 가져오기는 파일의 모든 행을 셉니다.").arg(kPreviewRows);
    showInLabel(m_note, QStringLiteral("미리보기 알림"), notes.join(u'\n'));
    m_note->setVisible(!notes.isEmpty());
    return true;
}

bool ImportPreviewPage::leave()
{
    const qint64 storing = recordsToStore(m_totals);
    if (storing == 0) {
        showMessage(this, MsgIcon::Information, QStringLiteral("가져오기"),
                    QStringLiteral("새로 넣거나 고칠 기록이 없습니다. 미리보기의 판정을 확인해 주세요."));
        return false;
    }
    return showMessage(this, MsgIcon::Question, QStringLiteral("가져오기"), importQuestion(plan().target, storing),
                       MsgButton::Yes | MsgButton::No) == MsgButton::Yes;
}
