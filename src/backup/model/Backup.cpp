#include "backup/model/Backup.h"

#include "data/ScopedConnection.h"

#include "backup/model/BackupChecks.h"
#include "backup/model/FarmFileCheck.h"
#include "data/FileModes.h"
#include "data/SqliteReason.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <algorithm>

namespace {

// The stamp of every file name the backups use; it sorts like the time it names.
const QString kStampFormat = QStringLiteral("yyyyMMdd-HHmmss");

QStringList backupNamesIn(const QString& dir)
{
    QStringList names;
    for (const QString& n : QDir(dir).entryList({QStringLiteral("TARVIK-*.db")}, QDir::Files, QDir::Name))
        if (parseBackupFileName(n)) names << n;
    return names;
}

struct Dated {
    QString name;
    qint64 mtimeNs = 0;
};

// Whatever SQLite creates beside the copy (its journal) is the farmer's alone as well.
class PrivateUmask {
public:
    PrivateUmask() : m_old(::umask(077)) {}
    ~PrivateUmask() { ::umask(m_old); }
    PrivateUmask(const PrivateUmask&) = delete;
    PrivateUmask& operator=(const PrivateUmask&) = delete;

private:
    mode_t m_old;
};

const QString kBusy = QStringLiteral("QSQLITE_BUSY_TIMEOUT=3000");

// Row counts of every table, by name; false (with the failure in `error`) when a count cannot
// be read.
bool tableCounts(QSqlDatabase db, QMap<QString, qint64>* counts, QSqlError* error)
{
    QSqlQuery q(db);
    QStringList tables;
    if (!q.exec(QStringLiteral("select name from sqlite_master where type = 'table' and name not like 'sqlite_%'"))) {
        *error = q.lastError();
        return false;
    }
    while (q.next()) tables << q.value(0).toString();
    for (const QString& t : tables) {
        const QString quoted = QLatin1Char('"') + QString(t).replace(u'"', QStringLiteral("\"\"")) + QLatin1Char('"');
        if (!q.exec(QStringLiteral("select count(*) from ") + quoted) || !q.next()) {
            *error = q.lastError();
            return false;
        }
        counts->insert(t, q.value(0).toLongLong());
    }
    return true;
}

// The Korean reason of an engine failure: what could not be done and why, the engine's own
// words in `detail`.
QString failureText(const QString& what, const QSqlError& e, QString* detail)
{
    *detail = sqliteTechnicalText(e);
    const SqliteFailure f = sqliteFailureOf(e);
    // A file held by another program is whole: said as such, never as one that cannot be read.
    if (f == SqliteFailure::Busy)
        return QStringLiteral(
            "데이터베이스 파일을 다른 프로그램이 사용하고 있어 백업하지 못했습니다. 그 프로그램을 "
            "끝낸 뒤 다시 해 주십시오.");
    return what + u' ' + sqliteFailureText(f);
}

// Opens the copy read-only and compares it with the counts of the original.
QString verifyCopy(const QString& copy, const QMap<QString, qint64>& expected, QString* detail)
{
    ScopedConnection c(copy, QStringLiteral("QSQLITE_OPEN_READONLY"));
    if (!c.isOpen()) return failureText(QStringLiteral("백업 파일을 열 수 없습니다."), c.error(), detail);
    QSqlQuery q(c.db());
    if (!q.exec(QStringLiteral("PRAGMA quick_check")) || !q.next() || q.value(0).toString() != QLatin1String("ok"))
        return QStringLiteral("백업 파일의 검사에서 오류가 나왔습니다.");
    q.finish();
    QMap<QString, qint64> counts;
    QSqlError error;
    if (!tableCounts(c.db(), &counts, &error))
        return failureText(QStringLiteral("백업 파일을 읽을 수 없습니다."), error, detail);
    if (counts != expected) return QStringLiteral("백업 파일의 기록 수가 원본과 다릅니다.");
    return QString();
}

// Writes the copy into `part` and checks it; "" on success, else the reason. `written` tells
// whether a copy was written (and then failed its check); `counts` gets the rows of every table.
QString copyAndVerify(const QString& databaseFile, const QString& part, bool* written, QString* detail,
                      QMap<QString, qint64>* counts)
{
    *written = false;
    // The holder's read transaction keeps every writer out until the copy is checked, so the
    // counts, the copy and the check all see the same records.
    ScopedConnection holder(databaseFile, kBusy);
    ScopedConnection source(databaseFile, kBusy);
    if (!holder.isOpen() || !source.isOpen())
        return failureText(QStringLiteral("데이터베이스 파일을 열 수 없습니다."),
                           holder.isOpen() ? source.error() : holder.error(), detail);
    QSqlQuery hold(holder.db());
    QSqlError error;
    if (!hold.exec(QStringLiteral("BEGIN"))) error = hold.lastError();
    if (error.type() == QSqlError::NoError) tableCounts(holder.db(), counts, &error);
    if (error.type() != QSqlError::NoError)
        return failureText(QStringLiteral("데이터베이스 파일을 읽을 수 없습니다."), error, detail);
    // An empty file or another program's database copies and checks fine; it is no farm, and
    // a copy of it would push the good copies out of the rotation.
    const FarmFileCheck live = checkFarmFile(databaseFile);
    if (!live.ok) {
        *detail = live.detail;
        return QStringLiteral("데이터베이스 파일에 농장 자료가 없어 백업하지 않았습니다: ") + live.reason;
    }
    QSqlQuery vacuum(source.db());
    vacuum.prepare(QStringLiteral("VACUUM INTO ?"));
    vacuum.addBindValue(part);
    if (!vacuum.exec())
        return failureText(QStringLiteral("데이터베이스를 백업 파일로 복사하지 못했습니다."), vacuum.lastError(),
                           detail);
    if (!syncFile(part)) return QStringLiteral("백업 파일을 디스크에 쓰지 못했습니다.");
    *written = true;
    QString reason = verifyCopy(part, *counts, detail);
    if (reason.isEmpty()) {
        const FarmFileCheck copy = checkFarmFile(part);
        if (!copy.ok) {
            *detail = copy.detail;
            reason = QStringLiteral("백업 파일에 농장 자료가 없습니다: ") + copy.reason;
        }
    }
    hold.exec(QStringLiteral("COMMIT"));
    return reason;
}

}  // namespace

