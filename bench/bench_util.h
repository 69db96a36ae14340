#pragma once
// What several bench cases share: reading their own memory use and opening a farm file for a
// fast bulk fill.
#include <QString>
#include <functional>

// A field of /proc/self/status ("VmRSS:", "VmHWM:") in MB; 0 when unknown.
double statusMb(const char* field);

// Opens `file` (made with the farm's tables when missing) as connection `name` for a bulk fill:
// no syncing, the journal in memory, one transaction begun. Empty on success; otherwise the
// error, and no connection is left behind.
QString openBulkFill(const QString& file, const QString& name);

// The best of `runs` runs of `f`, in milliseconds.
double bestMs(int runs, const std::function<void()>& f);
