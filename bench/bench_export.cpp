#include "bench/bench_export.h"

#include "bench/bench_util.h"
#include "data/Db.h"
#include "data/ProgramDir.h"
#include "data/SampleFarm.h"
#include "data/Schema.h"
#include "kit/Grid.h"
#include "kit/GridExport.h"
#include "registry/SearchWindow.h"
#include "sheets/model/TableExport.h"

#include <sys/resource.h>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>

namespace {
constexpr int kAnimals = 100000;

// Processor time of this process so far: beside the wall-clock time, it shows what the
// export costs on a machine other work shares.
qint64 cpuMs()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return (qint64(u.ru_utime.tv_sec) + u.ru_stime.tv_sec) * 1000 + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1000;
}

// Starts a new peak of the resident size (VmHWM); false where the kernel does not allow it.
bool resetPeak()
{
    QFile f(QStringLiteral("/proc/self/clear_refs"));
    return f.open(QIODevice::WriteOnly) && f.write("5") == 1;
}

void exportOnce(const SearchWindow& list, ExportFormat format, const QString& file)
{
    const char* name = format == ExportFormat::Xlsx ? "export_xlsx" : "export_csv";
    const double before = statusMb("VmRSS:");
    const bool peakKnown = resetPeak();
    double sampledPeak = before;
    const qint64 cpuBefore = cpuMs();
    QElapsedTimer t;
    t.start();
    // The list's grid as automation finds it.
    const ExportTable table = tableOfGrid(list.findChild<const Grid*>(QStringLiteral("SS")));
    const ExportStatus status = saveTable(table, format, file, [&](qsizetype) {
        sampledPeak = std::max(sampledPeak, statusMb("VmRSS:"));
        return true;
    });
    const qint64 ms = t.elapsed();
    const qint64 cpu = cpuMs() - cpuBefore;
    const double peak = peakKnown ? statusMb("VmHWM:") : sampledPeak;
    std::printf("%s rows=%lld total_ms=%lld rss_mb=%.0f cpu_ms=%lld list_rss_mb=%.0f file_mb=%.1f%s\n", name,
                static_cast<long long>(table.rows.size()), static_cast<long long>(ms), peak - before,
                static_cast<long long>(cpu), before, QFileInfo(file).size() / 1048576.0,
                status == ExportStatus::Saved ? "" : " error=not-saved");
    std::fflush(stdout);
}
}  // namespace

void benchExport()
{
    QTemporaryDir dir;
    setProgramDir(dir.path());
    QString err = createDatabaseFileIfMissing(databaseFilePath());
    if (err.isEmpty() && DBOpen()) {
        SampleFarmOptions o;
        o.animals = kAnimals;
        o.breedingPerCow = 1;
        err = writeSampleFarm(gConn, o);
        DBClose();
    } else if (err.isEmpty()) {
        err = QStringLiteral("no connection");
    }
    if (!err.isEmpty()) {
        std::printf("export_xlsx rows=%d error=%s\n", kAnimals, qPrintable(err));
        return;
    }
    auto list = std::make_unique<SearchWindow>();
    list->show();
    list->query();
    QApplication::processEvents();
    // The file's cell types follow what the list declares its columns hold; a list that
    // declares none is given the search list's own, so the measure stays the same.
    Grid* grid = list->findChild<Grid*>(QStringLiteral("SS"));
    bool declared = false;
    for (int c = 1; c <= grid->maxCols(); ++c) declared = declared || grid->hasColumnKind(c);
    if (!declared) {
        const CellKind T = CellKind::Text, D = CellKind::Date, N = CellKind::Number;
        grid->setColumnKinds({T, T, T, D, T, T, T, D, T, T, T, D, T, N, D, D, N});
    }
    exportOnce(*list, ExportFormat::Xlsx, dir.filePath(QStringLiteral("list.xlsx")));
    exportOnce(*list, ExportFormat::Csv, dir.filePath(QStringLiteral("list.csv")));
    list->close();
    list.reset();
    setProgramDir(QString());
}
