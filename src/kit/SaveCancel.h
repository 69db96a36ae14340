#pragma once
// The 저 장 / 취 소 pair under an entry window's boxes.
#include <functional>

class QHBoxLayout;
class QPushButton;
class QWidget;

struct SaveCancel {
    SaveCancel() = default;
    // Makes both buttons in `window`: "cmdSave" and "cmdCancel" (tool tip "창을 닫습니다").
    explicit SaveCancel(QWidget* window);
    // The same, with what each button does (run with `window` as the context).
    SaveCancel(QWidget* window, const std::function<void()>& onSave, const std::function<void()>& onCancel);
    // The row with both at its right, for the bottom of the window; the buttons follow `last`
    // (if any) in the tab order.
    QHBoxLayout* row(QWidget* last) const;

    QPushButton* save = nullptr;
    QPushButton* cancel = nullptr;
};
