// Getting the records back without a terminal: what the start finds at the database's place,
// the backups listed with what they hold, restore, copies elsewhere and the second backup folder.
#include "backup/model/Backup.h"
#include "backup/model/BackupCopies.h"
#include "backup/model/Restore.h"
#include "data/FileModes.h"
#include "data/ProgramDir.h"
#include "data/Schema.h"
#include "support/HookGuard.h"
#include "support/TestHelpers.h"
#include "support/Unprivileged.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QUuid>
#include <functional>

namespace {

QByteArray bytesOf(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    f.write(content);
}

// Runs statements on a database file through a connection of its own; fails the test on error.
void execIn(const QString& file, const QStringList& statements)
{
    const QString name = QUuid::createUuid().toString();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(file);
        ASSERT_TRUE(db.open());
        QSqlQuery q(db);
        for (const QString& s : statements)
            EXPECT_TRUE(q.exec(s)) << s.toStdString() << q.lastError().text().toStdString();
        q.finish();
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

// A farm database at `path` with `animals` animals and `breedings` breeding rows.
void makeFarm(const QString& path, int animals, int breedings)
{
    ASSERT_EQ(createDatabaseFileIfMissing(path), QString());
    QStringList sql;
    for (int i = 0; i < animals; ++i) sql << QStringLiteral("insert into 개체관리(개체번호) values('KR%1')").arg(i);
    for (int i = 0; i < breedings; ++i)
        sql << QStringLiteral("insert into 번식기록(개체번호, 수정일) values('KR0', %1)").arg(20200101 + i);
    execIn(path, sql);
}

void setMtime(const QString& path, qint64 secondsFromNow)
{
    ASSERT_TRUE(setModificationTimeNs(path, (qint64(time(nullptr)) + secondsFromNow) * 1000000000));
}

// Files of a folder by name (no folders, no hidden ones).
// The files of a folder, but the log the program keeps there.
QStringList filesIn(const QString& dir)
{
    QStringList files = QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    files.removeIf([](const QString& n) { return n.startsWith(QStringLiteral("Tarvik.log")); });
    return files;
}

// Caps the size of any file this process writes, as a full disk does, until it goes. Writes past
// the cap fail with EFBIG; the signal that would end the process is ignored meanwhile.
class FileSizeCap {
public:
    explicit FileSizeCap(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = ::signal(SIGXFSZ, SIG_IGN);
        struct rlimit cap = m_old;
        cap.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &cap);
    }
    ~FileSizeCap()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_old);
        ::signal(SIGXFSZ, m_oldHandler);
    }
    FileSizeCap(const FileSizeCap&) = delete;
    FileSizeCap& operator=(const FileSizeCap&) = delete;

private:
    struct rlimit m_old {};
    sighandler_t m_oldHandler;
};

// A folder that exists but takes no new file, as a read-only USB stick: mode 500 for a user;
// root writes whatever the mode, so /proc/self stands in for it there.
QString unwritableFolder(const QString& scratch)
{
    if (::geteuid() == 0) return QStringLiteral("/proc/self");
    const QString dir = scratch + QStringLiteral("/readonly");
    QDir().mkpath(dir);
    ::chmod(QFile::encodeName(dir).constData(), 0500);
    return dir;
}

const QDateTime kNow(QDate(2026, 3, 14), QTime(9, 30, 15));

// A program folder of its own: <tmp>/db/TARVIK.db (not created), the settings in <tmp>/Tarvik.ini.
class RecoveryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(tmp.isValid());
        setProgramDir(tmp.path());
        db = databaseFilePath();
        QDir().mkpath(QFileInfo(db).absolutePath());
    }
    QString backupDir() const { return backupDirOf(db); }
    // A farm at the database's place and a backup of it taken at `at`.
    QString farmWithBackup(int animals, int breedings, const QDateTime& at)
    {
        makeFarm(db, animals, breedings);
        const BackupResult b = writeBackup(db, at);
        EXPECT_TRUE(b.ok) << b.error.toStdString();
        return b.file;
    }

    HookGuard hooks;
    QTemporaryDir tmp;
    QString db;
};

}  // namespace

