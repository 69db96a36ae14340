#pragma once
// What the mating plan shows and prints: the columns and cells of the plan (a line per pick, the
// cow's own cells on her first line), of one cow's ranking of every bull, and of the printed plan
// (one line per cow with her three picks), so the windows and the reports only place them.
#include "mating/model/MatingPlan.h"

#include <QStringList>
#include <QVariantList>

namespace mating {

// The header of the pedigree column and its cells: how many of the 14 places up to her
// great-grandparents hold a bull with known values ("8/14"; the trait best known).
QString knownAncestorsText(const CowLevel& level);
// A calf value as the lists show it: kilograms with one decimal, the rest with two; "" unknown.
QString calfValueText(Trait t, const std::optional<double>& v);
// The farm's limit as the farmer set it: "6.25%", "10%".
QString limitText(double limit);
// "1.82", "" unknown.
QString indexText(const std::optional<double>& index);
// Straws left of `kpn`: "-" when the tank never received the bull.
QString strawsText(const StrawsLeft& straws, const QString& kpn);
// The note of a pick or a ranked bull: why its index is unknown, that its calf is marked, that
// it is never recommended, that the tank has none left.
QString choiceNote(const BullChoice& c, const StrawsLeft& straws, const MatingSettings& settings);

// 개체번호, 우방, 상태, 분만예정일, 혈통, 순위, 정액, 근교계수, the five calf values, 지수, 재고, 비고.
QStringList planColumns();
// Column numbers (1-based) the windows colour and read.
inline constexpr int kPlanCowColumn = 1;
inline constexpr int kPlanRankColumn = 6;
inline constexpr int kPlanKpnColumn = 7;
inline constexpr int kPlanInbreedingColumn = 8;

// One line of the plan: its cells, and the pick it shows (none on the line of a cow without one).
struct PlanLine {
    QStringList cells;
    std::optional<BullChoice> pick;
};
// The lines of `plan`: one per pick, or one saying why there is none (`bulls`: how many bulls
// the catalogue holds, so an empty catalogue is named as the reason).
QList<PlanLine> planLines(const CowPlan& plan, const StrawsLeft& straws, const MatingSettings& settings, size_t bulls);
// Whether the cow is listed when only the cows waiting for a service are asked for.
bool listedWhenWaitingOnly(const CowPlan& plan);

// 순위, 정액, 구분, 근교계수, 관계, the five calf values, 지수, 재고, 비고.
QStringList rankingColumns();
inline constexpr int kRankingKpnColumn = 2;
inline constexpr int kRankingInbreedingColumn = 4;
inline constexpr int kRankingIndexColumn = 11;
QStringList rankingRow(int rank, const BullChoice& c, const QString& kind, const StrawsLeft& straws,
                       const MatingSettings& settings);

// The work table both prints fill: 16 text columns.
QString planWorkTable();

// The printed plan: a line per cow, 개체번호, 우방, 상태, 분만예정일, then per pick 정액, 근교, 지수,
// 재고 (16 columns; "추천 없음" in the first pick's place when she has none).
inline constexpr int kPlanPrintColumns = 16;
QVariantList planPrintRow(const CowPlan& plan, const StrawsLeft& straws);

// The cow's own line over her ranking: her status and her pedigree value per trait.
QString cowSummary(const CowPlan& plan);

}  // namespace mating
