// Lays out the database of a program folder: creates db/TARVIK.db with every table and
// the farm row when no database exists; an existing database is never touched, except that
// the folder, the file and its journals lose any group or other access. A missing database
// with backups in db/backup is lost records, not a new farm: nothing is created, and the
// program's start offers the backups.
#include "backup/model/Backup.h"
#include "data/FileModes.h"
#include "data/Schema.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: tarvik-setup PROGRAM_FOLDER\n");
        return 2;
    }
    const QString path = QDir(QString::fromLocal8Bit(argv[1])).absoluteFilePath(QStringLiteral("db/TARVIK.db"));
    if (QFileInfo::exists(path)) {
        restrictDatabaseAccess(path);
        std::printf("database kept: %s\n", qPrintable(path));
        return 0;
    }
    if (missingWithBackups(path)) {
        std::printf(
            "database not created: %s is missing but backups exist in %s;\n"
            "start the program to restore one (or run tarvik-restore / scripts/restore.sh)\n",
            qPrintable(path), qPrintable(backupDirOf(path)));
        return 0;
    }
    const QString err = createDatabaseFileIfMissing(path);
    if (!err.isEmpty()) {
        std::fprintf(stderr, "cannot create %s: %s\n", qPrintable(path), qPrintable(err));
        return 1;
    }
    std::printf("database created: %s\n", qPrintable(path));
    return 0;
}
