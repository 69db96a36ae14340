#include "backup/model/Restore.h"

#include "backup/model/Backup.h"
#include "backup/model/BackupChecks.h"
#include "backup/model/FarmFileCheck.h"
#include "backup/model/FileCopy.h"
#include "backup/model/InterruptedWrite.h"
#include "data/ErrorLog.h"
#include "data/FileModes.h"
#include "data/ProgramDir.h"
#include "data/Schema.h"
#include "data/ScopedConnection.h"
#include "data/SqliteReason.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {

DatabaseAssessment assessed(DatabaseState state, const QString& reason, const QString& detail = QString())
{
    DatabaseAssessment a;
    a.state = state;
    a.reason = reason;
    a.detail = detail;
    return a;
}

// The state an engine failure on reading the database means: a file that could not be read
// (busy, permissions, I/O) is not a damaged one, and a restore would cost records.
DatabaseAssessment failedRead(const QSqlError& e)
{
    const SqliteFailure f = sqliteFailureOf(e);
    if (f == SqliteFailure::Busy)
        return assessed(DatabaseState::Busy, QStringLiteral("데이터베이스 파일을 다른 프로그램이 사용하고 있습니다."),
                        sqliteTechnicalText(e));
    if (isAccessFailure(f))
        return assessed(DatabaseState::Unreadable,
                        QStringLiteral("데이터베이스 파일을 읽을 수 없습니다: ") + sqliteFailureText(f),
                        sqliteTechnicalText(e));
    return assessed(DatabaseState::Damaged,
                    QStringLiteral("데이터베이스 파일이 손상되었습니다: ") + sqliteFailureText(f),
                    sqliteTechnicalText(e));
}

