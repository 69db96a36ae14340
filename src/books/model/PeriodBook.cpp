#include "books/model/PeriodBook.h"

#include "data/Db.h"
#include "data/Values.h"

namespace books {

Period periodOf(const QDate& start, const QDate& end)
{
    return {datenum::fromDate(start), datenum::fromDate(end)};
}

QString periodSql(const QString& columns, const QString& tables, const QString& join, const QString& dateColumn,
                  const QString& orderBy)
{
    QString sql = QStringLiteral("select ") + columns + QStringLiteral(" from ") + tables + QStringLiteral(" where ");
    if (!join.isEmpty()) sql += join + QStringLiteral(" and ");
    sql += QStringLiteral("( %1 >= ? and %1 <= ? ) order by %2").arg(dateColumn, orderBy);
    return sql;
}

report::Formulas farmNameFormula(const QString& farmName)
{
    return {{QStringLiteral("농장명"), farmName.trimmed()}};
}

namespace {
// A value the database holds as a number, read without going through its text: the books read
// a few per row, and a year of a large herd has hundreds of thousands of rows.
bool storedNumber(const QVariant& v, double* out)
{
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double: *out = v.toDouble(); return true;
    default: return false;
    }
}

void appendDigits(QString& s, int value, int width)
{
    QChar digits[4];
    for (int i = width - 1; i >= 0; --i, value /= 10) digits[i] = QChar(u'0' + value % 10);
    s.append(digits, width);
}

// The year, month and day of an eight-digit date number.
struct DateParts {
    int year, month, day;
};
DateParts partsOf(qint64 n)
{
    return {int(n / 10000), int(n / 100 % 100), int(n % 100)};
}
}  // namespace

QString dashedDate(const QVariant& dateNumber)
{
    const qint64 n = dateNumber.toLongLong();
    if (n < 0 || n > 99999999) return datenum::digits(n, QStringLiteral("0000-00-00"));
    const DateParts p = partsOf(n);
    QString s;
    s.reserve(10);
    appendDigits(s, p.year, 4);
    s.append(u'-');
    appendDigits(s, p.month, 2);
    s.append(u'-');
    appendDigits(s, p.day, 2);
    return s;
}

QString shortDateOf(qint64 dateNumber)
{
    if (dateNumber <= 0 || dateNumber > 99999999) return QString();
    const DateParts p = partsOf(dateNumber);
    if (!QDate::isValid(p.year, p.month, p.day)) return QString();
    QString s;
    s.reserve(8);
    appendDigits(s, p.year % 100, 2);
    s.append(u'-');
    appendDigits(s, p.month, 2);
    s.append(u'-');
    appendDigits(s, p.day, 2);
    return s;
}

QString thousands(const QVariant& number)
{
    double value = 0;
    if (storedNumber(number, &value)) return formatNumber(value, QStringLiteral("#,##0"));
    const QString text = NullTrim(number);
    if (!isNumeric(text)) return text;
    return formatNumber(numericValue(text), QStringLiteral("#,##0"));
}

double numberField(const QVariant& value, const QString& column, const QString& animal)
{
    double number = 0;
    if (storedNumber(value, &number)) return number;
    const QString text = NullTrim(value);
    if (!isNumeric(text))
        throw DbError(QStringLiteral("개체 %1의 %2 값(%3)을 숫자로 읽을 수 없습니다.").arg(animal, column, text));
    return numericValue(text);
}

QString sexText(const QVariant& flag, const QString& column, const QString& animal)
{
    return numberField(flag, column, animal) != 0 ? QStringLiteral("수") : QStringLiteral("암");
}

}  // namespace books
