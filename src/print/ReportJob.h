#pragma once
// The report job: one object for the whole run that every print command drives. It is
// told a destination, a report file, a preview title and up to 201 formulas, and run() lays
// the report out on the printer, in the preview window or into a PDF file.
#include "print/model/PrinterChoice.h"

#include <QString>
#include <array>
#include <functional>

class QPrintPreviewDialog;
class QWidget;

class ReportJob {
public:
    enum Destination { ToWindow = 0, ToPrinter = 1, ToFile = 2 };
    static constexpr int kFormulaSlots = 201;

    int destination = ToWindow;
    QString reportFileName;  // full path of the .rpt file
    QString windowTitle;     // title of the preview window
    int windowState = 0;     // 2: the preview window opens maximised
    QString printFileName;   // the PDF file written for ToFile
    // Slot texts of the form: name = 'value' (one assignment per slot, "" when unused).
    std::array<QString, kFormulaSlots> formulas;

    // Readies the next run for what the printer dialog chose: destination, the report file
    // (rpt/ + file), the preview title, all formula slots cleared. A cancelled choice leaves
    // everything as it was and gives false.
    bool prepare(const PrinterChoice& choice, const QString& file, const QString& title);
    void clearFormulas();
    // Lays the report out on the destination: 0 on success, otherwise a failure code
    // (lastError() says what went wrong, for the log).
    int run();
    QString lastError() const { return m_lastError; }
    int runCount() const { return m_runs; }

    // The preview window is shown with this instead of exec() (tests look at it and close it).
    using PreviewRunner = std::function<void(QPrintPreviewDialog&)>;
    void setPreviewRunner(PreviewRunner runner) { m_previewRunner = std::move(runner); }

    enum Status { Ok = 0, BadFile = 1, BadData = 2, NoPrinter = 3, OutputFailed = 4 };

private:
    int fail(int status, const QString& why);
    QString m_lastError;
    int m_runs = 0;
    PreviewRunner m_previewRunner;
};

// The program's one report job.
ReportJob& reportControl();

// The name and value of a slot text "name = 'value' "; false for an empty or malformed slot.
bool parseFormulaAssignment(const QString& slot, QString* name, QString* value);
