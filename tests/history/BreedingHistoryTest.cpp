// The breeding definition without the dialog: its checks, and what its statements store and
// its grid rows show, run on a farm.
#include "data/Schema.h"
#include "data/Values.h"
#include "history/model/BreedingHistory.h"
#include "support/TestFarm.h"

#include <QSqlRecord>

namespace {
const QString kCow = QStringLiteral("002");

// A record with parity, count, date and semen number, every group clear.
EntryValues minimal()
{
    EntryValues v = history::openingValues(breedingHistory(), QDate(2009, 3, 1));
    v.texts["산차"] = "1";
    v.texts["회수"] = "1";
    v.texts["정액번호"] = "KPN-1";
    v.ticked["예정일"] = false;
    return v;
}

class BreedingHistoryTest : public FarmTest {
protected:
    void SetUp() override { ASSERT_TRUE(farm.open()); }

    void run(const BoundStatement& s) { execStatement(s.sql, s.binds); }
    // The stored record of the cow as text, every column after 개체번호.
    QStringList stored(qint64 inseminated)
    {
        QSqlQuery q = runQuery("select * from 번식기록 where 개체번호 = ? and 수정일 = ?", {kCow, inseminated});
        QStringList out;
        if (q.next())
            for (int i = 1; i < q.record().count(); ++i) out << NullTrim(q.value(i));
        return out;
    }
};
}  // namespace

TEST(BreedingRules, NumbersAreCheckedOnlyWhereTheyCount)
{
    const HistoryDefinition& h = breedingHistory();
    EntryValues v = minimal();
    v.texts["BCS"] = "없음";
    v.texts["생시체중"] = "  ";
    EXPECT_EQ(history::check(h, v), std::nullopt);

    v.ticked["예정일"] = true;
    EXPECT_EQ(history::check(h, v), entry::invalidValue("BCS"));
    v.texts["BCS"] = " 7 ";
    v.texts["산차"] = "1,002";  // thousands separators read as a number
    EXPECT_EQ(history::check(h, v), std::nullopt);
}

TEST(BreedingRules, TheDefinitionCoversTheTableAndNamesItsTexts)
{
    const HistoryDefinition& h = breedingHistory();
    for (const QString& column : tableDef(h.table).columnNames()) {
        if (column != "개체번호") {
            EXPECT_NE(h.field(column), nullptr) << column.toStdString();
        }
    }
    EXPECT_EQ(h.keyColumn(), 3);
    EXPECT_EQ(h.gridFields.size(), h.headers.size());
    EXPECT_EQ(h.deleteQuestion(), "선택하신 번식기록 내역을 삭제하시겠습니까?");
    EXPECT_EQ(h.newQuestion(), "번식기록을 신규등록하시겠습니까?");
    EXPECT_EQ(h.changeQuestion(), "번식기록을 수정하시겠습니까?");
    EXPECT_EQ(h.duplicateDateMessage(), "수정일를 다시 선택해 주세요.");
}

TEST_F(BreedingHistoryTest, UntickedGroupsStoreTheirEmptyValues)
{
    const HistoryDefinition& h = breedingHistory();
    EntryValues v = minimal();
    v.texts["BCS"] = "9";
    v.texts["송아지번호"] = "C1";
    v.choices["가부"] = 1;
    v.choices["성별"] = 1;
    run(history::insertStatement(h, kCow, v));
    EXPECT_EQ(stored(20090301),
              QStringList({"1", "1", "20090301", "KPN-1", "", "0", "0", "0", "-1", "0", "", "-1", "", "", "0", ""}));
    EXPECT_EQ(history::savedRow(h, v),
              QStringList({"1", "1", "2009-03-01", "KPN-1", "", "9", "", "", "", "", "", "", ""}));

    // Ticked groups store their values; the update finds the record by its old date and moves it.
    v.ticked["예정일"] = v.ticked["판정일"] = v.ticked["분만일"] = true;
    v.dates["수정일"] = QDate(2009, 3, 2);
    v.dates["예정일"] = QDate(2009, 12, 7);
    v.dates["판정일"] = QDate(2009, 4, 1);
    v.dates["분만일"] = QDate(2009, 12, 5);
    v.texts["생시체중"] = " 25.5 ";
    v.texts["비고"] = " it's ";
    run(history::updateStatement(h, kCow, "20090301", v));
    EXPECT_EQ(stored(20090301), QStringList());
    EXPECT_EQ(stored(20090302), QStringList({"1", "1", "20090302", "KPN-1", "", "20091207", "9", "20090401", "1",
                                             "20091205", "C1", "1", "", "", "25.5", "it's"}));
    EXPECT_EQ(history::savedRow(h, v), QStringList({"1", "1", "2009-03-02", "KPN-1", "", "9", "2009-04-01", "부(X)",
                                                    "2009-12-07", "2009-12-05", "C1", "수", ""}));
}

