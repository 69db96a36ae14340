#include "analysis/AnalysisCharts.h"

#include "analysis/model/ChartLayout.h"
#include "kit/Accessibility.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QFontMetrics>
#include <QGridLayout>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPercentBarSeries>
#include <QScatterSeries>
#include <QStackedBarSeries>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

using namespace analysis;

namespace {
// Room the month chart's y axis and margins take beside its plot.
constexpr int kMonthAxisRoomPx = 90;

void clearChart(QChart* chart)
{
    chart->removeAllSeries();
    for (QAbstractAxis* axis : chart->axes()) {
        chart->removeAxis(axis);
        delete axis;
    }
}

// An x axis on the bar scale (bar i at i) with a label only where `labels` put one, so that a
// long period keeps a few readable labels rather than hundreds that cannot be.
void setLabels(QCategoryAxis* axis, const std::vector<AxisLabel>& labels)
{
    for (const QString& old : axis->categoriesLabels()) axis->remove(old);
    for (const AxisLabel& l : labels) axis->append(l.text, l.at);
}

QCategoryAxis* barAxis(const QString& title, int bars, const std::vector<AxisLabel>& labels)
{
    auto* axis = new QCategoryAxis;
    axis->setTitleText(title);
    axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    axis->setRange(-0.5, bars - 0.5);
    axis->setStartValue(-0.5);
    setLabels(axis, labels);
    axis->setGridLineVisible(false);
    return axis;
}

QValueAxis* countAxis(double most)
{
    auto* axis = new QValueAxis;
    axis->setLabelFormat(QStringLiteral("%d"));
    // Whole steps, at most five of them.
    const int top = std::max(1, int(std::ceil(most)));
    const int step = std::max(1, (top + 4) / 5);
    const int steps = (top + step - 1) / step;
    axis->setRange(0, steps * step);
    axis->setTickCount(steps + 1);
    return axis;
}

QValueAxis* percentAxis()
{
    auto* axis = new QValueAxis;
    axis->setRange(0, 100);
    axis->setTickCount(6);
    axis->setLabelFormat(QStringLiteral("%d%%"));
    return axis;
}

QLineSeries* targetLine(const QString& name)
{
    auto* line = new QLineSeries;
    line->setName(name);
    QPen pen(QColor(192, 38, 45));
    pen.setWidth(2);
    pen.setStyle(Qt::DashLine);
    line->setPen(pen);
    return line;
}

QString decimal(double v)
{
    return QString::number(v, 'f', 1).remove(QStringLiteral(".0"));
}
}  // namespace

AnalysisCharts::AnalysisCharts(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("pg차트"));
    m_interval = new QChart;
    m_month = new QChart;
    m_grade = new QChart;
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(4, 4, 4, 4);
    grid->setSpacing(6);
    grid->addWidget(chartView(m_interval, QStringLiteral("차트분만간격"), QStringLiteral("분만간격 분포")), 0, 0);
    m_monthView = chartView(m_month, QStringLiteral("차트월별수태율"), QStringLiteral("월별 수태율"));
    grid->addWidget(m_monthView, 0, 1);
    grid->addWidget(chartView(m_grade, QStringLiteral("차트아비별등급"), QStringLiteral("아비별 육질등급 비율")), 1, 0,
                    1, 2);
    grid->setRowStretch(0, 1);
    grid->setRowStretch(1, 1);
    m_interval->setTitle(QStringLiteral("분만간격 분포 (조회 전)"));
    m_month->setTitle(QStringLiteral("월별 수태율 (조회 전)"));
    m_grade->setTitle(QStringLiteral("아비별 육질등급 비율 (조회 전)"));
}

QChartView* AnalysisCharts::chartView(QChart* chart, const QString& name, const QString& heard)
{
    QFont title = chart->titleFont();
    title.setPointSizeF(11);
    title.setBold(true);
    chart->setTitleFont(title);
    chart->setMargins(QMargins(4, 4, 4, 4));
    chart->setBackgroundRoundness(0);
    chart->legend()->setAlignment(Qt::AlignBottom);
    auto* view = new QChartView(chart, this);
    nameControl(view, name, heard);
    view->setRenderHint(QPainter::Antialiasing);
    view->setMinimumSize(320, 220);
    return view;
}

