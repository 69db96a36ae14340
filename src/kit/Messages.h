#pragma once
// Every message box of the program goes through here, so tests can script the answers.
#include "kit/model/MessageKinds.h"

#include <QString>
#include <QWidget>

class Messenger {
public:
    virtual ~Messenger() = default;
    // Shows the box and returns the pressed button.
    virtual MsgButton show(QWidget* parent, const MessageSpec& box) = 0;
};

// The Qt implementation used by the running program.
class QtMessenger : public Messenger {
public:
    MsgButton show(QWidget* parent, const MessageSpec& box) override;
};

// Replaces the messenger (tests install a scripted fake); nullptr restores the Qt one.
void setMessenger(Messenger* m);
Messenger& messenger();

MsgButton showMessage(QWidget* parent, MsgIcon icon, const QString& title, const QString& text,
                      MsgButtons buttons = MsgButton::Ok, MsgButton defaultButton = MsgButton::None);
