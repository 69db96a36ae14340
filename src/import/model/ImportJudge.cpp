// The verdict of one imported row: read as the record forms and the breeding dialog would
// have it typed, checked by their checks, compared with what the farm holds.
#include "data/Schema.h"
#include "data/Values.h"
#include "history/model/BreedingHistory.h"
#include "import/model/ImportRun.h"
#include "import/model/ImportValues.h"
#include "mating/model/BullCatalogue.h"
#include "mating/model/CatalogueRows.h"
#include "mating/model/Kpn.h"
#include "mating/model/MatingSettings.h"
#include "mating/model/ServiceCheck.h"
#include "registry/model/AnimalEntry.h"
#include "registry/model/AnimalStore.h"

#include <QSqlRecord>
#include <cmath>

namespace {
const QString kInseminated = QStringLiteral("수정일");
const QString kExpected = QStringLiteral("예정일");
const QString kBcs = QStringLiteral("BCS");
const QString kSex = QStringLiteral("구분");
const QString kBreed = QStringLiteral("구분2");
const QString kPregnancy = QStringLiteral("가부");
const QString kChecked = QStringLiteral("판정일");
const QString kCalved = QStringLiteral("분만일");
const QString kCalf = QStringLiteral("송아지번호");
const QString kCalfSex = QStringLiteral("성별");
const QString kSemen = QStringLiteral("정액번호");
const QString kDonor = QStringLiteral("공란우");

// The numbers that name an animal or a semen straw: never numbers to a spreadsheet.
bool isIdentifier(const QString& key)
{
    static const QStringList keys = {QStringLiteral("개체번호"),
                                     QStringLiteral("등록번호"),
                                     QStringLiteral("정액번호"),
                                     QStringLiteral("부번호"),
                                     QStringLiteral("모번호"),
                                     QStringLiteral("공란우"),
                                     kCalf};
    return keys.contains(key);
}

QString quoted(const QString& text)
{
    return QStringLiteral("'") + text + QStringLiteral("'");
}

RowVerdict refused(const QString& reason)
{
    return {Verdict::Refused, reason, {}};
}

RowVerdict notADate(const QString& caption, const QString& text)
{
    return refused(QStringLiteral("%1: 날짜로 읽을 수 없습니다 (%2).").arg(caption, quoted(text)));
}

RowVerdict lostDigits(const QString& caption, const QString& text)
{
    return refused(QStringLiteral("%1: 스프레드시트가 번호를 숫자로 바꾸며 자리가 없어졌습니다 (%2). 엑셀에서 그 "
                                  "열을 텍스트 형식으로 바꾸고 번호를 다시 넣은 뒤 가져와 주세요.")
                       .arg(caption, quoted(text)));
}

// What a failed entry check means for the row, by the import field's caption.
QString checkReason(const EntryCheck& failed, const QString& caption, const QString& text,
                    const QList<InputRule>& rules)
{
    if (failed.kind == EntryCheck::Kind::Missing) return QStringLiteral("%1: 값이 없습니다.").arg(caption);
    QString want = QStringLiteral("숫자");
    for (const InputRule& r : rules) {
        if (r.field != failed.field) continue;
        if (std::isfinite(r.min) && std::isfinite(r.max))
            want = QStringLiteral("%1~%2의 숫자").arg(r.min).arg(r.max);
        else if (r.min == 0)
            want = QStringLiteral("0 이상의 숫자");
    }
    if (text.isEmpty()) return QStringLiteral("%1: 값이 없습니다 (%2여야 합니다).").arg(caption, want);
    return QStringLiteral("%1: %2여야 합니다 (%3).").arg(caption, want, quoted(text));
}

// Whether a stored value and the value a save would store are the same, by the column's type.
bool sameValue(const QVariant& stored, const QVariant& now, const ColumnDef* column)
{
    if (column && column->type == QLatin1String("TEXT")) return NullTrim(stored) == NullTrim(now);
    return stored.toDouble() == now.toDouble();
}

// A value as the preview shows it stored: dates yyyy-mm-dd, the two-way choices by their words.
QString shownValue(ImportTarget target, const QString& key, const QVariant& value)
{
    const QString text = NullTrim(value);
    const auto date = [&] {
        const qint64 n = qint64(numericValue(text));
        return n > 0 ? datenum::toDate(n).toString(QStringLiteral("yyyy-MM-dd")) : QString();
    };
    if (target == ImportTarget::Animals) {
        if (key == kSex) return numericValue(text) != 0 ? QStringLiteral("수소") : QStringLiteral("암소");
        if (key == kBreed) return numericValue(text) != 0 ? QStringLiteral("교잡종") : QStringLiteral("순종");
        const ColumnDef* c = animalTable().column(key);
        return c && c->type == QLatin1String("INTEGER") ? date() : text;
    }
    const EntryField* f = breedingHistory().field(key);
    if (!f) return text;
    switch (f->kind) {
    case FieldKind::Text: return text;
    case FieldKind::Date:
    case FieldKind::CheckedDate: return date();
    case FieldKind::Choice: {
        const double n = numericValue(text);
        return n == 0 || n == 1 ? f->options.value(int(n)).second : QString();
    }
    }
    return text;
}

// "목장명: 가나목장 → 새목장".
QString changeText(const QString& caption, const QString& was, const QString& now)
{
    const auto shown = [](const QString& s) { return s.isEmpty() ? QStringLiteral("(빈칸)") : s; };
    return QStringLiteral("%1: %2 → %3").arg(caption, shown(was), shown(now));
}

const QString& captionOf(ImportTarget target, const QString& key)
{
    static const QString none;
    const int f = fieldIndex(target, key);
    return f >= 0 ? importFields(target)[f].caption : none;
}
}  // namespace

