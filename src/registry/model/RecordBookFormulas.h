#pragma once
// The individual record book (암소개체기록부 / 수소개체기록부): every value of the one-page book as
// a formula in its slot, from what the record form shows. No work table.
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

// The assignments by slot (index = slot, "" for a slot the book leaves empty):
//  0-12     registration and farm, 11 점수, 12 개체특징;
//  13-75    the growth blocks from weight rows 1-8 (12월령9 in 30, 25-29 empty), 월령0 in 160;
//  76-140   body row r, column c as 체rc in 62 + 13r + c;
//  141-157  도1-도14, 출하일 (a cow's sale date, a bull's shipment date), 등급판정사, and
//           우방번호 (cow) or 출하예정일 (bull); a bull's 우방번호 in 159.
// Block and body dates print "yy-mm-dd"; 도2 only while 작업장 is filled.
QStringList formulas(const RecordBookSheet& sheet);

}  // namespace recordbook
