#pragma once
// What the farmer sets for the mating plan, kept in 교배설정 (one row per setting: 항목, 값; no
// row means the default): the weight of each trait in the selection index, and the inbreeding a
// recommended calf may reach. Some limits are fixed: a calf of 6.25 % or more is marked, one of
// 12.5 % or more is never recommended, whatever is set.
#include "mating/model/Bull.h"

#include <QString>
#include <QStringList>
#include <array>

namespace mating {

// A calf's inbreeding from which it is marked (amber) and from which it is never recommended.
inline constexpr double kAmberFrom = 0.0625;
inline constexpr double kNeverFrom = 0.125;
// A weight lies within ±kWeightBound.
inline constexpr double kWeightBound = 10;

struct MatingSettings {
    std::array<double, kTraitCount> weights{};
    // Recommended calves stay below this inbreeding (a fraction, above 0 and at most kNeverFrom).
    double inbreedingLimit = kAmberFrom;

    double weight(Trait t) const { return weights[size_t(t)]; }
    double& weight(Trait t) { return weights[size_t(t)]; }
    bool operator==(const MatingSettings&) const = default;
};
// 도체중 1, 등심단면적 1, 등지방두께 −1 (thinner is better), 근내지방도 1, 12개월령체중 0; limit 6.25 %.
MatingSettings defaultMatingSettings();

// What is wrong with `w` as the weight of `t` ("" when nothing).
QString weightProblem(Trait t, double w);
// What is wrong with `limit` (a fraction) as the inbreeding limit ("" when nothing).
QString limitProblem(double limit);

// The stored settings; one without a row (or a file without the table) is its default, and so
// is a stored value out of bounds, with a line in `notes` that says so. Throws DbError.
MatingSettings readMatingSettings(QStringList* notes = nullptr);
// Replaces the stored settings in one transaction. Throws DbError (nothing changed) when the
// database refuses or a value has a problem, with the Korean message as its description.
void storeMatingSettings(const MatingSettings& s);

}  // namespace mating
