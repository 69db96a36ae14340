#pragma once
// The looks of the widget kit in one place: the colours, frames and style sheets its caption
// panels, command buttons and notes are drawn with. A window that wants one of these looks takes
// it from here rather than spelling it again.
#include <QColor>
#include <QFrame>
#include <QString>

namespace styles {

// Caption panels stand out of the form like the raised labels of a paper register.
constexpr int kCaptionFrame = QFrame::Panel | QFrame::Raised;

// The green-grey face of the caption panels of the lists' search conditions and the record forms.
inline QString tintedCaption()
{
    return QStringLiteral("QLabel { background: rgb(222, 228, 214); color: rgb(40, 60, 40); }");
}

// The pale face of the panel holding a record form's boxes. Only the panel named `panelName`
// takes it: the boxes and caption panels inside keep their own faces.
inline QString formPanel(const QString& panelName)
{
    return QStringLiteral("#%1 { background: rgb(244, 246, 240); }").arg(panelName);
}

// A fixed note beside a form or a list (what the period means, how to fill the boxes): dark blue.
inline QString note()
{
    return QStringLiteral("color: rgb(0, 0, 160);");
}

// The small note to the right of an entry dialog's field (a unit, a hint).
inline QString fieldNote()
{
    return QStringLiteral("color: #1f4e9c;");
}

// A warning that heads a window (why the recovery window opened by itself): dark red on a pale
// orange panel.
inline QString warningPanel()
{
    return QStringLiteral(
        "QLabel { background: rgb(255, 240, 225); color: rgb(150, 30, 20); border: 1px solid rgb(200, 120, "
        "90); padding: 8px; font-weight: bold; }");
}

// The text colour of a list row that cannot be used (a backup that fails its check).
inline QColor unusableRow()
{
    return QColor(Qt::red);
}

// The please-wait label over a list's grid. Explicit colours: the label is shown while the window
// is disabled and must not grey out.
inline QString waitLabel()
{
    return QStringLiteral(
        "QLabel#ML_INFO { color: rgb(20, 40, 110); background: rgb(255, 252, 228);"
        " border: 2px solid rgb(120, 140, 190); border-radius: 6px; font-size: 14px; font-weight: bold;"
        " padding: 8px; }");
}

// The large pale-green buttons of the main menu.
inline QString menuButton()
{
    return QStringLiteral(
        "QPushButton { font-size: 15px; font-weight: bold; color: rgb(40, 60, 40);"
        " background: rgb(235, 242, 228); border: 1px solid rgb(150, 175, 130); border-radius: 6px; }"
        "QPushButton:hover { background: rgb(210, 228, 196); }");
}

// The rounded, lightly shaded buttons of the dialogs drawn with their own skin (the printer dialog).
inline QString skinnedButton()
{
    return QStringLiteral(
        "QPushButton { border: 1px solid #4a6f99; border-radius: 5px; padding: 4px;"
        " background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #fdfdfd, stop:1 #d5dfea); }"
        "QPushButton:hover { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #ffffff, stop:1 #bcd0e6); }"
        "QPushButton:pressed { background: #a9c1dc; }");
}

}  // namespace styles
