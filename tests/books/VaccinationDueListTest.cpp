// The fourth list of 일일관리, "예방접종 예정": the vaccinations due on a fixture farm on three
// days, overdue days bold and red, the days-ahead box, a dose recorded for the ticked animals at
// once (all or nothing), the programs window reached from the list, the print and the saved
// list's name. With TARVIK_SHOTS set to a folder, a picture of the option on the sample farm.
#include "DailyFixture.h"
#include "books/DailyWindow.h"
#include "data/Clock.h"
#include "data/Db.h"
#include "data/SampleFarm.h"
#include "kit/GridExport.h"
#include "print/PrintScript.h"
#include "print/ReportJob.h"
#include "support/AccessibilityCheck.h"
#include "support/ModalDriver.h"
#include "support/TestFarm.h"
#include "support/TestHelpers.h"
#include "vaccination/GroupDoseDialog.h"
#include "vaccination/VaccinationProgramsWindow.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QLineEdit>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTemporaryDir>

namespace {

const QDate kFirstDay(2026, 4, 5);

class VaccinationDueListTest : public FarmOnADay {
protected:
    VaccinationDueListTest() : FarmOnADay(kFirstDay) {}

    void SetUp() override
    {
        auto animal = [&](const char* number, int sex, qint64 born, const char* pen, QVariantMap more = {}) {
            more[QStringLiteral("우방번호")] = QString::fromUtf8(pen);
            farm.addAnimal(QString::fromUtf8(number), sex, born, more);
        };
        animal("KR-CALF", 0, 20260220, "1-1");  // first dose due 2026-04-21
        animal("KR-BOOST", 0, 20251001, "1-2");
        treat("KR-BOOST", 20260301, "구제역 백신(O+A)");  // booster due 2026-03-29
        animal("KR-REG", 1, 20230101, "2-1");
        treat("KR-REG", 20250501, "FMD");
        treat("KR-REG", 20251020, "fmd 2ml");  // next due 2026-04-18
        animal("KR-DONE", 0, 20200101, "3-1");
        treat("KR-DONE", 20250901, "구제역");
        treat("KR-DONE", 20260315, "구제역");  // next due 2026-09-11
        animal("KR-SOLD", 0, 20220101, "", {{QStringLiteral("판매일"), 20260101}});
    }

    void treat(const char* number, qint64 day, const char* treatment)
    {
        farm.exec(QStringLiteral("insert into 백신접종(개체번호, 날짜, 증상, 처치, 만료일) values(?, ?, '', ?, ?)"),
                  {QString::fromUtf8(number), day, QString::fromUtf8(treatment), day});
    }

    // The list's rows on `day`, read by the query button.
    static QStringList listOn(DailyWindow& w, const QDate& day)
    {
        setTodayOverride(day);
        w.functionButton(ListButton::Query)->click();
        return gridRows(listGrid(&w));
    }

    static void tick(DailyWindow& w, const QString& number)
    {
        Grid* g = listGrid(&w);
        for (int r = 1; r <= g->maxRows(); ++r)
            if (g->cellText(1, r) == number) g->setChecked(r, true);
    }

    int dosesOn(const QDate& day)
    {
        return farm.count(QStringLiteral("백신접종"), QStringLiteral("날짜 = ?"), {dn(day)});
    }
};

}  // namespace

