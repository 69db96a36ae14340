#include "mating/model/PlanRows.h"

#include "mating/model/Kpn.h"

#include <QLocale>
#include <algorithm>

namespace mating {

namespace {
constexpr int kPedigreePlaces = 14;

QString dayText(const QDate& d)
{
    return d.isValid() ? d.toString(QStringLiteral("yyyy-MM-dd")) : QString();
}

bool inKilograms(Trait t)
{
    return t == Trait::Weight12 || t == Trait::Carcass;
}

// The cow's own cells: number, pen, status, expected calving, pedigree.
QStringList cowCells(const CowPlan& plan)
{
    return {plan.cow.number, plan.cow.pen, statusText(plan.cow.state.status), dayText(plan.cow.state.expectedCalving),
            knownAncestorsText(plan.level)};
}

QString percent(double f)
{
    return percentText(f);
}
}  // namespace

QString knownAncestorsText(const CowLevel& level)
{
    const int known = *std::max_element(level.known.begin(), level.known.end());
    return QStringLiteral("%1/%2").arg(known).arg(kPedigreePlaces);
}

QString calfValueText(Trait t, const std::optional<double>& v)
{
    if (!v) return {};
    // -0.0 would print as "-0.0".
    const double shown = *v == 0 ? 0.0 : *v;
    return QLocale::c().toString(shown, 'f', inKilograms(t) ? 1 : 2);
}

QString limitText(double limit)
{
    return QString::number(limit * 100, 'g', 6) + u'%';
}

QString indexText(const std::optional<double>& index)
{
    if (!index) return {};
    return QLocale::c().toString(std::abs(*index) < 0.005 ? 0.0 : *index, 'f', 2);
}

QString strawsText(const StrawsLeft& straws, const QString& kpn)
{
    const auto it = straws.find(kpn);
    return it == straws.end() ? QStringLiteral("-") : QString::number(it->second);
}

QString choiceNote(const BullChoice& c, const StrawsLeft& straws, const MatingSettings& settings)
{
    QStringList notes;
    if (c.band == InbreedingBand::Never)
        notes << QStringLiteral("근교 12.5% 이상: 추천하지 않음");
    else if (c.inbreeding >= settings.inbreedingLimit)
        notes << QStringLiteral("농장 근교 기준(%1) 이상: 추천하지 않음").arg(limitText(settings.inbreedingLimit));
    else if (c.band == InbreedingBand::Amber)
        notes << QStringLiteral("근교 주의");
    if (!c.reason.isEmpty()) notes << c.reason;
    const auto it = straws.find(c.kpn);
    if (it == straws.end())
        notes << QStringLiteral("입고 기록 없음");
    else if (it->second <= 0)
        notes << QStringLiteral("재고 없음");
    return notes.join(QStringLiteral(", "));
}

QStringList planColumns()
{
    QStringList c{QStringLiteral("개체번호"),   QStringLiteral("우방"),      QStringLiteral("상태"),
                  QStringLiteral("분만예정일"), QStringLiteral("혈통 정보"), QStringLiteral("순위"),
                  QStringLiteral("정액"),       QStringLiteral("근교계수")};
    for (Trait t : kTraits) c << QStringLiteral("송아지 ") + traitCaption(t);
    c << QStringLiteral("지수") << QStringLiteral("재고") << QStringLiteral("비고");
    return c;
}

QList<PlanLine> planLines(const CowPlan& plan, const StrawsLeft& straws, const MatingSettings& settings, size_t bulls)
{
    const QStringList cow = cowCells(plan);
    QList<PlanLine> lines;
    if (plan.picks.empty()) {
        QStringList cells = cow;
        cells << QStringLiteral("-") << QStringLiteral("추천 없음") << QString();
        for (int i = 0; i < kTraitCount; ++i) cells << QString();
        cells << QString() << QString()
              << (bulls == 0 ? QStringLiteral("씨수소 목록에 씨수소가 없습니다")
                             : QStringLiteral("농장 근교 기준(%1) 아래이면서 재고가 있는 정액이 없습니다")
                                   .arg(limitText(settings.inbreedingLimit)));
        lines.push_back({cells, std::nullopt});
        return lines;
    }
    for (size_t i = 0; i < plan.picks.size(); ++i) {
        const BullChoice& c = plan.picks[i];
        // The cow's own cells only on her first line; her number on every one, so each line
        // names whose pick it is.
        QStringList cells = i == 0 ? cow : QStringList{cow[0], QString(), QString(), QString(), QString()};
        cells << QString::number(i + 1) << kpn::shown(c.kpn) << percent(c.inbreeding);
        for (Trait t : kTraits) cells << calfValueText(t, c.calf[size_t(t)]);
        cells << indexText(c.index) << strawsText(straws, c.kpn) << choiceNote(c, straws, settings);
        lines.push_back({cells, c});
    }
    return lines;
}

bool listedWhenWaitingOnly(const CowPlan& plan)
{
    return plan.cow.state.status == CowStatus::Open;
}

QStringList rankingColumns()
{
    QStringList c{QStringLiteral("순위"), QStringLiteral("정액"), QStringLiteral("구분"), QStringLiteral("근교계수"),
                  QStringLiteral("관계")};
    for (Trait t : kTraits) c << QStringLiteral("송아지 ") + traitCaption(t);
    c << QStringLiteral("지수") << QStringLiteral("재고") << QStringLiteral("비고");
    return c;
}

QStringList rankingRow(int rank, const BullChoice& c, const QString& kind, const StrawsLeft& straws,
                       const MatingSettings& settings)
{
    QStringList cells{QString::number(rank), kpn::shown(c.kpn), kind, percent(c.inbreeding),
                      relationshipText(c.relationship)};
    for (Trait t : kTraits) cells << calfValueText(t, c.calf[size_t(t)]);
    cells << indexText(c.index) << strawsText(straws, c.kpn) << choiceNote(c, straws, settings);
    return cells;
}

QString planWorkTable()
{
    return QStringLiteral("교배계획워크");
}

QVariantList planPrintRow(const CowPlan& plan, const StrawsLeft& straws)
{
    QVariantList row{plan.cow.number, plan.cow.pen, statusText(plan.cow.state.status),
                     dayText(plan.cow.state.expectedCalving)};
    for (size_t i = 0; i < 3; ++i) {
        if (i < plan.picks.size()) {
            const BullChoice& c = plan.picks[i];
            row << kpn::shown(c.kpn) << percent(c.inbreeding) << indexText(c.index) << strawsText(straws, c.kpn);
        } else {
            row << (i == 0 ? QStringLiteral("추천 없음") : QString()) << QString() << QString() << QString();
        }
    }
    return row;
}

QString cowSummary(const CowPlan& plan)
{
    QStringList values;
    for (Trait t : kTraits)
        values << QStringLiteral("%1 %2").arg(traitColumn(t), calfValueText(t, plan.level.value[size_t(t)]));
    QString state = statusText(plan.cow.state.status);
    if (plan.cow.state.expectedCalving.isValid())
        state += QStringLiteral(" (분만예정일 %1)").arg(dayText(plan.cow.state.expectedCalving));
    return QStringLiteral("%1 · 우방 %2 · %3 · 혈통 정보 %4 · 혈통값: %5")
        .arg(plan.cow.number, plan.cow.pen.isEmpty() ? QStringLiteral("-") : plan.cow.pen, state,
             knownAncestorsText(plan.level), values.join(QStringLiteral(", ")));
}

}  // namespace mating
