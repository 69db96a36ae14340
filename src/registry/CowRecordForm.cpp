#include "registry/CowRecordForm.h"

#include "history/BreedingTab.h"

#include <QPushButton>

CowRecordForm::CowRecordForm(SearchWindow* list)
    : AnimalRecordForm(list, 0, QStringLiteral("한우암소관리"), QStringLiteral("한우(암소) 개체기록부"),
                       QStringLiteral("구      분"), QStringLiteral("판 매 일")),
      breedingTab(new BreedingTab),
      lss1RowCount(breedingTab->lss1RowCount)
{
    addHistoryTab(breedingTab, QStringLiteral("번식기록"));
    addHistoryTab(new QWidget, QStringLiteral("체중·초음파측정"));
    addHistoryTab(new QWidget, QStringLiteral("체     척"));
    addHistoryTab(new QWidget, QStringLiteral("진료·백신접종"));
    addGradingTab();

    cmdPrn1 = addPrintButton(QStringLiteral("cmdPrn1"), QStringLiteral(" 한우(암소) 개체기록부"));
    cmdPrn2 = addPrintButton(QStringLiteral("cmdPrn2"), QStringLiteral(" 번식기록부"));
    cmdPrn3 = addPrintButton(QStringLiteral("cmdPrn3"), QStringLiteral(" 진료/백신 기록부"));
    finishOpening();
}

void CowRecordForm::ReflashData1()
{
    breedingTab->ReflashData1(s개체번호.trimmed());
}

void CowRecordForm::refreshAll()
{
    ReflashData1();
    ReflashData2();
    ReflashData3();
    ReflashData4();
    ReflashData5();
}
