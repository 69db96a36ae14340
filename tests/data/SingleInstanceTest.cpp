// The start lock: only a live copy on the same folder refuses a start.
#include "data/SingleInstance.h"
#include "support/TestFarm.h"
#include "support/Unprivileged.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {
void writeFile(const QString& path, const QByteArray& content)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(content);
}

}  // namespace

TEST(SingleInstance, LockLivesInTheFarmersOwnDbFolder)
{
    TestFarm farm;
    const QString path = instanceLockPath(farm.dir());
    EXPECT_EQ(path, QFileInfo(farm.dir()).canonicalFilePath() + QStringLiteral("/db/Tarvik.lock"));
    EXPECT_FALSE(path.startsWith(QDir::tempPath() + QStringLiteral("/tarvik-")));
    auto lock = acquireSingleInstance(farm.dir());
    ASSERT_TRUE(lock);
    EXPECT_EQ(QFile(path).permissions() & (QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther),
              QFile::Permissions());
}

TEST(SingleInstance, LeftoverOrGarbageLockFilesDoNotBlockAStart)
{
    const QByteArray leftovers[] = {
        "",                              // empty
        QByteArray(300, '\xff'),         // garbage
        "999999\nTarvik\nsomehost\n",    // a copy whose process is gone
        QByteArray::number(::getpid()),  // our own number, but nobody holds the lock
        "1\ninit\n\n",                   // a live process that is no copy of the program
    };
    for (const QByteArray& content : leftovers) {
        TestFarm farm;
        writeFile(instanceLockPath(farm.dir()), content);
        EXPECT_TRUE(acquireSingleInstance(farm.dir())) << content.toHex().left(40).toStdString();
    }
}

TEST(SingleInstance, APlantedSymlinkIsNotFollowed)
{
    TestFarm farm;
    const QString target = farm.dir() + QStringLiteral("/Tarvik.ini");
    writeFile(target, "[FRMMAIN]\nTOP=5\n");
    ASSERT_TRUE(QFile::link(target, instanceLockPath(farm.dir())));
    EXPECT_TRUE(acquireSingleInstance(farm.dir()));
    QFile f(target);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("[FRMMAIN]\nTOP=5\n"));  // untouched
}

TEST(SingleInstance, ALockFileOfAnotherUserIsLockedNeverReplaced)
{
    if (::geteuid() != 0) GTEST_SKIP() << "needs root to plant a file of another user";
    TestFarm farm;
    const QString path = instanceLockPath(farm.dir());
    writeFile(path, "planted");
    ASSERT_EQ(::chown(QFile::encodeName(path).constData(), 65534, 65534), 0);
    struct stat before {};
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &before), 0);
    const int foreign = ::open(QFile::encodeName(path).constData(), O_RDONLY);
    ASSERT_GE(foreign, 0);
    ASSERT_EQ(::flock(foreign, LOCK_EX | LOCK_NB), 0);  // a copy started by the other user holds it
    const StartLock refused = acquireSingleInstance(farm.dir());
    EXPECT_EQ(refused.outcome, StartLock::Outcome::AnotherCopy);
    EXPECT_TRUE(refused.refusal.isEmpty());  // a second copy ends silently
    ::close(foreign);

    const StartLock started = acquireSingleInstance(farm.dir());
    ASSERT_TRUE(started);
    EXPECT_EQ(started.lock->path(), path);
    struct stat after {};
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);  // the same file, still the other user's
    EXPECT_EQ(after.st_uid, 65534u);
    EXPECT_FALSE(acquireSingleInstance(farm.dir()));
}

