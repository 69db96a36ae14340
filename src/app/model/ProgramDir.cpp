#include "app/model/ProgramDir.h"

#include <QCoreApplication>
#include <QDir>

namespace {
QString gOverride;
}

QString programDir()
{
    if (!gOverride.isEmpty()) return gOverride;
    const QString env = qEnvironmentVariable("TARVIK_HOME");
    if (!env.isEmpty()) return QDir(env).absolutePath();
    return QCoreApplication::applicationDirPath();
}

void setProgramDir(const QString& dir)
{
    gOverride = dir.isEmpty() ? QString() : QDir(dir).absolutePath();
}

QString settingsFilePath()
{
    return programDir() + QStringLiteral("/Tarvik.ini");
}
QString reportDir()
{
    return programDir() + QStringLiteral("/rpt");
}
QString databaseFilePath()
{
    return programDir() + QStringLiteral("/db/TARVIK.db");
}
