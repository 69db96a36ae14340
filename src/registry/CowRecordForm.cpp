#include "registry/CowRecordForm.h"

#include "history/HistoryTab.h"
#include "history/model/BreedingHistory.h"

#include <QPushButton>

CowRecordForm::CowRecordForm(SearchWindow* list)
    : AnimalRecordForm(list, 0, QStringLiteral("한우암소관리"), QStringLiteral("한우(암소) 개체기록부"),
                       QStringLiteral("구      분"), QStringLiteral("판 매 일"))
{
    addHistoryTab(new HistoryTab(breedingHistory()), breedingHistory().caption);
    addHistoryTab(new HistoryPage, QStringLiteral("체중·초음파측정"));
    addHistoryTab(new HistoryPage, QStringLiteral("체     척"));
    addHistoryTab(new HistoryPage, QStringLiteral("진료·백신접종"));
    addGradingTab();

    cmdPrn1 = addPrintButton(QStringLiteral("cmdPrn1"), QStringLiteral(" 한우(암소) 개체기록부"));
    cmdPrn2 = addPrintButton(QStringLiteral("cmdPrn2"), QStringLiteral(" 번식기록부"));
    cmdPrn3 = addPrintButton(QStringLiteral("cmdPrn3"), QStringLiteral(" 진료/백신 기록부"));
    finishOpening();
}
