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

// Opens gConn on <program folder>/db/TARVIK.db. Returns false when the file is missing or
// is no readable database, with the reason in `error` when given; it shows nothing: the
// window that asked decides what the farmer sees (see app/DbMessages.h).
bool DBOpen(QString* error = nullptr);
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
