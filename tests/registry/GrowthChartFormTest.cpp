// The growth chart on the weighing tab of both record forms: drawn from the grid against the
// form's own birth date, redrawn as that date changes, and the tab's grid left as it was.
#include "RegistryFixture.h"

#include "history/GrowthChart.h"
#include "history/HistoryTab.h"
#include "kit/WindowUtil.h"
#include "registry/AnimalRecordForm.h"

#include <QDateEdit>
#include <QHeaderView>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>

namespace {

struct ChartFormKind {
    int sex;
    const char* form;
    int weightTab;
};

const QDate kBirth(2008, 1, 1);

class GrowthChartFormTest : public RegistryTest, public ::testing::WithParamInterface<ChartFormKind> {
protected:
    AnimalRecordForm* openForm(const QString& number)
    {
        openList();
        searchFor();
        listGrid(window)->setActiveCell(1, rowOf(number));
        click("cmdUpdate");
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == GetParam().form && w->isVisible()) return qobject_cast<AnimalRecordForm*>(w);
        ADD_FAILURE() << "no open form " << GetParam().form;
        return nullptr;
    }
    void weigh(const QString& number, const QDate& day, const char* kg)
    {
        farm.exec("insert into 초음파측정(개체번호, 개체능력, 측정일, 체중) values(?, '비육', ?, ?)",
                  {number, dn(day), QString::fromUtf8(kg)});
    }
    static QPointF at(const QDate& day, double kg) { return {growth::monthsOfAge(kBirth, day), kg}; }
};

const ChartFormKind kChartForms[] = {{0, "한우암소관리", 1}, {1, "한우수소관리", 0}};

}  // namespace

TEST_P(GrowthChartFormTest, TheWeighingTabDrawsTheAnimalsGrowthAgainstItsBirthDate)
{
    farm.addAnimal("A", GetParam().sex, dn(kBirth));
    weigh("A", QDate(2009, 1, 1), "320");
    weigh("A", QDate(2008, 7, 1), "190");
    weigh("A", QDate(2009, 7, 1), "455");
    AnimalRecordForm* f = openForm("A");
    ASSERT_TRUE(f);
    HistoryTab* weights = f->historyTab(2);
    ASSERT_TRUE(weights);
    auto* tabs = find<QTabWidget>("STAB", f);
    EXPECT_EQ(tabs->widget(GetParam().weightTab), weights);
    GrowthChart* chart = weights->findChild<GrowthChart*>();
    ASSERT_TRUE(chart);
    EXPECT_EQ(f->findChildren<GrowthChart*>().size(), 1);  // on the weighing tab only

    const QStringList headers = gridRow(weights->grid(), 0);
    EXPECT_EQ(headers.size(), 10);
    EXPECT_EQ(chart->plotted(),
              QList<QPointF>({at(QDate(2008, 7, 1), 190), at(QDate(2009, 1, 1), 320), at(QDate(2009, 7, 1), 455)}));
    EXPECT_EQ(chart->gainLines().first(), "평생 (체중 ÷ 일령) : 0.83 kg/일");

    // The form's birth box: cleared, the note; another date, the ages move.
    find<QCheckBox>("개체생일체크", f)->click();
    EXPECT_FALSE(chart->showsChart());
    EXPECT_EQ(chart->note(), "개체생일을 입력하면 성장 곡선을 볼 수 있습니다.");
    find<QCheckBox>("개체생일체크", f)->click();
    find<QDateEdit>("개체생일", f)->setDate(QDate(2008, 7, 1));
    ASSERT_EQ(chart->plotted().size(), 3);
    EXPECT_EQ(chart->plotted().first(), QPointF(0, 190));

    EXPECT_EQ(gridRow(weights->grid(), 0), headers);
    EXPECT_EQ(gridColumn(weights->grid(), 3), QStringList({"190", "320", "455"}));
}

TEST_P(GrowthChartFormTest, ANewAnimalShowsTheNoteUntilItHasWeighings)
{
    openList();
    click(GetParam().sex == 0 ? "cmdInsert" : "cmdInsert2");
    AnimalRecordForm* f = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == GetParam().form && w->isVisible()) f = qobject_cast<AnimalRecordForm*>(w);
    ASSERT_TRUE(f);
    GrowthChart* chart = f->historyTab(2)->findChild<GrowthChart*>();
    ASSERT_TRUE(chart);
    EXPECT_EQ(chart->note(), "개체생일을 입력하면 성장 곡선을 볼 수 있습니다.");
    find<QCheckBox>("개체생일체크", f)->click();
    EXPECT_EQ(chart->note(), "체중 측정이 두 번 이상 있어야 성장 곡선을 볼 수 있습니다.");
    EXPECT_TRUE(chart->gainLines().isEmpty());
}

