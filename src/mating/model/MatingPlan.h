#pragma once
// The mating plan: every cow of the farm with where she stands in her breeding, the three bulls
// of the catalogue best for her calf, and for one cow the ranking of every bull.
//  - A cow of the farm: 구분 0, neither sold (판매일) nor shipped (출하일).
//  - Her state from her breeding records (번식기록): 임신 중 when her latest service was checked
//    가 (판정일 set, 가부 0) and no calving (분만일, which also holds an abortion's date) came
//    after it, due on its 분만예정일 (예정일, else 280 days after the service); otherwise 번식
//    대기 when she has calved, 미경산 when she never has. A service not yet checked leaves her
//    as she was: it is not yet a pregnancy.
//  - A bull's calf is ranked by its selection index (MatingIndex.h), highest first, then bulls
//    in catalogue order whose index is unknown.
//  - The three picks are the first bulls of that ranking whose calf stays below the farm's
//    inbreeding limit (never 12.5 % or more) and that have straws left, unless bulls without
//    straws are asked for.
#include "mating/model/GeneticLevel.h"
#include "mating/model/Inbreeding.h"
#include "mating/model/MatingSettings.h"
#include "mating/model/Pedigree.h"
#include "mating/model/SemenStock.h"

#include <QDate>
#include <QHash>
#include <QString>
#include <map>
#include <optional>
#include <vector>

namespace mating {

enum class CowStatus { Open, Pregnant, Heifer };
// "번식 대기", "임신 중", "미경산".
QString statusText(CowStatus s);

// One 번식기록 row as the state reads it; dates are date numbers (0 or no date: not entered).
struct ServiceRecord {
    qint64 inseminated = 0;  // 수정일
    qint64 checked = 0;      // 판정일
    qint64 verdict = -1;     // 가부: 0 가, 1 부, -1 not checked
    qint64 calved = 0;       // 분만일
    qint64 expected = 0;     // 예정일
};
struct CowState {
    CowStatus status = CowStatus::Heifer;
    QDate expectedCalving;  // 임신 중 only
    bool operator==(const CowState&) const = default;
};
CowState cowStateOf(const std::vector<ServiceRecord>& records);
// The state of every cow (구분 0) of the open farm that has a breeding record, by her number; a
// cow without one is a heifer. Throws DbError.
QHash<QString, CowState> loadCowStates();

struct FarmCow {
    QString number;  // 개체번호
    QString pen;     // 우방번호
    CowState state;
};

// Everything a plan is made from, read once.
struct MatingData {
    Pedigree pedigree;
    std::vector<Bull> bulls;  // the catalogue, in its order
    std::vector<FarmCow> cows;
    MatingSettings settings;
};
// From the open farm; `notes` gets the settings read as their defaults and the pedigree links cut
// as loops. Throws DbError.
MatingData loadMatingData(QStringList* notes = nullptr);

// How a calf's inbreeding stands against the fixed limits.
enum class InbreedingBand {
    Clear,  // below 6.25 %
    Amber,  // 6.25 % up to 12.5 %
    Never,  // 12.5 % or more
};
InbreedingBand bandOf(double f);

// A catalogue bull for one cow.
struct BullChoice {
    QString kpn;  // digits
    double inbreeding = 0;
    InbreedingBand band = InbreedingBand::Clear;
    Relationship relationship;
    TraitValues calf;             // expected calf values, unknown where the bull's are
    std::optional<double> index;  // unknown when a weighted trait is
    QString reason;               // why the index is unknown: "도체중 육종가 없음"
    int straws = 0;               // straws left in the tank
};

struct CowPlan {
    FarmCow cow;
    CowLevel level;                 // her pedigree values
    std::vector<BullChoice> picks;  // at most three, best first
};

// KPN digits → straws left; a bull absent from the map has none.
using StrawsLeft = std::map<QString, int>;
// The straws left of each bull the tank has received (SemenStock.h).
StrawsLeft strawsLeftOf(const std::map<QString, BullStock>& stock);

// Every cow of `data` in its order with her picks.
std::vector<CowPlan> planMatings(const MatingData& data, const StrawsLeft& strawsLeft,
                                 bool includeBullsWithoutStraws = false);
// Every catalogue bull for the cow numbered `cowNumber`, ranked; empty when she is no animal of
// the herd.
std::vector<BullChoice> rankBulls(const MatingData& data, const QString& cowNumber, const StrawsLeft& strawsLeft);

}  // namespace mating
