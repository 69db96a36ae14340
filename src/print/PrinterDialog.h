#pragma once
// The printer dialog: choose a printer (or a PDF file) and print, preview or cancel.
// Frameless, with its own drawn title bar and border; moved by dragging them.
#include "print/model/PrinterChoice.h"

#include <QDialog>
#include <QString>
#include <functional>

class QComboBox;

class PrinterDialog : public QDialog {
    Q_OBJECT
public:
    explicit PrinterDialog(QWidget* parent = nullptr);

    // Lists the installed printers with the default one selected, then the PDF entry. Without
    // any printer the list says so and the PDF entry is selected: a PDF file and the preview
    // work, and only printing on paper gives the message to install a printer. True.
    bool loadPrinters();
    // The outcome so far: cancel until a button chose otherwise.
    const PrinterChoice& choice() const { return m_choice; }

    // The last entry of the list: save the report as a PDF file instead of printing.
    static QString pdfEntryText();
    // The first entry of the list when no printer is installed.
    static QString noPrinterEntryText();
    // File name proposed when a PDF file is asked for.
    void setSuggestedFileName(const QString& name) { m_suggested = name; }

    // Asks for the PDF file name ("" when the user gave none). Tests replace it.
    using PdfFileAsker = std::function<QString(QWidget* parent, const QString& suggested)>;
    static void setPdfFileAsker(PdfFileAsker asker);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildSkin();
    void SkinDialog();
    void choose(PrinterChoice::Outcome outcome);
    void closeWithoutChoice();

    QComboBox* m_printerList = nullptr;  // "cmbPrnName": the printers, then the PDF entry
    PrinterChoice m_choice;
    QString m_suggested;
    bool m_done = false;
    bool m_noPrinter = false;  // no printer installed: the list's first entry says so
};

// Shows the printer dialog modally (or hands it to the runner tests set) and returns what the
// user chose.
PrinterChoice runPrinterDialog(QWidget* parent, const QString& suggestedPdfName);

// Runs the loaded printer dialog instead of exec() (tests press its buttons); {} restores exec().
using PrinterDialogRunner = std::function<void(PrinterDialog&)>;
void setPrinterDialogRunner(PrinterDialogRunner runner);