QString backupDirOf(const QString& databaseFile)
{
    return QFileInfo(databaseFile).absolutePath() + QStringLiteral("/backup");
}

QString backupFileName(const QDateTime& at, const QString& label)
{
    const QString suffix = label.isEmpty() ? QString() : u'-' + label;
    return QStringLiteral("TARVIK-") + backupStamp(at) + suffix + QStringLiteral(".db");
}

QString checkFailedFileName(const QDateTime& at)
{
    return QStringLiteral("TARVIK-") + backupStamp(at) + QStringLiteral("-check-failed.db");
}

QString backupStamp(const QDateTime& at)
{
    return at.toString(kStampFormat);
}

bool parseCheckFailedFileName(const QString& name, QDateTime* at)
{
    static const QRegularExpression pattern(QStringLiteral("^TARVIK-(\\d{8}-\\d{6})-check-failed\\.db$"));
    const QRegularExpressionMatch m = pattern.match(name);
    if (!m.hasMatch()) return false;
    if (at) *at = QDateTime::fromString(m.captured(1), kStampFormat);
    return true;
}

bool hasAnyBackup(const QString& databaseFile)
{
    const QString dir = backupDirOf(databaseFile);
    const QStringList names = QDir(dir).entryList({QStringLiteral("TARVIK-*.db")}, QDir::Files);
    return std::any_of(names.begin(), names.end(),
                       [](const QString& n) { return parseBackupFileName(n) || parseCheckFailedFileName(n); });
}

