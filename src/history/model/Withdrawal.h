#pragma once
// The withdrawal period after a medicine (백신접종.만료일): an animal must not leave the farm
// (sale, shipment, slaughter) on or before the end of its last treatment's withdrawal. The rule
// and its texts, free of any window.
#include "data/Db.h"

#include <QDate>
#include <QList>
#include <QString>
#include <optional>

namespace withdrawal {

// One treatment as far as the withdrawal goes.
struct Treatment {
    QDate date;         // 날짜
    QString treatment;  // 처치
    QDate end;          // 만료일
};

// The withdrawal that ends last, with the treatment that set it.
struct Period {
    QDate end;
    QString treatment;
    bool operator==(const Period&) const = default;
};

// The treatment whose withdrawal ends last; of two ending the same day the later treatment.
// None when no treatment has a readable end.
std::optional<Period> latest(const QList<Treatment>& treatments);
// True when `day` falls on or before the end of `period` (never for an invalid day or no period).
bool within(const std::optional<Period>& period, const QDate& day);

// The question before storing a day within the period.
QString warningText(const Period& period);
QString warningTitle();

// The withdrawal days left seen from `today`, today included: 1 on the last day, 0 after it.
int daysLeft(const QDate& end, const QDate& today);
// "휴약 N일 남음".
QString daysLeftText(int days);

// The treatments of `animal` with their end dates (all of them).
BoundStatement treatmentsQuery(const QString& animal);
// Reads them; throws DbError.
QList<Treatment> treatmentsOf(const QString& animal);
// The treatment row of a query made from treatmentsQuery's columns, starting at `first`:
// 날짜, 처치, 만료일.
Treatment treatmentAt(const QSqlQuery& q, int first);

}  // namespace withdrawal
