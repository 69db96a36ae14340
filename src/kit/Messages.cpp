#include "kit/Messages.h"

#include <QMessageBox>
#include <QPushButton>

namespace {
QtMessenger gQtMessenger;
Messenger* gMessenger = &gQtMessenger;

QMessageBox::StandardButton toStd(MsgButton b)
{
    switch (b) {
    case MsgButton::Ok: return QMessageBox::Ok;
    case MsgButton::Cancel: return QMessageBox::Cancel;
    case MsgButton::Yes: return QMessageBox::Yes;
    case MsgButton::No: return QMessageBox::No;
    case MsgButton::Retry: return QMessageBox::Retry;
    case MsgButton::None: break;
    }
    return QMessageBox::NoButton;
}
}  // namespace

void setMessenger(Messenger* m)
{
    gMessenger = m ? m : &gQtMessenger;
}
Messenger& messenger()
{
    return *gMessenger;
}

MsgButton QtMessenger::show(QWidget* parent, const MessageSpec& msg)
{
    QMessageBox box(parent);
    switch (msg.icon) {
    case MsgIcon::Information: box.setIcon(QMessageBox::Information); break;
    case MsgIcon::Question: box.setIcon(QMessageBox::Question); break;
    case MsgIcon::Exclamation: box.setIcon(QMessageBox::Warning); break;
    case MsgIcon::Critical: box.setIcon(QMessageBox::Critical); break;
    case MsgIcon::None: break;
    }
    box.setWindowTitle(msg.title.isEmpty() ? QStringLiteral("한우암소관리") : msg.title);
    QString shown = msg.text;
    shown.replace(kCrLf, QStringLiteral("\n"));
    box.setText(shown);
    box.setTextFormat(Qt::PlainText);
    // Behind Qt's own details button, which its Korean translation captions (자세한 정보 보기).
    if (!msg.details.isEmpty()) box.setDetailedText(msg.details);
    const MsgButton order[] = {MsgButton::Yes, MsgButton::No, MsgButton::Retry, MsgButton::Ok, MsgButton::Cancel};
    for (MsgButton b : order)
        if (msg.buttons.testFlag(b)) box.addButton(toStd(b));
    if (msg.defaultButton != MsgButton::None) box.setDefaultButton(toStd(msg.defaultButton));
    if (msg.buttons.testFlag(MsgButton::Cancel))
        box.setEscapeButton(QMessageBox::Cancel);
    else if (msg.buttons.testFlag(MsgButton::No))
        box.setEscapeButton(QMessageBox::No);
    box.exec();
    QAbstractButton* clicked = box.clickedButton();
    for (MsgButton b : order)
        if (msg.buttons.testFlag(b) && box.button(toStd(b)) == clicked) return b;
    // Closed without a button: the escape answer.
    if (msg.buttons.testFlag(MsgButton::Cancel)) return MsgButton::Cancel;
    if (msg.buttons.testFlag(MsgButton::No)) return MsgButton::No;
    return MsgButton::Ok;
}

MsgButton showMessage(QWidget* parent, MsgIcon icon, const QString& title, const QString& text, MsgButtons buttons,
                      MsgButton defaultButton)
{
    return messenger().show(parent, MessageSpec{icon, title, text, buttons, defaultButton});
}
