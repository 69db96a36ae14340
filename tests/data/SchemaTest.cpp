#include "data/Db.h"
#include "data/ProgramDir.h"
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

// A row by column: an int for a whole number, a double for a decimal, a text otherwise.
using Row = QList<std::pair<QString, QVariant>>;

QString kindOf(const QVariant& v)
{
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong: return QStringLiteral("integer");
    case QMetaType::Double: return QStringLiteral("real");
    default: return QStringLiteral("text");
    }
}

// Each value as "column=kind:value".
QStringList written(const Row& row)
{
    QStringList out;
    for (const auto& [column, value] : row) out << column + u'=' + kindOf(value) + u':' + value.toString();
    return out;
}

// One value a line, for a failure that names the column that differs.
std::string readable(const QStringList& values)
{
    return values.join(u'\n').toStdString();
}

// Empties `table`, writes `row` by position and reads back the columns named by `row` (by
// position, for a work table, when `byPosition`) as "column=kind:value"; a statement the database
// refuses fails the test.
QStringList storeAndReadBack(const QString& table, const Row& row, bool byPosition = false)
{
    QStringList out;
    try {
        execStatement(QStringLiteral("delete from \"%1\"").arg(table));
        QVariantList values;
        for (const auto& [column, value] : row) values << value;
        execStatement(QStringLiteral("insert into \"%1\" values(%2)")
                          .arg(table, QStringList(values.size(), QStringLiteral("?")).join(u',')),
                      values);
        QStringList names;
        for (const auto& [column, value] : row) names << column;
        if (byPosition) names = columnsOf(table);
        QStringList reads;
        for (const QString& n : std::as_const(names)) reads << QStringLiteral("typeof(\"%1\"), \"%1\"").arg(n);
        QSqlQuery q = runQuery(QStringLiteral("select %1 from \"%2\"").arg(reads.join(QStringLiteral(", ")), table));
        if (!q.next()) return out;
        for (int i = 0; i + 1 < q.record().count(); i += 2)
            out << row.value(i / 2).first + u'=' + q.value(i).toString() + u':' + q.value(i + 1).toString();
        EXPECT_FALSE(q.next()) << "more than the one row";
    } catch (const DbError& e) {
        ADD_FAILURE() << e.description.toStdString();
    }
    return out;
}
}  // namespace

