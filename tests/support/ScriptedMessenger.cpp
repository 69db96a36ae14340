#include "support/ScriptedMessenger.h"

ScriptedMessenger::ScriptedMessenger() { setMessenger(this); }
ScriptedMessenger::~ScriptedMessenger() { setMessenger(nullptr); }

int ScriptedMessenger::show(QWidget* parent, const MessageSpec& spec)
{
    int a;
    if (!m_script.empty()) {
        a = m_script.front();
        m_script.pop_front();
    } else if (spec.defaultButton != MsgButton::None) {
        a = spec.defaultButton;
    } else if (spec.buttons & MsgButton::Yes) {
        a = MsgButton::Yes;
    } else if (spec.buttons & MsgButton::Retry) {
        a = MsgButton::Retry;
    } else {
        a = MsgButton::Ok;
    }
    m_shown.push_back({parent, spec, a});
    if (onShow) onShow(spec);
    return a;
}
