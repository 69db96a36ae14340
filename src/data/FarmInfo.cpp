#include "data/FarmInfo.h"

#include "data/Db.h"
#include "data/ScopedConnection.h"
#include "data/Values.h"

#include <QFileInfo>

std::optional<FarmInfo> readFarmInfo()
{
    QSqlQuery q = runQuery(QStringLiteral("select * from 농장정보 "));
    if (!q.next()) return std::nullopt;
    const auto field = [&q](const char* name) { return NullTrim(q.value(QString::fromUtf8(name))); };
    FarmInfo f;
    f.등록번호 = field("등록번호");
    f.고유번호 = field("고유번호");
    f.성명 = field("성명");
    f.주민번호 = field("주민번호");
    f.사업장명칭 = field("사업장명칭");
    f.소재지 = field("소재지");
    f.축종 = field("축종");
    return f;
}

namespace {

void writeFarmRow(const FarmInfo& f)
{
    const QVariantList values{f.등록번호.trimmed(),   f.고유번호.trimmed(), f.성명.trimmed(), f.주민번호.trimmed(),
                              f.사업장명칭.trimmed(), f.소재지.trimmed(),   f.축종.trimmed()};
    qint64 stored = 0;
    {
        QSqlQuery rows = runQuery(QStringLiteral("select count(*) from 농장정보"));
        if (!rows.next()) throw DbError(rows.lastError());
        stored = rows.value(0).toLongLong();
    }
    if (stored == 0)
        execStatement(
            QStringLiteral("INSERT INTO 농장정보(등록번호, 고유번호, 성명, 주민번호, 사업장명칭, 소재지, 축종) "
                           "VALUES(?, ?, ?, ?, ?, ?, ?)"),
            values);
    else
        execStatement(QStringLiteral("UPDATE 농장정보 SET 등록번호 = ?, 고유번호 = ?, 성명 = ?, 주민번호 = ?, "
                                     "사업장명칭 = ?, 소재지 = ?, 축종 = ?"),
                      values);
}

void writeContact(const SupportContact& c)
{
    execStatement(QStringLiteral("delete from 지원연락처"));
    const SupportContact trimmed{c.이름.trimmed(), c.전화번호.trimmed()};
    if (!trimmed.isEmpty())
        execStatement(QStringLiteral("insert into 지원연락처(이름, 전화번호) values(?, ?)"),
                      {trimmed.이름, trimmed.전화번호});
}

}  // namespace

void storeFarmInfo(const FarmInfo& f)
{
    Transaction t;
    writeFarmRow(f);
    t.commit();
}

void storeFarmInfo(const FarmInfo& f, const SupportContact& c)
{
    Transaction t;
    writeFarmRow(f);
    writeContact(c);
    t.commit();
}

namespace {

const QString kContactTable = QStringLiteral("지원연락처");

bool hasTable(QSqlQuery& q, const QString& name)
{
    return q.next() && q.value(0).toString() == name;
}

SupportContact contactOf(QSqlQuery& q)
{
    if (!q.next()) return SupportContact();
    return SupportContact{NullTrim(q.value(0)), NullTrim(q.value(1))};
}

const QString kTableLookup = QStringLiteral("select name from sqlite_master where type = 'table' and name = ?");
const QString kContactRead = QStringLiteral("select 이름, 전화번호 from 지원연락처 limit 1");

}  // namespace

SupportContact readSupportContact()
{
    // A file that could not take the table when it was opened (read-only) simply has none.
    QSqlQuery table = runQuery(kTableLookup, {kContactTable});
    if (!hasTable(table, kContactTable)) return SupportContact();
    table.finish();
    QSqlQuery q = runQuery(kContactRead);
    return contactOf(q);
}

void storeSupportContact(const SupportContact& c)
{
    Transaction t;
    writeContact(c);
    t.commit();
}

SupportContact supportContactIn(const QString& file)
{
    if (!QFileInfo(file).isFile()) return SupportContact();  // SQLite would create it
    const ScopedConnection c(file, QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=1000"));
    if (!c.isOpen()) return SupportContact();
    QSqlQuery q(c.db());
    if (!q.prepare(kTableLookup)) return SupportContact();
    q.addBindValue(kContactTable);
    if (!q.exec() || !hasTable(q, kContactTable)) return SupportContact();
    q.finish();
    if (!q.exec(kContactRead)) return SupportContact();
    const SupportContact found = contactOf(q);
    q.finish();
    return found;
}
