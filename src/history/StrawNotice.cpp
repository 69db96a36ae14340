#include "history/StrawNotice.h"

#include "data/Db.h"
#include "data/ErrorLog.h"
#include "kit/Messages.h"
#include "mating/model/Kpn.h"

QString bullOutOfStrawsNow(const StrawService& s)
{
    // Most services take no counted straw of an empty account: the tank is read only for one
    // that might.
    if (s.embryoTransfer || kpn::digitsOf(s.semen).isEmpty()) return {};
    try {
        return bullOutOfStraws(semenStock(), s);
    } catch (const DbError& e) {
        logError(QStringLiteral("semen stock before a service"), e.description);
        return {};
    }
}

void showOutOfStraws(QWidget* parent, const QString& kpnDigits)
{
    if (kpnDigits.isEmpty()) return;
    showMessage(parent, MsgIcon::Information, outOfStrawsTitle(), outOfStrawsMessage(kpnDigits), MsgButton::Ok);
}
