#pragma once
// The one shared connection and the error reactions every window uses.
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QVariantList>
#include <stdexcept>

// The shared connection; a new connection object on every DBOpen.
extern QSqlDatabase gConn;

// How an open went. Busy and Damaged leave no connection open, like every other failure.
enum class DbOpenOutcome {
    Open,
    Missing,     // no database file (or the program folder is unreachable)
    Unreadable,  // a file that no database engine can read
    Busy,        // another program holds the file locked for longer than a few seconds
    Damaged,     // the file's own check fails: it is not opened for writing
};

// Opens gConn on <program folder>/db/TARVIK.db and reports the outcome, with a Korean reason
// in `error` when given; it shows nothing: the window that asked decides what the farmer sees
// (see app/DbMessages.h). The folder and file lose any group or other access on the way. The
// first open of a file in a run checks it (PRAGMA quick_check, about 0.3 s on 100 000 animals).
DbOpenOutcome openDatabase(QString* error = nullptr);
// openDatabase() == DbOpenOutcome::Open.
bool DBOpen(QString* error = nullptr);
// Waited at most this long for a lock another program holds, on opening and on each statement.
inline constexpr int kBusyTimeoutMs = 3000;
// Closes gConn when it is open; otherwise does nothing.
void DBClose();

// A failed query or statement: the database's own number and description.
class DbError : public std::runtime_error {
public:
    explicit DbError(const QSqlError& e);
    explicit DbError(const QString& description, int number = 0);
    QSqlError error;
    int number = 0;
    QString description;
};

// One SQL text with its '?' values, in order.
struct BoundStatement {
    QString sql;
    QVariantList binds;
};

// A value ready to bind: a null QString becomes the empty text (never SQL NULL).
QVariant bindable(const QVariant& v);
// Runs a query with bound values (positional '?'), forward only; throws DbError.
QSqlQuery runQuery(const QString& sql, const QVariantList& binds = {});
// What tells whether the farm file may have changed: equal stamps mean no row was written in
// between, by this program or any other. Throws DbError.
struct ChangeStamp {
    quint64 opening = 0;     // which opening of the file
    qint64 dataVersion = 0;  // moves when another connection commits
    qint64 ownChanges = 0;   // rows this connection has written since it opened
    bool operator==(const ChangeStamp&) const = default;
};
ChangeStamp changeStamp();
// Executes one statement with bound values; throws DbError.
void execStatement(const QString& sql, const QVariantList& binds = {});

// Commits only when told; rolls back when it goes out of scope otherwise.
class Transaction {
public:
    Transaction();  // throws DbError when no transaction can be started
    ~Transaction();
    void commit();  // throws DbError
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

private:
    bool m_done = false;
};

// The Korean sentence for errors a user can cause, or "" for any other error.
QString koreanErrorSentence(const DbError& e);
// The database's own words for `e` (code, description, driver text), for the details button
// and the error log; never for a message text.
QString technicalText(const DbError& e);
