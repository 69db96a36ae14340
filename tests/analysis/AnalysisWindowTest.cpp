// The 성적분석 window on a small farm: the figures it shows against the targets, in words and
// colours; the conception tables, the pending work list and the shipment results by sire; the
// targets dialog storing new targets and the verdicts following; the print of every table and
// the workbook of one sheet per table.
#include "analysis/AnalysisCharts.h"
#include "analysis/AnalysisWindow.h"
#include "analysis/TargetsDialog.h"
#include "analysis/model/AnalysisTables.h"
#include "books/BookFixture.h"
#include "data/SampleFarm.h"
#include "kit/FieldFocus.h"
#include "kit/GridExport.h"
#include "print/PrintScript.h"
#include "support/AccessibilityCheck.h"
#include "support/ExportReaders.h"
#include "support/ModalDriver.h"

#include <QChart>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QJsonArray>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTemporaryDir>

using namespace analysis;

namespace {

class AnalysisWindowTest : public BookTest {
protected:
    // Two cows and five shipped steers, around today 2009-12-08. Worked out by hand for 2009:
    //  KR1: calved 2008-12-01; 2009-01-20 service 1 checked 부; 2009-02-15 service 2 checked
    //       가, calved 2009-11-25: calving interval 359 days, first service 50 days, days open 76.
    //       The calving entered again as 2009-11-27: a 2-day interval, set aside and listed.
    //  KR2 (born 2007-01-01): first calving 2009-08-01 (943 days: 31.0 months); service
    //       2009-10-05 without a check: pending, 64 days old, on the work list.
    //  KR3: an embryo transfer 2009-04-01 checked 가, apart from the rates.
    //  Services of 2009 with a known outcome: 2 (one conceived), one pending.
    //  Steers: sire KPN1 three (1++A, 1+B, 1++B), sire KPN2 two (2C and 등외); none has a live
    //  weight, a loin eye or a backfat entered.
    AnalysisWindowTest()
    {
        farm.exec(QStringLiteral("update 농장정보 set 사업장명칭 = '햇살한우농장'"));
        cow(QStringLiteral("KR1"), {{"우방번호", "1-1"}});
        farm.addBreeding(QStringLiteral("KR1"), 20080220,
                         {{"회수", 1}, {"판정일", 20080420}, {"가부", 0}, {"분만일", 20081201}, {"정액번호", "0987"}});
        farm.addBreeding(
            QStringLiteral("KR1"), 20090120,
            {{"회수", 1}, {"판정일", 20090301}, {"가부", 1}, {"정액번호", "0987"}, {"인공수정자", "김수정"}});
        farm.addBreeding(QStringLiteral("KR1"), 20090215,
                         {{"회수", 2},
                          {"판정일", 20090420},
                          {"가부", 0},
                          {"분만일", 20091125},
                          {"정액번호", "1050"},
                          {"인공수정자", "김수정"}});
        farm.addBreeding(QStringLiteral("KR1"), 0, {{"분만일", 20091127}});
        farm.addAnimal(QStringLiteral("KR2"), 0, 20070101, {{"우방번호", "2-2"}});
        farm.addBreeding(QStringLiteral("KR2"), 20081025,
                         {{"회수", 1}, {"판정일", 20081225}, {"가부", 0}, {"분만일", 20090801}, {"정액번호", "1050"}});
        farm.addBreeding(QStringLiteral("KR2"), 20091005,
                         {{"회수", 1}, {"정액번호", "1050"}, {"인공수정자", "이인공"}});
        cow(QStringLiteral("KR3"), {{"우방번호", "3-3"}});
        farm.addBreeding(QStringLiteral("KR3"), 20090401,
                         {{"회수", 1}, {"공란우", "KR900"}, {"판정일", 20090601}, {"가부", 0}});

        const struct {
            const char* number;
            const char* sire;
            const char* grade;
            double carcass;
            double marbling;
        } steers[] = {{"KR5", "KPN1", "1++A", 450, 8},
                      {"KR6", "KPN1", "1+B", 430, 6},
                      {"KR7", "KPN1", "1++B", 440, 7},
                      {"KR8", "KPN2", "2C", 400, 2},
                      {"KR9", "KPN2", "등외", 380, 1}};
        for (const auto& s : steers) {
            farm.addAnimal(QString::fromUtf8(s.number), 1, 20070301, {{"정액번호", QString::fromUtf8(s.sire)}});
            grading(QString::fromUtf8(s.number), 20091110,
                    {{"최종등급", QString::fromUtf8(s.grade)},
                     {"도체중", s.carcass},
                     {"근내지방", s.marbling},
                     {"경락가", 20000}});
        }
    }

