#include "backup/model/FileCopy.h"

#include <fcntl.h>
#include <unistd.h>
#include <QFile>
#include <cerrno>
#include <cstring>

QString systemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

QString writeErrorText(int error, QString* detail)
{
    *detail = systemError(error);
    if (error == ENOSPC || error == EFBIG || error == EDQUOT) return QStringLiteral("디스크에 남은 공간이 없습니다.");
    if (error == EROFS) return QStringLiteral("읽기 전용인 곳이어서 쓸 수 없습니다.");
    if (error == EACCES || error == EPERM) return QStringLiteral("폴더에 쓸 권한이 없습니다.");
    if (error == EIO) return QStringLiteral("저장 장치에 쓰는 중에 오류가 났습니다(장치가 빠졌거나 고장입니다).");
    return QStringLiteral("파일을 쓰지 못했습니다.");
}

// Copies `from` byte for byte into a new file `to` (600) and syncs it; "" on success, else the
// reason (the system's words in `detail`). A partial file is removed.
QString copyFileBytes(const QString& from, const QString& to, QString* detail)
{
    const int in = ::open(QFile::encodeName(from).constData(), O_RDONLY | O_CLOEXEC);
    if (in < 0) {
        *detail = systemError(errno);
        return QStringLiteral("백업 파일을 읽을 수 없습니다.");
    }
    const int out = ::open(QFile::encodeName(to).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (out < 0) {
        const int e = errno;
        ::close(in);
        return writeErrorText(e, detail);
    }
    QString error;
    char buffer[1 << 16];
    for (;;) {
        const ssize_t got = ::read(in, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            *detail = systemError(errno);
            error = QStringLiteral("백업 파일을 읽을 수 없습니다(저장 장치의 오류입니다).");
            break;
        }
        if (got == 0) break;
        ssize_t done = 0;
        while (done < got) {
            const ssize_t put = ::write(out, buffer + done, size_t(got - done));
            if (put < 0 && errno == EINTR) continue;
            if (put <= 0) {
                error = writeErrorText(put < 0 ? errno : ENOSPC, detail);
                break;
            }
            done += put;
        }
        if (!error.isEmpty()) break;
    }
    if (error.isEmpty() && ::fsync(out) != 0) error = writeErrorText(errno, detail);
    if (::close(out) != 0 && error.isEmpty()) error = writeErrorText(errno, detail);
    ::close(in);
    if (!error.isEmpty()) QFile::remove(to);
    return error;
}

bool sameFileBytes(const QString& a, const QString& b)
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
