#pragma once
// The herd records (and the owner's resident registration number) are the farmer's alone:
// the db folder is 700, the database, its journals and its backups 600.
#include <QString>

// Creates `dir` with its parents when missing and takes group and other access from it.
// False when it is no folder afterwards.
bool makePrivateDir(const QString& dir);
// The folder of a database file about to be created: created when missing (then 700). An
// existing folder becomes 700 only when it is a program folder's db folder; any other (a
// database written into /tmp by a tool, say) is shared and left as it is.
bool prepareDatabaseFolder(const QString& databaseFile);
// Creates an empty file readable by its owner only when nothing exists at `path`.
bool createPrivateFile(const QString& path);
// Takes group and other access from the database file and its journals (-journal, -wal,
// -shm) where they have any, and from its folder when that is a program folder's db folder.
void restrictDatabaseAccess(const QString& databaseFile);
// Takes group and other access from one file or folder (never from a symlink or a shared
// sticky folder); true when it has none afterwards.
bool dropGroupAndOtherAccess(const QString& path);

// A file's modification time in nanoseconds (the order backups were made in); 0 when it cannot
// be read.
qint64 modificationTimeNs(const QString& path);
// Sets it (the access time stays); false when it cannot be set.
bool setModificationTimeNs(const QString& path, qint64 ns);

// Flushes a file (or a folder, so a rename in it is on disk) to the disk; false when it cannot.
bool syncFile(const QString& path);
