// The programs as the farm keeps them: the one a farm starts with (once, never again after the
// farmer deletes it), the checks of a typed program, and add / change / delete.
#include "data/Db.h"
#include "data/Schema.h"
#include "support/TestFarm.h"
#include "vaccination/model/VaccinationProgram.h"

#include <gtest/gtest.h>

using namespace vaccination;

namespace {

ProgramEntry lumpySkin()
{
    return {"럼피스킨", "럼피스킨, LSD", "90", "28", "365", "전체", "", "30", "30"};
}

QStringList programNames()
{
    QStringList names;
    for (const VaccinationProgram& p : loadPrograms()) names << p.name;
    return names;
}

class ProgramStoreTest : public FarmTest {
protected:
    void SetUp() override { ASSERT_TRUE(farm.open()); }
};

}  // namespace

TEST_F(ProgramStoreTest, ANewFarmStartsWithFootAndMouthOnceAndADeletedOneStaysDeleted)
{
    EXPECT_EQ(loadPrograms(), QList<VaccinationProgram>{defaultProgram()});
    const VaccinationProgram fmd = defaultProgram();
    EXPECT_EQ(fmd.words, (QStringList{"구제역", "FMD"}));
    EXPECT_EQ(fmd.firstDoseDays, 60);
    EXPECT_EQ(fmd.boosterDays, 28);
    EXPECT_EQ(fmd.repeatDays, 180);
    EXPECT_EQ(fmd.target, Target::All);
    EXPECT_EQ(fmd.calvingSkipDays, 30);
    EXPECT_EQ(fmd.shipmentSkipDays, 30);

    // Opening the farm again adds nothing; once deleted, the program does not come back.
    farm.close();
    ASSERT_TRUE(farm.open());
    EXPECT_EQ(programNames(), QStringList{"구제역"});
    deleteProgram(QStringLiteral("구제역"));
    farm.close();
    ASSERT_TRUE(farm.open());
    EXPECT_EQ(programNames(), QStringList());
}

TEST_F(ProgramStoreTest, AnOlderFarmGetsTheTableWithTheStartingProgramAtItsNextOpening)
{
    farm.exec(QStringLiteral("drop table 접종계획"));
    farm.close();
    ASSERT_TRUE(farm.open());
    EXPECT_EQ(loadPrograms(), QList<VaccinationProgram>{defaultProgram()});
    EXPECT_EQ(farm.count(QStringLiteral("sqlite_master"), QStringLiteral("name = 'ux_접종계획'")), 1);
    // A table that is there already is left as it is, rows and all.
    farm.exec(QStringLiteral("delete from 접종계획"));
    EXPECT_EQ(addMissingTables(gConn), QString());
    EXPECT_EQ(farm.count(QStringLiteral("접종계획")), 0);
}

