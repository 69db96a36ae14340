#pragma once
// What a message box shows and which buttons it offers: plain values, so the rules that
// decide on a message need no widget.
#include <QString>

enum class MsgIcon { None, Information, Question, Exclamation, Critical };

namespace MsgButton {
enum : int { None = 0, Ok = 1, Cancel = 2, Yes = 4, No = 8, Retry = 16 };
}

struct MessageSpec {
    MsgIcon icon = MsgIcon::None;
    QString title;
    QString text;  // line breaks are CR LF, as the texts are written
    int buttons = MsgButton::Ok;
    int defaultButton = MsgButton::None;  // None: the first button
};

// CR LF, the line break of every message text.
inline const QString kCrLf = QStringLiteral("\r\n");
