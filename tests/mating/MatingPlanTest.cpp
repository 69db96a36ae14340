// The cows of the plan, their state, their picks and the ranking of every bull for one cow.
#include "PedigreeFixtures.h"
#include "mating/model/MatingPlan.h"
#include "support/TestFarm.h"

#include <gtest/gtest.h>

using namespace mating;

namespace {
constexpr auto kUnknownValue = std::nullopt;

qint64 day(int y, int m, int d)
{
    return y * 10000 + m * 100 + d;
}

QStringList kpnsOf(const std::vector<BullChoice>& choices)
{
    QStringList k;
    for (const BullChoice& c : choices) k << c.kpn;
    return k;
}

// Cow C is by 100 out of D, D by 200. Bulls by carcass value: 100 (sire, F 25 %), 200 (maternal
// grandsire, 12.5 %), 600 (a son of 200, her dam's half-brother: 6.25 %), 300, 400, 500; 700 has
// no carcass value.
MatingData planData()
{
    MatingData d;
    d.bulls = {catalogueBull("100", "", "", ebvs({0, 60, 0, 0, 0})),
               catalogueBull("200", "", "", ebvs({0, 50, 0, 0, 0})),
               catalogueBull("300", "", "", ebvs({0, 30, 0, 0, 0})),
               catalogueBull("400", "", "", ebvs({0, 20, 0, 0, 0})),
               catalogueBull("500", "", "", ebvs({0, 10, 0, 0, 0})),
               catalogueBull("600", "200", "", ebvs({0, 40, 0, 0, 0})),
               catalogueBull("700", "", "", ebvs({0, kUnknownValue, 0, 0, 0}))};
    d.pedigree = Pedigree::build({herdAnimal("C", "100", "", "D"), herdAnimal("D", "200"), herdAnimal("E")}, d.bulls);
    d.cows = {{"C", "1-1", {}}, {"E", "1-2", {}}};
    d.settings = defaultMatingSettings();
    return d;
}

const StrawsLeft kEveryBull = {{"100", 5}, {"200", 5}, {"300", 5}, {"400", 5}, {"500", 5}, {"600", 5}, {"700", 5}};
}  // namespace

