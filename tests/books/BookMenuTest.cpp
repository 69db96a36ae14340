// The main menu's buttons for the farm books and the daily lists: each opens its window over
// the hidden main window, with the connection open until the window closes.
#include "app/MainWindow.h"
#include "app/Windows.h"
#include "data/Db.h"
#include "support/TestFarm.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QPointer>

namespace {
class BookMenuTest : public FarmTest {};
}  // namespace

TEST_F(BookMenuTest, EachButtonOpensItsWindowAndGetsTheMainWindowBackOnClose)
{
    MainWindow main;
    registerWindows(main);
    main.show();
    const struct {
        int button;
        const char* caption;
        const char* window;
    } cases[] = {{1, "교배기록부", "교배기록부"},
                 {2, "분만기록부", "분만기록부"},
                 {3, "출하기록부", "출하성적기록부"},
                 {6, "일일관리 대상조회", "일일관리"}};
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
