#pragma once
// The bull catalogue (씨수소) as the farm keeps it: a bull typed in a dialog or read from a
// breeder's spreadsheet is checked field by field before it is stored, added, changed or
// deleted, one transaction each.
#include "data/Db.h"
#include "mating/model/Bull.h"

#include <QString>
#include <array>
#include <optional>

// A bull as typed: every text as it stands in its box or cell.
struct BullEntry {
    QString kpn;
    QString kind;
    QString sire;
    QString mgs;
    std::array<QString, kTraitCount> ebv;  // by kTraits
    QString evaluation;
    QString price;
};

// Why a bull cannot be stored: the field (its control name: "KPN", "구분", "아비", "외조부",
// traitColumn(t), "평가", "단가") and the Korean sentence the farmer reads.
struct BullProblem {
    QString field;
    QString message;
};

// The sane range of a trait's breeding value, in its unit.
struct TraitRange {
    double low;
    double high;
};
TraitRange traitRange(Trait t);

// The bull `e` describes, into `bull`, or the first field that is wrong. Empty values stay
// unknown; 구분 "보증씨수소" is 보증; 평가 "2026.8", "2026/08" and "202608" are "2026-08"; a
// price may carry thousands commas and a trailing "원".
std::optional<BullProblem> checkBull(const BullEntry& e, Bull* bull);

// A straw's price as typed: won, with optional thousands commas and a trailing "원", 0 to
// 10,000,000; none when empty. `ok` false when it is no such price.
std::optional<qint64> strawPrice(const QString& typed, bool* ok);
// The sentence that refuses a price strawPrice cannot read.
QString strawPriceProblem();

// The entry that shows a stored bull in the dialog (KPN numbers as "KPN1105").
BullEntry entryOf(const Bull& b);

// The stored bull with these KPN digits. Throws DbError.
std::optional<Bull> findBull(const QString& kpnDigits);

// Stores a new bull; refused when the entry is wrong or the KPN is in the catalogue already.
// Throws DbError.
std::optional<BullProblem> addBull(const BullEntry& e);
// Stores `e` over the bull `oldKpn`. The KPN may change to one no other bull has; the bull's
// semen stock entries follow it. Throws DbError.
std::optional<BullProblem> changeBull(const QString& oldKpn, const BullEntry& e);
// Removes the bull; its stock entries stay, as the tank's history. Throws DbError.
void deleteBull(const QString& kpnDigits);

// The statements that write a checked bull, for the import, which runs its own transaction.
BoundStatement insertBullStatement(const Bull& b);
BoundStatement updateBullStatement(const Bull& b, const QString& oldKpn);
