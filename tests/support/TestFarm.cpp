#include "support/TestFarm.h"

#include "data/Db.h"
#include "data/ProgramDir.h"
#include "data/ProgramExit.h"
#include "data/Schema.h"
#include "data/Values.h"

#include <QDir>
#include <QFile>
#include <QSqlRecord>

namespace {
void copyDir(const QString& from, const QString& to)
{
    QDir().mkpath(to);
    const QDir src(from);
    for (const QString& f : src.entryList(QDir::Files)) QFile::copy(src.filePath(f), to + u'/' + f);
}
}  // namespace

TestFarm::TestFarm()
{
    setProgramDir(m_dir.path());
    const QString err = createDatabaseFileIfMissing(databaseFilePath());
    EXPECT_TRUE(err.isEmpty()) << err.toStdString();
    copyDir(QStringLiteral(TARVIK_SOURCE_DIR "/rpt"), m_dir.path() + QStringLiteral("/rpt"));
    setExitHook([this](int) { ++m_exitCalls; });
}

TestFarm::~TestFarm()
{
    DBClose();
    setExitHook({});
    setProgramDir(QString());
}

bool TestFarm::open()
{
    return DBOpen();
}
void TestFarm::close()
{
    DBClose();
}

void TestFarm::exec(const QString& sql, const QVariantList& binds)
{
    try {
        execStatement(sql, binds);
    } catch (const DbError& e) {
        ADD_FAILURE() << "statement failed: " << sql.toStdString() << ": " << e.description.toStdString();
    }
}

QString TestFarm::scalar(const QString& sql, const QVariantList& binds)
{
    try {
        QSqlQuery q = runQuery(sql, binds);
        return q.next() ? NullTrim(q.value(0)) : QString();
    } catch (const DbError& e) {
        ADD_FAILURE() << "query failed: " << sql.toStdString() << ": " << e.description.toStdString();
        return QString();
    }
}

int TestFarm::count(const QString& table, const QString& where, const QVariantList& binds)
{
    QString sql = QStringLiteral("select count(*) from \"%1\"").arg(table);
    if (!where.isEmpty()) sql += QStringLiteral(" where ") + where;
    return scalar(sql, binds).toInt();
}

namespace {
void insertRow(TestFarm& farm, const QString& table, QVariantMap values)
{
    for (const TableDef& t : schemaTables()) {
        if (t.name != table) continue;
        QStringList marks;
        QVariantList binds;
        for (const ColumnDef& c : t.columns) {
            marks << QStringLiteral("?");
            if (values.contains(c.name))
                binds << values.value(c.name);
            else
                binds << (c.type == QLatin1String("TEXT") ? QVariant(QString()) : QVariant(0));
        }
        farm.exec(QStringLiteral("insert into \"%1\" values(%2)").arg(table, marks.join(u',')), binds);
    }
}
}  // namespace

void TestFarm::addAnimal(const QString& number, int sex, qint64 birth, const QVariantMap& more)
{
    QVariantMap v = more;
    v[QStringLiteral("개체번호")] = number;
    v[QStringLiteral("구분")] = sex;
    v[QStringLiteral("개체생일")] = birth;
    if (!v.contains(QStringLiteral("구분2"))) v[QStringLiteral("구분2")] = 0;
    insertRow(*this, QStringLiteral("개체관리"), v);
}

void TestFarm::addBreeding(const QString& number, qint64 inseminated, const QVariantMap& more)
{
    QVariantMap v = more;
    v[QStringLiteral("개체번호")] = number;
    v[QStringLiteral("수정일")] = inseminated;
    if (!v.contains(QStringLiteral("가부"))) v[QStringLiteral("가부")] = -1;
    if (!v.contains(QStringLiteral("성별"))) v[QStringLiteral("성별")] = -1;
    insertRow(*this, QStringLiteral("번식기록"), v);
}

void TestFarm::addAnimalWithHistory(const QString& number, int sex, const QVariantMap& more)
{
    addAnimal(number, sex, 20080101, more);
    addBreeding(number, 20090101);
    exec(QStringLiteral("insert into 초음파측정(개체번호, 개체능력, 측정일) values(?, '육성', 20090201)"), {number});
    exec(QStringLiteral("insert into 체척(개체번호, 월령, 측정일) values(?, '12', 20090301)"), {number});
    exec(QStringLiteral("insert into 백신접종(개체번호, 날짜) values(?, 20090401)"), {number});
    exec(QStringLiteral("insert into 등급판정(개체번호, 판정일) values(?, 20090501)"), {number});
}

qint64 dn(const QDate& d)
{
    return datenum::fromDate(d);
}
