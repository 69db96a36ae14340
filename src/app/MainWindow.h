#pragma once
// frmMain: the start window and menu. Each menu button opens one top-level window and
// hides this window until that window is gone again.
#include <QMap>
#include <QPointer>
#include <QWidget>
#include <functional>

class QAbstractButton;
class QLabel;
class QFrame;

class MainWindow : public QWidget {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);

    using Opener = std::function<QWidget*()>;
    // Registers the window a menu index opens (0-6); the window deletes itself on close.
    void setOpener(int index, Opener opener);
    // The menu's click handler (index 0-6, or 99 for exit).
    void menuClicked(int index);
    // Restores the saved position with its corrections and makes the window topmost.
    void placeFromSettings();
    QAbstractButton* menuButton(int index) const;
    QWidget* openWindow(int index) const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QMap<int, Opener> m_openers;
    QMap<int, QPointer<QWidget>> m_open;
    QMap<int, QAbstractButton*> m_buttons;
};
