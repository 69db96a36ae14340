// The mating plan window on a small farm: the picks of a waiting cow with their inbreeding and
// straws, the filter and the tick for bulls without straws, a raised limit that lets an amber
// calf in, the ranking of every bull for one cow (relationships, marks, sorting) and both prints.
#include "data/Clock.h"
#include "data/Db.h"
#include "data/SampleFarm.h"
#include "kit/Grid.h"
#include "mating/CowRankingDialog.h"
#include "mating/MatingPlanWindow.h"
#include "mating/MatingWeightsDialog.h"
#include "print/PrintScript.h"
#include "support/AccessibilityCheck.h"
#include "support/ModalDriver.h"
#include "support/TestFarm.h"
#include "support/TestHelpers.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

const QString kCow = QStringLiteral("002000000011");     // by KPN100 out of kDam; calved: waiting
const QString kDam = QStringLiteral("002000000012");     // by KPN200; pregnant
const QString kHeifer = QStringLiteral("002000000013");  // no known parents, never calved

class MatingPlanWindowTest : public FarmTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(farm.open());
        setTodayOverride(QDate(2026, 6, 1));
        // Only the carcass weight differs between the bulls, so the index ranks by it.
        const struct {
            const char* kpn;
            const char* sire;
            double carcass;
        } bulls[] = {{"100", "", 62}, {"200", "", 52}, {"600", "200", 40}, {"300", "", 30},
                     {"400", "", 20}, {"500", "", 10}, {"700", "", 5},     {"800", "", 0}};
        for (const auto& b : bulls)
            farm.exec(
                QStringLiteral("insert into 씨수소 (KPN, 구분, 아비, 외조부, \"12개월령체중\", 도체중, 등심단면적, "
                               "등지방두께, 근내지방도, 평가) values (?, '보증', ?, '', 0, ?, 0, 0, 0, '2026-02')"),
                {QString::fromUtf8(b.kpn), QString::fromUtf8(b.sire), b.carcass});
        // 500 never came to the tank; 400's one straw went to the heifer's service.
        for (const char* kpn : {"100", "200", "300", "600", "700"})
            farm.exec(QStringLiteral("insert into 정액재고 (일자, KPN, 종류, 수량, 단가, 공급처, 비고) "
                                     "values (20260101, ?, '입고', 10, null, '', '')"),
                      {QString::fromUtf8(kpn)});
        farm.exec(
            QStringLiteral("insert into 정액재고 (일자, KPN, 종류, 수량, 단가, 공급처, 비고) "
                           "values (20260101, '800', '입고', 3, null, '', '')"));
        farm.exec(
            QStringLiteral("insert into 정액재고 (일자, KPN, 종류, 수량, 단가, 공급처, 비고) "
                           "values (20260101, '400', '입고', 1, null, '', '')"));

        farm.addAnimal(kDam, 0, 20200101, {{QStringLiteral("정액번호"), QStringLiteral("200")}});
        farm.addAnimal(kCow, 0, 20230101,
                       {{QStringLiteral("정액번호"), QStringLiteral("KPN100")},
                        {QStringLiteral("모번호"), kDam},
                        {QStringLiteral("우방번호"), QStringLiteral("3")}});
        farm.addAnimal(kHeifer, 0, 20240101);
        farm.addBreeding(kCow, 20250101, {{QStringLiteral("분만일"), 20251010}});
        farm.addBreeding(
            kDam, 20260110,
            {{QStringLiteral("판정일"), 20260301}, {QStringLiteral("가부"), 0}, {QStringLiteral("예정일"), 20261017}});
        farm.addBreeding(kHeifer, 20260201, {{QStringLiteral("정액번호"), QStringLiteral("400")}});
    }
    void TearDown() override { setTodayOverride(QDate()); }

    // Lines of the plan: per line its cow, rank, bull, inbreeding and straws.
    static QStringList planLines(const Grid* g)
    {
        QStringList lines;
        for (int r = 1; r <= g->maxRows(); ++r)
            lines << QStringList{g->cellText(1, r), g->cellText(6, r), g->cellText(7, r), g->cellText(8, r),
                                 g->cellText(15, r)}
                         .join(u' ');
        return lines;
    }
};

