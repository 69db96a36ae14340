#pragma once
// The folders the start prepares before anything reads the records. It knows the backups: a
// missing database beside backups is lost records, not a first start.
#include "data/ProgramDir.h"

#include <QString>

// Makes the user's folders of the installed layout (data and config folders 700) and, on the first start,
// the database with its farm row (db/ 700, file 600); an existing database is kept. A missing
// database with backups in db/backup is no first start: nothing is created, the program asks
// the farmer which backup to restore. Nothing is created for a portable folder. In both layouts an
// existing db/ and database lose the access others were given, before anything reads them.
// Returns an empty text on success, else the error.
QString prepareProgramFolders(const ProgramFolders& folders);
