#include "data/SampleFarm.h"

#include "data/Db.h"
#include "data/Values.h"

#include <QRandomGenerator>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <algorithm>
#include <cmath>

namespace {

class Writer {
public:
    Writer(QSqlDatabase db, const QString& sql) : q(db) { ok = q.prepare(sql); }
    bool row(const QVariantList& values)
    {
        if (!ok) return false;
        for (int i = 0; i < values.size(); ++i) q.bindValue(i, bindable(values[i]));
        ok = q.exec();
        return ok;
    }
    QString error() const { return q.lastError().text(); }
    QSqlQuery q;
    bool ok = false;
};

// One insemination of a cow. A breeding cycle ends with its last service, which may hold; the
// services before it in the cycle failed: checked 부, or the cow came back in heat three weeks on.
struct Service {
    enum Kind { Last, CheckedOpen, Returned };
    QDate on;
    int cycle;   // 0 for the newest cycle
    int number;  // 회수 within the cycle
    Kind kind;
};

// The services of a cow, newest first, going back from `last` by cycles about a calving interval
// apart, none before `first`, at most `wanted` of them. A cycle is kept whole: its repeat services
// before the last are all there. `more` tells whether older cycles were left out for `wanted`.
template <typename Pick>
QList<Service> servicesOf(const QDate& last, const QDate& first, int wanted, Pick pick, bool* more)
{
    QList<Service> services;
    QDate at = last;
    for (int cycle = 0; at >= first && services.size() < wanted; ++cycle) {
        // A quarter of the cycles are repeat services: one or two failed ones before the last.
        const int repeats = std::min(pick(4) == 0 ? 1 + (pick(3) == 0 ? 1 : 0) : 0, wanted - int(services.size()) - 1);
        QList<Service> before;  // newest first
        QDate earliest = at;
        for (int r = 0; r < repeats; ++r) {
            const bool checked = pick(2) == 0;
            const QDate on = earliest.addDays(-(checked ? 70 + pick(20) : 21 + pick(4)));
            if (on < first) break;
            earliest = on;
            before << Service{on, cycle, 0, checked ? Service::CheckedOpen : Service::Returned};
        }
        services << Service{at, cycle, int(before.size()) + 1, Service::Last};
        for (qsizetype k = 0; k < before.size(); ++k) {
            before[k].number = int(before.size() - k);
            services << before[k];
        }
        // The cycle before ended in a calving 282 days after its last service, and the first
        // service after a calving comes two to five months later.
        at = earliest.addDays(-(340 + pick(90)));
    }
    *more = at >= first;
    return services;
}

// Foot-and-mouth doses as a farm records them, drawn from the animal's position alone so the
// herd's other values stay as they were: the first at two months, the booster four weeks on,
// then about every six months (only the last two years of them are kept), each under one of
// the names a farm writes. Calves younger than 200 days mostly wait for their first dose; now
// and then a young animal's booster was missed or the latest regular dose is weeks late, so on the
// sample day there are first doses, boosters and overdue animals due.
bool writeVaccinations(Writer& vaccine, const QString& number, int i, const QDate& birth, const QDate& leaves,
                       const QDate& today, const QString& vet)
{
    static const char16_t* const products[] = {u"구제역 백신", u"구제역 백신(O+A)", u"FMD 백신 2ml"};
    const QString product = QString::fromUtf16(products[i % 3]);
    const QDate last = std::min(leaves, today);
    auto dose = [&](const QDate& on, int withdrawalDays) {
        return vaccine.row({number, datenum::fromDate(on), QStringLiteral("구제역 예방접종"), product,
                            datenum::fromDate(on.addDays(withdrawalDays)), vet, QString(), 0, QString()});
    };
    const QDate first = birth.addMonths(2);
    if (first > last || (birth.daysTo(today) < 200 && i % 4 != 0)) return true;
    if (!dose(first, 14)) return false;
    const QDate booster = first.addDays(28);
    if (booster > last || (i % 7 == 3 && birth.daysTo(today) < 365)) return true;
    if (!dose(booster, 0)) return false;
    const bool late = i % 9 == 1;
    for (QDate on = booster.addDays(170 + (i * 37) % 21); on <= last; on = on.addDays(170 + (i * 53 + on.day()) % 21)) {
        if (late && on > today.addDays(-200)) break;
        if (on >= today.addDays(-730) && !dose(on, 0)) return false;
    }
    return true;
}

QString marks(int n)
{
    QStringList m;
    for (int i = 0; i < n; ++i) m << QStringLiteral("?");
    return m.join(u',');
}

// The bull catalogue: about forty bulls, the oldest proven (보증), the youngest candidates (후보)
// and a few others (기타) without breeding values. Each bull after the founders is a son of an
// older catalogue bull and of a daughter of another, so pedigrees run several generations deep
// and close relatives (half brothers, a sire that is also the maternal grandsire) are there for
// the inbreeding check. The herd's own sires (`herdSires`) are among them. Breeding values
// spread as a catalogue's do, a son's half his sire's and half his own; now and then one is not
// published yet. Its own random numbers leave the herd's as they were.
QString writeCatalogue(QSqlDatabase db, const QDate& today, quint32 seed, const QStringList& herdSires)
{
    // A farm that has a catalogue keeps it, and its tank with it.
    if (QSqlQuery has(db); !has.exec(QStringLiteral("select count(*) from 씨수소")) || !has.next())
        return has.lastError().text();
    else if (has.value(0).toInt() > 0)
        return QString();
    QRandomGenerator rng(seed ^ 0x5eedb011u);
    auto pick = [&](int n) { return int(rng.bounded(n)); };
    auto spread = [&](double low, double high) { return low + (high - low) * rng.generateDouble(); };
    Writer bull(db, QStringLiteral("insert into 씨수소 (KPN, 구분, 아비, 외조부, \"12개월령체중\", 도체중, 등심단면적, "
                                   "등지방두께, 근내지방도, 평가, 단가) values(%1)")
                        .arg(marks(11)));
    // Oldest first: the founders, then the herd's sires, then younger bulls by number.
    QStringList kpns = {"0702", "0735", "0761", "0788", "0803", "0835", "0851", "0902", "0934", "0987"};
    for (const QString& s : herdSires)
        if (!kpns.contains(s)) kpns << s;
    for (int n = 1010; kpns.size() < 40; n += 11 + pick(17)) {
        const QString k = QString::number(n);
        if (!kpns.contains(k)) kpns << k;
    }
    std::sort(kpns.begin(), kpns.end(), [](const QString& a, const QString& b) { return a.toInt() < b.toInt(); });
    const int founders = 6;
    struct Values {
        double w12, carcass, eye, fat, marbling;
    };
    QList<Values> given;
    int previousSire = 0;
    const QString evaluation = QStringLiteral("%1-%2")
                                   .arg(today.month() >= 8 ? today.year() : today.year() - 1)
                                   .arg(today.month() >= 8 ? QStringLiteral("08") : QStringLiteral("02"));
    for (int i = 0; i < kpns.size(); ++i) {
        const int youngest = int(kpns.size()) - i;
        const QString kind = youngest <= 8 ? QStringLiteral("후보")
                             : i % 13 == 4 ? QStringLiteral("기타")
                                           : QStringLiteral("보증");
        // Sons of the bulls before them; the two youngest are half brothers, and one bull has
        // the same bull as sire and maternal grandsire.
        QString sire, mgs;
        int sireAt = -1;
        if (i >= founders) {
            sireAt = youngest == 1 ? previousSire : pick(i);
            previousSire = sireAt;
            sire = kpns[sireAt];
            const int mgsAt = i == founders + 5 ? sireAt : pick(i);
            if (mgsAt != sireAt || i == founders + 5) mgs = kpns[mgsAt];
        }
        Values v{spread(-5, 25), spread(-10, 40), spread(-3, 12), spread(-3, 2), spread(-1, 2.5)};
        if (sireAt >= 0) {
            const Values& p = given[sireAt];
            v = {(v.w12 + p.w12) / 2 + 2, (v.carcass + p.carcass) / 2 + 3, (v.eye + p.eye) / 2 + 1, (v.fat + p.fat) / 2,
                 (v.marbling + p.marbling) / 2 + 0.2};
        }
        given << v;
        const bool published = kind != QStringLiteral("기타");
        auto value = [&](double x, int decimals) -> QVariant {
            if (!published || pick(9) == 0) return QVariant(QMetaType(QMetaType::Double));
            const double scale = std::pow(10.0, decimals);
            return std::round(x * scale) / scale;
        };
        const QVariant price = kind == QStringLiteral("보증")   ? QVariant(qint64(15000 + 1000 * pick(45)))
                               : kind == QStringLiteral("후보") ? QVariant(qint64(10000))
                                                                : QVariant(QMetaType(QMetaType::LongLong));
        if (!bull.row({kpns[i], kind, sire, mgs, value(v.w12, 1), value(v.carcass, 1), value(v.eye, 2), value(v.fat, 2),
                       value(v.marbling, 2), published ? evaluation : QString(), price}))
            return bull.error();
    }

    // The tank: receipts of four of the herd's sires some months ago, each with the straws the
    // services since then used and some left over, and one thrown away.
    Writer tank(
        db,
        QStringLiteral("insert into 정액재고 (일자, KPN, 종류, 수량, 단가, 공급처, 비고) values(%1)").arg(marks(7)));
    const QStringList suppliers = {"농협 한우개량사업소", "한우정액 대리점"};
    for (int k = 0; k < std::min<qsizetype>(4, herdSires.size()); ++k) {
        const QDate received = today.addDays(-(150 + 40 * k));
        QSqlQuery used(db);
        used.prepare(QStringLiteral("select count(*) from 번식기록 where 정액번호 = ? and 수정일 >= ?"));
        used.addBindValue(herdSires[k]);
        used.addBindValue(datenum::fromDate(received));
        if (!used.exec() || !used.next()) return used.lastError().text();
        const int straws = used.value(0).toInt() + 10 + 5 * k;
        if (!tank.row({datenum::fromDate(received), herdSires[k], QStringLiteral("입고"), straws,
                       qint64(20000 + 5000 * k), suppliers[k % 2], QString()}))
            return tank.error();
        if (k == 1 &&
            !tank.row({datenum::fromDate(received.addDays(30)), herdSires[k], QStringLiteral("폐기"), -2,
                       QVariant(QMetaType(QMetaType::LongLong)), QString(), QStringLiteral("질소 보충 늦어 손상")}))
            return tank.error();
    }
    // Bought lately for the coming services: a few of the catalogue's bulls the herd has not
    // used yet, so the mating plan has more than the herd's own sires to choose from.
    int bought = 0;
    for (qsizetype i = kpns.size() - 1; i >= 0 && bought < 6; i -= 3) {
        if (herdSires.contains(kpns[i])) continue;
        if (!tank.row({datenum::fromDate(today.addDays(-(20 + 7 * bought))), kpns[i], QStringLiteral("입고"),
                       5 + 5 * (bought % 3), qint64(18000 + 2000 * bought), suppliers[bought % 2], QString()}))
            return tank.error();
        ++bought;
    }
    return QString();
}

}  // namespace

