// The index weights and the inbreeding limit, kept in 교배설정.
#include "data/Db.h"
#include "mating/model/MatingSettings.h"
#include "support/TestFarm.h"

#include <gtest/gtest.h>
#include <cmath>
#include <limits>

using namespace mating;

TEST(MatingSettings, WeightsAndTheLimitAreBounded)
{
    EXPECT_EQ(weightProblem(Trait::Carcass, 10), QString());
    EXPECT_EQ(weightProblem(Trait::Carcass, -10), QString());
    EXPECT_EQ(weightProblem(Trait::Carcass, 10.5), QStringLiteral("도체중 가중치는 -10~10 사이의 수로 입력해 주세요."));
    EXPECT_EQ(weightProblem(Trait::Weight12, -11),
              QStringLiteral("12개월령체중 가중치는 -10~10 사이의 수로 입력해 주세요."));
    EXPECT_FALSE(weightProblem(Trait::Marbling, std::nan("")).isEmpty());
    EXPECT_EQ(limitProblem(0.125), QString());
    EXPECT_EQ(limitProblem(0.01), QString());
    for (double bad : {0.0, -0.01, 0.13, std::numeric_limits<double>::infinity()})
        EXPECT_EQ(limitProblem(bad), QStringLiteral("근교계수 한계는 0%보다 크고 12.5% 이하인 수로 입력해 주세요."))
            << bad;
}

class MatingSettingsStore : public FarmTest {
protected:
    void SetUp() override { ASSERT_TRUE(farm.open()); }
};

TEST_F(MatingSettingsStore, NoRowIsTheDefaultAndAStoredSetIsReadBack)
{
    const MatingSettings defaults = defaultMatingSettings();
    EXPECT_EQ(defaults.weights, (std::array<double, kTraitCount>{0, 1, 1, -1, 1}));
    EXPECT_EQ(defaults.inbreedingLimit, 0.0625);
    EXPECT_EQ(readMatingSettings(), defaults);

    MatingSettings s = defaults;
    s.weight(Trait::Marbling) = 2.5;
    s.weight(Trait::BackFat) = -10;
    s.inbreedingLimit = 0.1;
    storeMatingSettings(s);
    EXPECT_EQ(readMatingSettings(), s);
    EXPECT_EQ(farm.scalar(QStringLiteral("select 값 from 교배설정 where 항목 = '근교계수 한계'")),
              QStringLiteral("10"));
    EXPECT_EQ(farm.scalar(QStringLiteral("select 값 from 교배설정 where 항목 = '근내지방도 가중치'")),
              QStringLiteral("2.5"));
}

TEST_F(MatingSettingsStore, ARefusedSetLeavesTheStoredOneAsItWas)
{
    MatingSettings s = defaultMatingSettings();
    s.weight(Trait::EyeMuscle) = 3;
    storeMatingSettings(s);
    MatingSettings bad = s;
    bad.weight(Trait::Carcass) = 11;
    try {
        storeMatingSettings(bad);
        ADD_FAILURE() << "stored";
    } catch (const DbError& e) {
        EXPECT_EQ(e.description, QStringLiteral("도체중 가중치는 -10~10 사이의 수로 입력해 주세요."));
    }
    bad = s;
    bad.inbreedingLimit = 0.2;
    EXPECT_THROW(storeMatingSettings(bad), DbError);
    EXPECT_EQ(readMatingSettings(), s);
}

TEST_F(MatingSettingsStore, AStoredValueOutOfBoundsIsReadAsTheDefaultWithANote)
{
    farm.exec(
        QStringLiteral("insert into 교배설정(항목, 값) values ('도체중 가중치', 40), ('등심단면적 가중치', -10.5), "
                       "('근교계수 한계', 30), ('근내지방도 가중치', -2), ('모르는 항목', 1)"));
    QStringList notes;
    const MatingSettings s = readMatingSettings(&notes);
    MatingSettings expected = defaultMatingSettings();
    expected.weight(Trait::Marbling) = -2;
    EXPECT_EQ(s, expected);
    EXPECT_EQ(notes, QStringList({QStringLiteral("저장된 도체중 가중치(40)는 쓸 수 없어 기본값 1을 씁니다."),
                                  QStringLiteral("저장된 등심단면적 가중치(-10.5)는 쓸 수 없어 기본값 1을 씁니다."),
                                  QStringLiteral("저장된 근교계수 한계(30)는 쓸 수 없어 기본값 6.25%를 씁니다.")}));
}