TEST_F(ProgramStoreTest, EachFieldIsCheckedWithinItsBounds)
{
    struct Case {
        const char* what;
        std::function<void(ProgramEntry&)> change;
        const char* field;  // "" when the entry is right
    };
    const Case cases[] = {
        {"as typed", [](ProgramEntry&) {}, ""},
        {"no name", [](ProgramEntry& e) { e.name = "  "; }, "이름"},
        {"a name of 41 characters", [](ProgramEntry& e) { e.name = QString(41, u'가'); }, "이름"},
        {"no word", [](ProgramEntry& e) { e.words = " , ,"; }, "처치어"},
        {"first dose at 0 days", [](ProgramEntry& e) { e.firstDoseDays = "0"; }, ""},
        {"first dose at 3651 days", [](ProgramEntry& e) { e.firstDoseDays = "3651"; }, "첫접종일령"},
        {"first dose not a number", [](ProgramEntry& e) { e.firstDoseDays = "두 달"; }, "첫접종일령"},
        {"digits of another script", [](ProgramEntry& e) { e.firstDoseDays = QStringLiteral("٦٠"); }, "첫접종일령"},
        {"negative first dose", [](ProgramEntry& e) { e.firstDoseDays = "-1"; }, "첫접종일령"},
        {"booster after 0 days", [](ProgramEntry& e) { e.boosterDays = "0"; }, "보강일수"},
        {"interval of 0 days", [](ProgramEntry& e) { e.repeatDays = "0"; }, "반복일수"},
        {"interval with a decimal", [](ProgramEntry& e) { e.repeatDays = "180.5"; }, "반복일수"},
        {"an unknown target", [](ProgramEntry& e) { e.target = "수소"; }, "대상"},
        {"calves without months", [](ProgramEntry& e) { e.target = "송아지"; }, "대상개월수"},
        {"calves under 121 months",
         [](ProgramEntry& e) {
             e.target = "송아지";
             e.calfMonths = "121";
         },
         "대상개월수"},
        {"calves under 6 months",
         [](ProgramEntry& e) {
             e.target = "송아지";
             e.calfMonths = " 6 ";
         },
         ""},
        {"months ignored for cows",
         [](ProgramEntry& e) {
             e.target = "암소";
             e.calfMonths = "x";
         },
         ""},
        {"calving days 366", [](ProgramEntry& e) { e.calvingSkipDays = "366"; }, "분만제외일수"},
        {"shipment days empty", [](ProgramEntry& e) { e.shipmentSkipDays = ""; }, "출하제외일수"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ProgramEntry e = lumpySkin();
        c.change(e);
        VaccinationProgram p;
        const std::optional<ProgramProblem> problem = checkProgram(e, &p);
        EXPECT_EQ(problem ? problem->field : QString(), QString::fromUtf8(c.field));
        if (problem) {
            EXPECT_FALSE(problem->message.isEmpty());
        }
    }
    VaccinationProgram p;
    ASSERT_FALSE(checkProgram(lumpySkin(), &p));
    EXPECT_EQ(p.words, (QStringList{"럼피스킨", "LSD"}));
    EXPECT_EQ(checkProgram(lumpySkin(), &p), std::nullopt);
    // The sentence names the field and its bounds.
    ProgramEntry wrong = lumpySkin();
    wrong.repeatDays = "0";
    EXPECT_EQ(checkProgram(wrong)->message,
              QStringLiteral("정기 접종 간격은 1에서 3650 사이의 정수(일)로 입력해 주세요."));
    // Full-width digits, as a Korean input method may type them, are read as digits.
    ProgramEntry wide = lumpySkin();
    wide.firstDoseDays = QStringLiteral("６０");
    ASSERT_EQ(checkProgram(wide, &p), std::nullopt);
    EXPECT_EQ(p.firstDoseDays, 60);
    // Repeated words, as the match sees them, are one word.
    EXPECT_EQ(wordsOf(QStringLiteral("구제역, FMD, fmd ,구 제역,")), (QStringList{"구제역", "FMD"}));
}

TEST_F(ProgramStoreTest, AddChangeAndDeleteOneTransactionEach)
{
    ASSERT_EQ(addProgram(lumpySkin()), std::nullopt);
    EXPECT_EQ(programNames(), (QStringList{"구제역", "럼피스킨"}));
    // A name taken, by adding or by renaming, is refused with the name.
    const std::optional<ProgramProblem> taken = addProgram(lumpySkin());
    ASSERT_TRUE(taken);
    EXPECT_EQ(taken->field, QStringLiteral("이름"));
    EXPECT_TRUE(taken->message.contains(QStringLiteral("럼피스킨"))) << taken->message.toStdString();
    ProgramEntry renamed = lumpySkin();
    renamed.name = QStringLiteral("구제역");
    EXPECT_TRUE(changeProgram(QStringLiteral("럼피스킨"), renamed));

    // A change keeps the name or moves it to a free one.
    ProgramEntry brucella = lumpySkin();
    brucella.name = QStringLiteral("브루셀라 검사");
    brucella.words = QStringLiteral("브루셀라");
    brucella.target = QStringLiteral("암소");
    ASSERT_EQ(changeProgram(QStringLiteral("럼피스킨"), brucella), std::nullopt);
    const QList<VaccinationProgram> stored = loadPrograms();
    ASSERT_EQ(stored.size(), 2);
    EXPECT_EQ(stored[1].name, QStringLiteral("브루셀라 검사"));
    EXPECT_EQ(stored[1].target, Target::Cows);
    EXPECT_EQ(entryOf(stored[1]).words, QStringLiteral("브루셀라"));
    EXPECT_EQ(checkProgram(entryOf(stored[1])), std::nullopt);

    // A wrong entry or a program gone meanwhile changes nothing.
    ProgramEntry bad = brucella;
    bad.repeatDays = QStringLiteral("0");
    EXPECT_TRUE(changeProgram(QStringLiteral("브루셀라 검사"), bad));
    EXPECT_TRUE(changeProgram(QStringLiteral("없는 계획"), brucella));
    EXPECT_EQ(loadPrograms(), stored);

    deleteProgram(QStringLiteral("브루셀라 검사"));
    EXPECT_EQ(programNames(), QStringList{"구제역"});
}
