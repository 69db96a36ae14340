#include "print/model/PrinterChoice.h"

#include "print/model/PrinterSystem.h"

void setDefaultPrinter(const QString& name)
{
    if (!printerSystem().setDefaultPrinter(name)) qWarning("default printer not changed to '%s'", qPrintable(name));
}

void restoreDefaultPrinter(const PrinterChoice& choice)
{
    if (choice.switchedDefault()) setDefaultPrinter(choice.defaultPrinter);
}
