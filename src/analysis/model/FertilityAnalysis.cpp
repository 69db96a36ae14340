#include "analysis/model/FertilityAnalysis.h"

#include "data/Db.h"
#include "data/Values.h"

#include <algorithm>
#include <limits>

namespace analysis {

namespace {
const QString kNotEntered = QStringLiteral("미입력");

// The day of a date number as a day count; 0 when it is none (not entered, or no real day).
qint64 dayOf(qint64 dateNumber)
{
    if (dateNumber <= 0 || dateNumber > 99991231) return 0;
    const QDate d = datenum::toDate(dateNumber);
    return d.isValid() ? d.toJulianDay() : 0;
}

QString labelOf(const QString& text)
{
    return text.isEmpty() ? kNotEntered : text;
}

}  // namespace

QString checkKindText(RecordToCheck::Kind kind)
{
    switch (kind) {
    case RecordToCheck::ShortCalvingInterval: return QStringLiteral("분만간격 %1일 미만").arg(kShortestCalvingInterval);
    case RecordToCheck::ServiceBeforeCalving: return QStringLiteral("분만 전 수정");
    }
    return QString();
}

bool notesAbortion(const QString& text)
{
    if (text.contains(u"유사산") || text.contains(u"유/사산")) return true;
    for (qsizetype at = text.indexOf(u"유산"); at >= 0; at = text.indexOf(u"유산", at + 2))
        if (at + 2 >= text.size() || text[at + 2] != u'균') return true;
    return false;
}

void FertilityAnalysis::Tally::add(Outcome o)
{
    if (o == Outcome::Pending) {
        ++pending;
        return;
    }
    ++services;
    if (o == Outcome::Conceived) ++conceptions;
}

FertilityAnalysis::FertilityAnalysis(const books::Period& period, const QDate& today)
    : m_period(period), m_today(datenum::fromDate(today)), m_todayDay(today.isValid() ? today.toJulianDay() : 0)
{
}

void FertilityAnalysis::add(const BreedingRow& row)
{
    if (!m_cow.empty() && m_cow.front().animal != row.animal) analyseCow();
    m_cow.push_back(row);
}

void FertilityAnalysis::countService(const BreedingRow& r, Outcome o)
{
    if (!r.donor.isEmpty()) {
        m_embryo.add(o);
        return;
    }
    m_overall.add(o);
    const int number = r.service >= 1 ? int(r.service) : 0;
    if (number == 1) m_first.add(o);
    if (number >= 1)
        m_byService[std::min(number, 3) - 1].add(o);
    else
        ++m_serviceLeftOut;
    m_bySemen[labelOf(r.semen)].add(o);
    m_byInseminator[labelOf(r.inseminator)].add(o);
    m_byMonth[r.inseminated / 100].add(o);
}

void FertilityAnalysis::analyseCow()
{
    if (m_cow.empty() || !m_cow.front().cow) {
        m_cow.clear();
        return;
    }
    m_events.clear();
    for (const BreedingRow& r : m_cow)
        m_events.push_back({&r, dayOf(r.inseminated), dayOf(r.calved),
                            notesAbortion(r.note) || notesAbortion(r.calvingNote), Outcome::Pending});
    std::stable_sort(m_events.begin(), m_events.end(), [](const Event& a, const Event& b) { return a.day < b.day; });
    // The services are the rows with an insemination date: the tail of the sorted rows.
    const auto services = std::find_if(m_events.begin(), m_events.end(), [](const Event& e) { return e.day > 0; });
    const BreedingRow& cow = m_cow.front();
    judgeServices(services, !(cow.sold > 0 && cow.sold <= m_today));
    collectCalvings();
    countCycles(services, dayOf(cow.birth));
    m_cow.clear();
}

void FertilityAnalysis::judgeServices(std::vector<Event>::iterator services, bool onFarm)
{
    for (auto e = services; e != m_events.end(); ++e) {
        const BreedingRow& r = *e->row;
        if ((r.verdict == 0 && dayOf(r.checked) > 0) || e->calved > 0)
            e->outcome = Outcome::Conceived;
        else if (r.verdict == 1 || e + 1 != m_events.end())
            e->outcome = Outcome::NotConceived;
        if (inPeriod(r.inseminated)) countService(r, e->outcome);
        const qint64 since = m_todayDay - e->day;
        if (e->outcome == Outcome::Pending && onFarm && since > kPendingAfterDays)
            m_result.pending.push_back({r.animal, r.pen, r.inseminated, int(since), !r.donor.isEmpty()});
    }
}

void FertilityAnalysis::collectCalvings()
{
    m_calvings.clear();
    for (const Event& e : m_events) {
        const BreedingRow& r = *e.row;
        if (!e.abortion) {
            if (e.calved > 0) m_calvings.push_back({e.calved, r.calved, e.day});
            continue;
        }
        const qint64 date = e.calved > 0 ? r.calved : (e.day > 0 ? r.inseminated : 0);
        if (date == 0 || !inPeriod(date)) continue;
        QString note = r.note.trimmed();
        if (!r.calvingNote.trimmed().isEmpty())
            note += (note.isEmpty() ? QString() : QStringLiteral(" ")) + r.calvingNote.trimmed();
        m_result.abortions.push_back(
            {r.animal, r.pen, e.day > 0 ? r.inseminated : 0, e.calved > 0 ? r.calved : 0, note});
    }
    // A calving entered on two records counts once, as conceived by the later service.
    std::sort(m_calvings.begin(), m_calvings.end(), [](const Calving& a, const Calving& b) {
        return a.day != b.day ? a.day < b.day : a.conceivedOn > b.conceivedOn;
    });
    m_calvings.erase(std::unique(m_calvings.begin(), m_calvings.end(),
                                 [](const Calving& a, const Calving& b) { return a.day == b.day; }),
                     m_calvings.end());
}

FertilityAnalysis::Misdated FertilityAnalysis::checkServicesBefore(std::vector<Event>::iterator services,
                                                                   const Calving& c)
{
    Misdated m;
    if (c.conceivedOn <= 0) return m;
    for (auto e = services; e != m_events.end() && e->day <= c.day; ++e) {
        // A record holding a calving of its own is a calving entered twice: the short interval
        // lists it.
        if (e->day <= c.conceivedOn || e->abortion || e->calved > 0) continue;
        m.found = true;
        const BreedingRow& r = *e->row;
        if (!inPeriod(r.inseminated)) continue;
        m.inPeriod = true;
        m_result.toCheck.push_back(
            {RecordToCheck::ServiceBeforeCalving, r.animal, r.pen, r.inseminated, c.date, int(c.day - e->day)});
    }
    return m;
}

void FertilityAnalysis::countCycles(std::vector<Event>::iterator services, qint64 birth)
{
    const BreedingRow& cow = m_cow.front();
    if (!m_calvings.empty() && inPeriod(m_calvings.front().date)) {
        if (birth > 0 && birth < m_calvings.front().day)
            m_firstCalving.add(double(m_calvings.front().day - birth));
        else
            m_firstCalving.leaveOut();
    }
    for (size_t j = 0; j < m_calvings.size(); ++j) {
        const Calving& c = m_calvings[j];
        if (j > 0 && inPeriod(c.date)) {
            const Calving& before = m_calvings[j - 1];
            const int days = int(c.day - before.day);
            if (days < kShortestCalvingInterval) {
                m_interval.setAside();
                m_result.toCheck.push_back(
                    {RecordToCheck::ShortCalvingInterval, cow.animal, cow.pen, before.date, c.date, days});
            } else {
                m_interval.add(days);
                m_result.calvingIntervals.push_back(days);
            }
        }
        // A service dated before this calving may be the first service after it with a wrong
        // date: the cycle's first service and days open are then not known.
        const Misdated misdated = checkServicesBefore(services, c);
        // The cycle this calving opens ends with the next one.
        const qint64 end = j + 1 < m_calvings.size() ? m_calvings[j + 1].day : std::numeric_limits<qint64>::max();
        const Event* first = nullptr;
        const Event* conceiving = nullptr;
        const Event* waiting = nullptr;
        for (auto e = services; e != m_events.end() && e->day < end; ++e) {
            if (e->day <= c.day) continue;
            if (!first) first = &*e;
            if (e->outcome == Outcome::Conceived) {
                conceiving = &*e;
                break;
            }
            if (e->outcome == Outcome::Pending) waiting = &*e;
        }
        if (misdated.found) {
            if (first ? inPeriod(first->row->inseminated) : misdated.inPeriod) m_firstService.setAside();
            if (conceiving && inPeriod(conceiving->row->inseminated)) m_daysOpen.setAside();
            continue;
        }
        if (first && inPeriod(first->row->inseminated)) m_firstService.add(double(first->day - c.day));
        if (conceiving && inPeriod(conceiving->row->inseminated))
            m_daysOpen.add(double(conceiving->day - c.day));
        else if (!conceiving && waiting && inPeriod(waiting->row->inseminated))
            m_daysOpen.addPending();
    }
}

ConceptionRow FertilityAnalysis::rowOf(const QString& label, const Tally& t)
{
    return {label, t.services, t.conceptions, t.pending};
}

std::vector<ConceptionRow> FertilityAnalysis::sortedRows(const QHash<QString, Tally>& tallies)
{
    std::vector<ConceptionRow> rows;
    rows.reserve(size_t(tallies.size()));
    for (auto it = tallies.cbegin(); it != tallies.cend(); ++it) rows.push_back(rowOf(it.key(), it.value()));
    std::sort(rows.begin(), rows.end(), [](const ConceptionRow& a, const ConceptionRow& b) {
        const int na = a.services + a.pending, nb = b.services + b.pending;
        return na != nb ? na > nb : a.label < b.label;
    });
    return rows;
}

FertilityResult FertilityAnalysis::finish()
{
    analyseCow();
    FertilityResult r = std::move(m_result);
    m_result = FertilityResult();
    r.calvingInterval = m_interval.figure(1);
    r.firstServiceInterval = m_firstService.figure(1);
    r.daysOpen = m_daysOpen.figure(1);
    r.ageAtFirstCalving = m_firstCalving.months();
    r.overall = rowOf(QStringLiteral("전체"), m_overall);
    r.firstService = rowOf(QStringLiteral("첫 수정"), m_first);
    r.embryoTransfer = rowOf(QStringLiteral("수정란 이식"), m_embryo);
    r.byServiceNumber = {rowOf(QStringLiteral("1회"), m_byService[0]), rowOf(QStringLiteral("2회"), m_byService[1]),
                         rowOf(QStringLiteral("3회 이상"), m_byService[2])};
    r.serviceNumberLeftOut = m_serviceLeftOut;
    r.bySemen = sortedRows(m_bySemen);
    r.byInseminator = sortedRows(m_byInseminator);

    // Every month of the period, the empty ones too, so a chart keeps its time axis.
    const QDate from = datenum::toDate(m_period.from), to = datenum::toDate(m_period.to);
    if (from.isValid() && to.isValid())
        for (QDate m(from.year(), from.month(), 1); m <= to; m = m.addMonths(1))
            m_byMonth.try_emplace(m.year() * 100 + m.month());
    for (const auto& [month, tally] : m_byMonth)
        r.byMonth.push_back(rowOf(
            QStringLiteral("%1-%2").arg(month / 100, 4, 10, QChar(u'0')).arg(month % 100, 2, 10, QChar(u'0')), tally));

    std::sort(r.pending.begin(), r.pending.end(), [](const PendingService& a, const PendingService& b) {
        return a.inseminated != b.inseminated ? a.inseminated < b.inseminated : a.animal < b.animal;
    });
    std::sort(r.toCheck.begin(), r.toCheck.end(), [](const RecordToCheck& a, const RecordToCheck& b) {
        return a.to != b.to ? a.to < b.to : (a.animal != b.animal ? a.animal < b.animal : a.from < b.from);
    });
    std::sort(r.abortions.begin(), r.abortions.end(), [](const Abortion& a, const Abortion& b) {
        const qint64 da = a.date > 0 ? a.date : a.inseminated, db = b.date > 0 ? b.date : b.inseminated;
        return da != db ? da < db : a.animal < b.animal;
    });
    return r;
}

FertilityResult analyseFertility(std::vector<BreedingRow> rows, const books::Period& period, const QDate& today)
{
    std::stable_sort(rows.begin(), rows.end(),
                     [](const BreedingRow& a, const BreedingRow& b) { return a.animal < b.animal; });
    FertilityAnalysis a(period, today);
    for (const BreedingRow& r : rows) a.add(r);
    return a.finish();
}

namespace {
enum BreedingColumn {
    B개체번호,
    B회수,
    B수정일,
    B정액번호,
    B공란우,
    B판정일,
    B가부,
    B분만일,
    B인공수정자,
    B비고,
    B분만난이도
};

// What a breeding row needs of its animal.
struct AnimalFacts {
    bool cow;
    qint64 birth;
    qint64 sold;
    QString pen;
};

QHash<QString, AnimalFacts> animalFacts()
{
    QHash<QString, AnimalFacts> animals;
    QSqlQuery q = runQuery(QStringLiteral("select 개체번호, 구분, 개체생일, 판매일, 우방번호 from 개체관리"));
    while (q.next())
        animals.insert(q.value(0).toString(), {q.value(1).toLongLong() == 0, q.value(2).toLongLong(),
                                               q.value(3).toLongLong(), q.value(4).toString().trimmed()});
    if (q.lastError().isValid()) throw DbError(q.lastError());
    return animals;
}
}  // namespace

void readBreedingRows(const books::Period& period, const std::function<void(const BreedingRow&)>& each)
{
    // The animals are read once and met per animal below, rather than joined to every record.
    const QHash<QString, AnimalFacts> animals = animalFacts();
    // One animal's rows together: the unique key (개체번호, 수정일) reads them in this order.
    QSqlQuery q = runQuery(
        QStringLiteral("select 개체번호, 회수, 수정일, case when 수정일 between ? and ? then 정액번호 else '' end, "
                       "공란우, 판정일, 가부, 분만일, "
                       "case when 수정일 between ? and ? then 인공수정자 else '' end, "
                       "case when 비고 like '%산%' then 비고 else '' end, "
                       "case when 분만난이도 like '%산%' then 분만난이도 else '' end "
                       "from 번식기록 order by 개체번호, 수정일"),
        {period.from, period.to, period.from, period.to});
    BreedingRow r;
    const AnimalFacts* animal = nullptr;
    bool first = true;
    while (q.next()) {
        const QString number = q.value(B개체번호).toString();
        if (first || number != r.animal) {
            first = false;
            r.animal = number;
            const auto found = animals.constFind(number);
            animal = found == animals.cend() ? nullptr : &*found;
            if (animal) {
                r.cow = animal->cow;
                r.birth = animal->birth;
                r.sold = animal->sold;
                r.pen = animal->pen;
            }
        }
        if (!animal) continue;  // a record of no animal on file
        r.service = q.value(B회수).toDouble();
        r.inseminated = q.value(B수정일).toLongLong();
        r.semen = q.value(B정액번호).toString().trimmed();
        r.donor = q.value(B공란우).toString().trimmed();
        r.checked = q.value(B판정일).toLongLong();
        r.verdict = q.value(B가부).toLongLong();
        r.calved = q.value(B분만일).toLongLong();
        r.inseminator = q.value(B인공수정자).toString().trimmed();
        r.note = q.value(B비고).toString();
        r.calvingNote = q.value(B분만난이도).toString();
        each(r);
    }
    if (q.lastError().isValid()) throw DbError(q.lastError());
}

FertilityResult loadFertility(const books::Period& period, const QDate& today)
{
    FertilityAnalysis a(period, today);
    readBreedingRows(period, [&a](const BreedingRow& r) { a.add(r); });
    return a.finish();
}

}  // namespace analysis
