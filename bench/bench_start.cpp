#include "bench/bench_start.h"

#include "app/MainWindow.h"
#include "app/Windows.h"
#include "backup/model/Backup.h"
#include "bench/bench_util.h"
#include "data/Db.h"
#include "data/ProgramDir.h"
#include "recovery/RecoveryStart.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

namespace {

constexpr int kAnimals = 150000;  // with a 100-character 개체특징 each: about 50 MB
constexpr int kBackups = 30;
constexpr int kRuns = 3;

bool fillFarm(const QString& file)
{
    const QString name = QStringLiteral("bench-start");
    const QString err = openBulkFill(file, name);
    if (!err.isEmpty()) {
        std::fprintf(stderr, "start: %s\n", qPrintable(err));
        return false;
    }
    {
        QSqlDatabase db = QSqlDatabase::database(name);
        QSqlQuery q(db);
        q.prepare(QStringLiteral(
            "insert into 개체관리(개체번호, 구분, 개체생일, 구분2, 개체특징) values(?, 0, 20180101, 0, ?)"));
        const QString text(100, u'가');
        for (int i = 0; i < kAnimals; ++i) {
            q.addBindValue(QStringLiteral("0020%1").arg(i, 8, 10, QChar(u'0')));
            q.addBindValue(text);
            q.exec();
        }
        db.commit();
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return true;
}

// The start as main() runs it after the lock: the look at the database, the opening and the menu.
double startMs(const QDateTime& now)
{
    double best = 1e18;
    for (int run = 0; run < kRuns; ++run) {
        DBClose();
        QElapsedTimer t;
        t.start();
        checkDatabaseAtStart(nullptr, now);
        DBOpen();
        {
            MainWindow menu;
            registerWindows(menu);
            menu.placeFromSettings();
        }
        best = std::min(best, double(t.nsecsElapsed()) / 1e6);
    }
    DBClose();
    return best;
}

}  // namespace

void benchStart()
{
    QTemporaryDir dir;
    setProgramDir(dir.path());
    const QString file = databaseFilePath();
    if (!fillFarm(file)) return;
    const QDateTime now = QDateTime::currentDateTime();
    const double none = startMs(now);

    // One backup written as the program writes it, the rest copies of it under older names.
    const BackupResult first = writeBackup(file, now.addDays(-1));
    if (!first.ok) {
        std::fprintf(stderr, "start: %s\n", qPrintable(first.error));
        return;
    }
    for (int i = 2; i <= kBackups; ++i)
        QFile::copy(first.file, backupDirOf(file) + u'/' + backupFileName(now.addDays(-i)));
    const double with = startMs(now);
    std::printf("start backups=%d total_ms=%.0f none_ms=%.0f ratio=%.2f farm_mb=%.1f\n", kBackups, with, none,
                none > 0 ? with / none : 0.0, double(QFile(file).size()) / (1024.0 * 1024.0));
    std::fflush(stdout);
}
