#pragma once
// The farm calendar (달력): what falls due on each day of a range, from every source the
// program already knows, each by the rule its own list uses:
//  - 재발정 확인: an insemination not yet checked, on its re-estrus day (the daily list's rule,
//    20 days on);
//  - 분만 예정: a positive, not yet calved insemination, on its calving day (the daily list's
//    rule, 280 days on);
//  - 예방접종: the next dose due of each animal and program (vaccination/model/DueList.h; the
//    ones after it depend on the day it is given); one already overdue on `today` stands on
//    today, when the range holds today, so it is not lost off the front of the calendar;
//  - 휴약 종료: the last day of an animal's withdrawal, the one that ends last (the daily
//    withdrawal list's rule); a treatment whose 만료일 is its own day (a product without
//    withdrawal, such as most vaccines) has none;
//  - 출하 예정: the 출하예정일 of an animal not sold or shipped.
#include <QDate>
#include <QList>
#include <QString>

namespace calendar {

enum class ItemKind { Reestrus, Calving, Vaccination, WithdrawalEnd, Shipment };
// Every kind, in the order a day lists them.
inline constexpr ItemKind kItemKinds[] = {ItemKind::Reestrus, ItemKind::Calving, ItemKind::Vaccination,
                                          ItemKind::WithdrawalEnd, ItemKind::Shipment};
// "재발정 확인", "분만 예정", "예방접종", "휴약 종료", "출하 예정".
QString kindText(ItemKind k);
// A short ASCII name of the kind, fixed for good: "reestrus", "calving", "vaccination",
// "withdrawal", "shipment" (the calendar file's event identities are made of it).
QString kindCode(ItemKind k);

struct CalendarItem {
    QDate date;
    ItemKind kind = ItemKind::Reestrus;
    QString number;  // 개체번호
    QString pen;     // 우방번호
    QString text;    // short Korean text: "구제역 2차", "구제역 정기 (5일 지남)", "수정 2026-03-01"
    bool operator==(const CalendarItem&) const = default;
};

// Every item from `from` to `to` (both included) on the open farm, ordered by day, kind, animal
// number. Throws DbError.
QList<CalendarItem> calendarItems(const QDate& from, const QDate& to, const QDate& today);

// The items of one day, in the order given.
QList<CalendarItem> itemsOn(const QList<CalendarItem>& items, const QDate& day);

// How many days a calendar file for the phone covers unless the farmer sets another number.
inline constexpr int kPhoneCalendarDays = 60;
// The items of `days` days from today (today included). Throws DbError.
QList<CalendarItem> phoneCalendarItems(const QDate& today, int days = kPhoneCalendarDays);

}  // namespace calendar