TEST(SingleInstance, AnUnusableLockFileLeavesTheFolderLockAndIsLeftInPlace)
{
    struct Case {
        const char* what;
        void (*plant)(const QString& lockPath);
    } cases[] = {
        {"a folder", [](const QString& p) { ASSERT_TRUE(QDir().mkdir(p)); }},
        {"a folder with a file in it",
         [](const QString& p) {
             ASSERT_TRUE(QDir().mkdir(p));
             writeFile(p + QStringLiteral("/keep"), "x");
         }},
        {"a pipe", [](const QString& p) { ASSERT_EQ(::mkfifo(QFile::encodeName(p).constData(), 0600), 0); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TestFarm farm;
        const QString path = instanceLockPath(farm.dir());
        c.plant(path);
        struct stat before {};
        ASSERT_EQ(::lstat(QFile::encodeName(path).constData(), &before), 0);

        const StartLock first = acquireSingleInstance(farm.dir());
        ASSERT_TRUE(first);
        EXPECT_EQ(first.lock->path(), instanceLockFolder(farm.dir()));
        const StartLock second = acquireSingleInstance(farm.dir());
        EXPECT_EQ(second.outcome, StartLock::Outcome::AnotherCopy);
        // Whatever the environment says: no runtime folder, or another one each time.
        for (const char* runtime : {"", "/tmp/runtime-elsewhere"}) {
            qputenv("XDG_RUNTIME_DIR", runtime);
            EXPECT_EQ(acquireSingleInstance(farm.dir()).outcome, StartLock::Outcome::AnotherCopy) << runtime;
        }
        qunsetenv("XDG_RUNTIME_DIR");

        struct stat after {};
        ASSERT_EQ(::lstat(QFile::encodeName(path).constData(), &after), 0);
        EXPECT_EQ(after.st_ino, before.st_ino);
        EXPECT_EQ(after.st_mode, before.st_mode);
    }
}

TEST(SingleInstance, AReadOnlyDbFolderStillLetsOnlyOneCopyRun)
{
    TestFarm farm;
    const QString db = farm.dir() + QStringLiteral("/db");
    ASSERT_EQ(::chmod(QFile::encodeName(db).constData(), 0500), 0);
    // The farmer cannot create the lock file there; the folder itself still locks.
    const StartLock first = acquireSingleInstance(farm.dir());
    qputenv("XDG_RUNTIME_DIR", "/tmp/runtime-other");
    const StartLock second = acquireSingleInstance(farm.dir());
    qunsetenv("XDG_RUNTIME_DIR");
    const StartLock third = acquireSingleInstance(farm.dir());
    ::chmod(QFile::encodeName(db).constData(), 0700);
    ASSERT_TRUE(first);
    EXPECT_EQ(second.outcome, StartLock::Outcome::AnotherCopy);
    EXPECT_EQ(third.outcome, StartLock::Outcome::AnotherCopy);
}

TEST(SingleInstance, AFolderThatCannotBeOpenedRefusesTheStartWithAReason)
{
    TestFarm farm;
    const QString db = farm.dir() + QStringLiteral("/db");
    ASSERT_EQ(::chmod(QFile::encodeName(db).constData(), 0000), 0);
    const QByteArray seen = runUnprivileged(farm.dir(), [&] {
        const StartLock refused = acquireSingleInstance(farm.dir());
        QByteArray answer = refused.outcome == StartLock::Outcome::Refused ? "refused" : "not refused";
        if (refused.lock) answer += ", locked";
        return answer + ": " + refused.refusal.toUtf8();
    });
    ::chmod(QFile::encodeName(db).constData(), 0700);
    ASSERT_TRUE(seen.startsWith("refused: ")) << seen.toStdString();
    const QString refusal = QString::fromUtf8(seen.mid(9));
    EXPECT_TRUE(refusal.startsWith(QStringLiteral("이 농장 폴더를 잠글 수 없어"))) << refusal.toStdString();
    EXPECT_TRUE(refusal.endsWith(QStringLiteral("폴더의 권한을 확인해 주십시오.")));
}

TEST(SingleInstance, AnotherUserThanTheOwnerOfTheFolderIsRefusedAndWritesNothingThere)
{
    if (::geteuid() != 0) GTEST_SKIP() << "needs root to give the folder to another user";
    TestFarm farm;
    const QString db = farm.dir() + QStringLiteral("/db");
    ASSERT_EQ(::chown(QFile::encodeName(db).constData(), 65534, 65534), 0);
    const StartLock refused = acquireSingleInstance(farm.dir());
    EXPECT_EQ(refused.outcome, StartLock::Outcome::Refused);
    EXPECT_TRUE(refused.refusal.contains(QFileInfo(farm.dir()).canonicalFilePath()));
    EXPECT_FALSE(refused.refusal.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(db + QStringLiteral("/Tarvik.lock")));
    ASSERT_EQ(::chown(QFile::encodeName(db).constData(), 0, 0), 0);
    EXPECT_TRUE(acquireSingleInstance(farm.dir()));
}

TEST(SingleInstance, ALiveCopyRefusesTheStartAlsoThroughASymlinkedFolder)
{
    TestFarm farm;
    const QString link = farm.dir() + QStringLiteral("-link");
    ASSERT_TRUE(QFile::link(farm.dir(), link));
    auto first = acquireSingleInstance(farm.dir());
    ASSERT_TRUE(first);
    EXPECT_FALSE(acquireSingleInstance(link));
    EXPECT_FALSE(acquireSingleInstance(farm.dir() + QStringLiteral("/./db/..")));
    first.lock.reset();
    EXPECT_TRUE(acquireSingleInstance(link));
    QFile::remove(link);
}

TEST(SingleInstance, ALockHeldByAnotherProcessRefusesAndIsFreedWhenItEnds)
{
    const QString flockTool = QStandardPaths::findExecutable(QStringLiteral("flock"));
    if (flockTool.isEmpty()) GTEST_SKIP() << "no flock tool";
    TestFarm farm;
    QProcess holder;
    // One process that takes the lock, says so and then only sleeps, as a running copy would.
    holder.start(QStringLiteral("sh"),
                 {QStringLiteral("-c"), QStringLiteral("exec 9>>\"$1\"; flock 9; echo locked; exec sleep 600"),
                  QStringLiteral("sh"), instanceLockPath(farm.dir())});
    ASSERT_TRUE(holder.waitForStarted(30000));
    // Wait until it holds the lock; a busy machine may take its time.
    QByteArray said;
    QDeadlineTimer deadline(30000);
    while (!said.contains("locked") && !deadline.hasExpired() && holder.state() == QProcess::Running)
        if (holder.waitForReadyRead(int(deadline.remainingTime()))) said += holder.readAllStandardOutput();
    ASSERT_TRUE(said.contains("locked")) << holder.readAllStandardError().toStdString();
    EXPECT_FALSE(acquireSingleInstance(farm.dir()));
    holder.kill();  // a crash: nobody cleans up the file
    ASSERT_TRUE(holder.waitForFinished(30000));
    EXPECT_TRUE(acquireSingleInstance(farm.dir()));
}

TEST(SingleInstance, WithoutDbFolderTheProgramFolderItselfIsLockedThroughItsCanonicalPath)
{
    QTemporaryDir plain;
    const QString link = plain.path() + QStringLiteral("-link");
    ASSERT_TRUE(QFile::link(plain.path(), link));
    EXPECT_EQ(instanceLockFolder(link), instanceLockFolder(plain.path()));
    auto first = acquireSingleInstance(plain.path());
    ASSERT_TRUE(first);
    EXPECT_FALSE(acquireSingleInstance(link));
    // Nothing is written into a folder that is not yet a farm's.
    EXPECT_TRUE(QDir(plain.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).isEmpty());
    first.lock.reset();
    EXPECT_TRUE(acquireSingleInstance(link));
    QFile::remove(link);
}