// The state of a file without the backups.
DatabaseAssessment assessFile(const QString& file)
{
    const QByteArray path = QFile::encodeName(file);
    struct stat st {};
    if (::stat(path.constData(), &st) != 0) {
        if (errno == ENOENT) return assessed(DatabaseState::Missing, QStringLiteral("데이터베이스 파일이 없습니다."));
        return assessed(DatabaseState::Unreadable, QStringLiteral("데이터베이스 파일을 읽을 수 없습니다."),
                        systemError(errno));
    }
    if (S_ISDIR(st.st_mode))
        return assessed(
            DatabaseState::Unreadable,
            QStringLiteral(
                "데이터베이스 파일을 읽을 수 없습니다: 데이터베이스 파일의 자리에 파일이 아닌 폴더가 있습니다."));
    // Read the header ourselves: a file the program may not read is no damaged file.
    char header[100] = {};
    ssize_t got = -1;
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (fd >= 0) {
        got = ::read(fd, header, sizeof header);
        const int readError = errno;
        ::close(fd);
        errno = readError;
    }
    if (got < 0)
        return assessed(DatabaseState::Unreadable,
                        QStringLiteral("데이터베이스 파일을 읽을 수 없습니다(권한이 없거나 저장 장치의 오류입니다)."),
                        systemError(errno));
    if (got == 0) return assessed(DatabaseState::Empty, QStringLiteral("데이터베이스 파일이 비어 있습니다(0바이트)."));
    if (got < 100 || std::memcmp(header, "SQLite format 3", 16) != 0)
        return assessed(
            DatabaseState::Damaged,
            QStringLiteral("데이터베이스 파일이 손상되었습니다: 데이터베이스 파일의 머리 부분이 맞지 않습니다."));

    // A write cut off by a kill or a power cut left its journal: played back, the file is whole.
    const RollbackResult rollback = rollBackInterruptedWrite(file);
    if (rollback.outcome == RollbackResult::Outcome::Failed) {
        if (rollback.failure == SqliteFailure::Busy)
            return assessed(DatabaseState::Busy,
                            QStringLiteral("데이터베이스 파일을 다른 프로그램이 사용하고 있습니다."), rollback.detail);
        return assessed(DatabaseState::Unreadable,
                        QStringLiteral("끝나지 않은 쓰기를 되돌려야 하는데 데이터베이스 파일에 쓸 수 없습니다: ") +
                            sqliteFailureText(rollback.failure) +
                            QStringLiteral(" 파일과 폴더의 권한을 확인해 주십시오."),
                        rollback.detail);
    }

    ScopedConnection c(file, QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=3000"));
    if (!c.isOpen()) return failedRead(c.error());
    QSqlQuery q(c.db());
    if (!q.exec(QStringLiteral("PRAGMA quick_check")) || !q.next()) return failedRead(q.lastError());
    const QString check = q.value(0).toString();
    if (check != QLatin1String("ok"))
        return assessed(DatabaseState::Damaged,
                        QStringLiteral("데이터베이스 파일이 손상되었습니다: 파일의 구조 검사에서 오류가 나왔습니다."),
                        check);
    q.finish();
    if (!q.exec(QStringLiteral("select name from sqlite_master where type = 'table'")))
        return failedRead(q.lastError());
    QSet<QString> tables;
    while (q.next()) tables.insert(q.value(0).toString());
    const auto& schema = schemaTables();
    const bool anyOfOurs =
        std::any_of(schema.begin(), schema.end(), [&](const TableDef& t) { return tables.contains(t.name); });
    if (!anyOfOurs && tables.isEmpty())
        return assessed(DatabaseState::Empty, QStringLiteral("데이터베이스 파일에 농장 기록의 표가 하나도 없습니다."));
    // Tables, but none of ours: another program's database was put in the farm's place.
    if (!anyOfOurs)
        return assessed(DatabaseState::NotAFarm,
                        QStringLiteral("이 프로그램의 농장 파일이 아닙니다(다른 프로그램의 데이터베이스입니다)."));
    q.finish();
    const FarmFileCheck farm = checkFarmFile(file);
    if (!farm.ok) {
        if (farm.accessFailure)
            return assessed(farm.busy ? DatabaseState::Busy : DatabaseState::Unreadable,
                            QStringLiteral("데이터베이스 파일을 읽을 수 없습니다: ") + farm.reason, farm.detail);
        return assessed(DatabaseState::NotAFarm, QStringLiteral("농장 기록의 데이터베이스가 아닙니다: ") + farm.reason,
                        farm.detail);
    }
    DatabaseAssessment good = assessed(DatabaseState::Good, QString());
    good.rolledBack = rollback.outcome == RollbackResult::Outcome::RolledBack;
    return good;
}

BackupInfo infoOf(const QString& file, const QDateTime& made, bool recheck)
{
    BackupInfo b;
    b.file = file;
    b.made = made;
    b.bytes = QFileInfo(file).size();
    const BackupCheck check = recheck ? recheckBackup(file) : checkedBackup(file);
    b.good = check.ok;
    b.check = check.ok ? QStringLiteral("정상") : check.reason;
    b.animals = check.animals;
    b.breedings = check.breedings;
    return b;
}

// Korean only; the system's words go to `detail`.
bool renamePath(const QString& from, const QString& to)
{
    return ::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

const QStringList kDatabaseSuffixes{QString(), QStringLiteral("-journal"), QStringLiteral("-wal"),
                                    QStringLiteral("-shm")};

// Renames the checked copy of a restore to the database's name, the farmer's alone, and makes
// the rename durable; false (errno set) when the rename fails.
bool putInPlace(const QString& copy, const QString& databaseFile)
{
    if (!renamePath(copy, databaseFile)) return false;
    ::chmod(QFile::encodeName(databaseFile).constData(), 0600);
    restrictDatabaseAccess(databaseFile);
    syncFile(QFileInfo(databaseFile).absolutePath());
    return true;
}

// Beside a restore's copy: which backup is restored and where the current file goes.
QString restoreInfoFileOf(const QString& databaseFile)
{
    return databaseFile + QStringLiteral(".restoring-info");
}

QString writeRestoreInfo(const QString& path, const QString& backup, const QString& aside, QString* detail)
{
    QFile::remove(path);
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) return writeErrorText(errno, detail);
    const QByteArray text = backup.toUtf8() + '\n' + aside.toUtf8() + '\n';
    const bool ok = ::write(fd, text.constData(), size_t(text.size())) == text.size() && ::fsync(fd) == 0;
    const int e = errno;
    ::close(fd);
    if (ok) return QString();
    QFile::remove(path);
    return writeErrorText(e, detail);
}

void readRestoreInfo(const QString& path, QString* backup, QString* aside)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly) || f.size() > 64 * 1024) return;
    const QStringList lines = QString::fromUtf8(f.readAll()).split(u'\n');
    if (lines.size() >= 2) {
        *backup = lines[0];
        *aside = lines[1];
    }
}

