#pragma once
// The raised caption panel that stands beside a box, a picker or a set of search conditions.
#include <QString>

class QLabel;
class QWidget;

// How a caption panel is sized and drawn. Sizes in pixels; 0 leaves that size to the layout.
struct CaptionLook {
    int width = 0;        // fixed width
    int height = 0;       // fixed height
    int minHeight = 0;    // least height
    bool tinted = false;  // the green-grey face (styles::tintedCaption) instead of the window's
    bool wrap = false;    // a long caption breaks onto a second line
};

// A caption panel showing `caption`, centred.
QLabel* captionPanel(const QString& caption, const CaptionLook& look, QWidget* parent);
// A caption panel that is a control of its own: named `name` for automation and heard by its caption.
QLabel* captionPanel(const QString& name, const QString& caption, const CaptionLook& look, QWidget* parent);
