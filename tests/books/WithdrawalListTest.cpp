// The third list of 일일관리, "휴약중개체": every animal whose last withdrawal ends today or
// later, one row per animal ordered by that end; its rule, its grid and its print.
#include "DailyFixture.h"
#include "books/DailyWindow.h"
#include "books/model/DailyRules.h"
#include "data/Clock.h"
#include "data/Db.h"
#include "print/LayoutCheck.h"
#include "print/PrintScript.h"
#include "print/ReportJob.h"
#include "print/model/ReportRenderer.h"
#include "support/AccessibilityCheck.h"
#include "support/TestFarm.h"
#include "support/TestHelpers.h"

#include <QTemporaryDir>
#include <ostream>

using daily::AnimalTreatment;
using daily::WithdrawalRow;

namespace {

const QDate kListToday(2009, 12, 8);

AnimalTreatment given(const char* number, const char* what, int endsIn, int givenDaysAgo = 3)
{
    return {QString::fromUtf8(number),
            QStringLiteral("P"),
            QStringLiteral("R"),
            {kListToday.addDays(-givenDaysAgo), QString::fromUtf8(what), kListToday.addDays(endsIn)}};
}

// "number treatment +N" for each row: the animal, its deciding treatment and when it ends.
QStringList described(const QList<WithdrawalRow>& rows)
{
    QStringList out;
    for (const WithdrawalRow& r : rows)
        out << QStringLiteral("%1 %2 %3").arg(r.number, r.period.treatment).arg(kListToday.daysTo(r.period.end));
    return out;
}

}  // namespace