QString verdictText(Verdict v)
{
    switch (v) {
    case Verdict::New: return QStringLiteral("신규");
    case Verdict::Update: return QStringLiteral("갱신");
    case Verdict::Same: return QStringLiteral("동일");
    case Verdict::Kept: return QStringLiteral("제외");
    case Verdict::Refused: return QStringLiteral("거부");
    }
    return {};
}

QStringList importAssumptions(const ImportPlan& plan)
{
    QStringList out;
    if (plan.target == ImportTarget::Breeding) {
        const FieldSource bcs = plan.mapping.value(fieldIndex(plan.target, kBcs));
        if (bcs.column < 0 && bcs.fallback.trimmed().isEmpty())
            out << QStringLiteral("파일에 BCS 열이 없어 모든 기록의 BCS를 입력하지 않은 것(0)으로 넣습니다.");
    }
    return out;
}

qint64 ImportTotals::rows() const
{
    qint64 n = 0;
    for (qint64 c : counts) n += c;
    return n;
}

RowJudge::RowJudge(const ImportPlan& plan, const QDate& today) : m_plan(plan), m_today(today)
{
    if (plan.target == ImportTarget::Bulls) {
        for (Bull& b : loadBulls()) m_bulls.insert(b.kpn, std::move(b));
        return;
    }
    QSqlQuery q = runQuery(QStringLiteral("select 개체번호, 구분 from 개체관리"));
    while (q.next()) m_kinds.insert(NullTrim(q.value(0)), q.value(1).toInt());
    if (plan.target == ImportTarget::Breeding) {
        q = runQuery(QStringLiteral("select distinct 개체번호 from 번식기록"));
        while (q.next()) m_withBreeding.insert(NullTrim(q.value(0)));
    }
    if (plan.target == ImportTarget::Breeding) {
        const HistoryDefinition& h = breedingHistory();
        for (const ImportField& f : importFields(plan.target)) m_entryFields << h.field(f.key);
        m_opening = history::openingValues(h, today);
        m_insertSql = history::insertStatement(h, QString(), m_opening).sql;
        m_withoutBcs = h;
        m_withoutBcs.checks.removeIf([](const InputRule& r) { return r.field == kBcs; });
        // Breeding rows change no animal's parents: one pedigree serves every row.
        m_calves = std::make_unique<mating::CalfRisks>(mating::loadPedigree());
        m_inbreedingLimit = mating::readMatingSettings().inbreedingLimit;
    }
    m_stored = QSqlQuery(gConn);
    const QString sql = plan.target == ImportTarget::Animals
                            ? QStringLiteral("select * from 개체관리 where 개체번호 = ?")
                            : history::recordQuery(breedingHistory(), QString(), QString()).sql;
    if (!m_stored.prepare(sql)) throw DbError(m_stored.lastError());
}

