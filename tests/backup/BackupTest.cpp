// Automatic backups: a checked copy on exit and at the day's first start, the rotation that
// keeps 30 plus one a month, and scripts/restore.sh that sets the current file aside.
#include "app/MainWindow.h"
#include "backup/model/Backup.h"
#include "data/Clock.h"
#include "data/Db.h"
#include "data/ProgramDir.h"
#include "kit/DbMessages.h"
#include "support/TestFarm.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>

namespace {

int modeOf(const QString& path)
{
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? int(st.st_mode & 07777) : -1;
}

QString backupFolder()
{
    return backupDirOf(databaseFilePath());
}

QStringList folderEntries()
{
    return QDir(backupFolder()).entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
}

// Every row of the data tables, as text, from the shared connection.
QStringList animalsAndBreeding(TestFarm& farm)
{
    QStringList out;
    for (const char* sql : {"select 개체번호 || '/' || 별명 || '/' || 개체생일 from 개체관리 order by 1",
                            "select 개체번호 || '/' || 수정일 from 번식기록 order by 1"}) {
        QSqlQuery q = runQuery(QString::fromUtf8(sql));
        while (q.next()) out << q.value(0).toString();
    }
    out << farm.scalar(QStringLiteral("select 사업장명칭 from 농장정보"));
    return out;
}

// The records of a copy, read as the program's own database in a folder of its own.
QStringList recordsOfCopy(TestFarm& farm, const QString& copy)
{
    farm.close();
    const QString folder = farm.dir() + QStringLiteral("/copy-") + QFileInfo(copy).baseName();
    setProgramDir(folder);
    QDir().mkpath(folder + QStringLiteral("/db"));
    QStringList records;
    if (QFile::copy(copy, databaseFilePath()) && farm.open()) records = animalsAndBreeding(farm);
    farm.close();
    setProgramDir(farm.dir());
    return records;
}

void writeSomeRecords(TestFarm& farm)
{
    farm.addAnimalWithHistory(QStringLiteral("KR001"), 0, {{QStringLiteral("별명"), QStringLiteral("한빛")}});
    farm.addAnimal(QStringLiteral("KR002"), 1, 20200202);
    farm.exec(QStringLiteral("update 농장정보 set 사업장명칭 = '햇살농장'"));
}

using BackupOnAFarm = FarmTest;

}  // namespace

TEST(BackupRotation, KeepsTheLast30AndTheLastOfEachMonth)
{
    auto name = [](const char* stamp) { return QStringLiteral("TARVIK-%1.db").arg(QLatin1String(stamp)); };
    // 35 daily copies from 2026-01-20 to 2026-02-23, one copy a day at 08:00.
    QStringList names;
    for (QDate d(2026, 1, 20); d <= QDate(2026, 2, 23); d = d.addDays(1))
        names << backupFileName(QDateTime(d, QTime(8, 0)));
    ASSERT_EQ(names.size(), 35);
    const QStringList removed = backupsToRemove(names);
    // The 30 newest start at 01-25; of the five older ones 01-20..01-24 none is January's last.
    EXPECT_EQ(removed, (QStringList{name("20260120-080000"), name("20260121-080000"), name("20260122-080000"),
                                    name("20260123-080000"), name("20260124-080000")}));

    const struct {
        const char* what;
        QStringList names;
        int keep;
        QStringList removed;
    } cases[] = {
        {"no more than kept", {name("20260101-010101"), name("20260102-010101")}, 2, {}},
        {"the last of each older month stays",
         {name("20251130-230000"), name("20251130-235959"), name("20251201-000000"), name("20251215-120000"),
          name("20251231-100000"), name("20260105-080000")},
         1,
         {name("20251130-230000"), name("20251201-000000"), name("20251215-120000")}},
        {"other files are never removed, whatever their name",
         {QStringLiteral("TARVIK.db"), QStringLiteral("TARVIK-20250101-010101.db.part"),
          QStringLiteral("TARVIK-before-restore-20250101-010101.db"), QStringLiteral("TARVIK-20251301-000000.db"),
          QStringLiteral("notes.txt"), name("20250101-010101"), name("20250101-020202"), name("20250102-010101")},
         1,
         {name("20250101-010101"), name("20250101-020202")}},
        {"order given does not matter",
         {name("20250301-000000"), name("20250101-000000"), name("20250102-000000")},
         1,
         {name("20250101-000000")}},
    };
    for (const auto& c : cases) EXPECT_EQ(backupsToRemove(c.names, c.keep), c.removed) << c.what;
}