TEST_F(RecoveryTest, WhatTheStartFindsAtTheDatabasesPlace)
{
    struct Case {
        const char* what;
        std::function<void(const QString&)> make;
        DatabaseState state;
        const char* reasonHas;
    };
    const TableDef& last = schemaTables().back();
    const Case cases[] = {
        {"no file", [](const QString&) {}, DatabaseState::Missing, "없습니다"},
        {"0 bytes", [](const QString& f) { writeFile(f, {}); }, DatabaseState::Empty, "0바이트"},
        {"a database of none of the program's tables",
         [](const QString& f) { execIn(f, {QStringLiteral("create table 메모(내용 text)")}); }, DatabaseState::NotAFarm,
         "이 프로그램의 농장 파일이 아닙니다"},
        {"a database without any table",
         [](const QString& f) {
             execIn(f, {QStringLiteral("create table t(x)"), QStringLiteral("drop table t")});
         },
         DatabaseState::Empty, "표가 하나도"},
        {"garbage where the header belongs", [](const QString& f) { writeFile(f, QByteArray(8192, 'x')); },
         DatabaseState::Damaged, "손상"},
        {"a few bytes", [](const QString& f) { writeFile(f, "SQLite"); }, DatabaseState::Damaged, "손상"},
        {"pages overwritten (quick_check fails)",
         [](const QString& f) {
             makeFarm(f, 400, 400);
             QFile file(f);
             ASSERT_TRUE(file.open(QIODevice::ReadWrite));
             const qint64 size = file.size();
             ASSERT_GT(size, 16384);
             // Everything after the first page (the table of tables) becomes garbage.
             file.seek(4096);
             file.write(QByteArray(size - 4096, char(0x5a)));
         },
         DatabaseState::Damaged, "손상"},
        {"a table missing",
         [](const QString& f) {
             makeFarm(f, 1, 0);
             execIn(f, {QStringLiteral("drop table 체척")});
         },
         DatabaseState::NotAFarm, "체척"},
        {"a column missing",
         [&last](const QString& f) {
             makeFarm(f, 1, 0);
             execIn(f, {QStringLiteral("alter table \"%1\" rename column \"%2\" to 다른이름")
                            .arg(last.name, last.columns.back().name)});
         },
         DatabaseState::NotAFarm, "열이 없습니다"},
        {"the farm row missing",
         [](const QString& f) {
             makeFarm(f, 1, 0);
             execIn(f, {QStringLiteral("delete from 농장정보")});
         },
         DatabaseState::NotAFarm, "농장정보"},
        {"a folder where the file belongs (read fails)", [](const QString& f) { QDir().mkpath(f); },
         DatabaseState::Unreadable, "읽을 수 없습니다"},
        {"a farm", [](const QString& f) { makeFarm(f, 2, 1); }, DatabaseState::Good, ""},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QString file = tmp.path() + QStringLiteral("/case%1/db/TARVIK.db").arg(n++);
        QDir().mkpath(QFileInfo(file).absolutePath());
        c.make(file);
        const DatabaseAssessment a = assessDatabase(file);
        EXPECT_EQ(a.state, c.state) << a.reason.toStdString();
        if (c.state == DatabaseState::Good)
            EXPECT_EQ(a.reason, QString());
        else
            EXPECT_TRUE(a.reason.contains(QString::fromUtf8(c.reasonHas))) << a.reason.toStdString();
        EXPECT_EQ(a.newestGoodBackup, QString());
    }
}

TEST_F(RecoveryTest, AFileThePermissionsKeepFromUsIsUnreadableNotDamaged)
{
    makeFarm(db, 1, 0);
    ASSERT_EQ(::chmod(QFile::encodeName(db).constData(), 0), 0);
    const QByteArray seen = runUnprivileged(tmp.path(), [&] {
        const DatabaseAssessment a = assessDatabase(db);
        return QByteArray(a.state == DatabaseState::Unreadable ? "unreadable" : "another state") + ": " +
               a.reason.toUtf8();
    });
    ::chmod(QFile::encodeName(db).constData(), 0600);
    EXPECT_TRUE(seen.startsWith("unreadable: ")) << seen.toStdString();
}

