#pragma once
// A farm with two animals and one breeding, its backups and the helpers of the recovery tests.
#include "backup/model/Backup.h"
#include "data/ProgramDir.h"
#include "support/TestFarm.h"

#include <QDir>
#include <QFile>

class RecoveryTest : public FarmTest {
protected:
    // When the farm's good backup was made.
    const QDateTime backupMade{QDate(2026, 12, 1), QTime(10, 0, 0)};

    void SetUp() override
    {
        ASSERT_TRUE(farm.open());
        farm.addAnimal(QStringLiteral("002012345678"), 0);
        farm.addAnimal(QStringLiteral("002012345679"), 0);
        farm.addBreeding(QStringLiteral("002012345678"), dn(QDate(2026, 3, 1)));
        farm.close();
    }
    QString writeGoodBackup()
    {
        const BackupResult r = writeBackup(databaseFilePath(), backupMade);
        EXPECT_TRUE(r.ok) << r.error.toStdString();
        return r.file;
    }
    // A copy that failed its check, kept aside as the backup does.
    QString writeCheckFailedCopy()
    {
        const QString file =
            backupDirOf(databaseFilePath()) + u'/' + checkFailedFileName(QDateTime(QDate(2026, 11, 20), QTime(9, 0)));
        QDir().mkpath(backupDirOf(databaseFilePath()));
        QFile f(file);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray("not a database at all, only some bytes"));
        return file;
    }
    int backupFileCount() const { return int(QDir(backupDirOf(databaseFilePath())).entryList(QDir::Files).size()); }
    // Puts `bytes` in place of the live database (an empty QByteArray leaves 0 bytes).
    static void replaceDatabase(const QByteArray& bytes)
    {
        QFile f(databaseFilePath());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }
};
