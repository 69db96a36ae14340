// Writes a synthetic farm into a database file (created when missing), for demos,
// tests and benchmarks: tarvik-sample DB_FILE [ANIMALS] [INSEMINATIONS_PER_COW] [BREEDING_RECORDS]
#include "data/SampleFarm.h"
#include "data/Schema.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
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
    QStringList counts;
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
        // What the herd analysis and the books will find.
        for (const char* table : {"번식기록", "등급판정"}) {
            QSqlQuery q(db);
            if (err.isEmpty() && q.exec(QStringLiteral("select count(*) from ") + QString::fromUtf8(table)) && q.next())
                counts << QStringLiteral("%1 %2건").arg(QString::fromUtf8(table)).arg(q.value(0).toLongLong());
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("sample"));
    if (!err.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(err));
        return 1;
    }
    std::printf("sample farm written: %d animals (%s) into %s\n", o.animals,
                qPrintable(counts.join(QStringLiteral(", "))), qPrintable(path));
    return 0;
}
