// The due rule for one animal and one program, and whether the list of the next 14 days shows it.
#include "vaccination/model/DueList.h"
#include "vaccination/model/DueRule.h"

#include <gtest/gtest.h>
#include <functional>

using namespace vaccination;

namespace {

const QDate kRuleToday(2026, 4, 10);

QDate daysFromToday(int n)
{
    return kRuleToday.addDays(n);
}

struct Treated {
    int day;  // from today
    const char* treatment;
};

struct RuleCase {
    const char* what;
    HerdAnimal animal;
    QList<Treated> treatments;
    Verdict verdict;
    DoseKind kind;
    int dueDay;       // from today; unused when the verdict has no due day
    int lastDoseDay;  // from today; 1 for none
    bool listed;
};

HerdAnimal ruleAnimal(int bornDaysAgo, bool cow = true)
{
    HerdAnimal a;
    a.number = QStringLiteral("KR0001");
    a.pen = QStringLiteral("1-1");
    a.cow = cow;
    if (bornDaysAgo > 0) a.birth = daysFromToday(-bornDaysAgo);
    return a;
}

HerdAnimal changed(HerdAnimal a, const std::function<void(HerdAnimal&)>& change)
{
    change(a);
    return a;
}

VaccinationProgram calvesProgram()
{
    VaccinationProgram p = defaultProgram();
    p.name = QStringLiteral("송아지 구제역");
    p.words = {QStringLiteral("구제역")};
    p.target = Target::Calves;
    p.calfMonths = 6;
    return p;
}

}  // namespace

TEST(DueRule, FollowsTheDosesAndSkipsOnTheDueDay)
{
    const QList<Treated> twoDoses = {{-400, "구제역 백신"}, {-170, "구제역 백신"}};
    const RuleCase cases[] = {
        {"never vaccinated calf at 40 days: its first dose 20 days ahead, not yet listed",
         ruleAnimal(40),
         {},
         Verdict::Due,
         DoseKind::First,
         20,
         1,
         false},
        {"never vaccinated calf at 50 days: listed 10 days ahead",
         ruleAnimal(50),
         {},
         Verdict::Due,
         DoseKind::First,
         10,
         1,
         true},
        {"never vaccinated calf at 70 days: 10 days overdue",
         ruleAnimal(70),
         {},
         Verdict::Due,
         DoseKind::First,
         -10,
         1,
         true},
        {"one dose: the booster 28 days on",
         ruleAnimal(300),
         {{-20, "구제역 백신"}},
         Verdict::Due,
         DoseKind::Second,
         8,
         -20,
         true},
        {"two doses: the latest plus 180 days", ruleAnimal(700), twoDoses, Verdict::Due, DoseKind::Regular, 10, -170,
         true},
        {"three doses in any order",
         ruleAnimal(900),
         {{-170, "FMD"}, {-600, "FMD"}, {-400, "FMD"}},
         Verdict::Due,
         DoseKind::Regular,
         10,
         -170,
         true},
        {"a dose named 구제역 백신(O+A)",
         ruleAnimal(300),
         {{-20, "구제역 백신(O+A)"}},
         Verdict::Due,
         DoseKind::Second,
         8,
         -20,
         true},
        {"a dose named fmd", ruleAnimal(300), {{-20, "fmd"}}, Verdict::Due, DoseKind::Second, 8, -20, true},
        {"a word split by a blank: 구 제 역",
         ruleAnimal(300),
         {{-20, "구 제 역 2ml"}},
         Verdict::Due,
         DoseKind::Second,
         8,
         -20,
         true},
        {"another treatment is no dose",
         ruleAnimal(300),
         {{-20, "지사제"}, {-10, "럼피스킨 백신"}},
         Verdict::Due,
         DoseKind::First,
         -240,
         1,
         true},
        {"skipped by calving 5 days after the due day",
         changed(ruleAnimal(2000), [](HerdAnimal& a) { a.expectedCalving = daysFromToday(15); }), twoDoses,
         Verdict::NearCalving, DoseKind::Regular, 10, -170, false},
        {"skipped by a calving 30 days before the due day, still not calved",
         changed(ruleAnimal(2000), [](HerdAnimal& a) { a.expectedCalving = daysFromToday(-20); }), twoDoses,
         Verdict::NearCalving, DoseKind::Regular, 10, -170, false},
        {"a calving 31 days after the due day skips nothing",
         changed(ruleAnimal(2000), [](HerdAnimal& a) { a.expectedCalving = daysFromToday(41); }), twoDoses,
         Verdict::Due, DoseKind::Regular, 10, -170, true},
        {"skipped by shipment 5 days before the due day",
         changed(ruleAnimal(800, false), [](HerdAnimal& a) { a.plannedShipment = daysFromToday(5); }), twoDoses,
         Verdict::NearShipment, DoseKind::Regular, 10, -170, false},
        {"a shipment 31 days off skips nothing",
         changed(ruleAnimal(800, false), [](HerdAnimal& a) { a.plannedShipment = daysFromToday(41); }), twoDoses,
         Verdict::Due, DoseKind::Regular, 10, -170, true},
        {"sold animal",
         changed(ruleAnimal(700), [](HerdAnimal& a) { a.gone = true; }),
         {},
         Verdict::Gone,
         DoseKind::First,
         0,
         1,
         false},
        {"never vaccinated, no birth date", ruleAnimal(0), {}, Verdict::NoBirthDate, DoseKind::First, 0, 1, false},
        {"no birth date but two doses", ruleAnimal(0), twoDoses, Verdict::Due, DoseKind::Regular, 10, -170, true},
    };
    const VaccinationProgram program = defaultProgram();
    for (const RuleCase& c : cases) {
        SCOPED_TRACE(c.what);
        HerdRecords herd;
        herd.animals << c.animal;
        QList<QDate> doses;
        for (const Treated& t : c.treatments) {
            herd.treatments[c.animal.number] << TreatmentRecord{daysFromToday(t.day), QString::fromUtf8(t.treatment)};
            if (isDoseOf(QString::fromUtf8(t.treatment), program.words)) doses << daysFromToday(t.day);
        }
        const Judgement j = judge(program, c.animal, doses);
        EXPECT_EQ(verdictText(j.verdict), verdictText(c.verdict));
        if (j.due.isValid() || c.verdict == Verdict::Due) {
            EXPECT_EQ(j.due, daysFromToday(c.dueDay));
            EXPECT_EQ(doseKindText(j.kind), doseKindText(c.kind));
        }
        EXPECT_EQ(j.lastDose, c.lastDoseDay == 1 ? QDate() : daysFromToday(c.lastDoseDay));

        const QList<DueRow> rows = dueRows({program}, herd, kRuleToday, kRuleToday.addDays(kDueListDays));
        ASSERT_EQ(rows.size(), c.listed ? 1 : 0);
        if (c.listed) {
            EXPECT_EQ(rows[0].due, daysFromToday(c.dueDay));
            EXPECT_EQ(rows[0].daysOverdue, std::max(0, -c.dueDay));
            EXPECT_EQ(rows[0].kind, c.kind);
            EXPECT_EQ(rows[0].lastDose, j.lastDose);
        }
    }
}

