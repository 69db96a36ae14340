// A window opened while another program holds the database: a Korean word, the window goes
// away again, the main window comes back and the program keeps running.
#include "app/MainWindow.h"
#include "app/Windows.h"
#include "data/ProgramDir.h"
#include "support/TestFarm.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QUuid>

class BusyDatabaseTest : public FarmTest {};

TEST_F(BusyDatabaseTest, EveryMenuWindowClosesAgainAndTheMainWindowComesBack)
{
    const QString other = QUuid::createUuid().toString();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), other);
        db.setDatabaseName(databaseFilePath());
        ASSERT_TRUE(db.open());
        ASSERT_TRUE(QSqlQuery(db).exec(QStringLiteral("BEGIN EXCLUSIVE")));

        MainWindow main;
        registerWindows(main);
        main.show();
        for (MenuEntry entry : {MenuEntry::Animals, MenuEntry::DailyList}) {
            SCOPED_TRACE(int(entry));
            farm.messages().clear();
            main.menuClicked(entry);
            QCoreApplication::processEvents();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            EXPECT_FALSE(main.openWindow(entry));
            EXPECT_TRUE(main.isVisible());
            ASSERT_EQ(farm.messages().count(), 1);
            EXPECT_EQ(farm.messages().last().title, QStringLiteral("데이터베이스 사용 중"));
        }
        EXPECT_EQ(farm.exitCalls(), 0);
        QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
        db.close();
    }
    QSqlDatabase::removeDatabase(other);
}
