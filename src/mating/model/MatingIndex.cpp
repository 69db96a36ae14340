#include "mating/model/MatingIndex.h"

#include <cmath>

namespace mating {

std::array<double, kTraitCount> traitSpreads(const std::vector<Bull>& bulls)
{
    std::array<double, kTraitCount> spreads{};
    for (int t = 0; t < kTraitCount; ++t) {
        double sum = 0, squares = 0;
        int n = 0;
        for (const Bull& b : bulls)
            if (const auto& v = b.ebv[size_t(t)]) {
                sum += *v;
                ++n;
            }
        if (n < 2) continue;
        const double mean = sum / n;
        for (const Bull& b : bulls)
            if (const auto& v = b.ebv[size_t(t)]) squares += (*v - mean) * (*v - mean);
        // Alike values leave a rounding remainder, no spread.
        const double spread = std::sqrt(squares / n);
        if (spread > 1e-9 * (1 + std::abs(mean))) spreads[size_t(t)] = spread;
    }
    return spreads;
}

IndexValue selectionIndex(const TraitValues& calf, const MatingSettings& settings,
                          const std::array<double, kTraitCount>& spreads)
{
    double index = 0;
    QStringList missing;
    for (Trait t : kTraits) {
        const double w = settings.weight(t);
        if (w == 0) continue;
        const auto& value = calf[size_t(t)];
        if (!value) {
            missing << traitColumn(t) + QStringLiteral(" 육종가 없음");
            continue;
        }
        if (spreads[size_t(t)] > 0) index += w * *value / spreads[size_t(t)];
    }
    if (!missing.isEmpty()) return {std::nullopt, missing.join(QStringLiteral(", "))};
    return {index, {}};
}

}  // namespace mating
