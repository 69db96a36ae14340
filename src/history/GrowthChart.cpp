#include "history/GrowthChart.h"

#include "history/CheckedDateEdit.h"
#include "history/HistoryTab.h"
#include "kit/Accessibility.h"
#include "kit/Grid.h"

#include <QChart>
#include <QChartView>
#include <QDateEdit>
#include <QLabel>
#include <QLineSeries>
#include <QPointer>
#include <QScatterSeries>
#include <QScrollArea>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {
// A round upper end for an axis: the next multiple of `step` above `v` (at least one step).
double roundedUp(double v, double step)
{
    return std::max(step, std::ceil(v / step) * step);
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
    m_chart->setTitle(u"성장 곡선"_s);
    m_chart->legend()->hide();
    m_chart->setMargins(QMargins(4, 4, 4, 4));
    m_chart->setBackgroundRoundness(0);
    m_line = new QLineSeries;
    m_dots = new QScatterSeries;
    m_dots->setMarkerSize(8);
    m_chart->addSeries(m_line);
    m_chart->addSeries(m_dots);
    m_ageAxis = new QValueAxis;
    m_ageAxis->setTitleText(u"월령 (개월)"_s);
    m_ageAxis->setLabelFormat(u"%d"_s);
    m_weightAxis = new QValueAxis;
    m_weightAxis->setTitleText(u"체중 (kg)"_s);
    m_weightAxis->setLabelFormat(u"%d"_s);
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
    m_view->setMinimumSize(300, 220);

    m_note = new QLabel(this);
    m_note->setObjectName(u"성장곡선안내"_s);
    m_note->setAlignment(Qt::AlignCenter);
    m_note->setWordWrap(true);
    m_note->setFrameShape(QFrame::StyledPanel);
    m_note->setMinimumSize(300, 220);
    m_note->setStyleSheet(u"color: rgb(90, 90, 90);"_s);

    m_gains = new QLabel;
    m_gains->setObjectName(u"일당증체량"_s);
    m_gains->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_gains->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Years of weighings give many lines: they scroll rather than squeeze the chart.
    auto* gainsArea = new QScrollArea(this);
    gainsArea->setObjectName(u"일당증체량영역"_s);
    gainsArea->setWidget(m_gains);
    gainsArea->setWidgetResizable(true);
    gainsArea->setFrameShape(QFrame::NoFrame);
    gainsArea->setMaximumHeight(96);

    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(0, 0, 0, 0);
    v->addWidget(m_view, 1);
    v->addWidget(m_note, 1);
    v->addWidget(gainsArea);
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
    m_line->replace(xy);
    m_dots->replace(xy);
    double lastMonth = 0, heaviest = 0;
    for (const QPointF& p : std::as_const(xy)) {
        lastMonth = std::max(lastMonth, p.x());
        heaviest = std::max(heaviest, p.y());
    }
    // Round ticks a farmer reads at a glance: every 3 or 6 months, every 50, 100 or 200 kg.
    const double monthStep = lastMonth > 24 ? 6 : 3;
    const double months = roundedUp(lastMonth, monthStep);
    m_ageAxis->setRange(0, months);
    m_ageAxis->setTickCount(int(months / monthStep) + 1);
    const double kgStep = heaviest > 800 ? 200 : heaviest > 300 ? 100 : 50;
    const double kg = roundedUp(heaviest * 1.05, kgStep);
    m_weightAxis->setRange(0, kg);
    m_weightAxis->setTickCount(int(kg / kgStep) + 1);

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
    weights->setSideWidget(chart);
    QObject::connect(weights, &HistoryTab::rowsChanged, chart, &GrowthChart::redraw);
    QObject::connect(birth, &CheckedDateEdit::toggled, chart, &GrowthChart::redraw);
    QObject::connect(birth->picker(), &QDateEdit::dateChanged, chart, &GrowthChart::redraw);
    return chart;
}
