// A saved position off every screen (a bigger or a second monitor that is gone, or garbage in
// Tarvik.ini) never makes the program invisible.
#include "app/MainWindow.h"
#include "app/model/MainPosition.h"
#include "data/ProgramDir.h"
#include "support/TestFarm.h"

#include <gtest/gtest.h>
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>

TEST(KeptOnScreen, MovesTheLeastWayOntoTheScreenItOverlapsMost)
{
    const QRect primary(0, 0, 1920, 1040), second(1920, 0, 1280, 1024);
    const QSize win(640, 440);
    struct Case {
        const char* what;
        QPoint saved;
        QList<QRect> areas;
        QPoint expected;
    } cases[] = {
        {"inside stays", {100, 60}, {primary}, {100, 60}},
        {"flush with the corner stays", {1280, 600}, {primary}, {1280, 600}},
        {"30000/30000 twips", {2000, 2000}, {primary}, {1280, 600}},
        {"partly off the right edge", {1500, 100}, {primary}, {1280, 100}},
        {"partly off the bottom edge", {100, 900}, {primary}, {100, 600}},
        {"above and left of the screen", {-5000, -5000}, {primary}, {0, 0}},
        {"on the second monitor stays", {2000, 100}, {primary, second}, {2000, 100}},
        {"second monitor gone", {2000, 100}, {primary}, {1280, 100}},
        {"mostly on the second monitor", {3000, 900}, {primary, second}, {2560, 584}},
        {"far off every monitor: the primary", {90000, 90000}, {primary, second}, {1280, 600}},
        {"no screen known: unchanged", {2000, 2000}, {}, {2000, 2000}},
    };
    for (const Case& c : cases) EXPECT_EQ(keptOnScreen(QRect(c.saved, win), c.areas), c.expected) << c.what;

    // A panel at the top: the available area starts below it.
    EXPECT_EQ(keptOnScreen(QRect(QPoint(10, 0), win), {QRect(0, 32, 1920, 1048)}), QPoint(10, 32));
    // A window bigger than the screen shows its top-left corner.
    EXPECT_EQ(keptOnScreen(QRect(50, 50, 1000, 700), {QRect(0, 0, 800, 600)}), QPoint(0, 0));
}

TEST(MainWindowPosition, AFarOffOrGarbagePositionOpensOnScreenAndIsWrittenBack)
{
    const struct {
        QString top, left;
    } saved[] = {
        {QStringLiteral("30000"), QStringLiteral("30000")},
        {QStringLiteral("2000000000"), QStringLiteral("1500000")},
        {QStringLiteral("99999999999"), QStringLiteral("x")},  // not a number: 0
    };
    for (const auto& s : saved) {
        TestFarm farm;
        {
            QSettings ini(settingsFilePath(), QSettings::IniFormat);
            ini.setValue(QStringLiteral("FRMMAIN/TOP"), s.top);
            ini.setValue(QStringLiteral("FRMMAIN/LEFT"), s.left);
        }
        MainWindow w;
        w.placeFromSettings();
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        EXPECT_TRUE(screen.contains(w.frameGeometry())) << s.top.toStdString() << "/" << s.left.toStdString();
        const TwipsPosition written = readMainPosition(settingsFilePath());
        EXPECT_EQ(written.top, w.y() * 15);
        EXPECT_EQ(written.left, w.x() * 15);
    }
}

TEST(MainWindowPosition, AnOnScreenPositionIsNeitherMovedNorRewritten)
{
    TestFarm farm;
    writeMainPosition(settingsFilePath(), {450, 1200});
    MainWindow w;
    w.placeFromSettings();
    EXPECT_EQ(w.pos(), QPoint(80, 30));
    QSettings ini(settingsFilePath(), QSettings::IniFormat);
    EXPECT_EQ(ini.value(QStringLiteral("FRMMAIN/TOP")).toString(), QStringLiteral("450"));
}
