#pragma once
// What a farmer needs to get the records back without a terminal: what the start finds of the
// database, the backups with what each holds, and restoring one (copies elsewhere:
// backup/model/BackupCopies.h). No widget here; the recovery window (백업 및 복원) is built on these.
#include <QDateTime>
#include <QList>
#include <QString>

// What the start finds at the database's place.
enum class DatabaseState {
    Good,        // a farm (backup/model/FarmFileCheck.h): open it
    Missing,     // no file
    Empty,       // a file of 0 bytes, or a database without the program's tables
    Damaged,     // fails quick_check, or not a database at all (garbage header)
    NotAFarm,    // a database with tables but not the farm's (a column or the farm row missing)
    Unreadable,  // cannot be read (permissions, I/O error)
    Busy,        // another program holds the file locked: try again once it has let go
};
struct DatabaseAssessment {
    DatabaseState state = DatabaseState::Good;
    QString reason;  // Korean, for the window and the log ("" when Good)
    QString detail;  // the engine's or the system's own words, for the log only
    // A write cut off by a kill or a power cut was rolled back before the check (the journal
    // beside the file played back): the file is whole, the records as before that write.
    bool rolledBack = false;
    QString newestGoodBackup;  // full path, "" when no backup passes the farm check (not looked
                               // for when the database is Good: the start reads no backup then)
};
// What the start finds of the database. It holds the start lock: a journal an interrupted write
// left beside the file is rolled back first, as SQLite does on any read-write opening.
DatabaseAssessment assessDatabase(const QString& databaseFile);

// A restore replaces the database in two renames (the current file aside, the checked copy in
// its place); a kill between them leaves no database but both files. The start finishes it.
struct InterruptedRestore {
    enum class Outcome {
        None,      // nothing was interrupted (a leftover copy beside a database is only removed)
        Finished,  // the checked copy was put in place: the restore is complete
        PutBack,   // the copy was incomplete: the file set aside is the database again
        Failed,    // neither could be done; the files are left as they are
    };
    Outcome outcome = Outcome::None;
    QString text;    // Korean, for the farmer (Finished, PutBack, Failed)
    QString detail;  // for the log
};
// Looks for <database>.restoring, finishes or undoes the restore it belongs to, and removes
// what is left of one (a copy beside a database that is in place).
InterruptedRestore finishInterruptedRestore(const QString& databaseFile);
// The name of the copy a restore checks before it takes the database's place.
QString restoringFileOf(const QString& databaseFile);

// One backup as the recovery window lists it.
struct BackupInfo {
    QString file;    // full path
    QDateTime made;  // the time in its name
    qint64 bytes = 0;
    bool good = false;   // passes the farm check: the only kind restore takes
    QString check;       // "정상" or the Korean reason it fails
    int animals = -1;    // rows of 개체관리, -1 when the copy cannot be read
    int breedings = -1;  // rows of 번식기록, -1 when the copy cannot be read
};

// Every file in the backup folder: the backups (newest created first), then the copies set aside
// (…-check-failed.db), each with its check result and counts. A copy checked before and unchanged
// since is not read again unless `recheck` (backup/model/BackupChecks.h).
QList<BackupInfo> listBackups(const QString& databaseFile, bool recheck = false);
// How many backups the folder holds, by name alone (no file is read).
int backupCount(const QString& databaseFile);

struct RestoreResult {
    bool ok = false;
    QString setAside;  // where the replaced database now is ("" when there was none)
    QString error;     // Korean, when !ok
    QString detail;    // the system's own words, for the log and the details button
};
// Puts `backupFile` back as the database: refuses a copy that fails the farm check; copies it
// under a temporary name beside the database, checks the copy, sets the current database (and its
// journal) aside as db/TARVIK-before-restore-<yyyymmdd-hhmmss>.db (never removed by rotation) and
// renames the copy into place, mode 600. On any failure the current database stays as it was.
// The connection must be closed by the caller first.
RestoreResult restoreBackup(const QString& databaseFile, const QString& backupFile, const QDateTime& now);
