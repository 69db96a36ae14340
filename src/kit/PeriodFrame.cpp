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

PeriodFrame::PeriodFrame(const QString& criterion, QWidget* parent)
{
    m_frame = new QGroupBox(QStringLiteral("검색조건"), parent);
    nameControl(m_frame, QStringLiteral("SSPanel2"), m_frame->title());
    QLabel* caption =
        ::captionPanel(QStringLiteral("SSPanel1_0"), criterion, {.width = 86, .height = 28, .tinted = true}, m_frame);
    const QString heard = heardText(criterion);
    m_start = periodDate(QStringLiteral("시작날짜"), heard + QStringLiteral(" 시작"), m_frame);
    m_end = periodDate(QStringLiteral("끝날짜"), heard + QStringLiteral(" 끝"), m_frame);
    caption->setBuddy(m_start);
    auto* tilde = new QLabel(QStringLiteral("~"), m_frame);
    nameControl(tilde, QStringLiteral("Label1"), QString());
    auto* row = new QHBoxLayout(m_frame);
    row->setContentsMargins(8, 2, 8, 6);
    row->setSpacing(8);
    row->addWidget(caption);
    row->addWidget(m_start);
    row->addWidget(tilde);
    row->addWidget(m_end);
}

QDate PeriodFrame::startDate() const
{
    return m_start->date();
}

QDate PeriodFrame::endDate() const
{
    return m_end->date();
}

void PeriodFrame::setPeriod(const QDate& start, const QDate& end)
{
    m_start->setDate(start);
    m_end->setDate(end);
}

void PeriodFrame::markListed()
{
    m_listedStart = startDate();
    m_listedEnd = endDate();
}

QString PeriodFrame::listedText() const
{
    const bool listed = m_listedStart.isValid();
    const QString format = QStringLiteral("yyyy-MM-dd");
    return (listed ? m_listedStart : startDate()).toString(format) + u'~' +
           (listed ? m_listedEnd : endDate()).toString(format);
}
