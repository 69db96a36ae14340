// tarvik-bench: speed measurements, one line each, so runs can be compared.
//   tarvik-bench [grid|search|daily|books|export|analysis|import|mating|vaccination|start ...] [N ...]   (no name: all)
//   tarvik-bench analysis N                            N breeding records instead of 1,000,000
//   tarvik-bench import [ANIMALS [BREEDING_RECORDS]]   smaller counts for a quick run
//   tarvik-bench mating [COWS [BULLS]]                 instead of 1,000 cows and 150 bulls
#include "bench/bench_analysis.h"
#include "bench/bench_export.h"
#include "bench/bench_grid.h"
#include "bench/bench_import.h"
#include "bench/bench_mating.h"
#include "bench/bench_start.h"
#include "bench/bench_vaccination.h"
#if __has_include("bench/bench_search.h")
#include "bench/bench_search.h"
#define HAVE_BENCH_SEARCH 1
#endif
#if __has_include("bench/bench_daily.h")
#include "bench/bench_daily.h"
#define HAVE_BENCH_DAILY 1
#endif

#if __has_include("bench/bench_books.h")
#include "bench/bench_books.h"
#define HAVE_BENCH_BOOKS 1
#endif

#include <QApplication>
#include <QLocale>
#include <QStringList>
#include <algorithm>

int main(int argc, char** argv)
{
    if (qgetenv("QT_QPA_PLATFORM").isEmpty()) qputenv("QT_QPA_PLATFORM", "offscreen");
    QLocale::setDefault(QLocale(QLocale::Korean, QLocale::SouthKorea));
    QApplication app(argc, argv);
    QStringList which = app.arguments().mid(1);
    // Only names choose cases; numbers are counts.
    const bool anyName = std::any_of(which.begin(), which.end(), [](const QString& a) {
        bool number = false;
        a.toInt(&number);
        return !number;
    });
    auto wanted = [&](const char* name) { return !anyName || which.contains(QLatin1String(name)); };
    if (wanted("grid")) benchGrid();
#ifdef HAVE_BENCH_SEARCH
    if (wanted("search")) benchSearch();
#endif
#ifdef HAVE_BENCH_DAILY
    if (wanted("daily")) benchDaily();
#endif
#ifdef HAVE_BENCH_BOOKS
    if (wanted("books")) benchBooks();
#endif
    if (wanted("export")) benchExport();
    if (wanted("analysis")) {
        int size = 0;
        for (const QString& a : which)
            if (bool ok = false; a.toInt(&ok) > 0 && ok) size = a.toInt();
        size > 0 ? benchAnalysis(size) : benchAnalysis();
    }
    if (wanted("import")) {
        // Counts after the case names: animals, then breeding records.
        QList<int> counts;
        for (const QString& a : which)
            if (bool ok = false; a.toInt(&ok) > 0 && ok) counts << a.toInt();
        if (counts.isEmpty())
            benchImport();
        else
            benchImport(counts.value(0), counts.value(1, counts.value(0) * 10));
    }
    if (wanted("mating")) {
        QList<int> counts;
        for (const QString& a : which)
            if (bool ok = false; a.toInt(&ok) > 0 && ok) counts << a.toInt();
        benchMating(counts.value(0, 1000), counts.value(1, 150));
    }
    if (wanted("vaccination")) benchVaccination();
    if (wanted("start")) benchStart();
    return 0;
}
