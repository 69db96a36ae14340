#include "backup/model/BackupCopies.h"

#include "backup/model/Backup.h"
#include "backup/model/BackupChecks.h"
#include "backup/model/FarmFileCheck.h"
#include "backup/model/FileCopy.h"
#include "data/ErrorLog.h"
#include "data/FileModes.h"
#include "data/ProgramDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <cerrno>
#include <cstdio>

namespace {

const QString kSecondFolderKey = QStringLiteral("Backup/SecondFolder");
const QString kLastSecondCopyKey = QStringLiteral("Backup/LastSecondCopy");

CopyResult copyChecked(const QString& backupFile, const QString& folder, bool createdLast)
{
    CopyResult r;
    const QFileInfo source(backupFile);
    if (!source.isFile()) {
        r.error = QStringLiteral("백업 파일이 없습니다: ") + backupFile;
        logError(QStringLiteral("복사"), r.error);
        return r;
    }
    if (!QFileInfo(folder).isDir()) {
        r.error = QStringLiteral("폴더가 없습니다: ") + folder;
        logError(QStringLiteral("복사"), r.error);
        return r;
    }
    const QString target = QDir(folder).absoluteFilePath(source.fileName());
    if (QFileInfo(target).exists() && QFileInfo(target).canonicalFilePath() == source.canonicalFilePath()) {
        r.ok = true;  // already there: the backup itself
        r.file = target;
        return r;
    }
    // What an earlier copy cut off by a kill or a pulled stick left there.
    removeBackupLeftovers(folder);
    const QString part = target + QStringLiteral(".part");
    QFile::remove(part);
    r.error = copyFileBytes(backupFile, part, &r.detail);
    if (r.error.isEmpty() && !sameFileBytes(backupFile, part))
        r.error = QStringLiteral("복사한 파일이 백업 파일과 다릅니다(저장 장치를 확인해 주십시오).");
    if (r.error.isEmpty() && checkedBackup(backupFile).ok) {
        const FarmFileCheck check = checkFarmFile(part);
        if (!check.ok) {
            r.error = QStringLiteral("복사한 파일의 검사에서 오류가 나왔습니다: ") + check.reason;
            r.detail = check.detail;
        }
    }
    if (r.error.isEmpty()) {
        if (createdLast) markCreatedLast(folder, part);
        if (::rename(QFile::encodeName(part).constData(), QFile::encodeName(target).constData()) != 0)
            r.error = QStringLiteral("복사한 파일의 이름을 바꿀 수 없습니다: ") + writeErrorText(errno, &r.detail);
    }
    if (!r.error.isEmpty()) {
        QFile::remove(part);
        removeBackupLeftovers(folder);
        logError(QStringLiteral("복사"), backupFile + QStringLiteral(" → ") + folder + QStringLiteral(": ") + r.error +
                                             QStringLiteral(" ") + r.detail);
        return r;
    }
    syncFile(folder);
    r.ok = true;
    r.file = target;
    return r;
}

}  // namespace

CopyResult copyBackupTo(const QString& backupFile, const QString& folder)
{
    return copyChecked(backupFile, folder, false);
}

QString secondBackupFolder()
{
    const QSettings ini(settingsFilePath(), QSettings::IniFormat);
    return ini.value(kSecondFolderKey).toString();
}

void setSecondBackupFolder(const QString& folder)
{
    QSettings ini(settingsFilePath(), QSettings::IniFormat);
    if (folder.isEmpty())
        ini.remove(kSecondFolderKey);
    else
        ini.setValue(kSecondFolderKey, folder);
    ini.sync();
}

QDateTime lastSecondCopy()
{
    const QSettings ini(settingsFilePath(), QSettings::IniFormat);
    return QDateTime::fromString(ini.value(kLastSecondCopyKey).toString(), Qt::ISODate);
}

SecondCopyResult copyToSecondFolder(const QString& backupFile, const QDateTime& now)
{
    SecondCopyResult r;
    const QString folder = secondBackupFolder();
    if (folder.isEmpty()) return r;
    // A missing folder is a USB stick not plugged in: making it would fill the mount point's disk.
    if (!QFileInfo(folder).isDir()) {
        r.status = SecondCopyResult::Status::Unreachable;
        r.error =
            QStringLiteral("두 번째 백업 폴더를 찾을 수 없습니다(USB 저장장치가 꽂혀 있는지 확인하십시오): ") + folder;
        logError(QStringLiteral("두 번째 백업 폴더"), r.error);
        return r;
    }
    const BackupCheck check = checkedBackup(backupFile);
    if (!check.ok) {
        r.status = SecondCopyResult::Status::Failed;
        r.error =
            QStringLiteral("백업 파일에 농장 자료가 없어 두 번째 백업 폴더로 복사하지 않았습니다: ") + check.reason;
        logError(QStringLiteral("두 번째 백업 폴더"), r.error + u' ' + check.detail);
        return r;
    }
    removeBackupLeftovers(folder);
    const CopyResult copy = copyChecked(backupFile, folder, true);
    if (!copy.ok) {
        r.status = SecondCopyResult::Status::Failed;
        r.error = QStringLiteral("두 번째 백업 폴더로 복사하지 못했습니다: ") + copy.error;
        r.detail = copy.detail;
        logError(QStringLiteral("두 번째 백업 폴더"), r.error + u' ' + r.detail);
        return r;
    }
    r.status = SecondCopyResult::Status::Copied;
    r.file = copy.file;
    {
        QSettings ini(settingsFilePath(), QSettings::IniFormat);
        ini.setValue(kLastSecondCopyKey, now.toString(Qt::ISODate));
        ini.sync();
    }
    rotateBackupFolder(folder);
    return r;
}

AutomaticBackup writeAutomaticBackup(const QString& databaseFile, const QDateTime& now, const QString& label)
{
    AutomaticBackup r;
    r.local = writeBackup(databaseFile, now, label);
    // The second folder is a spare: its trouble never turns a good backup into a failure.
    if (r.local.ok) r.second = copyToSecondFolder(r.local.file, now);
    return r;
}
