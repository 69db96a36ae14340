#pragma once
// How the record forms and entry dialogs name an input beside its caption panel: the input is
// heard by its caption (a screen reader adds the kind of control itself); the caption-less box
// of a check-box date as "<caption> 입력" (that date is entered).
#include <QString>

class QLabel;
class QWidget;

void nameField(QWidget* input, const QString& controlName, QLabel* caption);
void nameDateBox(QWidget* box, const QString& controlName, QLabel* caption);
