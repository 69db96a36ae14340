#pragma once
// The individual record book (암소개체기록부 / 수소개체기록부): every value of the one-page book as
// a formula, from what the record form shows. No work table.
#include "history/model/HistoryDefinition.h"
#include "registry/model/AnimalFormulas.h"

#include <QList>
#include <QStringList>

// What the record form shows, unsaved edits included.
struct RecordBookSheet {
    AnimalRecord animal;  // the registration boxes (texts, ticked dates, 구분)
    FarmHeader farm;
    QList<QStringList> weights;  // weight and ultrasound grid, rows 1.. as shown, columns 1-10
    QList<QStringList> bodies;   // body-measurement grid, rows 1.. as shown, columns 1-13
    EntryValues grading;         // the grading tab's boxes as typed, with its date 판정일
};

namespace recordbook {

// Growth-stage blocks (birth, arrival, 12/18/24/28/32 months, a free stage) and body rows the
// book has room for; later grid rows are not printed.
inline constexpr int kStageBlocks = 8;
inline constexpr int kBodyRows = 5;

// The book's formulas:
//  registration and farm (registrationFormulas), 점수, 개체특징;
//  the growth blocks from weight rows 1-8: 생시1-2, 입식1-2, 12월령1-9 ... 32월령1-9, 월령1-9 and
//  월령0 (the free stage's label), formula 1 the date; blocks without a row are not given;
//  body row r, column c as 체rc (rows 1-5; rows without a grid row are not given);
//  도1-도14 (the grading boxes), 출하일 (a cow's sale date, a bull's shipment date), 등급판정사,
//  우방번호, and a bull's 출하예정일.
// Block and body dates print "yy-mm-dd"; 도2 only while 작업장 is filled.
report::Formulas formulas(const RecordBookSheet& sheet);

}  // namespace recordbook
