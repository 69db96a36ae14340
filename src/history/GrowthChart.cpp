#include "history/GrowthChart.h"

#include "history/CheckedDateEdit.h"
#include "history/HistoryTab.h"
#include "kit/Accessibility.h"
#include "kit/Grid.h"

#include <QChart>
#include <QChartView>
#include <QDateEdit>
#include <QGraphicsLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineSeries>
#include <QPointer>
#include <QScatterSeries>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {

// Low enough that eight weighings stay in view above the chart on a 1280×800 screen; the axes
// and a readable curve still fit.
constexpr int kChartMinHeight = 130;
// A round upper end for an axis: the next multiple of `step` above `v` (at least one step).
double roundedUp(double v, double step)
{
    return std::max(step, std::ceil(v / step) * step);
}

// Round ticks a farmer reads at a glance, few enough that none is squeezed out of a short
// chart: about ten ages, every 3, 6, 12 or 24 months; about six weights, every 50, 100
// or 200 kg.
double monthStep(double lastMonth)
{
    return lastMonth > 120 ? 24 : lastMonth > 60 ? 12 : lastMonth > 30 ? 6 : 3;
}
double kgStep(double top)
{
    return top > 500 ? 200 : top > 250 ? 100 : 50;
}

// An axis from 0 to `top` with a tick every `step`. The ticks follow from the interval rather
// than from a count, so a new range never keeps labels or grid lines of the old one.
void setAxis(QValueAxis* axis, double top, double step)
{
    axis->setTickAnchor(0);
    axis->setTickInterval(step);
    axis->setRange(0, top);
}
}  // namespace

GrowthChart::GrowthChart(const HistoryTab& weights, std::function<QDate()> birth, QWidget* parent)
    : QWidget(parent), m_weights(weights), m_birth(std::move(birth))
{
    setObjectName(u"성장곡선"_s);
    const QStringList columns = weights.definition().gridColumns();
    m_dateColumn = int(columns.indexOf(weights.definition().keyField)) + 1;
    m_weightColumn = int(columns.indexOf(u"체중"_s)) + 1;

    m_chart = new QChart;
    // No title over the curve: the tab and the axes say what it is, and the height it would take
    // belongs to the curve on a laptop screen.
    m_chart->legend()->hide();
    m_chart->setMargins(QMargins(2, 2, 4, 0));
    m_chart->layout()->setContentsMargins(0, 0, 0, 0);
    m_chart->setBackgroundRoundness(0);
    m_line = new QLineSeries;
    m_dots = new QScatterSeries;
    m_dots->setMarkerSize(8);
    m_chart->addSeries(m_line);
    m_chart->addSeries(m_dots);
    m_ageAxis = new QValueAxis;
    m_ageAxis->setTitleText(u"월령 (개월)"_s);
    m_weightAxis = new QValueAxis;
    m_weightAxis->setTitleText(u"체중 (kg)"_s);
    for (QValueAxis* axis : {m_ageAxis, m_weightAxis}) {
        axis->setLabelFormat(u"%d"_s);
        axis->setTickType(QValueAxis::TicksDynamic);
    }
    m_chart->addAxis(m_ageAxis, Qt::AlignBottom);
    m_chart->addAxis(m_weightAxis, Qt::AlignLeft);
    for (QXYSeries* s : {static_cast<QXYSeries*>(m_line), static_cast<QXYSeries*>(m_dots)}) {
        s->attachAxis(m_ageAxis);
        s->attachAxis(m_weightAxis);
    }
    m_dots->setColor(m_line->color());

    m_view = new QChartView(m_chart, this);
    nameControl(m_view, u"성장곡선차트"_s, u"월령별 체중 성장 곡선"_s);
    m_view->setRenderHint(QPainter::Antialiasing);
    m_view->setMinimumSize(300, kChartMinHeight);

    m_note = new QLabel(this);
    m_note->setObjectName(u"성장곡선안내"_s);
    m_note->setAlignment(Qt::AlignCenter);
    m_note->setWordWrap(true);
    m_note->setFrameShape(QFrame::StyledPanel);
    m_note->setMinimumSize(300, kChartMinHeight);
    m_note->setStyleSheet(u"color: rgb(90, 90, 90);"_s);

    m_gains = new QLabel;
    m_gains->setObjectName(u"일당증체량"_s);
    m_gains->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_gains->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Beside the chart, as tall as it: a dozen lines show at once; years of weighings scroll
    // rather than squeeze the chart.
    m_gainsArea = new QScrollArea(this);
    m_gainsArea->setObjectName(u"일당증체량영역"_s);
    m_gainsArea->setWidget(m_gains);
    m_gainsArea->setWidgetResizable(true);
    m_gainsArea->setFrameShape(QFrame::StyledPanel);
    m_gainsArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // As wide as the longest line, a loss included, with room for the scroll bar.
    const QString widest = u"0000-00-00 ~ 0000-00-00 : -0.00 kg/일"_s;
    m_gainsArea->setMinimumWidth(m_gains->fontMetrics().horizontalAdvance(widest) + 2 * m_gainsArea->frameWidth() +
                                 m_gainsArea->verticalScrollBar()->sizeHint().width() + 12);

    auto* chartAndNote = new QVBoxLayout;
    chartAndNote->addWidget(m_view, 1);
    chartAndNote->addWidget(m_note, 1);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addLayout(chartAndNote, 1);
    row->addWidget(m_gainsArea);
    redraw();
}

