// tarvik-bench: speed measurements, one line each, so runs can be compared.
//   tarvik-bench [grid|search|daily|books|export|analysis ...] [N]   (no name: all)
// N, when given, is the size of the cases that take one (analysis: breeding records).
#include "bench/bench_analysis.h"
#include "bench/bench_export.h"
#include "bench/bench_grid.h"
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

int main(int argc, char** argv)
{
    if (qgetenv("QT_QPA_PLATFORM").isEmpty()) qputenv("QT_QPA_PLATFORM", "offscreen");
    QLocale::setDefault(QLocale(QLocale::Korean, QLocale::SouthKorea));
    QApplication app(argc, argv);
    QStringList which = app.arguments().mid(1);
    int size = 0;
    for (const QString& arg : app.arguments().mid(1)) {
        bool number = false;
        const int n = arg.toInt(&number);
        if (number) {
            size = n;
            which.removeAll(arg);
        }
    }
    auto wanted = [&](const char* name) { return which.isEmpty() || which.contains(QLatin1String(name)); };
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
    if (wanted("analysis")) size > 0 ? benchAnalysis(size) : benchAnalysis();
    return 0;
}
