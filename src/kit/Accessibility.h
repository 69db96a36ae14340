#pragma once
// How every control is named: its control name (the one users' automation and the tests look
// for) as objectName and accessible description, and what a person hears as accessible name.
#include <QString>

class QLabel;
class QWidget;

// `heard` is the caption a screen reader reads (a button's caption, a list's name).
void nameControl(QWidget* control, const QString& controlName, const QString& heard);
// An input whose caption stands in a label beside it: the label's text (without blanks used
// for spacing) is heard, and the label becomes the input's buddy.
void nameInput(QWidget* input, const QString& controlName, QLabel* caption);
// The text a caption is heard as: its words with the spacing blanks of captions such as
// "저 장" or "종     료" taken out where they split a single word.
QString heardText(const QString& caption);