void AnalysisCharts::showResult(const HerdAnalysis& a, const Targets& targets)
{
    showIntervals(a.fertility.calvingIntervals, targets[TargetFigure::CalvingInterval]);
    showMonths(a.fertility.byMonth, targets[TargetFigure::ConceptionRate]);
    showGrades(a.shipment.bySire);
}

void AnalysisCharts::showIntervals(const std::vector<int>& days, double target)
{
    clearChart(m_interval);
    if (days.empty()) {
        m_interval->setTitle(QStringLiteral("분만간격 분포 (자료 없음)"));
        return;
    }
    m_interval->setTitle(QStringLiteral("분만간격 분포 (%1건)").arg(days.size()));
    // The same bars whatever the period and the target: the distributions of two periods compare.
    const IntervalBars b = intervalBars(days, target);
    auto* set = new QBarSet(QStringLiteral("분만 수 (건)"));
    for (int n : b.counts) *set << n;
    auto* bars = new QBarSeries;
    bars->append(set);
    bars->setBarWidth(0.9);
    m_interval->addSeries(bars);

    QCategoryAxis* x = barAxis(QStringLiteral("분만간격 (일)"), kIntervalBars, b.labels);
    QValueAxis* y = countAxis(b.most);
    m_interval->addAxis(x, Qt::AlignBottom);
    m_interval->addAxis(y, Qt::AlignLeft);
    bars->attachAxis(x);
    bars->attachAxis(y);

    if (!b.targetAt) return;  // only a target read past its range check can lie outside
    QLineSeries* line = targetLine(QStringLiteral("목표 %1일").arg(decimal(target)));
    line->append(*b.targetAt, 0);
    line->append(*b.targetAt, y->max());
    m_interval->addSeries(line);
    line->attachAxis(x);
    line->attachAxis(y);
}

void AnalysisCharts::showMonths(const std::vector<ConceptionRow>& months, double target)
{
    clearChart(m_month);
    m_months.clear();
    int known = 0;
    for (const ConceptionRow& m : months) known += m.services;
    if (months.empty() || known == 0) {
        m_month->setTitle(QStringLiteral("월별 수태율 (자료 없음)"));
        return;
    }
    m_month->setTitle(QStringLiteral("월별 수태율 (결과를 아는 수정 %1건)").arg(known));
    // A month without a known outcome is a pale column, a month of 0 % a point on the floor: the
    // two never look alike.
    auto* rate = new QBarSet(QStringLiteral("수태율"));
    rate->setColor(QColor(70, 130, 180));
    auto* none = new QBarSet(QStringLiteral("결과 없음"));
    none->setColor(QColor(228, 228, 228));
    none->setBorderColor(QColor(228, 228, 228));
    auto* points = new QScatterSeries;
    points->setColor(QColor(30, 70, 120));
    points->setBorderColor(QColor(30, 70, 120));
    points->setMarkerSize(months.size() > 60 ? 4 : 7);
    for (size_t i = 0; i < months.size(); ++i) {
        const bool hasData = months[i].services > 0;
        *rate << (hasData ? months[i].rate() : 0.0);
        *none << (hasData ? 0.0 : 100.0);
        if (hasData) points->append(double(i), months[i].rate());
    }
    auto* bars = new QStackedBarSeries;
    bars->append(rate);
    bars->append(none);
    bars->setBarWidth(0.8);
    m_month->addSeries(bars);
    m_month->addSeries(points);
    const int n = int(months.size());
    m_months = months;
    QCategoryAxis* x = barAxis(QStringLiteral("수정월"), n, {});
    QValueAxis* y = percentAxis();
    m_month->addAxis(x, Qt::AlignBottom);
    m_month->addAxis(y, Qt::AlignLeft);
    setLabels(x, monthLabels(months, mostMonthLabels(x)));  // in the font the chart gave the axis
    for (QAbstractSeries* s : std::initializer_list<QAbstractSeries*>{bars, points}) {
        s->attachAxis(x);
        s->attachAxis(y);
    }
    for (QLegendMarker* marker : m_month->legend()->markers(points)) marker->setVisible(false);

    if (!(target >= 0 && target <= 100)) return;  // only a target read past its range check
    QLineSeries* line = targetLine(QStringLiteral("목표 %1%").arg(decimal(target)));
    line->append(-0.5, target);
    line->append(n - 0.5, target);
    m_month->addSeries(line);
    line->attachAxis(x);
    line->attachAxis(y);
}

