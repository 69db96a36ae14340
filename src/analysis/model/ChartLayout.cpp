#include "analysis/model/ChartLayout.h"

#include <algorithm>
#include <cmath>

namespace analysis {

IntervalBars intervalBars(const std::vector<int>& days, double target)
{
    IntervalBars b;
    for (int d : days) {
        if (d < kChartFirstDay) continue;  // set aside before it gets here; never drawn
        const int bar = std::min((d - kChartFirstDay) / kChartClassDays, kIntervalBars - 1);
        ++b.counts[size_t(bar)];
    }
    b.most = *std::max_element(b.counts.begin(), b.counts.end());
    if (std::isfinite(target) && target >= kChartFirstDay && target <= kChartLastDay)
        b.targetAt = (target - kChartFirstDay) / kChartClassDays - 0.5;
    for (int day = kChartFirstDay; day < kChartLastDay; day += 50)
        b.labels.push_back({double(day - kChartFirstDay) / kChartClassDays - 0.5, QString::number(day)});
    b.labels.push_back({double(kIntervalBars - 1), QStringLiteral("%1~").arg(kChartLastDay)});
    return b;
}

namespace {
struct Month {
    int year = 0;
    int month = 0;  // 1..12
};

Month monthOf(const QString& label)
{
    return {label.left(4).toInt(), label.mid(5, 2).toInt()};
}

// "09.3"
QString shortMonth(const Month& m)
{
    return QStringLiteral("%1.%2").arg(m.year % 100, 2, 10, QChar(u'0')).arg(m.month);
}

std::vector<AxisLabel> labelsEvery(const std::vector<ConceptionRow>& months, int step)
{
    std::vector<AxisLabel> labels;
    for (size_t i = 0; i < months.size(); ++i) {
        const Month m = monthOf(months[i].label);
        if (step < 12) {
            if ((m.month - 1) % step == 0) labels.push_back({double(i), shortMonth(m)});
        } else if (m.month == 1 && m.year % (step / 12) == 0) {
            labels.push_back({double(i), QString::number(m.year)});
        }
    }
    return labels;
}
}  // namespace

std::vector<AxisLabel> monthLabels(const std::vector<ConceptionRow>& months, int mostLabels)
{
    if (months.empty()) return {};
    mostLabels = std::max(mostLabels, 1);
    std::vector<int> steps{1, 2, 3, 6};
    for (int years = 1; years <= 10000; years *= 10)
        for (int n : {1, 2, 5}) steps.push_back(12 * n * years);
    for (int step : steps) {
        std::vector<AxisLabel> labels = labelsEvery(months, step);
        // A short period may hold no aligned month or January: its first month names it.
        if (labels.empty()) labels = {{0, shortMonth(monthOf(months.front().label))}};
        if (int(labels.size()) <= mostLabels) return labels;
    }
    return {{0, shortMonth(monthOf(months.front().label))}};
}

}  // namespace analysis
