#include "history/model/Withdrawal.h"

#include "data/Values.h"

#include <algorithm>

namespace withdrawal {

namespace {
QDate dateOf(const QVariant& stored)
{
    bool ok = false;
    const qint64 n = NullTrim(stored).toLongLong(&ok);
    return ok ? datenum::toDate(n) : QDate();
}
}  // namespace

std::optional<Period> latest(const QList<Treatment>& treatments)
{
    const Treatment* best = nullptr;
    for (const Treatment& t : treatments) {
        if (!t.end.isValid()) continue;
        if (!best || t.end > best->end || (t.end == best->end && t.date > best->date)) best = &t;
    }
    if (!best) return std::nullopt;
    return Period{best->end, best->treatment};
}

bool within(const std::optional<Period>& period, const QDate& day)
{
    return period && day.isValid() && day <= period->end;
}

QString warningText(const Period& period)
{
    return QStringLiteral("휴약기간 중인 개체입니다. (휴약만료일: %1, 처치: %2) 그래도 저장하시겠습니까?")
        .arg(formatDate(period.end, QStringLiteral("yyyy-mm-dd")), period.treatment);
}

QString warningTitle()
{
    return QStringLiteral("휴약기간");
}

int daysLeft(const QDate& end, const QDate& today)
{
    // The end date is still a withdrawal day: on it one day is left.
    return int(std::max<qint64>(0, today.daysTo(end) + 1));
}

QString daysLeftText(int days)
{
    return QStringLiteral("휴약 %1일 남음").arg(days);
}

BoundStatement treatmentsQuery(const QString& animal)
{
    return {QStringLiteral("select 날짜, 처치, 만료일 from 백신접종 where 개체번호 = ?"), {animal}};
}

Treatment treatmentAt(const QSqlQuery& q, int first)
{
    return {dateOf(q.value(first)), NullTrim(q.value(first + 1)), dateOf(q.value(first + 2))};
}

QList<Treatment> treatmentsOf(const QString& animal)
{
    const BoundStatement st = treatmentsQuery(animal);
    QSqlQuery q = runQuery(st.sql, st.binds);
    QList<Treatment> out;
    while (q.next()) out << treatmentAt(q, 0);
    if (q.lastError().isValid()) throw DbError(q.lastError());
    return out;
}

}  // namespace withdrawal
