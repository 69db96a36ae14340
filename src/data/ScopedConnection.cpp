#include "data/ScopedConnection.h"

#include <QUuid>

ScopedConnection::ScopedConnection(const QString& file, const QString& options)
    : m_name(QStringLiteral("scoped-") + QUuid::createUuid().toString())
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
    db.setDatabaseName(file);
    db.setConnectOptions(options);
    m_open = db.open();
    m_error = db.lastError();
}

ScopedConnection::~ScopedConnection()
{
    {
        QSqlDatabase db = QSqlDatabase::database(m_name, false);
        if (db.isOpen()) db.close();
    }
    QSqlDatabase::removeDatabase(m_name);
}
