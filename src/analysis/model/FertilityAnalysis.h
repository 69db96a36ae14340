#pragma once
// The fertility figures of the herd analysis (번식성적), computed from the cows' breeding
// records (번식기록), free of any window. How the records are read, so that a figure means the
// same on the screen, on paper and in the saved file:
//  - Only cows' records count (개체관리.구분 = 0); a bull's stray row is ignored. A date number
//    that is no day (0 = not entered, or one such as 20100230) counts as not entered.
//  - An insemination (수정일 set) is conceived when its check says 가 (판정일 > 0 and 가부 = 0) or
//    it has a calving (분만일 > 0); not conceived when its check says 부 (가부 = 1) or the cow has
//    a later insemination; otherwise it is pending, left out of the rates and counted beside them.
//  - A checked 가 stays a conception when 비고 later notes an abortion (유산). Abortions are
//    counted and listed apart, and the accident date the breeding form asks for in 분만일 is no
//    calving. The form's 특이사항 (분만난이도) is read for the note as well.
//  - Embryo transfers (공란우 set) are left out of every conception figure and have their own
//    line. They are still services of the cow: they end her wait for a first service and her
//    days open, and make her earlier insemination not conceived.
//  - A figure falls in the period by its later event: a calving interval by the later calving, a
//    first-service interval by the insemination, days open by the conceiving insemination, age
//    at first calving by the first calving, conception figures by the insemination, an abortion
//    by its 분만일 (else by its insemination).
//  - A rate's n is the services with a known outcome, pending ones shown beside it; services per
//    conception = services with a known outcome ÷ conceptions.
//  - Days are whole days between dates; months = days ÷ 30.4375, one decimal. Averages leave out
//    values that were not entered (a cow without 개체생일) and say how many.
//  - A calving's first service and conceiving service are the first ones after it and before
//    the cow's next calving: a calving without a recorded insemination still ends the previous
//    cycle.
//  - Intervals no cow can have are left out of the averages and listed to be checked, as they
//    tell of a record entered twice or with a wrong date: a calving interval under 300 days
//    (and out of the distribution too), and a service dated after the service that conceived a
//    calving and not after that calving, a first service before the calving it should follow;
//    the cycle that calving opens then has no first-service interval or days open to average.
//  - The pending work list takes every insemination more than 60 days before today without an
//    outcome, whatever the period, of the cows still on the farm (no 판매일 up to today).
#include "analysis/model/AnalysisValues.h"
#include "books/model/PeriodBook.h"

#include <QDate>
#include <QHash>
#include <QString>
#include <functional>
#include <map>
#include <vector>

namespace analysis {

// One 번식기록 row with what the analysis needs of its animal (개체관리).
struct BreedingRow {
    QString animal;          // 개체번호
    bool cow = true;         // 개체관리.구분 = 0
    qint64 birth = 0;        // 개체관리.개체생일
    QString pen;             // 개체관리.우방번호
    qint64 sold = 0;         // 개체관리.판매일: a cow that left the farm has no pending work
    double service = 0;      // 회수: 1 first service, 2 second, …; 0 not entered
    qint64 inseminated = 0;  // 수정일
    QString semen;           // 정액번호
    QString donor;           // 공란우: set for an embryo transfer
    qint64 checked = 0;      // 판정일
    qint64 verdict = -1;     // 가부: 0 가, 1 부; the form stores -1 without a check
    qint64 calved = 0;       // 분만일
    QString inseminator;     // 인공수정자
    QString note;            // 비고
    QString calvingNote;     // 분만난이도 (특이사항)
};

enum class Outcome { Conceived, NotConceived, Pending };

// Whether a note tells of an abortion: 유산, 유사산 or 유/사산 (유산균, a feed additive, is none).
bool notesAbortion(const QString& text);

// Services and conceptions of one line of a conception table.
struct ConceptionRow {
    QString label;
    int services = 0;     // n: services with a known outcome
    int conceptions = 0;  // services that conceived
    int pending = 0;      // services whose outcome is not known yet

    // Conceptions per known outcome in per cent, one decimal; 0 when n is 0.
    double rate() const { return percent(conceptions, services); }
    // Known outcomes per conception, two decimals; 0 without a conception.
    double servicesPerConception() const { return conceptions > 0 ? rounded(double(services) / conceptions, 2) : 0.0; }
    bool operator==(const ConceptionRow&) const = default;
};

// A service waiting for its outcome, on the work list.
struct PendingService {
    QString animal;
    QString pen;
    qint64 inseminated = 0;  // date number
    int daysSince = 0;       // days from the insemination to today
    bool embryoTransfer = false;
    bool operator==(const PendingService&) const = default;
};

struct Abortion {
    QString animal;
    QString pen;
    qint64 inseminated = 0;  // date number, 0 when not entered
    qint64 date = 0;         // the accident date (분만일), 0 when not entered
    QString note;            // 비고, then 특이사항, as entered
    bool operator==(const Abortion&) const = default;
};

// The shortest calving interval a cow can have: a pregnancy and some weeks.
inline constexpr int kShortestCalvingInterval = 300;

// A record with an interval no cow can have, left out of its average.
struct RecordToCheck {
    enum Kind { ShortCalvingInterval, ServiceBeforeCalving };
    Kind kind = ShortCalvingInterval;
    QString animal;
    QString pen;
    qint64 from = 0;  // the earlier calving, or the service (date numbers)
    qint64 to = 0;    // the later calving
    int days = 0;     // from .. to
    bool operator==(const RecordToCheck&) const = default;
};
// "분만간격 300일 미만", "분만 전 수정".
QString checkKindText(RecordToCheck::Kind kind);

struct FertilityResult {
    Figure calvingInterval;       // days, one decimal
    Figure firstServiceInterval;  // days from a calving to the next insemination, one decimal
    Figure daysOpen;              // days to the conceiving insemination, one decimal; pending:
                                  // calvings not yet followed by a conception whose latest service,
                                  // in the period, waits for its outcome
    Figure ageAtFirstCalving;     // months, one decimal; left out: cows without 개체생일

