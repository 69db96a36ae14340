// 일일관리 driven through its controls on a small farm around a fixed today.
#include "DailyFixture.h"
#include "books/DailyWindow.h"
#include "data/Clock.h"
#include "data/Db.h"
#include "data/Globals.h"
#include "print/PrintScript.h"
#include "print/ReportJob.h"
#include "support/AccessibilityCheck.h"
#include "support/TestFarm.h"

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

namespace {

const QDate kToday(2009, 12, 8);

class DailyWindowTest : public FarmOnADay {
protected:
    DailyWindowTest() : FarmOnADay(kToday) {}

    void cow(const QString& number, const QString& pen = {}, const QString& ranch = {})
    {
        farm.addAnimal(number, 0, 0, {{QStringLiteral("우방번호"), pen}, {QStringLiteral("별명"), ranch}});
    }
    void bull(const QString& number) { farm.addAnimal(number, 1, 0); }
    // An insemination without a pregnancy check.
    void openInsemination(const QString& number, int daysAgo)
    {
        farm.addBreeding(number, dn(kToday.addDays(-daysAgo)));
    }
    // A checked insemination whose calving is expected `dueIn` days from today.
    void pregnancy(const QString& number, int dueIn, QVariantMap more = {})
    {
        const QDate inseminated = kToday.addDays(dueIn - 280);
        if (!more.contains(QStringLiteral("판정일"))) more[QStringLiteral("판정일")] = dn(inseminated.addDays(60));
        if (!more.contains(QStringLiteral("가부"))) more[QStringLiteral("가부")] = 0;
        farm.addBreeding(number, dn(inseminated), more);
    }
    // KR001 on the re-estrus list (inseminated 20 days ago), KR002 on the calving list.
    void oneCowOnEachList(int calvingDueIn)
    {
        cow(QStringLiteral("KR001"));
        openInsemination(QStringLiteral("KR001"), 20);
        cow(QStringLiteral("KR002"));
        pregnancy(QStringLiteral("KR002"), calvingDueIn);
    }
};

}  // namespace

TEST_F(DailyWindowTest, OpensOnTheReestrusListWithTheLoadDayHeaders)
{
    cow(QStringLiteral("KR003"), QStringLiteral("1-3"), QStringLiteral("들꽃목장"));
    cow(QStringLiteral("KR001"), QStringLiteral("1-1"), QStringLiteral("햇살목장"));
    cow(QStringLiteral("KR005"), QStringLiteral("2-1"), QStringLiteral("푸른들목장"));
    cow(QStringLiteral("KR002"), QStringLiteral("1-2"), QStringLiteral("한빛목장"));
    cow(QStringLiteral("KR004"), QStringLiteral("2-2"), QStringLiteral("새벽목장"));
    openInsemination(QStringLiteral("KR003"), 17);
    openInsemination(QStringLiteral("KR001"), 18);
    openInsemination(QStringLiteral("KR005"), 20);
    openInsemination(QStringLiteral("KR002"), 22);
    openInsemination(QStringLiteral("KR004"), 23);

    DailyWindow w;
    EXPECT_EQ(w.objectName(), QStringLiteral("일일관리"));
    EXPECT_EQ(w.windowTitle(), QStringLiteral("한우 일일관리 대상조회"));
    EXPECT_EQ(w.findChild<QRadioButton*>(QStringLiteral("Option1")), w.reestrusOption());
    EXPECT_EQ(w.reestrusOption()->text(), QStringLiteral("재발정예정개체"));
    EXPECT_EQ(w.calvingOption()->text(), QStringLiteral("출산예정개체"));
    EXPECT_TRUE(w.reestrusOption()->isChecked());
    EXPECT_FALSE(w.calvingOption()->isChecked());
    EXPECT_EQ(w.functionButton(ListButton::Print)->text(), QStringLiteral("인 쇄"));
    EXPECT_EQ(gridRow(listGrid(&w), 0),
              QStringList({"암소개체식별번호", "우방번호", "목장명", "어제( 2009년12월07일 )", "오늘( 2009년12월08일 )",
                           "내일( 2009년12월09일 )", "모레( 2009년12월10일 )"}));
    // 17 and 23 days ago are outside; 18, 20 and 22 are listed by animal number.
    EXPECT_EQ(gridRows(listGrid(&w)),
              QStringList({"KR001 | 1-1 | 햇살목장 | 재발정 3일전 | 재발정 2일전 | 재발정 1일전 | *재발정일",
                           "KR002 | 1-2 | 한빛목장 | *재발정일 |  |  | ",
                           "KR005 | 2-1 | 푸른들목장 | 재발정 1일전 | *재발정일 | *재발정일 | "}));
    EXPECT_EQ(w.rowCount(), 3);
    EXPECT_EQ(listGrid(&w)->rowHeight(1), Grid::kRowHeight);
    EXPECT_EQ(listGrid(&w)->activeRow(), 1);
    EXPECT_FALSE(w.waitLabel()->isVisible());
    EXPECT_TRUE(w.isEnabled());
    EXPECT_EQ(farm.messages().count(), 0);
}

