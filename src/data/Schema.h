#pragma once
// The database's tables, in the program's column order. The set-up tool and tests create
// them; the program itself only adds the optional tables an older file lacks, and never alters
// or drops a table.
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <vector>

struct ColumnDef {
    QString name;
    QString type;  // INTEGER, REAL or TEXT
    // A figure that may be unknown: null stands for "not given", never 0.
    bool nullable = false;
};

struct TableDef {
    QString name;
    std::vector<ColumnDef> columns;
    bool workTable = false;
    // Added after farms already existed: an older file or backup without it is still a farm,
    // and the program creates it when it opens the file.
    bool optional = false;
    // The table's indexes, created with it (also when the program adds it to an older file).
    QStringList indexes;
    // Rows the table starts with, inserted only in the transaction that creates it: a farmer who
    // deletes one never gets it back at the next start.
    QStringList startingRows;

    // The column names in the program's order.
    QStringList columnNames() const;
    // The column called `name`, or null.
    const ColumnDef* column(const QString& name) const;
};

const std::vector<TableDef>& schemaTables();
// The table called `name`. Statements are built from it, so a name the schema does not know is
// a mistake in the program: it throws std::invalid_argument.
const TableDef& tableDef(const QString& name);

// Creates every table, the unique keys and the single 농장정보 row in an empty database.
// Returns an empty text on success, else the error.
QString createSchema(QSqlDatabase db);

// Creates the optional tables a farm's `db` lacks; the rest, and a file without 농장정보, is left
// alone.
// Returns an empty text on success, else the error.
QString addMissingTables(QSqlDatabase db);

// Creates the database file with its schema when no file exists at path; an existing
// file is never touched. Returns an empty text on success (or when the file exists).
QString createDatabaseFileIfMissing(const QString& path);