TEST(BackupFileName, StampAndParse)
{
    const QDateTime t(QDate(2026, 12, 9), QTime(7, 5, 3));
    EXPECT_EQ(backupFileName(t), QStringLiteral("TARVIK-20261209-070503.db"));
    QDateTime back;
    ASSERT_TRUE(parseBackupFileName(backupFileName(t), &back));
    EXPECT_EQ(back, t);
    for (const char* bad : {"TARVIK-20261209-070503.db.part", "TARVIK-20261332-070503.db", "TARVIK-2026129-070503.db",
                            "xTARVIK-20261209-070503.db", "TARVIK-20261209-250000.db"})
        EXPECT_FALSE(parseBackupFileName(QString::fromLatin1(bad))) << bad;
}

TEST_F(BackupOnAFarm, ABackupIsAPrivateCheckedCopyEqualInContent)
{
    ASSERT_TRUE(farm.open());
    writeSomeRecords(farm);
    const QStringList original = animalsAndBreeding(farm);
    farm.close();

    const BackupResult r = writeBackup(databaseFilePath(), QDateTime(QDate(2026, 12, 9), QTime(18, 30, 0)));
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_EQ(r.file, backupFolder() + QStringLiteral("/TARVIK-20261209-183000.db"));
    EXPECT_EQ(modeOf(backupFolder()), 0700);
    EXPECT_EQ(modeOf(r.file), 0600);
    EXPECT_EQ(folderEntries(), QStringList{QStringLiteral("TARVIK-20261209-183000.db")});  // no partial file

    EXPECT_EQ(recordsOfCopy(farm, r.file), original);

    // A second copy in the same second never replaces the first.
    const BackupResult again = writeBackup(databaseFilePath(), QDateTime(QDate(2026, 12, 9), QTime(18, 30, 0)));
    ASSERT_TRUE(again.ok);
    EXPECT_EQ(QFileInfo(again.file).fileName(), QStringLiteral("TARVIK-20261209-183001.db"));
    EXPECT_EQ(newestBackup(databaseFilePath()), again.file);
}

TEST_F(BackupOnAFarm, WritingABackupRotatesTheOldOnes)
{
    for (QDate d(2026, 1, 1); d <= QDate(2026, 3, 5); d = d.addDays(1))
        ASSERT_TRUE(writeBackup(databaseFilePath(), QDateTime(d, QTime(9, 0))).ok);
    const QStringList kept = folderEntries();
    // January's last, then the last 30: 02-04 to 03-05 (which hold February's last).
    ASSERT_EQ(kept.size(), 31);
    EXPECT_EQ(kept[0], QStringLiteral("TARVIK-20260131-090000.db"));
    EXPECT_EQ(kept[1], QStringLiteral("TARVIK-20260204-090000.db"));
    EXPECT_EQ(kept.last(), QStringLiteral("TARVIK-20260305-090000.db"));
}

TEST_F(BackupOnAFarm, AFailedBackupLeavesNothingAndSaysWhyInKorean)
{
    ASSERT_TRUE(farm.open());
    farm.addAnimal(QStringLiteral("KR001"), 0);
    // Another program holds the database while the copy is taken.
    farm.exec(QStringLiteral("BEGIN EXCLUSIVE"));
    const BackupResult r = writeBackup(databaseFilePath(), QDateTime::currentDateTime());
    farm.exec(QStringLiteral("COMMIT"));
    EXPECT_FALSE(r.ok);
    // Held, not unreadable: said as such, the engine's words only in the detail.
    EXPECT_TRUE(r.error.startsWith(QStringLiteral("데이터베이스 파일을 다른 프로그램이 사용하고 있어")))
        << r.error.toStdString();
    EXPECT_FALSE(r.error.contains(QRegularExpression(QStringLiteral("[A-Za-z]")))) << r.error.toStdString();
    EXPECT_FALSE(r.detail.isEmpty());
    EXPECT_TRUE(folderEntries().isEmpty());
}

