#pragma once
// Refuses a second running copy of the program for one program folder.
#include <QString>
#include <memory>

// The held start lock: an advisory lock on the farm's lock file. The system drops it when the
// process ends, however it ends, so no lock ever outlives its copy.
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
// The runtime folder's lock of a program folder; empty when the user has no runtime folder.
QString runtimeLockPath(const QString& programFolder);
QString runtimeLockPath(const QString& programFolder, const QString& runtimeFolder);

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

// Takes the start lock of a program folder. An existing lock file is never removed or
// replaced, whoever owns it: it is opened and locked, so every copy meets the same lock. When
// it cannot be used for another reason than a running copy (a folder in its place, no right to
// create it), the lock in the runtime folder is taken instead; without either no copy starts.
//
// A copy run by another user than the owner of the folder's db/ (root starting the farmer's
// folder) is refused: the backups, journals, settings and lock it would write would belong to
// that user and could lock the farmer out of the own records. Refusing at the door is simpler
// and surer than handing every file the program writes over to the owner.
StartLock acquireSingleInstance(const QString& programFolder);
// The same with the runtime folder given (tests: one that cannot be used).
StartLock acquireSingleInstance(const QString& programFolder, const QString& runtimeFolder);
