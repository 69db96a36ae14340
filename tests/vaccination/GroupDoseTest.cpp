// One dose for many animals: a treatment record each, in one transaction, or nothing.
#include "data/Db.h"
#include "support/TestFarm.h"
#include "vaccination/model/GroupDose.h"

#include <gtest/gtest.h>

using namespace vaccination;

namespace {

const QDate kDoseDay(2026, 4, 10);

class GroupDoseTest : public FarmTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(farm.open());
        for (const char* n : {"KR01", "KR02", "KR03"}) farm.addAnimal(QString::fromUtf8(n), 0, 20240101);
    }

    static GroupDose morningDose()
    {
        GroupDose d;
        d.date = kDoseDay;
        d.treatment = QStringLiteral(" 구제역 백신(O+A) ");
        d.withdrawalDays = 0;
        d.vet = QStringLiteral("최수의");
        return d;
    }

    QStringList storedTreatments()
    {
        QStringList out;
        for (QSqlQuery q =
                 runQuery(QStringLiteral("select 개체번호, 날짜, 증상, 처치, 만료일, 수의사, 비고, 구입일, 구입처 "
                                         "from 백신접종 order by 개체번호, 날짜"));
             q.next();) {
            QStringList cells;
            for (int c = 0; c < 9; ++c) cells << q.value(c).toString();
            out << cells.join(u'|');
        }
        return out;
    }
};

}  // namespace

TEST_F(GroupDoseTest, StoresOneTreatmentRecordPerAnimal)
{
    GroupDose d = morningDose();
    d.withdrawalDays = 14;
    ASSERT_EQ(recordGroupDose(defaultProgram(), d, {"KR03", "KR01", " KR03 "}, kDoseDay), std::nullopt);
    EXPECT_EQ(storedTreatments(), (QStringList{"KR01|20260410|구제역|구제역 백신(O+A)|20260424|최수의||0|",
                                               "KR03|20260410|구제역|구제역 백신(O+A)|20260424|최수의||0|"}));
    // No withdrawal: it ends the day itself, as the treatment tab starts a new record.
    d.date = kDoseDay.addDays(-1);
    d.withdrawalDays = 0;
    d.symptom = QStringLiteral("구제역 일제접종");
    ASSERT_EQ(recordGroupDose(defaultProgram(), d, {"KR02"}, kDoseDay), std::nullopt);
    EXPECT_EQ(storedTreatments()[1],
              QStringLiteral("KR02|20260409|구제역 일제접종|구제역 백신(O+A)|20260409|최수의||0|"));
}

TEST_F(GroupDoseTest, NothingIsStoredWhenOneAnimalOrTheDoseIsRefused)
{
    farm.exec(
        QStringLiteral("insert into 백신접종(개체번호, 날짜, 증상, 처치) values('KR02', 20260410, '설사', '지사제')"));
    const QStringList before = storedTreatments();
    struct Case {
        const char* what;
        std::function<void(GroupDose&)> change;
        QStringList animals;
        const char* animal;   // the animal the refusal names, "" for the dose
        const char* mention;  // a part of the message
    };
    const Case cases[] = {
        {"a record that day already", [](GroupDose&) {}, {"KR01", "KR02", "KR03"}, "KR02", "이미 진료·백신 기록"},
        {"an animal not on the books", [](GroupDose&) {}, {"KR01", "KR99"}, "KR99", "개체 목록에 없습니다"},
        {"no animal", [](GroupDose&) {}, {}, "", "개체를 선택"},
        {"a treatment that is no dose of the program",
         [](GroupDose& d) { d.treatment = QStringLiteral("럼피스킨 백신"); },
         {"KR01"},
         "",
         "구제역, FMD"},
        {"no treatment", [](GroupDose& d) { d.treatment = QStringLiteral("  "); }, {"KR01"}, "", "처치"},
        {"a day after today", [](GroupDose& d) { d.date = kDoseDay.addDays(1); }, {"KR01"}, "", "2026-04-11"},
        {"no day", [](GroupDose& d) { d.date = QDate(); }, {"KR01"}, "", "접종일"},
        {"withdrawal of 366 days", [](GroupDose& d) { d.withdrawalDays = 366; }, {"KR01"}, "", "0에서 365"},
        {"negative withdrawal", [](GroupDose& d) { d.withdrawalDays = -1; }, {"KR01"}, "", "휴약 일수"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        GroupDose d = morningDose();
        c.change(d);
        const std::optional<GroupDoseProblem> problem = recordGroupDose(defaultProgram(), d, c.animals, kDoseDay);
        ASSERT_TRUE(problem);
        EXPECT_EQ(problem->animal, QString::fromUtf8(c.animal));
        EXPECT_TRUE(problem->message.contains(QString::fromUtf8(c.mention))) << problem->message.toStdString();
        if (!problem->animal.isEmpty()) {
            EXPECT_TRUE(problem->message.contains(problem->animal));
        }
        EXPECT_EQ(storedTreatments(), before);
    }
}

TEST_F(GroupDoseTest, AFailureOfTheDatabaseHalfWayRollsBackTheAnimalsBeforeIt)
{
    farm.exec(
        QStringLiteral("create trigger 세번째거부 before insert on 백신접종 when new.개체번호 = 'KR03' "
                       "begin select raise(abort, 'disk full'); end"));
    EXPECT_THROW(recordGroupDose(defaultProgram(), morningDose(), {"KR01", "KR02", "KR03"}, kDoseDay), DbError);
    EXPECT_EQ(farm.count(QStringLiteral("백신접종")), 0);
    // The connection is usable again afterwards: no transaction was left open.
    farm.exec(QStringLiteral("drop trigger 세번째거부"));
    ASSERT_EQ(recordGroupDose(defaultProgram(), morningDose(), {"KR01", "KR02", "KR03"}, kDoseDay), std::nullopt);
    EXPECT_EQ(farm.count(QStringLiteral("백신접종")), 3);
}
