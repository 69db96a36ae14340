#include "vaccination/model/VaccinationProgram.h"

#include "data/Db.h"
#include "data/Values.h"

#include <QRegularExpression>
#include <QSqlQuery>

namespace vaccination {
namespace {

constexpr int kMaxNameLength = 40;
constexpr int kMaxWordsLength = 200;

// A whole-number field: its column, the sentence start naming it, its unit and its bounds.
struct DayField {
    const char16_t* column;
    const char16_t* subject;  // with its particle
    const char16_t* unit;
    DayBounds bounds;
};
const DayField kDayFields[] = {
    {u"첫접종일령", u"첫 접종 일령은", u"일", {0, 3650}},
    {u"보강일수", u"보강 접종 간격은", u"일", {1, 3650}},
    {u"반복일수", u"정기 접종 간격은", u"일", {1, 3650}},
    {u"대상개월수", u"송아지 월령은", u"개월", {1, 120}},
    {u"분만제외일수", u"분만 전후 제외 일수는", u"일", {0, 365}},
    {u"출하제외일수", u"출하 전후 제외 일수는", u"일", {0, 365}},
};

const DayField& dayField(const QString& column)
{
    for (const DayField& f : kDayFields)
        if (QStringView(f.column) == column) return f;
    return kDayFields[0];
}

// The whole number typed for `column`, or the sentence that refuses it.
std::optional<ProgramProblem> readDays(const QString& column, const QString& typed, int* value)
{
    // ASCII digits only (\d would take digits toInt cannot read); full-width ones typed with a
    // Korean input method become ASCII first.
    static const QRegularExpression digits(QStringLiteral("^[0-9]{1,6}$"));
    const DayField& f = dayField(column);
    const QString t = typed.normalized(QString::NormalizationForm_KC).trimmed();
    if (digits.match(t).hasMatch()) {
        *value = t.toInt();
        if (*value >= f.bounds.low && *value <= f.bounds.high) return std::nullopt;
    }
    return ProgramProblem{column, QStringLiteral("%1 %2에서 %3 사이의 정수(%4)로 입력해 주세요.")
                                      .arg(QString::fromUtf16(f.subject))
                                      .arg(f.bounds.low)
                                      .arg(f.bounds.high)
                                      .arg(QString::fromUtf16(f.unit))};
}

QVariantList programValues(const VaccinationProgram& p)
{
    return {p.name,       wordsText(p.words), p.firstDoseDays,   p.boosterDays, p.repeatDays, targetText(p.target),
            p.calfMonths, p.calvingSkipDays,  p.shipmentSkipDays};
}

bool nameStored(const QString& name)
{
    return runQuery(QStringLiteral("select 1 from 접종계획 where 이름 = ?"), {name}).next();
}

ProgramProblem takenName(const QString& name)
{
    return {QStringLiteral("이름"),
            QStringLiteral("'%1' 접종 계획이 이미 있습니다. 다른 이름을 입력해 주세요.").arg(name)};
}

}  // namespace

QString targetText(Target t)
{
    switch (t) {
    case Target::All: return QStringLiteral("전체");
    case Target::Cows: return QStringLiteral("암소");
    case Target::Calves: return QStringLiteral("송아지");
    }
    return QString();
}

std::optional<Target> targetOf(const QString& text)
{
    const QString t = text.trimmed();
    for (Target target : {Target::All, Target::Cows, Target::Calves})
        if (t == targetText(target)) return target;
    return std::nullopt;
}

VaccinationProgram defaultProgram()
{
    VaccinationProgram p;
    p.name = QStringLiteral("구제역");
    p.words = {QStringLiteral("구제역"), QStringLiteral("FMD")};
    return p;
}

QString practiceNote()
{
    const VaccinationProgram p = defaultProgram();
    return QStringLiteral(
               "처음 들어 있는 %1 계획(생후 %2일 첫 접종, %3일 뒤 보강 접종, 이후 %4일마다)은 흔히 쓰는 "
               "간격일 뿐 법으로 정한 값이 아닙니다. 방역 당국의 안내와 농장의 일정에 맞게 바꾸어 쓰십시오.")
        .arg(p.name)
        .arg(p.firstDoseDays)
        .arg(p.boosterDays)
        .arg(p.repeatDays);
}

DayBounds boundsOf(const QString& field)
{
    return dayField(field).bounds;
}

QString matchForm(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text)
        if (!c.isSpace()) out += c;
    return out.toCaseFolded();
}

bool isDoseOf(const QString& treatment, const QStringList& words)
{
    const QString t = matchForm(treatment);
    for (const QString& w : words) {
        const QString key = matchForm(w);
        if (!key.isEmpty() && t.contains(key)) return true;
    }
    return false;
}

QStringList wordsOf(const QString& text)
{
    QStringList out, keys;
    for (const QString& part : text.split(u',')) {
        const QString word = part.trimmed();
        const QString key = matchForm(word);
        if (key.isEmpty() || keys.contains(key)) continue;
        keys << key;
        out << word;
    }
    return out;
}

QString wordsText(const QStringList& words)
{
    return words.join(QStringLiteral(", "));
}

