#pragma once
// What a window shows when the database fails it: the connection-error message, the plain
// error message and the reconnect prompt. The connection itself only reports.
#include "data/Db.h"

#include <QString>
#include <QWidget>

// The support contact shown in the connection-error message.
inline const QString kSupportName = QStringLiteral("한우관리 프로그램 고객지원센터");
inline const QString kSupportTel = QStringLiteral("063-270-4827");

// DBOpen for a window's load handler: on failure the connection-error message, then the
// program ends through the exit hook. True when connected.
bool openConnectionOrEnd(QWidget* parent);
// The plain error message: OK box with the application title; a Korean sentence
// first for the errors a user can cause, then the database's description.
void showPlainError(QWidget* parent, const DbError& e);
void showPlainError(QWidget* parent, const QString& description);
// The connection-error message (then the caller ends the program).
void showConnectionError(QWidget* parent);
// The reconnect prompt of the work-table fillers: Retry reconnects (DBClose, DBOpen).
// Returns true when the user chose Retry.
bool reconnectPrompt(QWidget* parent, const DbError& e);
