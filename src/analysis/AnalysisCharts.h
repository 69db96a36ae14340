#pragma once
// The 차트 tab of the herd analysis: the calving-interval distribution in 10-day classes with
// the target as a line, the conception rate by month of insemination with its target (a month
// without a known outcome a pale column, apart from a month of 0 %), and the quality-grade
// shares by sire with each sire's average marbling. What is drawn and labelled comes from
// analysis/model/ChartLayout.h.
#include "analysis/model/HerdAnalysis.h"

#include <QWidget>

class QCategoryAxis;
class QChart;
class QChartView;

class AnalysisCharts : public QWidget {
    Q_OBJECT
public:
    explicit AnalysisCharts(QWidget* parent = nullptr);

    // Draws the three charts of `a` against `targets`.
    void showResult(const analysis::HerdAnalysis& a, const analysis::Targets& targets);

    QChart* intervalChart() const { return m_interval; }  // "차트분만간격"
    QChart* monthChart() const { return m_month; }        // "차트월별수태율"
    QChart* gradeChart() const { return m_grade; }        // "차트아비별등급"

    // Sires shown in the grade chart, most head first; the others are left to the table.
    static constexpr int kMostSires = 10;

protected:
    // The month labels follow the chart's width: as many as can be read side by side.
    void resizeEvent(QResizeEvent* event) override;

private:
    QChartView* chartView(QChart* chart, const QString& name, const QString& heard);
    void showIntervals(const std::vector<int>& days, double target);
    void showMonths(const std::vector<analysis::ConceptionRow>& months, double target);
    void showGrades(const std::vector<analysis::ShipmentRow>& sires);
    int mostMonthLabels(const QCategoryAxis* axis) const;

    QChart* m_interval = nullptr;
    QChart* m_month = nullptr;
    QChart* m_grade = nullptr;
    QChartView* m_monthView = nullptr;
    std::vector<analysis::ConceptionRow> m_months;  // the month chart's bars, for its labels
};