TEST(CowState, FromHerBreedingRecords)
{
    struct Case {
        const char* name;
        std::vector<ServiceRecord> records;
        CowState state;
    };
    const std::vector<Case> cases = {
        {"no record", {}, {CowStatus::Heifer, {}}},
        {"served, not yet checked", {{day(2024, 3, 1), 0, -1, 0, 0}}, {CowStatus::Heifer, {}}},
        {"checked 가, with an expected day",
         {{day(2024, 3, 1), day(2024, 5, 1), 0, 0, day(2024, 12, 10)}},
         {CowStatus::Pregnant, QDate(2024, 12, 10)}},
        {"checked 가, expected day not entered",
         {{day(2024, 3, 1), day(2024, 5, 1), 0, 0, 0}},
         {CowStatus::Pregnant, QDate(2024, 3, 1).addDays(280)}},
        {"a 가 without a check date is no check", {{day(2024, 3, 1), 0, 0, 0, 0}}, {CowStatus::Heifer, {}}},
        {"checked 부 after a calving",
         {{day(2023, 1, 5), day(2023, 3, 1), 0, day(2023, 10, 12), 0}, {day(2024, 3, 1), day(2024, 5, 1), 1, 0, 0}},
         {CowStatus::Open, {}}},
        {"calved", {{day(2023, 1, 5), day(2023, 3, 1), 0, day(2023, 10, 12), 0}}, {CowStatus::Open, {}}},
        {"the calving on a row of its own",
         {{day(2023, 1, 5), day(2023, 3, 1), 0, 0, 0}, {0, 0, -1, day(2023, 10, 12), 0}},
         {CowStatus::Open, {}}},
        {"pregnant again, the older 가 calved",
         {{day(2024, 1, 5), day(2024, 3, 1), 0, 0, 0}, {day(2023, 1, 5), day(2023, 3, 1), 0, day(2023, 10, 12), 0}},
         {CowStatus::Pregnant, QDate(2024, 1, 5).addDays(280)}},
        {"a later service after a 가 leaves her open until checked",
         {{day(2023, 1, 5), day(2023, 3, 1), 0, 0, 0}, {day(2023, 4, 2), 0, -1, 0, 0}},
         {CowStatus::Heifer, {}}},
        {"a service date that is no day is no service",
         {{day(2024, 3, 1), day(2024, 5, 1), 0, 0, 0}, {20240230, day(2024, 5, 1), 1, 0, 0}},
         {CowStatus::Pregnant, QDate(2024, 3, 1).addDays(280)}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(cowStateOf(c.records), c.state) << c.name;
    }
    EXPECT_EQ(statusText(CowStatus::Open), QStringLiteral("번식 대기"));
    EXPECT_EQ(statusText(CowStatus::Pregnant), QStringLiteral("임신 중"));
    EXPECT_EQ(statusText(CowStatus::Heifer), QStringLiteral("미경산"));
}

TEST(MatingPlan, ThreeBestBullsBelowTheLimitWithStrawsLeft)
{
    MatingData d = planData();
    struct Case {
        const char* name;
        double limit;
        StrawsLeft straws;
        bool withoutStraws;
        QStringList picksOfC;
    };
    const std::vector<Case> cases = {
        {"the default limit", 0.0625, kEveryBull, false, {"300", "400", "500"}},
        {"a raised limit lets a half-sib in", 0.1, kEveryBull, false, {"600", "300", "400"}},
        {"never the maternal grandsire", 0.125, kEveryBull, false, {"600", "300", "400"}},
        {"no straws, or none received", 0.0625, {{"300", 0}, {"400", 2}}, false, {"400"}},
        {"bulls without straws asked for", 0.0625, {{"300", 0}}, true, {"300", "400", "500"}},
        {"then bulls without an index", 0.0625, {{"500", 1}, {"700", 1}}, false, {"500", "700"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        d.settings.inbreedingLimit = c.limit;
        const std::vector<CowPlan> plans = planMatings(d, c.straws, c.withoutStraws);
        ASSERT_EQ(plans.size(), 2u);
        EXPECT_EQ(plans[0].cow.number, QStringLiteral("C"));
        EXPECT_EQ(kpnsOf(plans[0].picks), c.picksOfC);
    }
    d.settings.inbreedingLimit = 0.1;
    const CowPlan c = planMatings(d, kEveryBull)[0];
    EXPECT_EQ(c.picks[0].band, InbreedingBand::Amber);
    EXPECT_EQ(percentText(c.picks[0].inbreeding), QStringLiteral("6.3%"));
    EXPECT_EQ(relationshipText(c.picks[0].relationship), QStringLiteral("공통 조상 KPN200"));
    EXPECT_EQ(c.picks[1].band, InbreedingBand::Clear);
    EXPECT_EQ(c.picks[1].straws, 5);
    // C's carcass value: ½·60 + ½·(½·50).
    EXPECT_DOUBLE_EQ(c.level.value[size_t(Trait::Carcass)], 42.5);
    EXPECT_DOUBLE_EQ(*c.picks[1].calf[size_t(Trait::Carcass)], (30 + 42.5) / 2);
    // An unrelated cow gets the best bulls.
    EXPECT_EQ(kpnsOf(planMatings(d, kEveryBull)[1].picks), QStringList({"100", "200", "600"}));
}

TEST(MatingPlan, TheRankingOfEveryBullForOneCow)
{
    const MatingData d = planData();
    const std::vector<BullChoice> r = rankBulls(d, QStringLiteral(" C "), {{"300", 4}});
    EXPECT_EQ(kpnsOf(r), QStringList({"100", "200", "600", "300", "400", "500", "700"}));
    struct Expect {
        const char* f;
        InbreedingBand band;
        const char* relationship;
    };
    const Expect expected[] = {{"25.0%", InbreedingBand::Never, "부"},
                               {"12.5%", InbreedingBand::Never, "외조부"},
                               {"6.3%", InbreedingBand::Amber, "공통 조상 KPN200"},
                               {"0.0%", InbreedingBand::Clear, ""}};
    for (size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_EQ(percentText(r[i].inbreeding), QString::fromUtf8(expected[i].f)) << i;
        EXPECT_EQ(r[i].band, expected[i].band) << i;
        EXPECT_EQ(relationshipText(r[i].relationship), QString::fromUtf8(expected[i].relationship)) << i;
    }
    EXPECT_EQ(r[3].straws, 4);
    EXPECT_EQ(r[4].straws, 0);
    EXPECT_GT(*r[0].index, *r[1].index);
    EXPECT_FALSE(r[6].index.has_value());
    EXPECT_EQ(r[6].reason, QStringLiteral("도체중 육종가 없음"));
    EXPECT_TRUE(rankBulls(d, QStringLiteral("없는 소"), {}).empty());
}

TEST(MatingPlan, BullsOfLikeIndexKeepTheCatalogueOrder)
{
    MatingData d;
    d.bulls = {catalogueBull("9", "", "", ebvs({0, 10, 0, 0, 0})), catalogueBull("10", "", "", ebvs({0, 10, 0, 0, 0})),
               catalogueBull("11", "", "", ebvs({0, 20, 0, 0, 0}))};
    d.pedigree = Pedigree::build({herdAnimal("C")}, d.bulls);
    d.settings = defaultMatingSettings();
    EXPECT_EQ(kpnsOf(rankBulls(d, "C", {})), QStringList({"11", "9", "10"}));
}

class MatingPlanFarm : public FarmTest {
protected:
    void SetUp() override { ASSERT_TRUE(farm.open()); }
};

TEST_F(MatingPlanFarm, TheCowsOfTheFarmWithTheirStateAndPedigree)
{
    farm.exec(
        QStringLiteral("insert into 씨수소(KPN, 구분, 아비, 외조부, 도체중) values ('100', '보증', '', '', 30), "
                       "('200', '보증', '100', '', 20)"));
    farm.addAnimal("C", 0, 0, {{"정액번호", "KPN100"}, {"모번호", "D"}, {"우방번호", "2-1"}});
    farm.addAnimal("D", 0, 0, {{"정액번호", "KPN-200"}});
    farm.addAnimal("S", 0, 0, {{"판매일", 20240101}});
    farm.addAnimal("P", 0, 0, {{"출하일", 20240101}});
    farm.addAnimal("B", 1);
    farm.addBreeding("D", day(2024, 2, 1), {{"판정일", day(2024, 4, 1)}, {"가부", 0}, {"예정일", day(2024, 11, 8)}});
    farm.addBreeding("C", day(2023, 2, 1), {{"판정일", day(2023, 4, 1)}, {"가부", 0}, {"분만일", day(2023, 11, 8)}});
    farm.exec(QStringLiteral("insert into 교배설정(항목, 값) values ('근교계수 한계', 10), ('도체중 가중치', 40)"));
    farm.exec(QStringLiteral("update 개체관리 set 모번호 = 'C' where 개체번호 = 'D'"));  // C and D each other's dam

    QStringList notes;
    const MatingData d = loadMatingData(&notes);
    ASSERT_EQ(d.cows.size(), 2u);
    EXPECT_EQ(d.cows[0].number, QStringLiteral("C"));
    EXPECT_EQ(d.cows[0].pen, QStringLiteral("2-1"));
    EXPECT_EQ(d.cows[0].state, (CowState{CowStatus::Open, {}}));
    EXPECT_EQ(d.cows[1].state, (CowState{CowStatus::Pregnant, QDate(2024, 11, 8)}));
    EXPECT_EQ(d.settings.inbreedingLimit, 0.1);
    ASSERT_EQ(d.bulls.size(), 2u);
    EXPECT_EQ(d.pedigree.sire(d.pedigree.animal("C")), d.pedigree.bull("100"));
    EXPECT_EQ(d.pedigree.cutLinks().size(), 1);
    ASSERT_EQ(notes.size(), 2);
    EXPECT_TRUE(notes[0].startsWith(QStringLiteral("저장된 도체중 가중치(40)"))) << notes[0].toStdString();
    EXPECT_TRUE(notes[1].startsWith(QStringLiteral("혈통에서 자기 자신의 조상이 되는 연결"))) << notes[1].toStdString();
}
