// The print sequence every print command runs: its messages, the work-table filling, the
// printer dialog's outcomes, the default printer put back, and the report's output.
#include "print/PrintFixture.h"

#include "data/Clock.h"
#include "data/Db.h"

#include <QApplication>
#include <QFile>
#include <QRegularExpression>

namespace {

const QString kFailed = QStringLiteral("출력에 실패했습니다.프린터를 확인하세요.");

int runs()
{
    return reportControl().runCount();
}

}  // namespace

TEST_F(PrintTest, NothingToPrintAndNoStopBeforeAnythingHappens)
{
    PrintRequest r = sampleRequest({});
    EXPECT_EQ(runPrintSequence(r), PrintOutcome::NothingToPrint);
    ASSERT_EQ(farm.messages().count(), 1);
    EXPECT_EQ(farm.messages().last().icon, MsgIcon::Critical);
    EXPECT_EQ(farm.messages().last().title, QStringLiteral("출력확인"));
    EXPECT_EQ(farm.messages().last().text, QStringLiteral("출력할 자료가 없습니다."));

    farm.exec(QStringLiteral("insert into 일일관리 values ('전번', '', '', '', '', '', '')"));
    farm.messages().clear();
    farm.messages().answer(MsgButton::No);
    EXPECT_EQ(runPrintSequence(sampleRequest(animals(3))), PrintOutcome::Declined);
    const MessageSpec& q = farm.messages().last();
    EXPECT_EQ(q.icon, MsgIcon::Question);
    EXPECT_EQ(q.title, QStringLiteral("출력확인"));
    EXPECT_EQ(q.text, QStringLiteral("시험 목록을 출력 하시겠습니까?"));
    EXPECT_EQ(q.buttons, MsgButton::Yes | MsgButton::No);
    EXPECT_EQ(farm.scalar(QStringLiteral("select c01 from 일일관리")), QStringLiteral("전번"));
    EXPECT_EQ(dialogRuns, 0);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(PrintTest, MissingReportFileStopsBeforeFilling)
{
    farm.exec(QStringLiteral("insert into 일일관리 values ('전번', '', '', '', '', '', '')"));
    PrintRequest r = sampleRequest(animals(3));
    r.reportFile = QStringLiteral("없는양식.rpt");
    const int before = runs();
    const QCursor* cursorAtMessage = reinterpret_cast<const QCursor*>(1);
    farm.messages().onShow = [&](const MessageSpec&) { cursorAtMessage = QApplication::overrideCursor(); };
    EXPECT_EQ(runPrintSequence(r), PrintOutcome::MissingFile);
    ASSERT_EQ(farm.messages().count(), 2);
    const MessageSpec& m = farm.messages().last();
    EXPECT_EQ(m.icon, MsgIcon::Exclamation);
    EXPECT_EQ(m.title, QStringLiteral("출력오류"));
    EXPECT_EQ(m.text, QStringLiteral("출력에 관련된 화일이 존재하지 않습니다.\r\n\r\n확인 바랍니다."));
    EXPECT_EQ(cursorAtMessage, nullptr);  // the box shows the normal pointer
    EXPECT_EQ(farm.count(QStringLiteral("일일관리")), 1);
    EXPECT_EQ(dialogRuns, 0);
    EXPECT_EQ(runs(), before);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(PrintTest, FillingStoresRowsInOrderWithQuotesAsTyped)
{
    const QList<QVariantList> rows = {
        {QStringLiteral("O'Neil"), 7, QStringLiteral("'; drop table 개체관리; --"), QString(), 1.5, QString(),
         QString()},
        {QStringLiteral("두번째"), QString(), QString(), QString(), QString(), QString(), QString()},
    };
    ASSERT_TRUE(fillWorkTable(nullptr, QStringLiteral("일일관리"), rows));
    EXPECT_EQ(farm.count(QStringLiteral("일일관리")), 2);
    EXPECT_EQ(farm.scalar(QStringLiteral("select c01 from 일일관리 order by rowid limit 1")), QStringLiteral("O'Neil"));
    EXPECT_EQ(farm.scalar(QStringLiteral("select c02 from 일일관리 order by rowid limit 1")), QStringLiteral("7"));
    EXPECT_EQ(farm.scalar(QStringLiteral("select c03 from 일일관리 order by rowid limit 1")),
              QStringLiteral("'; drop table 개체관리; --"));
    EXPECT_EQ(farm.scalar(QStringLiteral("select c01 from 일일관리 order by rowid limit 1 offset 1")),
              QStringLiteral("두번째"));
    EXPECT_EQ(farm.count(QStringLiteral("개체관리")), 0);  // the table is still there
    // Empty cells are stored as empty texts, never as nulls.
    EXPECT_EQ(farm.count(QStringLiteral("일일관리"), QStringLiteral("c02 is null or c04 is null or c07 is null")), 0);
    EXPECT_EQ(farm.scalar(QStringLiteral("select typeof(c04) from 일일관리 order by rowid limit 1")),
              QStringLiteral("text"));

    // Refilling replaces the rows; an empty list leaves an empty table.
    ASSERT_TRUE(fillWorkTable(nullptr, QStringLiteral("일일관리"), {}));
    EXPECT_EQ(farm.count(QStringLiteral("일일관리")), 0);
    EXPECT_EQ(farm.messages().count(), 0);
}

TEST_F(PrintTest, FailedFillingKeepsThePreviousRowsAndRunsNoReport)
{
    ASSERT_TRUE(fillWorkTable(nullptr, QStringLiteral("일일관리"), animals(2)));
    // The second row has a value too many: the insert fails half way through the rows.
    QList<QVariantList> bad = animals(3);
    bad[1].append(QStringLiteral("넘침"));

    for (const MsgButton answer : {MsgButton::Cancel, MsgButton::Retry}) {
        SCOPED_TRACE(answer);
        farm.messages().clear();
        farm.messages().answer(MsgButton::Yes);
        farm.messages().answer(answer);
        const QString connBefore = gConn.connectionName();
        const int before = runs();
        EXPECT_EQ(runPrintSequence(sampleRequest(bad)), PrintOutcome::FillFailed);
        ASSERT_EQ(farm.messages().count(), 2);
        const MessageSpec& m = farm.messages().last();
        EXPECT_EQ(m.title, QStringLiteral("DB Access Error"));
        EXPECT_EQ(m.icon, MsgIcon::Question);
        EXPECT_EQ(m.buttons, MsgButton::Retry | MsgButton::Cancel);
        EXPECT_TRUE(
            m.text.endsWith(QStringLiteral("현재 진행중인 작업이 제대로 안되어 있을 가능성이 있습니다.\r\n"
                                           "확인 바랍니다.\r\n\r\nDB를 재접속하시겠습니까?")))
            << m.text.toStdString();
        // Retry opens a new connection, Cancel keeps the old one.
        EXPECT_EQ(gConn.connectionName() != connBefore, answer == MsgButton::Retry);
        EXPECT_TRUE(gConn.isOpen());
        EXPECT_EQ(dialogRuns, 0);
        EXPECT_EQ(runs(), before);
        EXPECT_EQ(farm.count(QStringLiteral("일일관리")), 2);
        EXPECT_EQ(farm.scalar(QStringLiteral("select c01 from 일일관리 order by rowid desc limit 1")),
                  QStringLiteral("KR000002"));
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    }
}

TEST_F(PrintTest, PdfCarriesKoreanTextAndRepeatsTheHeadersOnEveryPage)
{
    setTodayOverride(QDate(2024, 3, 5));
    const QString pdf = out.filePath(QStringLiteral("목록.pdf"));
    dialogSavesPdf(pdf);
    const int rowCount = 75;
    const PrintOutcome outcome =
        runPrintSequence(sampleRequest(animals(rowCount), {{"타이틀", "한우 시험 목록"}, {"농장명", "한빛농장"}}));
    setTodayOverride(QDate());
    ASSERT_EQ(outcome, PrintOutcome::Done) << reportControl().lastError().toStdString();
    EXPECT_EQ(pdfAsked, QStringLiteral("시험 출력 목록.pdf"));
    EXPECT_TRUE(printers.setCalls.isEmpty());  // a file never touches the default printer
    EXPECT_EQ(farm.messages().count(), 1);     // only the question

    const QStringList pages = pdfPages(pdf);
    ASSERT_GE(pages.size(), 3);
    QStringList seen;
    for (int i = 0; i < pages.size(); ++i) {
        SCOPED_TRACE(i + 1);
        const QString& p = pages[i];
        EXPECT_TRUE(p.contains(QStringLiteral("한우 시험 목록")));
        EXPECT_TRUE(p.contains(QStringLiteral("농장명 : 한빛농장")));
        EXPECT_TRUE(p.contains(QStringLiteral("출력일 : 2024년 03월 05일")));
        EXPECT_TRUE(p.contains(QStringLiteral("쪽 %1 / %2").arg(i + 1).arg(pages.size())));
        EXPECT_TRUE(p.contains(QStringLiteral("개체번호")) && p.contains(QStringLiteral("목장명")));
        EXPECT_FALSE(p.contains(u'{') || p.contains(u'}'));
        // The form band belongs to the first page only.
        EXPECT_EQ(p.contains(QStringLiteral("개체 목록")), i == 0);
        const QRegularExpression number(QStringLiteral("KR\\d{6}"));
        for (auto it = number.globalMatch(p); it.hasNext();) seen << it.next().captured();
    }
    QStringList expected;
    for (const QVariantList& row : animals(rowCount)) expected << row[0].toString();
    EXPECT_EQ(seen, expected);  // every row once, in stored order
}

TEST_F(PrintTest, FormulasDoNotLeakIntoTheNextReport)
{
    const QString first = out.filePath(QStringLiteral("1.pdf"));
    const QString second = out.filePath(QStringLiteral("2.pdf"));
    report::Formulas ten;
    for (int i = 0; i < 9; ++i) ten.set(QStringLiteral("칸%1").arg(i), QStringLiteral("값%1").arg(i));
    ten.set(QStringLiteral("비고"), QStringLiteral("지난 출력의 비고"));
    dialogSavesPdf(first);
    ASSERT_EQ(runPrintSequence(sampleRequest(animals(2), ten)), PrintOutcome::Done);
    EXPECT_EQ(reportControl().formulas, ten);
    EXPECT_TRUE(pdfPages(first).join(QString()).contains(QStringLiteral("지난 출력의 비고")));

    dialogSavesPdf(second);
    const report::Formulas two{{"타이틀", "두번째"}, {"농장명", "한빛"}};
    ASSERT_EQ(runPrintSequence(sampleRequest(animals(2), two)), PrintOutcome::Done);
    EXPECT_EQ(reportControl().formulas, two);  // nothing of the first print's
    const QString text = pdfPages(second).join(QString());
    EXPECT_TRUE(text.contains(QStringLiteral("두번째")));
    EXPECT_FALSE(text.contains(QStringLiteral("지난 출력의 비고")));
}

TEST_F(PrintTest, DefaultPrinterRulesForEveryWayOutOfTheDialog)
{
    const QString office = QStringLiteral("사무실 프린터");  // the default
    const QString barn = QStringLiteral("축사 프린터");
    struct Case {
        const char* what;
        QString printer;
        QString button;
        PrintOutcome outcome;
        QStringList setCalls;
    };
    const Case cases[] = {
        {"same printer, preview", office, QStringLiteral("cmdlyout"), PrintOutcome::Done, {}},
        {"other printer, preview", barn, QStringLiteral("cmdlyout"), PrintOutcome::Done, {barn, office}},
        {"other printer, cancel button", barn, QStringLiteral("cmdCancel"), PrintOutcome::Cancelled, {barn, office}},
        {"same printer, cancel button", office, QStringLiteral("cmdCancel"), PrintOutcome::Cancelled, {}},
        {"other printer, close image", barn, QStringLiteral("imgTitleClose"), PrintOutcome::Cancelled, {}},
        {"PDF entry, preview", PrinterDialog::pdfEntryText(), QStringLiteral("cmdlyout"), PrintOutcome::Done, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        printers.current = office;
        printers.setCalls.clear();
        previewTitles.clear();
        const int before = runs();
        dialogChooses(c.printer, c.button);
        EXPECT_EQ(runPrintSequence(sampleRequest(animals(2))), c.outcome);
        EXPECT_EQ(printers.setCalls, c.setCalls);
        EXPECT_EQ(printers.current, office);
        const bool ran = c.outcome == PrintOutcome::Done;
        EXPECT_EQ(runs(), before + (ran ? 1 : 0));
        EXPECT_EQ(previewTitles, ran ? QStringList{QStringLiteral("시험 출력 목록")} : QStringList{});
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    }
    EXPECT_GE(previewPages, 1);  // the preview window really laid the pages out
}

TEST_F(PrintTest, CancelLeavesTheReportControlAsItWas)
{
    ReportJob& rc = reportControl();
    rc.destination = ReportJob::Destination::Printer;
    rc.reportFileName = QStringLiteral("앞의 양식");
    rc.windowTitle = QStringLiteral("앞의 제목");
    rc.windowState = ReportJob::WindowState::Normal;
    rc.formulas = {{"앞", "값"}};
    dialogChooses(QStringLiteral("축사 프린터"), QStringLiteral("cmdCancel"));
    EXPECT_EQ(runPrintSequence(sampleRequest(animals(1), {{"새", "값"}})), PrintOutcome::Cancelled);
    EXPECT_EQ(rc.destination, ReportJob::Destination::Printer);
    EXPECT_EQ(rc.reportFileName, QStringLiteral("앞의 양식"));
    EXPECT_EQ(rc.windowTitle, QStringLiteral("앞의 제목"));
    EXPECT_EQ(rc.windowState, ReportJob::WindowState::Normal);
    EXPECT_EQ(rc.formulas, (report::Formulas{{"앞", "값"}}));
}

// With no printer installed a PDF file and the preview still work; only paper asks for a printer.
TEST_F(PrintTest, NoPrinterInstalled)
{
    // An earlier print on another printer leaves nothing behind for this one to put back.
    dialogChooses(QStringLiteral("축사 프린터"), QStringLiteral("cmdlyout"));
    ASSERT_EQ(runPrintSequence(sampleRequest(animals(1))), PrintOutcome::Done);
    printers.setCalls.clear();
    printers.names.clear();
    printers.current.clear();
    const QString noPrinterMessage = QStringLiteral("프린터를 설치해 주세요.");
    auto messageTexts = [&] {
        QStringList texts;
        for (const ScriptedMessenger::Shown& s : farm.messages().shown()) texts << s.box.text;
        return texts;
    };

    // The PDF file, really written.
    const QString pdf = out.filePath(QStringLiteral("프린터없음.pdf"));
    dialogSavesPdf(pdf);
    farm.messages().clear();
    EXPECT_EQ(runPrintSequence(sampleRequest(animals(3))), PrintOutcome::Done);
    QFile written(pdf);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_TRUE(written.read(5).startsWith("%PDF-"));
    EXPECT_EQ(pdfAsked, QStringLiteral("시험 출력 목록.pdf"));
    EXPECT_FALSE(messageTexts().contains(noPrinterMessage));

    // The preview, whichever entry is selected.
    for (const QString& entry : {PrinterDialog::pdfEntryText(), PrinterDialog::noPrinterEntryText()}) {
        SCOPED_TRACE(entry.toStdString());
        previewTitles.clear();
        farm.messages().clear();
        dialogChooses(entry, QStringLiteral("cmdlyout"));
        EXPECT_EQ(runPrintSequence(sampleRequest(animals(3))), PrintOutcome::Done);
        EXPECT_EQ(previewTitles, QStringList{QStringLiteral("시험 출력 목록")});
        EXPECT_GE(previewPages, 1);
        EXPECT_FALSE(messageTexts().contains(noPrinterMessage));
    }

    // Paper: the message, and the print ends without running the report.
    const int before = reportControl().runCount();
    farm.messages().clear();
    dialogRuns = 0;
    dialogChooses(PrinterDialog::noPrinterEntryText(), QStringLiteral("cmdPrn"));
    EXPECT_EQ(runPrintSequence(sampleRequest(animals(1))), PrintOutcome::Cancelled);
    EXPECT_EQ(dialogRuns, 1);
    ASSERT_EQ(farm.messages().count(), 2);
    const MessageSpec& m = farm.messages().last();
    EXPECT_EQ(m.icon, MsgIcon::Critical);
    EXPECT_EQ(m.title, QStringLiteral("프린터설정 오류"));
    EXPECT_EQ(m.text, noPrinterMessage);
    EXPECT_EQ(m.buttons, MsgButton::Ok);
    EXPECT_EQ(reportControl().runCount(), before);
    EXPECT_TRUE(printers.setCalls.isEmpty());  // no default was switched, so nothing to put back
}

TEST_F(PrintTest, FailedRunIsReportedAndTheDefaultStillRestored)
{
    // The fake printers are no real queues: printing on one fails.
    dialogChooses(QStringLiteral("축사 프린터"), QStringLiteral("cmdPrn"));
    const QCursor* cursorAtMessage = reinterpret_cast<const QCursor*>(1);
    QString defaultAtMessage;
    farm.messages().onShow = [&](const MessageSpec& s) {
        if (s.text != kFailed) return;
        cursorAtMessage = QApplication::overrideCursor();
        defaultAtMessage = printers.current;
    };
    EXPECT_EQ(runPrintSequence(sampleRequest(animals(2))), PrintOutcome::Failed);
    const MessageSpec& m = farm.messages().last();
    EXPECT_EQ(m.text, kFailed);
    EXPECT_EQ(m.icon, MsgIcon::Exclamation);
    EXPECT_EQ(m.title, QStringLiteral("출력오류"));
    EXPECT_EQ(cursorAtMessage, nullptr);
    EXPECT_EQ(defaultAtMessage, QStringLiteral("축사 프린터"));  // the run used the chosen printer
    EXPECT_EQ(printers.current, QStringLiteral("사무실 프린터"));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    // A report file with a mistake in it fails the same way instead of printing a wrong page.
    QFile broken(farm.dir() + QStringLiteral("/rpt/깨진양식.rpt"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("[report]\n[header]\ntext 0 0 10 | {\xeb\x86\x8d\n");
    broken.close();
    farm.messages().clear();
    dialogSavesPdf(out.filePath(QStringLiteral("x.pdf")));
    PrintRequest r = sampleRequest(animals(1));
    r.reportFile = QStringLiteral("깨진양식.rpt");
    EXPECT_EQ(runPrintSequence(r), PrintOutcome::Failed);
    EXPECT_EQ(farm.messages().last().text, kFailed);
    EXPECT_TRUE(reportControl().lastError().startsWith(QStringLiteral("줄 3")))
        << reportControl().lastError().toStdString();
    EXPECT_FALSE(QFile::exists(out.filePath(QStringLiteral("x.pdf"))));
}

TEST_F(PrintTest, FormOnlyReportWithoutWorkTable)
{
    // A record-book style print: no work table, every value a formula.
    writeReport(QStringLiteral("기록부.rpt"), QStringLiteral("[report]\n[form]\nheight = 40\n"
                                                             "field 0 0 90 8 | 개체번호 | {개체번호}\n"
                                                             "field 90 0 * 8 | 입식일자 | {입식일자}\n"
                                                             "box 0 10 * 8 | {출하일}\n"));
    const QString pdf = out.filePath(QStringLiteral("기록부.pdf"));
    dialogSavesPdf(pdf);
    PrintRequest r;
    r.question = QStringLiteral("한우암소 개체기록부를 출력 하시겠습니까?");
    r.reportFile = QStringLiteral("기록부.rpt");
    r.previewTitle = QStringLiteral("한우암소 개체기록부");
    r.formulas = [] { return report::Formulas{{"개체번호", "002"}, {"입식일자", ""}}; };
    ASSERT_EQ(runPrintSequence(r), PrintOutcome::Done) << reportControl().lastError().toStdString();
    const QStringList pages = pdfPages(pdf);
    ASSERT_EQ(pages.size(), 1);
    EXPECT_TRUE(pages[0].contains(QStringLiteral("개체번호")));
    EXPECT_TRUE(pages[0].contains(QStringLiteral("002")));
    EXPECT_TRUE(pages[0].contains(QStringLiteral("입식일자")));
}

TEST_F(PrintTest, FormulaValuesArePrintedExactlyAsGiven)
{
    // Each value between markers, so that an empty one shows as the markers alone.
    const struct {
        const char* name;
        const char* value;
    } cases[] = {
        {"따옴표", "O'Neil의 '소'"},          {"둘러싼따옴표", "'앞뒤'"}, {"등호", "이름 = '값' 끝"}, {"빈값", ""},
        {"한글", "햇살한우농장 제2010-17호"},
    };
    QString layout = QStringLiteral("[report]\n[form]\nheight = 60\n");
    report::Formulas formulas;
    int y = 0;
    for (const auto& c : cases) {
        layout += QStringLiteral("text 0 %1 * 8 | <{%2}>\n").arg(y).arg(QString::fromUtf8(c.name));
        formulas.set(QString::fromUtf8(c.name), QString::fromUtf8(c.value));
        y += 10;
    }
    writeReport(QStringLiteral("값시험.rpt"), layout);

    const QString pdf = out.filePath(QStringLiteral("값시험.pdf"));
    dialogSavesPdf(pdf);
    PrintRequest r;
    r.question = QStringLiteral("값 시험을 출력 하시겠습니까?");
    r.reportFile = QStringLiteral("값시험.rpt");
    r.previewTitle = QStringLiteral("값 시험");
    r.formulas = [formulas] { return formulas; };
    ASSERT_EQ(runPrintSequence(r), PrintOutcome::Done) << reportControl().lastError().toStdString();
    EXPECT_EQ(reportControl().formulas, formulas);

    const QString text = pdfText(pdf);
    for (const auto& c : cases)
        EXPECT_TRUE(text.contains(u'<' + QString::fromUtf8(c.value) + u'>')) << c.name << ":\n" << text.toStdString();
    EXPECT_EQ(text.count(QStringLiteral("<>")), 1);
}

TEST_F(PrintTest, PrepareTakesTheDestinationFromTheChoiceAndStartsWithoutFormulas)
{
    const QString pdf = out.filePath(QStringLiteral("a.pdf"));
    const struct {
        const char* what;
        PrinterChoice::Outcome outcome;
        QString pdfFile;
        ReportJob::Destination destination;
        QString printFile;
    } cases[] = {
        {"preview", PrinterChoice::Outcome::Preview, {}, ReportJob::Destination::Window, {}},
        {"printer", PrinterChoice::Outcome::Print, {}, ReportJob::Destination::Printer, {}},
        {"PDF file", PrinterChoice::Outcome::Print, pdf, ReportJob::Destination::File, pdf},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ReportJob job;
        job.formulas = {{"앞", "값"}};
        job.printFileName = QStringLiteral("앞의 파일.pdf");
        PrinterChoice choice;
        choice.outcome = c.outcome;
        choice.pdfFile = c.pdfFile;
        ASSERT_TRUE(job.prepare(choice, QStringLiteral("시험출력.rpt"), QStringLiteral("시험 제목")));
        EXPECT_EQ(job.destination, c.destination);
        EXPECT_EQ(job.windowState, ReportJob::WindowState::Maximised);
        EXPECT_EQ(job.printFileName, c.printFile);
        EXPECT_TRUE(job.reportFileName.endsWith(QStringLiteral("rpt/시험출력.rpt")))
            << job.reportFileName.toStdString();
        EXPECT_EQ(job.windowTitle, QStringLiteral("시험 제목"));
        EXPECT_TRUE(job.formulas.isEmpty());
    }

    // The preview window of a print opens maximised.
    bool maximised = false;
    reportControl().setPreviewRunner(
        [&](QPrintPreviewDialog& d) { maximised = d.windowState().testFlag(Qt::WindowMaximized); });
    ASSERT_EQ(runPrintSequence(sampleRequest(animals(1))), PrintOutcome::Done);
    EXPECT_TRUE(maximised);
}