RowJudge::~RowJudge() = default;

bool RowJudge::hasColumn(int field) const
{
    return field >= 0 && field < m_plan.mapping.size() && hasSource(m_plan.mapping[field]);
}

QString RowJudge::value(int field, const QStringList& cells) const
{
    if (field < 0 || field >= m_plan.mapping.size()) return {};
    return sourceText(m_plan.mapping[field], cells);
}

qint64 RowJudge::earlierLine(const QString& key, qint64 line)
{
    // A 64-bit digest keeps a million keys in a few megabytes.
    const quint64 digest = quint64(qHash(key, size_t(0x5eed7a1c0ffee))) ^ (quint64(key.size()) << 56);
    const auto it = m_seen.constFind(digest);
    if (it != m_seen.constEnd()) return *it;
    m_seen.insert(digest, line);
    return 0;
}

RowVerdict RowJudge::changed(const QStringList& changes, QStringList values) const
{
    if (changes.isEmpty()) return {Verdict::Same, {}, std::move(values)};
    const Verdict v = m_plan.policy == ImportPolicy::AddAndUpdate ? Verdict::Update : Verdict::Kept;
    return {v, changes.join(QStringLiteral(", ")), std::move(values)};
}

RowVerdict RowJudge::judge(const QStringList& cells, qint64 line, BoundStatement* write)
{
    switch (m_plan.target) {
    case ImportTarget::Animals: return judgeAnimal(cells, line, write);
    case ImportTarget::Breeding: return judgeBreeding(cells, line, write);
    case ImportTarget::Bulls: return judgeBull(cells, line, write);
    }
    return refused(QString());
}

