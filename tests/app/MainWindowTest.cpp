#include "app/MainWindow.h"
#include "app/model/MainPosition.h"
#include "data/ProgramDir.h"
#include "data/SingleInstance.h"
#include "support/AccessibilityCheck.h"
#include "support/TestFarm.h"

#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QScreen>
#include <QSettings>

// Each on a throw-away program folder of its own.
class MainPositionTest : public FarmTest {};
class SingleInstanceTest : public FarmTest {};
class MainWindowTest : public FarmTest {};

TEST(MainPosition, StartUpCorrections)
{
    const int screenW = 1600 * 15, winW = 640 * 15;
    struct Case {
        TwipsPosition saved, expected;
    } cases[] = {
        {{0, 0}, {0, 0}},
        {{-300, 500}, {1, 500}},
        {{300, -300}, {300, screenW - winW}},
        {{-1, -1}, {1, screenW - winW}},
        {{99999, 99999}, {99999, 99999}},  // beyond the right or bottom edge stays
    };
    for (const Case& c : cases) {
        const TwipsPosition p = correctedPosition(c.saved, screenW, winW);
        EXPECT_EQ(p.top, c.expected.top);
        EXPECT_EQ(p.left, c.expected.left);
    }
}

TEST_F(MainPositionTest, MissingFileGivesZeroAndWritingCreatesBothKeys)
{
    const QString ini = settingsFilePath();
    ASSERT_FALSE(QFile::exists(ini));
    TwipsPosition p = readMainPosition(ini);
    EXPECT_EQ(p.top, 0);
    EXPECT_EQ(p.left, 0);
    writeMainPosition(ini, {450, 1200});
    ASSERT_TRUE(QFile::exists(ini));
    QSettings s(ini, QSettings::IniFormat);
    EXPECT_EQ(s.value(QStringLiteral("FRMMAIN/TOP")).toString(), QStringLiteral("450"));
    EXPECT_EQ(s.value(QStringLiteral("FRMMAIN/LEFT")).toString(), QStringLiteral("1200"));
    p = readMainPosition(ini);
    EXPECT_EQ(p.top, 450);
    EXPECT_EQ(p.left, 1200);
}

TEST_F(SingleInstanceTest, SecondCopyIsRefusedUntilTheFirstEnds)
{
    auto first = acquireSingleInstance(farm.dir());
    ASSERT_TRUE(first);
    EXPECT_FALSE(acquireSingleInstance(farm.dir()));
    first.lock.reset();
    EXPECT_TRUE(acquireSingleInstance(farm.dir()));
}

