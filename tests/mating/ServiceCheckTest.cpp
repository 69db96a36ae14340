// The question a breeding record asks about an inbred calf, and the calf it asks about.
#include "mating/model/ServiceCheck.h"
#include "support/TestFarm.h"

#include <gtest/gtest.h>

using namespace mating;

TEST(ServiceCheck, TheQuestionNamesTheTieAndTheCalfsInbreeding)
{
    const QString tail = QStringLiteral(" 태어날 송아지의 근교계수는 %1입니다. 그래도 저장하시겠습니까?");
    struct Case {
        Relationship relationship;
        double f;
        QString first;
        const char* percent;
    };
    const std::vector<Case> cases = {
        {{Kinship::MaternalGrandsire, {}}, 0.125, "이 정액(KPN1105)은 이 암소의 외조부입니다.", "12.5%"},
        {{Kinship::Sire, {}}, 0.25, "이 정액(KPN1105)은 이 암소의 부입니다.", "25.0%"},
        {{Kinship::PaternalGrandsire, {}}, 0.125, "이 정액(KPN1105)은 이 암소의 친조부입니다.", "12.5%"},
        {{Kinship::HalfSib, {}}, 0.125, "이 정액(KPN1105)은 이 암소의 부의 아들(이복)입니다.", "12.5%"},
        {{Kinship::CommonAncestor, "KPN950"},
         0.0625,
         "이 정액(KPN1105)은 이 암소와 공통 조상(KPN950)이 있습니다.",
         "6.3%"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(calfRiskQuestion({QStringLiteral("1105"), c.relationship, c.f}),
                  c.first + tail.arg(QString::fromUtf8(c.percent)));
    EXPECT_FALSE(asksAboutCalf({QStringLiteral("1"), {}, 0.0624}));
    EXPECT_TRUE(asksAboutCalf({QStringLiteral("1"), {}, 0.0625}));
}

class ServiceCheckFarm : public FarmTest {
protected:
    void SetUp() override { ASSERT_TRUE(farm.open()); }
};

TEST_F(ServiceCheckFarm, TheCalfOfTheCowByTheTypedBull)
{
    farm.exec(QStringLiteral("insert into 씨수소(KPN, 구분, 아비, 외조부) values ('200', '보증', '100', '')"));
    farm.addAnimal("C", 0, 0, {{"정액번호", "200"}});
    const auto grandsire = calfRiskOf(QStringLiteral(" C "), QStringLiteral("kpn-100"));
    ASSERT_TRUE(grandsire);
    EXPECT_EQ(grandsire->kpn, QStringLiteral("100"));
    EXPECT_EQ(grandsire->relationship.kind, Kinship::PaternalGrandsire);
    EXPECT_DOUBLE_EQ(grandsire->inbreeding, 0.125);
    const auto stranger = calfRiskOf(QStringLiteral("C"), QStringLiteral("KPN777"));  // named by nothing
    ASSERT_TRUE(stranger);
    EXPECT_EQ(stranger->inbreeding, 0);
    EXPECT_FALSE(calfRiskOf(QStringLiteral("C"), QStringLiteral("모름")));
}
