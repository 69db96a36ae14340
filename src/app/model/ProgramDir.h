#pragma once
// The program folder: the executable's folder, which holds Tarvik.ini, db/ and rpt/.
#include <QString>

QString programDir();
// Tests and tools point the program at another folder.
void setProgramDir(const QString& dir);
QString settingsFilePath();  // <program folder>/Tarvik.ini
QString reportDir();         // <program folder>/rpt
QString databaseFilePath();  // <program folder>/db/TARVIK.db
