#pragma once
// The kind of value every table of the herd analysis shows: an average (or a rate) with how
// many values made it, how many were left out as not entered and how many are still pending.
#include <QtGlobal>
#include <cmath>

namespace analysis {

// Days in an average month: months = days ÷ 30.4375.
inline constexpr double kDaysPerMonth = 30.4375;

// `value` rounded half away from zero to `decimals` places.
inline double rounded(double value, int decimals)
{
    const double scale = std::pow(10.0, decimals);
    return std::round(value * scale) / scale;
}

// Months of a number of days, one decimal.
inline double monthsOf(double days)
{
    return rounded(days / kDaysPerMonth, 1);
}

// `part` of `whole` in per cent, one decimal; 0 when `whole` is 0.
inline double percent(int part, int whole)
{
    return whole > 0 ? rounded(100.0 * part / whole, 1) : 0.0;
}

// One shown figure. `value` is already rounded the way it is shown (see each field's comment);
// it is 0 and meaningless while n is 0.
struct Figure {
    double value = 0;
    int n = 0;         // values the figure was computed from
    int leftOut = 0;   // values left out because they were not entered (0)
    int pending = 0;   // cases whose value is not known yet (only where the field says so)
    int setAside = 0;  // values left out because no cow can have them, listed to be checked

    bool hasValue() const { return n > 0; }
    bool operator==(const Figure&) const = default;
};

// Running sum of one average. A value of 0 is "not entered": left out and counted.
class Mean {
public:
    void add(double v)
    {
        if (v == 0) {
            ++m_leftOut;
            return;
        }
        m_total += v;
        ++m_n;
    }
    void leaveOut() { ++m_leftOut; }
    void addPending() { ++m_pending; }
    void setAside() { ++m_setAside; }
    double average() const { return m_n > 0 ? m_total / m_n : 0.0; }
    // The average rounded to `decimals` places.
    Figure figure(int decimals) const { return {rounded(average(), decimals), m_n, m_leftOut, m_pending, m_setAside}; }
    // The average of days as months (one decimal).
    Figure months() const { return {m_n > 0 ? monthsOf(average()) : 0.0, m_n, m_leftOut, m_pending, m_setAside}; }

private:
    double m_total = 0;
    int m_n = 0;
    int m_leftOut = 0;
    int m_pending = 0;
    int m_setAside = 0;
};

}  // namespace analysis
