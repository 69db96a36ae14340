#pragma once
// What a record form needs of the list it was opened from, and no more: the row of its animal
// shown anew after a save, a row for an animal it registered, the size it is centred by, and
// the list given back when the form closes. The search list is the one such list; it owns its
// forms, so it outlives them.
#include "registry/model/AnimalRow.h"

#include <QSize>

class AnimalRecordForm;

class AnimalList {
public:
    // Shows `typed` (the form's boxes as typed) in data row `row`, which becomes the current row.
    virtual void showAnimal(int row, const AnimalRecord& typed) = 0;
    // Appends a row showing the newly registered `typed`, current and selected; returns its number.
    virtual int addAnimal(const AnimalRecord& typed) = 0;
    // The size of the list's window: a form opens centred by it.
    virtual QSize listSize() const = 0;
    // `form` is going away: the list is usable again, and takes the focus when asked to.
    virtual void recordFormClosed(AnimalRecordForm* form, bool takeFocus) = 0;

protected:
    ~AnimalList() = default;
};
