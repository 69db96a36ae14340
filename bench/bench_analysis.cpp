#include "bench/bench_analysis.h"

#include "analysis/model/ChartLayout.h"
#include "analysis/model/HerdAnalysis.h"
#include "bench/bench_util.h"
#include "data/Db.h"
#include "data/ProgramDir.h"
#include "data/Schema.h"
#include "data/Values.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QSqlError>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

const QDate kToday(2009, 12, 8);

// A farm of exactly `records` breeding records and `gradings` graded steers. Each cow is served
// from about 14 months of age on, as a real herd is: most services hold and are checked 가 and calve
// 285 days later, the rest are checked 부 or followed by a return to heat three weeks on; some
// pregnancies abort, some services are embryo transfers, and the newest ones are still open.
// The steers are graded within the last year with grades as farmers write them.
QString writeFarm(const QString& file, int records, int gradings)
{
    const QString name = QStringLiteral("bench-analysis");
    QString err = openBulkFill(file, name);
    if (!err.isEmpty()) return err;
    {
        QSqlDatabase db = QSqlDatabase::database(name, false);
        QSqlQuery animal(db), breeding(db), grading(db);
        animal.prepare(
            QStringLiteral("insert into 개체관리 (개체번호, 구분, 개체생일, 우방번호, 정액번호) "
                           "values (?, ?, ?, ?, ?)"));
        breeding.prepare(QStringLiteral(
            "insert into 번식기록 (개체번호, 산차, 회수, 수정일, 정액번호, 공란우, 판정일, 가부, 분만일, "
            "분만난이도, 인공수정자, 비고, 성별) values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, -1)"));
        grading.prepare(QStringLiteral(
            "insert into 등급판정 (개체번호, 작업장, 판정일, 생체중, 등지방두께, 등심단면적, 도체중, 근내지방, "
            "최종등급, 경락가) values (?, '축산물공판장', ?, ?, ?, ?, ?, ?, ?, ?)"));
        QRandomGenerator rng(20091208);
        auto pick = [&](int n) { return int(rng.bounded(n)); };
        QStringList sires;
        for (int i = 0; i < 40; ++i) sires << QStringLiteral("KPN%1").arg(900 + i * 7);
        const QStringList people = {"김수정", "이인공", "박기사", "최수의", ""};
        const QStringList grades = {"1++A", "1++B", "1+A", "1+B", "1+C", "1A", "1B", "2B", "2C", "3C", "1+", "등외"};
        auto bind = [](QSqlQuery& q, const QVariantList& values) {
            for (int i = 0; i < values.size(); ++i) q.bindValue(i, bindable(values[i]));
            return q.exec();
        };
        int written = 0;
        for (qint64 a = 0; written < records; ++a) {
            const QString number = QStringLiteral("KR%1").arg(4100000000LL + a * 7, 12, 10, QChar(u'0'));
            // Served for the last six to eight years, so the newest services reach today.
            const QDate first = kToday.addDays(-(2200 + pick(800)));
            const QDate birth = first.addMonths(-14).addDays(-pick(60));
            if (!bind(animal, {number, 0, datenum::fromDate(birth),
                               QStringLiteral("%1-%2").arg(1 + pick(9)).arg(1 + pick(20)), sires[pick(40)]}))
                return animal.lastError().text();
            QDate on = first;
            int parity = 1, service = 1;
            for (int k = 0; k < 10 && written < records && on <= kToday; ++k, ++written) {
                const bool holds = pick(10) < 6;
                const bool checked = on.daysTo(kToday) > 60 && pick(10) != 0;
                const bool aborts = holds && pick(30) == 0;
                const QDate calved = on.addDays(285);
                const bool calves = holds && !aborts && calved <= kToday;
                const QString donor =
                    pick(15) == 0 ? QStringLiteral("KR%1").arg(4000000000LL + pick(99999999)) : QString();
                if (!bind(breeding,
                          {number, double(parity), double(service), datenum::fromDate(on), sires[pick(40)], donor,
                           checked ? datenum::fromDate(on.addDays(60)) : 0, checked ? (holds ? 0 : 1) : -1,
                           calves ? datenum::fromDate(calved) : (aborts ? datenum::fromDate(on.addDays(150)) : 0),
                           calves ? QStringLiteral("1") : QString(), people[pick(people.size())],
                           aborts ? QStringLiteral("유산 (5개월)") : QString()}))
                    return breeding.lastError().text();
                if (holds) {
                    on = (aborts ? on.addDays(150) : calved).addDays(50 + pick(70));
                    ++parity;
                    service = 1;
                } else {
                    on = on.addDays(checked ? 70 + pick(20) : 21 + pick(4));
                    ++service;
                }
            }
        }
        for (int g = 0; g < gradings; ++g) {
            const QString number = QStringLiteral("KR%1").arg(4500000000LL + qint64(g) * 7, 12, 10, QChar(u'0'));
            const QDate on = kToday.addDays(-pick(365));
            const QString sire = sires[pick(40)];
            if (!bind(animal, {number, 1, datenum::fromDate(on.addDays(-(900 + pick(120)))), QString(), sire}))
                return animal.lastError().text();
            const double live = 650 + pick(200);
            if (!bind(grading,
                      {number, datenum::fromDate(on), live, double(8 + pick(10)), double(80 + pick(30)),
                       double(int(live * 0.6)), double(1 + pick(9)), grades[pick(grades.size())], 16000 + pick(6000)}))
                return grading.lastError().text();
        }
        if (!db.commit()) err = db.lastError().text();
        QSqlQuery(db).exec(QStringLiteral("ANALYZE"));
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return err;
}

// The bare aggregation of the rows and columns the analysis reads, in the database alone: every
// breeding record grouped by cow, with each column the figures use aggregated (services,
// conceptions, 부, first service, last calving, semen, inseminator, embryo transfers, notes,
// service numbers, the animal's birth, sale and pen), and the period's gradings grouped by sire
// and sex with the averages and grade counts of the shipment table.
qint64 bareAggregation(const books::Period& p)
{
    qint64 sink = 0;
    QSqlQuery b = runQuery(QStringLiteral(
        "select 번식기록.개체번호, count(*), sum(번식기록.가부 = 0 and 번식기록.판정일 > 0 or 번식기록.분만일 > 0), "
        "sum(번식기록.가부 = 1), min(번식기록.수정일), max(번식기록.분만일), max(번식기록.정액번호), "
        "max(번식기록.인공수정자), sum(번식기록.공란우 <> ''), sum(번식기록.비고 like '%산%'), "
        "sum(번식기록.분만난이도 like '%산%'), sum(번식기록.회수), max(개체관리.개체생일), max(개체관리.판매일), "
        "max(개체관리.우방번호) "
        "from 번식기록 join 개체관리 on 개체관리.개체번호 = 번식기록.개체번호 where 개체관리.구분 = 0 "
        "group by 번식기록.개체번호"));
    while (b.next()) sink += b.value(1).toLongLong() + b.value(2).toLongLong();
    QSqlQuery g = runQuery(QStringLiteral("select 개체관리.정액번호, 개체관리.구분, count(*), avg(등급판정.생체중), "
                                          "avg(등급판정.도체중), avg(등급판정.등심단면적), avg(등급판정.등지방두께), "
                                          "avg(등급판정.근내지방), avg(등급판정.경락가), "
                                          "avg(등급판정.판정일 - 개체관리.개체생일), "
                                          "sum(등급판정.최종등급 like '1++%'), sum(등급판정.최종등급 like '%A') "
                                          "from 등급판정 join 개체관리 on 개체관리.개체번호 = 등급판정.개체번호 "
                                          "where 등급판정.판정일 >= ? and 등급판정.판정일 <= ? "
                                          "group by 개체관리.정액번호, 개체관리.구분"),
                           {p.from, p.to});
    while (g.next()) sink += g.value(2).toLongLong();
    return sink;
}

double msOf(const std::function<void()>& f)
{
    QElapsedTimer t;
    t.start();
    f();
    return t.nsecsElapsed() / 1e6;
}

}  // namespace

