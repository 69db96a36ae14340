// The import against a farm: every reason a row is refused, the two policies, the expected
// calving the dialog would compute, the backup before, a cancel that stores nothing, and the
// file of refused rows.
#include "backup/model/Backup.h"
#include "data/Clock.h"
#include "data/ProgramDir.h"
#include "data/Values.h"
#include "import/ImportFixture.h"
#include "support/ExportReaders.h"
#include "support/TestFarm.h"

#include <QDir>
#include <QSqlDatabase>
#include <QSqlQuery>

namespace {
const QDate kToday(2024, 5, 10);
const QDateTime kNow(kToday, QTime(9, 30));

class ImportRunTest : public FarmTest {
protected:
    void SetUp() override
    {
        setTodayOverride(kToday);
        ASSERT_TRUE(farm.open());
    }
    void TearDown() override { setTodayOverride(QDate()); }

    // Each row's verdict and detail, keyed by its first cell.
    QHash<QString, RowVerdict> preview(const ImportPlan& plan, ImportTotals* totals = nullptr)
    {
        QHash<QString, RowVerdict> out;
        const PreviewResult r = previewImport(plan, kToday, [&](const QStringList& cells, qint64, const RowVerdict& v) {
            out.insert(cells.value(0), v);
        });
        EXPECT_TRUE(r.error.isEmpty()) << r.error.toStdString();
        if (totals) *totals = r.totals;
        return out;
    }
    // A column of a stored row as text.
    QString stored(const QString& table, const QString& column, const QString& where, const QVariantList& binds)
    {
        return farm.scalar(QStringLiteral("select %1 from %2 where %3").arg(column, table, where), binds);
    }

