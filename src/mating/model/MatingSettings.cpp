#include "mating/model/MatingSettings.h"

#include "data/Db.h"

#include <cmath>

namespace mating {

namespace {
const QString kLimitKey = QStringLiteral("근교계수 한계");

QString weightKey(Trait t)
{
    return traitColumn(t) + QStringLiteral(" 가중치");
}

QString percentNumber(double fraction)
{
    return QString::number(fraction * 100);
}

bool hasTable()
{
    QSqlQuery q = runQuery(QStringLiteral("select count(*) from sqlite_master where type = 'table' and name = ?"),
                           {QStringLiteral("교배설정")});
    return q.next() && q.value(0).toInt() > 0;
}
}  // namespace

MatingSettings defaultMatingSettings()
{
    MatingSettings s;
    s.weight(Trait::Weight12) = 0;
    s.weight(Trait::Carcass) = 1;
    s.weight(Trait::EyeMuscle) = 1;
    s.weight(Trait::BackFat) = -1;
    s.weight(Trait::Marbling) = 1;
    return s;
}

QString weightProblem(Trait t, double w)
{
    if (std::isfinite(w) && std::abs(w) <= kWeightBound) return {};
    return QStringLiteral("%1 가중치는 -%2~%2 사이의 수로 입력해 주세요.").arg(traitColumn(t)).arg(kWeightBound);
}

QString limitProblem(double limit)
{
    if (std::isfinite(limit) && limit > 0 && limit <= kNeverFrom) return {};
    return QStringLiteral("근교계수 한계는 0%보다 크고 %1% 이하인 수로 입력해 주세요.").arg(percentNumber(kNeverFrom));
}

MatingSettings readMatingSettings(QStringList* notes)
{
    MatingSettings s = defaultMatingSettings();
    if (!hasTable()) return s;
    QSqlQuery q = runQuery(QStringLiteral("select 항목, 값 from 교배설정"));
    while (q.next()) {
        const QString key = q.value(0).toString().trimmed();
        bool number = false;
        const double value = q.value(1).toDouble(&number);
        const QString stored = q.value(1).toString().trimmed();
        if (key == kLimitKey) {
            if (number && limitProblem(value / 100).isEmpty())
                s.inbreedingLimit = value / 100;
            else if (notes)
                *notes << QStringLiteral("저장된 근교계수 한계(%1)는 쓸 수 없어 기본값 %2%를 씁니다.")
                              .arg(stored, percentNumber(kAmberFrom));
            continue;
        }
        for (Trait t : kTraits) {
            if (key != weightKey(t)) continue;
            if (number && weightProblem(t, value).isEmpty())
                s.weight(t) = value;
            else if (notes)
                *notes << QStringLiteral("저장된 %1 가중치(%2)는 쓸 수 없어 기본값 %3을 씁니다.")
                              .arg(traitColumn(t), stored)
                              .arg(defaultMatingSettings().weight(t));
        }
    }
    if (q.lastError().isValid()) throw DbError(q.lastError());
    return s;
}

void storeMatingSettings(const MatingSettings& s)
{
    for (Trait t : kTraits)
        if (const QString problem = weightProblem(t, s.weight(t)); !problem.isEmpty()) throw DbError(problem);
    if (const QString problem = limitProblem(s.inbreedingLimit); !problem.isEmpty()) throw DbError(problem);
    Transaction tx;
    execStatement(QStringLiteral("delete from 교배설정"));
    const QString insert = QStringLiteral("insert into 교배설정(항목, 값) values(?, ?)");
    for (Trait t : kTraits) execStatement(insert, {weightKey(t), s.weight(t)});
    execStatement(insert, {kLimitKey, s.inbreedingLimit * 100});
    tx.commit();
}

}  // namespace mating
