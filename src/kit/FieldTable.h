#pragma once
// A framed table of boxes, each beside its caption panel, over the 저 장 / 취 소 row: the form of
// the farm's own entry windows (the farm information, a manure ledger entry).
#include "kit/SaveCancel.h"

#include <QString>

class QFrame;
class QGridLayout;
class QLabel;
class QLayout;
class QLineEdit;

class FieldTable {
public:
    // The frame, named `frameName`, is made in `window`; its caption panels are `captionWidth`
    // pixels wide.
    FieldTable(QWidget* window, const QString& frameName, int captionWidth);

    // Where the boxes are made.
    QFrame* frame() const { return m_frame; }

    // Starts the next row with its caption panel. The row's box is made after it, in frame().
    QLabel* addCaption(const QString& caption);
    // Puts `input` beside the last caption (or `cell`, a layout holding it with its companions):
    // named `name`, heard by the caption, next in the tab order.
    void addInput(const QString& name, QWidget* input, QLayout* cell = nullptr);
    // A row of one text box: its caption, then the box named `name`, showing `hint` while empty
    // and at least `minWidth` pixels wide.
    QLineEdit* addText(const QString& name, const QString& caption, const QString& hint = QString(),
                       int minWidth = 160);

    // Lays the frame out in the window over the 저 장 / 취 소 row, whose buttons run `onSave` and
    // `onCancel`; they follow the last box in the tab order. Enter never presses them.
    SaveCancel finish(const std::function<void()>& onSave, const std::function<void()>& onCancel);

private:
    QWidget* m_window;
    QFrame* m_frame;
    QGridLayout* m_grid;
    int m_captionWidth;
    int m_row = -1;
    QLabel* m_caption = nullptr;
    QWidget* m_last = nullptr;
};
