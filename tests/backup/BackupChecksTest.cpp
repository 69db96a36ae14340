// The check results of backups are remembered by name, size and time: the start and the list
// read a copy again only when it has changed.
#include "backup/model/Backup.h"
#include "backup/model/BackupChecks.h"
#include "backup/model/Restore.h"
#include "data/ProgramDir.h"
#include "support/TestFarm.h"

#include <QFile>

namespace {
const QDateTime kMade(QDate(2026, 12, 1), QTime(10, 0));
}

TEST_F(FarmTest, ABackupIsCheckedOnceWhenWrittenAndAgainOnlyWhenItChanges)
{
    ASSERT_TRUE(farm.open());
    farm.addAnimal(QStringLiteral("002012345678"), 0);
    farm.close();
    const BackupResult r = writeBackup(databaseFilePath(), kMade);
    ASSERT_TRUE(r.ok) << r.error.toStdString();

    const BackupCheck remembered = checkedBackup(r.file);
    EXPECT_TRUE(remembered.fromMemory);
    EXPECT_TRUE(remembered.ok);
    EXPECT_EQ(remembered.animals, 1);
    // Nothing of the copy is read for the start's answer.
    EXPECT_EQ(newestBackup(databaseFilePath()), r.file);

    // A copy that changed underneath (bit rot, a tool) is read again and its new verdict kept.
    {
        QFile f(r.file);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        f.seek(0);
        f.write("garbage!");
    }
    const BackupCheck changed = checkedBackup(r.file);
    EXPECT_FALSE(changed.fromMemory);
    EXPECT_FALSE(changed.ok);
    EXPECT_FALSE(changed.reason.isEmpty());
    EXPECT_TRUE(checkedBackup(r.file).fromMemory);
    EXPECT_EQ(newestBackup(databaseFilePath()), QString());
    const QList<BackupInfo> list = listBackups(databaseFilePath());
    ASSERT_EQ(list.size(), 1);
    EXPECT_FALSE(list[0].good);

    // A garbled record of results is no verdict: the copy is simply checked again.
    {
        QFile f(backupDirOf(databaseFilePath()) + u'/' + kBackupChecksName);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write("TARVIK-20261201-100000.db\tx\ty\t1\t1\t1\t\n");
    }
    EXPECT_FALSE(checkedBackup(r.file).fromMemory);
    // The program's own backup folder keeps it private.
    EXPECT_EQ(QFile(backupDirOf(databaseFilePath()) + u'/' + kBackupChecksName).permissions() & 0x0077, 0);
}
