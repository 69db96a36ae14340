#include "bench/bench_util.h"

#include "data/Schema.h"

#include <QByteArray>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

double statusMb(const char* field)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith(field)) return line.mid(qstrlen(field)).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return 0;
}

QString openBulkFill(const QString& file, const QString& name)
{
    QString err = createDatabaseFileIfMissing(file);
    if (!err.isEmpty()) return err;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(file);
        if (db.open()) {
            QSqlQuery(db).exec(QStringLiteral("PRAGMA synchronous = OFF"));
            QSqlQuery(db).exec(QStringLiteral("PRAGMA journal_mode = MEMORY"));
            if (db.transaction()) return {};
        }
        err = db.lastError().text();
    }
    QSqlDatabase::removeDatabase(name);
    return err;
}