TEST(DueRule, ATargetIsJudgedOnTheDueDay)
{
    VaccinationProgram cows = defaultProgram();
    cows.target = Target::Cows;
    EXPECT_EQ(judge(cows, ruleAnimal(300, false), {}).verdict, Verdict::NotTarget);
    EXPECT_EQ(judge(cows, ruleAnimal(300, true), {}).verdict, Verdict::Due);

    // Younger than 6 months on the due day: a first dose at 2 months is, a booster at 6 months
    // and a day is not; a calf's booster the day before it turns 6 months still is.
    const VaccinationProgram calves = calvesProgram();
    const QDate born(2026, 1, 15);
    HerdAnimal calf = ruleAnimal(0);
    calf.birth = born;
    EXPECT_EQ(judge(calves, calf, {}).verdict, Verdict::Due);
    EXPECT_EQ(judge(calves, calf, {QDate(2026, 6, 18)}).verdict, Verdict::NotTarget);  // due 2026-07-16
    EXPECT_EQ(judge(calves, calf, {QDate(2026, 6, 16)}).verdict, Verdict::Due);        // due 2026-07-14
    calf.birth = QDate();
    EXPECT_EQ(judge(calves, calf, {QDate(2026, 6, 16)}).verdict, Verdict::NoBirthDate);
    // A bull has no calving to skip for, even with a stray expected day.
    HerdAnimal bull = ruleAnimal(300, false);
    bull.expectedCalving = kRuleToday.addDays(-240);
    EXPECT_EQ(judge(defaultProgram(), bull, {}).verdict, Verdict::Due);
}

TEST(DueRule, TheListOrdersByDueDayAndReadsEveryProgram)
{
    VaccinationProgram lumpy = defaultProgram();
    lumpy.name = QStringLiteral("럼피스킨");
    lumpy.words = {QStringLiteral("럼피")};
    lumpy.repeatDays = 365;
    HerdRecords herd;
    HerdAnimal b = ruleAnimal(1000);
    b.number = QStringLiteral("B");
    HerdAnimal a = ruleAnimal(1000);
    a.number = QStringLiteral("A");
    herd.animals << b << a;
    // B: 구제역 due in 5 days, 럼피스킨 in 1; A: 구제역 due in 5 days, 럼피스킨 long ago (never).
    herd.treatments[QStringLiteral("B")] = {{daysFromToday(-500), QStringLiteral("구제역")},
                                            {daysFromToday(-175), QStringLiteral("구제역")},
                                            {daysFromToday(-600), QStringLiteral("럼피스킨")},
                                            {daysFromToday(-364), QStringLiteral("럼피스킨 ")}};
    herd.treatments[QStringLiteral("A")] = {{daysFromToday(-500), QStringLiteral("FMD")},
                                            {daysFromToday(-175), QStringLiteral("FMD")}};
    QStringList order;
    for (const DueRow& r : dueRows({defaultProgram(), lumpy}, herd, kRuleToday, kRuleToday.addDays(14)))
        order << QStringLiteral("%1 %2 %3").arg(r.number, r.program, doseKindText(r.kind));
    EXPECT_EQ(order, (QStringList{"A 럼피스킨 1차", "B 럼피스킨 정기", "A 구제역 정기", "B 구제역 정기"}));
}