TEST_F(MatingPlanWindowTest, AWaitingCowGetsTheBestBullsBelowTheLimitThatHaveStraws)
{
    MatingPlanWindow w;
    EXPECT_TRUE(controlsHeardByControlName(&w).isEmpty()) << controlsHeardByControlName(&w).join(u' ').toStdString();
    EXPECT_TRUE(w.waitingOnly()->isChecked());
    EXPECT_FALSE(w.withoutStraws()->isChecked());
    // 100 is her sire (25 %), 200 her maternal grandsire (12.5 %), 600 her dam's half-brother
    // (6.25 %, at the default limit); 400 has no straw left and 500 never came.
    EXPECT_EQ(planLines(w.planGrid()),
              (QStringList{kCow + QStringLiteral(" 1 KPN300 0.0% 10"), kCow + QStringLiteral(" 2 KPN700 0.0% 10"),
                           kCow + QStringLiteral(" 3 KPN800 0.0% 3")}));
    const Grid* g = w.planGrid();
    EXPECT_EQ(g->cellText(3, 1), QStringLiteral("번식 대기"));
    EXPECT_EQ(g->cellText(2, 1), QStringLiteral("3"));
    EXPECT_EQ(g->cellText(3, 2), QString()) << "her own cells only on her first line";
    EXPECT_EQ(g->cellText(10, 1), QStringLiteral("37.0")) << "calf carcass ½·(30 + ½·62 + ½·½·52)";
    EXPECT_FALSE(g->cellBackground(8, 1).isValid());
    EXPECT_TRUE(w.planNote()->text().contains(QStringLiteral("암소 3두 중 1두"))) << w.planNote()->text().toStdString();

    // Every cow, then bulls without straws too.
    w.waitingOnly()->setChecked(false);
    QStringList cows;
    for (int r = 1; r <= g->maxRows(); ++r)
        if (!g->cellText(3, r).isEmpty())
            cows << g->cellText(1, r) + u' ' + g->cellText(3, r) + u' ' + g->cellText(4, r);
    EXPECT_EQ(cows, (QStringList{kCow + QStringLiteral(" 번식 대기 "), kDam + QStringLiteral(" 임신 중 2026-10-17"),
                                 kHeifer + QStringLiteral(" 미경산 ")}));
    w.waitingOnly()->setChecked(true);
    w.withoutStraws()->setChecked(true);
    EXPECT_EQ(planLines(g),
              (QStringList{kCow + QStringLiteral(" 1 KPN300 0.0% 10"), kCow + QStringLiteral(" 2 KPN400 0.0% 0"),
                           kCow + QStringLiteral(" 3 KPN500 0.0% -")}));
}

// A farm without a catalogue yet lists its cows all the same, and says what is missing.
TEST_F(MatingPlanWindowTest, AnEmptyCatalogueIsNamedAsTheReason)
{
    farm.exec(QStringLiteral("delete from 씨수소"));
    MatingPlanWindow w;
    const Grid* g = w.planGrid();
    ASSERT_EQ(g->maxRows(), 1);
    EXPECT_EQ(g->cellText(7, 1), QStringLiteral("추천 없음"));
    EXPECT_EQ(g->cellText(16, 1), QStringLiteral("씨수소 목록에 씨수소가 없습니다"));
    EXPECT_TRUE(w.planNote()->text().contains(QStringLiteral("씨수소 목록이 비어 있습니다")));
    EXPECT_EQ(farm.messages().count(), 0);
}

TEST_F(MatingPlanWindowTest, ARaisedLimitLetsAnAmberCalfInAndIsStored)
{
    MatingPlanWindow w;
    const bool ran = driveModal<MatingWeightsDialog>(w.weightsButton(), [&](MatingWeightsDialog& d) {
        EXPECT_TRUE(controlsHeardByControlName(&d).isEmpty());
        EXPECT_EQ(d.limitInput()->text(), QStringLiteral("6.25"));
        d.limitInput()->setText(QStringLiteral("13"));
        d.buttons().save->click();
        ASSERT_EQ(farm.messages().count(), 1);
        EXPECT_EQ(farm.messages().last().text,
                  QStringLiteral("근교계수 한계는 0%보다 크고 12.5% 이하인 수로 입력해 주세요."));
        EXPECT_EQ(d.focusWidget(), d.limitInput());
        d.weightInput(Trait::Marbling)->setText(QStringLiteral("마블링"));
        d.limitInput()->setText(QStringLiteral("10"));
        d.buttons().save->click();
        ASSERT_EQ(farm.messages().count(), 2);
        EXPECT_EQ(farm.messages().last().text, QStringLiteral("근내지방도 가중치은(는) 숫자로 입력해 주세요."));
        d.weightInput(Trait::Marbling)->setText(QStringLiteral("1"));
        d.buttons().save->click();
        EXPECT_FALSE(d.isVisible());
    });
    ASSERT_TRUE(ran);
    EXPECT_EQ(farm.scalar(QStringLiteral("select 값 from 교배설정 where 항목 = '근교계수 한계'")),
              QStringLiteral("10"));
    const Grid* g = w.planGrid();
    EXPECT_EQ(planLines(g),
              (QStringList{kCow + QStringLiteral(" 1 KPN600 6.3% 10"), kCow + QStringLiteral(" 2 KPN300 0.0% 10"),
                           kCow + QStringLiteral(" 3 KPN700 0.0% 10")}));
    EXPECT_TRUE(g->cellBackground(8, 1).isValid()) << "6.25 % or more is marked";
    EXPECT_FALSE(g->cellBackground(8, 2).isValid());
    EXPECT_TRUE(g->cellText(16, 1).contains(QStringLiteral("근교 주의")));
}

