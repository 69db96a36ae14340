#pragma once
// A note beside a form or a list: what the period means, how to fill the boxes, what a table
// left out. Wrapped to its room and drawn in the note look (styles::note()).
#include <QString>

class QLabel;
class QWidget;

// Named `name` for automation and heard by `text` (a note whose text comes later is heard by
// what the window then sets).
QLabel* noteLabel(const QString& name, const QString& text, QWidget* parent);
