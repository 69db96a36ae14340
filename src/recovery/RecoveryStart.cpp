#include "recovery/RecoveryStart.h"

#include "data/Backup.h"
#include "data/ProgramDir.h"
#include "data/Recovery.h"
#include "data/Schema.h"
#include "kit/Messages.h"
#include "recovery/RecoveryWindow.h"
#include "recovery/model/RecoveryText.h"

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
    const DatabaseAssessment found = assessDatabase(file);
    const QList<BackupInfo> backups = listBackups(file);
    switch (recovery::startAction(found, int(backups.size()))) {
    case recovery::StartAction::OpenMenu:
        // A clock set back would name new copies older than the last; they are kept all the same.
        if (clockBehindNewestBackup(file, now))
            showMessage(parent, MsgIcon::Exclamation, kTitle,
                        QStringLiteral("컴퓨터의 날짜가 가장 최근 백업보다 이릅니다.") + kCrLf +
                            QStringLiteral("컴퓨터의 날짜와 시각을 확인해 주십시오. 백업은 그대로 계속 만듭니다."),
                        MsgButton::Ok);
        return true;
    case recovery::StartAction::NewFarm: return newFarm(parent, file);
    case recovery::StartAction::OfferRestore: {
        QDateTime made;
        for (const BackupInfo& b : backups)
            if (b.file == found.newestGoodBackup) made = b.made;
        const MsgButton answer = showMessage(parent, MsgIcon::Question, kTitle, recovery::offerRestoreQuestion(made),
                                             MsgButton::Yes | MsgButton::No, MsgButton::Yes);
        if (answer != MsgButton::Yes) return newFarm(parent, file);
        const RestoreResult r = restoreBackup(file, found.newestGoodBackup, now);
        if (r.ok) {
            showMessage(parent, MsgIcon::Information, kTitle, recovery::restoreDoneText(r), MsgButton::Ok);
            return true;
        }
        showMessage(parent, MsgIcon::Exclamation, kTitle, recovery::restoreFailedText(r), MsgButton::Ok);
        showRecoveryAtStart(parent, recovery::startExplanation(found));
        return false;
    }
    case recovery::StartAction::ShowRecovery:
        qWarning("database not opened at start: %s", qPrintable(found.reason));
        showRecoveryAtStart(parent, recovery::startExplanation(found));
        return false;
    }
    return false;
}

void openRecoveryWindow(QWidget* parent)
{
    RecoveryWindow w(parent);
    w.exec();
}
