#pragma once
// Checks of what a farmer meets with a file the permissions keep from them. Root reads and
// writes any file whatever its mode, so when the tests run as root (CI, a fresh machine) such a
// check runs in a child process that has dropped to the user nobody; otherwise it runs here.
#include <grp.h>
#include <pwd.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>
#include "data/ProgramDir.h"
#include "support/TestFarm.h"

#include <QByteArray>
#include <QDirIterator>
#include <QFile>
#include <QString>
#include <functional>

namespace unprivileged {
inline void chownTree(const QString& tree, uid_t uid, gid_t gid)
{
    (void)::lchown(QFile::encodeName(tree).constData(), uid, gid);
    for (QDirIterator it(tree, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                         QDirIterator::Subdirectories);
         it.hasNext();)
        (void)::lchown(QFile::encodeName(it.next()).constData(), uid, gid);
}
}  // namespace unprivileged

// Runs `check` without root's privileges and returns what it returned. As root, the folder
// `tree` and everything in it are lent to nobody for the check (their owner is put back after
// it, the files the check made included); a child that cannot drop its privileges or ends
// without an answer returns a text that says so, which no check's answer equals.
inline QByteArray runUnprivileged(const QString& tree, const std::function<QByteArray()>& check)
{
    using unprivileged::chownTree;
    if (::geteuid() != 0) return check();
    const passwd* nobody = ::getpwnam("nobody");
    if (!nobody) return "no user nobody on this machine";
    const uid_t uid = nobody->pw_uid;
    const gid_t gid = nobody->pw_gid;
    int pipeFds[2];
    if (::pipe(pipeFds) != 0) return "no pipe to the child";
    chownTree(tree, uid, gid);
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeFds[0]);
        if (::setgroups(0, nullptr) != 0 || ::setgid(gid) != 0 || ::setuid(uid) != 0 || ::geteuid() == 0) ::_exit(3);
        const QByteArray answer = check();
        for (qsizetype done = 0; done < answer.size();) {
            const ssize_t n = ::write(pipeFds[1], answer.constData() + done, size_t(answer.size() - done));
            if (n <= 0) ::_exit(4);
            done += n;
        }
        ::_exit(0);  // nothing of the test program's own (its tests, its exit handlers) runs here
    }
    ::close(pipeFds[1]);
    QByteArray answer;
    char buf[4096];
    for (ssize_t n; (n = ::read(pipeFds[0], buf, sizeof buf)) != 0;) {
        if (n < 0) break;
        answer.append(buf, n);
    }
    ::close(pipeFds[0]);
    int status = 0;
    const bool waited = child > 0 && ::waitpid(child, &status, 0) == child;
    chownTree(tree, ::geteuid(), ::getegid());
    if (child < 0) return "no child process";
    if (!waited || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return "the unprivileged child ended with status " + QByteArray::number(status);
    return answer;
}

// A farm from before `table` existed, opened read-only by a user who may not write it: `check`
// runs on it (opening it itself) and its answer comes back; `written` tells whether the file
// changed, as a check run with root's rights would change it by adding the table.
inline QByteArray onReadOnlyOlderFarm(TestFarm& farm, const QString& table, const std::function<QByteArray()>& check,
                                      bool* written)
{
    farm.exec(QStringLiteral("drop table ") + table);
    farm.close();
    QFile file(databaseFilePath());
    const QFile::Permissions before = file.permissions();
    const QByteArray bytesBefore = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    file.close();
    file.setPermissions(QFile::ReadOwner);
    const QByteArray seen = runUnprivileged(farm.dir(), check);
    file.setPermissions(before);
    *written = !file.open(QIODevice::ReadOnly) || file.readAll() != bytesBefore;
    return seen;
}