bool missingWithBackups(const QString& databaseFile)
{
    const QFileInfo file(databaseFile);
    return !file.exists() && !file.isSymLink() && hasAnyBackup(databaseFile);
}

bool parseBackupFileName(const QString& name, QDateTime* at)
{
    static const QRegularExpression pattern(
        QStringLiteral("^TARVIK-(\\d{8}-\\d{6})(-%1)?\\.db$").arg(kImportBackupLabel));
    const QRegularExpressionMatch m = pattern.match(name);
    if (!m.hasMatch()) return false;
    const QDateTime t = QDateTime::fromString(m.captured(1), kStampFormat);
    if (!t.isValid()) return false;
    if (at) *at = t;
    return true;
}

QStringList backupsToRemove(const QStringList& names, int keep)
{
    QStringList backups;
    for (const QString& n : names)
        if (parseBackupFileName(n)) backups << n;
    // The stamp sorts like the time it names.
    backups.sort();
    backups.removeDuplicates();
    return backupsToRemoveInOrder(backups, keep);
}

QStringList backupsToRemoveInOrder(const QStringList& oldestFirst, int keep)
{
    QStringList backups;
    for (const QString& n : oldestFirst)
        if (parseBackupFileName(n) && !backups.contains(n)) backups << n;
    QMap<QString, QString> lastOfMonth;  // yyyyMM -> the last created name with that month
    for (const QString& n : backups) lastOfMonth[n.mid(7, 6)] = n;
    QStringList remove;
    // The last created copy is the newest state of the farm, whatever its stamp says.
    const qsizetype removable = std::min(backups.size() - std::max(keep, 0), backups.size() - 1);
    for (qsizetype i = 0; i < removable; ++i)
        if (lastOfMonth.value(backups[i].mid(7, 6)) != backups[i]) remove << backups[i];
    return remove;
}

QStringList backupNamesInCreationOrder(const QString& dir)
{
    std::vector<Dated> all;
    for (const QString& n : backupNamesIn(dir)) all.push_back({n, modificationTimeNs(dir + u'/' + n)});
    std::stable_sort(all.begin(), all.end(), [](const Dated& a, const Dated& b) {
        return a.mtimeNs != b.mtimeNs ? a.mtimeNs < b.mtimeNs : a.name < b.name;
    });
    QStringList names;
    for (const Dated& d : all) names << d.name;
    return names;
}

void removeBackupLeftovers(const QString& dir)
{
    // Only the program's own names: a folder of the farmer's choice may hold other .part files.
    const QStringList patterns{QStringLiteral("TARVIK-*.part"), QStringLiteral("TARVIK-*.part-journal"),
                               QStringLiteral("TARVIK-*.part-wal"), QStringLiteral("TARVIK-*.part-shm")};
    for (const QString& n : QDir(dir).entryList(patterns, QDir::Files | QDir::Hidden | QDir::System))
        QFile::remove(dir + u'/' + n);
}

void rotateBackupFolder(const QString& folder, int keep)
{
    for (const QString& old : backupsToRemoveInOrder(backupNamesInCreationOrder(folder), keep))
        QFile::remove(folder + u'/' + old);
}

void markCreatedLast(const QString& folder, const QString& file)
{
    const QStringList before = backupNamesInCreationOrder(folder);
    const qint64 newest = before.isEmpty() ? 0 : modificationTimeNs(folder + u'/' + before.last());
    if (modificationTimeNs(file) <= newest) setModificationTimeNs(file, newest + 1000000);
}

