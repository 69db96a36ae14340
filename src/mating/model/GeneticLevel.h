#pragma once
// The genetic level of the herd as its pedigree tells it: a herd animal's value for a trait is
// the mean of its parents' (½·sire + ½·dam), a catalogue bull's is its breeding value, and an
// animal or a breeding value that is not known counts 0. A calf is expected at the mean of its
// sire's breeding value and its dam's pedigree value.
#include "mating/model/Bull.h"
#include "mating/model/Pedigree.h"

#include <array>
#include <vector>

namespace mating {

using TraitNumbers = std::array<double, kTraitCount>;

// A cow's pedigree values and, per trait, how many of the 14 places of her pedigree up to her
// great-grandparents hold a catalogue bull with a known breeding value (a bull met twice counts
// twice): how much her values rest on.
struct CowLevel {
    TraitNumbers value{};
    std::array<int, kTraitCount> known{};
};

class GeneticLevel {
public:
    // Values for every individual of `pedigree` (which must outlive this), with the breeding
    // values of `bulls`.
    GeneticLevel(const Pedigree& pedigree, const std::vector<Bull>& bulls);

    const TraitNumbers& value(int individual) const { return m_values[size_t(individual)]; }
    CowLevel cowLevel(int cow) const;

private:
    const Pedigree& m_pedigree;
    std::vector<TraitValues> m_ebv;  // by individual: known only for catalogue bulls
    std::vector<TraitNumbers> m_values;
};

// ½·(bull's breeding value + cow's pedigree value) per trait; unknown where the bull's is.
TraitValues calfValues(const Bull& bull, const TraitNumbers& cowValue);

}  // namespace mating
