#include "data/Db.h"

#include "data/FileModes.h"
#include "data/ProgramDir.h"
#include "data/Schema.h"
#include "data/SqliteReason.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <algorithm>
#include <vector>

QSqlDatabase gConn;

namespace {
// Counts the openings of the farm file, so that a change stamp taken before a restore never
// matches one taken after it.
quint64 gOpenings = 0;
}  // namespace

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

namespace {

DbOpenOutcome outcomeOf(const QSqlError& e)
{
    switch (sqliteFailureOf(e)) {
    case SqliteFailure::Busy: return DbOpenOutcome::Busy;
    case SqliteFailure::Corrupt: return DbOpenOutcome::Damaged;
    default: return DbOpenOutcome::Unreadable;  // "file is not a database" among others
    }
}

// Files whose check passed in this run; the check is read-only and costs a full read.
QSet<QString> gCheckedFiles;

// The database's own consistency check; Open, Busy or Damaged.
DbOpenOutcome checkOnce(const QString& file)
{
    const QString key = QFileInfo(file).canonicalFilePath();
    if (gCheckedFiles.contains(key)) return DbOpenOutcome::Open;
    QSqlQuery q(gConn);
    if (!q.exec(QStringLiteral("PRAGMA quick_check"))) {
        const DbOpenOutcome o = outcomeOf(q.lastError());
        return o == DbOpenOutcome::Busy ? o : DbOpenOutcome::Damaged;
    }
    if (!q.next() || q.value(0).toString() != QLatin1String("ok")) return DbOpenOutcome::Damaged;
    gCheckedFiles.insert(key);
    return DbOpenOutcome::Open;
}

DbOpenOutcome connectTo(const QString& file, const QString& name)
{
    // The file must exist: SQLite would otherwise create an empty database silently.
    if (!QDir::setCurrent(programDir()) || !QFileInfo(file).isFile()) return DbOpenOutcome::Missing;
    restrictDatabaseAccess(file);
    gConn = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    gConn.setDatabaseName(file);
    // A few seconds, then the farmer hears that another program has the file.
    gConn.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyTimeoutMs));
    if (!gConn.open()) return outcomeOf(gConn.lastError());
    // A file that is no database opens fine; the first read tells.
    QSqlQuery q(gConn);
    // No memory-mapped reads: a file cut short by another program would end this one with
    // SIGBUS on the next read instead of failing the query.
    q.exec(QStringLiteral("PRAGMA mmap_size = 0"));
    if (!q.exec(QStringLiteral("PRAGMA foreign_keys = OFF")) ||
        !q.exec(QStringLiteral("select count(*) from sqlite_master")) || !q.next())
        return outcomeOf(q.lastError());
    q.finish();
    return checkOnce(file);
}

QString reasonText(DbOpenOutcome o, const QString& file)
{
    switch (o) {
    case DbOpenOutcome::Open: return QString();
    case DbOpenOutcome::Missing: return QStringLiteral("데이터베이스 파일이 없습니다: ") + file;
    case DbOpenOutcome::Unreadable: return QStringLiteral("데이터베이스 파일을 열 수 없습니다: ") + file;
    case DbOpenOutcome::Busy: return QStringLiteral("데이터베이스 파일을 다른 프로그램이 사용하고 있습니다: ") + file;
    case DbOpenOutcome::Damaged: return QStringLiteral("데이터베이스 파일이 손상되었습니다: ") + file;
    }
    return QString();
}

}  // namespace

DbOpenOutcome openDatabase(QString* error)
{
    // A new connection object replaces any previous one.
    DBClose();
    gConn = QSqlDatabase();
    const QString oldName = QStringLiteral("%1-%2").arg(kConnName).arg(gConnSerial);
    if (QSqlDatabase::contains(oldName)) QSqlDatabase::removeDatabase(oldName);
    ++gConnSerial;
    const QString name = QStringLiteral("%1-%2").arg(kConnName).arg(gConnSerial);

    const QString file = databaseFilePath();
    const DbOpenOutcome outcome = connectTo(file, name);
    // Only a checked file stays open: nothing may be written into a damaged or foreign one.
    if (outcome != DbOpenOutcome::Open) DBClose();
    // An older farm gets the tables added since; one that cannot take them still opens.
    if (outcome == DbOpenOutcome::Open) {
        ++gOpenings;
        addMissingTables(gConn);
    }
    if (error) *error = reasonText(outcome, file);
    return outcome;
}

