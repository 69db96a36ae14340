#pragma once
// Window helpers: dragging a frameless window by any widget, rounded windows, twips.
#include "kit/model/Twips.h"

#include <QWidget>

// Starts the system's move loop for `widget`'s window, following the mouse.
void DragWindow(QWidget* window);
// Lets a mouse press on `handle` move `window` (installs DragWindow on the press).
void makeDragHandle(QWidget* handle, QWidget* window);
// Clips a window to a rounded rectangle with 24 x 24 pixel corner ellipses.
void RoundWindow(QWidget* window);

// The size a window opens at: `wanted`, within the screen's free area less the title bar the
// system adds, and never below `minimum`.
QSize openingSize(QSize wanted, QSize minimum, const QRect& available);
// Resizes `window` to its opening size on the screen it will show on.
void openAtSize(QWidget* window, QSize wanted);
