#include "backup/model/InterruptedWrite.h"

#include "data/ScopedConnection.h"

#include <QFileInfo>
#include <QSqlQuery>

namespace {

const QString kJournal = QStringLiteral("-journal");
const QString kWal = QStringLiteral("-wal");

bool nonEmptyFile(const QString& path)
{
    const QFileInfo f(path);
    return f.isFile() && f.size() > 0;
}

}  // namespace

bool hasLeftoverJournal(const QString& file)
{
    return nonEmptyFile(file + kJournal) || nonEmptyFile(file + kWal);
}

RollbackResult rollBackInterruptedWrite(const QString& file)
{
    RollbackResult r;
    if (!hasLeftoverJournal(file)) return r;
    QSqlError error;
    {
        const ScopedConnection c(file, QStringLiteral("QSQLITE_BUSY_TIMEOUT=3000"));
        if (!c.isOpen()) {
            error = c.error();
        } else {
            // The first read takes the shared lock, and with it SQLite plays a hot journal back.
            QSqlQuery q(c.db());
            if (!q.exec(QStringLiteral("select count(*) from sqlite_master")) || !q.next()) error = q.lastError();
        }
    }
    if (error.isValid() && error.type() != QSqlError::NoError) {
        r.outcome = RollbackResult::Outcome::Failed;
        r.failure = sqliteFailureOf(error);
        r.detail = sqliteTechnicalText(error);
        return r;
    }
    // A journal of a transaction another program still holds stays; that is no failure here.
    r.outcome = hasLeftoverJournal(file) ? RollbackResult::Outcome::Nothing : RollbackResult::Outcome::RolledBack;
    return r;
}
