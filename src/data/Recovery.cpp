#include "data/Recovery.h"

#include "data/ScopedConnection.h"

#include "data/Backup.h"
#include "data/FarmFileCheck.h"
#include "data/FileModes.h"
#include "data/ProgramDir.h"
#include "data/Schema.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QSettings>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {

const QString kStampFormat = QStringLiteral("yyyyMMdd-HHmmss");
const QString kSecondFolderKey = QStringLiteral("Backup/SecondFolder");
const QString kLastSecondCopyKey = QStringLiteral("Backup/LastSecondCopy");

QString systemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// SQLite's errors that mean the file could not be read, as against a file that reads as no
// database: permissions, I/O, busy or locked, cannot open.
bool isReadError(const QSqlError& e)
{
    bool ok = false;
    const int code = e.nativeErrorCode().toInt(&ok) & 0xff;
    return ok && (code == 3 || code == 5 || code == 6 || code == 10 || code == 14 || code == 23);
}

DatabaseAssessment assessed(DatabaseState state, const QString& reason)
{
    DatabaseAssessment a;
    a.state = state;
    a.reason = reason;
    return a;
}

// The state of a file without the backups.
DatabaseAssessment assessFile(const QString& file)
{
    const QByteArray path = QFile::encodeName(file);
    struct stat st {};
    if (::stat(path.constData(), &st) != 0) {
        if (errno == ENOENT) return assessed(DatabaseState::Missing, QStringLiteral("데이터베이스 파일이 없습니다."));
        return assessed(DatabaseState::Unreadable,
                        QStringLiteral("데이터베이스 파일을 읽을 수 없습니다: ") + systemError(errno));
    }
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
                        QStringLiteral("데이터베이스 파일을 읽을 수 없습니다: ") + systemError(errno));
    if (got == 0) return assessed(DatabaseState::Empty, QStringLiteral("데이터베이스 파일이 비어 있습니다(0바이트)."));
    if (got < 100 || std::memcmp(header, "SQLite format 3", 16) != 0)
        return assessed(
            DatabaseState::Damaged,
            QStringLiteral("데이터베이스 파일이 손상되었습니다: 데이터베이스 파일의 머리 부분이 맞지 않습니다."));

    ScopedConnection c(file, QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=3000"));
    if (!c.isOpen())
        return assessed(isReadError(c.error()) ? DatabaseState::Unreadable : DatabaseState::Damaged,
                        QStringLiteral("데이터베이스 파일을 열 수 없습니다: ") + c.error().text());
    QSqlQuery q(c.db());
    if (!q.exec(QStringLiteral("PRAGMA quick_check")) || !q.next()) {
        const bool unreadable = isReadError(q.lastError());
        return assessed(unreadable ? DatabaseState::Unreadable : DatabaseState::Damaged,
                        (unreadable ? QStringLiteral("데이터베이스 파일을 읽을 수 없습니다: ")
                                    : QStringLiteral("데이터베이스 파일이 손상되었습니다: ")) +
                            q.lastError().text());
    }
    const QString check = q.value(0).toString();
    if (check != QLatin1String("ok"))
        return assessed(DatabaseState::Damaged, QStringLiteral("데이터베이스 파일이 손상되었습니다: ") + check);
    q.finish();
    if (!q.exec(QStringLiteral("select name from sqlite_master where type = 'table'")))
        return assessed(DatabaseState::Damaged,
                        QStringLiteral("데이터베이스 파일이 손상되었습니다: ") + q.lastError().text());
    QSet<QString> tables;
    while (q.next()) tables.insert(q.value(0).toString());
    const auto& schema = schemaTables();
    const bool anyOfOurs =
        std::any_of(schema.begin(), schema.end(), [&](const TableDef& t) { return tables.contains(t.name); });
    if (!anyOfOurs)
        return assessed(DatabaseState::Empty, QStringLiteral("데이터베이스 파일에 농장 기록의 표가 하나도 없습니다."));
    q.finish();
    const FarmFileCheck farm = checkFarmFile(file);
    if (!farm.ok)
        return assessed(DatabaseState::NotAFarm, QStringLiteral("농장 기록의 데이터베이스가 아닙니다: ") + farm.reason);
    return assessed(DatabaseState::Good, QString());
}

