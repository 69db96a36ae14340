#include "books/model/ManureLedger.h"

#include "data/Values.h"

#include <QSqlError>
#include <QSqlQuery>

namespace books {

namespace {
// The ledger query's columns, in this order: the row id first, then the grid's seven.
enum Column { L행, L발생일자, L발생량, L처리일자, L처리방법, L처리량, L사용처, L비고 };

QDate firstOfYear(const QDate& today)
{
    return QDate(today.year(), 1, 1);
}

qint64 rowIdOf(const QSqlQuery& q)
{
    return q.value(L행).toLongLong();
}

BookSpec makeManureLedger()
{
    BookSpec b;
    b.name = QStringLiteral("축산분뇨관리대장");
    b.caption = QStringLiteral("한우 축산분뇨관리대장(발생일자를 선택하여 조회/인쇄를 할 수 있습니다.)");
    b.criterion = QStringLiteral("발생일자");
    b.note = QStringLiteral("*축산분뇨 관리대장을 조회/인쇄합니다.");
    b.printCaption = b.name;
    b.headers = QStringList{QStringLiteral("발생일자"),   QStringLiteral("발생량(톤)"),
                            QStringLiteral("처리일자"),   QStringLiteral("처리방법(퇴비, 액비)"),
                            QStringLiteral("처리량(톤)"), QStringLiteral("사용처"),
                            QStringLiteral("비고")};
    b.usualCells = QStringList{QStringLiteral("2009-12-08"),
                               QStringLiteral("12.5 "),
                               QStringLiteral("2009-12-08"),
                               QStringLiteral(" 퇴비 (톱밥 혼합)"),
                               QStringLiteral("12.5 "),
                               QStringLiteral(" 자가 논 3필지"),
                               QStringLiteral(" 이웃 농가에 액비 공급")};
    using enum CellKind;
    b.kinds = {Date, Number, Date, Text, Number, Text, Text};
    b.columns = int(b.headers.size());
    b.waitText = QStringLiteral("한우 축산분뇨 관리대장을 조회중 입니다. 잠시만 기다려 주세요.");
    b.notFoundText = QStringLiteral("해당하는 축산분뇨 정보가 없습니다. 다시 검색해 주세요.");
    // Entries of one date in the order they were stored.
    b.sql = periodSql(QStringLiteral("rowid, 발생일자, 발생량, 처리일자, 처리방법, 처리량, 사용처, 비고"),
                      QStringLiteral("축산분뇨관리대장"), QString(), QStringLiteral("축산분뇨관리대장.발생일자"),
                      QStringLiteral("축산분뇨관리대장.발생일자, rowid"));
    b.row = manureRow;
    b.rowKey = rowIdOf;
    b.openingStart = firstOfYear;
    b.nothingMessage = QStringLiteral("출력할 축산분뇨 정보를 검색해 주세요.");
    b.question = QStringLiteral("한우 축산분뇨관리대장를 출력 하시겠습니까?");
    b.reportFile = QStringLiteral("축산분뇨관리대장.rpt");
    b.previewTitle = QStringLiteral("축산분뇨관리대장");
    b.workTable = QStringLiteral("축산분뇨관리대장워크");
    return b;
}
}  // namespace

const BookSpec& manureLedger()
{
    static const BookSpec b = makeManureLedger();
    return b;
}

QStringList manureRow(const QSqlQuery& q)
{
    using manure::numberCell;
    using manure::textCell;
    return {dashedDate(q.value(L발생일자)),         numberCell(NullTrim(q.value(L발생량))),
            dashedDate(q.value(L처리일자)),         textCell(NullTrim(q.value(L처리방법))),
            numberCell(NullTrim(q.value(L처리량))), textCell(NullTrim(q.value(L사용처))),
            textCell(NullTrim(q.value(L비고)))};
}

namespace manure {

QString numberCell(const QString& value)
{
    return value + u' ';
}

QString textCell(const QString& value)
{
    return u' ' + value;
}

namespace {
// An amount the ledger can store: a number, not below 0.
bool isAmount(const QString& text)
{
    return isNumeric(text) && numericValue(text) >= 0;
}
}  // namespace

CheckResult check(const Entry& e, bool isNew, const QList<QDate>& listed)
{
    if (e.발생량.trimmed().isEmpty())
        return entry::missing(QStringLiteral("발생량"), QStringLiteral("발생량을 입력해 주세요."));
    if (e.처리방법.trimmed().isEmpty())
        return entry::missing(QStringLiteral("처리방법"), QStringLiteral("처리방법을 입력해 주세요."));
    if (e.처리량.trimmed().isEmpty())
        return entry::missing(QStringLiteral("처리량"), QStringLiteral("처리량을 입력해 주세요."));
    if (!isAmount(e.발생량)) return entry::invalidValue(QStringLiteral("발생량"));
    if (!isAmount(e.처리량)) return entry::invalidValue(QStringLiteral("처리량"));
    if (isNew && listed.contains(e.발생일자))
        return entry::duplicateDate(QStringLiteral("발생일자"), QStringLiteral("발생일자를 다시 선택해 주세요."));
    return std::nullopt;
}

namespace {
QVariantList values(const Entry& e)
{
    return {datenum::fromDate(e.발생일자),
            numericValue(e.발생량),
            datenum::fromDate(e.처리일자),
            e.처리방법.trimmed(),
            numericValue(e.처리량),
            e.사용처.trimmed(),
            e.비고.trimmed()};
}
}  // namespace

BoundStatement insertStatement(const Entry& e)
{
    return {QStringLiteral("INSERT INTO 축산분뇨관리대장(발생일자, 발생량, 처리일자, 처리방법, 처리량, 사용처, 비고) "
                           "VALUES(?, ?, ?, ?, ?, ?, ?)"),
            values(e)};
}

BoundStatement updateStatement(const Entry& e, qint64 rowId)
{
    QVariantList binds = values(e);
    binds << rowId;
    return {QStringLiteral("UPDATE 축산분뇨관리대장 SET 발생일자 = ?, 발생량 = ?, 처리일자 = ?, 처리방법 = ?, "
                           "처리량 = ?, 사용처 = ?, 비고 = ? where rowid = ?"),
            binds};
}

BoundStatement deleteStatement(qint64 rowId)
{
    return {QStringLiteral("delete from 축산분뇨관리대장 where rowid = ?"), {rowId}};
}

BoundStatement entryQuery(qint64 rowId)
{
    return {QStringLiteral("select rowid, 발생일자, 발생량, 처리일자, 처리방법, 처리량, 사용처, 비고 "
                           "from 축산분뇨관리대장 where rowid = ?"),
            {rowId}};
}

Entry storedEntry(const QSqlQuery& q)
{
    Entry e;
    e.발생일자 = datenum::fromDashed(dashedDate(q.value(L발생일자)));
    e.발생량 = NullTrim(q.value(L발생량));
    e.처리일자 = datenum::fromDashed(dashedDate(q.value(L처리일자)));
    e.처리방법 = NullTrim(q.value(L처리방법));
    e.처리량 = NullTrim(q.value(L처리량));
    e.사용처 = NullTrim(q.value(L사용처));
    e.비고 = NullTrim(q.value(L비고));
    return e;
}

QStringList savedRow(const Entry& e)
{
    return {entry::gridDate(e.발생일자),
            numberCell(e.발생량),
            entry::gridDate(e.처리일자),
            textCell(e.처리방법),
            numberCell(e.처리량),
            textCell(e.사용처),
            textCell(e.비고)};
}

QString saveQuestion(bool isNew)
{
    return isNew ? QStringLiteral("축산분뇨 관리대장을 신규등록하시겠습니까?")
                 : QStringLiteral("축산분뇨을 수정하시겠습니까?");
}

std::optional<Entry> loadEntry(qint64 rowId)
{
    const BoundStatement s = entryQuery(rowId);
    QSqlQuery q = runQuery(s.sql, s.binds);
    std::optional<Entry> found;
    if (q.next()) found = storedEntry(q);
    if (q.lastError().isValid()) throw DbError(q.lastError());
    return found;
}

qint64 storeNewEntry(const Entry& e)
{
    const BoundStatement s = insertStatement(e);
    execStatement(s.sql, s.binds);
    QSqlQuery id = runQuery(QStringLiteral("select last_insert_rowid()"));
    if (!id.next()) throw DbError(id.lastError());
    return id.value(0).toLongLong();
}

void storeChangedEntry(const Entry& e, qint64 rowId)
{
    const BoundStatement s = updateStatement(e, rowId);
    execStatement(s.sql, s.binds);
    QSqlQuery changed = runQuery(QStringLiteral("select changes()"));
    if (!changed.next() || changed.value(0).toInt() == 0)
        throw DbError(QStringLiteral("수정할 축산분뇨 관리대장 기록을 찾을 수 없습니다."));
}

}  // namespace manure
}  // namespace books