RowVerdict RowJudge::judgeAnimal(const QStringList& cells, qint64 line, BoundStatement* write)
{
    const ImportTarget target = ImportTarget::Animals;
    const QList<ImportField>& fields = importFields(target);
    const QString number = value(0, cells);
    if (number.isEmpty()) return refused(QStringLiteral("개체번호가 없습니다."));
    if (import::hasLostDigits(number)) return lostDigits(fields[0].caption, number);
    if (const qint64 first = earlierLine(number, line))
        return refused(QStringLiteral("같은 개체번호가 파일의 %1행에 먼저 있습니다.").arg(first));

    const auto kind = m_kinds.constFind(number);
    const bool exists = kind != m_kinds.constEnd();
    AnimalRecord stored;
    if (exists) {
        m_stored.addBindValue(number);
        if (!m_stored.exec()) throw DbError(m_stored.lastError());
        if (m_stored.next()) stored = AnimalRecordReader(m_stored).read(m_stored);
        m_stored.finish();
    }
    AnimalRecord r = stored;
    r.개체번호 = number;
    bool sexGiven = false;
    for (int f = 1; f < fields.size(); ++f) {
        const QString text = value(f, cells);
        if (text.isEmpty()) continue;  // nothing in the file: the stored value stays
        const QString& key = fields[f].key;
        QVariant converted = text;
        if (isIdentifier(key) && import::hasLostDigits(text)) return lostDigits(fields[f].caption, text);
        if (key == kSex) {
            const auto sex = import::parseSex(text);
            if (!sex)
                return refused(
                    QStringLiteral("%1: 암소/수소로 읽을 수 없습니다 (%2).").arg(fields[f].caption, quoted(text)));
            converted = *sex;
            sexGiven = true;
        } else if (key == kBreed) {
            const auto breed = import::parseBreed(text);
            if (!breed)
                return refused(
                    QStringLiteral("%1: 순종/교잡종으로 읽을 수 없습니다 (%2).").arg(fields[f].caption, quoted(text)));
            converted = *breed;
        } else if (const ColumnDef* c = animalTable().column(key); c && c->type == QLatin1String("INTEGER")) {
            // Every other number column of 개체관리 is a date.
            const auto date = import::dateNumberOf(text);
            if (!date) return notADate(fields[f].caption, text);
            converted = *date;
        }
        setAnimalColumnValue(r, key, converted);
    }
    if (!exists && !sexGiven) return refused(QStringLiteral("암/수 구분이 없습니다."));
    // Each form stores one kind: a cow never becomes a bull by a save.
    if (exists && (r.구분 == AnimalKind::Bull) != (*kind != 0))
        return refused(QStringLiteral("저장된 개체와 암/수 구분이 다릅니다 (저장된 개체: %1).")
                           .arg(*kind != 0 ? QStringLiteral("수소") : QStringLiteral("암소")));
    if (const CheckResult failed = checkAnimal(r)) {
        const QString caption = captionOf(target, failed->field);
        const InputRule score = entry::numericIfFilled(QStringLiteral("점수")).notNegative();
        return refused(checkReason(*failed, caption, r.점수.trimmed(), {score}));
    }
    const AnimalRecord toStore = animalAsStored(r);
    // The run stores a new record without showing it: its values are for the preview and the
    // changes.
    QStringList values;
    if (!write || exists)
        for (const ImportField& f : fields) values << shownValue(target, f.key, animalColumnValue(toStore, f.key));
    if (!exists) {
        if (write) *write = animalInsert(toStore);
        return {Verdict::New, {}, values};
    }
    QStringList changes;
    for (int f = 0; f < fields.size(); ++f) {
        const QVariant was = animalColumnValue(stored, fields[f].key);
        if (!sameValue(was, animalColumnValue(toStore, fields[f].key), animalTable().column(fields[f].key)))
            changes << changeText(fields[f].caption, shownValue(target, fields[f].key, was), values[f]);
    }
    const RowVerdict v = changed(changes, values);
    if (v.verdict == Verdict::Update && write) *write = animalUpdate(toStore, number);
    return v;
}

RowVerdict RowJudge::judgeBreeding(const QStringList& cells, qint64 line, BoundStatement* write)
{
    BreedingKey key;
    if (std::optional<RowVerdict> no = readBreedingKey(cells, line, &key)) return *no;
    BreedingDialog dialog = openBreedingDialog(key);
    if (std::optional<RowVerdict> no = typeBreedingCells(cells, &dialog)) return *no;
    if (std::optional<RowVerdict> no = unansweredChoice(cells, dialog)) return *no;
    if (std::optional<RowVerdict> no = checkBreeding(dialog.values)) return *no;
    if (std::optional<RowVerdict> no = inbredCalf(key, dialog)) return *no;
    return breedingVerdict(key, dialog, write);
}

std::optional<RowVerdict> RowJudge::inbredCalf(const BreedingKey& key, const BreedingDialog& d)
{
    const QString semen = d.values.texts.value(kSemen);
    // A stored record keeps the bull it was stored with (the farmer was asked then); only a new
    // service, or a new bull for a stored one, is judged.
    if (d.exists && kpn::digitsOf(StoredRecord(d.stored).text(kSemen)) == kpn::digitsOf(semen)) return std::nullopt;
    // An embryo's calf is the donor's, not this cow's.
    if (!d.values.texts.value(kDonor).trimmed().isEmpty()) return std::nullopt;
    const std::optional<mating::CalfRisk> risk = m_calves->of(key.number, semen);
    if (!risk || risk->inbreeding < m_inbreedingLimit) return std::nullopt;
    return refused(
        QStringLiteral("근교계수 %1: %2").arg(mating::percentText(risk->inbreeding), mating::calfTieText(*risk)));
}

