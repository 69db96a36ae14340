#pragma once
// The technical side of a failure (the database's own words, codes, paths) is kept out of the
// farmer's message boxes and written here instead, for whoever helps him later: a line per
// failure in <db folder>/Tarvik.log, readable by the owner only, kept small by one rotation.
#include <QString>

// The log beside the database: <program folder>/db/Tarvik.log.
QString errorLogPath();
// Past this size the log moves to Tarvik.log.1 (replacing the older one) and starts anew.
inline constexpr qint64 kErrorLogLimit = 1024 * 1024;
// Appends "<time> [context] detail" as one line; a log that cannot be written is skipped, as
// a failure to log must never become a second failure for the farmer.
void logError(const QString& context, const QString& detail);