// The count reads the plain days in the database and only the doubtful ones one by one: both
// halves must agree with what the list itself takes for a day.
TEST_F(DailyWindowTest, DatelessCountAgreesWithTheListOnEveryKindOfStoredDay)
{
    cow(QStringLiteral("KR009"));
    const struct {
        QVariant stored;
        bool dateless;
    } cases[] = {
        {20080229, false}, {20090229, true}, {20090430, false}, {20090431, true}, {20091231, false}, {20091301, true},
        {20090001, true},  {20090100, true}, {0, true},         {9990101, false}, {-20090101, true}, {199901011, true},
    };
    int expected = 0;
    for (const auto& c : cases) {
        execStatement(QStringLiteral(
                          "insert into 번식기록 (개체번호, 수정일, 판정일, 가부, 분만일) values ('KR009', ?, 0, 0, 0)"),
                      {c.stored});
        EXPECT_EQ(daily::inseminationDate(c.stored).isValid(), !c.dateless) << c.stored.toString().toStdString();
        expected += c.dateless ? 1 : 0;
    }
    EXPECT_EQ(daily::datelessReestrusRecords(), expected);
}

TEST_F(DailyWindowTest, DatelessRecordsAreLeftOutAndCountedUnderTheListOncePerQuery)
{
    oneCowOnEachList(0);
    DailyWindow w;
    auto* note = w.findChild<QLabel*>(QStringLiteral("lblSkipped"));
    ASSERT_TRUE(note);
    EXPECT_FALSE(note->isVisibleTo(&w));  // none left out

    cow(QStringLiteral("KR009"));
    farm.addBreeding(QStringLiteral("KR009"), 0);
    farm.addBreeding(QStringLiteral("KR009"), 20100230);
    w.query();
    ASSERT_EQ(w.rowCount(), 1);
    EXPECT_TRUE(rowText(listGrid(&w), 1).startsWith(QStringLiteral("KR001 |")));
    EXPECT_TRUE(note->isVisibleTo(&w));
    EXPECT_EQ(note->text(), QStringLiteral("날짜가 없는 번식기록 2건은 제외되었습니다"));
    EXPECT_EQ(note->accessibleName(), note->text());
    EXPECT_EQ(note->accessibleDescription(), QStringLiteral("lblSkipped"));
    EXPECT_EQ(farm.messages().count(), 0);  // told in the window, not in a message

    // The calving list would not read these unchecked records: nothing to say there.
    w.calvingOption()->click();
    ASSERT_EQ(w.rowCount(), 1);
    EXPECT_FALSE(note->isVisibleTo(&w));
    farm.addBreeding(QStringLiteral("KR009"), -1, {{QStringLiteral("판정일"), 20091001}, {QStringLiteral("가부"), 0}});
    w.query();
    EXPECT_EQ(w.rowCount(), 1);
    EXPECT_EQ(note->text(), QStringLiteral("날짜가 없는 번식기록 1건은 제외되었습니다"));
    EXPECT_TRUE(note->isVisibleTo(&w));

    w.withdrawalOption()->click();
    EXPECT_FALSE(note->isVisibleTo(&w));
    w.reestrusOption()->click();
    EXPECT_TRUE(note->isVisibleTo(&w));
}

