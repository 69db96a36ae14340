// The sample farm is a farm that could exist: every record lies within its animal's life on the
// farm, gradings at a slaughter age, services and calvings at a cow's ages and a cow's pace.
#include "data/Db.h"
#include "data/SampleFarm.h"
#include "data/Values.h"
#include "support/TestFarm.h"

#include <gtest/gtest.h>
#include <QMap>
#include <QSqlQuery>

namespace {

struct Animal {
    bool bull = false;
    QDate birth, arrival, soldOrCastrated, planned, shipped;
    QDate left() const { return bull ? shipped : soldOrCastrated; }  // invalid while on the farm
};

struct Service {
    QDate on, checked, calved;
    bool calf = false;  // a calving, not a lost pregnancy
};

QDate dateOf(const QVariant& v)
{
    return datenum::toDate(v.toLongLong());
}

class SampleFarmTest : public FarmTest {
protected:
    void SetUp() override { ASSERT_TRUE(farm.open()); }

    // Everything impossible on the farm, one sentence each.
    QStringList impossibilities(const QDate& today)
    {
        QStringList out;
        QMap<QString, Animal> animals;
        for (QSqlQuery q = runQuery(QStringLiteral("select * from 개체관리")); q.next();) {
            Animal a;
            a.bull = q.value(1).toInt() == 1;
            a.birth = dateOf(q.value(3));
            a.arrival = dateOf(q.value(7));
            a.soldOrCastrated = dateOf(q.value(13));
            a.planned = dateOf(q.value(16));
            a.shipped = dateOf(q.value(17));
            const QString n = q.value(0).toString();
            animals.insert(n, a);
            if (!a.birth.isValid() || a.birth > today) out << n + QStringLiteral(": no birth, or born after today");
            for (const QDate& d : {a.arrival, a.soldOrCastrated, a.shipped})
                if (d.isValid() && (d < a.birth || d > today))
                    out << n + QStringLiteral(": a date of the animal outside its life: ") + d.toString(Qt::ISODate);
            if (a.bull && a.soldOrCastrated.isValid() && a.shipped.isValid() && a.soldOrCastrated > a.shipped)
                out << n + QStringLiteral(": castrated after shipment");
            if (a.planned.isValid() && a.planned <= a.birth)
                out << n + QStringLiteral(": shipment planned before birth");
        }
        // Every dated record within the animal's life on the farm.
        const struct {
            const char* table;
            const char* date;
        } dated[] = {{"번식기록", "수정일"}, {"번식기록", "판정일"}, {"번식기록", "분만일"}, {"초음파측정", "측정일"},
                     {"체척", "측정일"},     {"백신접종", "날짜"},   {"등급판정", "판정일"}};
        for (const auto& d : dated) {
            const QString what = QString::fromUtf8(d.table) + u'.' + QString::fromUtf8(d.date);
            for (QSqlQuery q = runQuery(QStringLiteral("select 개체번호, %1 from %2 where %1 > 0")
                                            .arg(QString::fromUtf8(d.date), QString::fromUtf8(d.table)));
                 q.next();) {
                const QString n = q.value(0).toString();
                const QDate on = dateOf(q.value(1));
                const Animal a = animals.value(n);
                if (!animals.contains(n))
                    out << what + QStringLiteral(" of an animal not registered: ") + n;
                else if (!on.isValid() || on < a.birth || on > today || (a.left().isValid() && on > a.left()))
                    out << QStringLiteral("%1 %2 of %3 outside its life (born %4, left %5)")
                               .arg(what, on.toString(Qt::ISODate), n, a.birth.toString(Qt::ISODate),
                                    a.left().toString(Qt::ISODate));
            }
        }
        // A grading at the day the animal left, at a slaughter age.
        QMap<QString, int> graded;
        for (QSqlQuery q = runQuery(QStringLiteral("select 개체번호, 판정일 from 등급판정")); q.next();) {
            const QString n = q.value(0).toString();
            const Animal a = animals.value(n);
            const QDate on = dateOf(q.value(1));
            if (++graded[n] > 1) out << n + QStringLiteral(": graded twice");
            if (on != a.left()) out << n + QStringLiteral(": graded on another day than it left");
            const int months = ageInMonths(a.birth, on);
            if (a.bull ? months < 24 || months > 36 : months < 30 || months > 160)
                out << QStringLiteral("%1 (%2) graded at %3 months").arg(n, a.bull ? "수" : "암").arg(months);
        }
        // Services and calvings at a cow's ages and pace.
        QMap<QString, QList<Service>> services;
        for (QSqlQuery q = runQuery(QStringLiteral("select 개체번호, 수정일, 판정일, 분만일, 송아지번호 from 번식기록 "
                                                   "order by 개체번호, 수정일"));
             q.next();) {
            services[q.value(0).toString()] << Service{dateOf(q.value(1)), dateOf(q.value(2)), dateOf(q.value(3)),
                                                       !q.value(4).toString().isEmpty()};
        }
        for (auto it = services.cbegin(); it != services.cend(); ++it) {
            const QString& n = it.key();
            const Animal a = animals.value(n);
            if (a.bull) out << n + QStringLiteral(": a bull with breeding records");
            QDate lastCalving;
            for (qsizetype i = 0; i < it->size(); ++i) {
                const Service& s = it->at(i);
                const QDate next = i + 1 < it->size() ? it->at(i + 1).on : QDate();
                const QString at = QStringLiteral("%1 served %2: ").arg(n, s.on.toString(Qt::ISODate));
                if (ageInMonths(a.birth, s.on) < 13) out << at + QStringLiteral("younger than 13 months");
                if (next.isValid() && s.on.daysTo(next) < 18) out << at + QStringLiteral("served again within 18 days");
                if (s.checked.isValid() && (s.checked <= s.on || (next.isValid() && s.checked > next)))
                    out << at + QStringLiteral("checked out of turn");
                if (!s.calf) continue;
                if (s.on.daysTo(s.calved) < 270 || s.on.daysTo(s.calved) > 295)
                    out << at + QStringLiteral("calved %1 days on").arg(s.on.daysTo(s.calved));
                if (ageInMonths(a.birth, s.calved) < 22)
                    out << at + QStringLiteral("calved at %1 months").arg(ageInMonths(a.birth, s.calved));
                if (lastCalving.isValid() && lastCalving.daysTo(s.calved) < 300)
                    out << at + QStringLiteral("calved %1 days after her last calving")
                                    .arg(lastCalving.daysTo(s.calved));
                if (next.isValid() && s.calved.daysTo(next) < 40)
                    out << at + QStringLiteral("served %1 days after calving").arg(s.calved.daysTo(next));
                lastCalving = s.calved;
            }
        }
        return out;
    }
};

}  // namespace

