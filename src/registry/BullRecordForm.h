#pragma once
// 한우수소관리: the bull's (or steer's) record, with its castration and shipment dates,
// four history tabs and two prints. A bull has no breeding history.
#include "registry/AnimalRecordForm.h"

class BullRecordForm : public AnimalRecordForm {
    Q_OBJECT
public:
    explicit BullRecordForm(AnimalList* list);

protected:
    void loadExtra(const AnimalRecord& shown) override;
    void fillExtra(AnimalRecord& v) const override;

private:
    CheckedDateEdit* m_planned = nullptr;
    CheckedDateEdit* m_shipped = nullptr;
};