TEST_F(DailyWindowTest, CheckedRecordsAndMalesAreNeverListed)
{
    cow(QStringLiteral("KR010"));
    cow(QStringLiteral("KR011"));
    cow(QStringLiteral("KR012"));
    cow(QStringLiteral("KR013"));
    cow(QStringLiteral("KR014"));
    bull(QStringLiteral("KR020"));
    bull(QStringLiteral("KR021"));
    // Inseminated 20 days ago but checked already, whatever the verdict.
    const QDate i20 = kToday.addDays(-20);
    const qint64 checked = dn(kToday.addDays(-1));
    farm.addBreeding(QStringLiteral("KR010"), dn(i20),
                     {{QStringLiteral("판정일"), checked}, {QStringLiteral("가부"), 0}});
    farm.addBreeding(QStringLiteral("KR011"), dn(i20),
                     {{QStringLiteral("판정일"), checked}, {QStringLiteral("가부"), 1}});
    farm.addBreeding(QStringLiteral("KR012"), dn(i20),
                     {{QStringLiteral("판정일"), checked}, {QStringLiteral("가부"), -1}});
    openInsemination(QStringLiteral("KR013"), 20);
    pregnancy(QStringLiteral("KR014"), 0);
    // Bulls with records that would otherwise be due.
    openInsemination(QStringLiteral("KR020"), 20);
    pregnancy(QStringLiteral("KR021"), 0);

    DailyWindow w;
    ASSERT_EQ(w.rowCount(), 1);
    EXPECT_TRUE(rowText(listGrid(&w), 1).startsWith(QStringLiteral("KR013 |")));
    w.calvingOption()->click();
    ASSERT_EQ(w.rowCount(), 1);
    EXPECT_TRUE(rowText(listGrid(&w), 1).startsWith(QStringLiteral("KR014 |")));
}

TEST_F(DailyWindowTest, TwoOpenInseminationsOfOneCowAreListedTwice)
{
    cow(QStringLiteral("KR030"), QStringLiteral("3-1"), QStringLiteral("햇살목장"));
    openInsemination(QStringLiteral("KR030"), 18);
    openInsemination(QStringLiteral("KR030"), 21);

    DailyWindow w;
    EXPECT_EQ(gridRows(listGrid(&w)),
              QStringList({"KR030 | 3-1 | 햇살목장 | *재발정일 | *재발정일 |  | ",
                           "KR030 | 3-1 | 햇살목장 | 재발정 3일전 | 재발정 2일전 | 재발정 1일전 | *재발정일"}));
    EXPECT_EQ(w.rowCount(), 2);
}

TEST_F(DailyWindowTest, Option2ShowsTheCalvingListAtOnceAndOption1SwitchesBack)
{
    // Expected calving relative to today; -10 and -9 are candidates taken back, +8 is outside.
    const struct {
        const char* number;
        int dueIn;
    } due[] = {{"KR101", -8}, {"KR102", -10}, {"KR103", 0}, {"KR104", -9}, {"KR105", 7}, {"KR106", 8}};
    for (const auto& d : due) {
        cow(QString::fromUtf8(d.number), QStringLiteral("5-1"), QStringLiteral("목장"));
        pregnancy(QString::fromUtf8(d.number), d.dueIn);
    }
    // Not pregnant, unjudged, or calved already: never in the calving list.
    cow(QStringLiteral("KR110"));
    cow(QStringLiteral("KR111"));
    cow(QStringLiteral("KR112"));
    pregnancy(QStringLiteral("KR110"), 0, {{QStringLiteral("가부"), 1}});
    pregnancy(QStringLiteral("KR111"), 0, {{QStringLiteral("가부"), -1}, {QStringLiteral("판정일"), 0}});
    pregnancy(QStringLiteral("KR112"), 0, {{QStringLiteral("분만일"), dn(kToday.addDays(-1))}});
    // One re-estrus row, so the switch visibly replaces the list.
    cow(QStringLiteral("KR001"));
    openInsemination(QStringLiteral("KR001"), 20);

    DailyWindow w;
    ASSERT_EQ(w.rowCount(), 1);
    w.calvingOption()->click();
    EXPECT_TRUE(w.calvingOption()->isChecked());
    EXPECT_EQ(gridRows(listGrid(&w)),
              QStringList({"KR101 | 5-1 | 목장 | 출산예정 7일후 |  |  | ",
                           "KR103 | 5-1 | 목장 | 출산예정 1일전 | *출산예정일 | 출산예정 1일후 | 출산예정 2일후",
                           "KR105 | 5-1 | 목장 | 출산예정 8일전 | 출산예정 7일전 | 출산예정 6일전 | 출산예정 5일전"}));
    EXPECT_EQ(w.rowCount(), 3);
    EXPECT_EQ(listGrid(&w)->maxRows(), 3);
    EXPECT_EQ(listGrid(&w)->activeRow(), 1);
    // The headers stay those of the load.
    EXPECT_EQ(listGrid(&w)->cellText(5, 0), QStringLiteral("오늘( 2009년12월08일 )"));

    w.reestrusOption()->click();
    EXPECT_EQ(gridRows(listGrid(&w)), QStringList({"KR001 |  |  | 재발정 1일전 | *재발정일 | *재발정일 | "}));
    EXPECT_EQ(w.rowCount(), 1);
    EXPECT_EQ(farm.messages().count(), 0);
}

