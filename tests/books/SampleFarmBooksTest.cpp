// The sample farm gives each book something to list: inseminations with and without embryo
// transfer and expected date, calvings, and gradings of both sexes within the last year.
#include "books/BookFixture.h"
#include "data/Db.h"
#include "data/SampleFarm.h"

#include <gtest/gtest.h>

namespace {
class SampleFarmBooks : public BookTest {};
}  // namespace

TEST_F(SampleFarmBooks, TheSampleFarmFillsEveryBookAndKeepsToTheAskedNumberOfBreedingRecords)
{
    for (const int records : {1, 257, 1200}) {
        SCOPED_TRACE(records);
        for (const QString& table : historyTableNames() + QStringList{"개체관리", "축산분뇨관리대장"})
            farm.exec(QStringLiteral("delete from ") + table);
        SampleFarmOptions o;
        o.animals = 10;
        o.breedingRecords = records;
        o.today = kToday;
        ASSERT_EQ(writeSampleFarm(gConn, o), QString());
        EXPECT_EQ(farm.count(QStringLiteral("번식기록")), records);
        EXPECT_GE(farm.count(QStringLiteral("개체관리")), 10);
    }
    // The last farm, 1,200 records: something for every cell rule of the books.
    const QString lastYear = QStringLiteral("판정일 between 20081209 and 20091208");
    EXPECT_GT(farm.count(QStringLiteral("번식기록"), QStringLiteral("공란우 <> ''")), 0);
    EXPECT_GT(farm.count(QStringLiteral("번식기록"), QStringLiteral("공란우 = ''")), 0);
    EXPECT_GT(farm.count(QStringLiteral("번식기록"), QStringLiteral("예정일 = 0")), 0);
    EXPECT_GT(farm.count(QStringLiteral("번식기록"), QStringLiteral("분만일 > 0 and 성별 = 0")), 0);
    EXPECT_GT(farm.count(QStringLiteral("번식기록"), QStringLiteral("분만일 > 0 and 성별 = 1")), 0);
    EXPECT_GT(farm.count(QStringLiteral("등급판정"),
                         lastYear + QStringLiteral(" and 개체번호 in "
                                                   "(select 개체번호 from 개체관리 where 구분 = 0)")),
              0);
    EXPECT_GT(farm.count(QStringLiteral("등급판정"),
                         lastYear + QStringLiteral(" and 개체번호 in "
                                                   "(select 개체번호 from 개체관리 where 구분 = 1)")),
              0);
    EXPECT_EQ(farm.count(QStringLiteral("등급판정"), QStringLiteral("not (") + lastYear + u')'), 0);
    EXPECT_GT(farm.scalar(QStringLiteral("select count(distinct 최종등급) from 등급판정")).toInt(), 1);
    // Every record of a graded cow precedes her sale.
    EXPECT_EQ(farm.scalar(QStringLiteral("select count(*) from 번식기록 b, 등급판정 g, 개체관리 a "
                                         "where g.개체번호 = b.개체번호 and a.개체번호 = b.개체번호 "
                                         "and a.구분 = 0 and b.수정일 > g.판정일")),
              QStringLiteral("0"));
}
