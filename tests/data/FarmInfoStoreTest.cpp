// Storing the farm's registration data: the one row of 농장정보, values bound and trimmed.
#include "data/Db.h"
#include "data/FarmInfo.h"
#include "support/TestFarm.h"

#include <gtest/gtest.h>

namespace {
FarmInfo sample()
{
    FarmInfo f;
    f.등록번호 = QStringLiteral(" 35-123 ");
    f.고유번호 = QStringLiteral("A'1");
    f.성명 = QStringLiteral("  홍길동");
    f.주민번호 = QStringLiteral("700101-1234567 ");
    f.사업장명칭 = QStringLiteral(" O'Neil 한우 ");
    f.소재지 = QStringLiteral("전북 \"완주\"");
    f.축종 = QStringLiteral("한우 ");
    return f;
}

QString storedRows()
{
    QStringList rows;
    QSqlQuery q = runQuery(QStringLiteral("select * from 농장정보"));
    while (q.next()) {
        QStringList cells;
        for (int c = 0; c < 7; ++c) cells << q.value(c).toString();
        rows << cells.join(u'|');
    }
    return rows.join(u'\n');
}

const char* const kStored = "35-123|A'1|홍길동|700101-1234567|O'Neil 한우|전북 \"완주\"|한우";
}  // namespace

TEST(FarmInfoStore, EveryRowTakesTheTrimmedValuesAsTyped)
{
    TestFarm farm;
    ASSERT_TRUE(farm.open());
    // A database written by another program may hold more than one row: all show the same.
    farm.exec(QStringLiteral("insert into 농장정보 values('9', '', '', '', '옛 농장', '', '')"));
    storeFarmInfo(sample());
    EXPECT_EQ(storedRows().toStdString(), std::string(kStored) + "\n" + kStored);
    ASSERT_TRUE(readFarmInfo().has_value());
    EXPECT_EQ(readFarmInfo()->사업장명칭, QStringLiteral("O'Neil 한우"));
}

TEST(FarmInfoStore, AnEmptyTableGetsTheOneRow)
{
    TestFarm farm;
    ASSERT_TRUE(farm.open());
    farm.exec(QStringLiteral("delete from 농장정보"));
    storeFarmInfo(sample());
    EXPECT_EQ(storedRows().toStdString(), kStored);
    storeFarmInfo(sample());  // and keeps it the one row
    EXPECT_EQ(farm.count(QStringLiteral("농장정보")), 1);
}

TEST(FarmInfoStore, AFailedStoreChangesNothing)
{
    TestFarm farm;
    ASSERT_TRUE(farm.open());
    farm.exec(QStringLiteral("delete from 농장정보"));
    farm.exec(QStringLiteral("create trigger 막기 before insert on 농장정보 begin select raise(abort, '막힘'); end"));
    EXPECT_THROW(storeFarmInfo(sample()), DbError);
    EXPECT_EQ(farm.count(QStringLiteral("농장정보")), 0);
    // The connection is usable again: the failed store left no transaction open.
    farm.exec(QStringLiteral("drop trigger 막기"));
    storeFarmInfo(sample());
    EXPECT_EQ(farm.count(QStringLiteral("농장정보")), 1);
}
