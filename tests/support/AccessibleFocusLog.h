#pragma once
// What a screen reader is told about the focus. Qt sends accessibility events only while a
// screen reader is attached, so the log switches Qt's accessibility on as one would, keeps
// every QAccessible::Focus event, and switches it off again when it goes.
#include <QList>
#include <QObject>
#include <QPointer>

class AccessibleFocusLog {
public:
    AccessibleFocusLog();
    ~AccessibleFocusLog();
    AccessibleFocusLog(const AccessibleFocusLog&) = delete;
    AccessibleFocusLog& operator=(const AccessibleFocusLog&) = delete;

    // The objects named by the focus events so far, oldest first (null once deleted).
    const QList<QPointer<QObject>>& events() const { return m_events; }
    // The object the last focus event named: what the screen reader says has the focus.
    QObject* last() const { return m_events.isEmpty() ? nullptr : m_events.last().data(); }
    void clear() { m_events.clear(); }

private:
    QList<QPointer<QObject>> m_events;
};
