#include "registry/model/SearchRules.h"

#include "data/Schema.h"
#include "data/Values.h"

#include <QRegularExpression>

SearchQuery buildSearchQuery(const SearchConditions& c)
{
    SearchQuery q;
    QStringList where;
    if (c.sex == SexFilter::Cows)
        where << QStringLiteral("구분 = 0");
    else if (c.sex == SexFilter::Bulls)
        where << QStringLiteral("구분 = 1");
    const QString word = c.word.trimmed();
    if (!word.isEmpty()) {
        where << QStringLiteral("(개체번호 = ? or 별명 = ? or 등록번호 = ?)");
        q.binds << word << word << word;
    }
    // The age box belongs to the bulls; with any other choice its tick is ignored.
    if (c.sex == SexFilter::Bulls && c.olderThan28) where << QStringLiteral("출하일 = 0");
    // Only the columns the list shows: every column read costs time on large herds.
    QStringList columns = animalTable().columnNames();
    columns.removeOne(QStringLiteral("축산업번호"));
    columns.removeOne(QStringLiteral("번식농장"));
    q.sql = QStringLiteral("select %1 from 개체관리 ").arg(columns.join(QStringLiteral(", ")));
    if (!where.isEmpty()) q.sql += QStringLiteral("where ") + where.join(QStringLiteral(" and ")) + u' ';
    q.sql += QStringLiteral("order by 개체생일 desc, 개체번호");
    return q;
}

bool skippedByAge(qint64 birth, const QDate& today)
{
    if (birth == 0) return false;
    const QDate born = datenum::toDate(birth);
    if (!born.isValid()) return false;
    return addMonthsClamped(born, 28) > today;
}

namespace {
struct SearchColumn {
    QString header;
    CellKind kind;
};

// Each column's header and what it holds. Animal, registration, semen, pen and dam numbers are
// identifiers: text, however much they look like numbers.
const QList<SearchColumn>& searchColumns()
{
    using enum CellKind;
    static const QList<SearchColumn> columns = {{QStringLiteral("개체식별번호"), Text},
                                                {QStringLiteral("암/수소"), Text},
                                                {QStringLiteral("구분"), Text},
                                                {QStringLiteral("개체생일"), Date},
                                                {QStringLiteral("종축등록번호"), Text},
                                                {QStringLiteral("목장명"), Text},
                                                {QStringLiteral("우방번호"), Text},
                                                {QStringLiteral("입식일자"), Date},
                                                {QStringLiteral("부번호(정액번호) KPN-"), Text},
                                                {QStringLiteral("부번호(바코드)"), Text},
                                                {QStringLiteral("모번호"), Text},
                                                {QStringLiteral("판매일(거세일)"), Date},
                                                {QStringLiteral("개체특징"), Text},
                                                {QStringLiteral("흑비경"), Number},
                                                {QStringLiteral("출하예정일"), Date},
                                                {QStringLiteral("출하일"), Date},
                                                {QStringLiteral("개월령"), Number}};
    return columns;
}
}  // namespace

QStringList searchHeaders()
{
    QStringList headers;
    for (const SearchColumn& c : searchColumns()) headers << c.header;
    return headers;
}

QList<CellKind> searchColumnKinds()
{
    QList<CellKind> kinds;
    for (const SearchColumn& c : searchColumns()) kinds << c.kind;
    return kinds;
}

SearchRowFormatter::SearchRowFormatter(const QDate& today)
    : m_today(today),
      m_cow(QStringLiteral("암소")),
      m_bull(QStringLiteral("수소")),
      m_pure(QStringLiteral("순종")),
      m_cross(QStringLiteral("교잡종"))
{
}

const QString& SearchRowFormatter::dateText(qint64 n)
{
    static const QString empty;
    if (n <= 0) return empty;
    auto it = m_dates.find(n);
    if (it == m_dates.end()) it = m_dates.insert(n, datenum::longText(n));
    return *it;
}

QString SearchRowFormatter::ageText(const AnimalRecord& r)
{
    if (r.출하일 != 0 || r.개체생일 == 0) return QString();
    const QDate born = datenum::toDate(r.개체생일);
    if (!born.isValid()) return QString();
    const int months = ageInMonths(born, m_today);
    auto it = m_ages.find(months);
    if (it == m_ages.end()) it = m_ages.insert(months, QString::number(months) + QStringLiteral(" 개월령"));
    return *it;
}

QStringList SearchRowFormatter::columns1To16(const AnimalRecord& r, const QString& score)
{
    QStringList c;
    c.reserve(kSearchColumns);
    c << r.개체번호 << (r.구분 == AnimalKind::Bull ? m_bull : m_cow) << (r.구분2 != 0 ? m_cross : m_pure)
      << dateText(r.개체생일) << r.등록번호 << r.별명 << r.우방번호 << dateText(r.입식일자) << r.정액번호 << r.부번호
      << r.모번호 << dateText(r.판매일) << r.개체특징 << score << dateText(r.출하예정일) << dateText(r.출하일);
    return c;
}

QStringList SearchRowFormatter::cells(const AnimalRecord& r)
{
    QStringList c = columns1To16(r, r.점수.toDouble() != 0 ? r.점수 : QString());
    c << ageText(r);
    return c;
}

QStringList SearchRowFormatter::savedCells(const AnimalRecord& typed)
{
    return columns1To16(typed, typed.점수);
}

QColor searchRowColor(const AnimalRecord& r)
{
    return r.구분 == AnimalKind::Bull ? QColor(0, 0, 255) : QColor(Qt::black);
}

namespace {
// The date number a date cell shows ("yyyy년 mm월 dd일"), whether or not it is a real day; 0
// for an empty cell or one that shows no date number.
qint64 dateNumberOfCell(const QString& cell)
{
    static const QRegularExpression re(QStringLiteral("^\\s*(\\d+)년\\s*(\\d+)월\\s*(\\d+)일\\s*$"));
    const auto m = re.match(cell);
    if (!m.hasMatch()) return 0;
    return m.captured(1).toLongLong() * 10000 + m.captured(2).toLongLong() * 100 + m.captured(3).toLongLong();
}
}  // namespace

AnimalRecord animalOfRow(const QStringList& cells)
{
    auto cell = [&](int col) { return cells.value(col - 1); };
    AnimalRecord r;
    r.개체번호 = cell(1);
    r.구분 = cell(2) == QStringLiteral("암소") ? AnimalKind::Cow : AnimalKind::Bull;
    r.구분2 = cell(3) == QStringLiteral("순종") ? 0 : 1;
    r.개체생일 = dateNumberOfCell(cell(4));
    r.등록번호 = cell(5);
    r.별명 = cell(6);
    r.우방번호 = cell(7);
    r.입식일자 = dateNumberOfCell(cell(8));
    r.정액번호 = cell(9);
    r.부번호 = cell(10);
    r.모번호 = cell(11);
    r.판매일 = dateNumberOfCell(cell(12));
    r.개체특징 = cell(13);
    r.점수 = cell(14);
    r.출하예정일 = dateNumberOfCell(cell(15));
    r.출하일 = dateNumberOfCell(cell(16));
    return r;
}

QVariantList listPrintRow(const QStringList& cells)
{
    QVariantList v;
    v.reserve(18);
    auto cell = [&](int col) { return col <= cells.size() ? cells[col - 1].trimmed() : QString(); };
    for (int col = 1; col <= 10; ++col) v << cell(col);
    v << QString() << QString();
    for (int col = 11; col <= 16; ++col) v << cell(col);
    return v;
}
