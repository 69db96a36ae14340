#include "registry/model/AnimalRow.h"

#include "data/Schema.h"
#include "data/Values.h"

#include <QHash>
#include <QSqlRecord>
#include <stdexcept>

// Where a column lives in the struct: a text or a number member, or the kind (구분).
struct AnimalColumnSlot {
    QString AnimalRecord::*text = nullptr;
    qint64 AnimalRecord::*number = nullptr;
    bool kind = false;
};
using Slot = AnimalColumnSlot;

namespace {
std::pair<QString, Slot> textSlot(const char* column, QString AnimalRecord::*member)
{
    return {QString::fromUtf8(column), Slot{member, nullptr}};
}
std::pair<QString, Slot> numberSlot(const char* column, qint64 AnimalRecord::*member)
{
    return {QString::fromUtf8(column), Slot{nullptr, member}};
}
std::pair<QString, Slot> kindSlot()
{
    return {QStringLiteral("구분"), Slot{nullptr, nullptr, true}};
}
// The members carry the names of their columns.
#define ANIMAL_TEXT(member) textSlot(#member, &AnimalRecord::member)
#define ANIMAL_NUMBER(member) numberSlot(#member, &AnimalRecord::member)

const QHash<QString, Slot>& columnSlots()
{
    static const QHash<QString, Slot> s = {
        ANIMAL_TEXT(개체번호),     kindSlot(),
        ANIMAL_NUMBER(구분2),      ANIMAL_NUMBER(개체생일),
        ANIMAL_TEXT(등록번호),     ANIMAL_TEXT(별명),
        ANIMAL_TEXT(우방번호),     ANIMAL_NUMBER(입식일자),
        ANIMAL_TEXT(정액번호),     ANIMAL_TEXT(부번호),
        ANIMAL_TEXT(축산업번호),   ANIMAL_TEXT(번식농장),
        ANIMAL_TEXT(모번호),       ANIMAL_NUMBER(판매일),
        ANIMAL_TEXT(개체특징),     ANIMAL_TEXT(점수),
        ANIMAL_NUMBER(출하예정일), ANIMAL_NUMBER(출하일),
    };
    return s;
}

#undef ANIMAL_TEXT
#undef ANIMAL_NUMBER

const Slot& slotOf(const QString& column)
{
    const auto it = columnSlots().constFind(column);
    if (it == columnSlots().constEnd()) throw std::invalid_argument("개체관리 has no column " + column.toStdString());
    return *it;
}
}  // namespace

const TableDef& animalTable()
{
    return tableDef(QStringLiteral("개체관리"));
}

QVariant animalColumnValue(const AnimalRecord& r, const QString& column)
{
    const Slot& s = slotOf(column);
    if (s.kind) return qint64(r.구분 == AnimalKind::Bull ? 1 : 0);
    if (s.number) return r.*s.number;
    const QString& text = r.*s.text;
    const ColumnDef* def = animalTable().column(column);
    if (def && def->type != QLatin1String("TEXT")) return numericValue(text);
    return text;
}

void setAnimalColumnValue(AnimalRecord& r, const QString& column, const QVariant& value)
{
    const Slot& s = slotOf(column);
    if (s.kind)
        r.구분 = value.toLongLong() != 0 ? AnimalKind::Bull : AnimalKind::Cow;
    else if (s.number)
        r.*s.number = value.toLongLong();
    else
        r.*s.text = value.toString();
}

AnimalRecordReader::AnimalRecordReader(const QSqlQuery& q)
{
    const QSqlRecord rec = q.record();
    for (const ColumnDef& c : animalTable().columns) {
        const int index = rec.indexOf(c.name);
        if (index >= 0) m_columns.emplace_back(index, &slotOf(c.name));
    }
}

AnimalRecord AnimalRecordReader::read(const QSqlQuery& q) const
{
    AnimalRecord r;
    for (const auto& [index, slot] : m_columns) {
        if (slot->kind)
            r.구분 = q.value(index).toLongLong() != 0 ? AnimalKind::Bull : AnimalKind::Cow;
        else if (slot->number)
            r.*slot->number = q.value(index).toLongLong();
        else
            r.*slot->text = NullTrim(q.value(index));
    }
    return r;
}
