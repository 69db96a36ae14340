#pragma once
// Automatic copies of the database in db/backup/TARVIK-yyyymmdd-hhmmss.db (folder 700, files
// 600). Each copy is checked before it gets its name; the last 30 copies and the last copy of
// each month are kept. The database itself is only read. scripts/restore.sh brings one back.
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>

inline constexpr int kBackupsKept = 30;

// <folder of the database>/backup
QString backupDirOf(const QString& databaseFile);
// TARVIK-yyyymmdd-hhmmss.db
QString backupFileName(const QDateTime& at);
// True when `name` (a bare file name) is a backup's name; its time in `at` when given.
bool parseBackupFileName(const QString& name, QDateTime* at = nullptr);

// Of the file names given, those the rotation removes: every backup name but the newest `keep`
// and the newest of each month. Other names are never among them. Oldest first.
QStringList backupsToRemove(const QStringList& names, int keep = kBackupsKept);

struct BackupResult {
    bool ok = false;
    QString file;   // the copy written
    QString error;  // why no copy was written, in Korean
};

// Copies `databaseFile` consistently (VACUUM INTO under a read lock that holds writers off),
// checks the copy (it opens, passes quick_check, every table has the same row count), names
// it after `now` and rotates the old copies. A failed copy leaves no file behind.
BackupResult writeBackup(const QString& databaseFile, const QDateTime& now);
// The newest backup of the database (full path), "" when there is none.
QString newestBackup(const QString& databaseFile);
// True when a backup of the database was written on `day`.
bool hasBackupOn(const QString& databaseFile, const QDate& day);
