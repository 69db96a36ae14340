#pragma once
// Whether a file holds a farm the program can work on: it opens read-only, passes SQLite's
// quick_check, has every table of the schema (Schema.h) with every column and the farm's row.
// An empty file passes quick_check, and so does any other SQLite database; neither is a farm,
// so neither may count as a backup or be offered for a restore.
#include <QString>

struct FarmFileCheck {
    bool ok = false;
    QString reason;  // why the file is no farm, in Korean; "" when ok
};

FarmFileCheck checkFarmFile(const QString& file);
