#pragma once
// The default printer switched for one print, and the report preparation.
#include <QString>
#include <functional>

class PrnSetupDialog;

// Makes the named printer the user's default printer ("" gives the system's default back).
void SetDefaultPrinter(const QString& name);
// Puts the default printer back after a print: only when the dialog switched it
// (gsDefPrnName differs from gsPrnName).
void restoreDefaultPrinter();

// Shows the printer dialog; when the user chose print, preview or a PDF file, sets the report
// control's destination, file (rpt/ + file), preview title and clears all formula slots.
// False (report control untouched) when the user cancelled.
bool PrepareReport(const QString& file, const QString& title);

// Runs the loaded printer dialog instead of exec() (tests press its buttons); {} restores exec().
using PrinterDialogRunner = std::function<void(PrnSetupDialog&)>;
void setPrinterDialogRunner(PrinterDialogRunner runner);