void benchAnalysis(int records)
{
    const int gradings = records / 10;
    QTemporaryDir dir;
    setProgramDir(dir.path());
    const QString err = writeFarm(databaseFilePath(), records, gradings);
    if (!err.isEmpty() || !DBOpen()) {
        std::printf("analysis n=%d error=%s\n", records,
                    qPrintable(err.isEmpty() ? QStringLiteral("no database") : err));
        setProgramDir(QString());
        return;
    }
    const books::Period period = analysis::defaultPeriod(kToday);
    bareAggregation(period);  // warms the file cache for both measurements
    double total = 1e18, bare = 1e18;
    analysis::HerdAnalysis result;
    for (int round = 0; round < 3; ++round) {
        bare = std::min(bare, msOf([&] { bareAggregation(period); }));
        total = std::min(total, msOf([&] {
                             result = analysis::loadHerdAnalysis(period, kToday);
                             analysis::figureLines(result.fertility, analysis::readTargets());
                             analysis::intervalBars(result.fertility.calvingIntervals, 365);
                         }));
    }
    std::printf("analysis n=%d total_ms=%.0f bare_ms=%.0f ratio=%.2f gradings=%d services=%d pending=%zu\n", records,
                total, bare, bare > 0 ? total / bare : 0.0, result.shipment.total.head,
                result.fertility.overall.services + result.fertility.overall.pending, result.fertility.pending.size());
    std::fflush(stdout);
    DBClose();
    setProgramDir(QString());
}
