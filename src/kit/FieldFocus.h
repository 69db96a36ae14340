#pragma once
// Where the focus goes after a refused input: to the named field, for real and heard.
class QWidget;

// Puts the keyboard focus on `field` once a message box about it has closed, and tells screen
// readers: the tab page holding the field is brought up, the field's window is activated again
// (the box had taken the activation, so Qt alone would move the focus silently), and a focus
// event names the field. A field that cannot take the focus (disabled, like the picker of a
// cleared date box, or hidden) hands it to the nearest usable control before it in the tab
// order, so a disabled control never holds the focus. Returns the control that got the focus.
QWidget* focusRefusedField(QWidget* field);