QString writeSampleFarm(QSqlDatabase db, const SampleFarmOptions& o)
{
    QRandomGenerator rng(o.seed);
    auto pick = [&](int n) { return int(rng.bounded(n)); };
    const QStringList ranches = {"햇살목장", "푸른들목장", "한빛목장", "새벽목장", "들꽃목장"};
    const QStringList semen = {"1001", "1050", "0987", "1122", "0835", "1203"};
    const QStringList people = {"김수정", "이인공", "박기사", "최수의"};
    const QStringList difficulties = {"1", "1", "1", "2", "3 난산", "1 쌍태"};
    const QStringList grades = {"1++", "1+", "1", "2", "3"};
    const QStringList slaughterhouses = {"축산물공판장", "도드람 도축장", "협신식품"};

    if (!db.transaction()) return db.lastError().text();
    Writer animal(db, QStringLiteral("insert into 개체관리 values(%1)").arg(marks(18)));
    Writer breeding(db, QStringLiteral("insert into 번식기록 values(%1)").arg(marks(17)));
    Writer weigh(db, QStringLiteral("insert into 초음파측정 values(%1)").arg(marks(11)));
    Writer body(db, QStringLiteral("insert into 체척 values(%1)").arg(marks(14)));
    Writer vaccine(db, QStringLiteral("insert into 백신접종 values(%1)").arg(marks(9)));
    Writer grading(db, QStringLiteral("insert into 등급판정 values(%1)").arg(marks(16)));
    Writer manure(db, QStringLiteral("insert into 축산분뇨관리대장 values(%1)").arg(marks(7)));
    auto fail = [&](const Writer& w) {
        db.rollback();
        return w.error();
    };

    // Cows of the herd, oldest written first, for the dams of younger animals.
    struct Cow {
        QString number;
        QDate birth;
        QDate leaves;
    };
    QList<Cow> cows;
    int breedingWritten = 0;
    auto breedingWanted = [&](int i) {
        return o.breedingRecords > 0 ? breedingWritten < o.breedingRecords : i <= o.animals;
    };
    for (int i = 1; i <= o.animals || breedingWanted(i); ++i) {
        const bool bull = i % 3 == 0;
        const QString number = QStringLiteral("KR%1").arg(4100000000LL + i * 7, 12, 10, QChar(u'0'));
        // Steers are shipped, and now and then a cow is culled; both are graded the day they leave,
        // within the last year. Steers are fattened to 26 to 34 months, culled cows have calved
        // for some years; the other bulls are calves and steers still fattening, the other cows
        // heifers and cows of up to eight years.
        const bool shipped = bull && pick(4) == 0;
        const bool culled = !bull && pick(10) == 0;
        const QDate gradedOn = o.today.addDays(-pick(360));
        QDate birth;
        if (shipped)
            birth = gradedOn.addMonths(-(26 + pick(9))).addDays(-pick(28));
        else if (bull)
            birth = o.today.addDays(-(90 + pick(820)));
        else if (culled)
            birth = gradedOn.addMonths(-(40 + pick(80)));
        else
            birth = o.today.addDays(-(700 + pick(2400)));
        const QDate leaves = shipped || culled ? gradedOn : o.today;  // the last day on the farm

        // A cow is first served at 14 months or later; a cow whose older cycles are left out of
        // the sample is as old as her first recorded service makes her.
        QList<Service> services;
        if (!bull) {
            const QDate last = culled ? gradedOn.addDays(-(300 + pick(60))) : o.today.addDays(-pick(300));
            const int wanted = o.breedingRecords > 0 ? std::min(o.breedingPerCow, o.breedingRecords - breedingWritten)
                                                     : o.breedingPerCow;
            bool more = false;
            services = servicesOf(last, birth.addMonths(14), wanted, pick, &more);
            if (more && !services.isEmpty()) birth = services.last().on.addMonths(-14).addDays(-pick(90));
            if (culled) birth = std::min(birth, gradedOn.addMonths(-30));
        }
        const QDate arrival = std::min(birth.addDays(pick(60)), leaves);
        const qint64 planned = bull ? datenum::fromDate(birth.addMonths(30)) : 0;
        const qint64 shippedOn = shipped ? datenum::fromDate(gradedOn) : 0;
        const QDate castrated = birth.addMonths(6);  // steers, at six months
        const qint64 soldOrCastrated = culled                        ? datenum::fromDate(gradedOn)
                                       : bull && castrated <= leaves ? datenum::fromDate(castrated)
                                                                     : 0;
        // Every other animal's dam is a cow of the herd that was two years old or more at its
        // birth and still on the farm; the others came from other farms (`foreign`, drawn all the
        // same so the herd's other values stay as they were).
        const auto damOf = [&](const QString& foreign) {
            if (i % 2 != 0 || cows.isEmpty()) return foreign;
            for (qsizetype k = 0, at = (i * 7919) % cows.size(); k < cows.size(); ++k) {
                const Cow& c = cows[(at + k) % cows.size()];
                if (c.birth <= birth.addMonths(-24) && c.leaves >= birth) return c.number;
            }
            return foreign;
        };
        if (!animal.row({number, bull ? 1 : 0, pick(5) == 0 ? 1 : 0, datenum::fromDate(birth),
                         QStringLiteral("%1").arg(300000 + i), ranches[pick(ranches.size())],
                         QStringLiteral("%1-%2").arg(1 + pick(9)).arg(1 + pick(20)), datenum::fromDate(arrival),
                         semen[pick(semen.size())], QStringLiteral("0%1").arg(50000 + pick(9999)), QString(), QString(),
                         damOf(QStringLiteral("KR%1").arg(4000000000LL + pick(99999999))), soldOrCastrated,
                         pick(6) == 0 ? QStringLiteral("순함") : QString(), double(1 + pick(5)), planned, shippedOn}))
            return fail(animal);
        if (!bull) cows << Cow{number, birth, leaves};

        if (!bull) {
            const int cycles = services.isEmpty() ? 0 : services.last().cycle + 1;
            for (int k = 0; k < services.size(); ++k) {
                const Service& sv = services[k];
                const QDate ins = sv.on;
                // A check is made 60 days on, but now and then the newest service still waits for
                // one; an older cycle ended in a pregnancy, the newest one not always.
                const bool newest = k == 0 && !culled;
                const bool canCheck = ins.addDays(60) <= o.today;
                const bool open =
                    sv.kind == Service::Returned || !canCheck || (sv.kind == Service::Last && newest && pick(5) == 0);
                const bool pregnant = sv.kind == Service::Last && !open && (!newest || pick(6) != 0);
                const QDate calved = ins.addDays(282);
                // Now and then a pregnancy is lost; the form keeps the day in 분만일 and says so in 비고.
                const bool aborted = pregnant && pick(20) == 0 && ins.addDays(150) <= o.today;
                const bool hasCalf = pregnant && !aborted && calved <= o.today;
                // One in twelve is an embryo transfer from a donor cow of another farm.
                const QString donor =
                    pick(12) == 0 ? QStringLiteral("KR%1").arg(4000000000LL + pick(99999999)) : QString();
                const bool recorded = pick(5) != 0;  // the expected calving date is not always entered
                const qint64 calvingCell =
                    hasCalf ? datenum::fromDate(calved) : (aborted ? datenum::fromDate(ins.addDays(150)) : 0);
                const QString note = aborted ? QStringLiteral("유산 (5개월)")
                                             : (hasCalf && pick(15) == 0 ? QStringLiteral("송아지 허약") : QString());
                if (!breeding.row({number, double(cycles - sv.cycle), double(sv.number), datenum::fromDate(ins),
                                   semen[pick(semen.size())], donor, recorded ? datenum::fromDate(ins.addDays(280)) : 0,
                                   recorded ? double(4 + pick(3)) : 0.0, open ? 0 : datenum::fromDate(ins.addDays(60)),
                                   open ? -1 : (pregnant ? 0 : 1), calvingCell,
                                   hasCalf ? QStringLiteral("%1-C%2").arg(number).arg(k) : QString(),
                                   hasCalf ? pick(2) : -1,
                                   hasCalf ? difficulties[pick(difficulties.size())] : QString(),
                                   people[pick(people.size())], hasCalf ? double(25 + pick(10)) : 0.0, note}))
                    return fail(breeding);
                ++breedingWritten;
            }
        }
        for (int k = 0; k < 2; ++k) {
            const QDate on = birth.addMonths(6 + k * 6);
            if (on > leaves) break;
            if (!weigh.row({number, k == 0 ? QStringLiteral("육성기") : QStringLiteral("비육전기"),
                            datenum::fromDate(on), double(180 + k * 120 + pick(40)), QStringLiteral("SSD-500"),
                            double(50 + pick(30)), double(5 + pick(8)), double(1 + pick(8)),
                            people[pick(people.size())], people[pick(people.size())], QStringLiteral("1+")}))
                return fail(weigh);
            if (!body.row({number, QString::number(6 + k * 6), datenum::fromDate(on), people[pick(people.size())],
                           double(100 + k * 15 + pick(10)), double(105 + k * 15), double(110 + k * 20),
                           double(50 + k * 8), double(30 + k * 6), double(140 + k * 25), double(40 + k * 5),
                           double(35 + k * 4), double(33 + k * 4), double(18 + k * 3)}))
                return fail(body);
        }
        if (!writeVaccinations(vaccine, number, i, birth, leaves, o.today, people[3])) return fail(vaccine);
        if (shipped || culled) {
            // Better marbling, better grade, better price; cows are lighter than steers.
            const int grade = pick(grades.size());
            const int marbling = std::clamp(9 - grade * 2 - pick(2), 1, 9);
            const int price = 21000 - grade * 2500 + pick(1500);
            // The final grade as the grading office writes it: quality and yield ("1++A", "2C"),
            // now and then the quality alone, and once in a while an animal out of grade.
            const QString finalGrade = pick(25) == 0  ? QStringLiteral("등외")
                                       : pick(6) == 0 ? grades[grade]
                                                      : grades[grade] + QString(QChar(u'A' + pick(3)));
            const double live = (culled ? 520 : 700) + pick(120) + pick(10) / 10.0;
            if (!grading.row({number, slaughterhouses[pick(slaughterhouses.size())], datenum::fromDate(gradedOn), live,
                              double(8 + pick(10)), double(80 + pick(30)), std::round(live * 0.6), double(marbling),
                              QString::number(4 + pick(2)), QString::number(2 + pick(2)), QString::number(1 + pick(2)),
                              QString::number(2 + pick(3)), finalGrade, price + 1000, price,
                              people[pick(people.size())]}))
                return fail(grading);
        }
    }
    for (int d = 1; d <= 30; ++d) {
        const QDate on = o.today.addDays(-d * 7);
        if (!manure.row({datenum::fromDate(on), 2.5 + pick(10) / 10.0, datenum::fromDate(on.addDays(3)),
                         d % 2 ? QStringLiteral("퇴비화") : QStringLiteral("액비화"), 2.0 + pick(10) / 10.0,
                         QStringLiteral("자가 농지"), QString()}))
            return fail(manure);
    }
    if (const QString error = writeCatalogue(db, o.today, o.seed, semen); !error.isEmpty()) {
        db.rollback();
        return error;
    }
    if (!db.commit()) return db.lastError().text();
    return QString();
}
