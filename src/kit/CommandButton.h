#pragma once
// The program's command button: named for automation and for a screen reader, and never pressed
// by Enter (Enter does nothing in any window). Its look depends on where it stands.
#include <QString>

class QPushButton;
class QWidget;

// The size of a button-bar button, which the bars lay out by.
constexpr int kBarButtonWidthPx = 104;
constexpr int kBarButtonHeightPx = 34;

enum class ButtonLook {
    Dialog,   // under a form or an entry dialog (저 장, 취 소, 신규등록, ...): at least 90 pixels wide
    Bar,      // in a list window's button bar: 104 x 34, reached by Tab only, a pointing hand
    Menu,     // the main menu: at least 60 pixels high, the menu's own colours, a pointing hand
    Skinned,  // in a dialog drawn with its own skin: rounded and shaded, a pointing hand
    Footer,   // in the row under a record form's tabs (its prints, 닫기): at least 32 pixels high
    Placed,   // in a button bar at a size and place of the window's own (the search list's record
              // commands): reached by Tab only, like the bar's
};

QPushButton* commandButton(const QString& name, const QString& caption, QWidget* parent,
                           ButtonLook look = ButtonLook::Dialog);
