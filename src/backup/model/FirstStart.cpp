#include "backup/model/FirstStart.h"

#include "backup/model/Backup.h"
#include "data/FileModes.h"
#include "data/Schema.h"

#include <QFileInfo>

QString prepareProgramFolders(const ProgramFolders& folders)
{
    // Access others were given goes before anything reads the records (the day's backup).
    const QString existing = databaseFileIn(folders.dataDir);
    if (QFileInfo(QFileInfo(existing).absolutePath()).isDir()) restrictDatabaseAccess(existing);
    if (folders.layout != FolderLayout::Installed) return QString();
    if (!makePrivateDir(folders.dataDir)) return QStringLiteral("cannot create ") + folders.dataDir;
    const QString configDir = QFileInfo(folders.settingsFile).absolutePath();
    if (!makePrivateDir(configDir)) return QStringLiteral("cannot create ") + configDir;
    // Lost records are not a first start: a new empty farm would hide them.
    const QString database = databaseFileIn(folders.dataDir);
    if (missingWithBackups(database)) return QString();
    return createDatabaseFileIfMissing(database);
}
