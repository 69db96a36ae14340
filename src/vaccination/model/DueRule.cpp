#include "vaccination/model/DueRule.h"

#include "data/Values.h"

#include <cstdlib>

namespace vaccination {
namespace {

bool within(const QDate& day, const QDate& around, int days)
{
    return around.isValid() && std::abs(day.daysTo(around)) <= days;
}

}  // namespace

QString doseKindText(DoseKind k)
{
    switch (k) {
    case DoseKind::First: return QStringLiteral("1차");
    case DoseKind::Second: return QStringLiteral("2차");
    case DoseKind::Regular: return QStringLiteral("정기");
    }
    return QString();
}

QString verdictText(Verdict v)
{
    switch (v) {
    case Verdict::Due: return QString();
    case Verdict::Gone: return QStringLiteral("판매·출하");
    case Verdict::NoBirthDate: return QStringLiteral("생일 없음");
    case Verdict::NotTarget: return QStringLiteral("접종 대상 아님");
    case Verdict::NearCalving: return QStringLiteral("분만 예정 전후");
    case Verdict::NearShipment: return QStringLiteral("출하 예정 전후");
    }
    return QString();
}

Judgement judge(const VaccinationProgram& program, const HerdAnimal& animal, const QList<QDate>& doses)
{
    Judgement j;
    int count = 0;
    for (const QDate& d : doses) {
        if (!d.isValid()) continue;
        ++count;
        if (!j.lastDose.isValid() || d > j.lastDose) j.lastDose = d;
    }
    if (animal.gone) {
        j.verdict = Verdict::Gone;
        return j;
    }
    const bool needsBirth = count == 0 || program.target == Target::Calves;
    if (needsBirth && !animal.birth.isValid()) {
        j.verdict = Verdict::NoBirthDate;
        return j;
    }
    if (count == 0) {
        j.kind = DoseKind::First;
        j.due = animal.birth.addDays(program.firstDoseDays);
    } else if (count == 1) {
        j.kind = DoseKind::Second;
        j.due = j.lastDose.addDays(program.boosterDays);
    } else {
        j.kind = DoseKind::Regular;
        j.due = j.lastDose.addDays(program.repeatDays);
    }
    const bool forIt = program.target == Target::All || (program.target == Target::Cows && animal.cow) ||
                       (program.target == Target::Calves && j.due < addMonthsClamped(animal.birth, program.calfMonths));
    if (!forIt)
        j.verdict = Verdict::NotTarget;
    else if (animal.cow && within(j.due, animal.expectedCalving, program.calvingSkipDays))
        j.verdict = Verdict::NearCalving;
    else if (within(j.due, animal.plannedShipment, program.shipmentSkipDays))
        j.verdict = Verdict::NearShipment;
    return j;
}

}  // namespace vaccination
