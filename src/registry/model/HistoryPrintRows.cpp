#include "registry/model/HistoryPrintRows.h"

#include "data/Values.h"

using namespace Qt::StringLiterals;
using animalprint::boxDate;
using animalprint::cellDate;

namespace {

QString cell(const QStringList& cells, int column)
{
    return cells.value(column - 1).trimmed();
}

// A number column of the work table: the number a cell shows, or the cell's text as it is.
QVariant numberCell(const QString& text)
{
    return isNumeric(text) ? QVariant(numericValue(text)) : QVariant(text);
}

// The report shows a blank rather than nothing where a name was never given.
QString blankWhenEmpty(const QString& text)
{
    return text.isEmpty() ? u" "_s : text;
}

}  // namespace

namespace historyprint {

QVariantList breedingRow(const QStringList& c)
{
    const QString date = u"yy.mm.dd"_s;
    const QString bcs = cell(c, 6);
    return {numberCell(cell(c, 1)),
            numberCell(cell(c, 2)),
            cellDate(cell(c, 3), date),
            cell(c, 4),
            cell(c, 5),
            cellDate(cell(c, 9), date),
            bcs.isEmpty() ? QVariant(0) : numberCell(bcs),
            cellDate(cell(c, 7), date),
            cell(c, 8),
            cellDate(cell(c, 10), date),
            cell(c, 11),
            cell(c, 12),
            cell(c, 13)};
}

QVariantList treatmentRow(const QStringList& c)
{
    const QString date = u"yyyy-mm-dd"_s;
    return {cellDate(cell(c, 1), date), cell(c, 2), cellDate(cell(c, 3), date),
            blankWhenEmpty(cell(c, 4)), cell(c, 5), cellDate(cell(c, 6), date),
            blankWhenEmpty(cell(c, 7)), cell(c, 8)};
}

report::Formulas headerFormulas(const AnimalRecord& a, const FarmHeader& farm)
{
    report::Formulas out = animalprint::registrationFormulas(a, farm);
    if (animalprint::isBull(a)) {
        out.set(u"출하예정일"_s, boxDate(a.출하예정일));
        out.set(u"출하일"_s, boxDate(a.출하일));
    }
    out.set(u"점수"_s, a.점수.trimmed());
    out.set(u"개체특징"_s, a.개체특징.trimmed());
    out.set(u"우방번호"_s, a.우방번호.trimmed());
    return out;
}

}  // namespace historyprint
