#pragma once
// The installed printers and the user's default printer. The program talks to CUPS through
// this interface, so tests can put in a fake with named printers.
#include <QString>
#include <QStringList>

class PrinterSystem {
public:
    virtual ~PrinterSystem() = default;
    // Device names of the installed printers, in the system's own order.
    virtual QStringList printers() = 0;
    // The current default printer; "" when there is none.
    virtual QString defaultPrinter() = 0;
    // Makes `name` the user's default printer; "" removes the user's own choice (the system
    // default applies again). False when the printer is unknown or the change failed.
    virtual bool setDefaultPrinter(const QString& name) = 0;
};

// CUPS: the destinations of the local scheduler; the user's default is kept where lpoptions
// keeps it, so every program of the user sees the change.
class CupsPrinterSystem : public PrinterSystem {
public:
    QStringList printers() override;
    QString defaultPrinter() override;
    bool setDefaultPrinter(const QString& name) override;
};

PrinterSystem& printerSystem();
// Replaces the printer system (tests); nullptr restores CUPS.
void setPrinterSystem(PrinterSystem* system);
