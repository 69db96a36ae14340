#include "print/PrintSequence.h"

#include "data/Db.h"
#include "data/ProgramDir.h"
#include "kit/DbMessages.h"
#include "kit/Messages.h"
#include "print/PrinterDialog.h"
#include "print/ReportJob.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QRegularExpression>
#include <QThread>
#include <exception>

namespace {

int gPauseMs = 500;

// The hourglass while the program works; the normal pointer whenever the user is asked
// something (message boxes, the printer dialog, the preview window).
class WaitCursor {
public:
    void on()
    {
        if (!m_on) QApplication::setOverrideCursor(Qt::WaitCursor);
        m_on = true;
    }
    void off()
    {
        if (m_on) QApplication::restoreOverrideCursor();
        m_on = false;
    }
    ~WaitCursor() { off(); }

private:
    bool m_on = false;
};

// The print sequence's cursor, so that the filling can put the pointer back before its prompt.
WaitCursor* gCursor = nullptr;

struct CursorScope {
    explicit CursorScope(WaitCursor* c) : previous(gCursor) { gCursor = c; }
    ~CursorScope() { gCursor = previous; }
    WaitCursor* previous;
};

QString quotedName(const QString& name)
{
    QString n = name;
    n.replace(u'"', QStringLiteral("\"\""));
    return u'"' + n + u'"';
}

// Waits while the windows keep painting.
void pauseKeepingUi(int ms)
{
    if (ms <= 0) return;
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms) {
        QApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(10);
    }
}

// The file name the PDF entry proposes: the preview title.
QString suggestedPdfName(const QString& title)
{
    const QString name = title.trimmed();
    return (name.isEmpty() ? QStringLiteral("출력") : name) + QStringLiteral(".pdf");
}

const QString kPrintError = QStringLiteral("출력오류");
const QString kConfirm = QStringLiteral("출력확인");

}  // namespace

void setWorkTablePauseMs(int ms)
{
    gPauseMs = ms;
}

bool fillWorkTable(QWidget* window, const QString& table, const QList<QVariantList>& rows)
{
    try {
        // All or nothing: a failure leaves the rows of the previous print, never half a book.
        Transaction tx;
        execStatement(QStringLiteral("delete from %1 ").arg(quotedName(table)));
        QSqlQuery insert(gConn);
        qsizetype preparedFor = -1;
        for (const QVariantList& row : rows) {
            if (row.size() != preparedFor) {
                QStringList marks;
                for (qsizetype i = 0; i < row.size(); ++i) marks << QStringLiteral("?");
                if (!insert.prepare(QStringLiteral("insert into %1 values (%2)")
                                        .arg(quotedName(table), marks.join(QStringLiteral(", ")))))
                    throw DbError(insert.lastError());
                preparedFor = row.size();
            }
            // An empty grid cell is the empty text, never a null (the program never writes null).
            for (qsizetype i = 0; i < row.size(); ++i) insert.bindValue(int(i), bindable(row[i]));
            if (!insert.exec()) throw DbError(insert.lastError());
        }
        insert.finish();
        tx.commit();
    } catch (const DbError& e) {
        if (gCursor) gCursor->off();
        reconnectPrompt(window, e);
        return false;
    }
    pauseKeepingUi(gPauseMs);
    return true;
}

PrintOutcome runPrintSequence(const PrintRequest& request)
{
    QWidget* window = request.window;
    if (request.nothingToPrint) {
        showMessage(window, MsgIcon::Critical, kConfirm, request.nothingMessage, MsgButton::Ok);
        return PrintOutcome::NothingToPrint;
    }
    if (showMessage(window, MsgIcon::Question, kConfirm, request.question, MsgButton::Yes | MsgButton::No) !=
        MsgButton::Yes)
        return PrintOutcome::Declined;

    WaitCursor cursor;
    CursorScope scope(&cursor);
    cursor.on();
    // Nothing chosen yet: nothing to put back until the dialog has switched the default.
    PrinterChoice choice;
    try {
        if (!QFileInfo(reportFilePath(request.reportFile)).isFile()) {
            cursor.off();
            showMessage(window, MsgIcon::Exclamation, kPrintError,
                        QStringLiteral("출력에 관련된 화일이 존재하지 않습니다.") + kCrLf + kCrLf +
                            QStringLiteral("확인 바랍니다."),
                        MsgButton::Ok);
            return PrintOutcome::MissingFile;
        }
        if (!request.workTable.isEmpty()) {
            const QList<QVariantList> rows = request.rows ? request.rows() : QList<QVariantList>();
            if (!fillWorkTable(window, request.workTable, rows)) return PrintOutcome::FillFailed;
        }

        cursor.off();
        QApplication::processEvents();
        choice = runPrinterDialog(QApplication::activeWindow(), suggestedPdfName(request.previewTitle));
        QApplication::processEvents();
        ReportJob& report = reportControl();
        if (!report.prepare(choice, request.reportFile, request.previewTitle)) {
            restoreDefaultPrinter(choice);
            QApplication::processEvents();
            return PrintOutcome::Cancelled;
        }
        if (request.formulas) report.formulas = request.formulas();
        if (report.destination != ReportJob::Destination::Window) cursor.on();
        const ReportJob::Status status = report.run();
        cursor.off();
        if (status != ReportJob::Status::Ok)
            showMessage(window, MsgIcon::Exclamation, kPrintError,
                        QStringLiteral("출력에 실패했습니다.프린터를 확인하세요."), MsgButton::Ok);
        restoreDefaultPrinter(choice);
        QApplication::processEvents();
        return status == ReportJob::Status::Ok ? PrintOutcome::Done : PrintOutcome::Failed;
    } catch (const std::exception& e) {
        qWarning("print stopped: %s", e.what());
        restoreDefaultPrinter(choice);
        QApplication::processEvents();
        if (request.reportErrors) {
            cursor.off();
            if (const auto* db = dynamic_cast<const DbError*>(&e)) {
                showPlainError(window, *db);
            } else {
                // The program's own Korean reasons are shown; anything else goes behind the details.
                const QString what = QString::fromUtf8(e.what());
                if (what.contains(QRegularExpression(QStringLiteral("[A-Za-z]"))))
                    showPlainError(window,
                                   QStringLiteral("출력하지 못했습니다. 다시 해 보시고, 되풀이되면 프린터 설정을 "
                                                  "확인해 주세요."),
                                   what);
                else
                    showPlainError(window, what);
            }
        }
        return PrintOutcome::Failed;
    }
}