TEST_F(VaccinationDueListTest, TheFourthOptionListsTheDosesDueOnThreeDays)
{
    DailyWindow w;
    QRadioButton* option = w.vaccinationOption();
    ASSERT_TRUE(option);
    EXPECT_EQ(w.findChild<QRadioButton*>(QStringLiteral("Option4")), option);
    EXPECT_EQ(option->text(), QStringLiteral("예방접종 예정"));
    EXPECT_EQ(w.dueDaysBox()->objectName(), QStringLiteral("txtDueDays"));
    // Its own controls stand only beside it.
    EXPECT_TRUE(w.dueDaysBox()->isHidden());
    EXPECT_TRUE(w.recordDoseButton()->isHidden());

    option->click();
    EXPECT_FALSE(w.dueDaysBox()->isHidden());
    EXPECT_FALSE(w.programsButton()->isHidden());
    EXPECT_EQ(w.dueDaysBox()->value(), 14);
    EXPECT_EQ(w.dueDaysBox()->text(), QStringLiteral("앞으로 14일"));
    EXPECT_TRUE(controlsHeardByControlName(&w).isEmpty()) << controlsHeardByControlName(&w).join(u'\n').toStdString();
    EXPECT_EQ(gridRow(listGrid(&w), 0), QStringList({"개체번호", "우방번호", "개월령", "접종 계획", "차수",
                                                     "최근 접종일", "접종 예정일", "지난 일수"}));
    EXPECT_EQ(listGrid(&w)->accessibleName(), QStringLiteral("예방접종 예정"));
    EXPECT_EQ(gridRows(listGrid(&w)),
              QStringList({"KR-BOOST | 1-2 | 6 개월령 | 구제역 | 2차 | 2026-03-01 | 2026-03-29 | *7일 지남",
                           "KR-REG | 2-1 | 39 개월령 | 구제역 | 정기 | 2025-10-20 | 2026-04-18 | "}));
    // Overdue days are red as well as bold; the rest of the row keeps the list's colour.
    EXPECT_EQ(listGrid(&w)->cellForeColor(8, 1), QColor(0xc0, 0x00, 0x00));
    EXPECT_FALSE(listGrid(&w)->cellForeColor(1, 1).isValid());
    EXPECT_EQ(listGrid(&w)->checkColumn(), 1);
    EXPECT_EQ(tableOfGrid(listGrid(&w)).title, QStringLiteral("예방접종 예정 2026-04-05"));

    EXPECT_EQ(listOn(w, QDate(2026, 4, 10)),
              QStringList({"KR-BOOST | 1-2 | 6 개월령 | 구제역 | 2차 | 2026-03-01 | 2026-03-29 | *12일 지남",
                           "KR-REG | 2-1 | 39 개월령 | 구제역 | 정기 | 2025-10-20 | 2026-04-18 | ",
                           "KR-CALF | 1-1 | 2 개월령 | 구제역 | 1차 |  | 2026-04-21 | "}));
    EXPECT_EQ(listOn(w, QDate(2026, 4, 25)),
              QStringList({"KR-BOOST | 1-2 | 6 개월령 | 구제역 | 2차 | 2026-03-01 | 2026-03-29 | *27일 지남",
                           "KR-REG | 2-1 | 39 개월령 | 구제역 | 정기 | 2025-10-20 | 2026-04-18 | *7일 지남",
                           "KR-CALF | 1-1 | 2 개월령 | 구제역 | 1차 |  | 2026-04-21 | *4일 지남"}));
    EXPECT_EQ(tableOfGrid(listGrid(&w)).title, QStringLiteral("예방접종 예정 2026-04-25"));

    // Fewer days ahead on the first day: only the overdue booster; the box reads the list again.
    setTodayOverride(kFirstDay);
    w.dueDaysBox()->setValue(0);
    EXPECT_EQ(gridRows(listGrid(&w)),
              QStringList({"KR-BOOST | 1-2 | 6 개월령 | 구제역 | 2차 | 2026-03-01 | 2026-03-29 | *7일 지남"}));

    // Back on another option the ticks, the box and the buttons go.
    w.withdrawalOption()->click();
    EXPECT_EQ(listGrid(&w)->checkColumn(), 0);
    EXPECT_TRUE(w.dueDaysBox()->isHidden());
    EXPECT_EQ(listGrid(&w)->maxCols(), 6);
}

