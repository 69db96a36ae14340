#include "books/model/DailyRules.h"

#include "data/Db.h"
#include "data/Values.h"

#include <QHash>
#include <algorithm>

namespace daily {

namespace {
constexpr int kReestrusDays = 20;
constexpr int kGestationDays = 280;
const char16_t* const kDayNames[4] = {u"어제", u"오늘", u"내일", u"모레"};

// The records each list reads, apart from the insemination dates: cows' open inseminations,
// and cows' positive, not yet calved ones.
const QString kRecordsOfCows = QStringLiteral("from 번식기록 join 개체관리 on 개체관리.개체번호 = 번식기록.개체번호 ");
const QString kReestrusRecords = QStringLiteral("and 개체관리.구분 = 0 and 번식기록.판정일 = 0 ");
const QString kCalvingRecords = QStringLiteral("and 개체관리.구분 = 0 and 번식기록.가부 = 0 and 번식기록.분만일 = 0 ");

// A stored day that is plainly a real one: a whole number yyyymmdd from the year 1000 on with a
// month and a day that every year has. The rest (February 29th, texts, empty cells, impossible
// days) are few and read one by one, so a long book is never carried out of the database whole.
const QString kPlainDay = QStringLiteral(
    "typeof(번식기록.수정일) = 'integer' and 번식기록.수정일 between 10000101 and 99991231 "
    "and 번식기록.수정일 / 100 % 100 between 1 and 12 "
    "and (번식기록.수정일 % 100 between 1 and 28 "
    "or (번식기록.수정일 % 100 in (29, 30) and 번식기록.수정일 / 100 % 100 <> 2) "
    "or (번식기록.수정일 % 100 = 31 and 번식기록.수정일 / 100 % 100 in (1, 3, 5, 7, 8, 10, 12)))");

int datelessRecords(const QString& records)
{
    QSqlQuery q = runQuery(QStringLiteral("select 번식기록.수정일 ") + kRecordsOfCows + QStringLiteral("where not (") +
                           kPlainDay + QStringLiteral(") ") + records);
    int n = 0;
    while (q.next())
        if (!inseminationDate(q.value(0)).isValid()) ++n;
    if (q.lastError().isValid()) throw DbError(q.lastError());
    return n;
}

QString dayName(int index)
{
    return QString::fromUtf16(kDayNames[std::clamp(index, 0, 3)]);
}
}  // namespace

std::array<QDate, 4> dueDays(const QDate& today)
{
    return {today.addDays(-1), today, today.addDays(1), today.addDays(2)};
}

QString dayHeader(int index, const QDate& day)
{
    return formatDate(day, dayName(index) + QStringLiteral("( yyyy년mm월dd일 )"));
}

report::Formulas dayFormulas(const std::array<QDate, 4>& days)
{
    report::Formulas out;
    for (int i = 0; i < 4; ++i)
        out.set(dayName(i), formatDate(days[size_t(i)], dayName(i) + QStringLiteral("(mm월dd일)")));
    return out;
}

QDate inseminationDate(const QVariant& value)
{
    // The same day as reading the number through "0000-00-00"; invalid when there is none.
    qint64 n = 0;
    bool ok = true;
    if (value.typeId() == QMetaType::LongLong || value.typeId() == QMetaType::Int)
        n = value.toLongLong();
    else
        n = NullTrim(value).toLongLong(&ok);
    if (!ok || n <= 0 || n > 99991231) return QDate();
    return datenum::toDate(n);
}

QDate reestrusDate(const QDate& inseminated)
{
    return inseminated.addDays(kReestrusDays);
}

bool reestrusListed(const QDate& r, const QDate& today)
{
    return r >= today.addDays(-2) && r <= today.addDays(2);
}

DayCell reestrusCell(const QDate& r, const QDate& day)
{
    if (day == r || day == r.addDays(1)) return {QStringLiteral("재발정일"), true};
    if (day < r) return {QStringLiteral("재발정 %1일전").arg(day.daysTo(r)), false};
    return {};
}

QDate calvingDate(const QDate& inseminated)
{
    return inseminated.addDays(kGestationDays);
}

bool calvingCandidate(const QDate& c, const QDate& today)
{
    return c >= today.addDays(-10) && c <= today.addDays(7);
}

DayCell calvingCell(const QDate& c, const QDate& day)
{
    const qint64 n = day.daysTo(c);
    if (n == 0) return {QStringLiteral("출산예정일"), true};
    if (n > 0) return {QStringLiteral("출산예정 %1일전").arg(n), false};
    if (n >= -7) return {QStringLiteral("출산예정 %1일후").arg(-n), false};
    return {};
}

DateNumberRange reestrusInseminationRange(const QDate& today)
{
    // R = I + 20 within today - 2 .. today + 2.
    return {datenum::fromDate(today.addDays(-2 - kReestrusDays)), datenum::fromDate(today.addDays(2 - kReestrusDays))};
}

DateNumberRange calvingInseminationRange(const QDate& today)
{
    // C = I + 280 within today - 10 .. today + 7.
    return {datenum::fromDate(today.addDays(-10 - kGestationDays)),
            datenum::fromDate(today.addDays(7 - kGestationDays))};
}

// Cows only; ordered by animal number, one animal's records by insemination date.
namespace {
QString dueListSql(const QString& records)
{
    return QStringLiteral("select 개체관리.개체번호, 개체관리.우방번호, 개체관리.별명, 번식기록.수정일 ") +
           kRecordsOfCows + QStringLiteral("where 번식기록.수정일 between ? and ? ") + records +
           QStringLiteral("order by 개체관리.개체번호, 번식기록.수정일");
}
}  // namespace

QString reestrusSql()
{
    return dueListSql(kReestrusRecords);
}

QString calvingSql()
{
    return dueListSql(kCalvingRecords);
}

int datelessReestrusRecords()
{
    return datelessRecords(kReestrusRecords);
}

int datelessCalvingRecords()
{
    return datelessRecords(kCalvingRecords);
}

QString skippedNote(int count)
{
    return count > 0 ? QStringLiteral("날짜가 없는 번식기록 %1건은 제외되었습니다").arg(count) : QString();
}

QList<WithdrawalRow> withdrawalRows(const QList<AnimalTreatment>& treatments, const QDate& today)
{
    QList<QString> order;
    QHash<QString, QList<withdrawal::Treatment>> byAnimal;
    QHash<QString, const AnimalTreatment*> animal;
    for (const AnimalTreatment& t : treatments) {
        if (!byAnimal.contains(t.number)) {
            order << t.number;
            animal.insert(t.number, &t);
        }
        byAnimal[t.number] << t.treatment;
    }
    QList<WithdrawalRow> rows;
    for (const QString& number : order) {
        const std::optional<withdrawal::Period> period = withdrawal::latest(byAnimal.value(number));
        if (!period || period->end < today) continue;
        const AnimalTreatment* a = animal.value(number);
        rows << WithdrawalRow{a->number, a->pen, a->ranch, *period};
    }
    std::stable_sort(rows.begin(), rows.end(), [](const WithdrawalRow& x, const WithdrawalRow& y) {
        return x.period.end != y.period.end ? x.period.end < y.period.end : x.number < y.number;
    });
    return rows;
}

DayCell withdrawalLeftCell(const QDate& end, const QDate& today)
{
    return {withdrawal::daysLeftText(withdrawal::daysLeft(end, today)), end == today};
}

QVariantList withdrawalTableRow(const QStringList& cells, bool daysLeftBold)
{
    QVariantList row;
    for (int i = 0; i < 6; ++i) row << cells.value(i).trimmed();
    row << (daysLeftBold ? QStringLiteral("1") : QString());
    return row;
}

QString withdrawalSql()
{
    return QStringLiteral(
        "select 개체관리.개체번호, 개체관리.우방번호, 개체관리.별명, 백신접종.날짜, 백신접종.처치, 백신접종.만료일 "
        "from 백신접종 join 개체관리 on 개체관리.개체번호 = 백신접종.개체번호 "
        "where 백신접종.만료일 >= ? "
        "order by 개체관리.개체번호");
}

}  // namespace daily
