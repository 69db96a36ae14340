#pragma once
// How closely a bull and a cow are related, and what that makes of their calf: the additive
// relationship a(X, Y) over the known ancestors (unknown parents are unrelated founders), the
// calf's inbreeding coefficient F = ½·a(bull, cow), and the name of the tie a farmer knows it by.
#include "mating/model/Pedigree.h"

#include <QHash>
#include <QString>

namespace mating {

// The additive relationships of one pedigree, each worked out once and kept: a plan asks for
// many pairs that share ancestors. The pedigree must outlive it.
class Relationships {
public:
    explicit Relationships(const Pedigree& pedigree) : m_pedigree(pedigree) {}

    // a(x, y); 0 when either is unknown (Pedigree::kUnknown).
    double additive(int x, int y);
    // F of x: half the relationship of its parents.
    double inbreeding(int x);
    // F of a calf of `cow` by `bull`.
    double calfInbreeding(int bull, int cow) { return additive(bull, cow) / 2; }

private:
    const Pedigree& m_pedigree;
    QHash<quint64, double> m_memo;
};

// An inbreeding coefficient as a percentage with one decimal, halves rounded up: "12.5%", "6.3%".
QString percentText(double f);

// The tie between a bull and a cow, the closest first.
enum class Kinship {
    None,               // no common ancestor is known
    Sire,               // the bull is her sire (부)
    MaternalGrandsire,  // her dam's sire (외조부)
    PaternalGrandsire,  // her sire's sire (친조부)
    HalfSib,            // a son of her sire (부의 아들(이복))
    CommonAncestor,     // they share an ancestor, named in `ancestor`
};
struct Relationship {
    Kinship kind = Kinship::None;
    QString ancestor;  // CommonAncestor: the closest shared one as shown ("KPN950", "002")
    bool operator==(const Relationship&) const = default;
};
// The tie of `bull` to `cow`; the closest common ancestor is the one fewest generations from both
// (a catalogue bull's unknown dam has no name and is never the one named).
Relationship relationshipOf(const Pedigree& p, int bull, int cow);
// As a list shows it: "부", "외조부", "친조부", "부의 아들(이복)", "공통 조상 KPN950", "" for none.
QString relationshipText(const Relationship& r);

}  // namespace mating