    ConceptionRow overall;         // "전체"
    ConceptionRow firstService;    // 회수 1
    ConceptionRow embryoTransfer;  // "수정란 이식": apart from every other line
    // "1회", "2회", "3회 이상"; services without 회수 are in none and counted below.
    std::vector<ConceptionRow> byServiceNumber;
    int serviceNumberLeftOut = 0;
    // By 정액번호 and by 인공수정자 ("미입력" when empty), most services first; by month of the
    // insemination ("yyyy-mm"), every month of the period in order.
    std::vector<ConceptionRow> bySemen;
    std::vector<ConceptionRow> byInseminator;
    std::vector<ConceptionRow> byMonth;

    std::vector<int> calvingIntervals;    // each interval in days, for the distribution chart
    std::vector<RecordToCheck> toCheck;   // by the later date
    std::vector<Abortion> abortions;      // by date
    std::vector<PendingService> pending;  // oldest insemination first
};

// Services older than this many days without an outcome are on the work list.
inline constexpr int kPendingAfterDays = 60;

// Collects the figures from a stream of rows. The rows of one animal come together (in any
// date order among themselves), as the loader reads them.
class FertilityAnalysis {
public:
    FertilityAnalysis(const books::Period& period, const QDate& today);
    void add(const BreedingRow& row);
    // The figures, once, after the last row.
    FertilityResult finish();

private:
    struct Tally {
        int services = 0, conceptions = 0, pending = 0;
        void add(Outcome o);
    };
    // A row of the current cow, its dates as day counts (0: none).
    struct Event {
        const BreedingRow* row;
        qint64 day;     // insemination
        qint64 calved;  // calving or, for an abortion, its accident
        bool abortion;
        Outcome outcome;
    };
    struct Calving {
        qint64 day;
        qint64 date;         // date number
        qint64 conceivedOn;  // day of the latest service whose record holds this calving; 0: none
    };
    void analyseCow();
    void judgeServices(std::vector<Event>::iterator services, bool onFarm);
    void collectCalvings();
    void countCycles(std::vector<Event>::iterator services, qint64 birth);
    // Lists the services of the period dated between the conception of calving `c` and `c`
    // itself; when there is one, the cycle `c` opens has no reliable first service.
    struct Misdated {
        bool found = false;     // any, whatever its date
        bool inPeriod = false;  // one listed
    };
    Misdated checkServicesBefore(std::vector<Event>::iterator services, const Calving& c);
    void countService(const BreedingRow& r, Outcome o);
    bool inPeriod(qint64 dateNumber) const { return dateNumber >= m_period.from && dateNumber <= m_period.to; }
    static ConceptionRow rowOf(const QString& label, const Tally& t);
    static std::vector<ConceptionRow> sortedRows(const QHash<QString, Tally>& tallies);

    books::Period m_period;
    qint64 m_today = 0;     // date number
    qint64 m_todayDay = 0;  // day count
    // The current animal's rows and their events; kept between animals for their room.
    std::vector<BreedingRow> m_cow;
    std::vector<Event> m_events;
    std::vector<Calving> m_calvings;
    Mean m_interval, m_firstService, m_daysOpen, m_firstCalving;
    Tally m_overall, m_first, m_embryo;
    Tally m_byService[3];
    int m_serviceLeftOut = 0;
    QHash<QString, Tally> m_bySemen, m_byInseminator;
    std::map<qint64, Tally> m_byMonth;  // yyyymm
    FertilityResult m_result;
};

// The figures of `rows`, in any order.
FertilityResult analyseFertility(std::vector<BreedingRow> rows, const books::Period& period, const QDate& today);

// Streams every 번식기록 row of an animal on file, with the animal's facts, one animal's rows
// together, to `each`; with only what the figures of `period` need: 정액번호 and 인공수정자 of the
// period's services alone, and 비고 and 분만난이도 only when they may tell of an abortion (every
// such note has 산 in it). Reading fewer texts keeps a farm of a million records quick. Throws
// DbError.
void readBreedingRows(const books::Period& period, const std::function<void(const BreedingRow&)>& each);
// The figures of the open farm's records. Throws DbError.
FertilityResult loadFertility(const books::Period& period, const QDate& today);

}  // namespace analysis
