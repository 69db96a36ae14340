#include "sheets/model/SheetCells.h"

QString columnLetter(int index)
{
    QString s;
    for (int n = index + 1; n > 0; n = (n - 1) / 26) s.prepend(QChar(u'A' + (n - 1) % 26));
    return s;
}

int columnOfReference(QStringView reference)
{
    int col = 0;
    qsizetype i = 0;
    for (; i < reference.size() && reference[i].isLetter(); ++i)
        col = col * 26 + (reference[i].toUpper().unicode() - u'A' + 1);
    return i == 0 ? -1 : col - 1;
}

double excelSerial(const QDate& day)
{
    static const qint64 dayZero = QDate(1899, 12, 30).toJulianDay();
    return double(day.toJulianDay() - dayZero);
}

QDate dayOfExcelSerial(qint64 serial, bool date1904)
{
    if (date1904) return QDate(1904, 1, 1).addDays(serial);
    if (serial >= 61) return QDate(1899, 12, 30).addDays(serial);
    // Excel counts a 1900-02-29 (Lotus's mistake): the days before it are one off.
    if (serial == 60) return {};
    return QDate(1899, 12, 31).addDays(serial);
}

bool startsLikeFormula(QStringView text)
{
    if (text.isEmpty()) return false;
    const char16_t c = text.front().unicode();
    return c == u'=' || c == u'+' || c == u'-' || c == u'@' || c == u'\t' || c == u'\r';
}

QString guardedCell(const QString& text)
{
    return startsLikeFormula(text) ? u'\'' + text : text;
}

QString unguardedCell(const QString& field)
{
    return field.startsWith(u'\'') ? field.mid(1) : field;
}

void appendCsvField(QByteArray& out, QStringView text)
{
    const QByteArray utf8 = text.toUtf8();
    if (!utf8.contains(',') && !utf8.contains('"') && !utf8.contains('\n') && !utf8.contains('\r')) {
        out += utf8;
        return;
    }
    out += '"';
    for (char ch : utf8) {
        if (ch == '"') out += '"';
        out += ch;
    }
    out += '"';
}
