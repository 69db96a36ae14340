#pragma once
// The breeding and treatment history prints: each grid row as a work-table row, and the
// animal's header formulas. What the grids show is printed, dialog-written texts included.
#include "registry/model/AnimalFormulas.h"

#include <QStringList>
#include <QVariantList>

namespace historyprint {

// A breeding grid row (columns 1-13 as shown) as a row of 번식기록워크: 산차, 회수, 수정일,
// 정액번호, 공란우, 분만예정일, BCS (0 when empty), 판정일, 가부, 분만일, 송아지번호, 성별,
// 분만난이도. Dates "yy.mm.dd"; 산차, 회수 and BCS as numbers when they are numbers.
QVariantList breedingRow(const QStringList& cells);
// A treatment grid row (columns 1-8 as shown) as a row of 백신접종워크: 날짜, 증상, 구입일, 구입처
// (a blank when empty), 처치, 휴약만료일, 수의사 (a blank when empty), 비고. Dates "yyyy-mm-dd".
QVariantList treatmentRow(const QStringList& cells);

// The header formulas: a cow's registration formulas, 점수, 개체특징 and 우방번호; a bull's with
// 출하예정일 and 출하일 after 판매일.
report::Formulas headerFormulas(const AnimalRecord& animal, const FarmHeader& farm);

}  // namespace historyprint