TEST_F(VaccinationDueListTest, TheTickedAnimalsGetOneDoseEachInOneStep)
{
    setTodayOverride(QDate(2026, 4, 10));
    DailyWindow w;
    w.vaccinationOption()->click();
    ASSERT_EQ(w.rowCount(), 3);

    // Nothing ticked: asked to tick first, no dialog.
    expectNoModal<GroupDoseDialog>(w.recordDoseButton());
    ASSERT_EQ(farm.messages().count(), 1);
    EXPECT_EQ(farm.messages().last().text, QStringLiteral("접종을 기록할 개체를 목록에서 체크해 주세요."));

    tick(w, "KR-BOOST");
    tick(w, "KR-REG");
    const int before = farm.count(QStringLiteral("백신접종"));
    // Cancel stores nothing and keeps the ticks.
    driveModal<GroupDoseDialog>(w.recordDoseButton(), [&](GroupDoseDialog& d) {
        d.textBox(QStringLiteral("처치"))->setText(QStringLiteral("구제역 백신(O+A)"));
        d.buttons().cancel->click();
    });
    EXPECT_EQ(farm.count(QStringLiteral("백신접종")), before);
    EXPECT_EQ(listGrid(&w)->checkedRows(), (QList<int>{1, 2}));

    farm.messages().clear();
    const bool ran = driveModal<GroupDoseDialog>(w.recordDoseButton(), [&](GroupDoseDialog& d) {
        EXPECT_TRUE(controlsHeardByControlName(&d).isEmpty())
            << controlsHeardByControlName(&d).join(u' ').toStdString();
        EXPECT_EQ(d.programBox()->currentText(), QStringLiteral("구제역"));
        EXPECT_EQ(d.datePicker()->date(), QDate(2026, 4, 10));
        EXPECT_EQ(d.textBox(QStringLiteral("처치"))->text(), QStringLiteral("구제역")) << "the program's first word";
        EXPECT_TRUE(d.animalsNote()->text().contains(QStringLiteral("2마리")));
        // A product that is no dose of the program is refused by the model; nothing stored.
        d.textBox(QStringLiteral("처치"))->setText(QStringLiteral("비타민"));
        d.buttons().save->click();
        EXPECT_TRUE(d.isVisible());
        ASSERT_EQ(farm.messages().count(), 1);
        EXPECT_TRUE(farm.messages().last().text.startsWith(QStringLiteral("처치 '비타민'에는")));
        EXPECT_EQ(farm.count(QStringLiteral("백신접종")), before);

        d.textBox(QStringLiteral("증상"))->setText(QStringLiteral("구제역 정기접종"));
        d.textBox(QStringLiteral("처치"))->setText(QStringLiteral("구제역 백신(O+A)"));
        d.withdrawalBox()->setValue(21);
        d.textBox(QStringLiteral("수의사"))->setText(QStringLiteral("김수의"));
        d.textBox(QStringLiteral("비고"))->setText(QStringLiteral("1우방 오전"));
        d.buttons().save->click();
        EXPECT_FALSE(d.isVisible());
    });
    ASSERT_TRUE(ran);
    EXPECT_EQ(farm.messages().last().text, QStringLiteral("2마리의 접종을 기록했습니다."));
    EXPECT_EQ(farm.count(QStringLiteral("백신접종")), before + 2);
    QSqlQuery q =
        runQuery(QStringLiteral("select 개체번호, 증상, 처치, 만료일, 수의사, 비고 from 백신접종 "
                                "where 날짜 = 20260410 order by 개체번호"));
    QStringList stored;
    while (q.next()) {
        QStringList cells;
        for (int c = 0; c < 6; ++c) cells << q.value(c).toString();
        stored << cells.join(u'|');
    }
    EXPECT_EQ(stored, QStringList({"KR-BOOST|구제역 정기접종|구제역 백신(O+A)|20260501|김수의|1우방 오전",
                                   "KR-REG|구제역 정기접종|구제역 백신(O+A)|20260501|김수의|1우방 오전"}));
    // The list read again: the two are no longer due.
    EXPECT_EQ(gridRows(listGrid(&w)), QStringList({"KR-CALF | 1-1 | 2 개월령 | 구제역 | 1차 |  | 2026-04-21 | "}));
    EXPECT_TRUE(listGrid(&w)->checkedRows().isEmpty());
}

// One animal of the ticked ones cannot take the dose: none of them gets it.
TEST_F(VaccinationDueListTest, ARefusedAnimalStoresNothingForTheOthers)
{
    const QDate day(2026, 4, 25);
    setTodayOverride(day);
    farm.exec(QStringLiteral("insert into 백신접종(개체번호, 날짜, 증상, 처치, 만료일) "
                             "values('KR-REG', ?, '설사', '지사제', ?)"),
              {dn(day), dn(day)});
    DailyWindow w;
    w.vaccinationOption()->click();
    ASSERT_EQ(w.rowCount(), 3);
    for (const char* n : {"KR-BOOST", "KR-REG", "KR-CALF"}) tick(w, n);
    farm.messages().clear();
    driveModal<GroupDoseDialog>(w.recordDoseButton(), [&](GroupDoseDialog& d) {
        EXPECT_TRUE(d.animalsNote()->text().contains(QStringLiteral("3마리")));
        d.buttons().save->click();
        EXPECT_TRUE(d.isVisible());
    });
    ASSERT_EQ(farm.messages().count(), 1);
    EXPECT_EQ(
        farm.messages().last().text,
        QStringLiteral("KR-REG 개체는 2026-04-25에 이미 진료·백신 기록이 있습니다. 이 개체를 빼고 다시 기록하거나 "
                       "진료·백신접종 탭에서 고쳐 주세요. 아무것도 기록하지 않았습니다."));
    EXPECT_EQ(dosesOn(day), 1) << "only the treatment that was there";
    EXPECT_EQ(w.rowCount(), 3);
}

TEST_F(VaccinationDueListTest, TheProgramsWindowOpensFromTheListWhichIsReadAgainAfter)
{
    DailyWindow w;
    w.vaccinationOption()->click();
    ASSERT_EQ(w.rowCount(), 2);
    const bool ran = driveModal<VaccinationProgramsWindow>(w.programsButton(), [&](VaccinationProgramsWindow& p) {
        farm.messages().answer(MsgButton::Yes);
        p.deleteButton()->click();
        p.accept();
    });
    ASSERT_TRUE(ran);
    EXPECT_EQ(w.rowCount(), 0);
}

