#include "data/FileModes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
// The program's own layout: <program folder>/db/TARVIK.db.
bool isProgramDbFolder(const QString& dir)
{
    return QFileInfo(dir).fileName() == QLatin1String("db");
}
}  // namespace

bool dropGroupAndOtherAccess(const QString& path)
{
    const QByteArray p = QFile::encodeName(path);
    struct stat st {};
    // A symlink is not ours to change: its target may be anything.
    if (::lstat(p.constData(), &st) != 0 || S_ISLNK(st.st_mode)) return false;
    if ((st.st_mode & 077) == 0) return true;
    if (S_ISDIR(st.st_mode) && (st.st_mode & S_ISVTX)) return false;  // /tmp and the like
    return ::chmod(p.constData(), st.st_mode & 07700) == 0;
}

bool makePrivateDir(const QString& dir)
{
    QDir().mkpath(dir);
    if (!QFileInfo(dir).isDir()) return false;
    dropGroupAndOtherAccess(dir);
    return true;
}

bool prepareDatabaseFolder(const QString& databaseFile)
{
    const QString dir = QFileInfo(databaseFile).absolutePath();
    if (!QFileInfo::exists(dir) || isProgramDbFolder(dir)) return makePrivateDir(dir);
    return QFileInfo(dir).isDir();
}

bool createPrivateFile(const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    ::close(fd);
    return true;
}

void restrictDatabaseAccess(const QString& databaseFile)
{
    const QString dir = QFileInfo(databaseFile).absolutePath();
    if (isProgramDbFolder(dir)) dropGroupAndOtherAccess(dir);
    for (const char* suffix : {"", "-journal", "-wal", "-shm"}) {
        const QString f = databaseFile + QLatin1String(suffix);
        if (QFileInfo::exists(f)) dropGroupAndOtherAccess(f);
    }
}

bool syncFile(const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

qint64 modificationTimeNs(const QString& path)
{
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0) return 0;
    return qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
}

bool setModificationTimeNs(const QString& path, qint64 ns)
{
    const struct timespec times[2] = {{0, UTIME_OMIT}, {time_t(ns / 1000000000), long(ns % 1000000000)}};
    return ::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0) == 0;
}
