#pragma once
// The check a breeding record gets before it stores a cow's service: whether the bull's calf
// with her would be inbred, and the question the farmer is asked then.
#include "mating/model/Inbreeding.h"

#include <QString>
#include <memory>
#include <optional>

namespace mating {

struct CalfRisk {
    QString kpn;  // the bull's digits
    Relationship relationship;
    double inbreeding = 0;
};

// The calves of many services judged over one reading of the pedigree (an import's rows).
class CalfRisks {
public:
    explicit CalfRisks(Pedigree pedigree);
    ~CalfRisks();
    CalfRisks(const CalfRisks&) = delete;
    CalfRisks& operator=(const CalfRisks&) = delete;

    // The calf of the herd cow numbered `cow` by the bull typed as `semen`; nothing when `semen`
    // is no KPN number. A cow or bull the pedigree does not hold is related to no one.
    std::optional<CalfRisk> of(const QString& cow, const QString& semen);

private:
    Pedigree m_pedigree;
    // Kept for a batch of calves only: the pairs it remembers would grow with every row of a
    // million-row file.
    std::unique_ptr<Relationships> m_relationships;
    int m_calves = 0;
};

// The calf of the cow numbered `cow` by the bull typed as `semen`, on the open farm; nothing when
// `semen` is no KPN number. Throws DbError.
std::optional<CalfRisk> calfRiskOf(const QString& cow, const QString& semen);
// True when the calf is to be asked about: 6.25 % or more.
bool asksAboutCalf(const CalfRisk& r);

// "이 정액(KPN1105)은 이 암소의 외조부입니다", "이 정액(KPN1105)은 이 암소와 공통 조상(KPN950)이
// 있습니다": the tie the question and an import's refusal name.
QString calfTieText(const CalfRisk& r);
// "이 정액(KPN1105)은 이 암소의 외조부입니다. 태어날 송아지의 근교계수는 12.5%입니다. 그래도
// 저장하시겠습니까?"; a common ancestor is named as "이 암소와 공통 조상(KPN950)이 있습니다".
QString calfRiskQuestion(const CalfRisk& r);
QString calfRiskTitle();

}  // namespace mating