TEST_F(MatingPlanWindowTest, TheRankingOfEveryBullNamesTheTiesAndSorts)
{
    MatingPlanWindow w;
    const bool ran = driveModal<CowRankingDialog>(
        [&] { emit w.planGrid()->dblClick(1, 1); },
        [&](CowRankingDialog& d) {
            EXPECT_TRUE(controlsHeardByControlName(&d).isEmpty())
                << controlsHeardByControlName(&d).join(u' ').toStdString();
            EXPECT_TRUE(d.windowTitle().contains(kCow));
            EXPECT_TRUE(d.summary()->text().contains(QStringLiteral("번식 대기")));
            const Grid* g = d.grid();
            ASSERT_EQ(g->maxRows(), 8);
            // Best index first, whatever the inbreeding; those never to be used in red.
            EXPECT_EQ(g->rowTexts(1).mid(0, 5),
                      (QStringList{QStringLiteral("1"), QStringLiteral("KPN100"), QStringLiteral("보증"),
                                   QStringLiteral("25.0%"), QStringLiteral("부")}));
            EXPECT_EQ(g->rowTexts(2).mid(1, 4), (QStringList{QStringLiteral("KPN200"), QStringLiteral("보증"),
                                                             QStringLiteral("12.5%"), QStringLiteral("외조부")}));
            EXPECT_EQ(g->rowTexts(3).mid(1, 4),
                      (QStringList{QStringLiteral("KPN600"), QStringLiteral("보증"), QStringLiteral("6.3%"),
                                   QStringLiteral("공통 조상 KPN200")}));
            EXPECT_TRUE(g->cellBackground(4, 1).isValid());
            EXPECT_TRUE(g->cellBackground(4, 3).isValid());
            EXPECT_FALSE(g->cellBackground(4, 4).isValid());
            EXPECT_NE(g->rowForeColor(1), QColor(Qt::black));
            EXPECT_EQ(g->rowForeColor(4), QColor(Qt::black));
            EXPECT_TRUE(g->cellText(13, 1).contains(QStringLiteral("추천하지 않음")));
            EXPECT_EQ(g->cellText(12, 6), QStringLiteral("-")) << "KPN500 never came to the tank";

            // Sorted by the inbreeding, smallest first; the marks go with their bulls.
            d.grid()->horizontalHeader()->sectionClicked(3);
            EXPECT_EQ(g->cellText(4, 1), QStringLiteral("0.0%"));
            EXPECT_EQ(g->cellText(2, 8), QStringLiteral("KPN100"));
            EXPECT_TRUE(g->cellBackground(4, 8).isValid());
            EXPECT_FALSE(g->cellBackground(4, 1).isValid());
            d.grid()->horizontalHeader()->sectionClicked(3);
            EXPECT_EQ(g->cellText(2, 1), QStringLiteral("KPN100"));
            d.reject();
        });
    ASSERT_TRUE(ran);
}

