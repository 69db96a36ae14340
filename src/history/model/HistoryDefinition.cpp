#include "history/model/HistoryDefinition.h"

#include "data/Schema.h"
#include "data/Values.h"

#include <QSqlRecord>

namespace {
const QString kAnimalColumn = QStringLiteral("개체번호");

// The CheckedDate field whose box decides whether `f` counts; "" when nothing does.
QString boxOf(const EntryField& f)
{
    if (f.kind == FieldKind::CheckedDate) return f.name;
    return f.group.isEmpty() ? f.storedWith : f.group;
}

QVariant storedValue(const EntryField& f, const EntryValues& v)
{
    const QString box = boxOf(f);
    const bool off = !box.isEmpty() && !v.ticked.value(box);
    switch (f.kind) {
    case FieldKind::Text: {
        const QString text = v.texts.value(f.name);
        if (f.store == TextStore::Number) return off ? QVariant(0) : entry::storedNumber(text);
        if (off) return QString();
        const QString trimmed = entry::storedText(text);
        return f.store == TextStore::TextOrZero && trimmed.isEmpty() ? QStringLiteral("0") : trimmed;
    }
    case FieldKind::Date:
    case FieldKind::CheckedDate: return off ? qint64(0) : entry::dateNumber(v.dates.value(f.name));
    case FieldKind::Choice: return off ? -1 : v.choices.value(f.name);
    }
    return {};
}

// The columns the fields are stored in, in the table's order, with their values.
struct StoredColumns {
    QStringList names;
    QVariantList values;
};

StoredColumns storedColumns(const HistoryDefinition& h, const EntryValues& v)
{
    StoredColumns c;
    for (const ColumnDef& column : tableDef(h.table).columns) {
        const EntryField* f = h.field(column.name);
        if (column.name == kAnimalColumn || !f) continue;
        c.names << column.name;
        c.values << storedValue(*f, v);
    }
    return c;
}

QString gridText(const EntryField& f, const EntryValues& v)
{
    const QString box = f.kind == FieldKind::CheckedDate ? f.name : f.group;
    if (!box.isEmpty() && !v.ticked.value(box)) return QString();
    switch (f.kind) {
    case FieldKind::Text: return v.texts.value(f.name);
    case FieldKind::Date:
    case FieldKind::CheckedDate: return entry::gridDate(v.dates.value(f.name));
    case FieldKind::Choice: return f.options.value(v.choices.value(f.name)).second;
    }
    return {};
}

// What the loader shows of a stored field. A date without a box always has one, so a stored 0
// shows as "0000-00-00" rather than hiding that the record lacks it.
QString loadedText(const EntryField& f, const StoredRecord& r)
{
    if (!f.group.isEmpty() && !r.isSet(f.group)) return QString();
    switch (f.kind) {
    case FieldKind::Text: return r.text(f.name);
    case FieldKind::Date: return r.dateCell(f.name);
    case FieldKind::CheckedDate: return r.dateCellIfSet(f.name);
    case FieldKind::Choice: return f.options.value(r.number(f.name) == 0 ? 0 : 1).second;
    }
    return {};
}
}  // namespace

QString StoredRecord::text(const QString& column) const
{
    return NullTrim(m_record.value(column));
}

double StoredRecord::number(const QString& column) const
{
    return numericValue(text(column));
}

bool StoredRecord::isSet(const QString& column) const
{
    return entry::positive(text(column));
}

QDate StoredRecord::date(const QString& column) const
{
    return datenum::toDate(qint64(number(column)));
}

QString StoredRecord::dateCell(const QString& column) const
{
    return entry::dateCell(text(column));
}

QString StoredRecord::dateCellIfSet(const QString& column) const
{
    return entry::dateCellIfSet(text(column));
}

const EntryField* HistoryDefinition::field(const QString& name) const
{
    for (const EntryField& f : fields)
        if (f.name == name) return &f;
    return nullptr;
}

HistoryDefinition historyNamed(int number, const QString& table, const QString& caption, const QString& dialogCaption,
                               const QString& keyField)
{
    HistoryDefinition h;
    h.number = number;
    h.table = table;
    h.caption = caption;
    h.dialogCaption = dialogCaption;
    h.keyField = keyField;
    return h;
}

QStringList HistoryDefinition::gridColumns() const
{
    if (!gridFields.isEmpty()) return gridFields;
    QStringList names;
    for (const EntryField& f : fields) names << f.name;
    return names;
}

