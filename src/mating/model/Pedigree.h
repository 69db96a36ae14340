#pragma once
// The family tree the mating plan reasons over: every herd animal and every bull the herd or the
// catalogue names, each with its sire and dam where they are known.
//  - A herd animal's sire is the bull its 정액번호 names; without a readable KPN number it is the
//    herd animal its 부번호 names, when that animal is in the herd. Its dam is the herd animal its
//    모번호 names.
//  - A bull named by a KPN number is one individual however often it is named, in the catalogue
//    or not; outside the catalogue its parents are unknown.
//  - A catalogue bull's sire is its 아비; its dam is a cow of its own, unknown but for her sire,
//    the bull's 외조부.
//  - Unknown parents are unrelated founders. A link that would make an animal its own ancestor
//    (a typing slip in the herd book) is treated as unknown.
#include "mating/model/Bull.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <vector>

namespace mating {

// A herd animal as the pedigree reads it from 개체관리.
struct HerdAnimal {
    QString number;      // 개체번호
    QString semen;       // 정액번호 as typed: the sire's KPN number
    QString sireNumber;  // 부번호
    QString damNumber;   // 모번호
};

class Pedigree {
public:
    static constexpr int kUnknown = -1;

    enum class Kind {
        Herd,           // an animal of 개체관리
        CatalogueBull,  // a bull of 씨수소
        NamedBull,      // a bull known only by the KPN number something names
        CatalogueDam,   // the unknown dam of a catalogue bull
    };

    // Every animal of `herd` (the first of a number given twice) and every bull that `herd` or
    // `bulls` name.
    static Pedigree build(const std::vector<HerdAnimal>& herd, const std::vector<Bull>& bulls);

    // Individuals are numbered 0 … size() - 1, every parent before its offspring.
    int size() const { return int(m_nodes.size()); }
    int sire(int i) const { return i < 0 ? kUnknown : m_nodes[size_t(i)].sire; }
    int dam(int i) const { return i < 0 ? kUnknown : m_nodes[size_t(i)].dam; }
    Kind kind(int i) const { return m_nodes[size_t(i)].kind; }
    // The herd number of a herd animal, the KPN digits of a bull, "" for a catalogue dam.
    const QString& name(int i) const { return m_nodes[size_t(i)].name; }
    // As a message names it: "KPN1105", "002", "" for a catalogue dam.
    QString shownName(int i) const;

    // The herd animal with this number (blanks around ignored), kUnknown when there is none.
    int animal(const QString& number) const;
    // The bull with these KPN digits, kUnknown when nothing names it.
    int bull(const QString& kpnDigits) const;

    // Links the build cut because they closed a loop, as "child → parent" texts, for a note.
    const QStringList& cutLinks() const { return m_cut; }

private:
    struct Node {
        Kind kind = Kind::Herd;
        QString name;
        int sire = kUnknown;
        int dam = kUnknown;
    };
    // The same individuals numbered parents first, loops cut.
    Pedigree ordered() const;

    std::vector<Node> m_nodes;
    QHash<QString, int> m_animals;
    QHash<QString, int> m_bulls;
    QStringList m_cut;
};

// Every animal of 개체관리 on the open farm (gConn). Throws DbError.
std::vector<HerdAnimal> loadHerdAnimals();
// The pedigree of the open farm: its herd and its bull catalogue. Throws DbError.
Pedigree loadPedigree();

}  // namespace mating
