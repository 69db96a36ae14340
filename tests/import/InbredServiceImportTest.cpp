// Breeding rows whose calf would reach the farm's inbreeding limit are refused with the tie and
// the F; the limit is the farm's own, and a stored record keeps the bull it was stored with.
#include "data/Clock.h"
#include "import/ImportFixture.h"
#include "mating/model/MatingSettings.h"
#include "support/TestFarm.h"

namespace {
const QDate kServiceToday(2024, 5, 10);

// DAUGHTER is KPN1105's; GRAND is DAUGHTER's (KPN1105 her 외조부); KPN3000 is a son of KPN1105
// (a calf with GRAND: 6.25 %); STRANGER and KPN950 are related to no one.
class InbredServiceImport : public FarmTest {
protected:
    void SetUp() override
    {
        setTodayOverride(kServiceToday);
        ASSERT_TRUE(farm.open());
        farm.exec(QStringLiteral("insert into 씨수소(KPN, 구분, 아비, 외조부) values ('3000', '보증', '1105', '')"));
        farm.addAnimal(QStringLiteral("DAUGHTER"), 0, 0, {{"정액번호", "KPN1105"}});
        farm.addAnimal(QStringLiteral("GRAND"), 0, 0, {{"정액번호", "KPN77"}, {"모번호", "DAUGHTER"}});
        farm.addAnimal(QStringLiteral("STRANGER"), 0);
    }
    void TearDown() override { setTodayOverride(QDate()); }

    // Each row's verdict, keyed by its first cell (the case).
    QHash<QString, RowVerdict> judgeServices(const QString& rows, ImportPolicy policy = ImportPolicy::AddOnly)
    {
        const QString csv = QStringLiteral("사례,개체번호,수정일,산차,회수,정액번호,BCS,공란우\n") + rows;
        const ImportPlan plan =
            planFor(files.utf8(QStringLiteral("services.csv"), csv), ImportTarget::Breeding, policy);
        return verdictsByFirstCell(plan, kServiceToday);
    }

    ImportFiles files;
};

const QString kServiceRows = QStringLiteral(
    "sire,DAUGHTER,2024-01-10,1,1,KPN-1105,5,\n"
    "maternal grandsire,GRAND,2024-01-11,1,1,1105,5,\n"
    "sire's son,GRAND,2024-01-12,1,1,KPN3000,5,\n"
    "unrelated bull,DAUGHTER,2024-01-13,1,1,KPN950,5,\n"
    "unrelated cow,STRANGER,2024-01-14,1,1,KPN1105,5,\n"
    "embryo,DAUGHTER,2024-01-15,1,1,KPN1105,5,002000000009\n");

TEST_F(InbredServiceImport, ACalfAtTheLimitIsRefusedWithItsTieAndF)
{
    const auto verdicts = judgeServices(kServiceRows);
    const struct {
        const char* row;
        Verdict verdict;
        const char* detail;
    } cases[] = {
        {"sire", Verdict::Refused, "근교계수 25.0%: 이 정액(KPN1105)은 이 암소의 부입니다"},
        {"maternal grandsire", Verdict::Refused, "근교계수 12.5%: 이 정액(KPN1105)은 이 암소의 외조부입니다"},
        {"sire's son", Verdict::Refused, "근교계수 6.3%: 이 정액(KPN3000)은 이 암소와 공통 조상(KPN1105)이 있습니다"},
        {"unrelated bull", Verdict::New, ""},
        {"unrelated cow", Verdict::New, ""},
        {"embryo", Verdict::New, ""},  // the calf is the donor's
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.row);
        const RowVerdict v = verdicts.value(QString::fromUtf8(c.row));
        EXPECT_EQ(v.verdict, c.verdict);
        EXPECT_EQ(v.detail, QString::fromUtf8(c.detail));
    }
}

TEST_F(InbredServiceImport, TheFarmsLimitDecides)
{
    mating::MatingSettings s = mating::defaultMatingSettings();
    s.inbreedingLimit = 0.1;
    mating::storeMatingSettings(s);
    auto verdicts = judgeServices(kServiceRows);
    EXPECT_EQ(verdicts[QStringLiteral("sire's son")].verdict, Verdict::New) << "6.25 % is below 10 %";
    EXPECT_EQ(verdicts[QStringLiteral("maternal grandsire")].verdict, Verdict::Refused);
    EXPECT_EQ(verdicts[QStringLiteral("sire")].verdict, Verdict::Refused);

    s.inbreedingLimit = 0.125;  // the highest a farm may set: 12.5 % itself is refused
    mating::storeMatingSettings(s);
    verdicts = judgeServices(kServiceRows);
    EXPECT_EQ(verdicts[QStringLiteral("maternal grandsire")].verdict, Verdict::Refused);
    EXPECT_EQ(verdicts[QStringLiteral("sire's son")].verdict, Verdict::New);
}

TEST_F(InbredServiceImport, TheRunStoresOnlyTheRowsBelowTheLimit)
{
    const QString path = files.utf8(QStringLiteral("run.csv"), QStringLiteral("개체번호,수정일,산차,회수,정액번호,BCS\n"
                                                                              "DAUGHTER,2024-01-10,1,1,KPN1105,5\n"
                                                                              "DAUGHTER,2024-02-10,1,2,KPN950,5\n"));
    const ImportOutcome out =
        runImport(planFor(path, ImportTarget::Breeding), kServiceToday, QDateTime(kServiceToday, QTime(8, 0)));
    ASSERT_EQ(out.status, ImportOutcome::Status::Done) << out.error.toStdString();
    EXPECT_EQ(out.totals.of(Verdict::Refused), 1);
    EXPECT_EQ(storedRows(QStringLiteral("번식기록"), QStringLiteral("수정일")).size(), 1);
    EXPECT_EQ(farm.scalar(QStringLiteral("select 정액번호 from 번식기록 where 개체번호 = 'DAUGHTER'")),
              QStringLiteral("KPN950"));
    EXPECT_FALSE(out.refusedFile.isEmpty());
}

TEST_F(InbredServiceImport, AStoredRecordKeepsItsBullButANewBullIsJudged)
{
    // Stored through the dialog, where the farmer answered the warning.
    farm.addBreeding(QStringLiteral("DAUGHTER"), dn(QDate(2024, 1, 10)),
                     {{"정액번호", "KPN1105"}, {"산차", 1}, {"회수", 1}});
    farm.addBreeding(QStringLiteral("GRAND"), dn(QDate(2024, 1, 11)),
                     {{"정액번호", "KPN950"}, {"산차", 1}, {"회수", 1}});
    const auto verdicts = judgeServices(QStringLiteral("same bull typed otherwise,DAUGHTER,2024-01-10,1,2,1105,5,\n"
                                                       "a new bull,GRAND,2024-01-11,1,1,KPN1105,5,\n"),
                                        ImportPolicy::AddAndUpdate);
    const RowVerdict same = verdicts[QStringLiteral("same bull typed otherwise")];
    EXPECT_EQ(same.verdict, Verdict::Update) << same.detail.toStdString();
    const RowVerdict changed = verdicts[QStringLiteral("a new bull")];
    EXPECT_EQ(changed.verdict, Verdict::Refused);
    EXPECT_EQ(changed.detail, QStringLiteral("근교계수 12.5%: 이 정액(KPN1105)은 이 암소의 외조부입니다"));
}
}  // namespace
