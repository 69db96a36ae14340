// What counts as a farm: the rule every backup, the damaged-file message and a restore share.
#include "backup/model/Backup.h"
#include "backup/model/FarmFileCheck.h"
#include "data/Db.h"
#include "data/ProgramDir.h"
#include "data/Schema.h"
#include "kit/DbMessages.h"
#include "support/TestFarm.h"
#include "support/TestHelpers.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QUuid>
#include <functional>

namespace {

// Runs `fill` on a fresh SQLite file at `path` (made with the schema when `schema`).
void makeDatabase(const QString& path, bool schema, const std::function<void(QSqlDatabase)>& fill)
{
    const QString name = QUuid::createUuid().toString();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        ASSERT_TRUE(db.open());
        if (schema) {
            ASSERT_EQ(createSchema(db), QString());
        }
        if (fill) fill(db);
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

void run(QSqlDatabase db, const char* sql)
{
    QSqlQuery q(db);
    EXPECT_TRUE(q.exec(QString::fromUtf8(sql))) << sql << ": " << q.lastError().text().toStdString();
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

struct BadFile {
    const char* what;
    std::function<void(const QString&)> make;
    const char* reasonStart;
};

// Every kind of file that is no farm, made at a path.
std::vector<BadFile> badFiles()
{
    return {
        {"empty file", [](const QString& p) { writeBytes(p, {}); }, "빈 파일입니다"},
        {"schema-less SQLite file",
         [](const QString& p) { makeDatabase(p, false, [](QSqlDatabase db) { run(db, "PRAGMA user_version = 7"); }); },
         "표가 없습니다: 개체관리"},
        {"one column missing",
         [](const QString& p) {
             makeDatabase(p, true, [](QSqlDatabase db) { run(db, "ALTER TABLE 체척 DROP COLUMN 흉위"); });
         },
         "열이 없습니다: 체척.흉위"},
        {"a work table missing",
         [](const QString& p) { makeDatabase(p, true, [](QSqlDatabase db) { run(db, "DROP TABLE 일일관리"); }); },
         "표가 없습니다: 일일관리"},
        {"another program's database",
         [](const QString& p) {
             makeDatabase(p, false, [](QSqlDatabase db) {
                 run(db, "CREATE TABLE notes (id INTEGER, text TEXT)");
                 run(db, "INSERT INTO notes VALUES (1, 'x')");
             });
         },
         "표가 없습니다"},
        {"garbage header", [](const QString& p) { writeBytes(p, QByteArray(8192, 'x')); },
         "데이터베이스 파일이 아니거나 손상된 파일입니다"},
        {"no farm row",
         [](const QString& p) { makeDatabase(p, true, [](QSqlDatabase db) { run(db, "DELETE FROM 농장정보"); }); },
         "농장정보가 없습니다"},
    };
}

using FarmCheckOnAFarm = FarmTest;

}  // namespace

TEST(FarmFileCheck, OnlyAWholeFarmPasses)
{
    QTemporaryDir dir;
    const QString good = dir.filePath(QStringLiteral("good.db"));
    makeDatabase(good, true, {});
    const FarmFileCheck ok = checkFarmFile(good);
    EXPECT_TRUE(ok.ok) << ok.reason.toStdString();
    EXPECT_TRUE(ok.reason.isEmpty());

    // An older farm or backup, made before the support contact had its table, is still a farm.
    const QString older = dir.filePath(QStringLiteral("older.db"));
    makeDatabase(older, true, [](QSqlDatabase db) { run(db, "DROP TABLE 지원연락처"); });
    const FarmFileCheck olderOk = checkFarmFile(older);
    EXPECT_TRUE(olderOk.ok) << olderOk.reason.toStdString();

    EXPECT_FALSE(checkFarmFile(dir.filePath(QStringLiteral("missing.db"))).ok);
    int i = 0;
    for (const BadFile& b : badFiles()) {
        const QString path = dir.filePath(QStringLiteral("bad%1.db").arg(i++));
        b.make(path);
        const FarmFileCheck r = checkFarmFile(path);
        EXPECT_FALSE(r.ok) << b.what;
        EXPECT_TRUE(r.reason.startsWith(QString::fromUtf8(b.reasonStart))) << b.what << ": " << r.reason.toStdString();
        // The check column of the recovery list shows it: no words of the engine there.
        EXPECT_FALSE(r.reason.contains(QRegularExpression(QStringLiteral("[A-Za-z]{3}")))) << r.reason.toStdString();
        EXPECT_TRUE(QFileInfo(path).exists()) << b.what;  // only read
    }
}

TEST_F(FarmCheckOnAFarm, ALiveFileThatIsNoFarmIsNeverBackedUp)
{
    for (const BadFile& b : badFiles()) {
        QFile::remove(databaseFilePath());
        b.make(databaseFilePath());
        const BackupResult r = writeBackup(databaseFilePath(), QDateTime(QDate(2026, 6, 1), QTime(8, 0)));
        EXPECT_FALSE(r.ok) << b.what;
        EXPECT_TRUE(r.file.isEmpty()) << b.what;
        // Garbage cannot even be read for the copy; every other one is refused as no farm.
        if (std::string(b.what) != "garbage header") {
            EXPECT_TRUE(
                r.error.startsWith(QStringLiteral("데이터베이스 파일에 농장 자료가 없어 백업하지 않았습니다: ")))
                << b.what << ": " << r.error.toStdString();
        }
        EXPECT_TRUE(QDir(backupDirOf(databaseFilePath())).entryList(QDir::Files).isEmpty()) << b.what;
    }
    EXPECT_TRUE(newestBackup(databaseFilePath()).isEmpty());
}

TEST_F(FarmCheckOnAFarm, TheNewestBackupNamedIsTheNewestGoodOne)
{
    const BackupResult good = writeBackup(databaseFilePath(), QDateTime(QDate(2026, 6, 1), QTime(8, 0)));
    ASSERT_TRUE(good.ok) << good.error.toStdString();
    const QString dir = backupDirOf(databaseFilePath());
    // Newer copies that are no farm, one of each kind, and a copy kept aside after its check.
    int minute = 1;
    for (const BadFile& b : badFiles())
        b.make(dir + u'/' + backupFileName(QDateTime(QDate(2026, 6, 2), QTime(8, minute++))));
    makeDatabase(dir + u'/' + checkFailedFileName(QDateTime(QDate(2026, 6, 3), QTime(8, 0))), true, {});
    EXPECT_EQ(newestBackup(databaseFilePath()), good.file);

    // The damaged-file message names that one.
    QFile db(databaseFilePath());
    ASSERT_TRUE(db.open(QIODevice::ReadWrite));
    db.seek(4096);
    db.write(QByteArray(4096, '\x5a'));
    db.close();
    EXPECT_FALSE(openConnectionOrEnd(nullptr));
    ASSERT_EQ(farm.messages().count(), 1);
    EXPECT_TRUE(farm.messages().last().text.contains(QStringLiteral("가장 최근의 백업:\r\n") + good.file +
                                                     QStringLiteral("\r\n")))
        << farm.messages().last().text.toStdString();

    // With the good one gone too there is none to name.
    QFile::remove(good.file);
    EXPECT_TRUE(newestBackup(databaseFilePath()).isEmpty());
}

TEST_F(FarmCheckOnAFarm, ACheckFailedCopyIsNoBackupAndStaysPrivate)
{
    const QString dir = backupDirOf(databaseFilePath());
    const BackupResult first = writeBackup(databaseFilePath(), QDateTime(QDate(2026, 6, 1), QTime(8, 0)));
    ASSERT_TRUE(first.ok);
    const QString failed = dir + u'/' + checkFailedFileName(QDateTime(QDate(2026, 6, 2), QTime(8, 0)));
    writeBytes(failed, {});
    // A copy in the second of a kept-aside one takes the next second; the rotation never
    // counts or removes the kept-aside file.
    const BackupResult second = writeBackup(databaseFilePath(), QDateTime(QDate(2026, 6, 2), QTime(8, 0)));
    ASSERT_TRUE(second.ok);
    EXPECT_EQ(QFileInfo(second.file).fileName(), QStringLiteral("TARVIK-20260602-080001.db"));
    EXPECT_EQ(
        backupsToRemoveInOrder(
            {QFileInfo(failed).fileName(), QFileInfo(first.file).fileName(), QFileInfo(second.file).fileName()}, 1),
        QStringList{QFileInfo(first.file).fileName()});
    EXPECT_TRUE(QFileInfo::exists(failed));
    EXPECT_FALSE(hasBackupOn(databaseFilePath(), QDate(2026, 6, 3)));
    EXPECT_EQ(newestBackup(databaseFilePath()), second.file);
    EXPECT_EQ(fileModeOf(second.file), 0600);
}

TEST(RestoreCommand, TheMessageNamesTheCommandThatExists)
{
    QTemporaryDir installed;
    QFile command(installed.filePath(QStringLiteral("tarvik-restore")));
    ASSERT_TRUE(command.open(QIODevice::WriteOnly));
    command.close();
    EXPECT_EQ(restoreCommandBeside(installed.path()), QStringLiteral("scripts/restore.sh"));  // not executable
    command.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(restoreCommandBeside(installed.path()), QStringLiteral("tarvik-restore"));
    QTemporaryDir sourceBuild;
    EXPECT_EQ(restoreCommandBeside(sourceBuild.path()), QStringLiteral("scripts/restore.sh"));
}
