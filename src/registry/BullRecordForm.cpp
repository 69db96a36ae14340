#include "registry/BullRecordForm.h"

#include "history/CheckedDateEdit.h"
#include "history/HistoryTab.h"
#include "history/model/BodyHistory.h"
#include "history/model/TreatmentHistory.h"
#include "history/model/UltrasoundHistory.h"
#include "registry/RecordPrints.h"

#include <QPushButton>

BullRecordForm::BullRecordForm(AnimalList* list)
    : AnimalRecordForm(list, AnimalKind::Bull, QStringLiteral("한우수소관리"), QStringLiteral("한우(수소) 개체기록부"),
                       QStringLiteral("구     분"), QStringLiteral("거 세 일"))
{
    m_planned = addDateField(4, 0, QStringLiteral("출하예정일"), QStringLiteral("출하예정일"));
    m_shipped = addDateField(4, 1, QStringLiteral("출 하 일"), QStringLiteral("출하일"));

    // A bull has no breeding history; its tabs start with the weighings.
    for (const HistoryDefinition* h : {&ultrasoundHistory(), &bodyHistory(), &treatmentHistory()})
        addHistoryTab(new HistoryTab(*h), h->caption);
    addGradingTab();

    QPushButton* recordBook = addPrintButton(QStringLiteral("cmdPrn1"), QStringLiteral(" 한우(수소) 개체기록부"));
    QPushButton* treatment = addPrintButton(QStringLiteral("cmdPrn2"), QStringLiteral(" 진료/백신 기록부"));
    connect(recordBook, &QPushButton::clicked, this, [this] { printRecordBook(*this); });
    connect(treatment, &QPushButton::clicked, this, [this] { printTreatmentRecord(*this); });
    finishOpening();
}

void BullRecordForm::loadExtra(const AnimalRecord& shown)
{
    showDate(m_planned, shown.출하예정일);
    showDate(m_shipped, shown.출하일);
}

void BullRecordForm::fillExtra(AnimalRecord& v) const
{
    v.출하예정일 = m_planned->dateNumber();
    v.출하일 = m_shipped->dateNumber();
}
