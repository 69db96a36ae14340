#include "vaccination/model/GroupDose.h"

#include "data/Db.h"
#include "data/Values.h"

#include <QSqlQuery>

namespace vaccination {
namespace {

QString dayText(const QDate& d)
{
    return formatDate(d, QStringLiteral("yyyy-mm-dd"));
}

// The dose itself, before any animal is looked at.
std::optional<GroupDoseProblem> checkDose(const VaccinationProgram& program, const GroupDose& dose,
                                          const QStringList& animals, const QDate& today)
{
    if (animals.isEmpty()) return GroupDoseProblem{{}, QStringLiteral("접종을 기록할 개체를 선택해 주세요.")};
    if (!dose.date.isValid()) return GroupDoseProblem{{}, QStringLiteral("접종일을 다시 선택해 주세요.")};
    if (dose.date > today)
        return GroupDoseProblem{
            {}, QStringLiteral("접종일(%1)이 오늘보다 늦습니다. 접종한 날을 선택해 주세요.").arg(dayText(dose.date))};
    const QString treatment = dose.treatment.trimmed();
    if (treatment.isEmpty()) return GroupDoseProblem{{}, QStringLiteral("처치(백신 제품)를 입력해 주세요.")};
    if (!isDoseOf(treatment, program.words))
        return GroupDoseProblem{{},
                                QStringLiteral("처치 '%1'에는 '%2' 접종 계획의 처치어(%3)가 없어 접종으로 세어지지 "
                                               "않습니다. 처치에 처치어 가운데 하나를 넣어 주세요.")
                                    .arg(treatment, program.name, wordsText(program.words))};
    if (dose.withdrawalDays < 0 || dose.withdrawalDays > kMaxWithdrawalDays)
        return GroupDoseProblem{
            {}, QStringLiteral("휴약 일수는 0에서 %1 사이의 정수(일)로 입력해 주세요.").arg(kMaxWithdrawalDays)};
    return std::nullopt;
}

}  // namespace

QDate withdrawalEnd(const QDate& date, int withdrawalDays)
{
    return date.addDays(withdrawalDays);
}

std::optional<GroupDoseProblem> recordGroupDose(const VaccinationProgram& program, const GroupDose& dose,
                                                const QStringList& animals, const QDate& today)
{
    QStringList numbers;
    for (const QString& a : animals)
        if (const QString n = a.trimmed(); !n.isEmpty() && !numbers.contains(n)) numbers << n;
    if (auto problem = checkDose(program, dose, numbers, today)) return problem;

    const qint64 day = datenum::fromDate(dose.date);
    const QString symptom = dose.symptom.trimmed().isEmpty() ? program.name : dose.symptom.trimmed();
    Transaction tx;
    for (const QString& n : numbers) {
        if (!runQuery(QStringLiteral("select 1 from 개체관리 where 개체번호 = ?"), {n}).next())
            return GroupDoseProblem{
                n, QStringLiteral("%1 개체가 개체 목록에 없습니다. 아무것도 기록하지 않았습니다.").arg(n)};
        // The unique key (개체번호, 날짜) would refuse it anyway; asked first so the farmer reads
        // which animal, and the others are not stored without it.
        if (runQuery(QStringLiteral("select 1 from 백신접종 where 개체번호 = ? and 날짜 = ?"), {n, day}).next())
            return GroupDoseProblem{
                n, QStringLiteral("%1 개체는 %2에 이미 진료·백신 기록이 있습니다. 이 개체를 빼고 "
                                  "다시 기록하거나 진료·백신접종 탭에서 고쳐 주세요. 아무것도 기록하지 "
                                  "않았습니다.")
                       .arg(n, dayText(dose.date))};
        execStatement(QStringLiteral("insert into 백신접종 (개체번호, 날짜, 증상, 처치, 만료일, 수의사, 비고, 구입일, "
                                     "구입처) values (?, ?, ?, ?, ?, ?, ?, 0, '')"),
                      {n, day, symptom, dose.treatment.trimmed(),
                       datenum::fromDate(withdrawalEnd(dose.date, dose.withdrawalDays)), dose.vet.trimmed(),
                       dose.note.trimmed()});
    }
    tx.commit();
    return std::nullopt;
}

}  // namespace vaccination
