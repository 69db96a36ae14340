#pragma once
// Refuses a second running copy of the program for one program folder.
#include <QString>
#include <memory>

// The held start lock: an advisory lock (flock) on the farm's folder itself (db/, or the program
// folder while it has none) and, where it can be used, on db/Tarvik.lock as well. The system
// drops both when the process ends, however it ends, so no lock ever outlives its copy.
class InstanceLock {
public:
    InstanceLock(int folderFd, int fileFd, QString path)
        : m_folderFd(folderFd), m_fileFd(fileFd), m_path(std::move(path))
    {
    }
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;
    // The lock file when one is held, else the locked folder.
    QString path() const { return m_path; }

private:
    int m_folderFd;
    int m_fileFd;
    QString m_path;
};

// The lock file of a program folder: <folder>/db/Tarvik.lock, through the folder's canonical
// path so that a symlinked folder meets the same lock.
QString instanceLockPath(const QString& programFolder);
// The folder whose own lock keeps a second copy out: <folder>/db, or the folder itself while it
// has no db/. It can always be locked, even read-only, so it depends on nothing in the
// environment (no runtime folder, no variable) and one folder has one lock for every user.
QString instanceLockFolder(const QString& programFolder);

struct StartLock {
    enum class Outcome {
        Taken,        // this copy holds the lock: go on
        AnotherCopy,  // a copy already runs on the folder: end silently
        Refused,      // no lock could be taken, or the folder is another user's: say why and end
    };
    Outcome outcome = Outcome::Refused;
    std::unique_ptr<InstanceLock> lock;  // set when Taken
    QString refusal;                     // the Korean text for the farmer when Refused
    explicit operator bool() const { return outcome == Outcome::Taken; }
};

// Takes the start lock of a program folder: the folder lock first, then the lock file. An
// existing lock file is never removed or replaced, whoever owns it: it is opened and locked, so
// every copy meets the same lock; when it cannot be used (a folder in its place, a read-only
// db/), the folder lock alone keeps a second copy out.
//
// A copy run by another user than the owner of the folder's db/ (root starting the farmer's
// folder) is refused: the backups, journals, settings and lock it would write would belong to
// that user and could lock the farmer out of the own records. Refusing at the door is simpler
// and surer than handing every file the program writes over to the owner.
StartLock acquireSingleInstance(const QString& programFolder);