std::optional<ProgramProblem> checkProgram(const ProgramEntry& e, VaccinationProgram* program)
{
    VaccinationProgram p;
    p.name = e.name.trimmed();
    if (p.name.isEmpty())
        return ProgramProblem{QStringLiteral("이름"), QStringLiteral("접종 계획 이름을 입력해 주세요.")};
    if (p.name.size() > kMaxNameLength)
        return ProgramProblem{QStringLiteral("이름"),
                              QStringLiteral("접종 계획 이름은 %1자 이내로 입력해 주세요.").arg(kMaxNameLength)};
    p.words = wordsOf(e.words);
    if (p.words.isEmpty())
        return ProgramProblem{QStringLiteral("처치어"),
                              QStringLiteral("처치 기록에서 이 접종을 알아볼 낱말(처치어)을 하나 이상 입력해 주세요. "
                                             "(예: 구제역, FMD)")};
    if (wordsText(p.words).size() > kMaxWordsLength)
        return ProgramProblem{QStringLiteral("처치어"),
                              QStringLiteral("처치어는 모두 %1자 이내로 입력해 주세요.").arg(kMaxWordsLength)};
    if (auto problem = readDays(QStringLiteral("첫접종일령"), e.firstDoseDays, &p.firstDoseDays)) return problem;
    if (auto problem = readDays(QStringLiteral("보강일수"), e.boosterDays, &p.boosterDays)) return problem;
    if (auto problem = readDays(QStringLiteral("반복일수"), e.repeatDays, &p.repeatDays)) return problem;
    const std::optional<Target> target = targetOf(e.target);
    if (!target)
        return ProgramProblem{QStringLiteral("대상"),
                              QStringLiteral("대상은 전체, 암소, 송아지 가운데 하나로 골라 주세요.")};
    p.target = *target;
    p.calfMonths = 0;
    if (p.target == Target::Calves)
        if (auto problem = readDays(QStringLiteral("대상개월수"), e.calfMonths, &p.calfMonths)) return problem;
    if (auto problem = readDays(QStringLiteral("분만제외일수"), e.calvingSkipDays, &p.calvingSkipDays)) return problem;
    if (auto problem = readDays(QStringLiteral("출하제외일수"), e.shipmentSkipDays, &p.shipmentSkipDays))
        return problem;
    if (program) *program = std::move(p);
    return std::nullopt;
}

ProgramEntry entryOf(const VaccinationProgram& p)
{
    return {p.name,
            wordsText(p.words),
            QString::number(p.firstDoseDays),
            QString::number(p.boosterDays),
            QString::number(p.repeatDays),
            targetText(p.target),
            p.target == Target::Calves ? QString::number(p.calfMonths) : QString(),
            QString::number(p.calvingSkipDays),
            QString::number(p.shipmentSkipDays)};
}

QList<VaccinationProgram> loadPrograms()
{
    QSqlQuery q =
        runQuery(QStringLiteral("select 이름, 처치어, 첫접종일령, 보강일수, 반복일수, 대상, 대상개월수, "
                                "분만제외일수, 출하제외일수 from 접종계획 order by 이름"));
    QList<VaccinationProgram> out;
    while (q.next()) {
        VaccinationProgram p;
        p.name = NullTrim(q.value(0));
        p.words = wordsOf(NullTrim(q.value(1)));
        p.firstDoseDays = q.value(2).toInt();
        p.boosterDays = q.value(3).toInt();
        p.repeatDays = q.value(4).toInt();
        // A value set outside the program (another tool) is read as the farm-wide program it
        // most likely meant rather than dropping the program.
        p.target = targetOf(NullTrim(q.value(5))).value_or(Target::All);
        p.calfMonths = q.value(6).toInt();
        p.calvingSkipDays = q.value(7).toInt();
        p.shipmentSkipDays = q.value(8).toInt();
        out << p;
    }
    if (q.lastError().isValid()) throw DbError(q.lastError());
    return out;
}

std::optional<ProgramProblem> addProgram(const ProgramEntry& e)
{
    VaccinationProgram p;
    if (auto problem = checkProgram(e, &p)) return problem;
    Transaction tx;
    if (nameStored(p.name)) return takenName(p.name);
    execStatement(
        QStringLiteral("insert into 접종계획 (이름, 처치어, 첫접종일령, 보강일수, 반복일수, 대상, 대상개월수, "
                       "분만제외일수, 출하제외일수) values (?, ?, ?, ?, ?, ?, ?, ?, ?)"),
        programValues(p));
    tx.commit();
    return std::nullopt;
}

std::optional<ProgramProblem> changeProgram(const QString& oldName, const ProgramEntry& e)
{
    VaccinationProgram p;
    if (auto problem = checkProgram(e, &p)) return problem;
    Transaction tx;
    if (!nameStored(oldName))
        return ProgramProblem{
            QStringLiteral("이름"),
            QStringLiteral("'%1' 접종 계획이 더 이상 없습니다. 목록을 다시 열어 주세요.").arg(oldName)};
    if (p.name != oldName && nameStored(p.name)) return takenName(p.name);
    QVariantList binds = programValues(p);
    binds << oldName;
    execStatement(
        QStringLiteral("update 접종계획 set 이름 = ?, 처치어 = ?, 첫접종일령 = ?, 보강일수 = ?, 반복일수 = ?, "
                       "대상 = ?, 대상개월수 = ?, 분만제외일수 = ?, 출하제외일수 = ? where 이름 = ?"),
        binds);
    tx.commit();
    return std::nullopt;
}

void deleteProgram(const QString& name)
{
    Transaction tx;
    execStatement(QStringLiteral("delete from 접종계획 where 이름 = ?"), {name});
    tx.commit();
}

}  // namespace vaccination