TEST_F(DailyWindowTest, OverMidnightHeadersStayWhileQueriesAndPrintsUseTheNewDay)
{
    cow(QStringLiteral("KR040"));
    openInsemination(QStringLiteral("KR040"), 20);
    DailyWindow w;
    ASSERT_EQ(gridRows(listGrid(&w)), QStringList({"KR040 |  |  | 재발정 1일전 | *재발정일 | *재발정일 | "}));
    const QStringList loadHeaders = gridRow(listGrid(&w), 0);

    setTodayOverride(kToday.addDays(1));
    w.functionButton(ListButton::Query)->click();
    EXPECT_EQ(gridRow(listGrid(&w), 0), loadHeaders);
    EXPECT_EQ(gridRows(listGrid(&w)), QStringList({"KR040 |  |  | *재발정일 | *재발정일 |  | "}));
    EXPECT_EQ(w.printSpec().formulas(), (report::Formulas{{"타이틀", "재발정예정 개체일람"},
                                                          {"어제", "어제(12월08일)"},
                                                          {"오늘", "오늘(12월09일)"},
                                                          {"내일", "내일(12월10일)"},
                                                          {"모레", "모레(12월11일)"}}));

    // Three days on, the record has left the list.
    setTodayOverride(kToday.addDays(3));
    w.show();
    QKeyEvent f11(QEvent::KeyPress, Qt::Key_F11, Qt::NoModifier);
    QApplication::sendEvent(listGrid(&w), &f11);
    EXPECT_EQ(w.rowCount(), 0);
    EXPECT_EQ(listGrid(&w)->maxRows(), 0);
    EXPECT_EQ(gridRow(listGrid(&w), 0), loadHeaders);
}

TEST_F(DailyWindowTest, PrintTextsFollowTheSelectedOption)
{
    DailyWindow w;
    ListPrint p = w.printSpec();
    EXPECT_EQ(p.nothingMessage, QStringLiteral("출력할 개체정보가 존재하지 않습니다."));
    EXPECT_EQ(p.question, QStringLiteral("재발정예정 개체일람을 출력 하시겠습니까?"));
    EXPECT_EQ(p.reportFile, QStringLiteral("일일관리.rpt"));
    EXPECT_EQ(p.previewTitle, QStringLiteral("재발정예정 개체일람"));
    EXPECT_EQ(p.workTable, QStringLiteral("일일관리"));
    EXPECT_EQ(p.columns, 7);
    EXPECT_EQ(p.formulas().value("타이틀"), QStringLiteral("재발정예정 개체일람"));
    EXPECT_EQ(p.formulas().value("오늘"), QStringLiteral("오늘(12월08일)"));

    w.calvingOption()->click();
    p = w.printSpec();
    EXPECT_EQ(p.question, QStringLiteral("출산예정 개체일람을 출력 하시겠습니까?"));
    EXPECT_EQ(p.previewTitle, QStringLiteral("출산예정 개체일람"));
    EXPECT_EQ(p.formulas(), (report::Formulas{{"타이틀", "출산예정 개체일람"},
                                              {"어제", "어제(12월07일)"},
                                              {"오늘", "오늘(12월08일)"},
                                              {"내일", "내일(12월09일)"},
                                              {"모레", "모레(12월10일)"}}));
}

