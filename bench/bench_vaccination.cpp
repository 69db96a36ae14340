#include "bench/bench_vaccination.h"

#include "bench/bench_util.h"
#include "calendar/model/CalendarItems.h"
#include "data/Db.h"
#include "data/ProgramDir.h"
#include "data/Values.h"
#include "vaccination/model/DueList.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <cstdio>

namespace {

const QDate kVaccinationToday(2026, 4, 10);
constexpr int kAnimals = 10000;
constexpr int kTreatmentsPerAnimal = 10;

// Every animal with six foot-and-mouth doses about six months apart under the names farms
// write, and four other treatments between them.
QString writeVaccinationFarm(const QString& file)
{
    const QString name = QStringLiteral("bench-vaccination");
    QString err = openBulkFill(file, name);
    if (!err.isEmpty()) return err;
    {
        QSqlDatabase db = QSqlDatabase::database(name, false);
        QSqlQuery animal(db), treatment(db);
        animal.prepare(
            QStringLiteral("insert into 개체관리 (개체번호, 구분, 구분2, 개체생일, 우방번호) values (?, ?, 0, ?, ?)"));
        treatment.prepare(
            QStringLiteral("insert into 백신접종 (개체번호, 날짜, 증상, 처치, 만료일) values (?, ?, '', ?, ?)"));
        const QStringList doses = {"구제역 백신", "구제역 백신(O+A)", "FMD 2ml", "fmd"};
        const QStringList others = {"지사제", "항생제 주사", "구충제", "비타민"};
        for (int a = 0; a < kAnimals; ++a) {
            const QString number = QStringLiteral("KR%1").arg(4100000000LL + qint64(a) * 7, 12, 10, QChar(u'0'));
            const QDate born = kVaccinationToday.addDays(-(1200 + a % 900));
            animal.addBindValue(number);
            animal.addBindValue(a % 3 == 0 ? 1 : 0);
            animal.addBindValue(datenum::fromDate(born));
            animal.addBindValue(QStringLiteral("%1-%2").arg(1 + a % 9).arg(1 + a % 20));
            if (!animal.exec()) return animal.lastError().text();
            for (int k = 0; k < kTreatmentsPerAnimal; ++k) {
                const bool dose = k % 5 < 3;
                // The latest dose 0 to 199 days ago: about a tenth of the herd is due within 14 days.
                const QDate on = kVaccinationToday.addDays(-(k * 90 + a % 200));
                treatment.addBindValue(number);
                treatment.addBindValue(datenum::fromDate(on));
                treatment.addBindValue(dose ? doses[(a + k) % doses.size()] : others[(a + k) % others.size()]);
                treatment.addBindValue(datenum::fromDate(on.addDays(dose ? 0 : 14)));
                if (!treatment.exec()) return treatment.lastError().text();
            }
        }
        if (!db.commit()) err = db.lastError().text();
        QSqlQuery(db).exec(QStringLiteral("ANALYZE"));
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return err;
}

// The rows the list reads, read to the end and nothing done with them.
qint64 bareReads()
{
    qint64 n = 0;
    for (const char* sql : {"select 개체번호, 우방번호, 구분, 개체생일, 판매일, 출하예정일, 출하일 from 개체관리",
                            "select 개체번호, 날짜, 처치 from 백신접종"})
        for (QSqlQuery q = runQuery(QString::fromUtf8(sql)); q.next();) n += q.value(0).toString().size();
    return n;
}

}  // namespace

void benchVaccination()
{
    QTemporaryDir dir;
    const QString err = writeVaccinationFarm(dir.path() + QStringLiteral("/db/TARVIK.db"));
    if (!err.isEmpty()) {
        std::fprintf(stderr, "vaccination: cannot write the farm: %s\n", qPrintable(err));
        return;
    }
    setProgramDir(dir.path());
    if (DBOpen()) {
        qsizetype rows = 0, items = 0;
        const double list = bestMs(5, [&] { rows = vaccination::loadDueList(kVaccinationToday).size(); });
        const double read = bestMs(5, [] { vaccination::loadHerdRecords(); });
        const double calendar = bestMs(5, [&] { items = calendar::phoneCalendarItems(kVaccinationToday).size(); });
        const double bare = bestMs(5, [] { bareReads(); });
        std::printf(
            "vaccination treatments=%d list_ms=%.1f read_ms=%.1f rows=%lld calendar_ms=%.1f items=%lld "
            "bare_ms=%.1f ratio=%.2f\n",
            kAnimals * kTreatmentsPerAnimal, list, read, static_cast<long long>(rows), calendar,
            static_cast<long long>(items), bare, bare > 0 ? list / bare : 0.0);
        std::fflush(stdout);
        DBClose();
    }
    setProgramDir(QString());
}
