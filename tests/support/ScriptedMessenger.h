#pragma once
// A messenger for tests: records every box and answers from a script.
#include "kit/Messages.h"

#include <QList>
#include <deque>
#include <functional>
#include <ostream>

class ScriptedMessenger : public Messenger {
public:
    ScriptedMessenger();            // installs itself
    ~ScriptedMessenger() override;  // restores the Qt messenger

    struct Shown {
        QWidget* parent;
        MessageSpec box;
        MsgButton answer;
    };

    // Queues answers for the next boxes; without one a box gets its default button, or else
    // its first of Yes/Retry/Ok.
    void answer(MsgButton button) { m_script.push_back(button); }
    // Runs while a box is "shown" (for example to inspect the window behind it).
    std::function<void(const MessageSpec&)> onShow;

    MsgButton show(QWidget* parent, const MessageSpec& box) override;

    const QList<Shown>& shown() const { return m_shown; }
    int count() const { return int(m_shown.size()); }
    const MessageSpec& last() const { return m_shown.back().box; }
    void clear()
    {
        m_shown.clear();
        m_script.clear();
    }

private:
    std::deque<MsgButton> m_script;
    QList<Shown> m_shown;
};

// Lets a failed expectation name the button instead of its bytes.
inline std::ostream& operator<<(std::ostream& os, MsgButton b)
{
    switch (b) {
    case MsgButton::None: return os << "None";
    case MsgButton::Ok: return os << "Ok";
    case MsgButton::Cancel: return os << "Cancel";
    case MsgButton::Yes: return os << "Yes";
    case MsgButton::No: return os << "No";
    case MsgButton::Retry: return os << "Retry";
    }
    return os << int(b);
}
