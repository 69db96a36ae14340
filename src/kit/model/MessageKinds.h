#pragma once
// What a message box shows and which buttons it offers: plain values, so the rules that
// decide on a message need no widget.
#include <QFlags>
#include <QString>

enum class MsgIcon { None, Information, Question, Exclamation, Critical };

// One button of a box; a box offers a set of them (MsgButtons) and answers with one.
enum class MsgButton { None = 0, Ok = 1, Cancel = 2, Yes = 4, No = 8, Retry = 16 };
Q_DECLARE_FLAGS(MsgButtons, MsgButton)
Q_DECLARE_OPERATORS_FOR_FLAGS(MsgButtons)

struct MessageSpec {
    MsgIcon icon = MsgIcon::None;
    QString title;
    QString text;  // line breaks are CR LF, as the texts are written
    MsgButtons buttons = MsgButton::Ok;
    MsgButton defaultButton = MsgButton::None;  // None: the first button
    // The technical side (the database's own words): behind the box's details button, never
    // in the text. Empty: no details button.
    QString details = {};
};

// CR LF, the line break of every message text.
inline const QString kCrLf = QStringLiteral("\r\n");