TEST_F(DailyWindowTest, PrintingAnEmptyListSaysSoAndLeavesTheWorkTableAlone)
{
    farm.exec(QStringLiteral("insert into 일일관리 values('지난번', '', '', '', '', '', '')"));
    DailyWindow w;
    ASSERT_EQ(w.rowCount(), 0);
    w.functionButton(ListButton::Print)->click();
    ASSERT_EQ(farm.messages().count(), 1);
    const MessageSpec& m = farm.messages().last();
    EXPECT_EQ(m.icon, MsgIcon::Critical);
    EXPECT_EQ(m.title, QStringLiteral("출력확인"));
    EXPECT_EQ(m.text, QStringLiteral("출력할 개체정보가 존재하지 않습니다."));
    EXPECT_EQ(farm.count(QStringLiteral("일일관리")), 1);
    EXPECT_EQ(farm.scalar(QStringLiteral("select c01 from 일일관리")), QStringLiteral("지난번"));
}

TEST_F(DailyWindowTest, PrintAsksTheQuestionOfTheSelectedList)
{
    oneCowOnEachList(1);
    DailyWindow w;
    farm.messages().answer(MsgButton::No);
    w.functionButton(ListButton::Print)->click();
    ASSERT_EQ(farm.messages().count(), 1);
    EXPECT_EQ(farm.messages().last().icon, MsgIcon::Question);
    EXPECT_EQ(farm.messages().last().title, QStringLiteral("출력확인"));
    EXPECT_EQ(farm.messages().last().text, QStringLiteral("재발정예정 개체일람을 출력 하시겠습니까?"));

    w.calvingOption()->click();
    farm.messages().answer(MsgButton::No);
    w.functionButton(ListButton::Print)->click();
    ASSERT_EQ(farm.messages().count(), 2);
    EXPECT_EQ(farm.messages().last().text, QStringLiteral("출산예정 개체일람을 출력 하시겠습니까?"));
    EXPECT_EQ(farm.count(QStringLiteral("일일관리")), 0);
}

TEST_F(DailyWindowTest, AnUnreadableInseminationDateStopsTheQueryAndKeepsTheRowsBefore)
{
    // On 21 December the re-estrus window covers inseminations from 29 November to
    // 3 December, so the impossible 31 November falls inside it.
    setTodayOverride(QDate(2009, 12, 21));
    cow(QStringLiteral("KR050"));
    cow(QStringLiteral("KR051"));
    cow(QStringLiteral("KR052"));
    farm.addBreeding(QStringLiteral("KR050"), 20091129);
    farm.addBreeding(QStringLiteral("KR051"), 20091131);
    farm.addBreeding(QStringLiteral("KR052"), 20091201);
    DailyWindow w;
    ASSERT_EQ(farm.messages().count(), 1);
    EXPECT_EQ(farm.messages().last().title, kAppTitle);
    EXPECT_TRUE(farm.messages().last().text.contains(QStringLiteral("20091131")));
    EXPECT_EQ(gridRows(listGrid(&w)), QStringList({"KR050 |  |  | *재발정일 |  |  | "}));
    EXPECT_EQ(w.rowCount(), 1);
    EXPECT_TRUE(w.isEnabled());
    EXPECT_FALSE(w.waitLabel()->isVisible());
}

TEST_F(DailyWindowTest, AFailedConnectionEndsTheProgramBeforeAnyQuery)
{
    farm.close();
    ASSERT_TRUE(QFile::remove(farm.dir() + QStringLiteral("/db/TARVIK.db")));
    DailyWindow w;
    EXPECT_EQ(farm.exitCalls(), 1);
    ASSERT_EQ(farm.messages().count(), 1);
    EXPECT_EQ(farm.messages().last().title, QStringLiteral("데이터베이스 연결 오류"));
    EXPECT_EQ(w.rowCount(), 0);
    w.functionButton(ListButton::Query)->click();
    EXPECT_EQ(farm.messages().count(), 1);
}

