// Tarvik: herd records of a Korean beef-cattle farm.
#include "app/MainWindow.h"
#include "app/Windows.h"
#include "backup/model/FirstStart.h"
#include "data/Clock.h"
#include "data/ProgramDir.h"
#include "data/SingleInstance.h"
#include "kit/DbMessages.h"
#include "kit/Messages.h"
#include "kit/Translation.h"
#include "recovery/RecoveryStart.h"

#include <QApplication>
#include <QLocale>
#include <QTimer>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Korean, QLocale::SouthKorea));
    installQtKoreanTexts();
    app.setApplicationName(QStringLiteral("한우암소관리"));
    // Ties the windows to the installed menu entry (tarvik.desktop) and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("tarvik"));
    // The program ends only from the main window's exit question.
    app.setQuitOnLastWindowClosed(false);

    // An installed copy's first start gives the user a database of their own; a failure shows
    // later as the missing database when a window opens it.
    const QString setup = prepareProgramFolders(currentProgramFolders());
    if (!setup.isEmpty()) qWarning("%s", qPrintable(setup));

    // A second copy ends at once, silently; a start that cannot be guarded says why.
    const StartLock lock = acquireSingleInstance(programDir());
    if (lock.outcome == StartLock::Outcome::Refused)
        showMessage(nullptr, MsgIcon::Critical, app.applicationName(), lock.refusal);
    if (!lock) return 0;

    // The database messages can lead to the recovery window; the start looks at the database
    // before the menu and skips the day's backup of anything that is no farm.
    setRecoveryOpener(openRecoveryWindow);
    const bool dayBackup = checkDatabaseAtStart(nullptr, QDateTime(today(), QTime::currentTime()));

    MainWindow menu;
    registerWindows(menu);
    menu.placeFromSettings();
    menu.show();
    // The day's first copy of the records, once the window is up.
    if (dayBackup) QTimer::singleShot(0, &menu, [&menu] { backupAtStartOfDay(&menu); });
    return app.exec();
}
