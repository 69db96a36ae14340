#include "bench/bench_util.h"

#include "data/Schema.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <algorithm>

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

double bestMs(int runs, const std::function<void()>& f)
{
    double best = 1e18;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        f();
        best = std::min(best, t.nsecsElapsed() / 1e6);
    }
    return best;
}
