#pragma once
// What the catalogue and tank windows list: their column headers and one row's cells, so the
// windows only place them.
#include "mating/model/Bull.h"
#include "mating/model/SemenStock.h"

#include <QStringList>
#include <map>

// KPN, 구분, 아비, 외조부, the five traits, 평가, 단가, 재고.
QStringList bullColumns();
// A bull's cells: KPN numbers as "KPN1105", unknown values empty, the price with thousands
// commas, its straws left from `stock` ("-" when it has no receipt).
QStringList bullRow(const Bull& b, const std::map<QString, BullStock>& stock);

// KPN, 첫 입고일, 입고, 폐기·이동, 사용, 남은 재고.
QStringList stockColumns();
QStringList stockRow(const BullStock& s);

// 일자, KPN, 종류, 수량, 단가, 공급처, 비고.
QStringList semenEntryColumns();
QStringList semenEntryRow(const SemenEntry& e);

// A stored number as the lists show it: "1.5", "-3", "" when unknown.
QString valueCell(const std::optional<double>& v);
