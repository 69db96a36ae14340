#pragma once
// Refuses a second running copy of the program for one program folder.
#include <QLockFile>
#include <QString>
#include <memory>

// Returns the held lock, or nullptr when another copy already runs.
std::unique_ptr<QLockFile> acquireSingleInstance(const QString& programFolder);