BackupResult writeBackup(const QString& databaseFile, const QDateTime& now, const QString& label)
{
    BackupResult r;
    if (!QFileInfo(databaseFile).isFile()) {
        r.error = QStringLiteral("데이터베이스 파일이 없습니다.");
        r.detail = databaseFile;
        return r;
    }
    const QString dir = backupDirOf(databaseFile);
    if (!makePrivateDir(dir)) {
        r.error = QStringLiteral("백업 폴더를 만들 수 없습니다.");
        r.detail = dir;
        return r;
    }
    const PrivateUmask privateFiles;
    removeBackupLeftovers(dir);
    // Never over an existing copy (nor a set-aside one): the next free second.
    QDateTime at = now;
    while (QFileInfo::exists(dir + u'/' + backupFileName(at)) ||
           QFileInfo::exists(dir + u'/' + backupFileName(at, kImportBackupLabel)) ||
           QFileInfo::exists(dir + u'/' + checkFailedFileName(at)))
        at = at.addSecs(1);
    const QString final = dir + u'/' + backupFileName(at, label);
    // Written under a name no reader takes for a backup until it has been checked.
    const QString part = final + QStringLiteral(".part");
    QFile::remove(part);
    if (!createPrivateFile(part)) {
        r.error = QStringLiteral("백업 파일을 만들 수 없습니다.");
        r.detail = part;
        return r;
    }
    bool written = false;
    QMap<QString, qint64> counts;
    r.error = copyAndVerify(databaseFile, part, &written, &r.detail, &counts);
    if (!r.error.isEmpty() && written) {
        // Kept for a look, under a name neither the rotation nor a restore takes for a backup.
        const QString failed = dir + u'/' + checkFailedFileName(at);
        if (QFile::rename(part, failed)) dropGroupAndOtherAccess(failed);
    }
    if (r.error.isEmpty()) {
        // Later than every copy before it, so the order of creation holds when the clock went back.
        markCreatedLast(dir, part);
        if (!QFile::rename(part, final)) {
            r.error = QStringLiteral("백업 파일의 이름을 바꿀 수 없습니다.");
            r.detail = final;
        }
    }
    if (!r.error.isEmpty()) {
        QFile::remove(part);
        removeBackupLeftovers(dir);
        return r;
    }
    syncFile(dir);
    r.ok = true;
    r.file = final;
    // Checked just now: the start and the backup list need not read it again.
    BackupCheck check;
    check.ok = true;
    check.animals = int(counts.value(QStringLiteral("개체관리"), -1));
    check.breedings = int(counts.value(QStringLiteral("번식기록"), -1));
    rememberBackupCheck(final, check);
    rotateBackupFolder(dir);
    return r;
}

QStringList backupsInCreationOrder(const QString& databaseFile)
{
    const QString dir = backupDirOf(databaseFile);
    QStringList paths;
    for (const QString& n : backupNamesInCreationOrder(dir)) paths << dir + u'/' + n;
    return paths;
}

QString newestBackup(const QString& databaseFile)
{
    const QStringList paths = backupsInCreationOrder(databaseFile);
    for (auto it = paths.crbegin(); it != paths.crend(); ++it)
        if (checkedBackup(*it).ok) return *it;
    return QString();
}

bool hasBackupOn(const QString& databaseFile, const QDate& day)
{
    const QString prefix = QStringLiteral("TARVIK-") + day.toString(QStringLiteral("yyyyMMdd")) + u'-';
    const QStringList names = backupNamesIn(backupDirOf(databaseFile));
    return std::any_of(names.begin(), names.end(), [&](const QString& n) { return n.startsWith(prefix); });
}

bool clockBehindNewestBackup(const QString& databaseFile, const QDateTime& now)
{
    const QStringList names = backupNamesIn(backupDirOf(databaseFile));
    return std::any_of(names.begin(), names.end(), [&](const QString& n) {
        QDateTime at;
        return parseBackupFileName(n, &at) && at > now;
    });
}

QString restoreCommandBeside(const QString& executableDir)
{
    if (QFileInfo(executableDir + QStringLiteral("/tarvik-restore")).isExecutable())
        return QStringLiteral("tarvik-restore");
    return QStringLiteral("scripts/restore.sh");
}
