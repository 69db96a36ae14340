#pragma once
// One dose given to many animals at once (a pen vaccinated in the morning): a treatment record
// (백신접종) for every animal, all stored in one transaction or none. The same record the
// treatment tab stores: 날짜, 증상 (the vaccine's name), 처치 (the product), 만료일 (the end of
// its withdrawal: the day itself when the product has none, as the tab starts it).
#include "vaccination/model/VaccinationProgram.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>

namespace vaccination {

// The withdrawal days one may give a product.
inline constexpr int kMaxWithdrawalDays = 365;

// What was given, asked once for all the animals.
struct GroupDose {
    QDate date;              // 날짜
    QString symptom;         // 증상 (증상/백신명); the program's name when empty
    QString treatment;       // 처치: the product, which must name the program ("구제역 백신(O+A)")
    int withdrawalDays = 0;  // 만료일 = 날짜 + this
    QString vet;             // 수의사; may be empty
    QString note;            // 비고; may be empty
};

// Why nothing was stored: the animal concerned ("" when the dose itself is wrong) and the
// Korean sentence the farmer reads.
struct GroupDoseProblem {
    QString animal;
    QString message;
    bool operator==(const GroupDoseProblem&) const = default;
};

// The withdrawal end of a dose: `date` + `withdrawalDays`.
QDate withdrawalEnd(const QDate& date, int withdrawalDays);

// Stores the dose for every animal of `animals` (a number given twice counts once), or nothing
// and the first reason: no animal, no valid date or one after `today`, an empty 처치 or one that
// names none of the program's words (it would not count as a dose), withdrawal days out of 0 to
// kMaxWithdrawalDays, an animal not on the farm's books, or one that already has a treatment
// record that day (one record per animal and day). Throws DbError; nothing is stored then.
std::optional<GroupDoseProblem> recordGroupDose(const VaccinationProgram& program, const GroupDose& dose,
                                                const QStringList& animals, const QDate& today);

}  // namespace vaccination