int HistoryDefinition::keyColumn() const
{
    return int(gridColumns().indexOf(keyField)) + 1;
}

QString HistoryDefinition::deleteQuestion() const
{
    return QStringLiteral("선택하신 %1 내역을 삭제하시겠습니까?").arg(table);
}

QString HistoryDefinition::newQuestion() const
{
    return QStringLiteral("%1을 신규등록하시겠습니까?").arg(table);
}

QString HistoryDefinition::changeQuestion() const
{
    return QStringLiteral("%1을 수정하시겠습니까?").arg(table);
}

QString HistoryDefinition::duplicateDateMessage() const
{
    return QStringLiteral("%1를 다시 선택해 주세요.").arg(keyField);
}

EntryField& EntryField::inGroup(const QString& dateField)
{
    group = dateField;
    return *this;
}

EntryField& EntryField::storedWithDate(const QString& dateField)
{
    storedWith = dateField;
    return *this;
}

EntryField& EntryField::inFrame(const QString& frameName)
{
    frame = frameName;
    return *this;
}

EntryField& EntryField::withNote(const QString& text)
{
    note = text;
    return *this;
}

EntryField& EntryField::onRight()
{
    right = true;
    return *this;
}

EntryField& EntryField::asWide()
{
    wide = true;
    return *this;
}

namespace entry {
EntryField textField(const QString& name, const QString& caption, TextStore store)
{
    EntryField f;
    f.name = name;
    f.caption = caption;
    f.store = store;
    return f;
}

EntryField dateField(const QString& name, const QString& caption)
{
    EntryField f = textField(name, caption);
    f.kind = FieldKind::Date;
    return f;
}

EntryField checkedDateField(const QString& name, const QString& caption)
{
    EntryField f = textField(name, caption);
    f.kind = FieldKind::CheckedDate;
    return f;
}

EntryField choiceField(const QString& name, const QString& caption, const QList<QPair<QString, QString>>& options)
{
    EntryField f = textField(name, caption);
    f.kind = FieldKind::Choice;
    f.options = options;
    return f;
}

InputRule required(const QString& field, const QString& message)
{
    return {InputRule::Test::Required, field, message, {}};
}

InputRule numeric(const QString& field)
{
    return {InputRule::Test::Numeric, field, {}, {}};
}

InputRule numericIfFilled(const QString& field)
{
    return {InputRule::Test::NumericIfFilled, field, {}, {}};
}

InputRule numericWhileTicked(const QString& field, const QString& dateField)
{
    return {InputRule::Test::NumericWhileTicked, field, {}, dateField};
}

QList<InputRule> amountsIfFilled(const QStringList& fields)
{
    QList<InputRule> rules;
    for (const QString& f : fields) rules << numericIfFilled(f).notNegative();
    return rules;
}
}  // namespace entry

