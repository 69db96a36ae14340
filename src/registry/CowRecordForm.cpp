#include "registry/CowRecordForm.h"

#include "history/HistoryTab.h"
#include "history/model/BodyHistory.h"
#include "history/model/BreedingHistory.h"
#include "history/model/TreatmentHistory.h"
#include "history/model/UltrasoundHistory.h"
#include "registry/RecordPrints.h"

#include <QPushButton>

CowRecordForm::CowRecordForm(AnimalList* list)
    : AnimalRecordForm(list, AnimalKind::Cow, QStringLiteral("한우암소관리"), QStringLiteral("한우(암소) 개체기록부"),
                       QStringLiteral("구      분"), QStringLiteral("판 매 일"))
{
    for (const HistoryDefinition* h : {&breedingHistory(), &ultrasoundHistory(), &bodyHistory(), &treatmentHistory()})
        addHistoryTab(new HistoryTab(*h), h->caption);
    addGradingTab();

    QPushButton* recordBook = addPrintButton(QStringLiteral("cmdPrn1"), QStringLiteral(" 한우(암소) 개체기록부"));
    QPushButton* breeding = addPrintButton(QStringLiteral("cmdPrn2"), QStringLiteral(" 번식기록부"));
    QPushButton* treatment = addPrintButton(QStringLiteral("cmdPrn3"), QStringLiteral(" 진료/백신 기록부"));
    connect(recordBook, &QPushButton::clicked, this, [this] { printRecordBook(*this); });
    connect(breeding, &QPushButton::clicked, this, [this] { printBreedingRecord(*this); });
    connect(treatment, &QPushButton::clicked, this, [this] { printTreatmentRecord(*this); });
    finishOpening();
}