    ImportFiles files;
};

struct Refusal {
    const char* row;     // the CSV row; its first cell names it
    const char* reason;  // a part of the reason given
};

void expectRefusals(const QHash<QString, RowVerdict>& verdicts, const QList<Refusal>& cases)
{
    for (const Refusal& c : cases) {
        const QString key = QString::fromUtf8(c.row).section(u',', 0, 0);
        SCOPED_TRACE(c.row);
        ASSERT_TRUE(verdicts.contains(key));
        EXPECT_EQ(verdicts[key].verdict, Verdict::Refused) << verdicts[key].detail.toStdString();
        EXPECT_TRUE(verdicts[key].detail.contains(QString::fromUtf8(c.reason))) << verdicts[key].detail.toStdString();
    }
}

TEST_F(ImportRunTest, AnimalRowsAreRefusedForEachReasonTheFormsWouldHave)
{
    farm.addAnimal(QStringLiteral("KR-BULL"), 1);
    // The first cell names the case; 개체번호 is the second column.
    const QList<Refusal> cases = {
        {"no number,,암소,,", "개체번호가 없습니다"},
        {"impossible birth,KR2,암소,2021-02-30,", "개체생일: 날짜로 읽을 수 없습니다"},
        {"unknown sex,KR3,송아지,,", "암소/수소로 읽을 수 없습니다"},
        {"no sex,KR4,,,", "암/수 구분이 없습니다"},
        {"negative score,KR5,암소,,-1", "흑비경(점수): 0 이상의 숫자여야 합니다"},
        {"score no number,KR6,암소,,4점", "흑비경(점수): 0 이상의 숫자여야 합니다"},
        {"cow over a bull,KR-BULL,암소,,", "저장된 개체와 암/수 구분이 다릅니다"},
        {"twice,KR1,암소,,", "같은 개체번호가 파일의 2행에 먼저 있습니다"},
    };
    QString csv = QStringLiteral("사례,개체번호,성별,생년월일,흑비경\nfirst,KR1,암소,2020-01-15,4.5\n");
    for (const Refusal& c : cases) csv += QString::fromUtf8(c.row) + u'\n';
    const ImportPlan plan = planFor(files.utf8(QStringLiteral("animals.csv"), csv), ImportTarget::Animals);
    ImportTotals totals;
    const auto verdicts = preview(plan, &totals);
    EXPECT_EQ(verdicts[QStringLiteral("first")].verdict, Verdict::New);
    expectRefusals(verdicts, cases);
    EXPECT_EQ(totals.of(Verdict::New), 1);
    EXPECT_EQ(totals.of(Verdict::Refused), cases.size());
}

TEST_F(ImportRunTest, BreedingRowsAreRefusedForEachReasonTheDialogWouldHave)
{
    farm.addAnimal(QStringLiteral("COW"), 0);
    farm.addAnimal(QStringLiteral("BULL"), 1);
    const QString head = QStringLiteral("사례,개체번호,수정일,산차,회수,정액번호,BCS,임신판정일,가부,생시체중\n");
    const QList<Refusal> cases = {
        {"no number,,2023-01-01,1,1,KPN1,5,,,", "개체번호가 없습니다"},
        {"unknown animal,NOBODY,2023-01-02,1,1,KPN1,5,,,", "개체관리에 없는 개체입니다"},
        {"a bull,BULL,2023-01-03,1,1,KPN1,5,,,", "수소에는 번식기록을 넣을 수 없습니다"},
        {"no day,COW,,1,1,KPN1,5,,,", "수정일이 없습니다"},
        {"impossible day,COW,2023-02-29,1,1,KPN1,5,,,", "수정일: 날짜로 읽을 수 없습니다"},
        {"no parity,COW,2023-01-04,,1,KPN1,5,,,", "산차: 값이 없습니다"},
        {"parity no number,COW,2023-01-05,첫,1,KPN1,5,,,", "산차: 0 이상의 숫자여야 합니다"},
        {"no semen,COW,2023-01-06,1,1,,5,,,", "씨수소 정액번호: 값이 없습니다"},
        {"bcs off the scale,COW,2023-01-07,1,1,KPN1,10,,,", "BCS: 1~9의 숫자여야 합니다"},
        {"no bcs for the expected calving,COW,2023-01-08,1,1,KPN1,,,,", "BCS: 값이 없습니다 (1~9의 숫자여야 합니다)"},
        {"impossible check day,COW,2023-01-09,1,1,KPN1,5,2023-04-31,가,", "임신판정일: 날짜로 읽을 수 없습니다"},
        {"unknown result,COW,2023-01-10,1,1,KPN1,5,2023-03-01,모름,", "가부: 가(O) 또는 부(X)로 읽을 수 없습니다"},
        {"negative weight,COW,2023-01-11,1,1,KPN1,5,,,-3", "생시체중: 0 이상의 숫자여야 합니다"},
        {"twice,COW,2023-01-12,1,1,KPN1,5,,,", "같은 개체번호와 수정일이 파일의 2행에 먼저 있습니다"},
    };
    QString csv = head + QStringLiteral("first,COW,2023-01-12,1,1,KPN1,5,,,\n");
    for (const Refusal& c : cases) csv += QString::fromUtf8(c.row) + u'\n';
    ImportPlan plan = planFor(files.utf8(QStringLiteral("breeding.csv"), csv), ImportTarget::Breeding);
    const auto verdicts = preview(plan);
    EXPECT_EQ(verdicts[QStringLiteral("first")].verdict, Verdict::New)
        << verdicts[QStringLiteral("first")].detail.toStdString();
    expectRefusals(verdicts, cases);
}

TEST_F(ImportRunTest, AnEmptyExpectedCalvingIsComputedAsTheDialogDoes)
{
    farm.addAnimal(QStringLiteral("COW"), 0);
    const QString csv = QStringLiteral(
        "개체번호,수정일,산차,회수,정액번호,BCS,분만예정일,임신판정일,가부\n"
        "COW,2023.3.1,1,1,KPN1,5,,,\n"                        // computed: 280 days on
        "COW,20230601,2,1,KPN2,6,2024-03-01,2023-08-01,부\n"  // as given
        "COW,2023년 09월 01일,3,1,KPN3,0,,,\n");              // BCS 0: the program's own sign of none
    const ImportPlan plan = planFor(files.utf8(QStringLiteral("b.csv"), csv), ImportTarget::Breeding);
    // The preview shows what will be stored: the dates read, the expected calving computed.
    const int expected = fieldIndex(ImportTarget::Breeding, QStringLiteral("예정일"));
    QStringList firstValues;
    previewImport(plan, kToday, [&](const QStringList&, qint64 line, const RowVerdict& v) {
        if (line == 2) firstValues = v.values;
    });
    EXPECT_EQ(firstValues.value(1), "2023-03-01");
    EXPECT_EQ(firstValues.value(expected), QDate(2023, 3, 1).addDays(280).toString(Qt::ISODate));
    ASSERT_EQ(runImport(plan, kToday, kNow).status, ImportOutcome::Status::Done);
    const QString where = QStringLiteral("개체번호 = 'COW' and 수정일 = ?");
    EXPECT_EQ(stored("번식기록", "예정일", where, {20230301}), QString::number(dn(QDate(2023, 3, 1).addDays(280))));
    EXPECT_EQ(stored("번식기록", "BCS", where, {20230301}), "5");
    EXPECT_EQ(stored("번식기록", "가부", where, {20230301}), "-1");  // no check day: no result
    EXPECT_EQ(stored("번식기록", "예정일", where, {20230601}), "20240301");
    EXPECT_EQ(stored("번식기록", "판정일", where, {20230601}), "20230801");
    EXPECT_EQ(stored("번식기록", "가부", where, {20230601}), "1");
    EXPECT_EQ(stored("번식기록", "예정일", where, {20230901}), "0");
    EXPECT_EQ(stored("번식기록", "BCS", where, {20230901}), "0");
}

TEST_F(ImportRunTest, AddOnlyLeavesStoredRecordsAndUpdateChangesOnlyWhatTheFileHas)
{
    farm.addAnimal(QStringLiteral("KR1"), 0, 20190101, {{"별명", "가나목장"}, {"모번호", "KR0"}});
    farm.addAnimal(QStringLiteral("KR3"), 1, 20180505, {{"별명", "다라"}});
    const QString csv = QStringLiteral(
        "개체번호,구분,목장명,생년월일\n"
        "KR1,암소,새목장,\n"            // changes the ranch name; the empty birth day keeps the stored one
        "KR2,수소,,2022-02-02\n"        // new
        "KR3,거세,다라,2018-05-05\n");  // the same
    const QString path = files.utf8(QStringLiteral("a.csv"), csv);

    ImportTotals totals;
    auto verdicts = preview(planFor(path, ImportTarget::Animals), &totals);
    EXPECT_EQ(verdicts["KR1"].verdict, Verdict::Kept);
    EXPECT_EQ(verdicts["KR1"].detail, "목장명: 가나목장 → 새목장");
    // Shown as stored: the birth day kept, the sex in words.
    EXPECT_EQ(verdicts["KR1"].values.mid(0, 4), (QStringList{"KR1", "암소", "순종", "2019-01-01"}));
    EXPECT_EQ(verdicts["KR2"].values.value(3), "2022-02-02");
    EXPECT_EQ(verdicts["KR2"].verdict, Verdict::New);
    EXPECT_EQ(verdicts["KR3"].verdict, Verdict::Same);
    ImportOutcome out = runImport(planFor(path, ImportTarget::Animals), kToday, kNow);
    ASSERT_EQ(out.status, ImportOutcome::Status::Done);
    EXPECT_EQ(out.totals.counts, totals.counts);
    EXPECT_EQ(stored("개체관리", "별명", "개체번호 = ?", {"KR1"}), "가나목장");
    EXPECT_EQ(farm.count("개체관리"), 3);

    const ImportPlan update = planFor(path, ImportTarget::Animals, ImportPolicy::AddAndUpdate);
    verdicts = preview(update);
    EXPECT_EQ(verdicts["KR1"].verdict, Verdict::Update);
    EXPECT_EQ(verdicts["KR2"].verdict, Verdict::Same);
    out = runImport(update, kToday, kNow.addSecs(5));
    ASSERT_EQ(out.status, ImportOutcome::Status::Done);
    EXPECT_EQ(out.totals.of(Verdict::Update), 1);
    EXPECT_EQ(stored("개체관리", "별명", "개체번호 = ?", {"KR1"}), "새목장");
    EXPECT_EQ(stored("개체관리", "개체생일", "개체번호 = ?", {"KR1"}), "20190101");
    EXPECT_EQ(stored("개체관리", "모번호", "개체번호 = ?", {"KR1"}), "KR0");
}

TEST_F(ImportRunTest, AStoredBreedingRecordIsComparedAndUpdatedByItsKey)
{
    farm.addAnimal(QStringLiteral("COW"), 0);
    farm.addBreeding(QStringLiteral("COW"), 20230301,
                     {{"산차", 1}, {"회수", 1}, {"정액번호", "KPN1"}, {"BCS", 5}, {"예정일", 20231206}});
    const QString path =
        files.utf8(QStringLiteral("b.csv"), QStringLiteral("개체번호,수정일,BCS,분만일,송아지번호,성별\n"
                                                           "COW,2023-03-01,5,,,\n"
                                                           "COW,2023-03-01,6,2023-12-08,KR9,수\n"));
    // The second row repeats the key: refused, whatever the first row's verdict.
    auto verdicts = preview(planFor(path, ImportTarget::Breeding, ImportPolicy::AddAndUpdate));
    EXPECT_EQ(verdicts["COW"].verdict, Verdict::Refused);

    const QString second =
        files.utf8(QStringLiteral("c.csv"), QStringLiteral("개체번호,수정일,BCS,분만일,송아지번호,성별\n"
                                                           "COW,2023-03-01,6,2023-12-08,KR9,수\n"));
    verdicts = preview(planFor(second, ImportTarget::Breeding));
    EXPECT_EQ(verdicts["COW"].verdict, Verdict::Kept);
    EXPECT_EQ(verdicts["COW"].detail,
              "BCS: 5 → 6, 분만일: (빈칸) → 2023-12-08, 송아지번호: (빈칸) → KR9, 송아지 성별: (빈칸) → 수");
    ASSERT_EQ(runImport(planFor(second, ImportTarget::Breeding, ImportPolicy::AddAndUpdate), kToday, kNow).status,
              ImportOutcome::Status::Done);
    const QString where = QStringLiteral("개체번호 = 'COW' and 수정일 = 20230301");
    EXPECT_EQ(stored("번식기록", "BCS", where, {}), "6");
    EXPECT_EQ(stored("번식기록", "분만일", where, {}), "20231208");
    EXPECT_EQ(stored("번식기록", "성별", where, {}), "1");
    EXPECT_EQ(stored("번식기록", "정액번호", where, {}), "KPN1");
    EXPECT_EQ(farm.count("번식기록"), 1);
}

TEST_F(ImportRunTest, TheDatabaseIsBackedUpJustBeforeAndKeptLikeEveryBackup)
{
    farm.addAnimal(QStringLiteral("OLD"), 0);
    const QString path = files.utf8(QStringLiteral("a.csv"), QStringLiteral("개체번호,구분\nNEW,암소\n"));
    const ImportOutcome out = runImport(planFor(path, ImportTarget::Animals), kToday, kNow);
    ASSERT_EQ(out.status, ImportOutcome::Status::Done);
    const QString name = QFileInfo(out.backupFile).fileName();
    EXPECT_EQ(name, QStringLiteral("TARVIK-20240510-093000-가져오기전.db"));
    QDateTime at;
    EXPECT_TRUE(parseBackupFileName(name, &at));
    EXPECT_EQ(at, kNow);
    EXPECT_TRUE(backupNamesInCreationOrder(backupDirOf(databaseFilePath())).contains(name));
    // The copy holds the farm as it was before the import.
    {
        QSqlDatabase copy = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("import-backup"));
        copy.setDatabaseName(out.backupFile);
        ASSERT_TRUE(copy.open());
        QSqlQuery q(copy);
        ASSERT_TRUE(q.exec(QStringLiteral("select group_concat(개체번호) from 개체관리")) && q.next());
        EXPECT_EQ(q.value(0).toString(), "OLD");
    }
    QSqlDatabase::removeDatabase(QStringLiteral("import-backup"));
    EXPECT_EQ(farm.count("개체관리"), 2);
    // The rotation counts it among the backups it keeps and removes.
    EXPECT_EQ(backupsToRemoveInOrder({name, QStringLiteral("TARVIK-20240510-100000.db")}, 2), QStringList{});
    EXPECT_EQ(backupsToRemoveInOrder(
                  {name, QStringLiteral("TARVIK-20240511-100000.db"), QStringLiteral("TARVIK-20240512-100000.db")}, 1),
              (QStringList{name, QStringLiteral("TARVIK-20240511-100000.db")}));
}

