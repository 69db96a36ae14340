// The withdrawal rule: which treatment's withdrawal ends last, whether a day falls within it,
// the warning and the days left; and the treatments as read from a farm.
#include "history/model/Withdrawal.h"
#include "support/TestFarm.h"
#include "support/TestHelpers.h"

#include <gtest/gtest.h>
#include <ostream>

using withdrawal::Period;
using withdrawal::Treatment;

namespace {
const QDate kDay(2024, 5, 10);  // the day being stored (sale, shipment, grading)

// A treatment given `givenDaysBefore` the day, whose withdrawal ends `endsAfter` days after it.
Treatment treatment(const char* what, int givenDaysBefore, int endsAfter)
{
    return {kDay.addDays(-givenDaysBefore), QString::fromUtf8(what), kDay.addDays(endsAfter)};
}
}  // namespace

TEST(WithdrawalRule, TheLatestEndDecidesWhetherADayFallsWithin)
{
    const struct Case {
        const char* what;
        QList<Treatment> treatments;
        std::optional<Period> latest;
        bool within;
    } cases[] = {
        {"no treatment", {}, std::nullopt, false},
        {"ended the day before", {treatment("항생제", 10, -1)}, Period{kDay.addDays(-1), "항생제"}, false},
        {"ends on the day", {treatment("항생제", 10, 0)}, Period{kDay, "항생제"}, true},
        {"ends the day after", {treatment("구충제", 3, 1)}, Period{kDay.addDays(1), "구충제"}, true},
        {"several: the latest end decides, whatever the order",
         {treatment("소염제", 2, -3), treatment("항생제", 20, 4), treatment("비타민", 1, -1)},
         Period{kDay.addDays(4), "항생제"},
         true},
        {"several, all ended",
         {treatment("항생제", 30, -10), treatment("구충제", 5, -1)},
         Period{kDay.addDays(-1), "구충제"},
         false},
        {"the later treatment does not decide when its withdrawal ends sooner",
         {treatment("장기 항생제", 40, 2), treatment("백신", 1, -1)},
         Period{kDay.addDays(2), "장기 항생제"},
         true},
        {"two ending together: the later treatment is named",
         {treatment("먼저 준 약", 9, 0), treatment("나중 준 약", 2, 0), treatment("가운데 약", 5, 0)},
         Period{kDay, "나중 준 약"},
         true},
        {"an end that is no date is passed over",
         {{kDay.addDays(-3), "기록 오류", QDate()}, treatment("항생제", 8, -2)},
         Period{kDay.addDays(-2), "항생제"},
         false},
        {"only ends that are no date", {{kDay, "기록 오류", QDate()}}, std::nullopt, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::optional<Period> got = withdrawal::latest(c.treatments);
        EXPECT_EQ(got, c.latest);
        EXPECT_EQ(withdrawal::within(got, kDay), c.within);
    }
    // No day stored (a clear box) is never within.
    EXPECT_FALSE(withdrawal::within(Period{kDay.addDays(30), "항생제"}, QDate()));
}

TEST(WithdrawalRule, WarningNamesTheEndAndTheTreatment)
{
    EXPECT_EQ(withdrawal::warningText({QDate(2024, 5, 3), "페니실린 주사"}),
              "휴약기간 중인 개체입니다. (휴약만료일: 2024-05-03, 처치: 페니실린 주사) 그래도 저장하시겠습니까?");
}

TEST(WithdrawalRule, DaysLeftCountTodayAsAWithdrawalDay)
{
    const struct {
        int endsIn;
        int left;
        const char* text;
    } cases[] = {
        {0, 1, "휴약 1일 남음"}, {1, 2, "휴약 2일 남음"}, {29, 30, "휴약 30일 남음"}, {-1, 0, "휴약 0일 남음"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.endsIn);
        const int left = withdrawal::daysLeft(kDay.addDays(c.endsIn), kDay);
        EXPECT_EQ(left, c.left);
        EXPECT_EQ(withdrawal::daysLeftText(left), QString::fromUtf8(c.text));
    }
}

TEST(WithdrawalRule, TreatmentsOfOneAnimalAreRead)
{
    TestFarm farm;
    ASSERT_TRUE(farm.open());
    farm.exec(
        "insert into 백신접종(개체번호, 날짜, 증상, 처치, 만료일) values('A-1', 20240501, '설사', ' 지사제 ', "
        "20240508)");
    farm.exec(
        "insert into 백신접종(개체번호, 날짜, 증상, 처치, 만료일) values('A-1', 20240503, '기침', '항생제', 20240520)");
    farm.exec(
        "insert into 백신접종(개체번호, 날짜, 증상, 처치, 만료일) values('A-2', 20240504, '기침', '항생제', 20240530)");
    farm.exec("insert into 백신접종(개체번호, 날짜, 증상, 처치, 만료일) values('A-3', 20240504, '상처', '소독', 0)");

    QList<Treatment> a1 = withdrawal::treatmentsOf("A-1");
    std::sort(a1.begin(), a1.end(), [](const Treatment& x, const Treatment& y) { return x.date < y.date; });
    ASSERT_EQ(a1.size(), 2);
    EXPECT_EQ(a1[0].date, QDate(2024, 5, 1));
    EXPECT_EQ(a1[0].treatment, "지사제");
    EXPECT_EQ(a1[0].end, QDate(2024, 5, 8));
    EXPECT_EQ(withdrawal::latest(a1), (Period{QDate(2024, 5, 20), "항생제"}));

    // A stored 0 is no end; another animal's treatments never count.
    const QList<Treatment> a3 = withdrawal::treatmentsOf("A-3");
    ASSERT_EQ(a3.size(), 1);
    EXPECT_FALSE(a3[0].end.isValid());
    EXPECT_EQ(withdrawal::latest(a3), std::nullopt);
    EXPECT_TRUE(withdrawal::treatmentsOf("A-9").isEmpty());
}
