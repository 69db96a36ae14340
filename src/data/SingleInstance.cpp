#include "data/SingleInstance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>

namespace {

QString canonicalFolder(const QString& folder)
{
    const QString c = QFileInfo(folder).canonicalFilePath();
    return c.isEmpty() ? QDir(folder).absolutePath() : c;
}

enum class Taken { Yes, Held, Unusable };

// Opens the lock file, or makes it when nothing is there, and locks it. Whatever is at that
// name stays: another copy (of root or of the farmer) may hold it, and a lock removed under a
// running copy lets a second one in. A symlink, a folder or a pipe in its place makes it
// unusable; a pipe must not hang the start, hence O_NONBLOCK.
Taken lockFile(const QString& path, int* fdOut)
{
    const QByteArray p = QFile::encodeName(path);
    const int flags = O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK;
    int fd = ::open(p.constData(), O_RDWR | O_CREAT | flags, 0600);
    // A lock file that is someone else's can still be locked through a read-only opening.
    if (fd < 0 && errno == EACCES) fd = ::open(p.constData(), O_RDONLY | flags);
    if (fd < 0) return Taken::Unusable;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return Taken::Unusable;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const bool held = errno == EWOULDBLOCK;
        ::close(fd);
        return held ? Taken::Held : Taken::Unusable;
    }
    *fdOut = fd;
    return Taken::Yes;
}

// The owner of the folder's records: db/ when there is one, else the folder itself.
bool ownerOf(const QString& folder, uid_t* owner)
{
    struct stat st {};
    if (::stat(QFile::encodeName(folder + QStringLiteral("/db")).constData(), &st) == 0 ||
        ::stat(QFile::encodeName(folder).constData(), &st) == 0) {
        *owner = st.st_uid;
        return true;
    }
    return false;
}

StartLock refused(const QString& text)
{
    StartLock r;
    r.outcome = StartLock::Outcome::Refused;
    r.refusal = text;
    return r;
}

}  // namespace

InstanceLock::~InstanceLock()
{
    // Closing drops the locks; the file stays for the next start.
    if (m_fileFd >= 0) ::close(m_fileFd);
    if (m_folderFd >= 0) ::close(m_folderFd);
}

QString instanceLockPath(const QString& programFolder)
{
    return canonicalFolder(programFolder) + QStringLiteral("/db/Tarvik.lock");
}

QString instanceLockFolder(const QString& programFolder)
{
    const QString folder = canonicalFolder(programFolder);
    const QString db = folder + QStringLiteral("/db");
    return QFileInfo(db).isDir() ? db : folder;
}

StartLock acquireSingleInstance(const QString& programFolder)
{
    const QString folder = canonicalFolder(programFolder);
    uid_t owner = 0;
    if (ownerOf(folder, &owner) && owner != ::geteuid())
        return refused(QStringLiteral("이 농장 폴더는 다른 사용자의 것이어서 프로그램을 시작하지 않습니다.\r\n\r\n") +
                       folder + QStringLiteral("\r\n\r\n폴더의 주인인 사용자로 프로그램을 실행해 주십시오."));

    // The folder's own lock: a folder opens read-only whatever its mode allows us to write.
    const QString lockFolder = instanceLockFolder(folder);
    const int folderFd = ::open(QFile::encodeName(lockFolder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd < 0)
        return refused(QStringLiteral("이 농장 폴더를 잠글 수 없어 프로그램을 시작하지 않습니다.\r\n\r\n") + folder +
                       QStringLiteral("\r\n\r\n폴더의 권한을 확인해 주십시오."));
    StartLock r;
    if (::flock(folderFd, LOCK_EX | LOCK_NB) != 0) {
        const bool held = errno == EWOULDBLOCK;
        ::close(folderFd);
        if (held) {
            r.outcome = StartLock::Outcome::AnotherCopy;
            return r;
        }
        return refused(QStringLiteral("이 농장 폴더를 잠글 수 없어 프로그램을 시작하지 않습니다.\r\n\r\n") + folder +
                       QStringLiteral("\r\n\r\n폴더의 권한을 확인해 주십시오."));
    }
    // The lock file as well, where it can be used: a copy holding only that one still counts.
    int fileFd = -1;
    QString path = lockFolder;
    if (lockFolder.endsWith(QStringLiteral("/db"))) {
        const Taken taken = lockFile(instanceLockPath(folder), &fileFd);
        if (taken == Taken::Held) {
            ::close(folderFd);
            r.outcome = StartLock::Outcome::AnotherCopy;
            return r;
        }
        if (taken == Taken::Yes) {
            path = instanceLockPath(folder);
            // The holder's process number, for a person looking at the file; the lock itself is flock.
            const QByteArray pid = QByteArray::number(qint64(::getpid())) + '\n';
            if (::ftruncate(fileFd, 0) == 0) [[maybe_unused]]
                const auto written = ::write(fileFd, pid.constData(), size_t(pid.size()));
        }
    }
    r.outcome = StartLock::Outcome::Taken;
    r.lock = std::make_unique<InstanceLock>(folderFd, fileFd, path);
    return r;
}