    // The window queried over 2009.
    void query(AnalysisWindow& w)
    {
        w.setPeriod(QDate(2009, 1, 1), QDate(2009, 12, 31));
        w.query();
        ASSERT_TRUE(w.hasResult());
    }

    // Data row `row` of table `id`, "a | b | c".
    static std::string row(const AnalysisWindow& w, TableId id, int row)
    {
        return gridRow(w.table(id), row).join(QStringLiteral(" | ")).toStdString();
    }
};

}  // namespace

TEST_F(AnalysisWindowTest, OpensOnTheLastTwelveMonthsWithEveryControlNamed)
{
    AnalysisWindow w;
    EXPECT_EQ(w.objectName(), QStringLiteral("frm성적분석"));
    EXPECT_EQ(w.windowTitle(), QStringLiteral("성적분석"));
    EXPECT_EQ(w.startDate()->date(), QDate(2008, 12, 9));
    EXPECT_EQ(w.endDate()->date(), kToday);
    for (const char* name : {"Com_Function_0", "Com_Function_1", "Com_Function_2", "Com_Function_99", "cmdTargets"})
        EXPECT_TRUE(w.findChild<QPushButton*>(QString::fromUtf8(name))) << name;
    EXPECT_EQ(w.functionButton(ListButton::Print)->text(), QStringLiteral("인쇄"));
    EXPECT_EQ(w.functionButton(ListButton::Save)->menu(), nullptr);  // one workbook, no menu
    QStringList tabs;
    for (int i = 0; i < w.tabs()->count(); ++i) tabs << w.tabs()->tabText(i);
    EXPECT_EQ(tabs, (QStringList{"번식성적", "출하성적", "차트"}));
    EXPECT_FALSE(w.hasResult());
    EXPECT_EQ(controlsHeardByControlName(&w), QStringList());
    EXPECT_EQ(farm.messages().count(), 0);
}

