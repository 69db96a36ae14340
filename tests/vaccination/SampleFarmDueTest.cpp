// The sample farm shows the list at work: on its day there are calves due their first dose,
// animals due their booster and overdue animals, and none of the sold or shipped.
#include "data/Db.h"
#include "data/SampleFarm.h"
#include "support/TestFarm.h"
#include "vaccination/model/DueList.h"

#include <gtest/gtest.h>
#include <QSet>

using namespace vaccination;

TEST(SampleFarmDue, TheSampleDayHasFirstDosesBoostersAndOverdueAnimals)
{
    TestFarm farm;
    ASSERT_TRUE(farm.open());
    SampleFarmOptions o;
    o.today = QDate(2026, 12, 10);
    ASSERT_EQ(writeSampleFarm(gConn, o), QString());
    const QList<DueRow> rows = loadDueList(o.today);

    int firstDoses = 0, boosters = 0, regular = 0, overdue = 0, youngCalves = 0;
    for (const DueRow& r : rows) {
        firstDoses += r.kind == DoseKind::First;
        boosters += r.kind == DoseKind::Second;
        regular += r.kind == DoseKind::Regular;
        overdue += r.daysOverdue > 0;
        youngCalves += r.kind == DoseKind::First && r.ageMonths >= 0 && r.ageMonths < 6;
    }
    EXPECT_GE(youngCalves, 1);
    EXPECT_GE(firstDoses, 1);
    EXPECT_GE(boosters, 1);
    EXPECT_GE(regular, 3);
    EXPECT_GE(overdue, 3);
    // Not every animal is due: most are vaccinated on time.
    EXPECT_LT(rows.size(), farm.count(QStringLiteral("개체관리")) / 2);

    QSet<QString> gone;
    for (QSqlQuery q =
             runQuery(QStringLiteral("select 개체번호 from 개체관리 where 출하일 > 0 or (구분 = 0 and 판매일 > 0)"));
         q.next();)
        gone << q.value(0).toString();
    ASSERT_FALSE(gone.isEmpty());
    for (const DueRow& r : rows) EXPECT_FALSE(gone.contains(r.number)) << r.number.toStdString();
}