TEST_F(ImportRunTest, AFileThatCannotBeOpenedStopsTheImportBeforeAnyBackup)
{
    const QString path = files.utf8(QStringLiteral("gone.csv"), QStringLiteral("개체번호,구분\nNEW,암소\n"));
    const ImportPlan plan = planFor(path, ImportTarget::Animals);
    ASSERT_TRUE(QFile::remove(path));
    const ImportOutcome out = runImport(plan, kToday, kNow);
    EXPECT_EQ(out.status, ImportOutcome::Status::Failed);
    EXPECT_FALSE(out.error.isEmpty());
    EXPECT_TRUE(out.backupFile.isEmpty());
    EXPECT_EQ(backupNamesInCreationOrder(backupDirOf(databaseFilePath())), QStringList{});
    EXPECT_EQ(farm.count("개체관리"), 0);
}

TEST_F(ImportRunTest, ACancelStoresNothing)
{
    farm.addAnimal(QStringLiteral("OLD"), 0);
    QString csv = QStringLiteral("개체번호,구분\n");
    for (int i = 0; i < 3000; ++i) csv += QStringLiteral("KR%1,%2\n").arg(i).arg(i % 7 == 0 ? "?" : "암소");
    const QString path = files.utf8(QStringLiteral("many.csv"), csv);
    int calls = 0;
    const ImportOutcome out =
        runImport(planFor(path, ImportTarget::Animals), kToday, kNow, [&](double) { return ++calls < 3; });
    EXPECT_EQ(out.status, ImportOutcome::Status::Cancelled);
    EXPECT_EQ(calls, 3);
    EXPECT_EQ(farm.count("개체관리"), 1);
    EXPECT_FALSE(QFileInfo::exists(refusedRowsPath(path)));
    // The connection is usable and outside any transaction afterwards.
    farm.exec(QStringLiteral("insert into 개체관리(개체번호) values('AFTER')"));
    EXPECT_EQ(farm.count("개체관리"), 2);
}

