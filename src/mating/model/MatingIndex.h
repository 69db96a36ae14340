#pragma once
// The selection index a calf is ranked by: Σ weight × (expected calf value ÷ the spread of the
// trait's breeding values across the catalogue), so a trait measured in kilograms weighs no more
// than one scored in points. A trait whose values do not spread (none known, or all alike) adds
// nothing.
#include "mating/model/Bull.h"
#include "mating/model/MatingSettings.h"

#include <optional>
#include <vector>

namespace mating {

// Per trait, the population standard deviation of the known breeding values of `bulls`
// (0 when none or one is known).
std::array<double, kTraitCount> traitSpreads(const std::vector<Bull>& bulls);

struct IndexValue {
    std::optional<double> index;  // unknown when a weighted trait's calf value is
    QString reason;               // why it is unknown: "도체중 육종가 없음, 근내지방도 육종가 없음"
};
IndexValue selectionIndex(const TraitValues& calf, const MatingSettings& settings,
                          const std::array<double, kTraitCount>& spreads);

}  // namespace mating
