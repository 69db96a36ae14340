#include "mating/model/GeneticLevel.h"

#include "mating/model/Kpn.h"

namespace mating {

GeneticLevel::GeneticLevel(const Pedigree& pedigree, const std::vector<Bull>& bulls)
    : m_pedigree(pedigree), m_ebv(size_t(pedigree.size())), m_values(size_t(pedigree.size()))
{
    for (const Bull& b : bulls)
        if (const int i = pedigree.bull(kpn::digitsOf(b.kpn)); i != Pedigree::kUnknown) m_ebv[size_t(i)] = b.ebv;
    // Parents come first, so one pass sees each parent's value before its offspring's.
    for (int i = 0; i < pedigree.size(); ++i) {
        TraitNumbers& v = m_values[size_t(i)];
        switch (pedigree.kind(i)) {
        case Pedigree::Kind::CatalogueBull:
            for (int t = 0; t < kTraitCount; ++t) v[size_t(t)] = m_ebv[size_t(i)][size_t(t)].value_or(0);
            break;
        case Pedigree::Kind::Herd:
            for (const int parent : {pedigree.sire(i), pedigree.dam(i)})
                if (parent != Pedigree::kUnknown)
                    for (int t = 0; t < kTraitCount; ++t) v[size_t(t)] += m_values[size_t(parent)][size_t(t)] / 2;
            break;
        case Pedigree::Kind::NamedBull:
        case Pedigree::Kind::CatalogueDam: break;
        }
    }
}

CowLevel GeneticLevel::cowLevel(int cow) const
{
    CowLevel level;
    if (cow == Pedigree::kUnknown) return level;
    level.value = value(cow);
    std::vector<int> generation{cow};
    for (int depth = 1; depth <= 3; ++depth) {
        std::vector<int> parents;
        for (const int i : generation)
            for (const int parent : {m_pedigree.sire(i), m_pedigree.dam(i)})
                if (parent != Pedigree::kUnknown) parents.push_back(parent);
        for (const int i : parents)
            for (int t = 0; t < kTraitCount; ++t)
                if (m_ebv[size_t(i)][size_t(t)]) ++level.known[size_t(t)];
        generation = std::move(parents);
    }
    return level;
}

TraitValues calfValues(const Bull& bull, const TraitNumbers& cowValue)
{
    TraitValues calf;
    for (int t = 0; t < kTraitCount; ++t)
        if (const auto& ebv = bull.ebv[size_t(t)]) calf[size_t(t)] = (*ebv + cowValue[size_t(t)]) / 2;
    return calf;
}

}  // namespace mating
