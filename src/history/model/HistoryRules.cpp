#include "history/model/HistoryRules.h"

#include "data/Values.h"

namespace entry {

EntryCheck missing(const QString& field, const QString& message)
{
    return {message, QStringLiteral("미입력"), MsgIcon::Information, field, EntryCheck::Kind::Missing};
}

EntryCheck invalidValue(const QString& field)
{
    return {QStringLiteral("값을 다시 입력해 주세요."), QStringLiteral("값 부정"), MsgIcon::Question, field,
            EntryCheck::Kind::Invalid};
}

EntryCheck duplicateDate(const QString& field, const QString& message)
{
    return {message, QStringLiteral("선택오류"), MsgIcon::Information, field, EntryCheck::Kind::Duplicate};
}

QString storedText(const QString& text)
{
    return text.trimmed();
}

QVariant storedNumber(const QString& text)
{
    const QString s = text.trimmed();
    if (s.isEmpty()) return 0;
    if (isNumeric(s)) return numericValue(s);
    return s;
}

qint64 dateNumber(const QDate& date)
{
    return datenum::fromDate(date);
}

bool positive(const QString& text)
{
    return isNumeric(text) && numericValue(text) > 0;
}

QString dateCell(const QString& stored)
{
    return datenum::digits(qint64(numericValue(stored)), QStringLiteral("0000-00-00"));
}

QString dateCellIfSet(const QString& stored)
{
    return positive(stored) ? dateCell(stored) : QString();
}

QString gridDate(const QDate& date)
{
    return formatDate(date, QStringLiteral("yyyy-mm-dd"));
}

QDate cellDate(const QString& cellText)
{
    return datenum::fromDashed(cellText);
}

}  // namespace entry
