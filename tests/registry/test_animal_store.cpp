// Storing, renumbering and deleting an animal: all or nothing.
#include "data/Db.h"
#include "data/Values.h"
#include "registry/model/AnimalStore.h"
#include "support/TestFarm.h"

namespace {

const QStringList kAllTables = {"개체관리", "번식기록", "초음파측정", "체척", "백신접종", "등급판정"};

class AnimalStoreTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(farm.open()); }

    // An animal with one row in each history table.
    void addWithHistory(const QString& number, int sex = 0) { farm.addAnimalWithHistory(number, sex); }
    int rowsOf(const QString& number)
    {
        int n = 0;
        for (const QString& t : kAllTables) n += farm.count(t, "개체번호 = ?", {number});
        return n;
    }
    TestFarm farm;
};

TEST_F(AnimalStoreTest, InsertStoresEveryColumn)
{
    AnimalValues v;
    v.개체번호 = "X'1";
    v.구분 = 1;
    v.구분2 = 0;
    v.개체생일 = 20090315;
    v.등록번호 = "R";
    v.별명 = "목";
    v.우방번호 = "2";
    v.입식일자 = 20090401;
    v.정액번호 = "1001";
    v.부번호 = "B";
    v.모번호 = "M";
    v.판매일 = 20091001;
    v.개체특징 = "특";
    v.점수 = 4.5;
    v.출하예정일 = 20110101;
    v.출하일 = 20110202;
    insertAnimal(v);
    QSqlQuery q = runQuery("select * from 개체관리");
    ASSERT_TRUE(q.next());
    const QStringList expected = {"X'1", "1", "0", "20090315", "R",        "목", "2",   "20090401", "1001",
                                  "B",   "",  "",  "M",        "20091001", "특", "4.5", "20110101", "20110202"};
    for (int i = 0; i < 18; ++i) EXPECT_EQ(NullTrim(q.value(i)), expected[i]) << "column " << i + 1;
    EXPECT_TRUE(animalExists("X'1"));
    EXPECT_FALSE(animalExists("X"));
}

TEST_F(AnimalStoreTest, UpdateRenumbersEveryHistoryTable)
{
    addWithHistory("A");
    addWithHistory("OTHER");
    AnimalValues v;
    v.개체번호 = "B";
    v.별명 = "새이름";
    updateAnimal(v, "A");
    EXPECT_EQ(rowsOf("A"), 0);
    EXPECT_EQ(rowsOf("B"), 6);
    EXPECT_EQ(rowsOf("OTHER"), 6);
    EXPECT_EQ(farm.scalar("select 별명 from 개체관리 where 개체번호 = 'B'"), "새이름");

    // Same number: the renumbering finds its rows and changes nothing.
    v.개체번호 = "B";
    updateAnimal(v, "B");
    EXPECT_EQ(rowsOf("B"), 6);
}

TEST_F(AnimalStoreTest, RenumberOntoAnExistingNumberChangesNothing)
{
    addWithHistory("A");
    addWithHistory("B");
    AnimalValues v;
    v.개체번호 = "B";
    v.별명 = "바뀐 이름";
    try {
        updateAnimal(v, "A");
        FAIL() << "the unique key must refuse the second B";
    } catch (const DbError& e) {
        EXPECT_FALSE(koreanErrorSentence(e).isEmpty());
    }
    EXPECT_EQ(rowsOf("A"), 6);
    EXPECT_EQ(rowsOf("B"), 6);
    EXPECT_EQ(farm.scalar("select 별명 from 개체관리 where 개체번호 = 'A'"), "");
}

TEST_F(AnimalStoreTest, RenumberFailingHalfWayRollsBackTheWholeUpdate)
{
    addWithHistory("A");
    // The last table refuses its renumbering after four have been moved.
    farm.exec("CREATE TRIGGER refuse BEFORE UPDATE ON 등급판정 BEGIN SELECT RAISE(ABORT, 'refused'); END");
    AnimalValues v;
    v.개체번호 = "Z";
    EXPECT_THROW(updateAnimal(v, "A"), DbError);
    EXPECT_EQ(rowsOf("A"), 6);
    EXPECT_EQ(rowsOf("Z"), 0);
}

TEST_F(AnimalStoreTest, DeleteRemovesAllSixTablesOrNothing)
{
    addWithHistory("A");
    addWithHistory("KEEP");
    deleteAnimal("A");
    EXPECT_EQ(rowsOf("A"), 0);
    EXPECT_EQ(rowsOf("KEEP"), 6);

    // The animal itself goes last; when that fails, its history stays too.
    farm.exec("CREATE TRIGGER refuse BEFORE DELETE ON 개체관리 BEGIN SELECT RAISE(ABORT, 'refused'); END");
    EXPECT_THROW(deleteAnimal("KEEP"), DbError);
    EXPECT_EQ(rowsOf("KEEP"), 6);
}

TEST(AnimalStatements, OrderOfTheHistoryStatements)
{
    QStringList renumbered, deleted;
    for (const BoundStatement& s : renumberStatements("A", "B")) {
        renumbered << s.sql.section(' ', 1, 1);
        EXPECT_EQ(s.binds, (QVariantList{"B", "A"}));
    }
    for (const BoundStatement& s : deleteStatements("A")) deleted << s.sql.section(' ', 2, 2);
    EXPECT_EQ(renumbered, (QStringList{"번식기록", "초음파측정", "체척", "백신접종", "등급판정"}));
    EXPECT_EQ(deleted, (QStringList{"등급판정", "백신접종", "체척", "초음파측정", "번식기록", "개체관리"}));
}

}  // namespace
