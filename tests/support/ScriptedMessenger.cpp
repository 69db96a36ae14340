#include "support/ScriptedMessenger.h"

ScriptedMessenger::ScriptedMessenger()
{
    setMessenger(this);
}
ScriptedMessenger::~ScriptedMessenger()
{
    setMessenger(nullptr);
}

MsgButton ScriptedMessenger::show(QWidget* parent, const MessageSpec& box)
{
    MsgButton a;
    if (!m_script.empty()) {
        a = m_script.front();
        m_script.pop_front();
    } else if (box.defaultButton != MsgButton::None) {
        a = box.defaultButton;
    } else if (box.buttons.testFlag(MsgButton::Yes)) {
        a = MsgButton::Yes;
    } else if (box.buttons.testFlag(MsgButton::Retry)) {
        a = MsgButton::Retry;
    } else {
        a = MsgButton::Ok;
    }
    m_shown.push_back({parent, box, a});
    if (onShow) onShow(box);
    return a;
}
