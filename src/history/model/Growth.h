#pragma once
// An animal's growth from its weighings (the weight column of the weighing and ultrasound
// grid): live weight against age in months, and the average daily gain between weighings and
// over its life. Free of any window; the chart beside the grid draws what this computes.
#include <QDate>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <optional>

namespace growth {

struct Weighing {
    QDate date;
    double kg = 0;
    bool operator==(const Weighing&) const = default;
};

// The weighings of grid rows given as (date cell, weight cell): a row counts when its date cell
// shows a date and its weight is a number above 0 (an empty weight is stored and reloaded as 0).
// Ordered by date, whatever the order of the rows; of two rows of one date the later row.
QList<Weighing> weighings(const QList<QPair<QString, QString>>& rows);

// Age in months on `day` of an animal born on `birth`: days of age over the average month.
double monthsOfAge(const QDate& birth, const QDate& day);

struct Point {
    double months = 0;
    double kg = 0;
    bool operator==(const Point&) const = default;
};
// One point per weighing on or after the birth date (one before it is a slip of the pen).
QList<Point> points(const QList<Weighing>& weighings, const QDate& birth);

struct Gain {
    QDate from, to;
    double kgPerDay = 0;
    bool operator==(const Gain&) const = default;
};
// Between each two consecutive weighings (kg gained, or lost, per day between them).
QList<Gain> gains(const QList<Weighing>& weighings);
// Over the whole life: the last weight per day of age (the birth weight is not recorded, so
// the gain is counted from nothing). None without a birth date or a weighing after it.
std::optional<double> lifetimeGain(const QList<Weighing>& weighings, const QDate& birth);

// What stands in place of the chart when it cannot be drawn; "" when it can.
QString chartNote(const QList<Point>& points, const QDate& birth);
// The lines under the chart: the whole life first, then one per pair of consecutive weighings.
QStringList gainLines(const QList<Weighing>& weighings, const QDate& birth);

}  // namespace growth
