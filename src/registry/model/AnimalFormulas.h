#pragma once
// What every print of one animal hands its report: formula values by name, built from what the
// record form shows, and the grid dates they reformat.
#include "data/Globals.h"
#include "print/model/ReportFormulas.h"
#include "registry/model/AnimalRow.h"

#include <QString>
#include <QStringList>

namespace animalprint {

// A grid date cell ("yyyy-mm-dd") in `pattern` ("yy-mm-dd", "yy.mm.dd", ...): an empty cell gives
// "", a cell that is no date is printed as it is shown.
QString cellDate(const QString& cell, const QString& pattern);
// "yyyy년 mm월 dd일" of a check-box date, "" when its box is clear (date number 0). The birth
// date too: an unticked birth date is no birth date, whatever day its picker holds.
QString boxDate(qint64 dateNumber);

// The formulas of every animal print, in this order: 개체번호, 개체생일, 등록번호, 별명, 입식일자,
// 정액번호, 부번호, 농장명, 축산업등록번호, 모번호, 판매일 (a bull's castration date). Texts trimmed;
// an unticked date is an empty value, never a missing formula.
report::Formulas registrationFormulas(const AnimalRecord& animal, const FarmHeader& farm);

// True for the bull form's animal.
inline bool isBull(const AnimalRecord& animal)
{
    return animal.구분 == AnimalKind::Bull;
}

}  // namespace animalprint
