#pragma once
// How the record forms and entry dialogs name an input beside its caption panel. The control
// names are the captions' own words (the box for 산차 is 산차), so a field heard by its caption
// alone would sound like its bare control name and tell nothing about being a field. A field is
// heard as "<caption>란" (the field for ...), the way the program's own notes speak of a field
// ("분만일"란); the caption-less box of a check-box date as "<caption> 입력" (that date is entered).
#include <QString>

class QLabel;
class QWidget;

void nameField(QWidget* input, const QString& controlName, QLabel* caption);
void nameDateBox(QWidget* box, const QString& controlName, QLabel* caption);