void GrowthChart::redraw()
{
    QList<QPair<QString, QString>> rows;
    const Grid* grid = m_weights.grid();
    for (int r = 1; r <= m_weights.rowCount() && r <= grid->maxRows(); ++r)
        rows << qMakePair(grid->cellText(m_dateColumn, r), grid->cellText(m_weightColumn, r));
    const QList<growth::Weighing> weighings = growth::weighings(rows);
    const QDate birth = m_birth ? m_birth() : QDate();
    const QList<growth::Point> points = growth::points(weighings, birth);

    const QString note = growth::chartNote(points, birth);
    m_note->setText(note);
    m_note->setVisible(!note.isEmpty());
    m_view->setVisible(note.isEmpty());
    QList<QPointF> xy;
    if (note.isEmpty())
        for (const growth::Point& p : points) xy << QPointF(p.months, p.kg);
    double lastMonth = 0, heaviest = 0;
    for (const QPointF& p : std::as_const(xy)) {
        lastMonth = std::max(lastMonth, p.x());
        heaviest = std::max(heaviest, p.y());
    }
    // The axes before the points, so that the points are never placed on the old ranges.
    const double months = monthStep(lastMonth), kg = kgStep(heaviest * 1.05);
    setAxis(m_ageAxis, roundedUp(lastMonth, months), months);
    setAxis(m_weightAxis, roundedUp(heaviest * 1.05, kg), kg);
    m_line->replace(xy);
    m_dots->replace(xy);
    // Laid out and painted whole now: the labels and grid lines of the old ranges go at once,
    // not at the next reload.
    m_chart->layout()->activate();
    m_view->viewport()->update();

    m_gainLines = growth::gainLines(weighings, birth);
    m_gains->setText(m_gainLines.isEmpty() ? QString() : u"일당증체량\n"_s + m_gainLines.join(u'\n'));
}

QList<QPointF> GrowthChart::plotted() const
{
    return showsChart() ? m_dots->points() : QList<QPointF>();
}

bool GrowthChart::showsChart() const
{
    return m_note->text().isEmpty();
}

QString GrowthChart::note() const
{
    return m_note->text();
}

GrowthChart* attachGrowthChart(HistoryTab* weights, CheckedDateEdit* birth)
{
    auto* chart = new GrowthChart(
        *weights, [b = QPointer<CheckedDateEdit>(birth)] { return b && b->isTicked() ? b->date() : QDate(); });
    weights->setWidgetBelow(chart);
    QObject::connect(weights, &HistoryTab::rowsChanged, chart, &GrowthChart::redraw);
    QObject::connect(birth, &CheckedDateEdit::toggled, chart, &GrowthChart::redraw);
    QObject::connect(birth->picker(), &QDateEdit::dateChanged, chart, &GrowthChart::redraw);
    return chart;
}
