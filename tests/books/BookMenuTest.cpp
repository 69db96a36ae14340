// The main menu's buttons: each opens its window over the hidden main window, with the
// connection open until the window closes; a window already open is raised, not opened twice.
#include "app/MainWindow.h"
#include "app/Windows.h"
#include "data/Db.h"
#include "support/TestFarm.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QPointer>
#include <algorithm>

namespace {
class BookMenuTest : public FarmTest {};
}  // namespace

TEST_F(BookMenuTest, EachButtonOpensItsWindowAndGetsTheMainWindowBackOnClose)
{
    MainWindow main;
    registerWindows(main);
    main.show();
    const struct {
        MenuEntry button;
        const char* caption;
        const char* window;
    } cases[] = {{MenuEntry::Animals, "개체관리", "frmSearch"},
                 {MenuEntry::MatingBook, "교배기록부", "교배기록부"},
                 {MenuEntry::CalvingBook, "분만기록부", "분만기록부"},
                 {MenuEntry::ShipmentBook, "출하기록부", "출하성적기록부"},
                 {MenuEntry::ManureLedger, "축산분뇨 관리대장", "축산분뇨관리대장"},
                 {MenuEntry::FarmInfo, "농장정보", "농장정보"},
                 {MenuEntry::DailyList, "일일관리 대상조회", "일일관리"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.window);
        EXPECT_EQ(main.menuButton(c.button)->text(), QString::fromUtf8(c.caption));
        main.menuButton(c.button)->click();
        QPointer<QWidget> opened = main.openWindow(c.button);
        ASSERT_TRUE(opened);
        EXPECT_EQ(opened->objectName(), QString::fromUtf8(c.window));
        EXPECT_TRUE(opened->isVisible());
        EXPECT_FALSE(main.isVisible());
        EXPECT_TRUE(gConn.isOpen());
        opened->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_FALSE(opened);
        EXPECT_FALSE(gConn.isOpen());
        EXPECT_TRUE(main.isVisible());
    }
}

TEST_F(BookMenuTest, AnOpenWindowIsRaisedInsteadOfOpenedTwiceAndExitAsks)
{
    MainWindow main;
    registerWindows(main);
    main.show();
    for (MenuEntry button : {MenuEntry::Animals, MenuEntry::MatingBook, MenuEntry::CalvingBook, MenuEntry::ShipmentBook,
                             MenuEntry::ManureLedger, MenuEntry::FarmInfo, MenuEntry::DailyList}) {
        SCOPED_TRACE(int(button));
        main.menuClicked(button);
        QPointer<QWidget> first = main.openWindow(button);
        ASSERT_TRUE(first);
        main.menuClicked(button);
        EXPECT_EQ(main.openWindow(button), first);
        const QWidgetList tops = QApplication::topLevelWidgets();
        EXPECT_EQ(std::count_if(tops.cbegin(), tops.cend(),
                                [&](const QWidget* w) { return w->objectName() == first->objectName(); }),
                  1);
        EXPECT_TRUE(first->isVisible());
        EXPECT_FALSE(main.isVisible());
        first->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_FALSE(first);
        EXPECT_TRUE(main.isVisible());
    }
    // The last button asks before the program ends.
    farm.messages().answer(MsgButton::No);
    main.menuButton(MenuEntry::Exit)->click();
    ASSERT_EQ(farm.messages().count(), 1);
    EXPECT_EQ(farm.messages().last().text, QStringLiteral("프로그램을 종료하시겠습니까?"));
    EXPECT_TRUE(main.isVisible());
}
