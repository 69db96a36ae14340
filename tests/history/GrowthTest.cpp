// Growth from the weighings: which grid rows are weighings, the chart's points by age in
// months, the daily gains; and the chart under a weighing tab's grid, redrawn as its rows
// change, never touching the grid.
#include "HistoryTabFixture.h"
#include "history/CheckedDateEdit.h"
#include "history/GrowthChart.h"
#include "history/model/Growth.h"
#include "history/model/UltrasoundHistory.h"

#include <QChartView>
#include <QGraphicsTextItem>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QValueAxis>
#include <QWindow>

using growth::Gain;
using growth::Point;
using growth::Weighing;

namespace {

const QDate kBirth(2023, 1, 1);

QList<QPair<QString, QString>> rows(std::initializer_list<std::pair<const char*, const char*>> cells)
{
    QList<QPair<QString, QString>> out;
    for (const auto& [date, weight] : cells) out << qMakePair(QString::fromUtf8(date), QString::fromUtf8(weight));
    return out;
}

}  // namespace

TEST(Growth, WeighingsAreTheRowsWithADateAndAWeightInDateOrder)
{
    const struct Case {
        const char* what;
        QList<QPair<QString, QString>> rows;
        QList<Weighing> weighings;
    } cases[] = {
        {"none", {}, {}},
        {"rows as the grid holds them after appending: unsorted",
         rows({{"2023-07-01", "180"}, {"2023-03-01", "80"}, {"2023-05-01", "130"}}),
         {{QDate(2023, 3, 1), 80}, {QDate(2023, 5, 1), 130}, {QDate(2023, 7, 1), 180}}},
        {"a measurement without a weight (empty as saved, 0 as reloaded) is no weighing",
         rows({{"2023-03-01", "80"}, {"2023-04-01", ""}, {"2023-05-01", "0"}, {"2023-06-01", "150"}}),
         {{QDate(2023, 3, 1), 80}, {QDate(2023, 6, 1), 150}}},
        {"a weight as typed: blanks, thousands separators, decimals",
         rows({{"2024-09-01", " 1,020 "}, {"2024-03-01", "612.5"}}),
         {{QDate(2024, 3, 1), 612.5}, {QDate(2024, 9, 1), 1020}}},
        {"a row without a date (stored 0) or with words for a weight",
         rows({{"0000-00-00", "300"}, {"", "310"}, {"2023-08-01", "사백"}, {"2023-09-01", "240"}}),
         {{QDate(2023, 9, 1), 240}}},
        {"one date twice: the later row",
         rows({{"2023-05-01", "120"}, {"2023-05-01", "125"}}),
         {{QDate(2023, 5, 1), 125}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(growth::weighings(c.rows), c.weighings);
    }
}

TEST(Growth, PointsByAgeInMonthsFromTheBirthDate)
{
    const QList<Weighing> w = {{QDate(2022, 12, 20), 30},  // before the birth: a slip, not drawn
                               {kBirth, 28},
                               {kBirth.addDays(365), 300},
                               {kBirth.addDays(730), 560}};
    const QList<Point> p = growth::points(w, kBirth);
    ASSERT_EQ(p.size(), 3);
    EXPECT_EQ(p[0], (Point{0, 28}));
    EXPECT_DOUBLE_EQ(p[1].months, 365 / (365.25 / 12));
    EXPECT_DOUBLE_EQ(p[2].months, 730 / (365.25 / 12));
    EXPECT_NEAR(p[2].months, 24.0, 0.02);
    EXPECT_EQ(p[2].kg, 560);
    EXPECT_TRUE(growth::points(w, QDate()).isEmpty());
}

TEST(Growth, DailyGainsBetweenConsecutiveWeighingsAndOverTheLife)
{
    const struct Case {
        const char* what;
        QList<Weighing> weighings;
        QDate birth;
        QList<Gain> gains;
        std::optional<double> life;
    } cases[] = {
        {"none", {}, kBirth, {}, std::nullopt},
        {"one weighing: no pair, the life from the birth", {{kBirth.addDays(100), 120}}, kBirth, {}, 1.2},
        {"consecutive pairs; the life from the last weight",
         {{kBirth.addDays(100), 120}, {kBirth.addDays(150), 160}, {kBirth.addDays(250), 250}},
         kBirth,
         {{kBirth.addDays(100), kBirth.addDays(150), 0.8}, {kBirth.addDays(150), kBirth.addDays(250), 0.9}},
         1.0},
        {"a loss is a negative gain",
         {{kBirth.addDays(300), 330}, {kBirth.addDays(310), 325}},
         kBirth,
         {{kBirth.addDays(300), kBirth.addDays(310), -0.5}},
         325.0 / 310},
        {"no birth date: the pairs only",
         {{QDate(2023, 3, 1), 80}, {QDate(2023, 3, 11), 90}},
         QDate(),
         {{QDate(2023, 3, 1), QDate(2023, 3, 11), 1.0}},
         std::nullopt},
        {"last weighing on the birth day: no life to count", {{kBirth, 28}}, kBirth, {}, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QList<Gain> got = growth::gains(c.weighings);
        ASSERT_EQ(got.size(), c.gains.size());
        for (qsizetype i = 0; i < got.size(); ++i) {
            EXPECT_EQ(got[i].from, c.gains[i].from);
            EXPECT_EQ(got[i].to, c.gains[i].to);
            EXPECT_DOUBLE_EQ(got[i].kgPerDay, c.gains[i].kgPerDay);
        }
        const std::optional<double> life = growth::lifetimeGain(c.weighings, c.birth);
        ASSERT_EQ(life.has_value(), c.life.has_value());
        if (life) {
            EXPECT_DOUBLE_EQ(*life, *c.life);
        }
    }
}

TEST(Growth, TheLinesUnderTheChart)
{
    const QList<Weighing> w = {{QDate(2023, 3, 1), 80}, {QDate(2023, 3, 21), 97}};
    EXPECT_EQ(growth::gainLines(w, kBirth),
              QStringList({"평생 (체중 ÷ 일령) : 1.23 kg/일", "2023-03-01 ~ 2023-03-21 : 0.85 kg/일"}));
    EXPECT_EQ(growth::gainLines(w, QDate()), QStringList({"2023-03-01 ~ 2023-03-21 : 0.85 kg/일"}));
    EXPECT_TRUE(growth::gainLines({}, kBirth).isEmpty());
}

TEST(Growth, ANoteStandsInForAChartThatCannotBeDrawn)
{
    const QList<Point> two = {{1, 50}, {2, 80}};
    EXPECT_EQ(growth::chartNote(two, QDate()), "개체생일을 입력하면 성장 곡선을 볼 수 있습니다.");
    EXPECT_EQ(growth::chartNote({{1, 50}}, kBirth), "체중 측정이 두 번 이상 있어야 성장 곡선을 볼 수 있습니다.");
    EXPECT_EQ(growth::chartNote({}, kBirth), "체중 측정이 두 번 이상 있어야 성장 곡선을 볼 수 있습니다.");
    EXPECT_EQ(growth::chartNote(two, kBirth), "");
}

namespace {

// The weighing tab of a fixture animal with the chart under its grid, drawn against a birth box.
class GrowthChartTest : public HistoryTabFixture {
protected:
    void SetUp() override
    {
        start(ultrasoundHistory(), kAnimal);
        weigh(20230301, "80");
        weigh(20230901, "260");
        weigh(20230601, "170");
        farm.exec("insert into 초음파측정(개체번호, 개체능력, 측정일) values(?, '육성', 20230701)", {kAnimal});
        tab->reload(kAnimal);
        birth = new CheckedDateEdit("개체생일", host.get());
        birth->setDate(kBirth);
        birth->setTicked(true);
        chart = attachGrowthChart(tab, birth);
    }
    void weigh(qint64 date, const char* kg)
    {
        farm.exec("insert into 초음파측정(개체번호, 개체능력, 측정일, 체중) values(?, '육성', ?, ?)",
                  {kAnimal, date, QString::fromUtf8(kg)});
    }
    static QPointF at(const QDate& day, double kg) { return {growth::monthsOfAge(kBirth, day), kg}; }
    QStringList gridCells()
    {
        QStringList all;
        for (int r = 0; r <= tab->grid()->maxRows(); ++r) all << gridRow(tab->grid(), r);
        return all;
    }

    const QString kAnimal = "A-1";
    CheckedDateEdit* birth = nullptr;
    GrowthChart* chart = nullptr;
};

}  // namespace

TEST_F(GrowthChartTest, PointsOfTheFixtureAnimalUnderAnUntouchedGrid)
{
    const QStringList before = gridCells();
    ASSERT_EQ(tab->grid()->maxCols(), 10);
    EXPECT_TRUE(chart->showsChart());
    EXPECT_EQ(chart->plotted(),
              QList<QPointF>({at(QDate(2023, 3, 1), 80), at(QDate(2023, 6, 1), 170), at(QDate(2023, 9, 1), 260)}));
    EXPECT_EQ(chart->gainLines(),
              QStringList({"평생 (체중 ÷ 일령) : 1.07 kg/일", "2023-03-01 ~ 2023-06-01 : 0.98 kg/일",
                           "2023-06-01 ~ 2023-09-01 : 0.98 kg/일"}));
    EXPECT_EQ(chart->parentWidget(), tab);
    EXPECT_EQ(gridCells(), before);
    EXPECT_EQ(tab->rowCount(), 4);

    // Under the grid, not over it: the grid keeps the tab's width for its columns.
    host->resize(1100, 500);
    host->show();
    QApplication::processEvents();
    EXPECT_TRUE(chart->isVisible());
    EXPECT_GE(chart->geometry().top(), tab->grid()->geometry().bottom());
}

namespace {
// The tick values an axis stands for: from 0 to its end, every interval.
QStringList ticksOf(const QValueAxis* axis)
{
    QStringList ticks;
    for (double v = 0; v <= axis->max() + 0.001; v += axis->tickInterval()) ticks << QString::number(int(v));
    return ticks;
}

// The numbers the chart's scene shows as labels, in no particular order.
QStringList shownNumbers(const QChartView* view)
{
    QStringList shown;
    for (const QGraphicsItem* item : view->scene()->items()) {
        const auto* text = dynamic_cast<const QGraphicsTextItem*>(item);
        if (!text || !text->isVisible()) continue;
        bool number = false;
        text->toPlainText().toInt(&number);
        if (number) shown << text->toPlainText();
    }
    shown.sort();
    return shown;
}

// The chart as the screen shows it now, and as a fresh painting of it: equal when nothing of an
// earlier drawing stayed on the screen.
std::pair<QImage, QImage> shownAndFresh(QChartView* view)
{
    QWidget* window = view->window();
    const QPoint at = view->mapTo(window, QPoint());
    const QImage shown = window->windowHandle()
                             ->screen()
                             ->grabWindow(window->winId(), at.x(), at.y(), view->width(), view->height())
                             .toImage()
                             .convertToFormat(QImage::Format_RGB32);
    return {shown, view->grab().toImage().convertToFormat(QImage::Format_RGB32)};
}
}  // namespace

TEST_F(GrowthChartTest, AnAddedWeighingRedrawsTheAxesWithoutLeavingTheOldLabels)
{
    host->resize(1100, 640);
    tab->resize(host->size());
    host->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(host.get()));
    auto* view = chart->findChild<QChartView*>();
    // Nine months, 260 kg: a tick every 3 months and every 50 kg.
    EXPECT_EQ(chart->ageAxis()->max(), 9);
    EXPECT_EQ(chart->weightAxis()->max(), 300);
    QStringList expected = ticksOf(chart->ageAxis()) + ticksOf(chart->weightAxis());
    expected.sort();
    EXPECT_EQ(shownNumbers(view), expected);

    // A year old and 950 kg: one more age, a wider weight step with fewer and wider labels.
    withNew([&](HistoryEntryDialog& d) {
        d.textBox("개체능력")->setText("비육");
        d.datePicker("측정일")->setDate(QDate(2024, 1, 1));
        d.textBox("체중")->setText("950");
        EXPECT_TRUE(saveYes(d));
    });
    QApplication::processEvents();
    EXPECT_EQ(chart->ageAxis()->max(), 12);
    EXPECT_EQ(chart->ageAxis()->tickInterval(), 3);
    EXPECT_EQ(chart->weightAxis()->max(), 1000);
    EXPECT_EQ(chart->weightAxis()->tickInterval(), 200);
    expected = ticksOf(chart->ageAxis()) + ticksOf(chart->weightAxis());
    expected.sort();
    EXPECT_EQ(shownNumbers(view), expected);
    const auto [shown, fresh] = shownAndFresh(view);
    EXPECT_EQ(shown, fresh);
}

TEST_F(GrowthChartTest, RedrawnWhenAMeasurementIsAddedChangedOrDeleted)
{
    QSignalSpy changes(tab, &HistoryTab::rowsChanged);
    withNew([&](HistoryEntryDialog& d) {
        d.textBox("개체능력")->setText("육성");
        d.datePicker("측정일")->setDate(QDate(2023, 12, 1));
        d.textBox("체중")->setText("1,350");
        EXPECT_TRUE(saveYes(d));
    });
    EXPECT_EQ(changes.count(), 1);
    ASSERT_EQ(chart->plotted().size(), 4);
    EXPECT_EQ(chart->plotted().last(), at(QDate(2023, 12, 1), 1350));

    // The first row (1 March) weighed again.
    withChange(1, [&](HistoryEntryDialog& d) {
        d.textBox("체중")->setText("95");
        EXPECT_TRUE(saveYes(d));
    });
    EXPECT_EQ(changes.count(), 2);
    EXPECT_EQ(chart->plotted().first(), at(QDate(2023, 3, 1), 95));

    // The weighing of 1 June deleted: the tab reloads once.
    tab->grid()->setActiveCell(1, 2);
    ASSERT_EQ(tab->grid()->cellText(2, 2), "2023-06-01");
    farm.messages().answer(MsgButton::Yes);
    button("cmdDelete")->click();
    EXPECT_EQ(changes.count(), 3);
    EXPECT_EQ(chart->plotted(),
              QList<QPointF>({at(QDate(2023, 3, 1), 95), at(QDate(2023, 9, 1), 260), at(QDate(2023, 12, 1), 1350)}));
}

TEST_F(GrowthChartTest, ANoteWithoutABirthDateOrWithOneWeighing)
{
    birth->setTicked(false);
    EXPECT_FALSE(chart->showsChart());
    EXPECT_EQ(chart->note(), "개체생일을 입력하면 성장 곡선을 볼 수 있습니다.");
    EXPECT_TRUE(chart->plotted().isEmpty());
    EXPECT_EQ(chart->gainLines().size(), 2);  // the pairs still have their gains

    birth->setTicked(true);
    birth->setDate(QDate(2023, 8, 1));  // born after two of the weighings
    EXPECT_FALSE(chart->showsChart());
    EXPECT_EQ(chart->note(), "체중 측정이 두 번 이상 있어야 성장 곡선을 볼 수 있습니다.");

    birth->setDate(kBirth);
    EXPECT_TRUE(chart->showsChart());
    EXPECT_EQ(chart->plotted().size(), 3);

    farm.exec("delete from 초음파측정 where 측정일 <> 20230301");
    tab->reload(kAnimal);
    EXPECT_FALSE(chart->showsChart());
    EXPECT_EQ(chart->plotted(), QList<QPointF>());
    EXPECT_EQ(chart->findChild<QChartView*>()->isVisibleTo(chart), false);
}