TEST_F(RecoveryTest, TheAssessmentNamesTheNewestBackupThatIsAFarm)
{
    const QString good = farmWithBackup(3, 1, kNow);
    // Created later but no farm: the clock and the name say nothing.
    const QString bad = backupDir() + u'/' + backupFileName(kNow.addDays(1));
    writeFile(bad, QByteArray(4096, 'x'));
    setMtime(bad, 60);
    ASSERT_TRUE(QFile::remove(db));

    const DatabaseAssessment a = assessDatabase(db);
    EXPECT_EQ(a.state, DatabaseState::Missing);
    EXPECT_EQ(a.newestGoodBackup, good);
    EXPECT_TRUE(hasAnyBackup(db));
}

TEST_F(RecoveryTest, TheListShowsEveryBackupNewestFirstThenTheCopiesSetAside)
{
    const QString first = farmWithBackup(3, 2, kNow);
    execIn(db, {QStringLiteral("insert into 개체관리(개체번호) values('KR100')")});
    // The clock went back: created later, stamped earlier.
    const BackupResult second = writeBackup(db, kNow.addDays(-10));
    ASSERT_TRUE(second.ok);
    const QString broken = backupDir() + u'/' + backupFileName(kNow.addDays(1));
    writeFile(broken, QByteArray(4096, 'x'));
    setMtime(broken, 60);
    const QString aside = backupDir() + u'/' + checkFailedFileName(kNow.addDays(2));
    writeFile(aside, {});
    writeFile(backupDir() + QStringLiteral("/메모.txt"), "not a backup");
    writeFile(backupDir() + QStringLiteral("/TARVIK-20260314-093016.db.part"), "left over");

    const QList<BackupInfo> list = listBackups(db);
    ASSERT_EQ(list.size(), 4);
    struct Expected {
        QString file;
        QDateTime made;
        bool good;
        int animals;
        int breedings;
    };
    const Expected expected[] = {
        {broken, kNow.addDays(1), false, -1, -1},
        {second.file, kNow.addDays(-10), true, 4, 2},
        {first, kNow, true, 3, 2},
        {aside, kNow.addDays(2), false, -1, -1},
    };
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        const BackupInfo& b = list[i];
        EXPECT_EQ(b.file, expected[i].file);
        EXPECT_EQ(b.made, expected[i].made);
        EXPECT_EQ(b.bytes, QFileInfo(expected[i].file).size());
        EXPECT_EQ(b.good, expected[i].good);
        if (b.good)
            EXPECT_EQ(b.check, QStringLiteral("정상"));
        else
            EXPECT_FALSE(b.check.isEmpty() || b.check == QStringLiteral("정상"));
        EXPECT_EQ(b.animals, expected[i].animals);
        EXPECT_EQ(b.breedings, expected[i].breedings);
    }
    // Listing only reads: nothing appears beside the copies.
    EXPECT_FALSE(QFileInfo::exists(first + QStringLiteral("-journal")));
}