TEST_F(AnalysisWindowTest, ShowsTheFiguresWithTargetsVerdictsPendingWorkAndShipmentsBySire)
{
    AnalysisWindow w;
    query(w);
    EXPECT_EQ(farm.messages().count(), 0);

    // Figure (unit), value, target, verdict (the word, and its colour below), n, left out,
    // pending, set aside to be checked. The 2-day interval does not pull 359 down.
    const std::vector<std::string> figures = {
        "분만간격 (일) | 359.0 | 365 | 목표 달성 | 1 | 0 | 0 | 1",
        "분만 후 첫 수정일수 (일) | 57.5 | 120 | 목표 달성 | 2 | 0 | 0 | 0",
        "공태일수 (일) | 76.0 | 85 | 목표 달성 | 1 | 0 | 1 | 0",
        "수태당 수정횟수 (회) | 2.00 | 1.45 | 목표 미달 | 2 | 0 | 1 | 0",
        "수태율 (%) | 50.0 | 72 | 목표 미달 | 2 | 0 | 1 | 0",
        "초산월령 (개월) | 31.0 | 28.7 | 목표 미달 | 1 | 0 | 0 | 0",
    };
    Grid* g = w.table(TableId::Figures);
    ASSERT_EQ(g->maxRows(), 6);
    for (int r = 1; r <= 6; ++r) {
        EXPECT_EQ(row(w, TableId::Figures, r), figures[r - 1]);
        const bool meets = QString::fromStdString(figures[r - 1]).contains(QStringLiteral("목표 달성"));
        EXPECT_EQ(g->rowForeColor(r), QColor::fromRgb(meets ? kMeetsColor : kMissesColor)) << r;
    }

    EXPECT_EQ(row(w, TableId::Conception, 1), "전체 | 2 | 1 | 1 | 50.0 | 2.00");
    EXPECT_EQ(row(w, TableId::Conception, 2), "첫 수정(1회) | 1 | 0 | 1 | 0.0 | ");
    EXPECT_EQ(gridColumn(w.table(TableId::Conception), 1).last(), QStringLiteral("수정란 이식(별도)"));
    EXPECT_EQ(gridRow(w.table(TableId::Conception), 6).mid(1, 3), (QStringList{"1", "1", "0"}));
    EXPECT_TRUE(w.embryoNote()->text().startsWith(QStringLiteral("수정란 이식: 1건 중 수태 1건")));
    EXPECT_EQ(gridColumn(w.table(TableId::BySemen), 1), (QStringList{"1050", "0987"}));
    EXPECT_EQ(row(w, TableId::BySemen, 1), "1050 | 1 | 1 | 1 | 100.0 | 1.00");
    EXPECT_EQ(row(w, TableId::ByInseminator, 1), "김수정 | 2 | 1 | 0 | 50.0 | 2.00");
    EXPECT_EQ(w.table(TableId::ByMonth)->maxRows(), 12);

    // The work list: number, pen, insemination date, days since.
    ASSERT_EQ(w.table(TableId::Pending)->maxRows(), 1);
    EXPECT_EQ(row(w, TableId::Pending, 1), "KR2 | 2-2 | 2009-10-05 | 인공수정 | 64");
    EXPECT_EQ(w.findChild<QGroupBox*>(QStringLiteral("fra미확인"))->title(), QStringLiteral("결과 미확인 수정 (1건)"));

    // The calving entered twice, to be checked, and what was left out for it.
    EXPECT_EQ(gridRows(w.table(TableId::ToCheck)),
              QStringList{"분만간격 300일 미만 | KR1 | 2009-11-25 | 2009-11-27 | 2 | 1-1"});
    EXPECT_EQ(w.findChild<QGroupBox*>(QStringLiteral("fra확인"))->title(), QStringLiteral("확인할 기록 (1건)"));
    EXPECT_FALSE(w.checkNote()->isHidden());
    EXPECT_TRUE(w.checkNote()->text().startsWith(QStringLiteral(
        "확인할 기록 1건 — 평균에서 뺀 값: 분만간격 1건(분포에서도 뺌), 첫 수정일수 0건, 공태일수 0건.")))
        << w.checkNote()->text().toStdString();

    // By sire, most head first, and the total line last: head, age, live and carcass weight,
    // loin eye, backfat, marbling, 1++ 1+ 1 2 3 (%), A B C (%), 기타, ungraded, price.
    Grid* sires = w.table(TableId::BySire);
    ASSERT_EQ(sires->maxRows(), 3);
    EXPECT_EQ(gridRow(sires, 1).mid(0, 2), (QStringList{"KPN1", "3"}));
    EXPECT_EQ(gridRow(sires, 1).mid(4, 1), QStringList{"440.0"});
    EXPECT_EQ(gridRow(sires, 1).mid(7, 9),
              (QStringList{"7.0", "66.7", "33.3", "0.0", "0.0", "0.0", "33.3", "66.7", "0.0"}));
    EXPECT_EQ(gridRow(sires, 2).mid(0, 2), (QStringList{"KPN2", "2"}));
    EXPECT_EQ(gridRow(sires, 2).mid(8, 8), (QStringList{"0.0", "0.0", "0.0", "100.0", "0.0", "0.0", "0.0", "100.0"}));
    EXPECT_EQ(gridRow(sires, 2).at(16), QStringLiteral("1"));  // 등외 is 기타
    EXPECT_EQ(gridRow(sires, 3).mid(0, 2), (QStringList{"합계", "5"}));
    EXPECT_EQ(gridRow(sires, 3).last(), QStringLiteral("20,000"));
    EXPECT_EQ(row(w, TableId::OtherGrades, 1), "KR9 | 2009-11-10 | 등외");
    EXPECT_EQ(gridColumn(w.table(TableId::BySex), 1), (QStringList{"수", "합계"}));
    // What each line's averages left out as not entered: age, live weight, carcass weight, loin
    // eye, backfat, marbling, price; by sire, by sex and in all.
    EXPECT_EQ(gridRows(w.table(TableId::ShipmentLeftOut)), (QStringList{
                                                               "아비 KPN1 | 0 | 3 | 0 | 3 | 3 | 0 | 0",
                                                               "아비 KPN2 | 0 | 2 | 0 | 2 | 2 | 0 | 0",
                                                               "성별 수 | 0 | 5 | 0 | 5 | 5 | 0 | 0",
                                                               "합계 | 0 | 5 | 0 | 5 | 5 | 0 | 0",
                                                           }));

    // The charts drew what the tables hold.
    EXPECT_EQ(w.charts()->intervalChart()->title(), QStringLiteral("분만간격 분포 (1건)"));
    EXPECT_FALSE(w.charts()->gradeChart()->series().isEmpty());
}

