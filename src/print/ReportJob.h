#pragma once
// The report job: one object for the whole run that every print command drives. It is
// told a destination, a report file, a preview title and the report's formula values, and
// run() lays the report out on the printer, in the preview window or into a PDF file.
#include "print/model/PrinterChoice.h"
#include "print/model/ReportFormulas.h"

#include <QString>
#include <functional>

class QPrintPreviewDialog;
class QWidget;

class ReportJob {
public:
    enum class Destination { Window, Printer, File };
    enum class WindowState { Normal, Maximised };  // of the preview window
    enum class Status { Ok, BadFile, BadData, NoPrinter, OutputFailed };

    Destination destination = Destination::Window;
    QString reportFileName;  // full path of the .rpt file
    QString windowTitle;     // title of the preview window
    WindowState windowState = WindowState::Normal;
    QString printFileName;      // the PDF file written for Destination::File
    report::Formulas formulas;  // the values of the report's {name} placeholders

    // Readies the next run for what the printer dialog chose: destination, the report file
    // (rpt/ + file), the preview title, no formulas yet. A cancelled choice leaves everything
    // as it was and gives false.
    bool prepare(const PrinterChoice& choice, const QString& file, const QString& title);
    // Lays the report out on the destination: Ok, or what failed (lastError() says why, for the log).
    Status run();
    QString lastError() const { return m_lastError; }
    int runCount() const { return m_runs; }

    // The preview window is shown with this instead of exec() (tests look at it and close it).
    using PreviewRunner = std::function<void(QPrintPreviewDialog&)>;
    void setPreviewRunner(PreviewRunner runner) { m_previewRunner = std::move(runner); }

private:
    Status fail(Status status, const QString& why);
    QString m_lastError;
    int m_runs = 0;
    PreviewRunner m_previewRunner;
};

// The program's one report job.
ReportJob& reportControl();