namespace history {

BoundStatement loadQuery(const HistoryDefinition& h, const QString& animal)
{
    return {QStringLiteral("select * from %1 where 개체번호 = ? order by %2").arg(h.table, h.keyField), {animal}};
}

BoundStatement recordQuery(const HistoryDefinition& h, const QString& animal, const QString& key)
{
    return {QStringLiteral("select * from %1 where 개체번호 = ? and %2 = ? order by %2").arg(h.table, h.keyField),
            {animal, key.trimmed().toLongLong()}};
}

BoundStatement deleteStatement(const HistoryDefinition& h, const QString& animal, qint64 keyDate)
{
    return {QStringLiteral("delete from %1 where 개체번호 = ? and %2 = ?").arg(h.table, h.keyField), {animal, keyDate}};
}

EntryValues openingValues(const HistoryDefinition& h, const QDate& today)
{
    EntryValues v;
    for (const EntryField& f : h.fields) {
        switch (f.kind) {
        case FieldKind::Text: v.texts[f.name] = QString(); break;
        case FieldKind::CheckedDate: v.ticked[f.name] = false; [[fallthrough]];
        case FieldKind::Date: v.dates[f.name] = today; break;
        case FieldKind::Choice: v.choices[f.name] = 0; break;
        }
    }
    if (h.follow) v = follow(*h.follow, v, v.dates.value(h.follow->from));
    return v;
}

EntryValues applyRecord(const HistoryDefinition& h, EntryValues v, const QSqlRecord& record)
{
    const StoredRecord r(record);
    auto load = [&](const EntryField& f) {
        switch (f.kind) {
        case FieldKind::Text: v.texts[f.name] = r.text(f.name); break;
        case FieldKind::Date:
        case FieldKind::CheckedDate:
            if (const QDate date = r.date(f.name); date.isValid()) v.dates[f.name] = date;
            break;
        case FieldKind::Choice: v.choices[f.name] = r.number(f.name) == 0 ? 0 : 1; break;
        }
    };
    for (const EntryField& f : h.fields) {
        if (!boxOf(f).isEmpty()) continue;
        load(f);
        // As if typed: the date's follow rule runs; a stored date it sets comes with its group.
        if (h.follow && h.follow->from == f.name)
            if (const QDate date = r.date(f.name); date.isValid()) v = follow(*h.follow, v, date);
    }
    for (const EntryField& box : h.fields) {
        if (box.kind != FieldKind::CheckedDate) continue;
        const bool set = r.isSet(box.name);
        v.ticked[box.name] = set;
        if (!set) continue;
        for (const EntryField& f : h.fields)
            if (boxOf(f) == box.name) load(f);
    }
    return v;
}

CheckResult check(const HistoryDefinition& h, const EntryValues& v)
{
    for (const InputRule& rule : h.checks) {
        const QString text = v.texts.value(rule.field);
        const bool empty = entry::storedText(text).isEmpty();
        bool failed = false;
        switch (rule.test) {
        case InputRule::Test::Required:
            if (empty) return entry::missing(rule.field, rule.message);
            break;
        case InputRule::Test::Numeric: failed = !isNumeric(text); break;
        case InputRule::Test::NumericIfFilled: failed = !empty && !isNumeric(text); break;
        case InputRule::Test::NumericWhileTicked: failed = v.ticked.value(rule.box) && !isNumeric(text); break;
        }
        if (!failed && rule.test != InputRule::Test::Required && isNumeric(text)) {
            const double value = numericValue(text);
            failed = value < rule.min || value > rule.max;
        }
        if (failed) return entry::invalidValue(rule.field);
    }
    return std::nullopt;
}

BoundStatement insertStatement(const HistoryDefinition& h, const QString& animal, const EntryValues& v)
{
    StoredColumns c = storedColumns(h, v);
    c.names.prepend(kAnimalColumn);
    c.values.prepend(animal);
    const QStringList marks(c.names.size(), QStringLiteral("?"));
    return {QStringLiteral("INSERT INTO %1(%2) VALUES(%3)")
                .arg(h.table, c.names.join(QStringLiteral(", ")), marks.join(QStringLiteral(", "))),
            c.values};
}

QVariantList insertValues(const HistoryDefinition& h, const QString& animal, const EntryValues& v)
{
    QVariantList values = storedColumns(h, v).values;
    values.prepend(animal);
    return values;
}

QHash<QString, QVariant> storedValues(const HistoryDefinition& h, const EntryValues& v)
{
    const StoredColumns c = storedColumns(h, v);
    QHash<QString, QVariant> out;
    for (qsizetype i = 0; i < c.names.size(); ++i) out.insert(c.names[i], c.values[i]);
    return out;
}

BoundStatement updateStatement(const HistoryDefinition& h, const QString& animal, const QString& key,
                               const EntryValues& v)
{
    StoredColumns c = storedColumns(h, v);
    QStringList sets;
    for (const QString& name : c.names) sets << name + QStringLiteral(" = ?");
    c.values << animal << key.trimmed().toLongLong();
    return {QStringLiteral("UPDATE %1 SET %2 WHERE 개체번호 = ? AND %3 = ?")
                .arg(h.table, sets.join(QStringLiteral(", ")), h.keyField),
            c.values};
}

QStringList savedRow(const HistoryDefinition& h, const EntryValues& v)
{
    QStringList row;
    for (const QString& name : h.gridColumns()) {
        const EntryField* f = h.field(name);
        row << (f ? gridText(*f, v) : QString());
    }
    return row;
}

QStringList loadedRow(const HistoryDefinition& h, const StoredRecord& r)
{
    if (h.loadedRow) return h.loadedRow(r);
    QStringList row;
    for (const QString& name : h.gridColumns()) {
        const EntryField* f = h.field(name);
        row << (f ? loadedText(*f, r) : r.text(name));
    }
    return row;
}

EntryValues follow(const DateFollow& rule, EntryValues v, const QDate& date)
{
    v.ticked[rule.to] = true;
    v.dates[rule.to] = date.addDays(rule.days);
    return v;
}

}  // namespace history
