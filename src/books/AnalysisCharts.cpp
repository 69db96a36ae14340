#include "books/AnalysisCharts.h"

#include "kit/Accessibility.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QGridLayout>
#include <QLineSeries>
#include <QPercentBarSeries>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

using namespace analysis;

namespace {
constexpr int kClassDays = 10;
// The calving intervals a farm meets: a shorter or longer one is rare and gathered at the ends.
constexpr int kShownFrom = 300;
constexpr int kShownTo = 490;

void clearChart(QChart* chart)
{
    chart->removeAllSeries();
    for (QAbstractAxis* axis : chart->axes()) {
        chart->removeAxis(axis);
        delete axis;
    }
}

// Category labels stand on end when there are too many to read side by side.
void turnCrowdedLabels(QBarCategoryAxis* axis, int count)
{
    if (count > 12) axis->setLabelsAngle(-90);
}

QValueAxis* countAxis(const QString& title, double most)
{
    auto* axis = new QValueAxis;
    axis->setTitleText(title);
    axis->setLabelFormat(QStringLiteral("%d"));
    // Whole steps, at most five of them.
    const int top = std::max(1, int(std::ceil(most)));
    const int step = std::max(1, (top + 4) / 5);
    const int steps = (top + step - 1) / step;
    axis->setRange(0, steps * step);
    axis->setTickCount(steps + 1);
    return axis;
}

QString decimal(double v)
{
    return QString::number(v, 'f', 1);
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
    grid->addWidget(chartView(m_month, QStringLiteral("차트월별수태율"), QStringLiteral("월별 수태율")), 0, 1);
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
    const std::vector<IntervalClass> classes = intervalClasses(days, kClassDays);
    if (classes.empty()) {
        m_interval->setTitle(QStringLiteral("분만간격 분포 (자료 없음)"));
        return;
    }
    m_interval->setTitle(QStringLiteral("분만간격 분포 (%1건)").arg(days.size()));
    // The classes from kShownFrom to kShownTo, and the target's, each a bar; the rare longer
    // or shorter intervals gathered at either end, so that every label can be read.
    const int targetFrom = int(target) / kClassDays * kClassDays;
    const int first = std::min(kShownFrom, targetFrom);
    const int last = std::max(kShownTo, targetFrom);
    int below = 0, above = 0;
    std::vector<IntervalClass> shown;
    const int start = std::min(std::max(first, classes.front().from), targetFrom);
    const int end = std::max(std::min(last, classes.back().from), targetFrom);
    for (int from = start; from <= end; from += kClassDays) shown.push_back({from, 0});
    for (const IntervalClass& c : classes) {
        if (c.from < shown.front().from)
            below += c.count;
        else if (c.from > shown.back().from)
            above += c.count;
        else
            shown[size_t((c.from - shown.front().from) / kClassDays)].count += c.count;
    }

    auto* set = new QBarSet(QStringLiteral("분만 수"));
    QStringList categories;
    int most = std::max(below, above);
    if (below > 0) {
        *set << below;
        categories << QStringLiteral("%1 미만").arg(shown.front().from);
    }
    for (const IntervalClass& c : shown) {
        *set << c.count;
        categories << QString::number(c.from);
        most = std::max(most, c.count);
    }
    if (above > 0) {
        *set << above;
        categories << QStringLiteral("%1 이상").arg(shown.back().from + kClassDays);
    }
    auto* bars = new QBarSeries;
    bars->append(set);
    bars->setBarWidth(0.9);
    m_interval->addSeries(bars);

    auto* x = new QBarCategoryAxis;
    x->append(categories);
    x->setTitleText(QStringLiteral("분만간격 (일, 10일 구간의 시작)"));
    turnCrowdedLabels(x, int(categories.size()));
    QValueAxis* y = countAxis(QStringLiteral("분만 수 (건)"), most);
    m_interval->addAxis(x, Qt::AlignBottom);
    m_interval->addAxis(y, Qt::AlignLeft);
    bars->attachAxis(x);
    bars->attachAxis(y);

    // Category i spans i - 0.5 .. i + 0.5 on the axis and holds days from .. from + 9.
    const double at = (below > 0 ? 1 : 0) + (target - shown.front().from) / kClassDays - 0.5;
    auto* line = new QLineSeries;
    line->setName(QStringLiteral("목표 %1일").arg(decimal(target).remove(QStringLiteral(".0"))));
    line->append(at, 0);
    line->append(at, y->max());
    QPen pen(QColor(192, 38, 45));
    pen.setWidth(2);
    pen.setStyle(Qt::DashLine);
    line->setPen(pen);
    m_interval->addSeries(line);
    line->attachAxis(x);
    line->attachAxis(y);
}

void AnalysisCharts::showMonths(const std::vector<ConceptionRow>& months, double target)
{
    clearChart(m_month);
    int known = 0;
    for (const ConceptionRow& m : months) known += m.services;
    if (months.empty() || known == 0) {
        m_month->setTitle(QStringLiteral("월별 수태율 (자료 없음)"));
        return;
    }
    m_month->setTitle(QStringLiteral("월별 수태율 (결과를 아는 수정 %1건)").arg(known));
    auto* set = new QBarSet(QStringLiteral("수태율 (%)"));
    set->setColor(QColor(70, 130, 180));
    QStringList categories;
    for (const ConceptionRow& m : months) {
        *set << (m.services > 0 ? m.rate() : 0.0);
        // "2009-03" as "09-03": twelve months fit side by side.
        categories << (m.label.size() == 7 ? m.label.mid(2) : m.label);
    }
    auto* bars = new QBarSeries;
    bars->append(set);
    m_month->addSeries(bars);
    auto* x = new QBarCategoryAxis;
    x->append(categories);
    x->setTitleText(QStringLiteral("수정월"));
    turnCrowdedLabels(x, int(categories.size()));
    auto* y = new QValueAxis;
    y->setRange(0, 100);
    y->setTickCount(6);
    y->setLabelFormat(QStringLiteral("%d"));
    y->setTitleText(QStringLiteral("수태율 (%)"));
    m_month->addAxis(x, Qt::AlignBottom);
    m_month->addAxis(y, Qt::AlignLeft);
    bars->attachAxis(x);
    bars->attachAxis(y);

    auto* line = new QLineSeries;
    line->setName(QStringLiteral("목표 %1%").arg(decimal(target).remove(QStringLiteral(".0"))));
    line->append(-0.5, target);
    line->append(double(categories.size()) - 0.5, target);
    QPen pen(QColor(192, 38, 45));
    pen.setWidth(2);
    pen.setStyle(Qt::DashLine);
    line->setPen(pen);
    m_month->addSeries(line);
    line->attachAxis(x);
    line->attachAxis(y);
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
    auto* y = new QValueAxis;
    y->setRange(0, 100);
    y->setTickCount(6);
    y->setLabelFormat(QStringLiteral("%d"));
    y->setTitleText(QStringLiteral("등급 비율 (%)"));
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
    auto* right = new QValueAxis;
    right->setRange(0, 9);
    right->setTickCount(10);
    right->setLabelFormat(QStringLiteral("%d"));
    m_grade->addSeries(marbling);
    m_grade->addAxis(right, Qt::AlignRight);
    marbling->attachAxis(x);
    marbling->attachAxis(right);
}
