#include "registry/BullRecordForm.h"

#include "kit/Grid.h"
#include "history/CheckedDateEdit.h"
#include "history/HistoryTab.h"
#include "history/model/BodyHistory.h"
#include "history/model/TreatmentHistory.h"
#include "history/model/UltrasoundHistory.h"
#include "registry/RecordPrints.h"
#include "registry/SearchWindow.h"

#include <QPushButton>

BullRecordForm::BullRecordForm(SearchWindow* list)
    : AnimalRecordForm(list, 1, QStringLiteral("한우수소관리"), QStringLiteral("한우(수소) 개체기록부"),
                       QStringLiteral("구     분"), QStringLiteral("거 세 일"))
{
    m_planned = addDateField(4, 0, QStringLiteral("출하예정일"), QStringLiteral("출하예정일"));
    m_shipped = addDateField(4, 1, QStringLiteral("출 하 일"), QStringLiteral("출하일"));

    // A bull has no breeding history; its tabs start with the weighings.
    for (const HistoryDefinition* h : {&ultrasoundHistory(), &bodyHistory(), &treatmentHistory()})
        addHistoryTab(new HistoryTab(*h), h->caption);
    addGradingTab();

    cmdPrn1 = addPrintButton(QStringLiteral("cmdPrn1"), QStringLiteral(" 한우(수소) 개체기록부"));
    cmdPrn2 = addPrintButton(QStringLiteral("cmdPrn2"), QStringLiteral(" 진료/백신 기록부"));
    connect(cmdPrn1, &QPushButton::clicked, this, [this] { printRecordBook(*this); });
    connect(cmdPrn2, &QPushButton::clicked, this, [this] { printTreatmentRecord(*this); });
    finishOpening();
}

void BullRecordForm::loadExtra(int listRow)
{
    showDateCell(m_planned, m_list->SS->cellText(15, listRow));
    showDateCell(m_shipped, m_list->SS->cellText(16, listRow));
}

void BullRecordForm::fillExtra(AnimalRecord& v) const
{
    v.출하예정일 = m_planned->dateNumber();
    v.출하일 = m_shipped->dateNumber();
}

void BullRecordForm::extraCells(QMap<int, QString>& cells) const
{
    cells[15] = dateCell(m_planned);
    cells[16] = dateCell(m_shipped);
}
