#pragma once
// Byte copies of backups with the system's failures said in Korean: the restore and the copies
// to another folder write through these, so a full disk or a pulled stick reads the same in both.
#include <QString>

// The system's own words for errno `error`.
QString systemError(int error);
// The Korean reason a write failed with errno `error`; the system's words go into `detail`.
QString writeErrorText(int error, QString* detail);
// Copies `from` byte for byte into a new file `to` (600) and syncs it; "" on success, else the
// reason (the system's words in `detail`). A partial file is removed.
QString copyFileBytes(const QString& from, const QString& to, QString* detail);
// True when both files can be read and hold the same bytes.
bool sameFileBytes(const QString& a, const QString& b);
