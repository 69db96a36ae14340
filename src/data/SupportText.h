#pragma once
// The support lines closing the connection-error and damaged-file messages.
#include "data/FarmInfo.h"

#include <QString>

// With a contact: whom to call, only the parts the farm gave. Without one: where the records
// and the backups are, and the window that restores them. No number of the program's own.
QString supportText(const SupportContact& contact, const QString& dbFolder, const QString& backupFolder);
