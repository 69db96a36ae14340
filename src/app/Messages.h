#pragma once
// Every message box of the program goes through here, so tests can script the answers.
#include <QString>
#include <QWidget>

enum class MsgIcon { None, Information, Question, Exclamation, Critical };

namespace MsgButton {
enum : int { None = 0, Ok = 1, Cancel = 2, Yes = 4, No = 8, Retry = 16 };
}

struct MessageSpec {
    MsgIcon icon = MsgIcon::None;
    QString title;
    QString text;          // line breaks are CR LF, as the texts are written
    int buttons = MsgButton::Ok;
    int defaultButton = MsgButton::None;  // None: the first button
};

class Messenger {
public:
    virtual ~Messenger() = default;
    // Shows the box and returns the pressed button (one MsgButton value).
    virtual int show(QWidget* parent, const MessageSpec& box) = 0;
};

// The Qt implementation used by the running program.
class QtMessenger : public Messenger {
public:
    int show(QWidget* parent, const MessageSpec& box) override;
};

// Replaces the messenger (tests install a scripted fake); nullptr restores the Qt one.
void setMessenger(Messenger* m);
Messenger& messenger();

int showMessage(QWidget* parent, MsgIcon icon, const QString& title, const QString& text,
                int buttons = MsgButton::Ok, int defaultButton = MsgButton::None);

// CR LF, the line break of every message text.
inline const QString kCrLf = QStringLiteral("\r\n");