TEST_F(BackupOnAFarm, ExitWithYesWritesACopy)
{
    ASSERT_TRUE(farm.open());
    writeSomeRecords(farm);
    const QStringList original = animalsAndBreeding(farm);
    farm.close();
    MainWindow w;
    w.show();
    farm.messages().answer(MsgButton::Yes);
    w.close();
    EXPECT_EQ(farm.exitCalls(), 1);
    EXPECT_EQ(farm.messages().count(), 1);  // only the exit question
    const QString copy = newestBackup(databaseFilePath());
    ASSERT_FALSE(copy.isEmpty());
    EXPECT_TRUE(hasBackupOn(databaseFilePath(), today()));
    EXPECT_EQ(recordsOfCopy(farm, copy), original);
}

TEST_F(BackupOnAFarm, ABackupThatFailsAtExitIsReportedAndTheProgramStillEnds)
{
    // Something that is no folder where the backups go.
    QFile block(backupFolder());
    ASSERT_TRUE(block.open(QIODevice::WriteOnly));
    block.close();
    MainWindow w;
    w.show();
    farm.messages().answer(MsgButton::Yes);
    w.close();
    ASSERT_EQ(farm.messages().count(), 2);
    const MessageSpec& m = farm.messages().last();
    EXPECT_EQ(m.title, QStringLiteral("백업 오류"));
    EXPECT_EQ(m.icon, MsgIcon::Exclamation);
    EXPECT_TRUE(
        m.text.startsWith(QStringLiteral("데이터베이스 백업을 만들지 못했습니다.\r\n백업 폴더를 만들 수 없습니다")))
        << m.text.toStdString();
    // Korean only in the box; the path and the system's words sit behind the details button.
    EXPECT_FALSE(m.text.contains(QRegularExpression(QStringLiteral("[A-Za-z]")))) << m.text.toStdString();
    EXPECT_TRUE(m.details.contains(backupFolder())) << m.details.toStdString();
    EXPECT_EQ(farm.exitCalls(), 1);
}

TEST_F(BackupOnAFarm, TheFirstStartOfADayWritesOneCopy)
{
    setTodayOverride(QDate(2026, 5, 4));
    backupAtStartOfDay(nullptr);
    EXPECT_EQ(folderEntries().size(), 1);
    EXPECT_TRUE(hasBackupOn(databaseFilePath(), QDate(2026, 5, 4)));
    backupAtStartOfDay(nullptr);  // the same day: nothing more
    EXPECT_EQ(folderEntries().size(), 1);
    setTodayOverride(QDate(2026, 5, 5));
    backupAtStartOfDay(nullptr);
    EXPECT_EQ(folderEntries().size(), 2);
    EXPECT_EQ(farm.messages().count(), 0);
}

TEST(BackupWithoutDatabase, NothingToCopyAndNothingToSay)
{
    TestFarm farm;
    QFile::remove(databaseFilePath());
    EXPECT_FALSE(backupDatabase(nullptr));
    backupAtStartOfDay(nullptr);
    EXPECT_EQ(farm.messages().count(), 0);
    EXPECT_FALSE(QFileInfo::exists(backupFolder()));
}

TEST(BackupRotationInOrder, TheLastCreatedCopyStaysWhateverItsStamp)
{
    auto name = [](const char* stamp) { return QStringLiteral("TARVIK-%1.db").arg(QLatin1String(stamp)); };
    const struct {
        const char* what;
        QStringList oldestFirst;
        int keep;
        QStringList removed;
    } cases[] = {
        {"the clock went back: the last created copy has the oldest stamp",
         {name("20260610-080000"), name("20260611-080000"), name("20260501-080000")},
         0,
         {name("20260610-080000")}},
        {"the month's last copy is the last created, not the latest stamp",
         {name("20260131-080000"), name("20260105-080000"), name("20260201-080000"), name("20260202-080000")},
         1,
         {name("20260131-080000"), name("20260201-080000")}},
        {"set-aside and kept-aside files are never removed",
         {QStringLiteral("TARVIK-before-restore-20250101-010101.db"),
          QStringLiteral("TARVIK-20250101-010101-check-failed.db"), name("20250101-010101"), name("20250102-010101")},
         1,
         {name("20250101-010101")}},
    };
    for (const auto& c : cases) EXPECT_EQ(backupsToRemoveInOrder(c.oldestFirst, c.keep), c.removed) << c.what;
}

