#include "bench/bench_search.h"

#include "data/Db.h"
#include "data/ProgramDir.h"
#include "data/SampleFarm.h"
#include "data/Schema.h"
#include "registry/SearchWindow.h"
#include "registry/model/SearchRules.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <cstdio>

namespace {
// Resident memory the process allocated itself (RssAnon): the grid and the rest of the heap,
// without the database file's pages that SQLite maps and the kernel may drop at any time.
double residentMb()
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith("RssAnon:")) return line.mid(8).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return 0;
}

// The query alone: every record fetched and every column read, nothing shown.
qint64 bareQueryMs()
{
    const SearchQuery sq = buildSearchQuery(SearchConditions{});
    QElapsedTimer t;
    t.start();
    QSqlQuery q = runQuery(sq.sql, sq.binds);
    const int cols = q.record().count();
    qint64 sink = 0;
    while (q.next())
        for (int c = 0; c < cols; ++c) sink += q.value(c).isNull() ? 0 : 1;
    const qint64 ms = t.elapsed();
    if (sink < 0) std::puts("");
    return ms;
}

void measure(int animals)
{
    QTemporaryDir dir;
    setProgramDir(dir.path());
    const QString err = createDatabaseFileIfMissing(databaseFilePath());
    if (!err.isEmpty() || !DBOpen()) {
        std::printf("search n=%d error=%s\n", animals, qPrintable(err));
        return;
    }
    SampleFarmOptions o;
    o.animals = animals;
    o.breedingPerCow = 1;
    const QString written = writeSampleFarm(gConn, o);
    DBClose();
    if (!written.isEmpty()) {
        std::printf("search n=%d error=%s\n", animals, qPrintable(written));
        return;
    }

    auto* w = new SearchWindow;
    w->show();
    QApplication::processEvents();
    bareQueryMs();  // warm the file cache for both measurements
    qint64 bare = -1, total = -1;
    for (int round = 0; round < 3; ++round) {
        const qint64 b = bareQueryMs();
        bare = bare < 0 ? b : std::min(bare, b);
        QElapsedTimer t;
        t.start();
        w->query();
        const qint64 ms = t.elapsed();
        total = total < 0 ? ms : std::min(total, ms);
        QApplication::processEvents();
    }
    const int rows = w->rowCount();
    const double rss = residentMb();
    std::printf("search n=%d total_ms=%lld bare_ms=%lld ratio=%.2f rss_mb=%.0f\n", animals,
                static_cast<long long>(total), static_cast<long long>(bare),
                bare > 0 ? double(total) / double(bare) : 0.0, rss);
    if (rows != animals) std::printf("search n=%d rows=%d (expected all)\n", animals, rows);
    std::fflush(stdout);
    w->close();
    delete w;
    setProgramDir(QString());
}
}  // namespace

void benchSearch()
{
    for (int n : {1000, 10000, 100000}) measure(n);
}
