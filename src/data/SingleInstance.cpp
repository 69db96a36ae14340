#include "data/SingleInstance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <cerrno>

namespace {

QString canonicalFolder(const QString& folder)
{
    const QString c = QFileInfo(folder).canonicalFilePath();
    return c.isEmpty() ? QDir(folder).absolutePath() : c;
}

// Opens the lock file as our own regular file. Anything else at that name (another user's
// file, a symlink, a folder) is moved out of the way once and the file made afresh.
int openOwnLockFile(const QByteArray& path)
{
    for (int attempt = 0; attempt < 2; ++attempt) {
        const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd >= 0) {
            struct stat st {};
            if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == ::geteuid()) return fd;
            ::close(fd);
        }
        if (::unlink(path.constData()) != 0 && errno != ENOENT) ::rmdir(path.constData());
    }
    return -1;
}

}  // namespace

InstanceLock::~InstanceLock()
{
    if (m_fd >= 0) ::close(m_fd);  // closing drops the lock; the file stays for the next start
}

QString instanceLockPath(const QString& programFolder)
{
    const QString folder = canonicalFolder(programFolder);
    if (QFileInfo(folder + QStringLiteral("/db")).isDir()) return folder + QStringLiteral("/db/Tarvik.lock");
    // Qt hands out the runtime folder only when it is the user's own and mode 700.
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (runtime.isEmpty()) return QString();
    const QByteArray hash = QCryptographicHash::hash(folder.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    return runtime + QStringLiteral("/tarvik-") + QString::fromLatin1(hash) + QStringLiteral(".lock");
}

std::unique_ptr<InstanceLock> acquireSingleInstance(const QString& programFolder)
{
    const QString path = instanceLockPath(programFolder);
    const int fd = path.isEmpty() ? -1 : openOwnLockFile(QFile::encodeName(path));
    // No place for a lock must not keep the farmer from the records: start unguarded.
    if (fd < 0) return std::make_unique<InstanceLock>(-1, path);
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const bool held = errno == EWOULDBLOCK;
        ::close(fd);
        if (held) return nullptr;
        return std::make_unique<InstanceLock>(-1, path);
    }
    // The holder's process number, for a person looking at the file; the lock itself is flock.
    const QByteArray pid = QByteArray::number(qint64(::getpid())) + '\n';
    if (::ftruncate(fd, 0) == 0) [[maybe_unused]]
        const auto written = ::write(fd, pid.constData(), size_t(pid.size()));
    return std::make_unique<InstanceLock>(fd, path);
}
