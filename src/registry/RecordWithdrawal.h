#pragma once
// The record forms' save asks before storing a leaving day within the withdrawal period.
#include "registry/model/AnimalRow.h"

#include <QString>

class QWidget;

// True when the save of `r` may go on (see confirmOutsideWithdrawal). The treatments are those
// of `storedNumber`, the number the animal is stored under (a new animal: the number typed).
bool confirmLeavingOutsideWithdrawal(QWidget* form, const AnimalRecord& r, const QString& storedNumber);
