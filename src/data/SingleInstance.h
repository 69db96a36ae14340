#pragma once
// Refuses a second running copy of the program for one program folder.
#include <QString>
#include <memory>

// The held start lock: an advisory lock on a file that only the farmer can write. The
// system drops it when the process ends, however it ends, so no lock ever outlives its copy.
class InstanceLock {
public:
    explicit InstanceLock(int fd, QString path) : m_fd(fd), m_path(std::move(path)) {}
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;
    QString path() const { return m_path; }

private:
    int m_fd;
    QString m_path;
};

// Where the lock of a program folder lives: <folder>/db/Tarvik.lock (the farmer's own 700
// folder), else the user's runtime folder under a name taken from the folder's canonical
// path, so a symlinked folder meets the same lock. Empty when neither can be used.
QString instanceLockPath(const QString& programFolder);

// Returns the held lock, or nullptr when another copy already runs. A lock file left by a
// copy that is gone, with garbage in it, or planted by another user never blocks a start;
// when no lock can be taken at all the start goes ahead.
std::unique_ptr<InstanceLock> acquireSingleInstance(const QString& programFolder);
