#pragma once
// What the user chose in the printer dialog, and the default printer switched for one print.
// The report engine prints on the user's default printer, so a chosen printer becomes the
// default for the print and the previous one is put back afterwards.
#include <QString>

struct PrinterChoice {
    enum class Outcome { Print, Preview, Cancel };

    Outcome outcome = Outcome::Cancel;
    QString printer;         // the chosen printer; the default one when a PDF file was chosen
    QString defaultPrinter;  // the default printer found when the dialog opened ("" when not listed)
    QString pdfFile;         // with Print: the PDF file written instead of printing ("" for a printer)

    bool proceeds() const { return outcome != Outcome::Cancel; }
    // The dialog made another printer the default: the print command puts the old one back.
    bool switchedDefault() const { return printer != defaultPrinter; }
};

// Makes the named printer the user's default printer ("" gives the system's default back).
void setDefaultPrinter(const QString& name);
// Puts the default printer back after a print, when the dialog switched it.
void restoreDefaultPrinter(const PrinterChoice& choice);
