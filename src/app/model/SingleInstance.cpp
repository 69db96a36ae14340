#include "app/model/SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>

std::unique_ptr<QLockFile> acquireSingleInstance(const QString& programFolder)
{
    // The lock lives in the temp folder, so a read-only program folder still works.
    const QByteArray hash =
        QCryptographicHash::hash(QDir(programFolder).absolutePath().toUtf8(), QCryptographicHash::Sha1)
            .toHex()
            .left(16);
    auto lock = std::make_unique<QLockFile>(QDir::tempPath() + QStringLiteral("/tarvik-") + QString::fromLatin1(hash) +
                                            QStringLiteral(".lock"));
    lock->setStaleLockTime(0);  // a dead copy's lock (its process is gone) is taken over
    if (!lock->tryLock(0)) return nullptr;
    return lock;
}