TEST_F(AnalysisWindowTest, AHeaderClickSortsTheShipmentTableAndTheTotalStaysLast)
{
    AnalysisWindow w;
    query(w);
    Grid* sires = w.table(TableId::BySire);
    QHeaderView* header = sires->horizontalHeader();
    const auto labels = [&] { return gridColumn(sires, 1); };
    // 도체중: largest first, then the other way round.
    emit header->sectionClicked(4);
    EXPECT_EQ(labels(), (QStringList{"KPN1", "KPN2", "합계"}));
    emit header->sectionClicked(4);
    EXPECT_EQ(labels(), (QStringList{"KPN2", "KPN1", "합계"}));
    EXPECT_EQ(header->sortIndicatorSection(), 4);
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::AscendingOrder);
    // A text column from 가; a new query keeps the order asked for.
    emit header->sectionClicked(0);
    emit header->sectionClicked(0);
    EXPECT_EQ(labels(), (QStringList{"KPN2", "KPN1", "합계"}));
    w.query();
    EXPECT_EQ(labels(), (QStringList{"KPN2", "KPN1", "합계"}));
    EXPECT_TRUE(sires->cellText(1, 3) == QStringLiteral("합계"));
}

TEST_F(AnalysisWindowTest, TheTargetsDialogRefusesBadValuesStoresGoodOnesAndTheVerdictsFollow)
{
    AnalysisWindow w;
    w.show();
    query(w);
    ASSERT_EQ(gridRow(w.table(TableId::Figures), 5).at(3), QStringLiteral("목표 미달"));

    const struct {
        TargetFigure figure;
        const char* typed;
        const char* title;
        const char* message;
    } refused[] = {
        {TargetFigure::ConceptionRate, "", "미입력", "수태율 목표를 입력해 주세요."},
        {TargetFigure::ConceptionRate, "칠십", "값 부정", "수태율 목표는 숫자로 입력해 주세요."},
        {TargetFigure::ConceptionRate, "0", "값 부정", "수태율 목표는 10~100% 사이의 수로 입력해 주세요."},
        {TargetFigure::ConceptionRate, "120", "값 부정", "수태율 목표는 10~100% 사이의 수로 입력해 주세요."},
        {TargetFigure::CalvingInterval, "99999999999", "값 부정",
         "분만간격 목표는 300~500일 사이의 수로 입력해 주세요."},
        {TargetFigure::CalvingInterval, "1000000", "값 부정", "분만간격 목표는 300~500일 사이의 수로 입력해 주세요."},
        {TargetFigure::CalvingInterval, "36500", "값 부정", "분만간격 목표는 300~500일 사이의 수로 입력해 주세요."},
        {TargetFigure::AgeAtFirstCalving, "100000", "값 부정", "초산월령 목표는 18~48개월 사이의 수로 입력해 주세요."},
        {TargetFigure::ServicesPerConception, "5000", "값 부정",
         "수태당 수정횟수 목표는 1~5회 사이의 수로 입력해 주세요."},
    };
    for (const auto& c : refused) {
        SCOPED_TRACE(c.typed);
        farm.messages().clear();
        const bool ran = driveModal<TargetsDialog>(
            [&] { w.targetsButton()->click(); },
            [&](TargetsDialog& d) {
                // The defaults, their ranges and where they come from.
                EXPECT_TRUE(d.sourceNote()->text().contains(QStringLiteral("현장 실태조사")));
                EXPECT_EQ(d.input(TargetFigure::ConceptionRate)->text(), QStringLiteral("72"));
                EXPECT_TRUE(d.findChild<QLabel*>(QStringLiteral("분만간격기본"))
                                ->text()
                                .endsWith(QStringLiteral("입력 범위 300~500일")));
                d.input(c.figure)->setText(QString::fromUtf8(c.typed));
                d.buttons().save->click();
                EXPECT_TRUE(d.isVisible());
                QApplication::processEvents();
                EXPECT_EQ(QApplication::focusWidget(), d.input(c.figure));
            });
        ASSERT_TRUE(ran);
        ASSERT_EQ(farm.messages().count(), 1);
        EXPECT_EQ(farm.messages().last().title, QString::fromUtf8(c.title));
        EXPECT_EQ(farm.messages().last().text, QString::fromUtf8(c.message));
        EXPECT_EQ(farm.count(QStringLiteral("성적목표")), 0);
    }

    farm.messages().clear();
    ASSERT_TRUE(driveModal<TargetsDialog>([&] { w.targetsButton()->click(); },
                                          [&](TargetsDialog& d) {
                                              d.input(TargetFigure::ConceptionRate)->setText(QStringLiteral(" 50 "));
                                              d.input(TargetFigure::AgeAtFirstCalving)->setText(QStringLiteral("31"));
                                              d.buttons().save->click();
                                              EXPECT_FALSE(d.isVisible());
                                          }));
    EXPECT_EQ(farm.messages().count(), 0);
    EXPECT_EQ(farm.count(QStringLiteral("성적목표")), 6);
    EXPECT_EQ(farm.scalar(QStringLiteral("select 목표값 from 성적목표 where 항목 = '수태율'")), QStringLiteral("50"));
    EXPECT_EQ(row(w, TableId::Figures, 5), "수태율 (%) | 50.0 | 50 | 목표 달성 | 2 | 0 | 1 | 0");
    EXPECT_EQ(w.table(TableId::Figures)->rowForeColor(5), QColor::fromRgb(kMeetsColor));
    EXPECT_EQ(gridRow(w.table(TableId::Figures), 6).mid(2, 2), (QStringList{"31", "목표 달성"}));

    // A cancelled dialog stores nothing; a window opened later judges by the stored targets.
    ASSERT_TRUE(driveModal<TargetsDialog>([&] { w.targetsButton()->click(); },
                                          [&](TargetsDialog& d) {
                                              d.input(TargetFigure::ConceptionRate)->setText(QStringLiteral("90"));
                                              d.buttons().cancel->click();
                                          }));
    EXPECT_EQ(w.targets()[TargetFigure::ConceptionRate], 50);
    AnalysisWindow later;
    EXPECT_EQ(later.targets()[TargetFigure::ConceptionRate], 50);
}

