#pragma once
// A write cut off by a kill or a power cut leaves SQLite's rollback journal beside the file.
// The file is whole once the journal has been played back, but only a read-write opening may
// do that: a read-only one fails ("attempt to write a readonly database") and would make a
// whole farm look damaged. Every check of a file therefore first lets SQLite roll back what a
// journal beside it holds.
#include "data/SqliteReason.h"

#include <QString>

// True when a journal that is not empty lies beside `file` (<file>-journal or <file>-wal).
bool hasLeftoverJournal(const QString& file);

struct RollbackResult {
    enum class Outcome {
        Nothing,     // no journal beside the file
        RolledBack,  // SQLite played the journal back (or cleared one that held nothing to play)
        Failed,      // the journal is still there: the file cannot be written, or is busy
    };
    Outcome outcome = Outcome::Nothing;
    SqliteFailure failure = SqliteFailure::Other;  // when Failed
    QString detail;                                // the engine's words, when Failed
};

// Opens `file` read-write when a journal lies beside it and reads it, so that SQLite rolls an
// interrupted write back. The caller holds the farm's start lock (or owns a backup file), so
// no copy of this program is in the middle of that write; SQLite itself leaves alone a journal
// another program's open transaction still holds.
RollbackResult rollBackInterruptedWrite(const QString& file);
