#include "history/model/Grading.h"

#include "data/Schema.h"
#include "data/Values.h"

#include <QSqlRecord>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {
const QString kAnimalColumn = u"개체번호"_s;
const QString kDateColumn = u"판정일"_s;

HistoryDefinition define()
{
    using namespace entry;
    HistoryDefinition h;
    h.number = 5;
    h.table = u"등급판정"_s;
    h.caption = u"도태등급판정"_s;
    const TextStore number = TextStore::Number;
    h.fields = {textField(u"작업장"_s, u"작 업 장"_s),
                dateField(u"판정일"_s, u"판 정 일"_s),
                textField(u"생체중"_s, u"생 체 중"_s, number),
                textField(u"등지방두께"_s, u"등지방두께"_s, number),
                textField(u"등심단면적"_s, u"등심단면적"_s, number),
                textField(u"도체중"_s, u"도 체 중"_s, number),
                textField(u"근내지방"_s, u"근내지방"_s, number),
                textField(u"육색"_s, u"육     색"_s),
                textField(u"지방색"_s, u"지 방 색"_s),
                textField(u"조직감"_s, u"조 직 감"_s),
                textField(u"성숙도"_s, u"성 숙 도"_s),
                textField(u"최종등급"_s, u"최종등급"_s),
                textField(u"지육단가"_s, u"지육단가"_s, number),
                textField(u"경락가"_s, u"경 락 가"_s, number),
                textField(u"등급판정사"_s, u"등급판정사"_s)};
    h.checks = {required(u"작업장"_s, u"작업장을 입력해 주세요."_s)};
    // Every number box, 등지방두께 included (a text there would only fail in the database),
    // holds a measurement or a price: never below zero.
    for (const EntryField& f : h.fields)
        if (f.store == TextStore::Number) h.checks << numericIfFilled(f.name).notNegative();
    return h;
}

QVariant storedValue(const EntryField& f, const EntryValues& v)
{
    if (f.kind == FieldKind::Date) return entry::dateNumber(v.dates.value(f.name));
    const QString text = v.texts.value(f.name);
    if (grading::isPrice(f.name)) return grading::storedPrice(text);
    if (f.store == TextStore::Number) return entry::storedNumber(text);
    return entry::storedText(text);
}

// The columns after 개체번호 that a box is stored in, in the table's order.
QStringList storedColumns()
{
    QStringList names = tableDef(grading::definition().table).columnNames();
    names.removeAll(kAnimalColumn);
    return names;
}

// A price box in a number format; texts that are no number stay as they are.
QString formatPrice(const QString& text, const QString& pattern)
{
    return isNumeric(text) ? formatNumber(numericValue(text), pattern) : text;
}
}  // namespace

namespace grading {

const HistoryDefinition& definition()
{
    static const HistoryDefinition h = define();
    return h;
}

bool isPrice(const QString& field)
{
    return field == u"지육단가"_s || field == u"경락가"_s;
}

QString priceForEditing(const QString& text)
{
    return formatPrice(text, u"##0"_s);
}

QString priceForShowing(const QString& text)
{
    return formatPrice(text, u"#,##0"_s);
}

QVariant storedPrice(const QString& text)
{
    const QVariant n = entry::storedNumber(text);
    // Anything but a number is passed on for the database to refuse.
    if (n.typeId() == QMetaType::QString) return n;
    return qint64(std::round(n.toDouble()));
}

EntryValues emptyValues(const QDate& today)
{
    return history::openingValues(definition(), today);
}

EntryValues loadedValues(const QSqlRecord& record, const QDate& today)
{
    EntryValues v = history::applyRecord(definition(), emptyValues(today), record);
    if (!StoredRecord(record).date(kDateColumn).isValid()) v.dates.remove(kDateColumn);
    for (auto it = v.texts.begin(); it != v.texts.end(); ++it)
        if (isPrice(it.key())) it.value() = priceForShowing(it.value());
    return v;
}

QString badDateNote(const QSqlRecord& record)
{
    const StoredRecord r(record);
    if (r.date(kDateColumn).isValid()) return {};
    return u"저장된 판정일(%1)이 올바른 날짜가 아니어서 비워 두었습니다. 날짜를 입력해 주십시오."_s.arg(
        r.text(kDateColumn));
}

CheckResult check(const EntryValues& v)
{
    return history::check(definition(), v);
}

QString saveQuestion(bool hasRow)
{
    return hasRow ? definition().changeQuestion() : definition().newQuestion();
}

QString saveTitle(bool hasRow)
{
    return hasRow ? u"수정"_s : u"등록"_s;
}

QString deleteQuestion()
{
    return u"%1 내역을 삭제하시겠습니까?"_s.arg(definition().table);
}

QVariantList storedValues(const EntryValues& v)
{
    QVariantList values;
    for (const QString& column : storedColumns()) {
        const EntryField* f = definition().field(column);
        values << (f ? storedValue(*f, v) : QVariant());
    }
    return values;
}

BoundStatement loadQuery(const QString& animal)
{
    return {u"select * from %1 where %2 = ?"_s.arg(definition().table, kAnimalColumn), {animal}};
}

BoundStatement insertStatement(const QString& animal, const EntryValues& v)
{
    const QStringList columns = QStringList{kAnimalColumn} + storedColumns();
    const QStringList marks(columns.size(), u"?"_s);
    QVariantList binds{animal};
    binds += storedValues(v);
    return {u"INSERT INTO %1(%2) VALUES(%3)"_s.arg(definition().table, columns.join(u", "_s), marks.join(u", "_s)),
            binds};
}

BoundStatement updateStatement(const QString& animal, const EntryValues& v)
{
    const bool keepDate = !v.dates.value(kDateColumn).isValid();
    QStringList sets;
    QVariantList binds;
    const QStringList columns = storedColumns();
    const QVariantList values = storedValues(v);
    for (qsizetype i = 0; i < columns.size(); ++i) {
        if (keepDate && columns[i] == kDateColumn) continue;
        sets << columns[i] + u" = ?"_s;
        binds << values[i];
    }
    binds << animal;
    return {u"UPDATE %1 SET %2 WHERE %3 = ?"_s.arg(definition().table, sets.join(u", "_s), kAnimalColumn), binds};
}

BoundStatement deleteStatement(const QString& animal)
{
    return {u"delete from %1 where %2 = ?"_s.arg(definition().table, kAnimalColumn), {animal}};
}

}  // namespace grading
