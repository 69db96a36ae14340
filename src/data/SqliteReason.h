#pragma once
// What an SQLite failure on opening or reading a file means for the farmer, in Korean. The
// engine's own English words never reach a message: they go to the log beside the database.
#include <QSqlError>
#include <QString>

enum class SqliteFailure {
    Busy,      // another program holds the file locked
    ReadOnly,  // the file or its folder cannot be written (a hot journal cannot be rolled back)
    Io,        // the disk failed to read or write
    NoSpace,   // the disk is full
    CannotOpen,
    NotADatabase,  // the header is no SQLite header
    Corrupt,       // the file's structure is broken
    Other,
};

SqliteFailure sqliteFailureOf(const QSqlError& e);
// True for failures that say nothing about the file's contents (it could not be read, or is
// held by another program): such a file is not damaged.
bool isAccessFailure(SqliteFailure f);
// One Korean sentence (ending in a full stop) for the failure.
QString sqliteFailureText(SqliteFailure f);
// The engine's words with its code, for the log and a message's details.
QString sqliteTechnicalText(const QSqlError& e);