// A value an older version stored without a word hung every query; it is now read as its default.
TEST_F(AnalysisWindowTest, AStoredTargetOutsideItsRangeIsJudgedByItsDefaultAndTheWindowSaysSo)
{
    storeTargets(defaultTargets());
    farm.exec(QStringLiteral("update 성적목표 set 목표값 = 99999999999 where 항목 = '분만간격'"));
    AnalysisWindow w;
    w.show();
    EXPECT_EQ(farm.messages().count(), 0);
    EXPECT_EQ(w.targets()[TargetFigure::CalvingInterval], 365);
    EXPECT_TRUE(w.targetsNote()->text().contains(
        QStringLiteral("저장된 분만간격 목표(99999999999)는 300~500일 밖이라 기본값 365일로 판정합니다.")))
        << w.targetsNote()->text().toStdString();
    query(w);
    EXPECT_EQ(gridRow(w.table(TableId::Figures), 1).mid(1, 3), (QStringList{"359.0", "365", "목표 달성"}));
    EXPECT_EQ(w.charts()->intervalChart()->series().size(), 2);  // the bars and the target line
    if (const QString shots = qEnvironmentVariable("TARVIK_SHOTS"); !shots.isEmpty()) {
        w.resize(1280, 800);
        QApplication::processEvents();
        w.grab().save(QDir(shots).filePath(QStringLiteral("target-note.png")));  // to look at
    }

    // Storing the targets again ends the note.
    ASSERT_TRUE(driveModal<TargetsDialog>([&] { w.targetsButton()->click(); },
                                          [&](TargetsDialog& d) {
                                              EXPECT_EQ(d.input(TargetFigure::CalvingInterval)->text(), "365");
                                              d.buttons().save->click();
                                          }));
    EXPECT_FALSE(w.targetsNote()->text().contains(QStringLiteral("저장된")));
    EXPECT_EQ(farm.scalar(QStringLiteral("select 목표값 from 성적목표 where 항목 = '분만간격'")),
              QStringLiteral("365"));
}

