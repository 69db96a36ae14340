// The records are readable by the farmer alone: db/ 700, the database and its journal 600,
// after the set-up and whenever the program meets looser modes.
#include "data/Db.h"
#include "data/FileModes.h"
#include "data/Schema.h"
#include "support/TestFarm.h"

#include "data/ProgramDir.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

namespace {

int modeOf(const QString& path)
{
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0) return -1;
    return int(st.st_mode & 07777);
}

void setMode(const QString& path, int mode)
{
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), mode_t(mode)), 0) << path.toStdString();
}

QString dbDir()
{
    return QFileInfo(databaseFilePath()).absolutePath();
}

// Runs the set-up tool built next to this test program on a program folder.
int runSetup(const QString& folder)
{
    QProcess p;
    p.start(QCoreApplication::applicationDirPath() + QStringLiteral("/tarvik-setup"), {folder});
    if (!p.waitForFinished(30000)) return -1;
    return p.exitCode();
}

}  // namespace

TEST(FileModes, ANewDatabaseIsTheFarmersAlone)
{
    TestFarm farm;  // created through createDatabaseFileIfMissing
    EXPECT_EQ(modeOf(dbDir()), 0700);
    EXPECT_EQ(modeOf(databaseFilePath()), 0600);
}

TEST(FileModes, TheSetUpToolCreatesPrivateModesAndTightensLooseOnes)
{
    QTemporaryDir folder;
    // The layout script makes db/ with the default umask first.
    ASSERT_TRUE(QDir().mkpath(folder.path() + QStringLiteral("/db")));
    setMode(folder.path() + QStringLiteral("/db"), 0755);
    ASSERT_EQ(runSetup(folder.path()), 0);
    const QString db = folder.path() + QStringLiteral("/db/TARVIK.db");
    EXPECT_EQ(modeOf(folder.path() + QStringLiteral("/db")), 0700);
    EXPECT_EQ(modeOf(db), 0600);

    // A database of an older set-up: 755 and 644, with a journal left by a crash.
    setMode(folder.path() + QStringLiteral("/db"), 0755);
    setMode(db, 0644);
    QFile journal(db + QStringLiteral("-journal"));
    ASSERT_TRUE(journal.open(QIODevice::WriteOnly));
    journal.close();
    setMode(journal.fileName(), 0644);
    const QByteArray before = [&] {
        QFile f(db);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }();
    ASSERT_EQ(runSetup(folder.path()), 0);
    EXPECT_EQ(modeOf(folder.path() + QStringLiteral("/db")), 0700);
    EXPECT_EQ(modeOf(db), 0600);
    EXPECT_EQ(modeOf(journal.fileName()), 0600);
    QFile f(db);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), before);  // the content is never touched
}

TEST(FileModes, OpeningTightensA644DatabaseAndItsJournalIsBorn600)
{
    TestFarm farm;
    setMode(dbDir(), 0755);
    setMode(databaseFilePath(), 0644);
    ASSERT_TRUE(farm.open());
    EXPECT_EQ(modeOf(dbDir()), 0700);
    EXPECT_EQ(modeOf(databaseFilePath()), 0600);
    // A journal exists while a write transaction is open; SQLite gives it the file's mode.
    Transaction tx;
    farm.exec(QStringLiteral("insert into 개체관리(개체번호) values('A1')"));
    const QString journal = databaseFilePath() + QStringLiteral("-journal");
    ASSERT_TRUE(QFileInfo::exists(journal));
    EXPECT_EQ(modeOf(journal), 0600);
    tx.commit();
}

TEST(FileModes, AReadOnlyDatabaseStaysReadOnlyAndOnlyLosesOthersAccess)
{
    TestFarm farm;
    setMode(databaseFilePath(), 0444);
    restrictDatabaseAccess(databaseFilePath());
    EXPECT_EQ(modeOf(databaseFilePath()), 0400);
}

TEST(FileModes, AToolsDatabaseInASharedFolderLeavesTheFolderAlone)
{
    QTemporaryDir shared;
    setMode(shared.path(), 01777);  // like /tmp
    QTemporaryDir plain;
    setMode(plain.path(), 0755);
    for (const QString& dir : {shared.path(), plain.path()}) {
        const QString file = dir + QStringLiteral("/sample.db");
        ASSERT_TRUE(createDatabaseFileIfMissing(file).isEmpty());
        EXPECT_EQ(modeOf(file), 0600);
    }
    EXPECT_EQ(modeOf(shared.path()), 01777);
    EXPECT_EQ(modeOf(plain.path()), 0755);
    EXPECT_FALSE(dropGroupAndOtherAccess(shared.path()));
    EXPECT_EQ(modeOf(shared.path()), 01777);
}
