#include "kit/PeriodFrame.h"

#include "kit/Accessibility.h"
#include "kit/CaptionPanel.h"
#include "kit/DateField.h"

#include <QDateEdit>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>

namespace {
constexpr int kDateWidthPx = 150;

QDateEdit* periodDate(const QString& name, const QString& heard, QWidget* parent)
{
    QDateEdit* d = dateField(DateLook::Korean, kDateWidthPx, parent);
    nameControl(d, name, heard);
    return d;
}
}  // namespace

PeriodFrame periodFrame(const QString& criterion, QWidget* parent)
{
    PeriodFrame p;
    p.frame = new QGroupBox(QStringLiteral("검색조건"), parent);
    nameControl(p.frame, QStringLiteral("SSPanel2"), p.frame->title());
    QLabel* caption =
        ::captionPanel(QStringLiteral("SSPanel1_0"), criterion, {.width = 86, .height = 28, .tinted = true}, p.frame);
    const QString heard = heardText(criterion);
    p.start = periodDate(QStringLiteral("시작날짜"), heard + QStringLiteral(" 시작"), p.frame);
    p.end = periodDate(QStringLiteral("끝날짜"), heard + QStringLiteral(" 끝"), p.frame);
    caption->setBuddy(p.start);
    auto* tilde = new QLabel(QStringLiteral("~"), p.frame);
    nameControl(tilde, QStringLiteral("Label1"), QString());
    auto* row = new QHBoxLayout(p.frame);
    row->setContentsMargins(8, 2, 8, 6);
    row->setSpacing(8);
    row->addWidget(caption);
    row->addWidget(p.start);
    row->addWidget(tilde);
    row->addWidget(p.end);
    return p;
}