TEST_P(GrowthChartFormTest, AtTheScreenSizeOfAFarmLaptopEveryWeighingColumnAndFourGainsShow)
{
    farm.addAnimal("A", GetParam().sex, dn(kBirth));
    const struct {
        QDate day;
        const char* kg;
    } weighings[] = {{QDate(2008, 4, 1), "120"},
                     {QDate(2008, 7, 1), "190"},
                     {QDate(2008, 10, 1), "255"},
                     {QDate(2009, 1, 1), "320"},
                     {QDate(2009, 7, 1), "455"}};
    for (const auto& w : weighings)
        farm.exec(
            "insert into 초음파측정 values('A', '비육중기', ?, ?, 'HS-2000 Pro', 88.5, 12.5, 6, '김측정', "
            "'박판정', '1++')",
            {dn(w.day), QString::fromUtf8(w.kg)});
    AnimalRecordForm* f = openForm("A");
    ASSERT_TRUE(f);
    f->resize(1280, 800);
    HistoryTab* weights = f->historyTab(2);
    find<QTabWidget>("STAB", f)->setCurrentWidget(weights);
    QApplication::processEvents();
    ASSERT_TRUE(weights->isVisible());

    const Grid* grid = weights->grid();
    EXPECT_EQ(cutCells(grid), QStringList());
    for (int c = 1; c <= grid->maxCols(); ++c) EXPECT_TRUE(columnInView(grid, c)) << c;
    GrowthChart* chart = weights->findChild<GrowthChart*>();
    ASSERT_TRUE(chart);
    EXPECT_TRUE(chart->showsChart());
    ASSERT_EQ(chart->gainLines().size(), 5);  // the life, then four intervals
    EXPECT_TRUE(chart->gainsArea()->isVisible());
    EXPECT_EQ(chart->gainsArea()->verticalScrollBar()->maximum(), 0);
    // Each line whole, not cut at the panel's right edge.
    const QWidget* gains = chart->gainsArea()->widget();
    for (const QString& line : chart->gainLines())
        EXPECT_LE(gains->fontMetrics().horizontalAdvance(line), chart->gainsArea()->viewport()->width())
            << line.toStdString();
}

TEST_P(GrowthChartFormTest, TheGridShowsEightWeighingsAboveTheChartAtTheFormsOpeningSizeAndOnAFarmLaptop)
{
    farm.addAnimal("A", GetParam().sex, dn(kBirth));
    for (int i = 0; i < 20; ++i) weigh("A", kBirth.addMonths(i + 1), "150");
    AnimalRecordForm* f = openForm("A");
    ASSERT_TRUE(f);
    HistoryTab* weights = f->historyTab(2);
    find<QTabWidget>("STAB", f)->setCurrentWidget(weights);
    const Grid* grid = weights->grid();
    GrowthChart* chart = weights->findChild<GrowthChart*>();
    ASSERT_TRUE(chart);
    // As the form opens on a 1280×800 screen (its panel takes 40 pixels), then filling it.
    const QSize opening = openingSize(QSize(1000, 720), f->minimumSize(), QRect(0, 0, 1280, 760));
    EXPECT_EQ(opening, QSize(1000, 720));
    for (const QSize size : {opening, QSize(1280, 800)}) {
        SCOPED_TRACE(std::to_string(size.width()) + "x" + std::to_string(size.height()));
        f->resize(size);
        QApplication::processEvents();
        EXPECT_LE(f->height(), 800);
        EXPECT_GE(grid->viewport()->height() / grid->verticalHeader()->defaultSectionSize(), 8);
        EXPECT_TRUE(chart->showsChart());
        EXPECT_TRUE(chart->isVisible());
        EXPECT_GE(chart->height(), 130);  // a chart to read, not a sliver
        // Each at its own place: a layout short of room would lay the chart over the grid.
        const QRect gridArea(grid->mapTo(f, QPoint(0, 0)), grid->size());
        const QRect chartArea(chart->mapTo(f, QPoint(0, 0)), chart->size());
        EXPECT_FALSE(gridArea.intersects(chartArea))
            << gridArea.y() << "+" << gridArea.height() << " chart " << chartArea.y() << "+" << chartArea.height()
            << " min " << chart->minimumSizeHint().height() << " pagehint " << weights->minimumSizeHint().height()
            << " page " << weights->height();
        EXPECT_GE(grid->height(), grid->minimumHeight());
    }
}

INSTANTIATE_TEST_SUITE_P(BothForms, GrowthChartFormTest, ::testing::ValuesIn(kChartForms),
                         [](const ::testing::TestParamInfo<ChartFormKind>& info) {
                             return std::string(info.param.sex == 0 ? "Cow" : "Bull");
                         });
