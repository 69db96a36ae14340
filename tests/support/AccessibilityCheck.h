#pragma once
// Finds the controls of a window that a screen reader would announce by their control name.
#include <QStringList>

class QWidget;

// Every visible-or-hidden input, button, option, check box, list, tab bar and date picker under
// `root` whose accessible name is empty or a Latin control id ("cmdSave", "Com_Function(0)"),
// or whose accessible description does not carry its object name. Empty when all is well.
QStringList controlsHeardByControlName(QWidget* root);
