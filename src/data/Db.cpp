#include "data/Db.h"

#include "app/model/ProgramDir.h"

#include <QDir>
#include <QFileInfo>

QSqlDatabase gConn;

namespace {
const QString kConnName = QStringLiteral("TARVIK");
int gConnSerial = 0;
}  // namespace

DbError::DbError(const QSqlError& e)
    : std::runtime_error(e.text().toStdString()),
      error(e),
      number(e.nativeErrorCode().toInt()),
      description(e.databaseText().isEmpty() ? e.text() : e.databaseText())
{
}

DbError::DbError(const QString& desc, int num) : std::runtime_error(desc.toStdString()), number(num), description(desc)
{
}

bool DBOpen(QString* error)
{
    // A new connection object replaces any previous one.
    DBClose();
    gConn = QSqlDatabase();
    const QString oldName = QStringLiteral("%1-%2").arg(kConnName).arg(gConnSerial);
    if (QSqlDatabase::contains(oldName)) QSqlDatabase::removeDatabase(oldName);
    ++gConnSerial;
    const QString name = QStringLiteral("%1-%2").arg(kConnName).arg(gConnSerial);

    bool ok = false;
    const QString file = databaseFilePath();
    // The file must exist: SQLite would otherwise create an empty database silently.
    if (QDir::setCurrent(programDir()) && QFileInfo(file).isFile()) {
        gConn = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        gConn.setDatabaseName(file);
        gConn.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=25000"));
        ok = gConn.open();
        if (ok) {
            // A file that is no database opens fine; the first read tells.
            QSqlQuery q(gConn);
            // Mapping the file spares a copy of every page the big lists read.
            q.exec(QStringLiteral("PRAGMA mmap_size = 268435456"));
            ok = q.exec(QStringLiteral("PRAGMA foreign_keys = OFF")) &&
                 q.exec(QStringLiteral("select count(*) from sqlite_master")) && q.next();
        }
    }
    if (!ok && error) {
        *error = QFileInfo(file).isFile() ? QStringLiteral("데이터베이스 파일을 열 수 없습니다: ") + file
                                          : QStringLiteral("데이터베이스 파일이 없습니다: ") + file;
    }
    return ok;
}

void DBClose()
{
    if (gConn.isValid() && gConn.isOpen()) gConn.close();
}

QVariant bindable(const QVariant& v)
{
    // Qt binds a null QString as SQL NULL; an empty text must stay the empty text.
    if (v.typeId() == QMetaType::QString && static_cast<const QString*>(v.constData())->isNull())
        return QVariant(QString::fromLatin1(""));
    return v;
}

QSqlQuery runQuery(const QString& sql, const QVariantList& binds)
{
    QSqlQuery q(gConn);
    q.setForwardOnly(true);
    if (!gConn.isOpen()) throw DbError(QStringLiteral("데이터베이스가 연결되어 있지 않습니다."));
    if (!q.prepare(sql)) throw DbError(q.lastError());
    for (const QVariant& v : binds) q.addBindValue(bindable(v));
    if (!q.exec()) throw DbError(q.lastError());
    return q;
}

void execStatement(const QString& sql, const QVariantList& binds)
{
    QSqlQuery q = runQuery(sql, binds);
    q.finish();
}

Transaction::Transaction()
{
    if (!gConn.transaction()) throw DbError(gConn.lastError());
}

Transaction::~Transaction()
{
    if (!m_done) gConn.rollback();
}

void Transaction::commit()
{
    if (!gConn.commit()) throw DbError(gConn.lastError());
    m_done = true;
}

QString koreanErrorSentence(const DbError& e)
{
    const QString d = e.description.toLower() + QLatin1Char(' ') + e.error.text().toLower();
    const int primary = e.number & 0xff;
    if (d.contains(QLatin1String("unique constraint")) || d.contains(QLatin1String("primary key")))
        return QStringLiteral("같은 번호(또는 날짜)의 기록이 이미 있어 저장할 수 없습니다.");
    if (d.contains(QLatin1String("cannot store")) || d.contains(QLatin1String("datatype mismatch")) || primary == 20)
        return QStringLiteral("숫자를 입력해야 하는 곳에 숫자가 아닌 값이 있어 저장할 수 없습니다.");
    if (d.contains(QLatin1String("not null constraint")))
        return QStringLiteral("반드시 입력해야 하는 값이 비어 있어 저장할 수 없습니다.");
    if (primary == 5 || primary == 6 || d.contains(QLatin1String("locked")))
        return QStringLiteral("데이터베이스 파일을 다른 프로그램이 사용하고 있습니다. 잠시 후 다시 해 주세요.");
    if (primary == 8 || d.contains(QLatin1String("readonly")) || d.contains(QLatin1String("read-only")))
        return QStringLiteral("데이터베이스 파일이 읽기 전용이어서 저장할 수 없습니다.");
    if (primary == 13 || d.contains(QLatin1String("disk is full")) ||
        d.contains(QLatin1String("database or disk is full")))
        return QStringLiteral("디스크 공간이 부족하여 저장할 수 없습니다.");
    if (primary == 14 || primary == 26 || d.contains(QLatin1String("unable to open")) ||
        d.contains(QLatin1String("not a database")))
        return QStringLiteral("데이터베이스 파일을 찾을 수 없거나 열 수 없습니다.");
    if (d.contains(QLatin1String("no such table")) || d.contains(QLatin1String("no such column")))
        return QStringLiteral("데이터베이스에 필요한 표가 없습니다. 데이터베이스 파일을 확인해 주세요.");
    return QString();
}
