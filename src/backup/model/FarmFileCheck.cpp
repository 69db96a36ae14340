#include "backup/model/FarmFileCheck.h"

#include "backup/model/InterruptedWrite.h"
#include "data/ScopedConnection.h"

#include "data/Schema.h"

#include <QFileInfo>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace {

QString quoted(const QString& name)
{
    return QLatin1Char('"') + QString(name).replace(u'"', QStringLiteral("\"\"")) + QLatin1Char('"');
}

FarmFileCheck fail(const QString& reason)
{
    FarmFileCheck r;
    r.reason = reason;
    return r;
}

// A failure of the engine: a Korean sentence for the farmer, its own words for the log.
FarmFileCheck failed(const QSqlError& e)
{
    const SqliteFailure f = sqliteFailureOf(e);
    FarmFileCheck r = fail(sqliteFailureText(f));
    r.detail = sqliteTechnicalText(e);
    r.accessFailure = isAccessFailure(f);
    r.busy = f == SqliteFailure::Busy;
    return r;
}

FarmFileCheck checkOpen(QSqlDatabase db)
{
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("PRAGMA quick_check")) || !q.next()) return failed(q.lastError());
    if (q.value(0).toString() != QLatin1String("ok")) return fail(QStringLiteral("파일의 검사에서 오류가 나왔습니다."));
    q.finish();
    QSet<QString> tables;
    if (!q.exec(QStringLiteral("select name from sqlite_master where type = 'table'"))) return failed(q.lastError());
    while (q.next()) tables.insert(q.value(0).toString());
    for (const TableDef& t : schemaTables()) {
        if (t.optional && !tables.contains(t.name)) continue;  // an older farm: the program adds it
        if (!tables.contains(t.name)) return fail(QStringLiteral("표가 없습니다: ") + t.name);
        QSet<QString> columns;
        if (!q.exec(QStringLiteral("PRAGMA table_info(") + quoted(t.name) + u')')) return failed(q.lastError());
        while (q.next()) columns.insert(q.value(1).toString());
        for (const ColumnDef& c : t.columns)
            if (!columns.contains(c.name)) return fail(QStringLiteral("열이 없습니다: ") + t.name + u'.' + c.name);
    }
    if (!q.exec(QStringLiteral("select count(*) from 농장정보")) || !q.next()) return failed(q.lastError());
    if (q.value(0).toLongLong() < 1) return fail(QStringLiteral("농장정보가 없습니다."));
    FarmFileCheck good;
    good.ok = true;
    return good;
}

}  // namespace

FarmFileCheck checkFarmFile(const QString& file)
{
    const QFileInfo info(file);
    if (!info.isFile()) return fail(QStringLiteral("파일이 없습니다."));
    // SQLite opens an empty file as an empty database, and the check would pass.
    if (info.size() == 0) return fail(QStringLiteral("빈 파일입니다."));
    const RollbackResult rollback = rollBackInterruptedWrite(file);
    if (rollback.outcome == RollbackResult::Outcome::Failed) {
        FarmFileCheck r = fail(QStringLiteral("끝나지 않은 쓰기의 기록(저널)이 옆에 있는데 되돌릴 수 없습니다: ") +
                               sqliteFailureText(rollback.failure));
        r.detail = rollback.detail;
        r.accessFailure = true;
        r.busy = rollback.failure == SqliteFailure::Busy;
        return r;
    }
    const ScopedConnection c(file, QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=3000"));
    if (!c.isOpen()) return failed(c.error());
    FarmFileCheck r = checkOpen(c.db());
    r.rolledBack = rollback.outcome == RollbackResult::Outcome::RolledBack;
    return r;
}
