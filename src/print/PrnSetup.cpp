#include "print/PrnSetup.h"

#include "app/Globals.h"
#include "app/model/ProgramDir.h"
#include "print/CrystalReport.h"
#include "print/frmPrnSetup.h"
#include "print/model/PrinterSystem.h"

#include <QApplication>

namespace {
PrinterDialogRunner gRunner;
}

void setPrinterDialogRunner(PrinterDialogRunner runner)
{
    gRunner = std::move(runner);
}

void SetDefaultPrinter(const QString& name)
{
    if (!printerSystem().setDefaultPrinter(name)) qWarning("default printer not changed to '%s'", qPrintable(name));
}

void restoreDefaultPrinter()
{
    if (gsDefPrnName != gsPrnName) SetDefaultPrinter(gsDefPrnName);
}

bool PrepareReport(const QString& file, const QString& title)
{
    CrystalReport& report = reportControl();
    QApplication::processEvents();
    QString pdfFile;
    {
        PrnSetupDialog dialog(QApplication::activeWindow());
        dialog.setSuggestedFileName((title.trimmed().isEmpty() ? QStringLiteral("출력") : title.trimmed()) +
                                    QStringLiteral(".pdf"));
        if (dialog.loadPrinters()) {
            if (gRunner)
                gRunner(dialog);
            else
                dialog.exec();
        }
        pdfFile = dialog.pdfFileName();
    }
    QApplication::processEvents();
    if (giPrnResult != 1 && giPrnResult != 2) return false;

    if (giPrnResult == 2)
        report.destination = CrystalReport::ToWindow;
    else
        report.destination = pdfFile.isEmpty() ? CrystalReport::ToPrinter : CrystalReport::ToFile;
    report.reportFileName = reportDir() + u'/' + file;
    report.windowTitle = title;
    report.windowState = 2;
    report.printFileName = giPrnResult == 1 ? pdfFile : QString();
    report.clearFormulas();
    return true;
}