// The file a restore set aside last (by the time of its rename), "" when none.
QString newestSetAside(const QString& dir)
{
    QString newest;
    qint64 newestCtime = -1;
    for (const QString& n : QDir(dir).entryList({QStringLiteral("TARVIK-before-restore-*.db")}, QDir::Files)) {
        struct stat st {};
        if (::stat(QFile::encodeName(dir + u'/' + n).constData(), &st) != 0) continue;
        const qint64 ctime = qint64(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec;
        if (ctime > newestCtime) {
            newestCtime = ctime;
            newest = dir + u'/' + n;
        }
    }
    return newest;
}

}  // namespace

DatabaseAssessment assessDatabase(const QString& databaseFile)
{
    DatabaseAssessment a = assessFile(databaseFile);
    // A good farm needs no backup: the start reads none then.
    if (a.state != DatabaseState::Good) a.newestGoodBackup = newestBackup(databaseFile);
    return a;
}

int backupCount(const QString& databaseFile)
{
    const QStringList names = QDir(backupDirOf(databaseFile)).entryList({QStringLiteral("TARVIK-*.db")}, QDir::Files);
    return int(std::count_if(names.begin(), names.end(),
                             [](const QString& n) { return parseBackupFileName(n) || parseCheckFailedFileName(n); }));
}

QList<BackupInfo> listBackups(const QString& databaseFile, bool recheck)
{
    QList<BackupInfo> list;
    const QString dir = backupDirOf(databaseFile);
    const QStringList backups = backupNamesInCreationOrder(dir);
    for (auto it = backups.crbegin(); it != backups.crend(); ++it) {
        QDateTime made;
        parseBackupFileName(*it, &made);
        list << infoOf(dir + u'/' + *it, made, recheck);
    }
    // The copies set aside, newest first by the same order.
    struct Aside {
        QString name;
        QDateTime made;
        qint64 mtime;
    };
    std::vector<Aside> aside;
    for (const QString& n : QDir(dir).entryList({QStringLiteral("TARVIK-*-check-failed.db")}, QDir::Files)) {
        QDateTime made;
        if (parseCheckFailedFileName(n, &made)) aside.push_back({n, made, modificationTimeNs(dir + u'/' + n)});
    }
    std::sort(aside.begin(), aside.end(),
              [](const Aside& a, const Aside& b) { return a.mtime != b.mtime ? a.mtime > b.mtime : a.name > b.name; });
    for (const Aside& a : aside) list << infoOf(dir + u'/' + a.name, a.made, recheck);
    return list;
}

QString restoringFileOf(const QString& databaseFile)
{
    return databaseFile + QStringLiteral(".restoring");
}

