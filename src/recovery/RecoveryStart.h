#pragma once
// The start's look at the database, before the menu shows: a farm opens as always; a missing
// file is brought back from the newest good backup or becomes a new farm (the farmer chooses
// when a backup exists); anything else opens the recovery window by itself and nothing is
// backed up, so an empty or damaged file never pushes a good copy out of the rotation.
#include <QDateTime>

class QWidget;

// True when the program may go on to the day's first backup.
bool checkDatabaseAtStart(QWidget* parent, const QDateTime& now);
// The menu's way to the recovery window, and the one the database messages offer
// (kit/DbMessages.h setRecoveryOpener).
void openRecoveryWindow(QWidget* parent);
