#pragma once
// A messenger for tests: records every box and answers from a script.
#include "kit/Messages.h"

#include <QList>
#include <deque>
#include <functional>

class ScriptedMessenger : public Messenger {
public:
    ScriptedMessenger();            // installs itself
    ~ScriptedMessenger() override;  // restores the Qt messenger

    struct Shown {
        QWidget* parent;
        MessageSpec box;
        int answer;
    };

    // Queues answers (MsgButton values) for the next boxes; without one a box gets
    // its default button, or else its first of Yes/Retry/Ok.
    void answer(int button) { m_script.push_back(button); }
    // Runs while a box is "shown" (for example to inspect the window behind it).
    std::function<void(const MessageSpec&)> onShow;

    int show(QWidget* parent, const MessageSpec& box) override;

    const QList<Shown>& shown() const { return m_shown; }
    int count() const { return int(m_shown.size()); }
    const MessageSpec& last() const { return m_shown.back().box; }
    void clear()
    {
        m_shown.clear();
        m_script.clear();
    }

private:
    std::deque<int> m_script;
    QList<Shown> m_shown;
};
