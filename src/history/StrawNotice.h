#pragma once
// The notice after a breeding record stored a service by a bull the semen tank has no straw of
// left: the tank's book is wrong or a receipt was never entered. It never stops the save.
#include "mating/model/SemenStock.h"

#include <QString>

class QWidget;

// The bull `s` takes a missing straw of, by the tank as it is now (read it before the service
// is stored); "" when none. A tank that cannot be read is logged and says nothing: the
// service matters more than the notice.
QString bullOutOfStrawsNow(const StrawService& s);
// The information box naming the bull (KPN digits); nothing for "".
void showOutOfStraws(QWidget* parent, const QString& kpnDigits);
