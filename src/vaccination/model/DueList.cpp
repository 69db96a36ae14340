#include "vaccination/model/DueList.h"

#include "data/Db.h"
#include "data/Values.h"
#include "mating/model/MatingPlan.h"

#include <QSqlQuery>
#include <algorithm>
#include <vector>

namespace vaccination {
namespace {

QDate dateOf(const QVariant& v)
{
    return datenum::toDate(v.toLongLong());
}

// The expected calving of every pregnant cow, by the mating plan's reading of her records.
QHash<QString, QDate> expectedCalvings()
{
    QHash<QString, QDate> out;
    const QHash<QString, mating::CowState> states = mating::loadCowStates();
    for (auto it = states.cbegin(); it != states.cend(); ++it)
        if (it.value().status == mating::CowStatus::Pregnant) out.insert(it.key(), it.value().expectedCalving);
    return out;
}

// Which programs each treatment text is a dose of, worked out once per distinct text: a farm
// writes the same few texts thousands of times.
class DoseMatcher {
public:
    explicit DoseMatcher(const QList<VaccinationProgram>& programs) : m_programs(programs) {}
    const std::vector<char>& of(const QString& treatment)
    {
        auto it = m_known.find(treatment);
        if (it == m_known.end()) {
            std::vector<char> matches(size_t(m_programs.size()));
            for (qsizetype p = 0; p < m_programs.size(); ++p)
                matches[size_t(p)] = isDoseOf(treatment, m_programs[p].words) ? 1 : 0;
            it = m_known.insert(treatment, std::move(matches));
        }
        return it.value();
    }

private:
    const QList<VaccinationProgram>& m_programs;
    QHash<QString, std::vector<char>> m_known;
};

QString dateCell(const QDate& d)
{
    return d.isValid() ? formatDate(d, QStringLiteral("yyyy-mm-dd")) : QString();
}

}  // namespace

HerdRecords loadHerdRecords()
{
    HerdRecords herd;
    const QHash<QString, QDate> calvings = expectedCalvings();
    QSqlQuery a = runQuery(QStringLiteral(
        "select 개체번호, 우방번호, 구분, 개체생일, 판매일, 출하예정일, 출하일 from 개체관리 order by 개체번호"));
    while (a.next()) {
        HerdAnimal h;
        h.number = NullTrim(a.value(0));
        h.pen = NullTrim(a.value(1));
        h.cow = a.value(2).toLongLong() == 0;
        h.birth = dateOf(a.value(3));
        // A bull's 판매일 holds its castration: it stays on the farm.
        h.gone = (h.cow && dateOf(a.value(4)).isValid()) || dateOf(a.value(6)).isValid();
        h.plannedShipment = dateOf(a.value(5));
        if (h.cow) h.expectedCalving = calvings.value(h.number);
        herd.animals << h;
    }
    if (a.lastError().isValid()) throw DbError(a.lastError());
    QSqlQuery t = runQuery(QStringLiteral("select 개체번호, 날짜, 처치 from 백신접종"));
    while (t.next()) herd.treatments[NullTrim(t.value(0))] << TreatmentRecord{dateOf(t.value(1)), NullTrim(t.value(2))};
    if (t.lastError().isValid()) throw DbError(t.lastError());
    return herd;
}

namespace {

// Calls `f(animal, program index, judgement)` for every animal and program, the doses matched
// once per treatment text; a sold or shipped animal only when `withGone` (its records are not
// read otherwise: it is never due).
template <typename F>
void judgeEach(const QList<VaccinationProgram>& programs, const HerdRecords& herd, bool withGone, F f)
{
    DoseMatcher matcher(programs);
    std::vector<QList<QDate>> doses(size_t(programs.size()));
    for (const HerdAnimal& animal : herd.animals) {
        if (animal.gone && !withGone) continue;
        for (QList<QDate>& d : doses) d.clear();
        const auto found = herd.treatments.constFind(animal.number);
        if (found != herd.treatments.cend())
            for (const TreatmentRecord& r : found.value()) {
                const std::vector<char>& matches = matcher.of(r.treatment);
                for (size_t p = 0; p < matches.size(); ++p)
                    if (matches[p]) doses[p] << r.date;
            }
        for (qsizetype p = 0; p < programs.size(); ++p) f(animal, p, judge(programs[p], animal, doses[size_t(p)]));
    }
}

}  // namespace

QList<HerdJudgement> judgeHerd(const QList<VaccinationProgram>& programs, const HerdRecords& herd)
{
    QList<HerdJudgement> out;
    judgeEach(programs, herd, true, [&](const HerdAnimal& animal, qsizetype p, const Judgement& j) {
        out << HerdJudgement{animal.number, programs[p].name, j};
    });
    return out;
}

QList<DueRow> dueRows(const QList<VaccinationProgram>& programs, const HerdRecords& herd, const QDate& today,
                      const QDate& lastDay)
{
    QList<DueRow> rows;
    judgeEach(programs, herd, false, [&](const HerdAnimal& animal, qsizetype p, const Judgement& j) {
        if (j.verdict != Verdict::Due || j.due > lastDay) return;
        rows << DueRow{animal.number,
                       animal.pen,
                       animal.birth.isValid() ? ageInMonths(animal.birth, today) : -1,
                       programs[p].name,
                       j.kind,
                       j.lastDose,
                       j.due,
                       int(std::max<qint64>(0, j.due.daysTo(today)))};
    });
    std::stable_sort(rows.begin(), rows.end(), [](const DueRow& x, const DueRow& y) {
        if (x.due != y.due) return x.due < y.due;
        if (x.number != y.number) return x.number < y.number;
        return x.program < y.program;
    });
    return rows;
}

QList<DueRow> loadDueList(const QDate& today, int days)
{
    return dueRows(loadPrograms(), loadHerdRecords(), today, today.addDays(std::clamp(days, 0, kMaxDueListDays)));
}

QString dueListTitle()
{
    return QStringLiteral("예방접종 예정");
}

QStringList dueCells(const DueRow& row)
{
    return {row.number,
            row.pen,
            row.ageMonths >= 0 ? QStringLiteral("%1 개월령").arg(row.ageMonths) : QString(),
            row.program,
            doseKindText(row.kind),
            dateCell(row.lastDose),
            dateCell(row.due),
            row.daysOverdue > 0 ? QStringLiteral("%1일 지남").arg(row.daysOverdue) : QString()};
}

QStringList dueHeaders()
{
    return {QStringLiteral("개체번호"),    QStringLiteral("우방번호"), QStringLiteral("개월령"),
            QStringLiteral("접종 계획"),   QStringLiteral("차수"),     QStringLiteral("최근 접종일"),
            QStringLiteral("접종 예정일"), QStringLiteral("지난 일수")};
}

}  // namespace vaccination
