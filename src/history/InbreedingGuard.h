#pragma once
// The question before a breeding record stores a service whose calf would be inbred.
#include <QString>

class QWidget;

// True when the save may go on: `semen` is no KPN number, the calf of `cow` by it stays below
// 6.25 %, or the farmer answered Yes to the warning (No is the default). False after No, and
// after a database error, which is shown.
bool confirmCalfInbreeding(QWidget* parent, const QString& cow, const QString& semen);