TEST_F(RecoveryTest, ARestorePutsTheBackupInPlaceAndSetsTheCurrentFileAsideWithItsJournal)
{
    const QString backup = farmWithBackup(3, 1, kNow.addDays(-1));
    execIn(db, {QStringLiteral("insert into 개체관리(개체번호) values('KR200')")});
    writeFile(db + QStringLiteral("-journal"), "journal of the current file");
    const QByteArray current = bytesOf(db);

    const RestoreResult r = restoreBackup(db, backup, kNow);
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    const QString aside = QFileInfo(db).absolutePath() + QStringLiteral("/TARVIK-before-restore-20260314-093015.db");
    EXPECT_EQ(r.setAside, aside);
    EXPECT_EQ(bytesOf(db), bytesOf(backup));
    EXPECT_EQ(fileModeOf(db), 0600);
    EXPECT_EQ(bytesOf(aside), current);
    EXPECT_EQ(bytesOf(aside + QStringLiteral("-journal")), QByteArray("journal of the current file"));
    EXPECT_FALSE(QFileInfo::exists(db + QStringLiteral("-journal")));
    EXPECT_FALSE(QFileInfo::exists(db + QStringLiteral(".restoring")));
    EXPECT_EQ(assessDatabase(db).state, DatabaseState::Good);

    // The same second again: a name of its own, the first set-aside file untouched.
    const RestoreResult again = restoreBackup(db, backup, kNow);
    ASSERT_TRUE(again.ok) << again.error.toStdString();
    EXPECT_EQ(again.setAside,
              QFileInfo(db).absolutePath() + QStringLiteral("/TARVIK-before-restore-20260314-093015-1.db"));
    EXPECT_EQ(bytesOf(aside), current);

    // Rotation of a full backup folder never reaches the set-aside files.
    for (int i = 0; i < 40; ++i) {
        const QString old = backupDir() + u'/' + backupFileName(kNow.addDays(-100 + i));
        ASSERT_TRUE(QFile::copy(backup, old));
        setMtime(old, -1000 + i);
    }
    ASSERT_TRUE(writeBackup(db, kNow.addSecs(60)).ok);
    EXPECT_LT(backupsInCreationOrder(db).size(), 42);  // the rotation did remove copies
    EXPECT_EQ(bytesOf(aside), current);
    EXPECT_TRUE(QFileInfo::exists(again.setAside));
}

TEST_F(RecoveryTest, ARestoreWhereTheDatabaseIsMissingSetsNothingAside)
{
    const QString backup = farmWithBackup(2, 0, kNow);
    ASSERT_TRUE(QFile::remove(db));
    const RestoreResult r = restoreBackup(db, backup, kNow);
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_EQ(r.setAside, QString());
    EXPECT_EQ(bytesOf(db), bytesOf(backup));
    EXPECT_EQ(filesIn(QFileInfo(db).absolutePath()), QStringList{QStringLiteral("TARVIK.db")});
}

TEST_F(RecoveryTest, AFailedRestoreLeavesTheCurrentDatabaseAsItWas)
{
    const QString backup = farmWithBackup(300, 300, kNow);
    execIn(db, {QStringLiteral("delete from 개체관리")});
    const QString notAFarm = tmp.path() + QStringLiteral("/빈농장.db");
    makeFarm(notAFarm, 1, 0);
    execIn(notAFarm, {QStringLiteral("delete from 농장정보")});
    const QString checkFailed = backupDir() + u'/' + checkFailedFileName(kNow);
    writeFile(checkFailed, {});

    struct Case {
        const char* what;
        QString backup;
        rlim_t cap;  // 0: no cap on file sizes
        const char* errorHas;
    };
    const Case cases[] = {
        {"a copy set aside as check-failed", checkFailed, 0, "복원할 수 없습니다"},
        {"a database that is no farm", notAFarm, 0, "농장정보"},
        {"no such file", tmp.path() + QStringLiteral("/없음.db"), 0, "복원할 수 없습니다"},
        {"the disk fills while copying", backup, 8192, "공간"},
    };
    const QByteArray before = bytesOf(db);
    const QStringList filesBefore = filesIn(QFileInfo(db).absolutePath());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RestoreResult r;
        if (c.cap) {
            ASSERT_GT(QFileInfo(c.backup).size(), qint64(c.cap));
            const FileSizeCap cap(c.cap);
            r = restoreBackup(db, c.backup, kNow);
        } else {
            r = restoreBackup(db, c.backup, kNow);
        }
        EXPECT_FALSE(r.ok);
        EXPECT_TRUE(r.error.contains(QString::fromUtf8(c.errorHas))) << r.error.toStdString();
        EXPECT_EQ(r.setAside, QString());
        EXPECT_EQ(bytesOf(db), before);
        EXPECT_EQ(filesIn(QFileInfo(db).absolutePath()), filesBefore);
    }
}