TEST_F(SampleFarmTest, EveryRecordOfEverySampleFarmIsOneAFarmCanHave)
{
    const struct Case {
        const char* what;
        SampleFarmOptions options;
    } cases[] = {
        {"the default farm", {200, 6, 0, QDate(2026, 12, 10), 20091208}},
        {"another seed and day", {300, 6, 0, QDate(2009, 12, 8), 7}},
        {"many services per cow", {120, 20, 0, QDate(2026, 3, 1), 3}},
        {"a farm filled to a number of breeding records", {10, 6, 1500, QDate(2009, 12, 8), 11}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (const char* table : {"개체관리", "번식기록", "초음파측정", "체척", "백신접종", "등급판정",
                                  "축산분뇨관리대장", "씨수소", "정액재고"})
            farm.exec(QStringLiteral("delete from ") + QString::fromUtf8(table));
        ASSERT_EQ(writeSampleFarm(gConn, c.options), QString());
        // Something of each kind to check.
        EXPECT_GT(farm.count(QStringLiteral("등급판정")), 5);
        EXPECT_GT(farm.count(QStringLiteral("번식기록"), QStringLiteral("송아지번호 <> ''")), 5);
        EXPECT_GT(farm.count(QStringLiteral("개체관리"), QStringLiteral("구분 = 1 and 출하일 = 0")), 0);
        const QStringList wrong = impossibilities(c.options.today);
        EXPECT_TRUE(wrong.isEmpty()) << wrong.size() << " impossible records, the first:\n"
                                     << wrong.mid(0, 15).join(u'\n').toStdString();
    }
}

TEST_F(SampleFarmTest, TheCatalogueHoldsTheHerdsSiresInPedigreesOfSeveralGenerations)
{
    SampleFarmOptions o;
    o.today = QDate(2026, 12, 10);
    ASSERT_EQ(writeSampleFarm(gConn, o), QString());
    const int bulls = farm.count(QStringLiteral("씨수소"));
    EXPECT_GE(bulls, 35);
    EXPECT_LE(bulls, 45);
    // Every sire of the herd and every link of the catalogue is a catalogue bull.
    EXPECT_EQ(farm.count(QStringLiteral("개체관리"), QStringLiteral("정액번호 not in (select KPN from 씨수소)")), 0);
    EXPECT_EQ(farm.count(QStringLiteral("번식기록"), QStringLiteral("정액번호 not in (select KPN from 씨수소)")), 0);
    EXPECT_EQ(farm.count(QStringLiteral("씨수소"),
                         QStringLiteral("(아비 <> '' and 아비 not in (select KPN from 씨수소)) or "
                                        "(외조부 <> '' and 외조부 not in (select KPN from 씨수소))")),
              0);
    EXPECT_EQ(farm.count(QStringLiteral("씨수소"), QStringLiteral("아비 = KPN or 외조부 = KPN")), 0);
    // Three generations: a bull whose sire has a sire; half brothers; a line-bred bull.
    EXPECT_GT(farm.count(QStringLiteral("씨수소"), QStringLiteral("아비 in (select KPN from 씨수소 where 아비 <> '')")),
              0);
    EXPECT_GT(farm.scalar(QStringLiteral("select count(*) from (select 아비 from 씨수소 where 아비 <> '' "
                                         "group by 아비 having count(*) > 1)"))
                  .toInt(),
              0);
    EXPECT_GT(farm.count(QStringLiteral("씨수소"), QStringLiteral("아비 <> '' and 아비 = 외조부")), 0);
    // Breeding values within a catalogue's spread, some unknown, never 0 for unknown.
    EXPECT_EQ(farm.count(QStringLiteral("씨수소"), QStringLiteral("도체중 < -100 or 도체중 > 150 or "
                                                                  "근내지방도 < -5 or 근내지방도 > 5 or "
                                                                  "등지방두께 < -10 or 등지방두께 > 10")),
              0);
    EXPECT_GT(farm.count(QStringLiteral("씨수소"), QStringLiteral("도체중 is null")), 0);
    EXPECT_GT(farm.count(QStringLiteral("씨수소"), QStringLiteral("구분 = '후보'")), 0);
    // The tank: receipts and a discard, and no bull below 0 straws.
    EXPECT_GT(farm.count(QStringLiteral("정액재고"), QStringLiteral("종류 = '입고'")), 0);
    EXPECT_EQ(farm.count(QStringLiteral("정액재고"), QStringLiteral("종류 = '폐기' and 수량 < 0")), 1);
    EXPECT_EQ(
        farm.scalar(QStringLiteral("select count(*) from (select KPN, min(일자) as first, sum(수량) as straws "
                                   "from 정액재고 group by KPN) s where straws < (select count(*) from 번식기록 b "
                                   "where b.정액번호 = s.KPN and b.수정일 >= s.first)")),
        QStringLiteral("0"));
    // Dams of the herd: a calf's dam is an older cow of the farm.
    EXPECT_GT(farm.scalar(QStringLiteral("select count(*) from 개체관리 a where a.모번호 in (select 개체번호 from "
                                         "개체관리 where 구분 = 0 and 개체생일 < a.개체생일)"))
                  .toInt(),
              20);
    // A second sample into the same farm keeps its catalogue.
    for (const char* table : {"개체관리", "번식기록", "초음파측정", "체척", "백신접종", "등급판정", "축산분뇨관리대장"})
        farm.exec(QStringLiteral("delete from ") + QString::fromUtf8(table));
    const int tank = farm.count(QStringLiteral("정액재고"));
    ASSERT_EQ(writeSampleFarm(gConn, o), QString());
    EXPECT_EQ(farm.count(QStringLiteral("씨수소")), bulls);
    EXPECT_EQ(farm.count(QStringLiteral("정액재고")), tank);
}
