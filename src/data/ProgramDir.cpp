#include "data/ProgramDir.h"

#include "data/FileModes.h"
#include "data/Schema.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {
QString gOverride;

ProgramFolders portableFolders(const QString& dir)
{
    ProgramFolders f;
    f.layout = FolderLayout::Portable;
    f.dataDir = dir;
    f.settingsFile = dir + QStringLiteral("/Tarvik.ini");
    f.reportDir = dir + QStringLiteral("/rpt");
    return f;
}

// An XDG base folder: the variable when it is an absolute path (a relative one is to be
// ignored), else the fallback below home.
QString xdgBase(const QString& variable, const QString& home, const char* fallback)
{
    if (!variable.isEmpty() && QDir::isAbsolutePath(variable)) return QDir::cleanPath(variable);
    return QDir::cleanPath(home + u'/' + QLatin1String(fallback));
}
}  // namespace

QString databaseFileIn(const QString& dir)
{
    return dir + QStringLiteral("/db/TARVIK.db");
}

ProgramFolders chooseProgramFolders(const FolderEnvironment& env)
{
    if (!env.tarvikHome.isEmpty()) return portableFolders(QDir(env.tarvikHome).absolutePath());
    const QString exeDir = QDir::cleanPath(env.executableDir);
    if (QFileInfo(exeDir + QStringLiteral("/db")).isDir()) return portableFolders(exeDir);
    const QString share = QDir::cleanPath(exeDir + QStringLiteral("/../share/") + QLatin1String(kInstalledName));
    if (!QFileInfo(share + QStringLiteral("/rpt")).isDir()) return portableFolders(exeDir);

    ProgramFolders f;
    f.layout = FolderLayout::Installed;
    f.dataDir = xdgBase(env.xdgDataHome, env.home, ".local/share") + u'/' + QLatin1String(kInstalledName);
    f.settingsFile = xdgBase(env.xdgConfigHome, env.home, ".config") + u'/' + QLatin1String(kInstalledName) +
                     QStringLiteral("/Tarvik.ini");
    f.reportDir = share + QStringLiteral("/rpt");
    f.userReportDir = f.dataDir + QStringLiteral("/rpt");
    return f;
}

FolderEnvironment currentFolderEnvironment()
{
    FolderEnvironment env;
    env.executableDir = QCoreApplication::applicationDirPath();
    env.tarvikHome = qEnvironmentVariable("TARVIK_HOME");
    env.xdgDataHome = qEnvironmentVariable("XDG_DATA_HOME");
    env.xdgConfigHome = qEnvironmentVariable("XDG_CONFIG_HOME");
    env.home = QDir::homePath();
    return env;
}

ProgramFolders currentProgramFolders()
{
    if (!gOverride.isEmpty()) return portableFolders(gOverride);
    return chooseProgramFolders(currentFolderEnvironment());
}

QString programDir()
{
    return currentProgramFolders().dataDir;
}

void setProgramDir(const QString& dir)
{
    gOverride = dir.isEmpty() ? QString() : QDir(dir).absolutePath();
}

QString settingsFilePath()
{
    return currentProgramFolders().settingsFile;
}

QString reportDir()
{
    return currentProgramFolders().reportDir;
}

QString databaseFilePath()
{
    return databaseFileIn(programDir());
}

QString reportFilePath(const ProgramFolders& folders, const QString& file)
{
    if (!folders.userReportDir.isEmpty()) {
        const QString own = folders.userReportDir + u'/' + file;
        if (QFileInfo(own).isFile()) return own;
    }
    return folders.reportDir + u'/' + file;
}

QString reportFilePath(const QString& file)
{
    return reportFilePath(currentProgramFolders(), file);
}
