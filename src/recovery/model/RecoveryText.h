#pragma once
// What the recovery window (백업 및 복원) shows and allows, as plain functions: the rows of its
// list, which commands a selection allows, the confirmation before a restore, the explanation
// at its top when the start found the database unusable, and what the start does about it.
#include "backup/model/BackupCopies.h"
#include "backup/model/Restore.h"
#include "sheets/model/CellKind.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace recovery {

// 2026-12-10 18:30:05
QString backupTimeText(const QDateTime& at);
// A size as a farmer reads it: "512 바이트", "340 KB", "12.5 MB".
QString sizeText(qint64 bytes);
// A count with thousands separators; "-" when the copy could not be read (-1).
QString countText(int n);
// The list's columns: 백업 일시, 크기, 개체 수, 번식 기록 수, 검사 결과.
QStringList backupColumns();
// What each of those columns holds.
QList<CellKind> backupColumnKinds();
QStringList backupRow(const BackupInfo& b);

// The commands a selected row allows (`selected` is an index into `backups`, -1 for none).
struct CommandState {
    bool restore = false;  // only a copy that passes the farm check
    bool copy = false;     // the same: a failing copy is no backup to carry elsewhere
};
CommandState commandState(const QList<BackupInfo>& backups, int selected);
// 해제 only when a second folder is set.
bool canClearSecondFolder(const QString& folder);
// "마지막 두 번째 사본: 2026-12-10 18:30" or "… 아직 없음".
QString lastSecondCopyText(const QDateTime& at);

// The question before a restore: what is replaced (the current database), by which copy (its
// date and time and counts), and where the current file is kept.
QString restoreQuestion(const BackupInfo& b);
QString restoreDoneText(const RestoreResult& r);
QString restoreFailedText(const RestoreResult& r);
QString copyDoneText(const CopyResult& r);
QString copyFailedText(const CopyResult& r);

// The explanation at the top of the window when the start found the database unusable
// ("" for a good one); `contactLine` (data/SupportText.h) closes it when the farm has one.
QString startExplanation(const DatabaseAssessment& a, const QString& contactLine = QString());
// The question for a missing database when a good backup exists.
QString offerRestoreQuestion(const QDateTime& newestMade, const QString& contactLine = QString());
// The question when another program holds the database: try again or end.
QString busyAtStartQuestion(const QString& contactLine = QString());

// What the start does about the database it found.
enum class StartAction {
    OpenMenu,      // a farm: the menu, the day's backup
    OfferRestore,  // no file, a good backup: ask to restore it or start a new farm
    NewFarm,       // no file and no backup at all: a new empty farm
    AskAgain,      // another program holds the file: nothing is wrong with it, try again
    ShowRecovery,  // anything else: the recovery window, no backup of what is there
};
StartAction startAction(const DatabaseAssessment& a, int backupFiles);

}  // namespace recovery