TEST_F(DailyWindowTest, PrintFillsTheWorkTableAsShownAndSetsTheDayFormulasOfThePrintDay)
{
    cow(QStringLiteral("KR002"), QStringLiteral("2-1"), QStringLiteral("햇살목장"));
    cow(QStringLiteral("KR001"), QStringLiteral("A'1"), QStringLiteral("O'Neil 목장"));
    openInsemination(QStringLiteral("KR001"), 19);
    openInsemination(QStringLiteral("KR002"), 20);
    DailyWindow w;
    ASSERT_EQ(w.rowCount(), 2);

    const int runsBefore = reportControl().runCount();
    // Printed the next morning without a new query: the table holds the rows as shown,
    // the day formulas are those of the print day.
    setTodayOverride(kToday.addDays(1));
    QStringList previewTitles;
    {
        PrintScript print;  // the printer dialog chooses the preview
        farm.messages().answer(MsgButton::Yes);
        w.functionButton(ListButton::Print)->click();
        previewTitles = print.previewTitles;
    }

    ASSERT_EQ(farm.messages().count(), 1) << farm.messages().last().text.toStdString();
    EXPECT_EQ(farm.messages().last().text, QStringLiteral("재발정예정 개체일람을 출력 하시겠습니까?"));
    EXPECT_EQ(reportControl().runCount(), runsBefore + 1);
    EXPECT_TRUE(reportControl().reportFileName.endsWith(QStringLiteral("rpt/일일관리.rpt")));
    EXPECT_EQ(reportControl().windowTitle, QStringLiteral("재발정예정 개체일람"));
    ASSERT_EQ(previewTitles.size(), 1);
    EXPECT_TRUE(previewTitles[0].contains(QStringLiteral("재발정예정 개체일람")));
    EXPECT_EQ(reportControl().formulas, (report::Formulas{{"타이틀", "재발정예정 개체일람"},
                                                          {"어제", "어제(12월08일)"},
                                                          {"오늘", "오늘(12월09일)"},
                                                          {"내일", "내일(12월10일)"},
                                                          {"모레", "모레(12월11일)"}}));

    ASSERT_EQ(farm.count(QStringLiteral("일일관리")), 2);
    EXPECT_EQ(dailyWorkTable(),
              QStringList({"KR001 | A'1 | O'Neil 목장 | 재발정 2일전 | 재발정 1일전 | 재발정일 | 재발정일",
                           "KR002 | 2-1 | 햇살목장 | 재발정 1일전 | 재발정일 | 재발정일 | "}));
}

TEST_F(DailyWindowTest, EachListWaitsWithItsOwnText)
{
    DailyWindow w;
    // The label keeps the caption of the last query after it is hidden again.
    EXPECT_EQ(w.waitLabel()->text(), QStringLiteral("재발정예정개체를 조회중 입니다. 잠시만 기다려 주세요.\r\n\r\n"
                                                    "데이터 용량에 따라 수초에서 수분이 걸릴 수 있습니다."));
    w.calvingOption()->click();
    EXPECT_EQ(w.waitLabel()->text(), QStringLiteral("출산예정개체를 조회중 입니다. 잠시만 기다려 주세요.\r\n\r\n"
                                                    "데이터 용량에 따라 수초에서 수분이 걸릴 수 있습니다."));
    EXPECT_FALSE(w.waitLabel()->isVisible());
}

TEST_F(DailyWindowTest, ThePrintedListShowsItsTitleTheDaysOfThePrintAndEveryRow)
{
    cow(QStringLiteral("KR001"), QStringLiteral("1-1"), QStringLiteral("햇살목장"));
    cow(QStringLiteral("KR002"), QStringLiteral("1-2"), QStringLiteral("한빛목장"));
    openInsemination(QStringLiteral("KR001"), 20);
    pregnancy(QStringLiteral("KR002"), 0);
    DailyWindow w;
    QTemporaryDir out;
    ASSERT_TRUE(out.isValid());

    struct Case {
        QRadioButton* option;
        QString title, number, cell;
    };
    const Case cases[] = {{w.reestrusOption(), QStringLiteral("재발정예정 개체일람"), QStringLiteral("KR001"),
                           QStringLiteral("재발정 1일전")},
                          {w.calvingOption(), QStringLiteral("출산예정 개체일람"), QStringLiteral("KR002"),
                           QStringLiteral("출산예정 1일전")}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title.toStdString());
        c.option->click();
        ASSERT_EQ(w.rowCount(), 1);
        const QString pdf = out.filePath(c.number + QStringLiteral(".pdf"));
        {
            PrintScript print;
            print.savePdf(pdf);
            farm.messages().answer(MsgButton::Yes);
            w.functionButton(ListButton::Print)->click();
        }
        const QString text = pdfText(pdf);
        ASSERT_FALSE(text.isEmpty());
        EXPECT_TRUE(text.contains(c.title)) << text.toStdString();
        for (const char* day : {"어제(12월07일)", "오늘(12월08일)", "내일(12월09일)", "모레(12월10일)"})
            EXPECT_TRUE(text.contains(QString::fromUtf8(day))) << day;
        EXPECT_TRUE(text.contains(c.number));
        EXPECT_TRUE(text.contains(c.cell));
    }
}