TEST_F(BreedingHistoryTest, AStoredRecordLoadsBackAsTheValuesThatStoredIt)
{
    const HistoryDefinition& h = breedingHistory();
    EntryValues v = minimal();
    v.ticked["예정일"] = v.ticked["분만일"] = true;
    v.dates["예정일"] = QDate(2009, 12, 1);  // not 280 days on: the stored date wins
    v.dates["분만일"] = QDate(2009, 11, 30);
    v.texts["BCS"] = "6";
    v.texts["송아지번호"] = "C2";
    v.choices["성별"] = 1;
    run(history::insertStatement(h, kCow, v));

    QSqlQuery q =
        runQuery(history::recordQuery(h, kCow, " 20090301 ").sql, history::recordQuery(h, kCow, " 20090301 ").binds);
    ASSERT_TRUE(q.next());
    const EntryValues loaded = history::applyRecord(h, history::openingValues(h, QDate(2024, 5, 10)), q.record());
    EXPECT_EQ(loaded.dates["수정일"], QDate(2009, 3, 1));
    EXPECT_EQ(loaded.dates["예정일"], QDate(2009, 12, 1));
    EXPECT_EQ(loaded.dates["분만일"], QDate(2009, 11, 30));
    EXPECT_EQ(loaded.dates["판정일"], QDate(2024, 5, 10));  // no check stored: the opening date stays
    EXPECT_EQ(loaded.ticked, (QHash<QString, bool>{{"예정일", true}, {"판정일", false}, {"분만일", true}}));
    EXPECT_EQ(loaded.choices, (QHash<QString, int>{{"가부", 0}, {"성별", 1}}));
    EXPECT_EQ(loaded.texts["BCS"], "6");
    EXPECT_EQ(loaded.texts["송아지번호"], "C2");
    EXPECT_EQ(loaded.texts["생시체중"], "0");
}

TEST_F(BreedingHistoryTest, NonNumbersReachTheDatabaseUnchanged)
{
    // A number box that the checks do not cover is handed on as text, for the database to refuse.
    EXPECT_EQ(entry::storedNumber(" 12a "), QVariant("12a"));
    EXPECT_EQ(entry::storedNumber(QString()), QVariant(0));
    EXPECT_EQ(entry::storedNumber("1,250.5").toDouble(), 1250.5);
    EntryValues v = minimal();
    v.texts["산차"] = "1a";
    EXPECT_THROW(run(history::insertStatement(breedingHistory(), kCow, v)), DbError);
    EXPECT_EQ(farm.count("번식기록"), 0);

    EXPECT_EQ(entry::dateCellIfSet("0"), QString());
    EXPECT_EQ(entry::dateCellIfSet("20091206"), "2009-12-06");
    EXPECT_EQ(entry::dateCell("0"), "0000-00-00");
}

TEST(BreedingRules, HugeNegativeAndOffScaleNumbersAreRefused)
{
    const HistoryDefinition& h = breedingHistory();
    const QString nines(400, QLatin1Char('9'));
    struct Case {
        const char* field;
        QString text;
        bool refused;
    } cases[] = {
        {"산차", nines, true},       {"산차", "-1", true},      {"산차", "0", false},      {"산차", "12", false},
        {"회수", nines, true},       {"회수", "-2", true},      {"회수", "3", false},      {"BCS", nines, true},
        {"BCS", "0", true},          {"BCS", "10", true},       {"BCS", "9.5", true},      {"BCS", "1", false},
        {"BCS", "9", false},         {"생시체중", nines, true}, {"생시체중", "-25", true}, {"생시체중", "0", false},
        {"생시체중", "31.5", false},
    };
    for (const Case& c : cases) {
        EntryValues v = minimal();
        v.ticked["예정일"] = true;
        v.texts["BCS"] = "5";
        v.texts[c.field] = c.text;
        const auto result = history::check(h, v);
        if (c.refused)
            EXPECT_EQ(result, entry::invalidValue(c.field)) << c.field << " " << c.text.left(12).toStdString();
        else
            EXPECT_EQ(result, std::nullopt) << c.field << " " << c.text.toStdString();
    }
}

TEST(BreedingRules, EachRefusalSaysItsKindBesideItsBox)
{
    EXPECT_EQ(entry::missing("산차", "산차를 입력해 주세요.").kind, EntryCheck::Kind::Missing);
    EXPECT_EQ(entry::invalidValue("산차").kind, EntryCheck::Kind::Invalid);
    EXPECT_EQ(entry::duplicateDate("수정일", "같은 날의 기록이 있습니다.").kind, EntryCheck::Kind::Duplicate);
    // What the checks of a declaration give: an empty record is missing its first field.
    const CheckResult empty = history::check(breedingHistory(), EntryValues{});
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->kind, EntryCheck::Kind::Missing) << empty->message.toStdString();
    EntryValues v = minimal();
    v.ticked["예정일"] = true;
    v.texts["BCS"] = "없음";
    EXPECT_EQ(history::check(breedingHistory(), v)->kind, EntryCheck::Kind::Invalid);
}