std::optional<RowVerdict> RowJudge::readBreedingKey(const QStringList& cells, qint64 line, BreedingKey* key)
{
    const QList<ImportField>& fields = importFields(ImportTarget::Breeding);
    key->number = value(0, cells);
    if (key->number.isEmpty()) return refused(QStringLiteral("개체번호가 없습니다."));
    if (import::hasLostDigits(key->number)) return lostDigits(fields[0].caption, key->number);
    const QString dayText = value(1, cells);
    if (dayText.isEmpty()) return refused(QStringLiteral("수정일이 없습니다."));
    key->day = import::parseDate(dayText);
    if (!key->day.isValid()) return notADate(fields[1].caption, dayText);
    key->dayNumber = datenum::fromDate(key->day);
    if (const qint64 first = earlierLine(key->number + QChar(0x1f) + QString::number(key->dayNumber), line))
        return refused(QStringLiteral("같은 개체번호와 수정일이 파일의 %1행에 먼저 있습니다.").arg(first));

    const auto kind = m_kinds.constFind(key->number);
    if (kind == m_kinds.constEnd())
        return refused(QStringLiteral("개체관리에 없는 개체입니다. 개체를 먼저 가져와 주세요."));
    if (*kind != 0) return refused(QStringLiteral("수소에는 번식기록을 넣을 수 없습니다."));
    return std::nullopt;
}

RowJudge::BreedingDialog RowJudge::openBreedingDialog(const BreedingKey& key)
{
    // The dialog as the farmer would find it: a stored record loaded, or a new one with its
    // insemination day typed (which sets the expected calving).
    const HistoryDefinition& h = breedingHistory();
    BreedingDialog d;
    d.values = m_opening;
    if (m_withBreeding.contains(key.number)) {
        m_stored.addBindValue(key.number);
        m_stored.addBindValue(key.dayNumber);
        if (!m_stored.exec()) throw DbError(m_stored.lastError());
        if (m_stored.next()) {
            d.stored = m_stored.record();
            d.exists = true;
        }
        m_stored.finish();
    }
    if (d.exists) {
        d.values = history::applyRecord(h, std::move(d.values), d.stored);
    } else {
        d.values.dates[kInseminated] = key.day;
        if (h.follow && h.follow->from == kInseminated)
            d.values = history::follow(*h.follow, std::move(d.values), key.day);
    }
    return d;
}

std::optional<RowVerdict> RowJudge::typeBreedingCells(const QStringList& cells, BreedingDialog* d) const
{
    const ImportTarget target = ImportTarget::Breeding;
    const QList<ImportField>& fields = importFields(target);
    EntryValues& v = d->values;
    // The program's own lists show a record without an expected calving with a BCS of 0: that
    // BCS belongs to no expected calving, as the dialog loads such a record.
    const QString bcs = value(fieldIndex(target, kBcs), cells);
    const bool bcsZero = isNumeric(bcs) && numericValue(bcs) == 0;
    const bool noExpected = value(fieldIndex(target, kExpected), cells).isEmpty() && bcsZero;
    if (noExpected && !d->exists) v.ticked[kExpected] = false;

    for (int f = 2; f < fields.size(); ++f) {
        const QString& key = fields[f].key;
        const QString text = value(f, cells);
        if (text.isEmpty() || (key == kBcs && noExpected)) continue;
        const EntryField* ef = m_entryFields.value(f);
        if (!ef) continue;
        switch (ef->kind) {
        case FieldKind::Text:
            if (isIdentifier(key) && import::hasLostDigits(text)) return lostDigits(fields[f].caption, text);
            v.texts[key] = text;
            break;
        case FieldKind::Date:
        case FieldKind::CheckedDate: {
            const QDate day = import::parseDate(text);
            if (!day.isValid()) return notADate(fields[f].caption, text);
            v.ticked[key] = true;
            v.dates[key] = day;
            break;
        }
        case FieldKind::Choice: {
            const auto choice = key == kPregnancy ? import::parsePregnancy(text) : import::parseCalfSex(text);
            if (!choice)
                return refused(QStringLiteral("%1: %2 또는 %3로 읽을 수 없습니다 (%4).")
                                   .arg(fields[f].caption, ef->options.value(0).second, ef->options.value(1).second,
                                        quoted(text)));
            v.choices[key] = *choice;
            break;
        }
        }
    }
    return std::nullopt;
}

