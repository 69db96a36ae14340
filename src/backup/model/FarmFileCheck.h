#pragma once
// Whether a file holds a farm the program can work on: it opens read-only, passes SQLite's
// quick_check, has every table of the schema (Schema.h) with every column and the farm's row.
// An empty file passes quick_check, and so does any other SQLite database; neither is a farm,
// so neither may count as a backup or be offered for a restore. A journal left beside the file
// by an interrupted write is rolled back first (backup/model/InterruptedWrite.h).
#include "data/SqliteReason.h"

#include <QString>

struct FarmFileCheck {
    bool ok = false;
    QString reason;  // why the file is no farm, in Korean; "" when ok
    QString detail;  // the engine's own words, for the log; "" when there are none
    // The file could not be read (busy, read-only with a journal to roll back, I/O): it says
    // nothing about what the file holds.
    bool accessFailure = false;
    bool busy = false;        // of those, held by another program: worth trying again
    bool rolledBack = false;  // a journal of an interrupted write was played back first
};

FarmFileCheck checkFarmFile(const QString& file);