bool isCheckFailedName(const QString& name, QDateTime* at)
{
    static const QRegularExpression pattern(QStringLiteral("^TARVIK-(\\d{8}-\\d{6})-check-failed\\.db$"));
    const QRegularExpressionMatch m = pattern.match(name);
    if (!m.hasMatch()) return false;
    if (at) *at = QDateTime::fromString(m.captured(1), kStampFormat);
    return true;
}

qint64 mtimeNsOf(const QString& path)
{
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0) return 0;
    return qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
}

// Rows of a table in a copy, -1 when they cannot be read.
int rowsOf(QSqlDatabase db, const QString& table)
{
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("select count(*) from \"") + table + u'"') || !q.next()) return -1;
    return q.value(0).toInt();
}

BackupInfo infoOf(const QString& file, const QDateTime& made)
{
    BackupInfo b;
    b.file = file;
    b.made = made;
    b.bytes = QFileInfo(file).size();
    const FarmFileCheck check = checkFarmFile(file);
    b.good = check.ok;
    b.check = check.ok ? QStringLiteral("정상") : check.reason;
    // An empty file would open as an empty database; it holds nothing to count.
    if (b.bytes > 0) {
        ScopedConnection c(file, QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=3000"));
        if (c.isOpen()) {
            b.animals = rowsOf(c.db(), QStringLiteral("개체관리"));
            b.breedings = rowsOf(c.db(), QStringLiteral("번식기록"));
        }
    }
    return b;
}

QString writeErrorText(int error)
{
    if (error == ENOSPC || error == EFBIG || error == EDQUOT)
        return QStringLiteral("디스크에 남은 공간이 없습니다: ") + systemError(error);
    if (error == EROFS || error == EACCES || error == EPERM)
        return QStringLiteral("폴더에 쓸 수 없습니다(읽기 전용이거나 권한이 없습니다): ") + systemError(error);
    return QStringLiteral("파일을 쓰지 못했습니다: ") + systemError(error);
}

// Copies `from` byte for byte into a new file `to` (600) and syncs it; "" on success, else the
// reason. A partial file is removed.
QString copyBytes(const QString& from, const QString& to)
{
    const int in = ::open(QFile::encodeName(from).constData(), O_RDONLY | O_CLOEXEC);
    if (in < 0) return QStringLiteral("백업 파일을 읽을 수 없습니다: ") + systemError(errno);
    const int out = ::open(QFile::encodeName(to).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (out < 0) {
        const int e = errno;
        ::close(in);
        return writeErrorText(e);
    }
    QString error;
    char buffer[1 << 16];
    for (;;) {
        const ssize_t got = ::read(in, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            error = QStringLiteral("백업 파일을 읽을 수 없습니다: ") + systemError(errno);
            break;
        }
        if (got == 0) break;
        ssize_t done = 0;
        while (done < got) {
            const ssize_t put = ::write(out, buffer + done, size_t(got - done));
            if (put < 0 && errno == EINTR) continue;
            if (put <= 0) {
                error = writeErrorText(put < 0 ? errno : ENOSPC);
                break;
            }
            done += put;
        }
        if (!error.isEmpty()) break;
    }
    if (error.isEmpty() && ::fsync(out) != 0) error = writeErrorText(errno);
    if (::close(out) != 0 && error.isEmpty()) error = writeErrorText(errno);
    ::close(in);
    if (!error.isEmpty()) QFile::remove(to);
    return error;
}

bool sameBytes(const QString& a, const QString& b)
{
    QFile fa(a);
    QFile fb(b);
    if (!fa.open(QIODevice::ReadOnly) || !fb.open(QIODevice::ReadOnly) || fa.size() != fb.size()) return false;
    while (!fa.atEnd()) {
        if (fa.read(1 << 16) != fb.read(1 << 16)) return false;
    }
    return true;
}

// Copies into `folder` under the backup's own name: a temporary name first, the check, then the
// rename. `createdLast` gives the copy a modification time after every backup in the folder, so
// the rotation there sees it as the newest.
CopyResult copyChecked(const QString& backupFile, const QString& folder, bool createdLast)
{
    CopyResult r;
    const QFileInfo source(backupFile);
    if (!source.isFile()) {
        r.error = QStringLiteral("백업 파일이 없습니다: ") + backupFile;
        return r;
    }
    if (!QFileInfo(folder).isDir()) {
        r.error = QStringLiteral("폴더가 없습니다: ") + folder;
        return r;
    }
    const QString target = QDir(folder).absoluteFilePath(source.fileName());
    if (QFileInfo(target).exists() && QFileInfo(target).canonicalFilePath() == source.canonicalFilePath()) {
        r.ok = true;  // already there: the backup itself
        r.file = target;
        return r;
    }
    const QString part = target + QStringLiteral(".part");
    QFile::remove(part);
    r.error = copyBytes(backupFile, part);
    if (r.error.isEmpty() && !sameBytes(backupFile, part))
        r.error = QStringLiteral("복사한 파일이 백업 파일과 다릅니다.");
    if (r.error.isEmpty() && checkFarmFile(backupFile).ok) {
        const FarmFileCheck check = checkFarmFile(part);
        if (!check.ok) r.error = QStringLiteral("복사한 파일의 검사에서 오류가 나왔습니다: ") + check.reason;
    }
    if (r.error.isEmpty()) {
        if (createdLast) markCreatedLast(folder, part);
        if (::rename(QFile::encodeName(part).constData(), QFile::encodeName(target).constData()) != 0)
            r.error = QStringLiteral("복사한 파일의 이름을 바꿀 수 없습니다: ") + systemError(errno);
    }
    if (!r.error.isEmpty()) {
        QFile::remove(part);
        return r;
    }
    syncFile(folder);
    r.ok = true;
    r.file = target;
    return r;
}

bool renamePath(const QString& from, const QString& to)
{
    return ::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

}  // namespace

DatabaseAssessment assessDatabase(const QString& databaseFile)
{
    DatabaseAssessment a = assessFile(databaseFile);
    a.newestGoodBackup = newestBackup(databaseFile);
    return a;
}

bool hasAnyBackup(const QString& databaseFile)
{
    const QString dir = backupDirOf(databaseFile);
    const QStringList names = QDir(dir).entryList({QStringLiteral("TARVIK-*.db")}, QDir::Files);
    return std::any_of(names.begin(), names.end(),
                       [](const QString& n) { return parseBackupFileName(n) || isCheckFailedName(n, nullptr); });
}

bool missingWithBackups(const QString& databaseFile)
{
    const QFileInfo file(databaseFile);
    return !file.exists() && !file.isSymLink() && hasAnyBackup(databaseFile);
}

QList<BackupInfo> listBackups(const QString& databaseFile)
{
    QList<BackupInfo> list;
    const QString dir = backupDirOf(databaseFile);
    const QStringList backups = backupNamesInCreationOrder(dir);
    for (auto it = backups.crbegin(); it != backups.crend(); ++it) {
        QDateTime made;
        parseBackupFileName(*it, &made);
        list << infoOf(dir + u'/' + *it, made);
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
        if (isCheckFailedName(n, &made)) aside.push_back({n, made, mtimeNsOf(dir + u'/' + n)});
    }
    std::sort(aside.begin(), aside.end(),
              [](const Aside& a, const Aside& b) { return a.mtime != b.mtime ? a.mtime > b.mtime : a.name > b.name; });
    for (const Aside& a : aside) list << infoOf(dir + u'/' + a.name, a.made);
    return list;
}

RestoreResult restoreBackup(const QString& databaseFile, const QString& backupFile, const QDateTime& now)
{
    RestoreResult r;
    const FarmFileCheck check = checkFarmFile(backupFile);
    if (!check.ok) {
        r.error = QStringLiteral("이 백업은 복원할 수 없습니다: ") + check.reason;
        return r;
    }
    if (!prepareDatabaseFolder(databaseFile)) {
        r.error = QStringLiteral("데이터베이스 폴더를 만들 수 없습니다: ") + QFileInfo(databaseFile).absolutePath();
        return r;
    }
    const QString dir = QFileInfo(databaseFile).absolutePath();
    // Checked under a name the program never opens before it takes the place.
    const QString incoming = databaseFile + QStringLiteral(".restoring");
    QFile::remove(incoming);
    r.error = copyBytes(backupFile, incoming);
    if (r.error.isEmpty()) {
        const FarmFileCheck copy = checkFarmFile(incoming);
        if (!copy.ok || !sameBytes(backupFile, incoming))
            r.error =
                QStringLiteral("복사한 백업 파일의 검사에서 오류가 나왔습니다(디스크 공간이 부족한지 확인하십시오): ") +
                copy.reason;
    }
    if (!r.error.isEmpty()) {
        QFile::remove(incoming);
        return r;
    }

    // The current file with its journals goes aside whole; a journal left beside the restored
    // file would be played into it.
    QStringList present;
    for (const QString& suffix :
         QStringList{QString(), QStringLiteral("-journal"), QStringLiteral("-wal"), QStringLiteral("-shm")})
        if (QFileInfo::exists(databaseFile + suffix) || QFileInfo(databaseFile + suffix).isSymLink()) present << suffix;
    QString aside;
    if (!present.isEmpty()) {
        const QString stamp = now.toString(kStampFormat);
        aside = dir + QStringLiteral("/TARVIK-before-restore-") + stamp + QStringLiteral(".db");
        for (int n = 1; QFileInfo::exists(aside) || QFileInfo::exists(aside + QStringLiteral("-journal")) ||
                        QFileInfo::exists(aside + QStringLiteral("-wal"));
             ++n)
            aside = dir + QStringLiteral("/TARVIK-before-restore-") + stamp + u'-' + QString::number(n) +
                    QStringLiteral(".db");
        QStringList moved;
        for (const QString& suffix : present) {
            if (!renamePath(databaseFile + suffix, aside + suffix)) {
                const int e = errno;
                for (const QString& back : moved) renamePath(aside + back, databaseFile + back);
                QFile::remove(incoming);
                r.error = QStringLiteral("지금의 데이터베이스 파일을 옮겨 둘 수 없습니다: ") + systemError(e);
                return r;
            }
            moved << suffix;
        }
    }
    if (!renamePath(incoming, databaseFile)) {
        const int e = errno;
        for (const QString& suffix : present) renamePath(aside + suffix, databaseFile + suffix);
        QFile::remove(incoming);
        r.error = QStringLiteral("복원한 파일을 제자리에 놓을 수 없습니다: ") + systemError(e);
        return r;
    }
    ::chmod(QFile::encodeName(databaseFile).constData(), 0600);
    restrictDatabaseAccess(databaseFile);
    syncFile(dir);
    r.ok = true;
    if (present.contains(QString())) r.setAside = aside;
    return r;
}

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
        return r;
    }
    const FarmFileCheck check = checkFarmFile(backupFile);
    if (!check.ok) {
        r.status = SecondCopyResult::Status::Failed;
        r.error =
            QStringLiteral("백업 파일에 농장 자료가 없어 두 번째 백업 폴더로 복사하지 않았습니다: ") + check.reason;
        return r;
    }
    removeBackupLeftovers(folder);
    const CopyResult copy = copyChecked(backupFile, folder, true);
    if (!copy.ok) {
        r.status = SecondCopyResult::Status::Failed;
        r.error = QStringLiteral("두 번째 백업 폴더로 복사하지 못했습니다: ") + copy.error;
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