TEST_F(RecoveryTest, ACopyElsewhereAppearsWholeOrNotAtAll)
{
    const QString backup = farmWithBackup(300, 300, kNow);
    const QString usb = tmp.path() + QStringLiteral("/usb");
    QDir().mkpath(usb);
    writeFile(usb + u'/' + QFileInfo(backup).fileName(), "an older copy under the same name");

    const CopyResult ok = copyBackupTo(backup, usb);
    ASSERT_TRUE(ok.ok) << ok.error.toStdString();
    EXPECT_EQ(ok.file, usb + u'/' + QFileInfo(backup).fileName());
    EXPECT_EQ(bytesOf(ok.file), bytesOf(backup));
    EXPECT_EQ(filesIn(usb), QStringList{QFileInfo(backup).fileName()});

    const QString blocker = tmp.path() + QStringLiteral("/a-file");
    writeFile(blocker, "x");
    // A read-only USB stick: a folder of mode 500, which only a user other than root meets.
    const QString readOnly = tmp.path() + QStringLiteral("/readonly");
    QDir().mkpath(readOnly);
    ASSERT_EQ(::chmod(QFile::encodeName(readOnly).constData(), 0500), 0);
    struct Case {
        const char* what;
        QString folder;
        rlim_t cap;
        const char* errorHas;
    };
    const Case cases[] = {
        {"folder missing", tmp.path() + QStringLiteral("/unplugged"), 0, "폴더가 없습니다"},
        {"a path under a regular file", blocker + QStringLiteral("/sub"), 0, "폴더가 없습니다"},
        {"a folder that takes no file", readOnly, 0, "폴더에 쓸 권한이 없습니다"},
        {"the disk fills", tmp.path() + QStringLiteral("/small"), 8192, "공간"},
    };
    QDir().mkpath(tmp.path() + QStringLiteral("/small"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QByteArray seen = runUnprivileged(tmp.path(), [&] {
            CopyResult r;
            if (c.cap) {
                const FileSizeCap cap(c.cap);
                r = copyBackupTo(backup, c.folder);
            } else {
                r = copyBackupTo(backup, c.folder);
            }
            return QByteArray(r.ok ? "copied: " : "failed: ") + r.error.toUtf8();
        });
        ASSERT_TRUE(seen.startsWith("failed: ")) << seen.toStdString();
        EXPECT_TRUE(seen.contains(c.errorHas)) << seen.toStdString();
        EXPECT_FALSE(QFileInfo::exists(c.folder + u'/' + QFileInfo(backup).fileName()));
        EXPECT_FALSE(QFileInfo::exists(c.folder + u'/' + QFileInfo(backup).fileName() + QStringLiteral(".part")));
    }
    EXPECT_FALSE(QFileInfo::exists(tmp.path() + QStringLiteral("/unplugged")));
}

TEST_F(RecoveryTest, TheSecondFolderIsKeptInTheSettingsFile)
{
    EXPECT_EQ(secondBackupFolder(), QString());
    EXPECT_FALSE(lastSecondCopy().isValid());
    const QString usb = tmp.path() + QStringLiteral("/USB 저장장치/백업");
    setSecondBackupFolder(usb);
    EXPECT_EQ(secondBackupFolder(), usb);
    QSettings ini(settingsFilePath(), QSettings::IniFormat);
    EXPECT_EQ(ini.value(QStringLiteral("Backup/SecondFolder")).toString(), usb);
    setSecondBackupFolder(QString());
    EXPECT_EQ(secondBackupFolder(), QString());
    ini.sync();
    EXPECT_FALSE(ini.contains(QStringLiteral("Backup/SecondFolder")));
}

TEST_F(RecoveryTest, ACopyToTheSecondFolderWhenItIsThere)
{
    const QString backup = farmWithBackup(300, 300, kNow);
    const QString usb = tmp.path() + QStringLiteral("/usb");
    const QString unplugged = tmp.path() + QStringLiteral("/media/farmer/USB");
    QDir().mkpath(usb);
    struct Case {
        const char* what;
        QString folder;
        rlim_t cap;
        SecondCopyResult::Status status;
    };
    using S = SecondCopyResult::Status;
    // In this order: the last one is the copy that gets through.
    const Case cases[] = {
        {"none set", QString(), 0, S::NotSet},
        {"not plugged in", unplugged, 0, S::Unreachable},
        {"takes no file", unwritableFolder(tmp.path()), 0, S::Failed},
        {"full", usb, 8192, S::Failed},
        {"there", usb, 0, S::Copied},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        setSecondBackupFolder(c.folder);
        SecondCopyResult r;
        if (c.cap) {
            const FileSizeCap cap(c.cap);
            r = copyToSecondFolder(backup, kNow);
        } else {
            r = copyToSecondFolder(backup, kNow);
        }
        EXPECT_EQ(r.status, c.status) << r.error.toStdString();
        const QString copy = c.folder + u'/' + QFileInfo(backup).fileName();
        if (c.status == S::Copied) {
            EXPECT_EQ(r.file, copy);
            EXPECT_EQ(bytesOf(copy), bytesOf(backup));
            EXPECT_EQ(lastSecondCopy(), kNow);
            EXPECT_EQ(filesIn(usb), QStringList{QFileInfo(backup).fileName()});
        } else {
            EXPECT_EQ(r.file, QString());
            EXPECT_EQ(r.error.isEmpty(), c.status == S::NotSet);
            EXPECT_FALSE(lastSecondCopy().isValid());
            EXPECT_FALSE(QFileInfo::exists(copy));
        }
        // The local backup stays whatever happened there.
        EXPECT_EQ(backupsInCreationOrder(db), QStringList{backup});
    }
    // A missing mount point is never made: that would fill the disk it sits on.
    EXPECT_FALSE(QFileInfo::exists(unplugged));
    EXPECT_FALSE(QFileInfo::exists(QFileInfo(unplugged).absolutePath()));
    // The settings file holds the keys under [Backup], the time in ISO form.
    const QByteArray ini = bytesOf(settingsFilePath());
    EXPECT_TRUE(ini.contains("[Backup]")) << ini.toStdString();
    EXPECT_TRUE(ini.contains("LastSecondCopy=2026-03-14T09:30:15")) << ini.toStdString();
}

TEST_F(RecoveryTest, TheSecondFolderIsRotatedByTheSameRuleAsTheLocalOne)
{
    const QString usb = tmp.path() + QStringLiteral("/usb");
    QDir().mkpath(usb);
    setSecondBackupFolder(usb);
    const QString backup = farmWithBackup(2, 1, kNow);
    // 40 daily copies already there, their stamps after the new one's (the clock went back since).
    QStringList before;
    for (int i = 0; i < 40; ++i) {
        const QString name = backupFileName(kNow.addDays(5 + i));
        ASSERT_TRUE(QFile::copy(backup, usb + u'/' + name));
        setMtime(usb + u'/' + name, -1000 + i);
        before << name;
    }
    writeFile(usb + QStringLiteral("/사진.jpg"), "the farmer's own file");
    writeFile(usb + u'/' + QFileInfo(backup).fileName() + QStringLiteral(".part"), "an interrupted copy");

    const SecondCopyResult r = copyToSecondFolder(backup, kNow);
    ASSERT_EQ(r.status, SecondCopyResult::Status::Copied) << r.error.toStdString();
    const QStringList created = before + QStringList{QFileInfo(backup).fileName()};
    QStringList kept = created;
    for (const QString& gone : backupsToRemoveInOrder(created)) kept.removeAll(gone);
    ASSERT_LT(kept.size(), created.size());
    EXPECT_EQ(backupNamesInCreationOrder(usb), kept);
    EXPECT_EQ(backupNamesInCreationOrder(usb).last(), QFileInfo(backup).fileName());
    EXPECT_TRUE(QFileInfo::exists(usb + QStringLiteral("/사진.jpg")));
    EXPECT_FALSE(QFileInfo::exists(usb + u'/' + QFileInfo(backup).fileName() + QStringLiteral(".part")));
}