RestoreResult restoreBackup(const QString& databaseFile, const QString& backupFile, const QDateTime& now)
{
    RestoreResult r;
    const QString incoming = restoringFileOf(databaseFile);
    const QString info = restoreInfoFileOf(databaseFile);
    // Every failure leaves the database as it was: no copy, no note beside it.
    const auto failedWith = [&](const QString& error) {
        QFile::remove(incoming);
        QFile::remove(info);
        r.error = error;
        logError(QStringLiteral("복원"), backupFile + QStringLiteral(": ") + r.error + u' ' + r.detail);
        return r;
    };
    const FarmFileCheck check = checkFarmFile(backupFile);
    if (!check.ok) {
        r.detail = check.detail;
        return failedWith(QStringLiteral("이 백업은 복원할 수 없습니다: ") + check.reason);
    }
    if (!prepareDatabaseFolder(databaseFile))
        return failedWith(QStringLiteral("데이터베이스 폴더를 만들 수 없습니다: ") +
                          QFileInfo(databaseFile).absolutePath());
    const QString dir = QFileInfo(databaseFile).absolutePath();
    // Checked under a name the program never opens before it takes the place.
    QFile::remove(incoming);

    // Where the current file goes, decided first and written down with the chosen copy, so that a
    // start after a kill between the renames knows what to finish or undo.
    QStringList present;
    for (const QString& suffix : kDatabaseSuffixes)
        if (QFileInfo::exists(databaseFile + suffix) || QFileInfo(databaseFile + suffix).isSymLink()) present << suffix;
    QString aside;
    if (!present.isEmpty()) {
        const QString stamp = backupStamp(now);
        aside = dir + QStringLiteral("/TARVIK-before-restore-") + stamp + QStringLiteral(".db");
        for (int n = 1; QFileInfo::exists(aside) || QFileInfo::exists(aside + QStringLiteral("-journal")) ||
                        QFileInfo::exists(aside + QStringLiteral("-wal"));
             ++n)
            aside = dir + QStringLiteral("/TARVIK-before-restore-") + stamp + u'-' + QString::number(n) +
                    QStringLiteral(".db");
    }
    const QString infoError = writeRestoreInfo(info, backupFile, aside, &r.detail);
    if (!infoError.isEmpty()) return failedWith(infoError);

    r.error = copyFileBytes(backupFile, incoming, &r.detail);
    if (r.error.isEmpty()) {
        const FarmFileCheck copy = checkFarmFile(incoming);
        if (!copy.ok || !sameFileBytes(backupFile, incoming)) {
            r.error =
                QStringLiteral("복사한 백업 파일의 검사에서 오류가 나왔습니다(디스크 공간이 부족한지 확인하십시오).");
            r.detail = copy.reason + u' ' + copy.detail;
        }
    }
    if (!r.error.isEmpty()) return failedWith(r.error);

    // The current file with its journals goes aside whole; a journal left beside the restored
    // file would be played into it. The main file first: a start after a kill here finishes it.
    QStringList moved;
    for (const QString& suffix : present) {
        if (!renamePath(databaseFile + suffix, aside + suffix)) {
            const int e = errno;
            for (const QString& back : moved) renamePath(aside + back, databaseFile + back);
            r.detail = systemError(e);
            return failedWith(QStringLiteral("지금의 데이터베이스 파일을 옮겨 둘 수 없습니다."));
        }
        moved << suffix;
    }
    if (!putInPlace(incoming, databaseFile)) {
        const int e = errno;
        for (const QString& suffix : present) renamePath(aside + suffix, databaseFile + suffix);
        r.detail = systemError(e);
        return failedWith(QStringLiteral("복원한 파일을 제자리에 놓을 수 없습니다."));
    }
    QFile::remove(info);
    r.ok = true;
    if (present.contains(QString())) r.setAside = aside;
    return r;
}

