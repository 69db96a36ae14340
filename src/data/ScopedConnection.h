#pragma once
// A connection of its own to one database file for the length of a scope (checks, backups,
// set-up): opened when made, closed and removed when it goes, so no connection name outlives
// it. The program's shared connection is Db.h's.
#include <QSqlDatabase>
#include <QSqlError>
#include <QString>

class ScopedConnection {
public:
    // `options` are QSQLITE connect options, e.g. "QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=3000".
    ScopedConnection(const QString& file, const QString& options = QString());
    ~ScopedConnection();
    ScopedConnection(const ScopedConnection&) = delete;
    ScopedConnection& operator=(const ScopedConnection&) = delete;

    bool isOpen() const { return m_open; }
    QSqlError error() const { return m_error; }  // why it did not open
    QSqlDatabase db() const { return QSqlDatabase::database(m_name, false); }

private:
    QString m_name;
    bool m_open = false;
    QSqlError m_error;
};
