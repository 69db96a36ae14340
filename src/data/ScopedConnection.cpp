#include "data/ScopedConnection.h"

#include <QSqlQuery>
#include <QUuid>

ScopedConnection::ScopedConnection(const QString& file, const QString& options)
    : m_name(QStringLiteral("scoped-") + QUuid::createUuid().toString())
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
    db.setDatabaseName(file);
    db.setConnectOptions(options);
    m_open = db.open();
    m_error = db.lastError();
    // No memory-mapped reads (see Db.cpp): a file cut short underneath must fail, not crash.
    if (m_open) QSqlQuery(db).exec(QStringLiteral("PRAGMA mmap_size = 0"));
}

ScopedConnection::~ScopedConnection()
{
    {
        QSqlDatabase db = QSqlDatabase::database(m_name, false);
        if (db.isOpen()) db.close();
    }
    QSqlDatabase::removeDatabase(m_name);
}
