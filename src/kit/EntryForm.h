#pragma once
// The pieces the farm's own entry windows share (the manure entry dialog, the farm
// information): raised caption panels beside their boxes, and the 저 장 / 취 소 row under the
// frame of boxes.
#include <QString>

class QFrame;
class QLabel;
class QPushButton;
class QWidget;

// A raised caption panel `width` pixels wide.
QLabel* entryCaption(const QString& text, int width, QWidget* parent);

struct SaveCancel {
    QPushButton* save = nullptr;    // "cmdSave", "저 장"
    QPushButton* cancel = nullptr;  // "cmdCancel", "취 소", tool tip "창을 닫습니다"
};
// Lays `frame` out in `window` over a row with the two buttons at its right; the buttons follow
// `last` in the tab order. Enter never presses them.
SaveCancel layOutWithSaveCancel(QWidget* window, QFrame* frame, QWidget* last);