TEST_F(ImportRunTest, RefusedRowsGoToACsvFileBesideTheSourceWithTheirReasons)
{
    const QString path =
        files.utf8(QStringLiteral("소 목록.csv"), QStringLiteral("개체번호,구분,생년월일,메모\n"
                                                                 "KR1,암소,2020-01-01,좋음\n"
                                                                 "KR2,암소,2020-02-30,\"쉼표, 따옴표\"\"\"\n"
                                                                 "\n"
                                                                 ",수소,,=SUM(A1)\n"
                                                                 ",수소,,\"\t@탭\"\n"));
    const ImportOutcome out = runImport(planFor(path, ImportTarget::Animals), kToday, kNow);
    ASSERT_EQ(out.status, ImportOutcome::Status::Done);
    EXPECT_EQ(out.refusedFile, files.path(QStringLiteral("소 목록-거부된행.csv")));
    const QJsonObject csv = readCsv(out.refusedFile);
    ASSERT_FALSE(csv.contains("error")) << csv["error"].toString().toStdString();
    EXPECT_TRUE(csv["bom"].toBool());
    const QJsonArray rows = csv["rows"].toArray();
    ASSERT_EQ(rows.size(), 4);
    EXPECT_EQ(rows[0].toVariant().toStringList(),
              (QStringList{"개체번호", "구분", "생년월일", "메모", "거부 사유", "원본 행"}));
    EXPECT_EQ(rows[1].toVariant().toStringList(),
              (QStringList{"KR2", "암소", "2020-02-30", "쉼표, 따옴표\"",
                           "개체생일: 날짜로 읽을 수 없습니다 ('2020-02-30').", "3"}));
    EXPECT_EQ(rows[2].toVariant().toStringList(),
              (QStringList{"", "수소", "", "'=SUM(A1)", "개체번호가 없습니다.", "5"}));
    // A tab first is guarded as the export guards it.
    EXPECT_EQ(rows[3].toVariant().toStringList(), (QStringList{"", "수소", "", "'\t@탭", "개체번호가 없습니다.", "6"}));
    EXPECT_EQ(farm.count("개체관리"), 1);

    // An import without a refused row leaves no such file.
    const QString clean = files.utf8(QStringLiteral("clean.csv"), QStringLiteral("개체번호,구분\nKR7,암소\n"));
    EXPECT_TRUE(runImport(planFor(clean, ImportTarget::Animals), kToday, kNow.addSecs(9)).refusedFile.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(refusedRowsPath(clean)));
}
TEST_F(ImportRunTest, ABreedingFileWithoutABcsColumnStoresNoBcsAndSaysSoOnce)
{
    farm.addAnimal(QStringLiteral("COW"), 0);
    // An insemination log: no BCS column at all.
    const QString log = files.utf8(QStringLiteral("log.csv"), QStringLiteral("개체번호,수정일,산차,회수,정액번호\n"
                                                                             "COW,2023-03-01,1,1,KPN1\n"
                                                                             "COW,2023-06-01,1,2,KPN2\n"));
    const ImportPlan plan = planFor(log, ImportTarget::Breeding);
    const QStringList said = importAssumptions(plan);
    ASSERT_EQ(said.size(), 1);
    EXPECT_TRUE(said[0].contains(QStringLiteral("BCS 열이 없어"))) << said[0].toStdString();
    ImportTotals totals;
    preview(plan, &totals);
    EXPECT_EQ(totals.of(Verdict::New), 2);
    ASSERT_EQ(runImport(plan, kToday, kNow).status, ImportOutcome::Status::Done);
    const QString where = QStringLiteral("개체번호 = 'COW' and 수정일 = ?");
    EXPECT_EQ(stored("번식기록", "BCS", where, {20230301}), "0");
    EXPECT_EQ(stored("번식기록", "예정일", where, {20230301}), QString::number(dn(QDate(2023, 3, 1).addDays(280))));

    // With the column, a bad value is still refused; 0 is the program's own "not entered".
    const QString withBcs =
        files.utf8(QStringLiteral("bcs.csv"), QStringLiteral("개체번호,수정일,산차,회수,정액번호,BCS\n"
                                                             "COW,2023-09-01,2,1,KPN1,10\n"
                                                             "COW,2023-10-01,2,1,KPN1,뚱뚱\n"
                                                             "COW,2023-11-01,2,1,KPN1,\n"));
    const ImportPlan checked = planFor(withBcs, ImportTarget::Breeding);
    EXPECT_TRUE(importAssumptions(checked).isEmpty());
    preview(checked, &totals);
    EXPECT_EQ(totals.of(Verdict::Refused), 3);
}

