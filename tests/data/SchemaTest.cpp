#include "data/ProgramDir.h"
#include "data/Db.h"
#include "data/SampleFarm.h"
#include "data/Schema.h"
#include "support/TestFarm.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QSqlRecord>
#include <stdexcept>

namespace {
QStringList columnsOf(const QString& table)
{
    QStringList cols;
    QSqlQuery q = runQuery(QStringLiteral("select name from pragma_table_info(?) order by cid"), {table});
    while (q.next()) cols << q.value(0).toString();
    return cols;
}

class SchemaTest : public FarmTest {
protected:
    void SetUp() override { ASSERT_TRUE(farm.open()); }
};
}  // namespace

TEST_F(SchemaTest, EveryTableWithTheProgramsColumnOrder)
{
    const QStringList expected[] = {
        {"개체관리", "개체번호", "구분", "구분2", "개체생일", "등록번호", "별명", "우방번호", "입식일자", "정액번호",
         "부번호", "축산업번호", "번식농장", "모번호", "판매일", "개체특징", "점수", "출하예정일", "출하일"},
        {"번식기록", "개체번호", "산차", "회수", "수정일", "정액번호", "공란우", "예정일", "BCS", "판정일", "가부",
         "분만일", "송아지번호", "성별", "분만난이도", "인공수정자", "생시체중", "비고"},
        {"초음파측정", "개체번호", "개체능력", "측정일", "체중", "초음파기기", "등심단면적", "등지방두께", "근내지방도",
         "측정자", "판정자", "예상등급"},
        {"체척", "개체번호", "월령", "측정일", "측정자", "체고", "십자부고", "체장", "흉심", "흉폭", "흉위", "고장",
         "요각폭", "곤폭", "좌골폭"},
        {"백신접종", "개체번호", "날짜", "증상", "처치", "만료일", "수의사", "비고", "구입일", "구입처"},
        {"등급판정", "개체번호", "작업장", "판정일", "생체중", "등지방두께", "등심단면적", "도체중", "근내지방", "육색",
         "지방색", "조직감", "성숙도", "최종등급", "지육단가", "경락가", "등급판정사"},
        {"농장정보", "등록번호", "고유번호", "성명", "주민번호", "사업장명칭", "소재지", "축종"},
        {"축산분뇨관리대장", "발생일자", "발생량", "처리일자", "처리방법", "처리량", "사용처", "비고"},
    };
    for (const QStringList& t : expected) EXPECT_EQ(columnsOf(t[0]), t.mid(1)) << t[0].toStdString();

    const struct {
        const char* name;
        int columns;
    } work[] = {{"개체관리워크", 18},   {"번식기록워크", 13},       {"백신접종워크", 8},         {"교배기록부워크", 10},
                {"분만기록부워크", 10}, {"출하성적기록부워크", 14}, {"축산분뇨관리대장워크", 7}, {"일일관리", 7}};
    for (const auto& w : work) EXPECT_EQ(columnsOf(QString::fromUtf8(w.name)).size(), w.columns) << w.name;
    EXPECT_EQ(farm.count(QStringLiteral("농장정보")), 1);
}

TEST_F(SchemaTest, TheLookupGivesTheDefinitionEachTableWasCreatedFrom)
{
    for (const TableDef& t : schemaTables()) {
        EXPECT_EQ(&tableDef(t.name), &t) << t.name.toStdString();
        EXPECT_EQ(t.columnNames(), columnsOf(t.name)) << t.name.toStdString();
    }
    const TableDef& animals = tableDef(QStringLiteral("개체관리"));
    ASSERT_NE(animals.column(QStringLiteral("점수")), nullptr);
    EXPECT_EQ(animals.column(QStringLiteral("점수"))->type, QStringLiteral("REAL"));
    EXPECT_EQ(animals.column(QStringLiteral("개체번호 ")), nullptr);
    EXPECT_FALSE(animals.workTable);
    EXPECT_TRUE(tableDef(QStringLiteral("일일관리")).workTable);
    EXPECT_THROW(tableDef(QStringLiteral("개체")), std::invalid_argument);
}

TEST_F(SchemaTest, ColumnTypesFollowTheValueEncodings)
{
    // One letter per column in the program's order: T text, I date number or flag (or whole
    // number), R number with a decimal point.
    const struct {
        const char* table;
        const char* types;
    } cases[] = {
        {"개체관리", "TIIITTTITTTTTITRII"},
        {"번식기록", "TRRITTIRIIITITTRT"},
        {"초음파측정", "TTIRTRRRTTT"},
        {"체척", "TTITRRRRRRRRRR"},
        {"백신접종", "TITTITTIT"},
        {"등급판정", "TTIRRRRRTTTTTIIT"},
        {"농장정보", "TTTTTTT"},
        {"축산분뇨관리대장", "IRITRTT"},
        {"개체관리워크", "TTTTTTTTTTTTTTTTTT"},
        {"번식기록워크", "RRTTTTRTTTTTT"},
        {"백신접종워크", "TTTTTTTT"},
        {"교배기록부워크", "TTTTTTTTTT"},
        {"분만기록부워크", "TTTTTTTTTT"},
        {"출하성적기록부워크", "TTTTTTTTTTTTTT"},
        {"축산분뇨관리대장워크", "TTTTTTT"},
        {"일일관리", "TTTTTTT"},
    };
    for (const auto& c : cases) {
        QString types;
        QSqlQuery q = runQuery(QStringLiteral("select type from pragma_table_info(?) order by cid"),
                               {QString::fromUtf8(c.table)});
        while (q.next()) types += q.value(0).toString().left(1).toUpper();
        EXPECT_EQ(types, QString::fromLatin1(c.types)) << c.table;
    }
}

