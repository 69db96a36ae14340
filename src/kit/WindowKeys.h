#pragma once
// The key rules of every window: Enter is swallowed, Esc closes, F11 runs the query
// while the query button is enabled. The window sees the keys before its controls.
#include <QAbstractButton>
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>

class WindowKeys : public QObject {
    Q_OBJECT
public:
    // Installs itself for `window` (keys aimed at any widget inside it).
    // onEscape runs for Esc; the default closes the window.
    explicit WindowKeys(QWidget* window, std::function<void()> onEscape = {});
    ~WindowKeys() override;
    // The button F11 clicks while it is enabled (list windows).
    void setQueryButton(QAbstractButton* button) { m_query = button; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QWidget> m_window;
    QPointer<QAbstractButton> m_query;
    std::function<void()> m_onEscape;
};