TEST_F(SchemaTest, EveryTableKeepsARealisticRowUnderItsColumnNames)
{
    // One row of each table as the program writes it, in the table's column order: dates and
    // flags as whole numbers, weights, lengths and scores as decimals, the rest as texts (numbers
    // the farmer copies from papers too: they keep their leading zeros). Written by position as
    // the sample farm and the prints write, read back by name as the windows read: a column
    // missing, misnamed, moved or of another kind fails.
    const QList<std::pair<QString, Row>> rows = {
        {"개체관리",
         {{"개체번호", "002123456789"},
          {"구분", 0},
          {"구분2", 1},
          {"개체생일", 20190315},
          {"등록번호", "0012345"},
          {"별명", "햇살목장"},
          {"우방번호", "03"},
          {"입식일자", 20190410},
          {"정액번호", "1050"},
          {"부번호", "002087654321"},
          {"축산업번호", "0456789"},
          {"번식농장", "푸른들목장"},
          {"모번호", "002098765432"},
          {"판매일", 20240102},
          {"개체특징", "이마에 흰 점"},
          {"점수", 85.5},
          {"출하예정일", 20211015},
          {"출하일", 20211020}}},
        {"번식기록",
         {{"개체번호", "002123456789"},
          {"산차", 2.0},
          {"회수", 1.0},
          {"수정일", 20240301},
          {"정액번호", "1050"},
          {"공란우", "0021001"},
          {"예정일", 20241210},
          {"BCS", 3.5},
          {"판정일", 20240415},
          {"가부", 0},
          {"분만일", 20241208},
          {"송아지번호", "002111122223"},
          {"성별", 1},
          {"분만난이도", "1"},
          {"인공수정자", "이인공"},
          {"생시체중", 27.5},
          {"비고", "순산"}}},
        {"초음파측정",
         {{"개체번호", "002123456789"},
          {"개체능력", "육성"},
          {"측정일", 20240510},
          {"체중", 612.5},
          {"초음파기기", "2000"},
          {"등심단면적", 88.1},
          {"등지방두께", 9.5},
          {"근내지방도", 6.0},
          {"측정자", "김측정"},
          {"판정자", "박판정"},
          {"예상등급", "1"}}},
        {"체척",
         {{"개체번호", "002123456789"},
          {"월령", "24"},
          {"측정일", 20240510},
          {"측정자", "정측정"},
          {"체고", 125.5},
          {"십자부고", 128.0},
          {"체장", 150.0},
          {"흉심", 68.0},
          {"흉폭", 45.0},
          {"흉위", 185.0},
          {"고장", 50.0},
          {"요각폭", 48.0},
          {"곤폭", 44.0},
          {"좌골폭", 20.5}}},
        {"백신접종",
         {{"개체번호", "002123456789"},
          {"날짜", 20240510},
          {"증상", "호흡기 질환"},
          {"처치", "항생제 주사"},
          {"만료일", 20240524},
          {"수의사", "김수의"},
          {"비고", "경과 양호"},
          {"구입일", 20240501},
          {"구입처", "동물약국"}}},
        {"등급판정",
         {{"개체번호", "002123456789"},
          {"작업장", "축산물공판장"},
          {"판정일", 20211020},
          {"생체중", 720.0},
          {"등지방두께", 12.0},
          {"등심단면적", 95.5},
          {"도체중", 430.5},
          {"근내지방", 7.0},
          {"육색", "5"},
          {"지방색", "3"},
          {"조직감", "1"},
          {"성숙도", "2"},
          {"최종등급", "1"},
          {"지육단가", 21000},
          {"경락가", 20500},
          {"등급판정사", "김판정"}}},
        {"농장정보",
         {{"등록번호", "0123456789"},
          {"고유번호", "0042"},
          {"성명", "홍길동"},
          {"주민번호", "6001011234567"},
          {"사업장명칭", "하늘농장"},
          {"소재지", "강원도 횡성군"},
          {"축종", "한우"}}},
        {"축산분뇨관리대장",
         {{"발생일자", 20240510},
          {"발생량", 2.5},
          {"처리일자", 20240512},
          {"처리방법", "퇴비화"},
          {"처리량", 2.0},
          {"사용처", "자가 농지"},
          {"비고", "0"}}},
    };
    for (const auto& [table, row] : rows) {
        SCOPED_TRACE(table.toStdString());
        EXPECT_EQ(readable(storeAndReadBack(table, row)), readable(written(row)));
    }

    // The work tables take a report line by position (texts; the breeding print's parity,
    // service number and BCS as numbers) and give it back in that order.
    const QList<std::pair<QString, Row>> lines = {
        {"개체관리워크",
         {{"", "002123456789"},
          {"", "암"},
          {"", "2019-03-15"},
          {"", "0012345"},
          {"", "햇살목장"},
          {"", "03"},
          {"", "2019-04-10"},
          {"", "1050"},
          {"", "002087654321"},
          {"", "0456789"},
          {"", ""},
          {"", ""},
          {"", "002098765432"},
          {"", "2024-01-02"},
          {"", "이마에 흰 점"},
          {"", "85.5"},
          {"", "2021-10-15"},
          {"", "2021-10-20"}}},
        {"번식기록워크",
         {{"", 2.0},
          {"", 1.0},
          {"", "24.03.01"},
          {"", "1050"},
          {"", "0021001"},
          {"", "24.12.10"},
          {"", 3.5},
          {"", "24.04.15"},
          {"", "임신"},
          {"", "24.12.08"},
          {"", "002111122223"},
          {"", "암"},
          {"", "1 순산"}}},
        {"백신접종워크",
         {{"", "2024-05-10"},
          {"", "호흡기 질환"},
          {"", "2024-05-01"},
          {"", "동물약국"},
          {"", "항생제 주사"},
          {"", "2024-05-24"},
          {"", "김수의"},
          {"", "경과 양호"}}},
        {"교배기록부워크",
         {{"", "002123456789"},
          {"", ""},
          {"", "2"},
          {"", "1"},
          {"", "×"},
          {"", "1050"},
          {"", ""},
          {"", "2024-03-01"},
          {"", "이인공"},
          {"", "분만예정 2024-12-10"}}},
        {"분만기록부워크",
         {{"", "002123456789"},
          {"", ""},
          {"", "2"},
          {"", "1050"},
          {"", "2024-12-08"},
          {"", "002111122223"},
          {"", "암"},
          {"", "27.5"},
          {"", "1"},
          {"", "순산"}}},
        {"출하성적기록부워크",
         {{"", "002123456789"},
          {"", "거세"},
          {"", "1050"},
          {"", "002098765432"},
          {"", "21-10-20"},
          {"", "축산물공판장"},
          {"", "720"},
          {"", "430.5"},
          {"", "95.5"},
          {"", "12"},
          {"", "7"},
          {"", ""},
          {"", "1++A"},
          {"", "21,000"}}},
        {"축산분뇨관리대장워크",
         {{"", "2024-05-10"}, {"", "2.5"}, {"", "2024-05-12"}, {"", "퇴비화"}, {"", "2"}, {"", "자가 농지"}, {"", ""}}},
        {"일일관리",
         {{"", "002123456789"}, {"", "03"}, {"", "햇살목장"}, {"", ""}, {"", "재발정"}, {"", ""}, {"", "분만예정"}}},
    };
    for (const auto& [table, line] : lines) {
        SCOPED_TRACE(table.toStdString());
        EXPECT_EQ(readable(storeAndReadBack(table, line, true)), readable(written(line)));
    }
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
