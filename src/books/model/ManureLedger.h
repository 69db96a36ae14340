#pragma once
// The manure ledger without its windows: the book (its texts, query and grid row), and the
// rules of its entry dialog: the checks, the statements addressed by row id, and the grid row
// a save writes.
#include "books/model/PeriodBook.h"
#include "data/Db.h"
#include "history/model/HistoryRules.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace books {

// 축산분뇨관리대장: the entries of a period by date of occurrence, from 1 January of this year.
// Each listed row keeps the entry's row id: two entries may share a date.
const BookSpec& manureLedger();
// The grid row of the ledger query's current record.
QStringList manureRow(const QSqlQuery& q);

namespace manure {

// A number column's cell (one blank after) and a text column's cell (one blank before).
QString numberCell(const QString& value);
QString textCell(const QString& value);

// What the entry dialog holds: dates, and the boxes' texts as typed.
struct Entry {
    QDate 발생일자;
    QString 발생량;
    QDate 처리일자;
    QString 처리방법;
    QString 처리량;
    QString 사용처;
    QString 비고;
};

// The checks of a save, in order: the three required boxes, the two amounts as numbers not
// below 0 ("값을 다시 입력해 주세요."), and for a new entry a date of occurrence the ledger
// lists already (`listed`).
CheckResult check(const Entry& e, bool isNew, const QList<QDate>& listed);

// The statements; texts trimmed, amounts as numbers (checked before).
BoundStatement insertStatement(const Entry& e);
BoundStatement updateStatement(const Entry& e, qint64 rowId);
BoundStatement deleteStatement(qint64 rowId);
// The stored entry `rowId`.
BoundStatement entryQuery(qint64 rowId);
// An entry read from entryQuery's current record.
Entry storedEntry(const QSqlQuery& q);

// The stored entry `rowId`, or none when no entry has that number. Throws DbError.
std::optional<Entry> loadEntry(qint64 rowId);
// Stores a new entry; its row number. Throws DbError.
qint64 storeNewEntry(const Entry& e);
// Stores `e` over the entry `rowId`; an entry removed meanwhile is a DbError (never reported as
// changed).
void storeChangedEntry(const Entry& e, qint64 rowId);

// The grid cells a save writes: dates "yyyy-mm-dd", the boxes' texts untrimmed with the
// columns' blanks.
QStringList savedRow(const Entry& e);

// The question of a save: "축산분뇨 관리대장을 신규등록하시겠습니까?" / "축산분뇨을 수정하시겠습니까?".
QString saveQuestion(bool isNew);

}  // namespace manure
}  // namespace books
