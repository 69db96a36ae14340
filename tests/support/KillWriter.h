#pragma once
// A child process for the crash tests: the test program started again with TARVIK_KILL_WRITER
// set runs one long write of the given kind on a farm folder instead of the tests, says
// "step N" after every 200 rows and never commits, so the test can kill it in the middle.
#include <QString>

inline constexpr const char* kKillWriterKind = "TARVIK_KILL_WRITER";
inline constexpr const char* kKillWriterFolder = "TARVIK_KILL_FOLDER";

// The kinds: "import" (new animals), "save" (every animal's text changed), "delete" (animals and
// their breeding removed), "fill" (a book's work table emptied and filled), "dose" (a vaccination
// for every animal and semen receipts), "hold" (an exclusive
// lock taken and kept, as another program holding the file does). Returns the exit code; the
// write kinds never return on their own.
int runKillWriter(const QString& kind, const QString& programFolder);
