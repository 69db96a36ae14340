// Tarvik: herd records of a Korean beef-cattle farm.
#include "app/DbMessages.h"
#include "app/MainWindow.h"
#include "app/Translation.h"
#include "app/Windows.h"
#include "app/model/ProgramDir.h"
#include "app/model/SingleInstance.h"

#include <QApplication>
#include <QLocale>
#include <QTimer>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Korean, QLocale::SouthKorea));
    installQtKoreanTexts();
    app.setApplicationName(QStringLiteral("한우암소관리"));
    // The program ends only from the main window's exit question.
    app.setQuitOnLastWindowClosed(false);

    // A second copy ends at once, silently.
    auto lock = acquireSingleInstance(programDir());
    if (!lock) return 0;

    MainWindow frmMain;
    registerWindows(frmMain);
    frmMain.placeFromSettings();
    frmMain.show();
    // The day's first copy of the records, once the window is up.
    QTimer::singleShot(0, &frmMain, [&frmMain] { backupAtStartOfDay(&frmMain); });
    return app.exec();
}
