#pragma once
// What a window shows when the database fails it: the connection-error message, the busy and
// damaged-file messages, the plain error message, the reconnect prompt and the backup report.
// The connection itself only reports.
#include "data/Db.h"

#include <QString>
#include <QWidget>
#include <functional>

// DBOpen for a window's load handler. True when connected. Otherwise the farmer is told why,
// and what happens next depends on the outcome:
//  - Busy (another program holds the file for more than a few seconds): a Korean message; the
//    program keeps running. The window that asked must close itself (the main window comes back).
//  - Damaged (the file's own check fails): a Korean message naming the newest backup, then the
//    program ends through the exit hook; nothing is written into the damaged file.
//  - Missing or unreadable: the connection-error message, then the program ends.
// So after false the caller touches no database; it closes itself when the hook returns.
bool openConnectionOrEnd(QWidget* parent);
// Opens the recovery window (백업 및 복원), which lives above this kit: the program sets it at
// the start. When set, the damaged-file and connection-error messages ask whether to open it.
// An empty function removes it.
void setRecoveryOpener(std::function<void(QWidget*)> opener);

// The plain error message: OK box with the application title and a Korean sentence (the one
// for the kind of error, the program's own Korean description, or a general one). The
// database's own words go behind the box's details button and into the error log, never into
// the text. A database file cut short underneath gets the damaged-file message.
void showPlainError(QWidget* parent, const DbError& e);
// `description` is shown as it is; `details` (technical) behind the button and into the log.
void showPlainError(QWidget* parent, const QString& description, const QString& details = QString());
// The connection-error message (then the caller ends the program). True when the farmer went on
// to the recovery window (a backup may be back in place).
bool showConnectionError(QWidget* parent);
// The reconnect prompt of the work-table fillers: Retry reconnects (DBClose, DBOpen).
// Returns true when the user chose Retry.
bool reconnectPrompt(QWidget* parent, const DbError& e);

// Writes a backup of the program folder's database (backup/model/Backup.h) and reports a failure in
// Korean; the caller goes on either way. A good copy also goes to the second backup folder when
// one is set; a second folder out of reach or failing is only logged. Without a database there is nothing to copy and
// nothing to say. True when a checked copy was written.
bool backupDatabase(QWidget* parent);
// The first start of a day: a backup unless one was written today already.
void backupAtStartOfDay(QWidget* parent);
