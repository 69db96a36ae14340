#include "print/model/PrinterSystem.h"

#include <cups/cups.h>

namespace {
PrinterSystem* gOverride = nullptr;

// Queues only: instances ("printer/instance") are option sets of a queue, not printers.
bool isQueue(const cups_dest_t& d)
{
    return d.instance == nullptr;
}
}  // namespace

QStringList CupsPrinterSystem::printers()
{
    cups_dest_t* dests = nullptr;
    const int n = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests);
    QStringList names;
    for (int i = 0; i < n; ++i)
        if (isQueue(dests[i])) names << QString::fromUtf8(dests[i].name);
    cupsFreeDests(n, dests);
    return names;
}

QString CupsPrinterSystem::defaultPrinter()
{
    // Asks for the default alone: listing every destination may browse the network.
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, nullptr, nullptr);
    const QString name = dest ? QString::fromUtf8(dest->name) : QString();
    if (dest) cupsFreeDests(1, dest);
    return name;
}

bool CupsPrinterSystem::setDefaultPrinter(const QString& name)
{
    cups_dest_t* dests = nullptr;
    const int n = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests);
    const QByteArray wanted = name.toUtf8();
    bool found = name.isEmpty();
    for (int i = 0; i < n; ++i)
        if (isQueue(dests[i]) && wanted == dests[i].name) found = true;
    if (!found) {
        cupsFreeDests(n, dests);
        return false;
    }
    for (int i = 0; i < n; ++i) dests[i].is_default = !name.isEmpty() && isQueue(dests[i]) && wanted == dests[i].name;
    const int rc = cupsSetDests2(CUPS_HTTP_DEFAULT, n, dests);
    cupsFreeDests(n, dests);
    return rc == 0;
}

PrinterSystem& printerSystem()
{
    static CupsPrinterSystem cups;
    return gOverride ? *gOverride : cups;
}

void setPrinterSystem(PrinterSystem* system)
{
    gOverride = system;
}
