#pragma once
// "Today" for every date rule, read afresh at each use; tests move it.
#include <QDate>

QDate today();
// Makes today() return `d`; an invalid date goes back to the system calendar.
void setTodayOverride(const QDate& d);
