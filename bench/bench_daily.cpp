#include "bench/bench_daily.h"

#include "bench/bench_util.h"
#include "books/DailyWindow.h"
#include "books/model/DailyRules.h"
#include "data/Clock.h"
#include "data/Db.h"
#include "data/ProgramDir.h"
#include "data/Schema.h"
#include "data/Values.h"

#include <QDir>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

const QDate kToday(2009, 12, 8);
constexpr int kInseminationsPerCow = 10;

// A farm of `records` breeding records: cows with ten inseminations each, spread over about
// eight years; older ones checked and mostly calved, the newest partly open, as on a real farm.
// Some bulls carry records too, which the lists must leave out.
QString writeFarm(const QString& file, int records)
{
    const QString name = QStringLiteral("bench-daily");
    QString err = openBulkFill(file, name);
    if (!err.isEmpty()) return err;
    {
        QSqlDatabase db = QSqlDatabase::database(name, false);
        QSqlQuery animal(db), breeding(db);
        animal.prepare(QStringLiteral(
            "insert into 개체관리 (개체번호, 구분, 구분2, 개체생일, 별명, 우방번호) values (?, ?, 0, ?, ?, ?)"));
        breeding.prepare(
            QStringLiteral("insert into 번식기록 (개체번호, 산차, 회수, 수정일, 예정일, 판정일, 가부, 분만일, 성별) "
                           "values (?, ?, 1, ?, ?, ?, ?, ?, -1)"));
        QRandomGenerator rng(20091208);
        const QStringList ranches = {"햇살목장", "푸른들목장", "한빛목장", "새벽목장", "들꽃목장"};
        const int animals = (records + kInseminationsPerCow - 1) / kInseminationsPerCow;
        int written = 0;
        for (int a = 0; a < animals && written < records; ++a) {
            const bool bull = a % 50 == 49;
            const QString number = QStringLiteral("KR%1").arg(4100000000LL + qint64(a) * 7, 12, 10, QChar(u'0'));
            animal.addBindValue(number);
            animal.addBindValue(bull ? 1 : 0);
            animal.addBindValue(datenum::fromDate(kToday.addDays(-3200 - int(rng.bounded(900)))));
            animal.addBindValue(ranches[int(rng.bounded(ranches.size()))]);
            animal.addBindValue(QStringLiteral("%1-%2").arg(1 + rng.bounded(9)).arg(1 + rng.bounded(20)));
            if (!animal.exec()) return animal.lastError().text();
            for (int k = 0; k < kInseminationsPerCow && written < records; ++k, ++written) {
                const QDate ins = kToday.addDays(-(k * 300 + int(rng.bounded(300))));
                const int days = int(ins.daysTo(kToday));
                const bool checked = days > 60 ? rng.bounded(10) != 0 : rng.bounded(3) == 0;
                const int verdict = checked ? (rng.bounded(4) == 0 ? 1 : 0) : -1;
                const bool calved = verdict == 0 && days > 282;
                breeding.addBindValue(number);
                breeding.addBindValue(double(kInseminationsPerCow - k));
                breeding.addBindValue(datenum::fromDate(ins));
                breeding.addBindValue(datenum::fromDate(ins.addDays(280)));
                breeding.addBindValue(checked ? datenum::fromDate(ins.addDays(std::min(days, 60))) : 0);
                breeding.addBindValue(verdict);
                breeding.addBindValue(calved ? datenum::fromDate(ins.addDays(282)) : 0);
                if (!breeding.exec()) return breeding.lastError().text();
            }
        }
        if (!db.commit()) err = db.lastError().text();
        QSqlQuery(db).exec(QStringLiteral("ANALYZE"));
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return err;
}

// The same statement and bounds the window runs, read to the end without a grid.
qint64 bareQueryRows(const QString& sql, const daily::DateNumberRange& range)
{
    QSqlQuery q = runQuery(sql, {range.from, range.to});
    qint64 n = 0;
    while (q.next()) {
        n += q.value(0).toString().size() + q.value(1).toString().size() + q.value(2).toString().size();
        n += q.value(3).toLongLong() & 1;
    }
    return n;
}

void reportTimes(const char* list, int records, double total, double bare)
{
    std::printf("%s n=%d total_ms=%.2f bare_ms=%.2f ratio=%.2f\n", list, records, total, bare,
                bare > 0 ? total / bare : 0.0);
    std::fflush(stdout);
}

}  // namespace

void benchDaily()
{
    for (const int records : {10000, 1000000}) {
        QTemporaryDir dir;
        const QString err = writeFarm(dir.path() + QStringLiteral("/db/TARVIK.db"), records);
        if (!err.isEmpty()) {
            std::fprintf(stderr, "daily: cannot write the sample farm: %s\n", qPrintable(err));
            return;
        }
        setProgramDir(dir.path());
        setTodayOverride(kToday);
        {
            DailyWindow w;  // loads and runs the re-estrus list once
            w.show();
            const int runs = 5;
            const double reTotal = bestMs(runs, [&] { w.queryReestrus(); });
            const double reBare =
                bestMs(runs, [&] { bareQueryRows(daily::reestrusSql(), daily::reestrusInseminationRange(today())); });
            reportTimes("reestrus", records, reTotal, reBare);
            const double caTotal = bestMs(runs, [&] { w.queryCalving(); });
            const double caBare =
                bestMs(runs, [&] { bareQueryRows(daily::calvingSql(), daily::calvingInseminationRange(today())); });
            reportTimes("calving", records, caTotal, caBare);
            w.close();
        }
        setTodayOverride(QDate());
    }
    setProgramDir(QString());
}
