#pragma once
// The support lines closing the connection-error and damaged-file messages.
#include "data/FarmInfo.h"

#include <QString>

// With a contact: whom to call, only the parts the farm gave. Without one: where the records
// and the backups are, and the window that restores them. No number of the program's own.
QString supportText(const SupportContact& contact, const QString& dbFolder, const QString& backupFolder);
// "연락처: <name>  TEL : <number>" with the parts the farm gave; "" when it gave none.
QString supportContactLine(const SupportContact& contact);
// `text` closed by whom to call for help (`contactLine` above); `text` alone without one.
QString withSupportContact(const QString& text, const QString& contactLine);
// The farm's support contact for a message shown when the database may not open: read from the
// database file, else from `backupFile` (its newest good backup); empty when neither holds one.
SupportContact supportContactFor(const QString& databaseFile, const QString& backupFile);