InterruptedRestore finishInterruptedRestore(const QString& databaseFile)
{
    InterruptedRestore r;
    const QString incoming = restoringFileOf(databaseFile);
    const QString info = restoreInfoFileOf(databaseFile);
    const bool haveIncoming = QFileInfo::exists(incoming);
    const bool haveInfo = QFileInfo::exists(info);
    if (!haveIncoming && !haveInfo) return r;
    const QFileInfo db(databaseFile);
    if (db.exists() || db.isSymLink()) {
        // Cut off before the renames (the database never left its place) or after the last one:
        // what is left is only a copy.
        QFile::remove(incoming);
        QFile::remove(info);
        logError(QStringLiteral("복원"), QStringLiteral("끝나지 않은 복원의 남은 사본을 지웠습니다: ") + incoming);
        return r;
    }
    QString backup;
    QString aside;
    readRestoreInfo(info, &backup, &aside);
    if (aside.isEmpty()) aside = newestSetAside(QFileInfo(databaseFile).absolutePath());
    // A journal still at the database's place belongs to the file set aside, never to the copy.
    for (const QString& suffix : kDatabaseSuffixes) {
        if (suffix.isEmpty() || !QFileInfo::exists(databaseFile + suffix)) continue;
        const QString target = (aside.isEmpty() ? databaseFile + QStringLiteral(".interrupted") : aside) + suffix;
        if (!QFileInfo::exists(target)) renamePath(databaseFile + suffix, target);
    }
    bool complete = false;
    if (haveIncoming) {
        const FarmFileCheck check = checkFarmFile(incoming);
        complete = check.ok && (backup.isEmpty() || !QFileInfo::exists(backup) || sameFileBytes(backup, incoming));
        r.detail = check.reason + u' ' + check.detail;
    }
    if (complete && putInPlace(incoming, databaseFile)) {
        QFile::remove(info);
        r.outcome = InterruptedRestore::Outcome::Finished;
        r.text = QStringLiteral("지난번 복원이 중간에 끊겼습니다. 고른 백업으로 복원을 마쳤습니다.");
        if (!backup.isEmpty()) r.text += QStringLiteral("\r\n\r\n복원한 백업: ") + QFileInfo(backup).fileName();
        if (!aside.isEmpty()) r.text += QStringLiteral("\r\n이전의 데이터베이스 파일: ") + aside;
        logError(QStringLiteral("복원"), QStringLiteral("끊긴 복원을 마쳤습니다: ") + backup);
        return r;
    }
    // The copy is not whole: the file set aside becomes the database again.
    QFile::remove(incoming);
    if (!aside.isEmpty() && QFileInfo::exists(aside)) {
        bool back = true;
        for (const QString& suffix : kDatabaseSuffixes)
            if (QFileInfo::exists(aside + suffix) && !QFileInfo::exists(databaseFile + suffix))
                back = renamePath(aside + suffix, databaseFile + suffix) && back;
        if (back) {
            syncFile(db.absolutePath());
            QFile::remove(info);
            r.outcome = InterruptedRestore::Outcome::PutBack;
            r.text = QStringLiteral(
                "지난번 복원이 중간에 끊겼고, 복사하던 백업이 완전하지 않았습니다. 원래의 데이터베이스 파일을 "
                "제자리에 되돌려 놓았습니다. 필요하면 백업 및 복원 창에서 다시 복원해 주십시오.");
            logError(QStringLiteral("복원"), QStringLiteral("끊긴 복원을 되돌렸습니다: ") + aside + u' ' + r.detail);
            return r;
        }
        r.outcome = InterruptedRestore::Outcome::Failed;
        r.text = QStringLiteral("지난번 복원이 중간에 끊겼는데 원래의 데이터베이스 파일을 제자리에 놓지 못했습니다.") +
                 QStringLiteral("\r\n원래의 파일: ") + aside;
        logError(QStringLiteral("복원"), r.text + u' ' + r.detail);
        return r;
    }
    // No database before the restore, and the copy not whole: as if it had never started.
    QFile::remove(info);
    logError(QStringLiteral("복원"), QStringLiteral("끊긴 복원의 완전하지 않은 사본을 지웠습니다. ") + r.detail);
    r.text = QStringLiteral(
        "지난번 복원이 중간에 끊겼고, 복사하던 백업이 완전하지 않아 지웠습니다. 백업 및 복원 창에서 다시 복원해 "
        "주십시오.");
    r.outcome = InterruptedRestore::Outcome::PutBack;
    return r;
}
