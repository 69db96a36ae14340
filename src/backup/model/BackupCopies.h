#pragma once
// Copies of a backup outside db/backup: into a folder of the farmer's choice (a USB stick), and
// into the second backup folder every automatic backup also goes to.
#include "backup/model/Backup.h"

#include <QDateTime>
#include <QString>

struct CopyResult {
    bool ok = false;
    QString file;    // the copy written
    QString error;   // Korean, when !ok (folder missing or read-only, disk full, copy fails its check)
    QString detail;  // the system's own words, for the log and the details button
};
// Copies a backup into `folder` under its own name: written under a temporary name, checked, then
// renamed, so the file appears whole or not at all.
CopyResult copyBackupTo(const QString& backupFile, const QString& folder);

// The second backup folder, kept in the settings file (settingsFilePath(), INI format):
//   [Backup]
//   SecondFolder=<absolute path>      the folder; no key (or empty) when none is set
//   LastSecondCopy=<yyyy-MM-ddTHH:mm:ss> when a copy last reached it (ISO 8601)
// "" when none is set; setting "" removes the key.
QString secondBackupFolder();
void setSecondBackupFolder(const QString& folder);
// When a copy last reached the second folder ([Backup] LastSecondCopy); invalid when never.
QDateTime lastSecondCopy();

struct SecondCopyResult {
    enum class Status { NotSet, Unreachable, Copied, Failed };
    Status status = Status::NotSet;
    QString file;    // the copy written (Copied)
    QString error;   // Korean (Unreachable, Failed)
    QString detail;  // the system's own words (Failed)
};
// After a good local backup: copies it to the second folder when one is set and reachable,
// checks it, records the time and rotates the second folder by the same rule as the local one.
// An unreachable or failing second folder never undoes the local backup.
SecondCopyResult copyToSecondFolder(const QString& backupFile, const QDateTime& now);

// An automatic backup (the exit's, the day's first start's, the one before an import): the
// checked copy in db/backup, then the same copy in the second folder when one is set.
struct AutomaticBackup {
    BackupResult local;
    SecondCopyResult second;  // NotSet when the local copy failed
};
AutomaticBackup writeAutomaticBackup(const QString& databaseFile, const QDateTime& now, const QString& label = {});