TEST_F(ImportRunTest, ABlankChoiceIsRefusedRatherThanTakenForTheFirstOption)
{
    farm.addAnimal(QStringLiteral("COW"), 0);
    // The first cell names the case.
    const QString head =
        QStringLiteral("사례,개체번호,수정일,산차,회수,정액번호,BCS,임신판정일,가부,분만일,송아지번호,성별\n");
    const QList<Refusal> cases = {
        {"checked without result,COW,2023-01-01,1,1,KPN1,5,2023-03-01,,,,",
         "가부: 임신판정일이 있는데 판정 결과가 비어"},
        {"calf without sex,COW,2023-01-02,1,1,KPN1,5,2023-03-01,가,2023-10-10,KR9,",
         "송아지 성별: 분만일과 송아지번호가 있는데"},
    };
    QString csv = head + QStringLiteral("no calf,COW,2023-01-03,1,1,KPN1,5,2023-03-01,부,2023-10-11,,\n");
    for (const Refusal& c : cases) csv += QString::fromUtf8(c.row) + u'\n';
    const auto verdicts = preview(planFor(files.utf8(QStringLiteral("b.csv"), csv), ImportTarget::Breeding));
    expectRefusals(verdicts, cases);
    // A calving without a calf says nothing of a sex: nothing to assume.
    EXPECT_EQ(verdicts[QStringLiteral("no calf")].verdict, Verdict::New) << verdicts["no calf"].detail.toStdString();

    // A stored result stays when the file names the check day again without it.
    farm.addBreeding(QStringLiteral("COW"), 20220101,
                     {{"산차", 1}, {"회수", 1}, {"정액번호", "KPN1"}, {"BCS", 5}, {"판정일", 20220301}, {"가부", 1}});
    const QString again =
        files.utf8(QStringLiteral("c.csv"), head + QStringLiteral("stored,COW,2022-01-01,1,1,KPN1,5,2022-03-02,,,,\n"));
    const auto updated = preview(planFor(again, ImportTarget::Breeding, ImportPolicy::AddAndUpdate));
    EXPECT_EQ(updated[QStringLiteral("stored")].verdict, Verdict::Update) << updated["stored"].detail.toStdString();
}

