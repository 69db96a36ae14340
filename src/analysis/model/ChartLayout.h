#pragma once
// What the 차트 tab of the herd analysis draws, free of any widget: the bars of the calving-
// interval distribution and the labels of the axes. The number of bars and labels follows the
// data alone, never a target, and the labels are few and short enough to be read side by side
// at the window's smallest size.
#include "analysis/model/FertilityAnalysis.h"

#include <QString>
#include <array>
#include <optional>
#include <vector>

namespace analysis {

// A label of a chart's x axis at `at` on the bar scale: bar i spans i - 0.5 .. i + 0.5.
struct AxisLabel {
    double at = 0;
    QString text;
    bool operator==(const AxisLabel&) const = default;
};

// The calving-interval chart: 10-day classes from 300 days (a shorter interval is set aside as
// impossible) to 499 days, then one bar for 500 days and longer.
inline constexpr int kChartClassDays = 10;
inline constexpr int kChartFirstDay = kShortestCalvingInterval;
inline constexpr int kChartLastDay = 500;
inline constexpr int kIntervalBars = (kChartLastDay - kChartFirstDay) / kChartClassDays + 1;

struct IntervalBars {
    std::array<int, kIntervalBars> counts{};
    int most = 0;  // the highest bar
    // The target's place on the bar scale; none when it lies outside the scale.
    std::optional<double> targetAt;
    // Every 50 days at the start of its class, and "500~" under the last bar.
    std::vector<AxisLabel> labels;
};
IntervalBars intervalBars(const std::vector<int>& days, double target);

// The month chart's labels: one every 1, 2, 3 or 6 months ("09.3": March 2009, aligned to the
// year's first month) or every 1, 2, 5, 10, … years ("2009", on its January), the smallest step
// that keeps at most `mostLabels`. `months` are "yyyy-mm" in order, one bar each.
std::vector<AxisLabel> monthLabels(const std::vector<ConceptionRow>& months, int mostLabels);

}  // namespace analysis