TEST_F(MainWindowTest, ControlsAndCaptions)
{
    MainWindow w;
    EXPECT_EQ(w.objectName(), QStringLiteral("frmMain"));
    EXPECT_TRUE(w.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(w.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(w.minimumSize(), w.maximumSize());  // fixed size
    for (const char* name : {"Frame1", "Image1", "MyLabel2", "ML_TITLE"})
        EXPECT_TRUE(w.findChild<QWidget*>(QString::fromUtf8(name))) << name;
    // A screen reader says the caption (the exit button's spacing blanks read as one word);
    // automation finds the control name in the description.
    const struct {
        MenuEntry entry;
        const char* name;
        const char* caption;
        const char* heard;
    } buttons[] = {{MenuEntry::Animals, "Com_Button_0", "개체관리", "개체관리"},
                   {MenuEntry::MatingBook, "Com_Button_1", "교배기록부", "교배기록부"},
                   {MenuEntry::CalvingBook, "Com_Button_2", "분만기록부", "분만기록부"},
                   {MenuEntry::ShipmentBook, "Com_Button_3", "출하기록부", "출하기록부"},
                   {MenuEntry::ManureLedger, "Com_Button_4", "축산분뇨 관리대장", "축산분뇨 관리대장"},
                   {MenuEntry::FarmInfo, "Com_Button_5", "농장정보", "농장정보"},
                   {MenuEntry::DailyList, "Com_Button_6", "일일관리 대상조회", "일일관리 대상조회"},
                   {MenuEntry::Recovery, "Com_Button_7", "백업 및 복원", "백업 및 복원"},
                   {MenuEntry::Analysis, "Com_Button_8", "성적분석", "성적분석"},
                   {MenuEntry::MatingPlan, "Com_Button_9", "교배계획", "교배계획"},
                   {MenuEntry::Calendar, "Com_Button_10", "농장 달력", "농장 달력"},
                   {MenuEntry::Exit, "Com_Button_99", "종     료", "종료"}};
    for (const auto& b : buttons) {
        const QString name = QString::fromUtf8(b.name);
        auto* button = w.findChild<QAbstractButton*>(name);
        ASSERT_TRUE(button) << b.name;
        EXPECT_EQ(button->text(), QString::fromUtf8(b.caption));
        EXPECT_EQ(button->accessibleName(), QString::fromUtf8(b.heard));
        EXPECT_EQ(button->accessibleDescription(), name);
        EXPECT_EQ(w.menuButton(b.entry), button);
    }
    EXPECT_EQ(controlsHeardByControlName(&w), QStringList());
}

TEST_F(MainWindowTest, EveryMenuButtonFitsTheFrameBesideTheOthers)
{
    MainWindow w;
    w.show();
    QApplication::processEvents();
    const QWidget* frame = w.findChild<QWidget*>(QStringLiteral("Frame1"));
    ASSERT_TRUE(frame);
    const QList<QAbstractButton*> buttons = frame->findChildren<QAbstractButton*>();
    ASSERT_EQ(buttons.size(), 12);
    for (const QAbstractButton* b : buttons) {
        SCOPED_TRACE(b->objectName().toStdString());
        EXPECT_TRUE(frame->rect().contains(b->geometry()));
        EXPECT_GE(b->height(), 60);
        EXPECT_GE(b->width(), b->sizeHint().width());
        for (const QAbstractButton* other : buttons) {
            if (other == b) continue;
            EXPECT_FALSE(b->geometry().intersects(other->geometry())) << other->objectName().toStdString();
        }
    }
}

TEST_F(MainWindowTest, RestoresItsSavedPlaceAndANegativeOneOpensAtTheTopOrRightEdge)
{
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    MainWindow probe;
    ASSERT_LE(probe.width(), screen.width());
    ASSERT_LE(probe.height(), screen.height());
    const int flushRight = screen.right() - probe.width() + 1;
    // Tarvik.ini keeps twips, 15 to a pixel. A negative top opens at the top of the screen; a
    // negative left opens flush with the right edge.
    const struct {
        TwipsPosition saved;  // top, left
        QPoint at;
    } cases[] = {
        {{0, 0}, {0, 0}},         {{450, 1200}, {80, 30}},        {{15, 1515}, {101, 1}},
        {{-300, 1500}, {100, 0}}, {{600, -15}, {flushRight, 40}}, {{-300, -300}, {flushRight, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.saved.top << "/" << c.saved.left);
        writeMainPosition(settingsFilePath(), c.saved);
        MainWindow w;
        w.placeFromSettings();
        EXPECT_EQ(w.pos(), c.at);
        EXPECT_TRUE(screen.contains(w.frameGeometry()));
    }
}

TEST_F(MainWindowTest, TheNextStartOpensWhereTheLastRunEnded)
{
    const QPoint where(123, 45);
    {
        MainWindow w;
        w.move(where);
        w.show();
        farm.messages().answer(MsgButton::Yes);
        w.close();
        ASSERT_EQ(farm.exitCalls(), 1);
    }
    MainWindow next;
    next.placeFromSettings();
    EXPECT_EQ(next.pos(), where);
}

TEST_F(MainWindowTest, ExitQuestionNoKeepsRunningYesSavesAndEnds)
{
    MainWindow w;
    w.move(100, 60);
    w.show();

    farm.messages().answer(MsgButton::No);
    bool visibleWhileAsked = true;
    farm.messages().onShow = [&](const MessageSpec&) { visibleWhileAsked = w.isVisible(); };
    w.menuClicked(MenuEntry::Exit);
    EXPECT_FALSE(visibleWhileAsked);  // hidden first, then asked
    ASSERT_EQ(farm.messages().count(), 1);
    const MessageSpec q = farm.messages().last();
    EXPECT_EQ(q.text, QStringLiteral("프로그램을 종료하시겠습니까?"));
    EXPECT_EQ(q.title, QStringLiteral("한우암소관리 프로그램"));
    EXPECT_EQ(q.icon, MsgIcon::Question);
    EXPECT_EQ(q.buttons, MsgButton::Yes | MsgButton::No);
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(farm.exitCalls(), 0);
    EXPECT_FALSE(QFile::exists(settingsFilePath()));

    farm.messages().answer(MsgButton::Yes);
    w.close();
    EXPECT_EQ(farm.exitCalls(), 1);
    const TwipsPosition saved = readMainPosition(settingsFilePath());
    EXPECT_EQ(saved.left, w.x() * 15);
    EXPECT_EQ(saved.top, w.y() * 15);
}

TEST_F(MainWindowTest, MenuOpensWindowHidesAndComesBackWhenItCloses)
{
    MainWindow w;
    w.show();
    int created = 0;
    w.setOpener(MenuEntry::Animals, [&] {
        ++created;
        auto* child = new QWidget;
        child->setObjectName(QStringLiteral("frmSearch"));
        return child;
    });
    w.menuClicked(MenuEntry::Animals);
    ASSERT_TRUE(w.openWindow(MenuEntry::Animals));
    EXPECT_TRUE(w.openWindow(MenuEntry::Animals)->isVisible());
    EXPECT_FALSE(w.isVisible());
    w.menuClicked(MenuEntry::Animals);  // a single instance: reused
    EXPECT_EQ(created, 1);

    w.openWindow(MenuEntry::Animals)->close();  // deletes itself on close
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(w.openWindow(MenuEntry::Animals));
    EXPECT_TRUE(w.isVisible());

    // A button without a window in this build does nothing visible.
    w.menuClicked(MenuEntry::ShipmentBook);
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(farm.messages().count(), 0);
}
