// The 차트 tab of 성적분석: what its charts hold never grows with a target, whatever was typed or
// stored; a month of 0 % and a month without a known outcome look different; and on the sample
// farm at the window's smallest size (1280×800), over a year, six years and thirty years, the
// month axis keeps a few short labels. With TARVIK_SHOTS set to a folder, each tab of each
// window is saved there as a PNG to look at.
#include "analysis/AnalysisCharts.h"
#include "analysis/AnalysisWindow.h"
#include "analysis/model/AnalysisTables.h"
#include "analysis/model/ChartLayout.h"
#include "books/BookFixture.h"
#include "data/SampleFarm.h"

#include <QAbstractBarSeries>
#include <QApplication>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QDir>
#include <QFontMetrics>
#include <QLineSeries>
#include <QScatterSeries>
#include <QTabWidget>
#include <QTest>
#include <cmath>
#include <limits>

using namespace analysis;

namespace {

// Targets typed or stored wrongly, as a tester found them, and the edges of the range.
const double kOddTargets[] = {99999999999,  1000000, 36500, 100000,
                              5000,         -365,    0,     std::numeric_limits<double>::infinity(),
                              std::nan(""), 300,     500};

FertilityResult herdWithIntervals(std::vector<int> days)
{
    FertilityResult r;
    r.calvingIntervals = std::move(days);
    r.calvingInterval = {380, int(r.calvingIntervals.size())};
    return r;
}

// Month `i` of 2009 ("2009-01" ...) with `services` known outcomes and `conceptions`.
ConceptionRow month(int i, int services, int conceptions)
{
    return {QStringLiteral("2009-%1").arg(i, 2, 10, QChar(u'0')), services, conceptions, 0};
}

std::vector<ConceptionRow> monthsFrom(int year, int month, int count)
{
    std::vector<ConceptionRow> months;
    for (int i = 0; i < count; ++i) {
        const int m = (month - 1 + i) % 12 + 1, y = year + (month - 1 + i) / 12;
        months.push_back({QStringLiteral("%1-%2").arg(y).arg(m, 2, 10, QChar(u'0')), 1, 1, 0});
    }
    return months;
}

QStringList texts(const std::vector<AxisLabel>& labels)
{
    QStringList out;
    for (const AxisLabel& l : labels) out << l.text;
    return out;
}

}  // namespace

TEST(ChartLayout, NoBarLabelOrTableRowFollowsTheTarget)
{
    const std::vector<int> days{305, 359, 365, 366, 512, 30000};
    const IntervalBars usual = intervalBars(days, 365);
    ASSERT_TRUE(usual.targetAt.has_value());
    EXPECT_DOUBLE_EQ(*usual.targetAt, 6.0);  // 365 is the middle of the class 360~369
    EXPECT_EQ(usual.counts[0], 1);
    EXPECT_EQ(usual.counts[5], 1);
    EXPECT_EQ(usual.counts[6], 2);
    EXPECT_EQ(usual.counts[kIntervalBars - 1], 2);  // 512 and a 30000-day typo share the last bar
    EXPECT_EQ(usual.most, 2);
    EXPECT_EQ(texts(usual.labels), (QStringList{"300", "350", "400", "450", "500~"}));

    const std::vector<ShownTable> usualTables = fertilityTables(herdWithIntervals(days), defaultTargets());
    for (double target : kOddTargets) {
        SCOPED_TRACE(target);
        const IntervalBars b = intervalBars(days, target);
        EXPECT_EQ(b.counts, usual.counts);
        EXPECT_EQ(b.labels, usual.labels);
        EXPECT_EQ(b.targetAt.has_value(), target >= 300 && target <= 500);
        Targets t = defaultTargets();
        for (TargetFigure f : kTargetFigures) t[f] = target;
        const std::vector<ShownTable> tables = fertilityTables(herdWithIntervals(days), t);
        ASSERT_EQ(tables.size(), usualTables.size());
        for (size_t i = 0; i < tables.size(); ++i) EXPECT_EQ(tables[i].rows.size(), usualTables[i].rows.size());
    }
}

