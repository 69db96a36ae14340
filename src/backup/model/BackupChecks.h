#pragma once
// The check result of every backup, remembered in its folder (.tarvik-checks) by name, size and
// modification time: a copy is read in full when it is written and when it has changed since,
// never again at each start or listing. A farm of 50 MB with 30 backups would otherwise read
// 1.5 GB before the menu. The restore still checks the chosen copy in full.
#include <QString>

struct BackupCheck {
    bool ok = false;
    QString reason;           // Korean, "" when ok
    QString detail;           // the engine's words when the check could not read the file
    int animals = -1;         // rows of 개체관리, -1 when they cannot be read
    int breedings = -1;       // rows of 번식기록, -1 when they cannot be read
    bool fromMemory = false;  // taken from the remembered results, the file was not read
};

// The remembered result of `file` when its size and time are still those it was checked at;
// otherwise checks the file (backup/model/FarmFileCheck.h), counts its records and remembers that. A
// check that could not read the file (busy, I/O) is not remembered.
BackupCheck checkedBackup(const QString& file);
// Checks `file` now, whatever is remembered, and remembers the result.
BackupCheck recheckBackup(const QString& file);
// Remembers the result of a check just made elsewhere (the backup's own check as it is written).
void rememberBackupCheck(const QString& file, const BackupCheck& check);
// The name of the file holding the results, in each backup folder.
inline const QString kBackupChecksName = QStringLiteral(".tarvik-checks");
