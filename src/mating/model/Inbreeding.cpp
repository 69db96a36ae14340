#include "mating/model/Inbreeding.h"

#include <cmath>
#include <utility>

namespace mating {

double Relationships::additive(int x, int y)
{
    if (x == Pedigree::kUnknown || y == Pedigree::kUnknown) return 0;
    // Parents are numbered before their offspring, so the later of the two is never an ancestor
    // of the earlier: its parents stand in for it.
    if (x > y) std::swap(x, y);
    const quint64 key = (quint64(quint32(x)) << 32) | quint32(y);
    if (auto it = m_memo.constFind(key); it != m_memo.constEnd()) return it.value();
    const int sire = m_pedigree.sire(y), dam = m_pedigree.dam(y);
    const double a = x == y ? 1 + additive(sire, dam) / 2 : (additive(x, sire) + additive(x, dam)) / 2;
    m_memo.insert(key, a);
    return a;
}

double Relationships::inbreeding(int x)
{
    return x == Pedigree::kUnknown ? 0 : additive(m_pedigree.sire(x), m_pedigree.dam(x)) / 2;
}

QString percentText(double f)
{
    return QString::number(std::round(f * 1000) / 10, 'f', 1) + u'%';
}

namespace {
// Every ancestor of `start` and itself, with the fewest generations between them; in the order
// met going up, nearest first.
std::vector<std::pair<int, int>> ancestorsOf(const Pedigree& p, int start)
{
    std::vector<std::pair<int, int>> found{{start, 0}};
    QHash<int, int> seen{{start, 0}};
    for (size_t k = 0; k < found.size(); ++k) {
        const auto [i, depth] = found[k];
        for (const int parent : {p.sire(i), p.dam(i)}) {
            if (parent == Pedigree::kUnknown || seen.contains(parent)) continue;
            seen.insert(parent, depth + 1);
            found.push_back({parent, depth + 1});
        }
    }
    return found;
}

int closestCommonAncestor(const Pedigree& p, int bull, int cow)
{
    QHash<int, int> fromBull;
    for (const auto& [i, depth] : ancestorsOf(p, bull)) fromBull.insert(i, depth);
    int best = Pedigree::kUnknown, bestDistance = 0;
    for (const auto& [i, depth] : ancestorsOf(p, cow)) {
        const auto it = fromBull.constFind(i);
        if (it == fromBull.constEnd() || p.name(i).isEmpty()) continue;
        if (best == Pedigree::kUnknown || depth + it.value() < bestDistance) {
            best = i;
            bestDistance = depth + it.value();
        }
    }
    return best;
}
}  // namespace

Relationship relationshipOf(const Pedigree& p, int bull, int cow)
{
    if (bull == Pedigree::kUnknown || cow == Pedigree::kUnknown) return {};
    const int sire = p.sire(cow);
    if (sire == bull) return {Kinship::Sire, {}};
    if (p.sire(p.dam(cow)) == bull) return {Kinship::MaternalGrandsire, {}};
    if (p.sire(sire) == bull) return {Kinship::PaternalGrandsire, {}};
    if (sire != Pedigree::kUnknown && p.sire(bull) == sire) return {Kinship::HalfSib, {}};
    const int common = closestCommonAncestor(p, bull, cow);
    if (common == Pedigree::kUnknown) return {};
    return {Kinship::CommonAncestor, p.shownName(common)};
}

QString relationshipText(const Relationship& r)
{
    switch (r.kind) {
    case Kinship::None: return {};
    case Kinship::Sire: return QStringLiteral("부");
    case Kinship::MaternalGrandsire: return QStringLiteral("외조부");
    case Kinship::PaternalGrandsire: return QStringLiteral("친조부");
    case Kinship::HalfSib: return QStringLiteral("부의 아들(이복)");
    case Kinship::CommonAncestor: return QStringLiteral("공통 조상 ") + r.ancestor;
    }
    return {};
}

}  // namespace mating