std::optional<RowVerdict> RowJudge::unansweredChoice(const QStringList& cells, const BreedingDialog& d) const
{
    // A choice the dialog opens on its first option is no answer: a check day without its
    // result, or a calf without its sex, is refused rather than stored as 가 or 암.
    const EntryValues& v = d.values;
    const StoredRecord was(d.stored);
    const auto given = [&](const QString& key) {
        return !value(fieldIndex(ImportTarget::Breeding, key), cells).isEmpty();
    };
    if (v.ticked.value(kChecked) && !given(kPregnancy) && !(d.exists && was.isSet(kChecked)))
        return refused(
            QStringLiteral("가부: 임신판정일이 있는데 판정 결과가 비어 있습니다. 가(O) 또는 부(X)를 "
                           "넣어 주세요."));
    const bool calfStored = d.exists && was.isSet(kCalved) && !was.text(kCalf).isEmpty();
    if (v.ticked.value(kCalved) && !v.texts.value(kCalf).trimmed().isEmpty() && !given(kCalfSex) && !calfStored)
        return refused(
            QStringLiteral("송아지 성별: 분만일과 송아지번호가 있는데 성별이 비어 있습니다. 암 또는 수를 "
                           "넣어 주세요."));
    return std::nullopt;
}

std::optional<RowVerdict> RowJudge::checkBreeding(const EntryValues& v) const
{
    // A BCS of 0, or none at all in a file without the column (an insemination log seldom has
    // one), is a BCS not entered: stored as 0, the program's own sign of none.
    const ImportTarget target = ImportTarget::Breeding;
    const HistoryDefinition& h = breedingHistory();
    const QString bcsNow = v.texts.value(kBcs).trimmed();
    const bool bcsNotEntered =
        (isNumeric(bcsNow) && numericValue(bcsNow) == 0) || (bcsNow.isEmpty() && !hasColumn(fieldIndex(target, kBcs)));
    if (const CheckResult failed = history::check(bcsNotEntered ? m_withoutBcs : h, v))
        return refused(
            checkReason(*failed, captionOf(target, failed->field), v.texts.value(failed->field).trimmed(), h.checks));
    return std::nullopt;
}

RowVerdict RowJudge::breedingVerdict(const BreedingKey& key, const BreedingDialog& d, BoundStatement* write) const
{
    const ImportTarget target = ImportTarget::Breeding;
    const QList<ImportField>& fields = importFields(target);
    const HistoryDefinition& h = breedingHistory();
    if (!d.exists && write) {
        // The run stores a new record without showing it.
        *write = BoundStatement{m_insertSql, history::insertValues(h, key.number, d.values)};
        return {Verdict::New, {}, {}};
    }
    const QHash<QString, QVariant> toStore = history::storedValues(h, d.values);
    QStringList values{key.number};
    for (int f = 1; f < fields.size(); ++f) values << shownValue(target, fields[f].key, toStore.value(fields[f].key));
    if (!d.exists) return {Verdict::New, {}, values};
    QStringList changes;
    for (int f = 1; f < fields.size(); ++f) {
        const QString& column = fields[f].key;
        if (!toStore.contains(column)) continue;
        if (!sameValue(d.stored.value(column), toStore.value(column), tableDef(h.table).column(column)))
            changes << changeText(fields[f].caption, shownValue(target, column, d.stored.value(column)), values[f]);
    }
    const RowVerdict verdict = changed(changes, values);
    if (verdict.verdict == Verdict::Update && write)
        *write = history::updateStatement(h, key.number, QString::number(key.dayNumber), d.values);
    return verdict;
}

