#include "calendar/model/CalendarItems.h"

#include "books/model/DailyRules.h"
#include "data/Db.h"
#include "data/Values.h"
#include "history/model/Withdrawal.h"
#include "vaccination/model/DueList.h"

#include <QSqlQuery>
#include <algorithm>

namespace calendar {
namespace {

QString dayText(const QDate& d)
{
    return formatDate(d, QStringLiteral("yyyy-mm-dd"));
}

bool inRange(const QDate& d, const QDate& from, const QDate& to)
{
    return d.isValid() && d >= from && d <= to;
}

// The breeding records of a daily-list query whose due day (`dueOf` of the insemination) falls
// in the range. The query is narrowed by the inseminations its list reads on the range's first
// and last days, which hold every one due in between.
void addBreedingItems(QList<CalendarItem>& out, ItemKind kind, const QString& sql,
                      daily::DateNumberRange (*listedOn)(const QDate&), QDate (*dueOf)(const QDate&), const QDate& from,
                      const QDate& to)
{
    QSqlQuery q = runQuery(sql, {listedOn(from).from, listedOn(to).to});
    while (q.next()) {
        const QDate inseminated = daily::inseminationDate(q.value(3));
        if (!inseminated.isValid()) continue;
        const QDate due = dueOf(inseminated);
        if (inRange(due, from, to))
            out << CalendarItem{due, kind, NullTrim(q.value(0)), NullTrim(q.value(1)),
                                QStringLiteral("수정 %1").arg(dayText(inseminated))};
    }
    if (q.lastError().isValid()) throw DbError(q.lastError());
}

void addVaccinations(QList<CalendarItem>& out, const QDate& from, const QDate& to, const QDate& today)
{
    const bool showsToday = inRange(today, from, to);
    // The next dose of each animal only: the ones after it depend on the day it is given.
    const QList<vaccination::DueRow> due =
        vaccination::dueRows(vaccination::loadPrograms(), vaccination::loadHerdRecords(), today, std::max(to, today));
    for (const vaccination::DueRow& r : due) {
        QString text = r.program + u' ' + vaccination::doseKindText(r.kind);
        QDate day = r.due;
        if (r.daysOverdue > 0) {
            if (!showsToday) continue;
            day = today;
            text += QStringLiteral(" (%1일 지남)").arg(r.daysOverdue);
        }
        if (inRange(day, from, to)) out << CalendarItem{day, ItemKind::Vaccination, r.number, r.pen, text};
    }
}

void addWithdrawalEnds(QList<CalendarItem>& out, const QDate& from, const QDate& to)
{
    QList<daily::AnimalTreatment> treatments;
    QSqlQuery q = runQuery(daily::withdrawalSql(), {datenum::fromDate(from)});
    while (q.next()) {
        const withdrawal::Treatment t = withdrawal::treatmentAt(q, 3);
        // A product without withdrawal ends the day it is given (as the treatment tab stores
        // it): no withdrawal to mark, or a pen vaccinated in the morning fills the day.
        if (t.date.isValid() && t.end <= t.date) continue;
        treatments << daily::AnimalTreatment{NullTrim(q.value(0)), NullTrim(q.value(1)), NullTrim(q.value(2)), t};
    }
    if (q.lastError().isValid()) throw DbError(q.lastError());
    for (const daily::WithdrawalRow& r : daily::withdrawalRows(treatments, from))
        if (inRange(r.period.end, from, to))
            out << CalendarItem{r.period.end, ItemKind::WithdrawalEnd, r.number, r.pen, r.period.treatment};
}

void addShipments(QList<CalendarItem>& out, const QDate& from, const QDate& to)
{
    // A bull's 판매일 holds its castration: only a cow leaves by it.
    QSqlQuery q = runQuery(QStringLiteral("select 개체번호, 우방번호, 출하예정일 from 개체관리 "
                                          "where 출하예정일 between ? and ? and 출하일 = 0 "
                                          "and (구분 <> 0 or 판매일 = 0)"),
                           {datenum::fromDate(from), datenum::fromDate(to)});
    while (q.next()) {
        const QDate planned = datenum::toDate(q.value(2).toLongLong());
        if (inRange(planned, from, to))
            out << CalendarItem{planned, ItemKind::Shipment, NullTrim(q.value(0)), NullTrim(q.value(1)), QString()};
    }
    if (q.lastError().isValid()) throw DbError(q.lastError());
}

int kindOrder(ItemKind k)
{
    return int(std::find(std::begin(kItemKinds), std::end(kItemKinds), k) - std::begin(kItemKinds));
}

}  // namespace

QString kindText(ItemKind k)
{
    switch (k) {
    case ItemKind::Reestrus: return QStringLiteral("재발정 확인");
    case ItemKind::Calving: return QStringLiteral("분만 예정");
    case ItemKind::Vaccination: return QStringLiteral("예방접종");
    case ItemKind::WithdrawalEnd: return QStringLiteral("휴약 종료");
    case ItemKind::Shipment: return QStringLiteral("출하 예정");
    }
    return QString();
}

QString kindCode(ItemKind k)
{
    switch (k) {
    case ItemKind::Reestrus: return QStringLiteral("reestrus");
    case ItemKind::Calving: return QStringLiteral("calving");
    case ItemKind::Vaccination: return QStringLiteral("vaccination");
    case ItemKind::WithdrawalEnd: return QStringLiteral("withdrawal");
    case ItemKind::Shipment: return QStringLiteral("shipment");
    }
    return QString();
}

QList<CalendarItem> calendarItems(const QDate& from, const QDate& to, const QDate& today)
{
    QList<CalendarItem> out;
    if (!from.isValid() || !to.isValid() || to < from) return out;
    addBreedingItems(out, ItemKind::Reestrus, daily::reestrusSql(), daily::reestrusInseminationRange,
                     daily::reestrusDate, from, to);
    addBreedingItems(out, ItemKind::Calving, daily::calvingSql(), daily::calvingInseminationRange, daily::calvingDate,
                     from, to);
    addVaccinations(out, from, to, today);
    addWithdrawalEnds(out, from, to);
    addShipments(out, from, to);
    std::stable_sort(out.begin(), out.end(), [](const CalendarItem& x, const CalendarItem& y) {
        if (x.date != y.date) return x.date < y.date;
        if (x.kind != y.kind) return kindOrder(x.kind) < kindOrder(y.kind);
        return x.number < y.number;
    });
    return out;
}

QList<CalendarItem> itemsOn(const QList<CalendarItem>& items, const QDate& day)
{
    QList<CalendarItem> out;
    for (const CalendarItem& i : items)
        if (i.date == day) out << i;
    return out;
}

QList<CalendarItem> phoneCalendarItems(const QDate& today, int days)
{
    return calendarItems(today, today.addDays(std::max(1, days) - 1), today);
}

}  // namespace calendar
