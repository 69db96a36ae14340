#pragma once
// Every message box of the program goes through here, so tests can script the answers.
#include "kit/model/MessageKinds.h"

#include <QString>
#include <QWidget>

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

int showMessage(QWidget* parent, MsgIcon icon, const QString& title, const QString& text, int buttons = MsgButton::Ok,
                int defaultButton = MsgButton::None);