TEST(ChartLayout, MonthLabelsStayFewAndShort)
{
    const struct {
        int year, month, count, most;
        QStringList labels;
    } cases[] = {
        {2009,
         1,
         12,
         13,
         {"09.1", "09.2", "09.3", "09.4", "09.5", "09.6", "09.7", "09.8", "09.9", "09.10", "09.11", "09.12"}},
        {2008, 12, 13, 9, {"09.1", "09.3", "09.5", "09.7", "09.9", "09.11"}},
        {2004,
         1,
         72,
         12,
         {"04.1", "04.7", "05.1", "05.7", "06.1", "06.7", "07.1", "07.7", "08.1", "08.7", "09.1", "09.7"}},
        {2004, 1, 72, 9, {"2004", "2005", "2006", "2007", "2008", "2009"}},
        {1980, 1, 360, 9, {"1980", "1985", "1990", "1995", "2000", "2005"}},
        {1900, 1, 1320, 9, {"1900", "1920", "1940", "1960", "1980", "2000"}},
        {2009, 5, 3, 9, {"09.5", "09.6", "09.7"}},
        {2009, 5, 3, 1, {"09.7"}},
        {2009, 2, 2, 1, {"09.3"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.count);
        const std::vector<ConceptionRow> months = monthsFrom(c.year, c.month, c.count);
        const std::vector<AxisLabel> labels = monthLabels(months, c.most);
        EXPECT_EQ(texts(labels), c.labels);
        EXPECT_LE(int(labels.size()), c.most);
        for (const AxisLabel& l : labels) EXPECT_LE(l.text.size(), 5) << l.text.toStdString();
    }
    EXPECT_TRUE(monthLabels({}, 9).empty());
}

namespace {

class AnalysisChartsTest : public BookTest {
protected:
    AnalysisChartsTest()
    {
        SampleFarmOptions o;
        o.today = kToday;
        o.animals = 300;
        EXPECT_EQ(writeSampleFarm(gConn, o), QString());
    }

    // The window over `from`..`to` on its 차트 tab, drawn; saved as `name`.png when asked.
    void shoot(AnalysisWindow& w, const QDate& from, const QDate& to, const char* name)
    {
        w.resize(1280, 800);
        w.show();
        w.setPeriod(from, to);
        w.query();
        ASSERT_TRUE(w.hasResult());
        const QString dir = qEnvironmentVariable("TARVIK_SHOTS");
        for (int tab = dir.isEmpty() ? 2 : 0; tab < 3; ++tab) {
            w.tabs()->setCurrentIndex(tab);
            QTest::qWait(50);  // the charts lay themselves out in posted events
            if (dir.isEmpty()) continue;
            QDir().mkpath(dir);
            const QString file = QStringLiteral("%1-%2.png").arg(QString::fromUtf8(name)).arg(tab);
            EXPECT_TRUE(w.grab().save(QDir(dir).filePath(file)));
        }
    }
};

}  // namespace

TEST_F(AnalysisChartsTest, TheChartsStayTheirSizeWithAnyTargetAndShowAMonthOfNoneApartFromZero)
{
    HerdAnalysis a;
    a.fertility.calvingIntervals = {330, 365, 401, 700};
    // January 0 of 4 conceived, February without a known outcome, March 3 of 4.
    a.fertility.byMonth = {month(1, 4, 0), month(2, 0, 0), month(3, 4, 3)};
    for (double target : kOddTargets) {
        SCOPED_TRACE(target);
        AnalysisCharts charts;
        Targets t = defaultTargets();
        t[TargetFigure::CalvingInterval] = target;
        t[TargetFigure::ConceptionRate] = target;
        charts.showResult(a, t);
        QChart* interval = charts.intervalChart();
        auto* bars = qobject_cast<QAbstractBarSeries*>(interval->series().value(0));
        ASSERT_TRUE(bars);
        EXPECT_EQ(bars->barSets().value(0)->count(), kIntervalBars);
        auto* x = qobject_cast<QCategoryAxis*>(interval->axes(Qt::Horizontal).value(0));
        ASSERT_TRUE(x);
        EXPECT_EQ(x->categoriesLabels(), (QStringList{"300", "350", "400", "450", "500~"}));
        EXPECT_EQ(interval->series().size(), target >= 300 && target <= 500 ? 2 : 1);  // the target line
    }

    AnalysisCharts charts;
    charts.showResult(a, defaultTargets());
    QChart* months = charts.monthChart();
    auto* bars = qobject_cast<QAbstractBarSeries*>(months->series().value(0));
    ASSERT_TRUE(bars);
    ASSERT_EQ(bars->barSets().size(), 2);
    EXPECT_EQ(bars->barSets()[0]->label(), QStringLiteral("수태율"));
    EXPECT_EQ(bars->barSets()[1]->label(), QStringLiteral("결과 없음"));
    const auto values = [](const QBarSet* set) {
        QList<double> v;
        for (int i = 0; i < set->count(); ++i) v << set->at(i);
        return v;
    };
    EXPECT_EQ(values(bars->barSets()[0]), (QList<double>{0, 0, 75}));
    EXPECT_EQ(values(bars->barSets()[1]), (QList<double>{0, 100, 0}));  // a pale column: no outcome
    auto* points = qobject_cast<QScatterSeries*>(months->series().value(1));
    ASSERT_TRUE(points);
    EXPECT_EQ(points->points(), (QList<QPointF>{{0, 0}, {2, 75}}));  // 0 % is a point on the floor
}

TEST_F(AnalysisChartsTest, ChartsAtTheSmallestWindow)
{
    {
        AnalysisWindow w;
        shoot(w, QDate(2008, 12, 9), QDate(2009, 12, 8), "charts-12-months");
    }
    {
        AnalysisWindow w;
        shoot(w, QDate(2004, 1, 1), QDate(2009, 12, 31), "charts-6-years");
    }
    AnalysisWindow w;
    shoot(w, QDate(1980, 1, 1), QDate(2009, 12, 31), "charts-30-years");
    auto* x = qobject_cast<QCategoryAxis*>(w.charts()->monthChart()->axes(Qt::Horizontal).value(0));
    ASSERT_TRUE(x);
    EXPECT_EQ(x->categoriesLabels(), (QStringList{"1980", "1985", "1990", "1995", "2000", "2005"}));
    shoot(w, QDate(2009, 1, 1), QDate(2009, 12, 31), "charts-again-12-months");
    // As many months as fit side by side whole in the axis's font (how many depends on the
    // font the machine has); a wider window shows each.
    x = qobject_cast<QCategoryAxis*>(w.charts()->monthChart()->axes(Qt::Horizontal).value(0));
    ASSERT_TRUE(x);
    const QStringList months = {"09.1", "09.2", "09.3", "09.4",  "09.5",  "09.6",
                                "09.7", "09.8", "09.9", "09.10", "09.11", "09.12"};
    const QStringList shown = x->categoriesLabels();
    ASSERT_GE(shown.size(), 2);
    EXPECT_EQ(shown.first(), "09.1");
    for (const QString& label : shown) EXPECT_TRUE(months.contains(label)) << label.toStdString();
    const QFontMetrics metrics(x->labelsFont());
    int room = 0;
    for (const QString& label : shown) room += metrics.horizontalAdvance(label);
    EXPECT_LE(room, w.charts()->monthChart()->plotArea().width());
    w.resize(1900, 1000);
    QTest::qWait(50);
    EXPECT_EQ(x->categoriesLabels().size(), 12);
}