int AnalysisCharts::mostMonthLabels(const QCategoryAxis* axis) const
{
    // The widest label ("09.12") and some air between two.
    const QFontMetrics metrics(axis->labelsFont());
    const int each = metrics.horizontalAdvance(QStringLiteral("00.00")) + 12;
    return std::max(2, (m_monthView->width() - kMonthAxisRoomPx) / each);
}

void AnalysisCharts::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (m_months.empty()) return;
    for (QAbstractAxis* axis : m_month->axes(Qt::Horizontal))
        if (auto* x = qobject_cast<QCategoryAxis*>(axis)) setLabels(x, monthLabels(m_months, mostMonthLabels(x)));
}

void AnalysisCharts::showGrades(const std::vector<ShipmentRow>& sires)
{
    clearChart(m_grade);
    std::vector<const ShipmentRow*> shown;
    for (const ShipmentRow& r : sires)
        if (r.qualityHead > 0 && int(shown.size()) < kMostSires) shown.push_back(&r);
    if (shown.empty()) {
        m_grade->setTitle(QStringLiteral("아비별 육질등급 비율 (자료 없음)"));
        return;
    }
    m_grade->setTitle(
        sires.size() > shown.size()
            ? QStringLiteral("아비별 육질등급 비율과 평균 근내지방 (두수가 많은 %1개 아비)").arg(shown.size())
            : QStringLiteral("아비별 육질등급 비율과 평균 근내지방"));
    // From the best grade to the lowest, dark to light.
    const QColor colors[kQualityGrades] = {QColor(120, 30, 40), QColor(190, 70, 60), QColor(235, 150, 90),
                                           QColor(180, 190, 200), QColor(120, 130, 140)};
    auto* bars = new QPercentBarSeries;
    QStringList categories;
    for (int g = 0; g < kQualityGrades; ++g) {
        auto* set = new QBarSet(qualityGradeName(g) + QStringLiteral("등급"));
        set->setColor(colors[g]);
        for (const ShipmentRow* r : shown) *set << r->quality[size_t(g)];
        bars->append(set);
    }
    for (const ShipmentRow* r : shown) categories << QStringLiteral("%1 (%2두)").arg(r->label).arg(r->qualityHead);
    bars->setBarWidth(0.6);
    m_grade->addSeries(bars);
    auto* x = new QBarCategoryAxis;
    x->append(categories);
    x->setTitleText(QStringLiteral("아비 (정액번호, 등급을 읽은 두수)"));
    QValueAxis* y = percentAxis();
    m_grade->addAxis(x, Qt::AlignBottom);
    m_grade->addAxis(y, Qt::AlignLeft);
    bars->attachAxis(x);
    bars->attachAxis(y);

    auto* marbling = new QLineSeries;
    // The right scale names itself in the legend: an axis title there would be cut.
    marbling->setName(QStringLiteral("평균 근내지방 (오른쪽 눈금)"));
    QPen pen(QColor(20, 60, 140));
    pen.setWidth(3);
    marbling->setPen(pen);
    marbling->setPointsVisible(true);
    for (size_t i = 0; i < shown.size(); ++i)
        if (shown[i]->marbling.hasValue()) marbling->append(double(i), shown[i]->marbling.value);
    // 0 to 9 in steps of 3: ten labels do not fit the chart's height at the smallest window.
    auto* right = new QValueAxis;
    right->setRange(0, 9);
    right->setTickCount(4);
    right->setLabelFormat(QStringLiteral("%d"));
    m_grade->addSeries(marbling);
    m_grade->addAxis(right, Qt::AlignRight);
    marbling->attachAxis(x);
    marbling->attachAxis(right);
}
