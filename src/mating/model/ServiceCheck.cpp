#include "mating/model/ServiceCheck.h"

#include "mating/model/Kpn.h"
#include "mating/model/MatingSettings.h"

namespace mating {

std::optional<CalfRisk> calfRiskOf(const QString& cow, const QString& semen)
{
    const QString digits = kpn::digitsOf(semen);
    if (digits.isEmpty()) return std::nullopt;
    // A bull nothing names is related to no one: kUnknown gives F = 0.
    const Pedigree p = loadPedigree();
    const int bull = p.bull(digits), dam = p.animal(cow);
    Relationships rel(p);
    return CalfRisk{digits, relationshipOf(p, bull, dam), rel.calfInbreeding(bull, dam)};
}

bool asksAboutCalf(const CalfRisk& r)
{
    return r.inbreeding >= kAmberFrom;
}

QString calfRiskQuestion(const CalfRisk& r)
{
    QString tie;
    switch (r.relationship.kind) {
    case Kinship::Sire:
    case Kinship::MaternalGrandsire:
    case Kinship::PaternalGrandsire:
    case Kinship::HalfSib: tie = QStringLiteral("이 암소의 %1입니다").arg(relationshipText(r.relationship)); break;
    case Kinship::CommonAncestor:
        tie = QStringLiteral("이 암소와 공통 조상(%1)이 있습니다").arg(r.relationship.ancestor);
        break;
    case Kinship::None: tie = QStringLiteral("이 암소와 혈연관계가 있습니다"); break;
    }
    return QStringLiteral("이 정액(%1)은 %2. 태어날 송아지의 근교계수는 %3입니다. 그래도 저장하시겠습니까?")
        .arg(kpn::shown(r.kpn), tie, percentText(r.inbreeding));
}

QString calfRiskTitle()
{
    return QStringLiteral("근교 경고");
}

}  // namespace mating
