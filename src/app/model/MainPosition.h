#pragma once
// The main window's saved position (Tarvik.ini, section FRMMAIN, keys TOP and LEFT, twips).
#include <QList>
#include <QPoint>
#include <QRect>
#include <QString>

struct TwipsPosition {
    int top = 0;
    int left = 0;
};

// Reads TOP then LEFT (0 when the file or a key is missing).
TwipsPosition readMainPosition(const QString& iniPath);
// Writes TOP then LEFT as decimal text.
void writeMainPosition(const QString& iniPath, const TwipsPosition& pos);
// Start-up corrections: a negative top becomes 1; a negative left puts the window
// flush with the right edge of the screen. All values in twips.
TwipsPosition correctedPosition(TwipsPosition pos, int screenWidthTwips, int windowWidthTwips);

// Where a window of the given pixel rectangle may open: unchanged when it lies wholly within
// one of the available screen areas, else moved the least way into the area it overlaps most
// (the first area, normally the primary screen's, when it overlaps none); a window bigger than
// the area keeps its top-left corner on it. No areas: unchanged.
QPoint keptOnScreen(const QRect& window, const QList<QRect>& availableAreas);
// The available area of every screen (without panels and docks), the primary screen first.
QList<QRect> availableScreenAreas();
