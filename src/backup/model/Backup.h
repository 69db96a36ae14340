#pragma once
// Automatic copies of the database in db/backup/TARVIK-yyyymmdd-hhmmss.db (folder 700, files
// 600). Only a farm (backup/model/FarmFileCheck.h) is backed up, and each copy is checked the same way
// before it gets its name; a copy that fails is set aside as TARVIK-yyyymmdd-hhmmss-check-failed.db
// and never counts as a backup. The database itself is only read. scripts/restore.sh (installed:
// tarvik-restore) brings one back.
//
// The stamp in a name is the clock's time, and a clock can be set back: a new copy may then
// carry an older stamp than the copies before it. The order of creation is therefore the file's
// modification time, which each new copy gets later than every copy before it (at least 1 ms
// after the newest, even when the clock says otherwise); equal times fall back to the stamp.
// The rotation keeps the last 30 copies and the last copy of each month by that order.
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>

inline constexpr int kBackupsKept = 30;

// <folder of the database>/backup
QString backupDirOf(const QString& databaseFile);
// The word a backup made for a reason carries after its stamp: the one made just before an
// import is TARVIK-yyyymmdd-hhmmss-가져오기전.db. It counts and rotates like any other.
inline const QString kImportBackupLabel = QStringLiteral("가져오기전");
// TARVIK-yyyymmdd-hhmmss.db, or TARVIK-yyyymmdd-hhmmss-<label>.db with a label.
QString backupFileName(const QDateTime& at, const QString& label = {});
// TARVIK-yyyymmdd-hhmmss-check-failed.db: a copy that failed its check, kept for a look.
QString checkFailedFileName(const QDateTime& at);
// yyyyMMdd-HHmmss, the stamp in every name above (and in TARVIK-before-restore-<stamp>.db).
QString backupStamp(const QDateTime& at);
// True when `name` (a bare file name) is a copy set aside by checkFailedFileName(); its time in
// `at` when given.
bool parseCheckFailedFileName(const QString& name, QDateTime* at = nullptr);
// True when `name` (a bare file name) is a backup's name, with or without the import's label;
// its time in `at` when given.
bool parseBackupFileName(const QString& name, QDateTime* at = nullptr);

// Of the file names given, those the rotation removes: every backup name but the newest `keep`
// and the newest of each month. Other names are never among them. Oldest first. The stamps give
// the order.
QStringList backupsToRemove(const QStringList& names, int keep = kBackupsKept);
// The same for backup names already in their order of creation, oldest first: the newest
// `keep`, the last created of each month (by the month in its stamp) and the last created
// copy always stay.
QStringList backupsToRemoveInOrder(const QStringList& oldestFirst, int keep = kBackupsKept);

// The same rule on a folder of backups (db/backup or the second backup folder): the backup names
// in `folder` by their order of creation, oldest first, and the removal of what the rotation
// does not keep there. Files of other names are never touched.
QStringList backupNamesInCreationOrder(const QString& folder);
void rotateBackupFolder(const QString& folder, int keep = kBackupsKept);
// Makes `file` (in `folder`, not yet under a backup's name) later by modification time than
// every backup in `folder`, so it counts as created last whatever the clock says.
void markCreatedLast(const QString& folder, const QString& file);
// Removes what an interrupted copy leaves in `folder`: *.part files and SQLite's files of them.
void removeBackupLeftovers(const QString& folder);

struct BackupResult {
    bool ok = false;
    QString file;    // the copy written
    QString error;   // why no copy was written, in Korean only
    QString detail;  // the engine's or the system's own words, for the log and a details button
};

// Copies `databaseFile` consistently (VACUUM INTO under a read lock that holds writers off),
// checks the copy (a farm, and every table has the same row count), names it after `now` and
// rotates the old copies. A database that is no farm is not copied. A copy that fails its check
// is kept aside under the check-failed name; one that could not be written leaves no file.
// Leftovers of an interrupted backup in the backup folder are removed first.
// A `label` (kImportBackupLabel) goes into the copy's name.
BackupResult writeBackup(const QString& databaseFile, const QDateTime& now, const QString& label = {});
// True when the backup folder of the database holds a backup or a copy set aside: a missing
// database then means lost records, not a first start.
bool hasAnyBackup(const QString& databaseFile);
// True when the database file is missing while backups of it exist: the start must not make a
// new empty farm there but let the farmer choose a backup in the recovery window.
bool missingWithBackups(const QString& databaseFile);
// The backups of the database by their order of creation, oldest first (full paths).
QStringList backupsInCreationOrder(const QString& databaseFile);
// The newest backup of the database (full path) that passes the farm check, "" when none does.
// Copies checked before and unchanged since are not read again (backup/model/BackupChecks.h).
QString newestBackup(const QString& databaseFile);
// True when a backup of the database was written on `day`.
bool hasBackupOn(const QString& databaseFile, const QDate& day);
// True when some backup's stamp is later than `now`: the clock was set back since.
bool clockBehindNewestBackup(const QString& databaseFile, const QDateTime& now);
// The command that brings a backup back, as a message names it: tarvik-restore when the program
// runs installed (the command sits beside it), else scripts/restore.sh of the source tree.
QString restoreCommandBeside(const QString& executableDir);
