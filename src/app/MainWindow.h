#pragma once
// frmMain: the start window and menu. Each menu button opens one top-level window and
// hides this window until that window is gone again.
#include <QMap>
#include <QPointer>
#include <QWidget>
#include <functional>

class QAbstractButton;

// The entries of the menu; each value is the number in its button's control name "Com_Button_N".
enum class MenuEntry {
    Animals = 0,       // 개체관리: the search list of the animals
    MatingBook = 1,    // 교배기록부
    CalvingBook = 2,   // 분만기록부
    ShipmentBook = 3,  // 출하기록부
    ManureLedger = 4,  // 축산분뇨 관리대장
    FarmInfo = 5,      // 농장정보
    DailyList = 6,     // 일일관리 대상조회
    Recovery = 7,      // 백업 및 복원
    Analysis = 8,      // 성적분석
    MatingPlan = 9,    // 교배계획: the bulls for every cow, the catalogue and the semen tank
    Calendar = 10,     // 농장 달력: each day's due items, and the file for the phone's calendar
    Exit = 99,         // 종     료
};

class MainWindow : public QWidget {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);

    using Opener = std::function<QWidget*()>;
    // Registers the window a menu entry opens; the window deletes itself on close.
    void setOpener(MenuEntry entry, Opener opener);
    // The menu's click handler: opens (or raises) the entry's window, or asks to end the program.
    void menuClicked(MenuEntry entry);
    // Restores the saved position with its corrections and makes the window topmost.
    void placeFromSettings();
    QAbstractButton* menuButton(MenuEntry entry) const;
    QWidget* openWindow(MenuEntry entry) const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QMap<MenuEntry, Opener> m_openers;
    QMap<MenuEntry, QPointer<QWidget>> m_open;
    QMap<MenuEntry, QAbstractButton*> m_buttons;
};
