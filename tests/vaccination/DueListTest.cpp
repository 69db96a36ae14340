// The list of vaccinations due, read from a fixture farm on three days, with a pen's dose
// recorded in between.
#include "data/Db.h"
#include "support/TestFarm.h"
#include "vaccination/model/DueList.h"
#include "vaccination/model/GroupDose.h"

#include <gtest/gtest.h>

using namespace vaccination;

namespace {

class DueListTest : public FarmTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(farm.open());
        auto animal = [&](const char* number, int sex, qint64 born, const char* pen, const QVariantMap& more = {}) {
            QVariantMap m = more;
            m[QStringLiteral("우방번호")] = QString::fromUtf8(pen);
            farm.addAnimal(QString::fromUtf8(number), sex, born, m);
        };
        auto dose = [&](const char* number, qint64 day, const char* treatment) {
            farm.exec(QStringLiteral("insert into 백신접종(개체번호, 날짜, 증상, 처치, 만료일) values(?, ?, '', ?, ?)"),
                      {QString::fromUtf8(number), day, QString::fromUtf8(treatment), day});
        };
        animal("CALF-YOUNG", 1, 20260301, "1-1");
        animal("CALF-ONE", 0, 20251201, "2-1");
        dose("CALF-ONE", 20260201, "구제역 백신(O+A)");
        animal("COW-REG", 0, 20200101, "3-1");
        dose("COW-REG", 20250901, "FMD");
        dose("COW-REG", 20251015, "fmd 2ml");
        // Due 2026-04-18, 13 days before her expected calving.
        animal("COW-PREG", 0, 20190101, "3-2");
        dose("COW-PREG", 20250501, "구제역 백신");
        dose("COW-PREG", 20251020, "구제역 백신");
        farm.addBreeding(
            QStringLiteral("COW-PREG"), 20250725,
            {{QStringLiteral("판정일"), 20250925}, {QStringLiteral("가부"), 0}, {QStringLiteral("예정일"), 20260501}});
        // Due 2026-04-12, 8 days before its planned shipment; castrated (판매일), not sold.
        animal("STEER-SHIP", 1, 20240301, "5-1",
               {{QStringLiteral("판매일"), 20240901}, {QStringLiteral("출하예정일"), 20260420}});
        dose("STEER-SHIP", 20250601, "구제역");
        dose("STEER-SHIP", 20251014, "구제역");
        animal("STEER-CASTRATED", 1, 20240501, "5-2", {{QStringLiteral("판매일"), 20241101}});
        dose("STEER-CASTRATED", 20250801, "구제역");
        dose("STEER-CASTRATED", 20251001, "구제역");
        animal("COW-SOLD", 0, 20220101, "", {{QStringLiteral("판매일"), 20260101}});
        animal("BULL-SHIPPED", 1, 20230101, "", {{QStringLiteral("출하일"), 20250901}});
        // Treated, never vaccinated: due since two months of age.
        animal("COW-OTHER", 0, 20190101, "4-1");
        farm.exec(QStringLiteral(
            "insert into 백신접종(개체번호, 날짜, 증상, 처치) values('COW-OTHER', 20260101, '설사', '지사제')"));
    }

    // "number kind due overdue" of each row of the list on `day`.
    static QStringList listOn(const QDate& day)
    {
        QStringList out;
        for (const DueRow& r : loadDueList(day)) {
            const QStringList c = dueCells(r);
            out << QStringList{c[0], c[4], c[6], c[7]}.join(u' ').trimmed();
        }
        return out;
    }

    static QString neverVaccinated(const QDate& day)
    {
        return QStringLiteral("COW-OTHER 1차 2019-03-02 %1일 지남").arg(QDate(2019, 3, 2).daysTo(day));
    }
};

}  // namespace

TEST_F(DueListTest, ThreeDaysOfTheListWithAPenVaccinatedBetween)
{
    const QDate first(2026, 4, 10);
    EXPECT_EQ(listOn(first), (QStringList{neverVaccinated(first), "CALF-ONE 2차 2026-03-01 40일 지남",
                                          "STEER-CASTRATED 정기 2026-03-30 11일 지남", "COW-REG 정기 2026-04-13"}));
    EXPECT_EQ(dueCells(loadDueList(first)[1]),
              (QStringList{"CALF-ONE", "2-1", "4 개월령", "구제역", "2차", "2026-02-01", "2026-03-01", "40일 지남"}));
    EXPECT_EQ(dueHeaders().size(), dueCells(loadDueList(first)[1]).size());

    // Ten days on the young calf comes within the 14 days; the others are further overdue.
    const QDate second(2026, 4, 20);
    EXPECT_EQ(listOn(second), (QStringList{neverVaccinated(second), "CALF-ONE 2차 2026-03-01 50일 지남",
                                           "STEER-CASTRATED 정기 2026-03-30 21일 지남",
                                           "COW-REG 정기 2026-04-13 7일 지남", "CALF-YOUNG 1차 2026-04-30"}));
    // A shorter look ahead leaves it out.
    EXPECT_EQ(loadDueList(second, 9).size(), 4);

    VaccinationProgram fmd = loadPrograms().value(0);
    GroupDose given;
    given.date = QDate(2026, 5, 1);
    given.treatment = QStringLiteral("구제역 백신(O+A)");
    ASSERT_EQ(recordGroupDose(fmd, given, {"CALF-ONE", "COW-REG"}, given.date), std::nullopt);

    const QDate third(2026, 5, 10);
    EXPECT_EQ(listOn(third), (QStringList{neverVaccinated(third), "STEER-CASTRATED 정기 2026-03-30 41일 지남",
                                          "CALF-YOUNG 1차 2026-04-30 10일 지남"}));
}

TEST_F(DueListTest, AProgramChangedOrAddedChangesTheList)
{
    const QDate day(2026, 4, 10);
    // Cows only, and the calving skip narrowed to 10 days: the steers and the young calf go,
    // the pregnant cow comes.
    ProgramEntry cows = entryOf(defaultProgram());
    cows.target = QStringLiteral("암소");
    cows.calvingSkipDays = QStringLiteral("10");
    ASSERT_EQ(changeProgram(QStringLiteral("구제역"), cows), std::nullopt);
    QStringList numbers;
    for (const DueRow& r : loadDueList(day)) numbers << r.number;
    EXPECT_EQ(numbers, (QStringList{"COW-OTHER", "CALF-ONE", "COW-REG", "COW-PREG"}));

    deleteProgram(QStringLiteral("구제역"));
    EXPECT_TRUE(loadDueList(day).isEmpty());
}

TEST_F(DueListTest, EveryAnimalIsJudgedWithTheReasonItIsLeftOut)
{
    QStringList verdicts;
    for (const HerdJudgement& h : judgeHerd(loadPrograms(), loadHerdRecords()))
        verdicts << h.number + u' ' +
                        (h.judgement.verdict == Verdict::Due ? QStringLiteral("due")
                                                             : verdictText(h.judgement.verdict));
    EXPECT_EQ(verdicts, (QStringList{"BULL-SHIPPED 판매·출하", "CALF-ONE due", "CALF-YOUNG due", "COW-OTHER due",
                                     "COW-PREG 분만 예정 전후", "COW-REG due", "COW-SOLD 판매·출하",
                                     "STEER-CASTRATED due", "STEER-SHIP 출하 예정 전후"}));
}