bool DBOpen(QString* error)
{
    return openDatabase(error) == DbOpenOutcome::Open;
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

ChangeStamp changeStamp()
{
    ChangeStamp stamp{gOpenings, 0, 0};
    QSqlQuery q = runQuery(QStringLiteral("select total_changes()"));
    if (q.next()) stamp.ownChanges = q.value(0).toLongLong();
    QSqlQuery v = runQuery(QStringLiteral("pragma data_version"));
    if (v.next()) stamp.dataVersion = v.value(0).toLongLong();
    return stamp;
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

namespace {

// One Korean sentence per kind of error a farmer can meet: SQLite's primary result codes and
// the phrases of its descriptions (a commit failure keeps the phrase but loses the code).
struct ErrorSentence {
    std::vector<int> codes;
    std::vector<const char*> phrases;
    const char* sentence;
};

const ErrorSentence kErrorSentences[] = {
    {{}, {"unique constraint", "primary key"}, "같은 번호(또는 날짜)의 기록이 이미 있어 저장할 수 없습니다."},
    {{20},
     {"cannot store", "datatype mismatch"},
     "숫자를 입력해야 하는 곳에 숫자가 아닌 값이 있어 저장할 수 없습니다."},
    {{}, {"not null constraint"}, "반드시 입력해야 하는 값이 비어 있어 저장할 수 없습니다."},
    {{5, 6},
     {"locked", "database is busy"},
     "데이터베이스 파일을 다른 프로그램이 사용하고 있습니다. 잠시 후 다시 해 주세요."},
    {{8}, {"readonly", "read-only"}, "데이터베이스 파일이 읽기 전용이어서 저장할 수 없습니다."},
    {{13}, {"disk is full"}, "디스크 공간이 부족하여 저장할 수 없습니다. 디스크의 빈 공간을 늘린 뒤 다시 해 주세요."},
    {{11},
     {"malformed"},
     "데이터베이스 파일이 손상되었습니다. 작업을 멈추고 프로그램을 끝낸 뒤 백업에서 되살려 주세요."},
    {{10},
     {"disk i/o error"},
     "저장 장치를 읽거나 쓰는 중에 오류가 났습니다. 디스크나 USB 메모리가 제대로 연결되어 있는지 확인해 주세요."},
    {{14, 26}, {"unable to open", "not a database"}, "데이터베이스 파일을 찾을 수 없거나 열 수 없습니다."},
    {{}, {"no such table"}, "데이터베이스에 필요한 표가 없습니다. 데이터베이스 파일을 확인해 주세요."},
    {{},
     {"no such column", "has no column named"},
     "데이터베이스의 표에 필요한 항목이 없습니다. 데이터베이스 파일을 확인해 주세요."},
};

}  // namespace

QString koreanErrorSentence(const DbError& e)
{
    const QString d = e.description.toLower() + QLatin1Char(' ') + e.error.text().toLower();
    const int primary = e.number & 0xff;
    for (const ErrorSentence& s : kErrorSentences) {
        const bool byCode = std::find(s.codes.begin(), s.codes.end(), primary) != s.codes.end();
        const bool byPhrase = std::any_of(s.phrases.begin(), s.phrases.end(),
                                          [&](const char* p) { return d.contains(QLatin1String(p)); });
        if (byCode || byPhrase) return QString::fromUtf8(s.sentence);
    }
    return QString();
}

QString technicalText(const DbError& e)
{
    QStringList parts;
    if (e.number != 0) parts << QStringLiteral("SQLite %1").arg(e.number);
    parts << e.description;
    // Qt's text is the database's and the driver's run together; the driver's part alone.
    const QString driver = e.error.driverText();
    if (!driver.isEmpty() && driver != e.description) parts << driver;
    return parts.join(QStringLiteral("\n"));
}
