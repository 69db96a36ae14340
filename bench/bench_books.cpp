#include "bench/bench_books.h"

#include "books/PeriodBookWindow.h"
#include "books/model/RecordBooks.h"
#include "data/Clock.h"
#include "data/Db.h"
#include "data/Globals.h"
#include "data/ProgramDir.h"
#include "data/SampleFarm.h"
#include "data/Schema.h"
#include "print/PrintSequence.h"
#include "print/ReportJob.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

namespace {

const QDate kToday(2009, 12, 8);

// A sample farm with exactly `records` breeding records in <dir>/db, the report files beside it.
QString writeFarm(const QTemporaryDir& dir, int records)
{
    setProgramDir(dir.path());
    QString err = createDatabaseFileIfMissing(databaseFilePath());
    if (!err.isEmpty()) return err;
    if (!DBOpen(&err)) return err;
    QSqlQuery(gConn).exec(QStringLiteral("PRAGMA synchronous = OFF"));
    QSqlQuery(gConn).exec(QStringLiteral("update 농장정보 set 사업장명칭 = '햇살한우농장'"));
    SampleFarmOptions o;
    o.animals = 0;
    o.breedingPerCow = 4;
    o.breedingRecords = records;
    o.today = kToday;
    err = writeSampleFarm(gConn, o);
    if (err.isEmpty()) QSqlQuery(gConn).exec(QStringLiteral("ANALYZE"));
    DBClose();
    // The program's report files: rpt/ of the source tree, two levels above a build folder.
    QDir().mkpath(dir.path() + QStringLiteral("/rpt"));
    const QDir source(QCoreApplication::applicationDirPath() + QStringLiteral("/../rpt"));
    for (const QString& f : source.entryList(QDir::Files))
        QFile::copy(source.filePath(f), dir.path() + QStringLiteral("/rpt/") + f);
    return err;
}

// The book's statement over the period read to the end, every column it selects, nothing shown.
void bareQuery(const books::BookSpec& book, const books::Period& p)
{
    QSqlQuery q = runQuery(book.sql, {p.from, p.to});
    const int cols = q.record().count();
    qint64 sink = 0;
    while (q.next())
        for (int c = 0; c < cols; ++c) sink += q.value(c).isNull() ? 0 : 1;
    if (sink < 0) std::puts("");
}

double msOf(const std::function<void()>& f)
{
    QElapsedTimer t;
    t.start();
    f();
    return t.nsecsElapsed() / 1e6;
}

void benchQuery(int records)
{
    QTemporaryDir dir;
    const QString err = writeFarm(dir, records);
    if (!err.isEmpty()) {
        std::printf("book n=%d error=%s\n", records, qPrintable(err));
        return;
    }
    setTodayOverride(kToday);
    {
        PeriodBookWindow w(books::matingBook());
        w.show();
        w.setPeriod(kToday.addYears(-1).addDays(1), kToday);
        const books::Period p = w.period();
        bareQuery(w.book(), p);  // warms the file cache for both measurements
        double total = 1e18, bare = 1e18;
        for (int round = 0; round < 3; ++round) {
            bare = std::min(bare, msOf([&] { bareQuery(w.book(), p); }));
            total = std::min(total, msOf([&] { w.query(); }));
            QApplication::processEvents();
        }
        std::printf("book n=%d total_ms=%.0f bare_ms=%.0f ratio=%.2f rows=%d\n", records, total, bare,
                    bare > 0 ? total / bare : 0.0, w.rowCount());
        std::fflush(stdout);
        w.close();
    }
    setTodayOverride(QDate());
    setProgramDir(QString());
}

// Filling the work table from the grid and laying the report out into a PDF file, as the print
// command does after the printer dialog; the fixed 500 ms pause after the filling is left out.
void benchPdf(int rows)
{
    QTemporaryDir dir;
    const QString err = writeFarm(dir, rows);
    const books::BookSpec& book = books::matingBook();
    if (!err.isEmpty() || !QFile::exists(dir.path() + QStringLiteral("/rpt/") + book.reportFile)) {
        std::printf("book_pdf rows=%d error=%s\n", rows, qPrintable(err.isEmpty() ? "no " + book.reportFile : err));
        return;
    }
    setTodayOverride(kToday);
    {
        PeriodBookWindow w(book);
        w.setPeriod(QDate(1990, 1, 1), kToday);
        w.query();
        setWorkTablePauseMs(0);
        PrinterChoice toPdf;
        toPdf.outcome = PrinterChoice::Outcome::Print;
        toPdf.pdfFile = dir.path() + QStringLiteral("/book.pdf");
        ReportJob& report = reportControl();
        ReportJob::Status status = ReportJob::Status::BadData;
        const double ms = msOf([&] {
            if (!fillWorkTable(&w, book.workTable, w.workTableRows(book.columns))) return;
            report.prepare(toPdf, book.reportFile, book.previewTitle);
            report.formulas = books::farmNameFormula(gs사업장명칭);
            status = report.run();
        });
        setWorkTablePauseMs(500);
        if (status == ReportJob::Status::Ok)
            std::printf("book_pdf rows=%d total_ms=%.0f pdf_kb=%lld\n", w.rowCount(), ms,
                        QFile(toPdf.pdfFile).size() / 1024);
        else
            std::printf("book_pdf rows=%d error=%s\n", w.rowCount(), qPrintable(report.lastError()));
        std::fflush(stdout);
        w.close();
    }
    setTodayOverride(QDate());
    setProgramDir(QString());
}

}  // namespace

void benchBooks()
{
    benchQuery(1000000);
    benchPdf(1000);
}
