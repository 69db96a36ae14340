#include "mating/model/MatingPlan.h"

#include "data/Db.h"
#include "data/Values.h"
#include "mating/model/Kpn.h"
#include "mating/model/MatingIndex.h"

#include <QHash>
#include <algorithm>

namespace mating {

namespace {
// Days from a service to the expected calving, as the breeding form counts them.
constexpr int kGestationDays = 280;
}  // namespace

QString statusText(CowStatus s)
{
    switch (s) {
    case CowStatus::Open: return QStringLiteral("번식 대기");
    case CowStatus::Pregnant: return QStringLiteral("임신 중");
    case CowStatus::Heifer: return QStringLiteral("미경산");
    }
    return {};
}

CowState cowStateOf(const std::vector<ServiceRecord>& records)
{
    const ServiceRecord* latest = nullptr;
    QDate latestDay, lastCalving;
    for (const ServiceRecord& r : records) {
        const QDate served = datenum::toDate(r.inseminated);
        if (served.isValid() && (!latest || served >= latestDay)) {
            latest = &r;
            latestDay = served;
        }
        const QDate calved = datenum::toDate(r.calved);
        if (calved.isValid() && (!lastCalving.isValid() || calved > lastCalving)) lastCalving = calved;
    }
    const CowState notPregnant{lastCalving.isValid() ? CowStatus::Open : CowStatus::Heifer, {}};
    if (!latest || !datenum::toDate(latest->checked).isValid() || latest->verdict != 0) return notPregnant;
    // A calving on its own row counts too, when it is not before the service.
    if (lastCalving.isValid() && lastCalving >= latestDay) return notPregnant;
    const QDate expected = datenum::toDate(latest->expected);
    return {CowStatus::Pregnant, expected.isValid() ? expected : latestDay.addDays(kGestationDays)};
}

QHash<QString, CowState> loadCowStates()
{
    QHash<QString, std::vector<ServiceRecord>> records;
    QSqlQuery r = runQuery(
        QStringLiteral("select 번식기록.개체번호, 번식기록.수정일, 번식기록.판정일, 번식기록.가부, 번식기록.분만일, "
                       "번식기록.예정일 from 번식기록 join 개체관리 on 개체관리.개체번호 = 번식기록.개체번호 "
                       "where 개체관리.구분 = 0"));
    while (r.next()) {
        const QVariant verdict = r.value(3);
        records[NullTrim(r.value(0))].push_back({r.value(1).toLongLong(), r.value(2).toLongLong(),
                                                 verdict.isNull() ? -1 : verdict.toLongLong(), r.value(4).toLongLong(),
                                                 r.value(5).toLongLong()});
    }
    if (r.lastError().isValid()) throw DbError(r.lastError());
    QHash<QString, CowState> states;
    for (auto it = records.cbegin(); it != records.cend(); ++it) states.insert(it.key(), cowStateOf(it.value()));
    return states;
}

namespace {

std::vector<FarmCow> loadFarmCows()
{
    const QHash<QString, CowState> states = loadCowStates();
    std::vector<FarmCow> cows;
    QSqlQuery q =
        runQuery(QStringLiteral("select 개체번호, 우방번호 from 개체관리 where 구분 = 0 and ifnull(판매일, 0) = 0 "
                                "and ifnull(출하일, 0) = 0 order by 개체번호"));
    while (q.next()) {
        const QString number = NullTrim(q.value(0));
        if (number.isEmpty()) continue;
        cows.push_back({number, NullTrim(q.value(1)), states.value(number)});
    }
    if (q.lastError().isValid()) throw DbError(q.lastError());
    return cows;
}

// The rules shared by the plan and the ranking, over one pedigree whose relationships are
// worked out once for all cows.
class Planner {
public:
    Planner(const MatingData& data, const StrawsLeft& strawsLeft)
        : m_data(data),
          m_straws(strawsLeft),
          m_relationships(data.pedigree),
          m_level(data.pedigree, data.bulls),
          m_spreads(traitSpreads(data.bulls))
    {
    }

