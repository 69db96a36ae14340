#pragma once
// The one print path of the program: every list, book and record print runs through
// runPrintSequence with its own texts, work-table rows and formulas.
#include "print/model/ReportFormulas.h"

#include <QList>
#include <QString>
#include <QVariantList>
#include <QWidget>
#include <functional>

struct PrintRequest {
    QWidget* window = nullptr;    // owner: hourglass cursor, parent of the message boxes
    bool nothingToPrint = false;  // the command's own test (usually an empty grid)
    QString nothingMessage;       // critical, title "출력확인"
    QString question;             // Yes/No, title "출력확인"; ends in "출력 하시겠습니까?"
    QString reportFile;           // file name under rpt/, e.g. "TarvikList.rpt"
    QString previewTitle;         // title of the preview window
    QString workTable;            // work table to refill; empty when the report has none
    // The work-table rows, one value per column by position (texts or numbers).
    std::function<QList<QVariantList>()> rows;
    // The report's formula values by name, e.g. {{"농장명", name}}, made after preparing.
    std::function<report::Formulas()> formulas;
    // An unexpected error ends the print silently, unless the command reports it: then the
    // plain error message, once the default printer is back (the record books).
    bool reportErrors = false;
};

enum class PrintOutcome {
    NothingToPrint,  // the nothing-to-print message was shown
    Declined,        // No to the question
    MissingFile,     // the report file does not exist
    FillFailed,      // the work table could not be refilled; nothing ran
    Cancelled,       // the printer dialog was cancelled
    Failed,          // the report ran and failed
    Done,            // printed, previewed or saved
};

PrintOutcome runPrintSequence(const PrintRequest& request);

// Empties `table` and inserts `rows` by position in one transaction. On an error shows the
// reconnect prompt, keeps the previous rows and returns false. Pauses afterwards (500 ms).
bool fillWorkTable(QWidget* window, const QString& table, const QList<QVariantList>& rows);
// The pause after filling a work table (tests set 0).
void setWorkTablePauseMs(int ms);
