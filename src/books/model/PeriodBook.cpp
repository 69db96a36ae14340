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

QString farmNameFormula(const QString& farmName)
{
    return QStringLiteral("농장명 = '") + farmName.trimmed() + QStringLiteral("' ");
}

QString dashedDate(const QVariant& dateNumber)
{
    return datenum::digits(dateNumber.toLongLong(), QStringLiteral("0000-00-00"));
}

QString thousands(const QVariant& number)
{
    const QString text = NullTrim(number);
    if (!isNumeric(text)) return text;
    return formatNumber(numericValue(text), QStringLiteral("#,##0"));
}

double numberField(const QVariant& value, const QString& column, const QString& animal)
{
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
