// Storing, renumbering and deleting an animal: all or nothing.
#include "data/Db.h"
#include "data/Values.h"
#include "registry/model/AnimalStore.h"
#include "support/TestFarm.h"

#include <QSqlRecord>

namespace {

class AnimalStoreTest : public FarmTest {
protected:
    void SetUp() override { ASSERT_TRUE(farm.open()); }

    // A record with a value in every column the forms write, in the table's order.
    static AnimalRecord everyColumn(const QString& number)
    {
        return {number, AnimalKind::Bull, 0,    20090315, "R",      "목",    "2", 20090401, "1001", "B", "", "",
                "M",    20091001,         "특", "4.5",    20110101, 20110202};
    }
    // Every column of the animal's row, as stored.
    QStringList stored(const QString& number)
    {
        QSqlQuery q = runQuery("select * from 개체관리 where 개체번호 = ?", {number});
        QStringList out;
        if (q.next())
            for (int i = 0; i < q.record().count(); ++i) out << NullTrim(q.value(i));
        return out;
    }
    // The tables a statement touched, in order, as logged by triggers on `event` (update or delete).
    void logTables(const QString& event)
    {
        farm.exec("create table 기록순서(표 text)");
        for (const QString& t : QStringList{"개체관리"} + historyTableNames())
            farm.exec(
                QStringLiteral("create trigger \"%1_%2\" after %2 on %1 begin insert into 기록순서 values('%1'); end")
                    .arg(t, event));
    }
    QStringList loggedTables()
    {
        QStringList out;
        QSqlQuery q = runQuery("select 표 from 기록순서 order by rowid");
        while (q.next()) out << q.value(0).toString();
        return out;
    }
};

TEST_F(AnimalStoreTest, InsertStoresEveryColumn)
{
    const AnimalRecord v = everyColumn("X'1");
    insertAnimal(v);
    const QStringList expected = {"X'1", "1", "0", "20090315", "R",        "목", "2",   "20090401", "1001",
                                  "B",   "",  "",  "M",        "20091001", "특", "4.5", "20110101", "20110202"};
    EXPECT_EQ(stored("X'1"), expected);
    EXPECT_TRUE(animalExists("X'1"));
    EXPECT_FALSE(animalExists("X"));
}

TEST_F(AnimalStoreTest, UpdateRenumbersEveryHistoryTable)
{
    farm.addAnimalWithHistory("A");
    farm.addAnimalWithHistory("OTHER");
    AnimalRecord v;
    v.개체번호 = "B";
    v.별명 = "새이름";
    updateAnimal(v, "A");
    EXPECT_EQ(rowsOfAnimal("A"), 0);
    EXPECT_EQ(rowsOfAnimal("B"), 6);
    EXPECT_EQ(rowsOfAnimal("OTHER"), 6);
    EXPECT_EQ(farm.scalar("select 별명 from 개체관리 where 개체번호 = 'B'"), "새이름");

    // Same number: the renumbering finds its rows and changes nothing.
    v.개체번호 = "B";
    updateAnimal(v, "B");
    EXPECT_EQ(rowsOfAnimal("B"), 6);
}

TEST_F(AnimalStoreTest, RenumberOntoAnExistingNumberChangesNothing)
{
    farm.addAnimalWithHistory("A");
    farm.addAnimalWithHistory("B");
    AnimalRecord v;
    v.개체번호 = "B";
    v.별명 = "바뀐 이름";
    try {
        updateAnimal(v, "A");
        FAIL() << "the unique key must refuse the second B";
    } catch (const DbError& e) {
        EXPECT_FALSE(koreanErrorSentence(e).isEmpty());
    }
    EXPECT_EQ(rowsOfAnimal("A"), 6);
    EXPECT_EQ(rowsOfAnimal("B"), 6);
    EXPECT_EQ(farm.scalar("select 별명 from 개체관리 where 개체번호 = 'A'"), "");
}

TEST_F(AnimalStoreTest, RenumberFailingHalfWayRollsBackTheWholeUpdate)
{
    farm.addAnimalWithHistory("A");
    // The last table refuses its renumbering after four have been moved.
    farm.exec("CREATE TRIGGER refuse BEFORE UPDATE ON 등급판정 BEGIN SELECT RAISE(ABORT, 'refused'); END");
    AnimalRecord v;
    v.개체번호 = "Z";
    EXPECT_THROW(updateAnimal(v, "A"), DbError);
    EXPECT_EQ(rowsOfAnimal("A"), 6);
    EXPECT_EQ(rowsOfAnimal("Z"), 0);
}

TEST_F(AnimalStoreTest, DeleteRemovesAllSixTablesOrNothing)
{
    farm.addAnimalWithHistory("A");
    farm.addAnimalWithHistory("KEEP");
    deleteAnimal("A");
    EXPECT_EQ(rowsOfAnimal("A"), 0);
    EXPECT_EQ(rowsOfAnimal("KEEP"), 6);

    // The animal itself goes last; when that fails, its history stays too.
    farm.exec("CREATE TRIGGER refuse BEFORE DELETE ON 개체관리 BEGIN SELECT RAISE(ABORT, 'refused'); END");
    EXPECT_THROW(deleteAnimal("KEEP"), DbError);
    EXPECT_EQ(rowsOfAnimal("KEEP"), 6);
}

TEST_F(AnimalStoreTest, UpdateWritesEveryColumnAndReadsBackAsTheSameRecord)
{
    AnimalRecord old;
    old.개체번호 = "A";
    old.점수 = "5";
    insertAnimal(old);

    AnimalRecord v = everyColumn("A2");
    v.구분2 = 1;
    v.별명 = "별";
    v.점수 = "1,234.5";  // typed with a separator: stored as its number
    updateAnimal(v, "A");
    EXPECT_EQ(stored("A2"), (QStringList{"A2", "1", "1", "20090315", "R", "별", "2", "20090401", "1001", "B", "", "",
                                         "M", "20091001", "특", "1234.5", "20110101", "20110202"}));

    // What the list reads back is the record that was stored.
    QSqlQuery q = runQuery("select * from 개체관리");
    ASSERT_TRUE(q.next());
    const AnimalRecord back = AnimalRecordReader(q).read(q);
    EXPECT_EQ(back.개체번호, "A2");
    EXPECT_EQ(back.구분2, 1);
    EXPECT_EQ(back.개체생일, 20090315);
    EXPECT_EQ(back.별명, "별");
    EXPECT_EQ(back.판매일, 20091001);
    EXPECT_EQ(back.점수, "1234.5");
    EXPECT_EQ(back.출하일, 20110202);

    // An empty score is 0.
    v.점수 = "";
    updateAnimal(v, "A2");
    EXPECT_EQ(stored("A2")[15], "0");
}

TEST_F(AnimalStoreTest, ReaderTakesOnlyTheColumnsTheQueryHas)
{
    farm.addAnimal("A", 1, 20080101, {{"별명", " 별 "}, {"축산업번호", "X"}});
    QSqlQuery q = runQuery("select 별명, 구분 from 개체관리");
    ASSERT_TRUE(q.next());
    const AnimalRecord r = AnimalRecordReader(q).read(q);
    EXPECT_EQ(r.별명, "별");
    EXPECT_EQ(r.구분, AnimalKind::Bull);
    EXPECT_EQ(r.개체번호, "");
    EXPECT_EQ(r.개체생일, 0);
    EXPECT_EQ(r.축산업번호, "");
}

TEST_F(AnimalStoreTest, ReaderTakesAnySexButZeroForABull)
{
    const struct {
        int stored;
        AnimalKind kind;
    } cases[] = {{0, AnimalKind::Cow}, {1, AnimalKind::Bull}, {2, AnimalKind::Bull}, {-1, AnimalKind::Bull}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        farm.exec("delete from 개체관리");
        farm.addAnimal("A", c.stored, 20080101);
        QSqlQuery q = runQuery("select 구분 from 개체관리");
        ASSERT_TRUE(q.next());
        EXPECT_EQ(AnimalRecordReader(q).read(q).구분, c.kind);
    }
    // And what goes back to the table is 0 or 1.
    AnimalRecord bull;
    bull.구분 = AnimalKind::Bull;
    EXPECT_EQ(animalColumnValue(bull, "구분"), QVariant(qint64(1)));
    EXPECT_EQ(animalColumnValue(AnimalRecord(), "구분"), QVariant(qint64(0)));
}

TEST_F(AnimalStoreTest, HistoryTablesAreRenumberedInTheirOrder)
{
    farm.addAnimalWithHistory("A");
    logTables("update");
    for (const BoundStatement& s : renumberStatements("A", "B")) execStatement(s.sql, s.binds);
    EXPECT_EQ(loggedTables(), (QStringList{"번식기록", "초음파측정", "체척", "백신접종", "등급판정"}));
    EXPECT_EQ(rowsOfAnimal("B"), 5);  // the animal's own row is the update's
}

TEST_F(AnimalStoreTest, TheAnimalIsDeletedAfterItsHistory)
{
    farm.addAnimalWithHistory("A");
    farm.addAnimalWithHistory("KEEP");
    logTables("delete");
    for (const BoundStatement& s : deleteStatements("A")) execStatement(s.sql, s.binds);
    EXPECT_EQ(loggedTables(), (QStringList{"등급판정", "백신접종", "체척", "초음파측정", "번식기록", "개체관리"}));
    EXPECT_EQ(rowsOfAnimal("A"), 0);
    EXPECT_EQ(rowsOfAnimal("KEEP"), 6);
}

}  // namespace