TEST_F(MatingPlanWindowTest, BothPrintsCarryEveryPickAndNoPlaceholder)
{
    MatingPlanWindow w;
    w.waitingOnly()->setChecked(false);
    QTemporaryDir out;
    const QString plan = out.filePath(QStringLiteral("교배계획.pdf"));
    {
        PrintScript print;
        print.savePdf(plan);
        farm.messages().answer(MsgButton::Yes);
        w.functionButton(ListButton::Print)->click();
    }
    ASSERT_EQ(farm.messages().count(), 1);
    EXPECT_EQ(farm.messages().last().text, QStringLiteral("교배계획을 출력 하시겠습니까?"));
    const QString text = pdfText(plan);
    ASSERT_FALSE(text.isEmpty());
    EXPECT_FALSE(text.contains(QRegularExpression(QStringLiteral("\\{[^{}\\n]*\\}")))) << text.toStdString();
    EXPECT_FALSE(text.contains(QChar(0x2026))) << "a text was cut";
    for (const QString& expected : {QStringLiteral("교배계획"), kCow, kDam, kHeifer, QStringLiteral("임신 중"),
                                    QStringLiteral("2026-10-17"), QStringLiteral("KPN300"), QStringLiteral("KPN700"),
                                    QStringLiteral("KPN800"), QStringLiteral("KPN100"), QStringLiteral("모든 암소")})
        EXPECT_TRUE(text.contains(expected)) << expected.toStdString();

    const QString page = out.filePath(QStringLiteral("교배순위.pdf"));
    driveModal<CowRankingDialog>([&] { w.openRanking(kCow); },
                                 [&](CowRankingDialog& d) {
                                     PrintScript print;
                                     print.savePdf(page);
                                     farm.messages().answer(MsgButton::Yes);
                                     d.printButton()->click();
                                     d.reject();
                                 });
    if (const QString shots = qEnvironmentVariable("TARVIK_SHOTS"); !shots.isEmpty())
        for (const QString& pdf : {plan, page}) QFile::copy(pdf, QDir(shots).filePath(QFileInfo(pdf).fileName()));
    const QString ranking = pdfText(page);
    EXPECT_FALSE(ranking.contains(QRegularExpression(QStringLiteral("\\{[^{}\\n]*\\}"))));
    for (const QString& expected : {QStringLiteral("교배 순위 - ") + kCow, QStringLiteral("외조부"),
                                    QStringLiteral("25.0%"), QStringLiteral("KPN800"), QStringLiteral("번식 대기")})
        EXPECT_TRUE(ranking.contains(expected)) << expected.toStdString();
}

// On the sample farm every column of the plan has data: picks for the waiting cows with straws,
// bulls related to the herd marked in a cow's ranking. With TARVIK_SHOTS set to a folder the
// plan and a ranking are saved there as PNGs at the window's smallest size, to look at.
TEST(MatingPlanSample, EveryColumnHasDataOnTheSampleFarm)
{
    TestFarm farm;
    ASSERT_TRUE(farm.open());
    SampleFarmOptions o;
    o.animals = 300;
    o.today = QDate(2026, 6, 1);
    setTodayOverride(o.today);
    ASSERT_EQ(writeSampleFarm(gConn, o), QString());
    MatingPlanWindow w;
    w.resize(1280, 800);
    w.show();
    QApplication::processEvents();
    const Grid* g = w.planGrid();
    ASSERT_GT(g->maxRows(), 10);
    for (int c = 1; c <= g->maxCols(); ++c) {
        bool filled = false;
        for (int r = 1; r <= g->maxRows() && !filled; ++r) filled = !g->cellText(c, r).isEmpty();
        // The waiting cows have no expected calving; a note is only for a pick that needs one.
        EXPECT_TRUE(filled || c == 4 || c == 16) << "column " << c << " " << g->cellText(c, 0).toStdString();
    }
    const QString shots = qEnvironmentVariable("TARVIK_SHOTS");
    if (!shots.isEmpty()) w.grab().save(QDir(shots).filePath(QStringLiteral("교배계획.png")));
    // The cow whose ranking holds the most marked calves.
    int marked = 0;
    driveModal<CowRankingDialog>([&] { w.openRanking(g->cellText(1, 1)); },
                                 [&](CowRankingDialog& d) {
                                     d.resize(1280, 800);
                                     QApplication::processEvents();
                                     for (int r = 1; r <= d.grid()->maxRows(); ++r)
                                         if (!d.grid()->cellText(5, r).isEmpty()) ++marked;
                                     if (!shots.isEmpty())
                                         d.grab().save(QDir(shots).filePath(QStringLiteral("교배순위.png")));
                                     d.reject();
                                 });
    EXPECT_GT(marked, 0) << "some bull of the catalogue is related to the cow";
    w.close();
    setTodayOverride(QDate());
}

}  // namespace
