// Writes a synthetic farm into a database file (created when missing), for demos,
// tests and benchmarks: tarvik-sample DB_FILE [ANIMALS] [INSEMINATIONS_PER_COW] [BREEDING_RECORDS]
#include "data/SampleFarm.h"
#include "data/Schema.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: tarvik-sample DB_FILE [ANIMALS] [INSEMINATIONS_PER_COW] [BREEDING_RECORDS]\n");
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    QString err = createDatabaseFileIfMissing(path);
    if (!err.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(err));
        return 1;
    }
    SampleFarmOptions o;
    if (argc > 2) o.animals = QString::fromLocal8Bit(argv[2]).toInt();
    if (argc > 3) o.breedingPerCow = QString::fromLocal8Bit(argv[3]).toInt();
    if (argc > 4) o.breedingRecords = QString::fromLocal8Bit(argv[4]).toInt();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("sample"));
        db.setDatabaseName(path);
        if (!db.open()) {
            std::fprintf(stderr, "%s\n", qPrintable(db.lastError().text()));
            return 1;
        }
        QSqlQuery(db).exec(
            QStringLiteral("update 농장정보 set 등록번호 = '35-123-4567', 사업장명칭 = '햇살한우농장', "
                           "성명 = '홍길동', 소재지 = '전라북도 정읍시'"));
        err = writeSampleFarm(db, o);
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("sample"));
    if (!err.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(err));
        return 1;
    }
    std::printf("sample farm written: %d animals into %s\n", o.animals, qPrintable(path));
    return 0;
}