    // Every bull for the cow at `cow` of the pedigree, ranked; relationships named only when
    // `named` (a ranking for a plan needs them only for its picks).
    std::vector<BullChoice> rank(int cow, bool named)
    {
        const TraitNumbers& cowValue = m_level.value(cow);
        std::vector<BullChoice> choices;
        choices.reserve(m_data.bulls.size());
        for (const Bull& b : m_data.bulls) {
            BullChoice c;
            c.kpn = b.kpn;
            const int bull = m_data.pedigree.bull(kpn::digitsOf(b.kpn));
            c.inbreeding = m_relationships.calfInbreeding(bull, cow);
            c.band = bandOf(c.inbreeding);
            if (named) c.relationship = relationshipOf(m_data.pedigree, bull, cow);
            c.calf = calfValues(b, cowValue);
            const IndexValue index = selectionIndex(c.calf, m_data.settings, m_spreads);
            c.index = index.index;
            c.reason = index.reason;
            const auto straws = m_straws.find(b.kpn);
            c.straws = straws == m_straws.end() ? 0 : straws->second;
            choices.push_back(std::move(c));
        }
        // Stable: equal indexes, and unknown ones, keep the catalogue's order.
        std::stable_sort(choices.begin(), choices.end(), [](const BullChoice& a, const BullChoice& b) {
            if (a.index.has_value() != b.index.has_value()) return a.index.has_value();
            return a.index && *a.index > *b.index;
        });
        return choices;
    }

    CowPlan plan(const FarmCow& farmCow, bool includeWithoutStraws)
    {
        CowPlan p{farmCow, {}, {}};
        const int cow = m_data.pedigree.animal(farmCow.number);
        if (cow == Pedigree::kUnknown) return p;
        p.level = m_level.cowLevel(cow);
        const double limit = std::min(m_data.settings.inbreedingLimit, kNeverFrom);
        for (BullChoice& c : rank(cow, false)) {
            if (p.picks.size() == 3) break;
            if (c.inbreeding >= limit || (!includeWithoutStraws && c.straws <= 0)) continue;
            c.relationship = relationshipOf(m_data.pedigree, m_data.pedigree.bull(kpn::digitsOf(c.kpn)), cow);
            p.picks.push_back(std::move(c));
        }
        return p;
    }

private:
    const MatingData& m_data;
    const StrawsLeft& m_straws;
    Relationships m_relationships;
    GeneticLevel m_level;
    std::array<double, kTraitCount> m_spreads;
};

}  // namespace

MatingData loadMatingData(QStringList* notes)
{
    MatingData d{loadPedigree(), loadBulls(), loadFarmCows(), readMatingSettings(notes)};
    if (notes)
        for (const QString& link : d.pedigree.cutLinks())
            *notes << QStringLiteral("혈통에서 자기 자신의 조상이 되는 연결(%1)은 모르는 것으로 봅니다.").arg(link);
    return d;
}

StrawsLeft strawsLeftOf(const std::map<QString, BullStock>& stock)
{
    StrawsLeft left;
    for (const auto& [kpn, s] : stock) left.emplace(kpn, s.left());
    return left;
}

InbreedingBand bandOf(double f)
{
    if (f >= kNeverFrom) return InbreedingBand::Never;
    if (f >= kAmberFrom) return InbreedingBand::Amber;
    return InbreedingBand::Clear;
}

std::vector<CowPlan> planMatings(const MatingData& data, const StrawsLeft& strawsLeft, bool includeBullsWithoutStraws)
{
    Planner planner(data, strawsLeft);
    std::vector<CowPlan> plans;
    plans.reserve(data.cows.size());
    for (const FarmCow& cow : data.cows) plans.push_back(planner.plan(cow, includeBullsWithoutStraws));
    return plans;
}

std::vector<BullChoice> rankBulls(const MatingData& data, const QString& cowNumber, const StrawsLeft& strawsLeft)
{
    const int cow = data.pedigree.animal(cowNumber);
    if (cow == Pedigree::kUnknown) return {};
    return Planner(data, strawsLeft).rank(cow, true);
}

}  // namespace mating