TEST_F(SchemaTest, LogicalKeysAreUnique)
{
    const struct {
        const char* sql;
        bool duplicateRefused;
    } cases[] = {
        {"insert into 개체관리(개체번호) values('K')", true},
        {"insert into 번식기록(개체번호, 수정일) values('K', 20090301)", true},
        {"insert into 초음파측정(개체번호, 측정일) values('K', 20090301)", true},
        {"insert into 체척(개체번호, 측정일) values('K', 20090301)", true},
        {"insert into 백신접종(개체번호, 날짜) values('K', 20090301)", true},
        {"insert into 등급판정(개체번호) values('K')", true},
        // The ledger may hold two entries of one date.
        {"insert into 축산분뇨관리대장(발생일자) values(20090301)", false},
    };
    for (const auto& c : cases) {
        const QString sql = QString::fromUtf8(c.sql);
        EXPECT_NO_THROW(execStatement(sql)) << c.sql;
        bool refused = false;
        try {
            execStatement(sql);
        } catch (const DbError&) {
            refused = true;
        }
        EXPECT_EQ(refused, c.duplicateRefused) << c.sql;
    }
    // Same date for another cow is fine.
    EXPECT_NO_THROW(execStatement(QStringLiteral("insert into 번식기록(개체번호, 수정일) values('L', 20090301)")));
}

TEST_F(SchemaTest, NumberColumnsRefuseTextButTakeQuotedNumerals)
{
    farm.addAnimal(QStringLiteral("C1"), 0);
    // A quoted numeral in BCS is the number 5.
    execStatement(QStringLiteral("insert into 번식기록(개체번호, 수정일, BCS) values('C1', 20090301, '5')"));
    EXPECT_EQ(farm.scalar(QStringLiteral("select typeof(BCS) || ':' || BCS from 번식기록")),
              QStringLiteral("real:5.0"));

    const char* refused[] = {
        "update 개체관리 set 점수 = 'abc'",
        "update 개체관리 set 개체생일 = '2009-12-08'",
        "insert into 초음파측정(개체번호, 측정일, 체중) values('C1', 20090301, '사백')",
        "update 개체관리 set 개체번호 = NULL",
    };
    for (const char* sql : refused) {
        bool threw = false;
        try {
            execStatement(QString::fromUtf8(sql));
        } catch (const DbError& e) {
            threw = true;
            EXPECT_FALSE(koreanErrorSentence(e).isEmpty()) << sql << ": " << e.description.toStdString();
        }
        EXPECT_TRUE(threw) << sql;
    }
    EXPECT_EQ(farm.scalar(QStringLiteral("select 점수 from 개체관리")), QStringLiteral("0"));
}

TEST_F(SchemaTest, ExistingDatabaseIsNeverTouched)
{
    farm.addAnimal(QStringLiteral("KEEP"), 0);
    farm.close();
    EXPECT_TRUE(createDatabaseFileIfMissing(databaseFilePath()).isEmpty());
    ASSERT_TRUE(farm.open());
    EXPECT_EQ(farm.count(QStringLiteral("개체관리")), 1);
}

TEST_F(SchemaTest, SampleFarmWritesEveryKindOfRecord)
{
    SampleFarmOptions o;
    o.animals = 60;
    o.today = QDate(2026, 12, 10);
    ASSERT_EQ(writeSampleFarm(gConn, o), QString());
    EXPECT_EQ(farm.count(QStringLiteral("개체관리")), 60);
    EXPECT_GT(farm.count(QStringLiteral("개체관리"), QStringLiteral("구분 = 1")), 0);
    EXPECT_GT(farm.count(QStringLiteral("개체관리"), QStringLiteral("구분 = 0")), 0);
    for (const char* t : {"번식기록", "초음파측정", "체척", "백신접종", "등급판정", "축산분뇨관리대장"})
        EXPECT_GT(farm.count(QString::fromUtf8(t)), 0) << t;
    // Breeding rows belong to cows only.
    EXPECT_EQ(farm.count(QStringLiteral("번식기록"),
                         QStringLiteral("개체번호 in (select 개체번호 from 개체관리 where 구분 <> 0)")),
              0);
}
