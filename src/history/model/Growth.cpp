#include "history/model/Growth.h"

#include "data/Values.h"
#include "history/model/HistoryRules.h"

#include <algorithm>

namespace growth {

namespace {
constexpr double kDaysPerMonth = 365.25 / 12;

QString dayText(const QDate& d)
{
    return formatDate(d, QStringLiteral("yyyy-mm-dd"));
}

QString kgPerDayText(double v)
{
    return QString::number(v, 'f', 2) + QStringLiteral(" kg/일");
}
}  // namespace

QList<Weighing> weighings(const QList<QPair<QString, QString>>& rows)
{
    QList<Weighing> out;
    for (const auto& [dateCell, weightCell] : rows) {
        const QDate date = entry::cellDate(dateCell);
        if (!date.isValid() || !isNumeric(weightCell)) continue;
        const double kg = numericValue(weightCell);
        if (kg <= 0) continue;
        // The key of a measurement is its date: a second row of one date replaces the first.
        const auto same = std::find_if(out.begin(), out.end(), [&](const Weighing& w) { return w.date == date; });
        if (same != out.end())
            same->kg = kg;
        else
            out << Weighing{date, kg};
    }
    std::sort(out.begin(), out.end(), [](const Weighing& a, const Weighing& b) { return a.date < b.date; });
    return out;
}

double monthsOfAge(const QDate& birth, const QDate& day)
{
    return double(birth.daysTo(day)) / kDaysPerMonth;
}

QList<Point> points(const QList<Weighing>& weighings, const QDate& birth)
{
    QList<Point> out;
    if (!birth.isValid()) return out;
    for (const Weighing& w : weighings)
        if (w.date >= birth) out << Point{monthsOfAge(birth, w.date), w.kg};
    return out;
}

QList<Gain> gains(const QList<Weighing>& weighings)
{
    QList<Gain> out;
    for (qsizetype i = 1; i < weighings.size(); ++i) {
        const Weighing& a = weighings[i - 1];
        const Weighing& b = weighings[i];
        const qint64 days = a.date.daysTo(b.date);
        if (days > 0) out << Gain{a.date, b.date, (b.kg - a.kg) / double(days)};
    }
    return out;
}

std::optional<double> lifetimeGain(const QList<Weighing>& weighings, const QDate& birth)
{
    if (!birth.isValid() || weighings.isEmpty()) return std::nullopt;
    const Weighing& last = weighings.last();
    const qint64 days = birth.daysTo(last.date);
    if (days <= 0) return std::nullopt;
    return last.kg / double(days);
}

QString chartNote(const QList<Point>& points, const QDate& birth)
{
    if (!birth.isValid()) return QStringLiteral("개체생일을 입력하면 성장 곡선을 볼 수 있습니다.");
    if (points.size() < 2) return QStringLiteral("체중 측정이 두 번 이상 있어야 성장 곡선을 볼 수 있습니다.");
    return {};
}

QStringList gainLines(const QList<Weighing>& weighings, const QDate& birth)
{
    QStringList out;
    if (const auto life = lifetimeGain(weighings, birth))
        out << QStringLiteral("평생 (체중 ÷ 일령) : ") + kgPerDayText(*life);
    for (const Gain& g : gains(weighings))
        out << QStringLiteral("%1 ~ %2 : %3").arg(dayText(g.from), dayText(g.to), kgPerDayText(g.kgPerDay));
    return out;
}

}  // namespace growth
