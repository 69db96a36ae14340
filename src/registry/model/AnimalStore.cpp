#include "registry/model/AnimalStore.h"

#include "data/Db.h"

namespace {
QVariantList rowValues(const AnimalValues& v)
{
    return {v.개체번호, v.구분,    v.구분2,   v.개체생일, v.등록번호, v.별명,     v.우방번호, v.입식일자,   v.정액번호,
            v.부번호,   QString(), QString(), v.모번호,   v.판매일,   v.개체특징, v.점수,     v.출하예정일, v.출하일};
}

void runAll(const QList<BoundStatement>& statements)
{
    for (const BoundStatement& s : statements) execStatement(s.sql, s.binds);
}
}  // namespace

BoundStatement animalInsert(const AnimalValues& v)
{
    return {
        QStringLiteral("INSERT INTO 개체관리(개체번호, 구분, 구분2, 개체생일, 등록번호, 별명, 우방번호, 입식일자, "
                       "정액번호, 부번호, 축산업번호, 번식농장, 모번호, 판매일, 개체특징, 점수, 출하예정일, 출하일) "
                       "VALUES(?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)"),
        rowValues(v)};
}

BoundStatement animalUpdate(const AnimalValues& v, const QString& storedNumber)
{
    QVariantList binds = rowValues(v);
    binds << storedNumber;
    return {QStringLiteral("UPDATE 개체관리 SET 개체번호 = ?, 구분 = ?, 구분2 = ?, 개체생일 = ?, 등록번호 = ?, "
                           "별명 = ?, 우방번호 = ?, 입식일자 = ?, 정액번호 = ?, 부번호 = ?, 축산업번호 = ?, "
                           "번식농장 = ?, 모번호 = ?, 판매일 = ?, 개체특징 = ?, 점수 = ?, 출하예정일 = ?, 출하일 = ? "
                           "Where 개체번호 = ?"),
            binds};
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

void insertAnimal(const AnimalValues& v)
{
    const BoundStatement s = animalInsert(v);
    execStatement(s.sql, s.binds);
}

void updateAnimal(const AnimalValues& v, const QString& storedNumber)
{
    Transaction tx;
    QList<BoundStatement> all{animalUpdate(v, storedNumber)};
    all += renumberStatements(storedNumber, v.개체번호);
    runAll(all);
    tx.commit();
}

void deleteAnimal(const QString& number)
{
    Transaction tx;
    runAll(deleteStatements(number));
    tx.commit();
}