TEST_F(DailyWindowTest, AnOptionSelectedByAnyMeansShowsItsList)
{
    oneCowOnEachList(0);
    DailyWindow w;
    w.show();
    QRadioButton* reestrus = w.reestrusOption();
    QRadioButton* calving = w.calvingOption();
    ASSERT_EQ(gridColumn(listGrid(&w), 1), QStringList({"KR001"}));

    struct Way {
        const char* name;
        QRadioButton* option;
        std::function<void()> select;
        const char* listed;
    };
    const Way ways[] = {
        {"setChecked", calving, [&] { calving->setChecked(true); }, "KR002"},
        {"space key", reestrus, [&] { QTest::keyClick(reestrus, Qt::Key_Space); }, "KR001"},
        {"arrow key", calving,
         [&] {
             reestrus->setFocus();
             QTest::keyClick(reestrus, Qt::Key_Right);
         },
         "KR002"},
        {"accessibility toggle action", reestrus,
         [&] {
             QAccessibleInterface* a = QAccessible::queryAccessibleInterface(reestrus);
             ASSERT_TRUE(a && a->actionInterface());
             a->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
         },
         "KR001"},
    };
    for (const Way& way : ways) {
        SCOPED_TRACE(way.name);
        way.select();
        EXPECT_TRUE(way.option->isChecked());
        EXPECT_EQ(gridColumn(listGrid(&w), 1), QStringList({QString::fromUtf8(way.listed)}));
    }
    EXPECT_EQ(farm.messages().count(), 0);
}

TEST_F(DailyWindowTest, EachSelectionOrClickOnAnOptionQueriesOnce)
{
    DailyWindow w;
    w.show();
    // From here on every query fails with one plain error message: the messages count them.
    farm.exec(QStringLiteral("alter table 번식기록 rename to 번식기록_old"));
    w.calvingOption()->click();
    EXPECT_EQ(farm.messages().count(), 1);
    // A click on the option already selected shows its list again.
    w.calvingOption()->click();
    EXPECT_EQ(farm.messages().count(), 2);
    w.reestrusOption()->setChecked(true);
    EXPECT_EQ(farm.messages().count(), 3);
    // Setting the selected option again changes nothing and queries nothing.
    w.reestrusOption()->setChecked(true);
    EXPECT_EQ(farm.messages().count(), 3);
    EXPECT_TRUE(w.isEnabled());
}

TEST_F(DailyWindowTest, ControlsAreHeardByTheirCaptionsAndTheListByItsTitle)
{
    DailyWindow w;
    EXPECT_TRUE(controlsHeardByControlName(&w).isEmpty()) << controlsHeardByControlName(&w).join(u'\n').toStdString();
    EXPECT_EQ(w.reestrusOption()->accessibleName(), QStringLiteral("재발정예정개체"));
    EXPECT_EQ(w.reestrusOption()->accessibleDescription(), QStringLiteral("Option1"));
    EXPECT_EQ(w.calvingOption()->accessibleName(), QStringLiteral("출산예정개체"));
    EXPECT_EQ(w.calvingOption()->accessibleDescription(), QStringLiteral("Option2"));
    // "인 쇄" is spelled out with a blank on the button, and heard as the word.
    EXPECT_EQ(w.functionButton(ListButton::Print)->accessibleName(), QStringLiteral("인쇄"));
    EXPECT_EQ(listGrid(&w)->accessibleName(), QStringLiteral("재발정예정 개체일람"));
    w.calvingOption()->click();
    EXPECT_EQ(listGrid(&w)->accessibleName(), QStringLiteral("출산예정 개체일람"));
}
