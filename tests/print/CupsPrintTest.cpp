// The real path: a report printed through CUPS on the second test queue (cups-pdf), with the
// default printer switched for the print and put back afterwards.
// Needs the queues of scripts/cups-test-queues.sh; skipped when no scheduler answers.
#include "print/PrintFixture.h"

#include <cups/cups.h>
#include <QDateTime>
#include <QElapsedTimer>
#include <QThread>

namespace {

const QString kQueue1 = QStringLiteral("TarvikPDF1");
const QString kQueue2 = QStringLiteral("TarvikPDF2");

// The state of the newest job titled `title` on `queue` (0 when there is none).
int jobState(const QString& queue, const QString& title)
{
    cups_job_t* jobs = nullptr;
    const int n = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, queue.toUtf8().constData(), 0, CUPS_WHICHJOBS_ALL);
    int state = 0, newest = -1;
    for (int i = 0; i < n; ++i)
        if (QString::fromUtf8(jobs[i].title) == title && jobs[i].id > newest) {
            newest = jobs[i].id;
            state = jobs[i].state;
        }
    cupsFreeJobs(n, jobs);
    return state;
}

}  // namespace

TEST(CupsPrint, PrintsOnTheChosenQueueAndPutsTheDefaultBack)
{
    setPrinterSystem(nullptr);
    CupsPrinterSystem cups;
    const QStringList queues = cups.printers();
    if (!queues.contains(kQueue1) || !queues.contains(kQueue2)) {
        // CI sets the queues up through the test command; there a missing queue is a failure.
        if (!qEnvironmentVariable("CI").isEmpty()) FAIL() << "CUPS test queues missing in CI";
        GTEST_SKIP() << "no CUPS test queues: run scripts/cups-test-queues.sh as root";
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

    const QString title = QStringLiteral("시험 출력 %1").arg(QDateTime::currentMSecsSinceEpoch());
    PrintRequest r;
    r.question = QStringLiteral("시험 목록을 출력 하시겠습니까?");
    r.reportFile = QStringLiteral("시험출력.rpt");
    r.previewTitle = title;
    r.workTable = QStringLiteral("일일관리");
    r.rows = [] {
        return QList<QVariantList>{{QStringLiteral("KR000001"), QStringLiteral("1"), QStringLiteral("한빛농장"),
                                    QString(), QStringLiteral("재발정"), QString(), QString()}};
    };
    r.formulas = [] { return QStringList{QStringLiteral("타이틀 = '프린터 시험' ")}; };
    const PrintOutcome outcome = runPrintSequence(r);
    setPrinterDialogRunner({});
    setWorkTablePauseMs(500);

    EXPECT_EQ(outcome, PrintOutcome::Done) << reportControl().lastError().toStdString();
    EXPECT_EQ(defaultAfterChoice, target);
    EXPECT_EQ(cups.defaultPrinter(), before);
    if (cups.defaultPrinter() != before) cups.setDefaultPrinter(before);
    EXPECT_FALSE(cups.setDefaultPrinter(QStringLiteral("없는 프린터")));
    EXPECT_EQ(cups.defaultPrinter(), before);

    // The job reaches the queue and completes (cups-pdf writes the file).
    QElapsedTimer waited;
    waited.start();
    int state = 0;
    while (waited.elapsed() < 30000) {
        state = jobState(target, title);
        if (state >= IPP_JSTATE_STOPPED) break;
        QThread::msleep(200);
    }
    EXPECT_EQ(state, IPP_JSTATE_COMPLETED) << "job state " << state;
}