TEST_F(AnalysisWindowTest, PrintsEveryTableAndFigureOnA4)
{
    AnalysisWindow w;
    {
        PrintScript print;
        w.functionButton(ListButton::Print)->click();
        EXPECT_EQ(print.dialogRuns, 0);
    }
    ASSERT_EQ(farm.messages().count(), 1);
    EXPECT_EQ(farm.messages().last().text, QStringLiteral("출력할 성적분석이 없습니다. 먼저 조회해 주세요."));

    query(w);
    QTemporaryDir out;
    const QString pdf = out.filePath(QStringLiteral("성적분석.pdf"));
    farm.messages().clear();
    {
        PrintScript print;
        print.savePdf(pdf);
        farm.messages().answer(MsgButton::Yes);
        w.functionButton(ListButton::Print)->click();
        EXPECT_EQ(print.pdfSuggested.contains(QStringLiteral("성적분석")), true);
    }
    ASSERT_EQ(farm.messages().count(), 1);
    EXPECT_EQ(farm.messages().last().text, QStringLiteral("한우 성적분석을 출력 하시겠습니까?"));

    if (const QString shots = qEnvironmentVariable("TARVIK_SHOTS"); !shots.isEmpty())
        QFile::copy(pdf, QDir(shots).filePath(QStringLiteral("성적분석.pdf")));  // to look at
    const QString text = pdfText(pdf);
    ASSERT_FALSE(text.isEmpty());
    EXPECT_FALSE(text.contains(QRegularExpression(QStringLiteral("\\{[^{}\\n]*\\}")))) << text.toStdString();
    EXPECT_FALSE(text.contains(QChar(0x2026))) << "a text was cut";
    for (const char* expected : {"한우 성적분석",
                                 "햇살한우농장",
                                 "2009-01-01 ~ 2009-12-31",
                                 "번식성적",
                                 "359.0",
                                 "57.5",
                                 "76.0",
                                 "2.00",
                                 "50.0",
                                 "31.0",
                                 "목표 달성",
                                 "목표 미달",
                                 "수태율",
                                 "정액별 수태율",
                                 "인공수정자별 수태율",
                                 "월별 수태율",
                                 "2009-03",
                                 "결과 미확인 수정",
                                 "2009-10-05",
                                 "64",
                                 "유산",
                                 "해당 없음",
                                 "분만간격 분포",
                                 "350~359",
                                 "아비별 출하성적",
                                 "KPN1",
                                 "KPN2",
                                 "440.0",
                                 "66.7",
                                 "20,000",
                                 "성별 출하성적",
                                 "기타 등급",
                                 "등외",
                                 "수정란 이식(별도)",
                                 "확인할 기록",
                                 "분만간격 300일 미만",
                                 "2009-11-27",
                                 "출하 미입력 두수",
                                 "아비 KPN2",
                                 "성별 수"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected;
    // Every figure line whole, as the window shows it.
    const QString flat = text.simplified();
    for (int r = 1; r <= 6; ++r) {
        const QString line = gridRow(w.table(TableId::Figures), r).join(u' ');
        EXPECT_TRUE(flat.contains(line)) << line.toStdString();
    }
    EXPECT_EQ(farm.count(QStringLiteral("성적분석워크"), QStringLiteral("c01 = '제목'")), 13);
}

TEST_F(AnalysisWindowTest, SavesEveryTableAsASheetOfOneWorkbook)
{
    QTemporaryDir out;
    const QString path = out.filePath(QStringLiteral("성적.xlsx"));
    QString suggested;
    setSaveFileChooser([&](QWidget*, const QString& s, ExportFormat) {
        suggested = s;
        return path;
    });
    const auto restore = qScopeGuard([] { setSaveFileChooser({}); });
    AnalysisWindow w;
    w.functionButton(ListButton::Save)->click();
    ASSERT_EQ(farm.messages().count(), 1);
    EXPECT_EQ(farm.messages().last().title, QStringLiteral("저장확인"));
    EXPECT_TRUE(suggested.isEmpty());

    query(w);
    farm.messages().clear();
    w.functionButton(ListButton::Save)->click();
    ASSERT_EQ(farm.messages().count(), 1);
    EXPECT_EQ(farm.messages().last().title, QStringLiteral("저장완료"));
    // The name carries its period: no second date.
    EXPECT_TRUE(suggested.endsWith(QStringLiteral("/성적분석 2009-01-01~2009-12-31.xlsx"))) << suggested.toStdString();

    const QJsonObject book = readXlsxSheets(path);
    ASSERT_FALSE(book.contains(QStringLiteral("error")))
        << book.value(QStringLiteral("error")).toString().toStdString();
    const QJsonArray sheets = book.value(QStringLiteral("sheets")).toArray();
    QStringList names;
    for (const auto& s : sheets) names << s.toObject().value(QStringLiteral("sheet")).toString();
    EXPECT_EQ(names, (QStringList{"번식성적", "수태율", "정액별 수태율", "인공수정자별 수태율", "월별 수태율",
                                  "결과 미확인 수정", "유산", "확인할 기록", "분만간격 분포", "아비별 출하성적",
                                  "성별 출하성적", "출하 미입력 두수", "기타 등급"}));
    ASSERT_EQ(sheets.size(), 13);
    // Every sheet names the period its figures cover.
    for (const auto& sheet : sheets) {
        const QJsonArray rows = sheet.toObject().value(QStringLiteral("rows")).toArray();
        EXPECT_TRUE(xlsxTexts(rows.at(0).toArray()).contains(QStringLiteral("기간 2009-01-01~2009-12-31")))
            << sheet.toObject().value(QStringLiteral("sheet")).toString().toStdString();
    }
    const QJsonArray figures = sheets.at(0).toObject().value(QStringLiteral("rows")).toArray();
    ASSERT_EQ(figures.size(), 8);  // title, headers, six figures
    const QJsonArray interval = figures.at(2).toArray();
    EXPECT_EQ(xlsxTexts(interval), (QStringList{"분만간격 (일)", "359", "365", "목표 달성", "1", "0", "0", "1"}));
    EXPECT_EQ(interval.at(1).toObject().value(QStringLiteral("kind")).toString(), QStringLiteral("number"));
    // Each figure's line keeps the colour of its verdict, as on screen: the word beside it says the same.
    const auto argb = [](QRgb c) { return QStringLiteral("%1").arg(c, 8, 16, QLatin1Char('0')).toUpper(); };
    EXPECT_EQ(interval.at(0).toObject().value(QStringLiteral("color")).toString(), argb(verdictColor(Verdict::Meets)));
    for (int row = 2; row < figures.size(); ++row) {
        const QJsonArray line = figures.at(row).toArray();
        const QString verdict = xlsxTexts(line).value(3);
        SCOPED_TRACE(xlsxTexts(line).join(u' ').toStdString());
        const Verdict v = verdict == QStringLiteral("목표 달성")   ? Verdict::Meets
                          : verdict == QStringLiteral("목표 미달") ? Verdict::Misses
                                                                   : Verdict::NoData;
        EXPECT_EQ(line.at(0).toObject().value(QStringLiteral("color")).toString(), argb(verdictColor(v)));
    }
    const QJsonArray pending = sheets.at(5).toObject().value(QStringLiteral("rows")).toArray();
    ASSERT_EQ(pending.size(), 3);
    EXPECT_EQ(pending.at(2).toArray().at(2).toObject().value(QStringLiteral("kind")).toString(),
              QStringLiteral("date"));
    const QJsonArray check = sheets.at(7).toObject().value(QStringLiteral("rows")).toArray();
    ASSERT_EQ(check.size(), 3);
    EXPECT_EQ(xlsxTexts(check.at(2).toArray()).mid(0, 2), (QStringList{"분만간격 300일 미만", "KR1"}));
    const QJsonArray sires = sheets.at(9).toObject().value(QStringLiteral("rows")).toArray();
    ASSERT_EQ(sires.size(), 5);
    EXPECT_EQ(xlsxTexts(sires.at(2).toArray()).mid(0, 2), (QStringList{"KPN1", "3"}));
    EXPECT_EQ(xlsxTexts(sires.at(4).toArray()).mid(0, 2), (QStringList{"합계", "5"}));
    const QJsonArray leftOut = sheets.at(11).toObject().value(QStringLiteral("rows")).toArray();
    ASSERT_EQ(leftOut.size(), 6);  // title, headers, two sires, one sex, the total
    EXPECT_EQ(xlsxTexts(leftOut.at(3).toArray()), (QStringList{"아비 KPN2", "0", "2", "0", "2", "2", "0", "0"}));
}

// The sample farm's year on paper: every table, each text whole in its cell, the pages numbered.
TEST_F(AnalysisWindowTest, TheSampleFarmsYearPrintsWhole)
{
    farm.exec(QStringLiteral("delete from 번식기록"));
    farm.exec(QStringLiteral("delete from 등급판정"));
    farm.exec(QStringLiteral("delete from 개체관리"));
    SampleFarmOptions o;
    o.today = kToday;
    ASSERT_EQ(writeSampleFarm(gConn, o), QString());
    AnalysisWindow w;
    w.query();
    ASSERT_TRUE(w.hasResult());
    QTemporaryDir out;
    const QString pdf = out.filePath(QStringLiteral("성적분석.pdf"));
    {
        PrintScript print;
        print.savePdf(pdf);
        farm.messages().answer(MsgButton::Yes);
        w.functionButton(ListButton::Print)->click();
    }
    const QStringList pages = pdfPages(pdf);
    ASSERT_GE(pages.size(), 2);
    for (int p = 0; p < pages.size(); ++p) {
        SCOPED_TRACE(p + 1);
        EXPECT_FALSE(pages[p].contains(QChar(0x2026))) << pages[p].toStdString();
        EXPECT_TRUE(QString(pages[p]).remove(u' ').contains(QStringLiteral("%1/%2").arg(p + 1).arg(pages.size())));
    }
    const QString text = pages.join(u'\n');
    for (const analysis::ShownTable& t : fertilityTables(FertilityResult{}, defaultTargets()))
        EXPECT_TRUE(text.contains(QStringLiteral("■ ") + t.name)) << t.name.toStdString();
    for (const analysis::ShownTable& t : shipmentTables(ShipmentResult{}))
        EXPECT_TRUE(text.contains(QStringLiteral("■ ") + t.name)) << t.name.toStdString();
    for (int r = 1; r <= w.table(TableId::BySire)->maxRows(); ++r)
        EXPECT_TRUE(text.contains(w.table(TableId::BySire)->cellText(1, r)));
}
