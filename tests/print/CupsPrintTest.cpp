// The real path: a report printed through CUPS on the second test queue (cups-pdf), with the
// default printer switched for the print and put back afterwards.
// Runs only on the private print service of scripts/private-cups.sh (scripts/test.sh starts
// it), never on the machine's own: it changes the default printer. Skipped elsewhere, except
// in CI, where a missing private service is a failure.
#include "print/PrintFixture.h"

#include <cups/cups.h>
#include <pwd.h>
#include <unistd.h>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QThread>

namespace {

const QString kQueue1 = QStringLiteral("TarvikPDF1");
const QString kQueue2 = QStringLiteral("TarvikPDF2");

struct Job {
    int id = 0;
    int state = 0;  // 0 when there is none
};

// The newest job titled `title` on `queue`.
Job newestJob(const QString& queue, const QString& title)
{
    cups_job_t* jobs = nullptr;
    const int n = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, queue.toUtf8().constData(), 0, CUPS_WHICHJOBS_ALL);
    Job job;
    for (int i = 0; i < n; ++i)
        if (QString::fromUtf8(jobs[i].title) == title && jobs[i].id > job.id) job = {jobs[i].id, int(jobs[i].state)};
    cupsFreeJobs(n, jobs);
    return job;
}

// Where cups-pdf puts the PDFs of this process's user: "Out" of its configuration, ~/PDF
// (the home of the password file, not $HOME) unless it says otherwise.
QString cupsPdfOutputDir()
{
    QString out = QStringLiteral("${HOME}/PDF");
    QFile conf(QStringLiteral("/etc/cups/cups-pdf.conf"));
    if (conf.open(QIODevice::ReadOnly))
        for (const QString& line : QString::fromUtf8(conf.readAll()).split(u'\n')) {
            static const QRegularExpression outLine(QStringLiteral("^\\s*Out\\s+(\\S.*)$"));
            const QRegularExpressionMatch m = outLine.match(line);
            if (m.hasMatch()) out = m.captured(1).trimmed();
        }
    const passwd* pw = ::getpwuid(::getuid());
    if (pw) {
        out.replace(QStringLiteral("${HOME}"), QString::fromLocal8Bit(pw->pw_dir));
        out.replace(QStringLiteral("${USER}"), QString::fromLocal8Bit(pw->pw_name));
    }
    return out;
}

// The files cups-pdf made of job `id`, whose title holds `stamp`.
QStringList pdfsOfJob(const QString& stamp, int id)
{
    QStringList files;
    const QDir dir(cupsPdfOutputDir());
    const QRegularExpression name(QStringLiteral(".*%1.*-job_%2\\.pdf$").arg(stamp).arg(id));
    for (const QString& f : dir.entryList(QDir::Files))
        if (name.match(f).hasMatch()) files << dir.filePath(f);
    return files;
}

}  // namespace

TEST(CupsPrint, PrintsOnTheChosenQueueAndPutsTheDefaultBack)
{
    setPrinterSystem(nullptr);
    const bool ci = !qEnvironmentVariable("CI").isEmpty();
    // The machine's own print service is never used: the test changes the default printer.
    const QString privateServer = qEnvironmentVariable("TARVIK_PRIVATE_CUPS");
    if (privateServer.isEmpty() || qEnvironmentVariable("CUPS_SERVER") != privateServer) {
        if (ci) FAIL() << "no private print service in CI (scripts/private-cups.sh)";
        GTEST_SKIP() << "runs on a private print service only: scripts/test.sh, or as root "
                        "scripts/private-cups.sh build/test_print";
    }
    CupsPrinterSystem cups;
    const QStringList queues = cups.printers();
    if (!queues.contains(kQueue1) || !queues.contains(kQueue2)) {
        if (ci) FAIL() << "CUPS test queues missing in CI";
        GTEST_SKIP() << "the private print service has no test queues";
    }

    TestFarm farm;
    ASSERT_TRUE(farm.open());
    setWorkTablePauseMs(0);
    const QString before = cups.defaultPrinter();
    const QString target = before == kQueue2 ? kQueue1 : kQueue2;
    QString defaultAfterChoice;
    setPrinterDialogRunner([&](PrinterDialog& d) {
        EXPECT_EQ(d.findChild<QComboBox*>(QStringLiteral("cmbPrnName"))->currentText(), before);
        d.findChild<QComboBox*>(QStringLiteral("cmbPrnName"))->setCurrentText(target);
        d.findChild<QPushButton*>(QStringLiteral("cmdPrn"))->click();
        defaultAfterChoice = cups.defaultPrinter();
    });

    const QString stamp = QString::number(QDateTime::currentMSecsSinceEpoch());
    const QString title = QStringLiteral("시험 출력 ") + stamp;
    PrintRequest r;
    r.question = QStringLiteral("시험 목록을 출력 하시겠습니까?");
    r.reportFile = QStringLiteral("시험출력.rpt");
    r.previewTitle = title;
    r.workTable = QStringLiteral("일일관리");
    r.rows = [] {
        return QList<QVariantList>{{QStringLiteral("KR000001"), QStringLiteral("1"), QStringLiteral("한빛농장"),
                                    QString(), QStringLiteral("재발정"), QString(), QString()}};
    };
    r.formulas = [] { return report::Formulas{{QStringLiteral("타이틀"), QStringLiteral("프린터 시험")}}; };
    const PrintOutcome outcome = runPrintSequence(r);

    EXPECT_EQ(outcome, PrintOutcome::Done) << reportControl().lastError().toStdString();
    EXPECT_EQ(defaultAfterChoice, target);
    EXPECT_EQ(cups.defaultPrinter(), before);
    if (cups.defaultPrinter() != before) cups.setDefaultPrinter(before);
    EXPECT_FALSE(cups.setDefaultPrinter(QStringLiteral("없는 프린터")));
    EXPECT_EQ(cups.defaultPrinter(), before);

    // The job reaches the queue and completes (cups-pdf writes the file).
    QElapsedTimer waited;
    waited.start();
    Job job;
    while (waited.elapsed() < 30000) {
        job = newestJob(target, title);
        if (job.state >= IPP_JSTATE_STOPPED) break;
        QThread::msleep(200);
    }
    EXPECT_EQ(job.state, IPP_JSTATE_COMPLETED) << "job state " << job.state;
    // The PDF lands in the user's own folder (see scripts/private-cups.sh): checked and removed.
    const QStringList pdfs = pdfsOfJob(stamp, job.id);
    EXPECT_EQ(pdfs.size(), 1) << "no PDF of job " << job.id << " in " << cupsPdfOutputDir().toStdString();
    for (const QString& pdf : pdfs) {
        QFile f(pdf);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly) && f.read(5) == "%PDF-") << pdf.toStdString();
        f.close();
        QFile::remove(pdf);
    }
}
