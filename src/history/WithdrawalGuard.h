#pragma once
// The question before a save stores a day on which the animal is still within the withdrawal
// period of a treatment (a sale, a shipment, a carcass grading).
#include <QDate>
#include <QString>

class QWidget;

// True when the save may go on: `day` is invalid (no date is stored), lies after the end of
// the withdrawal of `animal`'s treatments, or the farmer answered Yes to the warning (No is the
// default). False after No, and after a database error, which is shown.
bool confirmOutsideWithdrawal(QWidget* parent, const QString& animal, const QDate& day);
