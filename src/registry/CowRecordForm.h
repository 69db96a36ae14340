#pragma once
// 한우암소관리: the cow's record, with her breeding, weighing, body, treatment and
// grading tabs and three prints.
#include "registry/AnimalRecordForm.h"

class CowRecordForm : public AnimalRecordForm {
    Q_OBJECT
public:
    explicit CowRecordForm(AnimalList* list);
};
