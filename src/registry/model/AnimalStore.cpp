#include "registry/model/AnimalStore.h"

#include "data/Db.h"
#include "data/Schema.h"

namespace {
QVariantList rowValues(const AnimalRecord& r)
{
    QVariantList values;
    for (const ColumnDef& column : animalTable().columns) values << animalColumnValue(r, column.name);
    return values;
}

void runAll(const QList<BoundStatement>& statements)
{
    for (const BoundStatement& s : statements) execStatement(s.sql, s.binds);
}
}  // namespace

BoundStatement animalInsert(const AnimalRecord& r)
{
    // The same text for every animal: made once (an import inserts a hundred thousand).
    static const QString sql = [] {
        const QStringList columns = animalTable().columnNames();
        const QStringList marks(columns.size(), QStringLiteral("?"));
        return QStringLiteral("INSERT INTO 개체관리(%1) VALUES(%2)")
            .arg(columns.join(QStringLiteral(", ")), marks.join(QStringLiteral(",")));
    }();
    return {sql, rowValues(r)};
}

BoundStatement animalUpdate(const AnimalRecord& r, const QString& storedNumber)
{
    QStringList sets;
    for (const QString& column : animalTable().columnNames()) sets << column + QStringLiteral(" = ?");
    QVariantList binds = rowValues(r);
    binds << storedNumber;
    return {QStringLiteral("UPDATE 개체관리 SET %1 Where 개체번호 = ?").arg(sets.join(QStringLiteral(", "))), binds};
}

QStringList historyTables()
{
    return {QStringLiteral("번식기록"), QStringLiteral("초음파측정"), QStringLiteral("체척"),
            QStringLiteral("백신접종"), QStringLiteral("등급판정")};
}

QList<BoundStatement> renumberStatements(const QString& from, const QString& to)
{
    QList<BoundStatement> list;
    for (const QString& t : historyTables())
        list.append({QStringLiteral("UPDATE %1 SET 개체번호 = ? Where 개체번호 = ?").arg(t), {to, from}});
    return list;
}

QList<BoundStatement> deleteStatements(const QString& number)
{
    QList<BoundStatement> list;
    const QStringList order = {QStringLiteral("등급판정"),   QStringLiteral("백신접종"), QStringLiteral("체척"),
                               QStringLiteral("초음파측정"), QStringLiteral("번식기록"), QStringLiteral("개체관리")};
    for (const QString& t : order) list.append({QStringLiteral("delete from %1 Where 개체번호 = ?").arg(t), {number}});
    return list;
}

bool animalExists(const QString& number)
{
    QSqlQuery q = runQuery(QStringLiteral("select 1 from 개체관리 where 개체번호 = ?"), {number});
    return q.next();
}

void insertAnimal(const AnimalRecord& r)
{
    const BoundStatement s = animalInsert(r);
    execStatement(s.sql, s.binds);
}

void updateAnimal(const AnimalRecord& r, const QString& storedNumber)
{
    Transaction tx;
    QList<BoundStatement> all{animalUpdate(r, storedNumber)};
    all += renumberStatements(storedNumber, r.개체번호);
    runAll(all);
    tx.commit();
}

bool isTakenNumber(const DbError& e)
{
    const QString words = e.description + QLatin1Char(' ') + e.error.text();
    return words.contains(QStringLiteral("unique constraint failed"), Qt::CaseInsensitive) &&
           words.contains(QStringLiteral("개체관리.개체번호"));
}

void deleteAnimal(const QString& number)
{
    Transaction tx;
    runAll(deleteStatements(number));
    tx.commit();
}
