#pragma once
// 한우암소관리: the cow's record, with her breeding, weighing, body, treatment and
// grading tabs and three prints.
#include "registry/AnimalRecordForm.h"

class BreedingTab;
class QPushButton;

class CowRecordForm : public AnimalRecordForm {
    Q_OBJECT
public:
    explicit CowRecordForm(SearchWindow* list);

    // Tab 0; the form's breeding row count is the tab's own counter.
    BreedingTab* breedingTab;
    long& lss1RowCount;
    void ReflashData1();

    QPushButton* cmdPrn1 = nullptr;
    QPushButton* cmdPrn2 = nullptr;
    QPushButton* cmdPrn3 = nullptr;

protected:
    void refreshAll() override;
};
