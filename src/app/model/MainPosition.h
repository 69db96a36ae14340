#pragma once
// The main window's saved position (Tarvik.ini, section FRMMAIN, keys TOP and LEFT, twips).
#include <QPoint>
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
