#pragma once
// The printer dialog: choose a printer (or a PDF file) and print, preview or cancel.
// Frameless, with its own drawn title bar and border; moved by dragging them.
#include <QDialog>
#include <QString>
#include <functional>

class QComboBox;

class PrnSetupDialog : public QDialog {
    Q_OBJECT
public:
    explicit PrnSetupDialog(QWidget* parent = nullptr);

    // Lists the installed printers with the default one selected (kept in gsDefPrnName).
    // Without any printer: the message, giPrnResult = 3 and false.
    bool loadPrinters();

    // The last entry of the list: save the report as a PDF file instead of printing.
    static QString pdfEntryText();
    bool pdfChosen() const { return !m_pdfFile.isEmpty(); }
    QString pdfFileName() const { return m_pdfFile; }
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
    void choose(int result);
    void closeWithoutChoice();

    QComboBox* cmbPrnName = nullptr;
    QString m_pdfFile;
    QString m_suggested;
    bool m_done = false;
};
