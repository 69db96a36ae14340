#include "mating/model/ServiceCheck.h"

#include "mating/model/Kpn.h"
#include "mating/model/MatingSettings.h"

namespace mating {

namespace {
// Calves judged over one memory of relationships: a few megabytes at most.
constexpr int kCalvesPerMemory = 4096;
}  // namespace

CalfRisks::CalfRisks(Pedigree pedigree) : m_pedigree(std::move(pedigree)) {}

CalfRisks::~CalfRisks() = default;

std::optional<CalfRisk> CalfRisks::of(const QString& cow, const QString& semen)
{
    const QString digits = kpn::digitsOf(semen);
    if (digits.isEmpty()) return std::nullopt;
    // A bull nothing names is related to no one: kUnknown gives F = 0.
    const int bull = m_pedigree.bull(digits), dam = m_pedigree.animal(cow);
    if (bull == Pedigree::kUnknown || dam == Pedigree::kUnknown) return CalfRisk{digits, {}, 0};
    if (m_calves++ % kCalvesPerMemory == 0) m_relationships = std::make_unique<Relationships>(m_pedigree);
    const double f = m_relationships->calfInbreeding(bull, dam);
    // F is 0 exactly when they share no known ancestor: no tie to look for.
    return CalfRisk{digits, f > 0 ? relationshipOf(m_pedigree, bull, dam) : Relationship{}, f};
}

std::optional<CalfRisk> calfRiskOf(const QString& cow, const QString& semen)
{
    if (kpn::digitsOf(semen).isEmpty()) return std::nullopt;  // no pedigree read for nothing
    return CalfRisks(loadPedigree()).of(cow, semen);
}

bool asksAboutCalf(const CalfRisk& r)
{
    return r.inbreeding >= kAmberFrom;
}

QString calfTieText(const CalfRisk& r)
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
    return QStringLiteral("이 정액(%1)은 %2").arg(kpn::shown(r.kpn), tie);
}

QString calfRiskQuestion(const CalfRisk& r)
{
    return QStringLiteral("%1. 태어날 송아지의 근교계수는 %2입니다. 그래도 저장하시겠습니까?")
        .arg(calfTieText(r), percentText(r.inbreeding));
}

QString calfRiskTitle()
{
    return QStringLiteral("근교 경고");
}

}  // namespace mating