TEST_F(VaccinationDueListTest, PrintFillsItsWorkTableAndThePdfShowsTheRowsUnderItsTitle)
{
    setTodayOverride(QDate(2026, 4, 25));
    DailyWindow w;
    w.vaccinationOption()->click();
    ASSERT_EQ(w.rowCount(), 3);
    const ListPrint printed = w.printSpec();
    EXPECT_EQ(printed.reportFile, QStringLiteral("예방접종예정.rpt"));
    EXPECT_EQ(printed.workTable, QStringLiteral("예방접종워크"));

    QTemporaryDir out;
    ASSERT_TRUE(out.isValid());
    const QString pdf = out.filePath(QStringLiteral("예방접종.pdf"));
    {
        PrintScript print;
        print.savePdf(pdf);
        farm.messages().answer(MsgButton::Yes);
        w.functionButton(ListButton::Print)->click();
    }
    ASSERT_GE(farm.messages().count(), 1);
    EXPECT_EQ(farm.messages().last().text, QStringLiteral("예방접종 예정 목록을 출력 하시겠습니까?"));
    EXPECT_EQ(reportControl().windowTitle, QStringLiteral("예방접종 예정"));
    EXPECT_EQ(reportControl().formulas, (report::Formulas{{"타이틀", "예방접종 예정"},
                                                          {"기준일", "2026년 04월 25일"},
                                                          {"조회범위", "앞으로 14일 (2026-05-09까지)"}}));
    EXPECT_EQ(farm.count(QStringLiteral("예방접종워크")), 3);
    EXPECT_EQ(farm.scalar(QStringLiteral("select group_concat(c01 || ':' || c08, ',') from 예방접종워크")),
              QStringLiteral("KR-BOOST:27일 지남,KR-REG:7일 지남,KR-CALF:4일 지남"));

    const QString text = pdfText(pdf);
    ASSERT_FALSE(text.isEmpty());
    EXPECT_FALSE(text.contains(QRegularExpression(QStringLiteral("\\{[^{}\\n]*\\}")))) << text.toStdString();
    for (const char* shown : {"예방접종 예정", "2026년 04월 25일", "앞으로 14일", "접종 예정일", "KR-BOOST",
                              "2026-03-29", "27일 지남", "39 개월령", "정기"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(shown))) << shown << "\n" << text.toStdString();
    EXPECT_LT(text.indexOf(QStringLiteral("KR-BOOST")), text.indexOf(QStringLiteral("KR-CALF")));
}

// The sample farm on its day at the size of a common screen: every column in view, nothing cut.
// With TARVIK_SHOTS set, its picture for a person to look at.
TEST(VaccinationDueSampleFarm, EveryColumnShowsWholeAtTheSizeOfAScreen)
{
    TestFarm farm;
    ASSERT_TRUE(farm.open());
    SampleFarmOptions o;
    o.today = QDate(2026, 12, 10);
    ASSERT_EQ(writeSampleFarm(gConn, o), QString());
    setTodayOverride(o.today);
    {
        DailyWindow w;
        w.resize(1280, 800);
        w.show();
        w.vaccinationOption()->click();
        Grid* g = listGrid(&w);
        ASSERT_GT(w.rowCount(), 2);
        g->setChecked(1, true);
        g->setChecked(2, true);
        QCoreApplication::processEvents();
        EXPECT_EQ(cutCells(g), QStringList());
        for (int c = 1; c <= g->maxCols(); ++c) EXPECT_TRUE(columnInView(g, c)) << c;
        for (QWidget* control :
             std::initializer_list<QWidget*>{w.dueDaysBox(), w.recordDoseButton(), w.programsButton()})
            EXPECT_TRUE(w.rect().contains(QRect(control->mapTo(&w, QPoint(0, 0)), control->size())))
                << control->objectName().toStdString();
        // At the window's own size too, the options and the list's controls stand clear of the
        // bar's buttons.
        w.resize(DailyWindow().size());
        QCoreApplication::processEvents();
        const QRect query(w.functionButton(ListButton::Query)->mapTo(&w, QPoint(0, 0)),
                          w.functionButton(ListButton::Query)->size());
        for (QWidget* control : std::initializer_list<QWidget*>{w.vaccinationOption(), w.programsButton()}) {
            const QRect at(control->mapTo(&w, QPoint(0, 0)), control->size());
            EXPECT_FALSE(at.intersects(query)) << control->objectName().toStdString();
            EXPECT_TRUE(w.rect().contains(at)) << control->objectName().toStdString();
            EXPECT_GE(control->width(), control->sizeHint().width()) << control->objectName().toStdString();
        }
        w.resize(1280, 800);
        QCoreApplication::processEvents();
        if (const QString shots = qEnvironmentVariable("TARVIK_SHOTS"); !shots.isEmpty()) {
            EXPECT_TRUE(w.grab().save(QDir(shots).filePath(QStringLiteral("daily-vaccination.png"))));
        }
    }
    setTodayOverride(QDate());
}
