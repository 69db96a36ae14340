#include "vaccination/model/ProgramRows.h"

namespace vaccination {
namespace {

QString skipText(int days)
{
    return days > 0 ? QStringLiteral("%1일").arg(days) : QStringLiteral("안 함");
}

}  // namespace

QStringList programHeaders()
{
    return {QStringLiteral("이름"),      QStringLiteral("처치어"),    QStringLiteral("첫 접종 일령"),
            QStringLiteral("보강 접종"), QStringLiteral("정기 접종"), QStringLiteral("대상"),
            QStringLiteral("분만 제외"), QStringLiteral("출하 제외")};
}

QStringList programCells(const VaccinationProgram& p)
{
    const QString target = p.target == Target::Calves
                               ? QStringLiteral("%1(%2개월 미만)").arg(targetText(p.target)).arg(p.calfMonths)
                               : targetText(p.target);
    return {p.name,
            wordsText(p.words),
            QStringLiteral("%1일").arg(p.firstDoseDays),
            QStringLiteral("%1일 뒤").arg(p.boosterDays),
            QStringLiteral("%1일마다").arg(p.repeatDays),
            target,
            skipText(p.calvingSkipDays),
            skipText(p.shipmentSkipDays)};
}

}  // namespace vaccination
