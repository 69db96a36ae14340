#include "recovery/RecoveryStart.h"

#include "backup/model/Backup.h"
#include "backup/model/Restore.h"
#include "data/ErrorLog.h"
#include "data/ProgramDir.h"
#include "data/ProgramExit.h"
#include "data/Schema.h"
#include "data/SupportText.h"
#include "kit/Messages.h"
#include "recovery/RecoveryWindow.h"
#include "recovery/model/RecoveryText.h"

#include <QFileInfo>

namespace {

const QString kTitle = QStringLiteral("백업 및 복원");

void showRecoveryAtStart(QWidget* parent, const QString& explanation)
{
    RecoveryWindow w(parent, explanation);
    w.exec();
}

bool newFarm(QWidget* parent, const QString& file)
{
    const QString error = createDatabaseFileIfMissing(file);
    if (error.isEmpty()) return true;
    qWarning("new farm: %s", qPrintable(error));
    showMessage(parent, MsgIcon::Exclamation, kTitle,
                QStringLiteral("새 농장의 데이터베이스를 만들지 못했습니다.") + kCrLf + error, MsgButton::Ok);
    return false;
}

}  // namespace

bool checkDatabaseAtStart(QWidget* parent, const QDateTime& now)
{
    const QString file = databaseFilePath();
    // A restore cut off between its renames is finished (or undone) before anything else looks.
    const InterruptedRestore interrupted = finishInterruptedRestore(file);
    if (interrupted.outcome != InterruptedRestore::Outcome::None)
        showMessage(
            parent,
            interrupted.outcome == InterruptedRestore::Outcome::Finished ? MsgIcon::Information : MsgIcon::Exclamation,
            kTitle, interrupted.text, MsgButton::Ok);
    // What a backup or a copy cut off by a kill left in the backup folder.
    if (QFileInfo(backupDirOf(file)).isDir()) removeBackupLeftovers(backupDirOf(file));
    for (;;) {
        const DatabaseAssessment found = assessDatabase(file);
        if (found.rolledBack)
            logError(QStringLiteral("시작"),
                     QStringLiteral("끝나지 않은 쓰기를 되돌렸습니다(쓰는 중에 프로그램이나 컴퓨터가 꺼졌습니다). "
                                    "기록은 그 쓰기 전의 상태입니다."));
        if (found.state != DatabaseState::Good && found.state != DatabaseState::Missing)
            logError(QStringLiteral("시작"), found.reason + (found.detail.isEmpty() ? QString() : u' ' + found.detail));
        const auto contactLine = [&] { return supportContactLine(supportContactFor(file, found.newestGoodBackup)); };
        switch (recovery::startAction(found, backupCount(file))) {
        case recovery::StartAction::OpenMenu:
            // A clock set back would name new copies older than the last; they are kept all the same.
            if (clockBehindNewestBackup(file, now))
                showMessage(parent, MsgIcon::Exclamation, kTitle,
                            QStringLiteral("컴퓨터의 날짜가 가장 최근 백업보다 이릅니다.") + kCrLf +
                                QStringLiteral("컴퓨터의 날짜와 시각을 확인해 주십시오. 백업은 그대로 계속 만듭니다."),
                            MsgButton::Ok);
            return true;
        case recovery::StartAction::NewFarm: return newFarm(parent, file);
        case recovery::StartAction::AskAgain: {
            const MsgButton answer =
                showMessage(parent, MsgIcon::Exclamation, kTitle, recovery::busyAtStartQuestion(contactLine()),
                            MsgButton::Retry | MsgButton::Cancel, MsgButton::Retry);
            if (answer == MsgButton::Retry) continue;
            endProgram(0);
            return false;
        }
        case recovery::StartAction::OfferRestore: {
            QDateTime made;
            parseBackupFileName(QFileInfo(found.newestGoodBackup).fileName(), &made);
            const MsgButton answer =
                showMessage(parent, MsgIcon::Question, kTitle, recovery::offerRestoreQuestion(made, contactLine()),
                            MsgButton::Yes | MsgButton::No, MsgButton::Yes);
            if (answer != MsgButton::Yes) return newFarm(parent, file);
            const RestoreResult r = restoreBackup(file, found.newestGoodBackup, now);
            if (r.ok) {
                showMessage(parent, MsgIcon::Information, kTitle, recovery::restoreDoneText(r), MsgButton::Ok);
                return true;
            }
            showMessage(parent, MsgIcon::Exclamation, kTitle, recovery::restoreFailedText(r), MsgButton::Ok);
            showRecoveryAtStart(parent, recovery::startExplanation(found, contactLine()));
            return false;
        }
        case recovery::StartAction::ShowRecovery:
            qWarning("database not opened at start: %s", qPrintable(found.reason));
            showRecoveryAtStart(parent, recovery::startExplanation(found, contactLine()));
            return false;
        }
        return false;
    }
}

void openRecoveryWindow(QWidget* parent)
{
    RecoveryWindow w(parent);
    w.exec();
}
