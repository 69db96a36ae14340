#include "data/Clock.h"

namespace {
QDate gOverride;
}

QDate today()
{
    return gOverride.isValid() ? gOverride : QDate::currentDate();
}
void setTodayOverride(const QDate& d)
{
    gOverride = d;
}