TEST(WithdrawalRows, OneRowPerAnimalByItsLastWithdrawalOrderedByTheEnd)
{
    const struct Case {
        const char* what;
        QList<AnimalTreatment> treatments;
        QStringList rows;
    } cases[] = {
        {"none", {}, {}},
        {"ended yesterday", {given("A", "항생제", -1)}, {}},
        {"ends today", {given("A", "항생제", 0)}, {"A 항생제 0"}},
        {"the latest of an animal decides, also when an earlier one has ended",
         {given("A", "구충제", -2), given("A", "항생제", 5), given("A", "소염제", 1)},
         {"A 항생제 5"}},
        {"ordered by the end, then by number",
         {given("C", "x", 3), given("A", "y", 7), given("B", "z", 3), given("D", "w", 0)},
         {"D w 0", "B z 3", "C x 3", "A y 7"}},
        {"an animal's treatments need not come together",
         {given("B", "소염제", 1), given("A", "항생제", 2), given("B", "항생제", 9)},
         {"A 항생제 2", "B 항생제 9"}},
        {"two ending the same day: the later treatment is named",
         {given("A", "먼저", 4, 10), given("A", "나중", 4, 2)},
         {"A 나중 4"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(described(daily::withdrawalRows(c.treatments, kListToday)), c.rows);
    }
}

TEST(WithdrawalRows, DaysLeftCountTodayAndTheLastDayIsBold)
{
    EXPECT_EQ(daily::withdrawalLeftCell(kListToday, kListToday), (daily::DayCell{"휴약 1일 남음", true}));
    EXPECT_EQ(daily::withdrawalLeftCell(kListToday.addDays(1), kListToday), (daily::DayCell{"휴약 2일 남음", false}));
    EXPECT_EQ(daily::withdrawalLeftCell(kListToday.addDays(30), kListToday), (daily::DayCell{"휴약 31일 남음", false}));
}

namespace {

class WithdrawalListTest : public FarmOnADay {
protected:
    WithdrawalListTest() : FarmOnADay(kListToday) {}

    void animal(const QString& number, int sex, const QString& pen, const QString& ranch)
    {
        farm.addAnimal(number, sex, 0, {{QStringLiteral("우방번호"), pen}, {QStringLiteral("별명"), ranch}});
    }
    void treat(const QString& number, int givenDaysAgo, const QString& what, int endsIn)
    {
        farm.exec(QStringLiteral("insert into 백신접종(개체번호, 날짜, 증상, 처치, 만료일) values(?, ?, '증상', ?, ?)"),
                  {number, dn(kListToday.addDays(-givenDaysAgo)), what, dn(kListToday.addDays(endsIn))});
    }
    // Cows and bulls within and past their withdrawal, and one re-estrus cow.
    void farmInTreatment()
    {
        animal("KR001", 0, "1-1", "햇살목장");
        treat("KR001", 5, "항생제 주사", 0);
        treat("KR001", 20, "구충제", -1);
        animal("KR002", 1, "2-1", "O'Neil 목장");
        treat("KR002", 8, "소염제", 3);
        treat("KR002", 7, "페니실린", 10);
        animal("KR003", 0, "1-3", "들꽃목장");
        treat("KR003", 30, "항생제", -1);  // ended yesterday
        animal("KR004", 0, "1-4", "");     // never treated
        animal("KR005", 1, "2-5", "한빛목장");
        treat("KR005", 1, "소염제", 3);
        // A treatment left behind by an animal that is gone is nobody's row.
        treat("GONE", 1, "항생제", 5);
        farm.addBreeding("KR004", dn(kListToday.addDays(-20)));
    }
    const QStringList kRows{"KR001 | 1-1 | 햇살목장 | 항생제 주사 | 2009-12-08 | *휴약 1일 남음",
                            "KR005 | 2-5 | 한빛목장 | 소염제 | 2009-12-11 | 휴약 4일 남음",
                            "KR002 | 2-1 | O'Neil 목장 | 페니실린 | 2009-12-18 | 휴약 11일 남음"};
};

}  // namespace

TEST_F(WithdrawalListTest, TheThirdOptionListsEveryAnimalStillWithinItsWithdrawal)
{
    farmInTreatment();
    DailyWindow w;
    QRadioButton* option = w.withdrawalOption();
    ASSERT_TRUE(option);
    EXPECT_EQ(w.findChild<QRadioButton*>(QStringLiteral("Option3")), option);
    EXPECT_EQ(option->text(), QStringLiteral("휴약중개체"));
    EXPECT_FALSE(option->isChecked());
    EXPECT_TRUE(controlsHeardByControlName(&w).isEmpty()) << controlsHeardByControlName(&w).join(u'\n').toStdString();
    EXPECT_EQ(option->accessibleName(), QStringLiteral("휴약중개체"));

    option->click();
    EXPECT_EQ(gridRow(listGrid(&w), 0),
              QStringList({"개체식별번호", "우방번호", "목장명", "처 치", "휴약만료일", "남은 휴약기간"}));
    EXPECT_EQ(gridRows(listGrid(&w)), kRows);
    EXPECT_EQ(w.rowCount(), 3);
    EXPECT_EQ(listGrid(&w)->maxCols(), 6);
    EXPECT_EQ(listGrid(&w)->activeRow(), 1);
    EXPECT_EQ(listGrid(&w)->accessibleName(), QStringLiteral("휴약중 개체일람"));
    EXPECT_EQ(w.waitLabel()->text(), QStringLiteral("휴약중개체를 조회중 입니다. 잠시만 기다려 주세요.\r\n\r\n"
                                                    "데이터 용량에 따라 수초에서 수분이 걸릴 수 있습니다."));
    EXPECT_EQ(farm.messages().count(), 0);

    // The next day KR001 has left the list and every count went down by one.
    setTodayOverride(kListToday.addDays(1));
    w.functionButton(ListButton::Query)->click();
    EXPECT_EQ(gridRows(listGrid(&w)),
              QStringList({"KR005 | 2-5 | 한빛목장 | 소염제 | 2009-12-11 | 휴약 3일 남음",
                           "KR002 | 2-1 | O'Neil 목장 | 페니실린 | 2009-12-18 | 휴약 10일 남음"}));
}

TEST_F(WithdrawalListTest, ALongTreatmentAndRanchShowWholeAndTheTreatmentTakesTheSpareWidth)
{
    const QString ranch = QStringLiteral("푸른들 한우 번식목장 제2농장");
    const QString treatment = QStringLiteral("항생제 옥시테트라사이클린 20ml 근육주사, 3일간 매일 1회");
    animal("KR004100003712", 0, "12-34", ranch);
    treat("KR004100003712", 2, treatment, 12);
    animal("KR002", 1, "2-1", QStringLiteral("한빛목장"));
    treat("KR002", 1, QStringLiteral("소염제"), 3);
    DailyWindow w;
    w.show();
    w.withdrawalOption()->click();
    const Grid* g = listGrid(&w);
    ASSERT_EQ(w.rowCount(), 2);
    EXPECT_EQ(cutCells(g), QStringList());
    EXPECT_EQ(emptyBand(g), 0);
    for (int c = 1; c <= g->maxCols(); ++c) EXPECT_TRUE(columnInView(g, c)) << c;
    // The treatment column, not the short count at the end, holds the spare width.
    EXPECT_GT(g->columnWidth(3), g->fontMetrics().horizontalAdvance(treatment));
    EXPECT_LT(g->columnWidth(5), g->columnWidth(3) / 2);
    EXPECT_EQ(cellAlignment(g, 5), Qt::AlignCenter);  // 휴약만료일
}

TEST_F(WithdrawalListTest, SwitchingBackShowsTheDueListUnderTheDaysOfTheLoad)
{
    farmInTreatment();
    DailyWindow w;
    const QStringList dueHeaders = gridRow(listGrid(&w), 0);
    ASSERT_EQ(dueHeaders.size(), 7);
    const QStringList dueRows = gridRows(listGrid(&w));
    ASSERT_EQ(dueRows, QStringList({"KR004 | 1-4 |  | 재발정 1일전 | *재발정일 | *재발정일 | "}));

    w.withdrawalOption()->click();
    ASSERT_EQ(w.rowCount(), 3);
    setTodayOverride(kListToday.addDays(1));  // over midnight: the headers stay those of the load
    w.reestrusOption()->click();
    EXPECT_EQ(gridRow(listGrid(&w), 0), dueHeaders);
    EXPECT_EQ(listGrid(&w)->maxCols(), 7);
    EXPECT_EQ(gridRows(listGrid(&w)), QStringList({"KR004 | 1-4 |  | *재발정일 | *재발정일 |  | "}));
    w.calvingOption()->click();
    EXPECT_EQ(gridRow(listGrid(&w), 0), dueHeaders);
    EXPECT_EQ(w.rowCount(), 0);
}

TEST_F(WithdrawalListTest, PrintFillsTheWorkTableAsShownUnderItsOwnTitle)
{
    farmInTreatment();
    DailyWindow w;
    w.withdrawalOption()->click();
    ASSERT_EQ(w.rowCount(), 3);
    const ListPrint printed = w.printSpec();
    EXPECT_EQ(printed.question, QStringLiteral("휴약중 개체일람을 출력 하시겠습니까?"));
    EXPECT_EQ(printed.reportFile, QStringLiteral("휴약중개체.rpt"));
    EXPECT_EQ(printed.previewTitle, QStringLiteral("휴약중 개체일람"));
    EXPECT_EQ(printed.workTable, QStringLiteral("일일관리"));

    // Printed the next morning without a new query: the rows as shown, and the day they count from.
    setTodayOverride(kListToday.addDays(1));
    QTemporaryDir out;
    ASSERT_TRUE(out.isValid());
    const QString pdf = out.filePath(QStringLiteral("휴약.pdf"));
    const int runsBefore = reportControl().runCount();
    {
        PrintScript print;
        print.savePdf(pdf);
        farm.messages().answer(MsgButton::Yes);
        w.functionButton(ListButton::Print)->click();
    }
    ASSERT_EQ(farm.messages().count(), 1) << farm.messages().last().text.toStdString();
    EXPECT_EQ(farm.messages().last().text, QStringLiteral("휴약중 개체일람을 출력 하시겠습니까?"));
    EXPECT_EQ(reportControl().runCount(), runsBefore + 1);
    EXPECT_TRUE(reportControl().reportFileName.endsWith(QStringLiteral("rpt/휴약중개체.rpt")));
    EXPECT_EQ(reportControl().windowTitle, QStringLiteral("휴약중 개체일람"));
    EXPECT_EQ(reportControl().formulas,
              (report::Formulas{{"타이틀", "휴약중 개체일람"}, {"기준일", "2009년 12월 08일"}}));

    // Column 7 marks the row whose days left the list shows bold: its last day.
    EXPECT_EQ(dailyWorkTable(), QStringList({"KR001 | 1-1 | 햇살목장 | 항생제 주사 | 2009-12-08 | 휴약 1일 남음 | 1",
                                             "KR005 | 2-5 | 한빛목장 | 소염제 | 2009-12-11 | 휴약 4일 남음 | ",
                                             "KR002 | 2-1 | O'Neil 목장 | 페니실린 | 2009-12-18 | 휴약 11일 남음 | "}));

    const QString text = pdfText(pdf);
    ASSERT_FALSE(text.isEmpty());
    for (const char* shown : {"휴약중 개체일람", "2009년 12월 08일", "개체식별번호", "남은 휴약기간", "KR001",
                              "항생제 주사", "휴약 11일 남음", "O'Neil 목장"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(shown))) << shown << "\n" << text.toStdString();
    EXPECT_LT(text.indexOf(QStringLiteral("KR001")), text.indexOf(QStringLiteral("KR005")));
    EXPECT_LT(text.indexOf(QStringLiteral("KR005")), text.indexOf(QStringLiteral("KR002")));

    // On paper, as on the screen, only the last day is bold.
    report::Definition def;
    QString error;
    ASSERT_TRUE(report::loadDefinition(reportControl().reportFileName, &def, &error)) << error.toStdString();
    report::Data data;
    QSqlQuery q = runQuery(QStringLiteral("select * from 일일관리 order by rowid"));
    while (q.next()) {
        QStringList cells;
        for (int c = 0; c < 7; ++c) cells << q.value(c).toString();
        data.rows << cells;
    }
    report::Layout layout;
    ASSERT_TRUE(report::layoutReport(def, data, report::kPrintDpi, &layout, &error)) << error.toStdString();
    for (const auto& [days, bold] :
         {std::pair{"휴약 1일 남음", true}, {"휴약 4일 남음", false}, {"휴약 11일 남음", false}}) {
        const report::TextBlock* cell = layoutcheck::findText(layout, QString::fromUtf8(days));
        ASSERT_TRUE(cell) << days;
        EXPECT_EQ(cell->bold, bold) << days;
    }
    EXPECT_FALSE(layoutcheck::findText(layout, QStringLiteral("KR001"))->bold);
}

TEST_F(WithdrawalListTest, AnEmptyListSaysSoAndPrintsNothing)
{
    animal("KR003", 0, "1-3", "들꽃목장");
    treat("KR003", 30, "항생제", -1);
    DailyWindow w;
    w.withdrawalOption()->click();
    EXPECT_EQ(w.rowCount(), 0);
    EXPECT_EQ(listGrid(&w)->maxRows(), 0);
    EXPECT_EQ(farm.messages().count(), 0);  // like the due lists: an empty list, no message
    w.functionButton(ListButton::Print)->click();
    ASSERT_EQ(farm.messages().count(), 1);
    EXPECT_EQ(farm.messages().last().text, QStringLiteral("출력할 개체정보가 존재하지 않습니다."));
    EXPECT_EQ(farm.messages().last().icon, MsgIcon::Critical);
}
