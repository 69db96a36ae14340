#include "bench/bench_mating.h"

#include "bench/bench_util.h"
#include "data/Db.h"
#include "data/ProgramDir.h"
#include "data/Values.h"
#include "mating/model/MatingPlan.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QSqlError>
#include <QTemporaryDir>
#include <cstdio>

namespace {

// Bulls whose sires and maternal grandsires are older bulls of the catalogue (a tenth unknown,
// a twentieth of the values unknown); ancestors then cows, each by a catalogue bull out of an
// older animal of the herd, so cows and bulls share ancestors as a real herd's do. Every cow has
// a service, a third of them checked 가.
QString writeFarm(const QString& file, int cows, int bulls)
{
    const QString name = QStringLiteral("bench-mating");
    QString err = openBulkFill(file, name);
    if (!err.isEmpty()) return err;
    {
        QSqlDatabase db = QSqlDatabase::database(name, false);
        QSqlQuery bull(db), animal(db), service(db);
        bull.prepare(QStringLiteral(
            "insert into 씨수소 (KPN, 구분, 아비, 외조부, \"12개월령체중\", 도체중, 등심단면적, "
            "등지방두께, 근내지방도, 평가, 단가) values (?, '보증', ?, ?, ?, ?, ?, ?, ?, '2026-08', 50000)"));
        animal.prepare(
            QStringLiteral("insert into 개체관리 (개체번호, 구분, 구분2, 정액번호, 모번호, 우방번호, 판매일, 출하일) "
                           "values (?, 0, 0, ?, ?, ?, ?, 0)"));
        service.prepare(
            QStringLiteral("insert into 번식기록 (개체번호, 산차, 회수, 수정일, 정액번호, 판정일, 가부, "
                           "분만일, 성별) values (?, 1, 1, ?, ?, ?, ?, 0, -1)"));
        QRandomGenerator rng(20260801);
        auto pick = [&](int n) { return int(rng.bounded(n)); };
        auto value = [&](double mean, double spread) -> QVariant {
            if (pick(20) == 0) return QVariant(QMetaType::fromType<double>());
            return mean + spread * (rng.generateDouble() * 2 - 1);
        };
        auto kpnOf = [](int b) { return QString::number(1000 + b); };
        for (int b = 0; b < bulls; ++b) {
            const QString sire = b > 10 && pick(10) ? kpnOf(pick(b)) : QString();
            const QString mgs = b > 10 && pick(10) ? kpnOf(pick(b)) : QString();
            const QVariantList values = {kpnOf(b),      sire,        mgs,           value(10, 8),
                                         value(20, 15), value(3, 2), value(0, 1.5), value(0.5, 0.4)};
            for (int i = 0; i < values.size(); ++i) bull.bindValue(i, bindable(values[i]));
            if (!bull.exec()) return bull.lastError().text();
        }
        const int ancestors = cows * 2;
        for (int a = 0; a < ancestors + cows; ++a) {
            const bool cow = a >= ancestors;
            const QVariantList values = {
                QStringLiteral("KR%1").arg(a, 9, 10, QChar(u'0')), kpnOf(pick(bulls)),
                a > 50 ? QStringLiteral("KR%1").arg(a - 1 - pick(std::min(a, cows)), 9, 10, QChar(u'0')) : QString(),
                QStringLiteral("%1-%2").arg(1 + pick(9)).arg(1 + pick(20)), cow ? 0 : 20200101};
            for (int i = 0; i < values.size(); ++i) animal.bindValue(i, bindable(values[i]));
            if (!animal.exec()) return animal.lastError().text();
            if (!cow) continue;
            const bool checked = pick(3) == 0;
            const QVariantList s = {values[0], 20250301 + pick(28), kpnOf(pick(bulls)), checked ? 20250501 : 0,
                                    checked ? 0 : -1};
            for (int i = 0; i < s.size(); ++i) service.bindValue(i, bindable(s[i]));
            if (!service.exec()) return service.lastError().text();
        }
        if (!db.commit()) err = db.lastError().text();
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return err;
}

}  // namespace

void benchMating(int cows, int bulls)
{
    QTemporaryDir dir;
    setProgramDir(dir.path());
    const QString err = writeFarm(databaseFilePath(), cows, bulls);
    if (!err.isEmpty() || !DBOpen()) {
        std::printf("mating cows=%d bulls=%d error=%s\n", cows, bulls,
                    qPrintable(err.isEmpty() ? QStringLiteral("no database") : err));
        setProgramDir(QString());
        return;
    }
    mating::StrawsLeft straws;
    for (int b = 0; b < bulls; b += 2) straws[QString::number(1000 + b)] = 10;
    double total = 1e18, plan = 1e18;
    std::vector<mating::CowPlan> plans;
    for (int round = 0; round < 3; ++round) {
        QElapsedTimer t;
        t.start();
        const mating::MatingData data = mating::loadMatingData();
        const qint64 read = t.nsecsElapsed();
        plans = mating::planMatings(data, straws);
        const qint64 all = t.nsecsElapsed();
        total = std::min(total, all / 1e6);
        plan = std::min(plan, (all - read) / 1e6);
    }
    size_t picks = 0;
    for (const mating::CowPlan& p : plans) picks += p.picks.size();
    std::printf("mating cows=%zu bulls=%d total_ms=%.0f plan_ms=%.0f picks=%zu\n", plans.size(), bulls, total, plan,
                picks);
    std::fflush(stdout);
    DBClose();
    setProgramDir(QString());
}