namespace {
// A catalogue bull's values in the order of the import's fields, as the preview shows them.
QStringList bullValues(const Bull& b)
{
    QStringList v{kpn::shown(b.kpn), b.kind, kpn::shown(b.sire), kpn::shown(b.mgs)};
    for (Trait t : kTraits) v << valueCell(b.value(t));
    v << b.evaluation << (b.price ? QString::number(*b.price) : QString());
    return v;
}

// The entry's text of the import field `key` (the catalogue's column).
QString* entryText(BullEntry& e, const QString& key)
{
    if (key == QLatin1String("KPN")) return &e.kpn;
    if (key == QStringLiteral("구분")) return &e.kind;
    if (key == QStringLiteral("아비")) return &e.sire;
    if (key == QStringLiteral("외조부")) return &e.mgs;
    if (key == QStringLiteral("평가")) return &e.evaluation;
    if (key == QStringLiteral("단가")) return &e.price;
    for (Trait t : kTraits)
        if (key == traitColumn(t)) return &e.ebv[size_t(t)];
    return nullptr;
}
}  // namespace

RowVerdict RowJudge::judgeBull(const QStringList& cells, qint64 line, BoundStatement* write)
{
    const ImportTarget target = ImportTarget::Bulls;
    const QList<ImportField>& fields = importFields(target);
    const QString typed = value(0, cells);
    if (typed.isEmpty()) return refused(QStringLiteral("KPN 번호가 없습니다."));
    const QString number = kpn::digitsOf(typed);
    if (number.isEmpty())
        return refused(QStringLiteral("%1: KPN 번호로 읽을 수 없습니다 (%2).").arg(fields[0].caption, quoted(typed)));
    if (const qint64 first = earlierLine(number, line))
        return refused(QStringLiteral("같은 KPN 번호가 파일의 %1행에 먼저 있습니다.").arg(first));

    const auto stored = m_bulls.constFind(number);
    const bool exists = stored != m_bulls.constEnd();
    // Nothing in the file: the stored value stays.
    BullEntry e = exists ? entryOf(*stored) : BullEntry{};
    for (int f = 0; f < fields.size(); ++f)
        if (const QString text = value(f, cells); !text.isEmpty())
            if (QString* into = entryText(e, fields[f].key)) *into = text;
    Bull b;
    if (const std::optional<BullProblem> p = checkBull(e, &b)) {
        const int f = fieldIndex(target, p->field);
        const QString text = f >= 0 ? value(f, cells) : QString();
        return refused(text.isEmpty() ? p->message : QStringLiteral("%1 (%2)").arg(p->message, quoted(text)));
    }
    const QStringList values = bullValues(b);
    if (!exists) {
        if (write) *write = insertBullStatement(b);
        return {Verdict::New, {}, write ? QStringList() : values};
    }
    const QStringList was = bullValues(*stored);
    QStringList changes;
    for (int f = 0; f < fields.size(); ++f)
        if (was.value(f) != values.value(f)) changes << changeText(fields[f].caption, was.value(f), values.value(f));
    const RowVerdict v = changed(changes, values);
    if (v.verdict == Verdict::Update && write) *write = updateBullStatement(b, number);
    return v;
}