TEST_F(ImportRunTest, NumbersInExponentFormAreRefusedAsDigitsLost)
{
    farm.addAnimal(QStringLiteral("COW"), 0);
    const QList<Refusal> animals = {
        {"first,2.01E+09,암소,", "개체번호: 스프레드시트가 번호를 숫자로 바꾸며 자리가 없어졌습니다 ('2.01E+09')"},
        {"second,2.01235E+11,암소,", "개체번호: 스프레드시트가 번호를 숫자로 바꾸며 자리가 없어졌습니다"},
        {"mother,KR5,암소,2.01E+09", "모번호: 스프레드시트가 번호를 숫자로 바꾸며"},
    };
    QString csv = QStringLiteral("사례,개체번호,구분,모번호\n");
    for (const Refusal& c : animals) csv += QString::fromUtf8(c.row) + u'\n';
    expectRefusals(preview(planFor(files.utf8(QStringLiteral("a.csv"), csv), ImportTarget::Animals)), animals);

    const QList<Refusal> breeding = {
        {"semen,COW,2023-01-01,1,1,1.1E+05", "씨수소 정액번호: 스프레드시트가 번호를 숫자로 바꾸며"},
        {"cow,2.01E+09,2023-01-02,1,1,KPN1", "개체번호: 스프레드시트가"},
    };
    csv = QStringLiteral("사례,개체번호,수정일,산차,회수,정액번호\n");
    for (const Refusal& c : breeding) csv += QString::fromUtf8(c.row) + u'\n';
    expectRefusals(preview(planFor(files.utf8(QStringLiteral("b.csv"), csv), ImportTarget::Breeding)), breeding);
}