TEST_F(BackupOnAFarm, AClockSetBackNeverCostsTheNewestCopies)
{
    const QDateTime start(QDate(2026, 6, 10), QTime(8, 0));
    ASSERT_TRUE(writeBackup(databaseFilePath(), start).ok);
    EXPECT_FALSE(clockBehindNewestBackup(databaseFilePath(), start));
    // Each exit with the clock behind the first copy: every copy stays, the last is the newest.
    QStringList written;
    for (int i = 1; i <= 5; ++i) {
        const BackupResult r = writeBackup(databaseFilePath(), start.addDays(-10).addSecs(i * 60));
        ASSERT_TRUE(r.ok) << r.error.toStdString();
        written << r.file;
        EXPECT_EQ(newestBackup(databaseFilePath()), r.file);
        EXPECT_TRUE(clockBehindNewestBackup(databaseFilePath(), start.addDays(-10).addSecs(i * 60)));
    }
    EXPECT_EQ(folderEntries().size(), 6);
    // The clock forward again.
    const BackupResult later = writeBackup(databaseFilePath(), start.addDays(1));
    ASSERT_TRUE(later.ok);
    EXPECT_EQ(folderEntries().size(), 7);
    EXPECT_EQ(newestBackup(databaseFilePath()), later.file);
    EXPECT_EQ(backupsInCreationOrder(databaseFilePath()).mid(1, 5), written);

    // 40 more copies, each stamped a day earlier than the one before: the last 30 created all stay.
    written.clear();
    for (int i = 1; i <= 40; ++i) {
        const BackupResult r = writeBackup(databaseFilePath(), start.addDays(-20 - i));
        ASSERT_TRUE(r.ok) << r.error.toStdString();
        written << r.file;
    }
    for (const QString& f : written.mid(10)) EXPECT_TRUE(QFileInfo::exists(f)) << f.toStdString();
    EXPECT_EQ(backupsInCreationOrder(databaseFilePath()).last(), written.last());
    EXPECT_EQ(newestBackup(databaseFilePath()), written.last());
}

TEST_F(BackupOnAFarm, ACopyIsCreatedAfterEveryOtherEvenWhenTheirTimesLieAhead)
{
    const BackupResult first = writeBackup(databaseFilePath(), QDateTime(QDate(2026, 6, 1), QTime(8, 0)));
    ASSERT_TRUE(first.ok);
    // The machine's clock was ahead when the first copy was written.
    QFile f(first.file);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(QDateTime::currentDateTime().addDays(30), QFileDevice::FileModificationTime));
    f.close();
    const BackupResult second = writeBackup(databaseFilePath(), QDateTime(QDate(2026, 5, 1), QTime(8, 0)));
    ASSERT_TRUE(second.ok);
    EXPECT_EQ(backupsInCreationOrder(databaseFilePath()), (QStringList{first.file, second.file}));
    EXPECT_EQ(newestBackup(databaseFilePath()), second.file);
}

TEST_F(BackupOnAFarm, LeftoversOfAnInterruptedBackupGoAtTheNextAndEveryFileIsPrivate)
{
    const QString dir = backupFolder();
    ASSERT_TRUE(QDir().mkpath(dir));
    const QStringList leftovers{QStringLiteral("TARVIK-20260601-080000.db.part"),
                                QStringLiteral("TARVIK-20260601-080000.db.part-journal"),
                                QStringLiteral("TARVIK-20260601-080000.db.part-wal")};
    const QStringList others{QStringLiteral("TARVIK-before-restore-20260101-010101.db"), QStringLiteral("notes.txt")};
    for (const QString& n : leftovers + others) {
        QFile f(dir + u'/' + n);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("x");
        f.close();
        f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    }
    const mode_t old = ::umask(022);
    ASSERT_TRUE(farm.open());
    writeSomeRecords(farm);
    farm.close();
    const BackupResult r = writeBackup(databaseFilePath(), QDateTime(QDate(2026, 6, 2), QTime(8, 0)));
    ::umask(old);
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    QStringList expected = others;
    expected << QFileInfo(r.file).fileName();
    expected.sort();
    EXPECT_EQ(folderEntries(), expected);

    // What the program wrote in db/ is the farmer's alone.
    for (const QString& folder : {QFileInfo(databaseFilePath()).absolutePath(), dir}) {
        EXPECT_EQ(modeOf(folder), 0700) << folder.toStdString();
        for (const QFileInfo& fi : QDir(folder).entryInfoList(QDir::Files | QDir::Hidden)) {
            if (others.contains(fi.fileName())) continue;
            EXPECT_EQ(modeOf(fi.absoluteFilePath()), 0600) << fi.absoluteFilePath().toStdString();
        }
    }
}
