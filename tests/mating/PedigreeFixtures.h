#pragma once
// Small pedigrees written out as the herd book and the catalogue hold them.
#include "mating/model/Bull.h"
#include "mating/model/Pedigree.h"

#include <QString>
#include <initializer_list>
#include <vector>

// A catalogue bull with its sire and maternal grandsire (KPN digits, "" unknown) and its
// breeding values in kTraits order (nullopt unknown).
inline Bull catalogueBull(const char* kpn, const char* sire = "", const char* mgs = "", TraitValues ebv = {})
{
    Bull b;
    b.kpn = QString::fromUtf8(kpn);
    b.kind = QStringLiteral("보증");
    b.sire = QString::fromUtf8(sire);
    b.mgs = QString::fromUtf8(mgs);
    b.ebv = ebv;
    return b;
}

// A herd animal: number, 정액번호, 부번호, 모번호.
inline mating::HerdAnimal herdAnimal(const char* number, const char* semen = "", const char* sireNumber = "",
                                     const char* damNumber = "")
{
    return {QString::fromUtf8(number), QString::fromUtf8(semen), QString::fromUtf8(sireNumber),
            QString::fromUtf8(damNumber)};
}

// Breeding values for every trait, in kTraits order (12개월령, 도체중, 등심, 등지방, 근내).
inline TraitValues ebvs(std::initializer_list<std::optional<double>> values)
{
    TraitValues v;
    size_t i = 0;
    for (const auto& x : values) v[i++] = x;
    return v;
}