TEST_F(ImportRunTest, ApostrophesTypedBeforeValuesAreTheSpreadsheetsTextMark)
{
    const QString path = files.utf8(QStringLiteral("a.csv"), QStringLiteral("개체번호,구분,생년월일,모번호\n"
                                                                            "'002014000007,암소,'2020-01-15,'1037\n"));
    ASSERT_EQ(runImport(planFor(path, ImportTarget::Animals), kToday, kNow).status, ImportOutcome::Status::Done);
    EXPECT_EQ(stored("개체관리", "개체생일", "개체번호 = ?", {"002014000007"}), "20200115");
    EXPECT_EQ(stored("개체관리", "모번호", "개체번호 = ?", {"002014000007"}), "1037");
}

TEST_F(ImportRunTest, TheRefusedRowsFileFollowsTheLastImport)
{
    const QString path = files.utf8(QStringLiteral("소.csv"), QStringLiteral("개체번호,구분\nKR1,암소\nKR2,송아지\n"));
    ImportOutcome out = runImport(planFor(path, ImportTarget::Animals), kToday, kNow);
    ASSERT_EQ(out.refusedFile, refusedRowsPath(path));
    ASSERT_TRUE(QFileInfo::exists(out.refusedFile));
    // The farmer fixes the row and imports the file again: no refusal is left to mislead.
    files.utf8(QStringLiteral("소.csv"), QStringLiteral("개체번호,구분\nKR1,암소\nKR2,수소\n"));
    out = runImport(planFor(path, ImportTarget::Animals), kToday, kNow.addSecs(5));
    ASSERT_EQ(out.status, ImportOutcome::Status::Done);
    EXPECT_TRUE(out.refusedFile.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(refusedRowsPath(path)));
}

TEST_F(ImportRunTest, RefusedRowsGoBesideTheDatabaseWhenTheSourcesFolderTakesNoFile)
{
    const QString path =
        files.utf8(QStringLiteral("읽기전용.csv"), QStringLiteral("개체번호,구분\nKR1,암소\nKR2,송아지\n"));
    // A folder in the way of the file: the refusals cannot be put beside the source.
    ASSERT_TRUE(QDir().mkpath(refusedRowsPath(path)));
    const ImportOutcome out = runImport(planFor(path, ImportTarget::Animals), kToday, kNow);
    ASSERT_EQ(out.status, ImportOutcome::Status::Done);
    EXPECT_TRUE(out.error.isEmpty()) << out.error.toStdString();
    EXPECT_TRUE(out.refusedMoved);
    EXPECT_EQ(out.refusedFile, QFileInfo(databaseFilePath()).absolutePath() + QStringLiteral("/읽기전용-거부된행.csv"));
    const QJsonArray rows = readCsv(out.refusedFile)["rows"].toArray();
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[1].toVariant().toStringList().value(0), "KR2");
}
}  // namespace
