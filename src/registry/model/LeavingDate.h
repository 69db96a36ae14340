#pragma once
// The day an animal leaves the farm as its record form stores it.
#include "registry/model/AnimalRow.h"

#include <QDate>

// A cow's 판매일, a bull's 출하일 (a bull's 판매일 is its castration, not a leaving); invalid
// while its box is clear.
QDate leavingDate(const AnimalRecord& r);
