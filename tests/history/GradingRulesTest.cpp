// The grading rules without the page: the price formats, the checks in their order, and what
// the statements store, run on a farm.
#include "data/Schema.h"
#include "data/Values.h"
#include "history/model/Grading.h"
#include "support/TestFarm.h"
#include "support/TestHelpers.h"

#include <QSqlRecord>
#include <ostream>

namespace {
const QDate kToday(2010, 2, 28);

// Every box filled with a valid value.
EntryValues filled()
{
    EntryValues v = grading::emptyValues(kToday);
    const QList<std::pair<QString, QString>> texts = {{"작업장", "축산물공판장"},
                                                      {"생체중", "720"},
                                                      {"등지방두께", "12"},
                                                      {"등심단면적", "95.5"},
                                                      {"도체중", "430"},
                                                      {"근내지방", "7"},
                                                      {"육색", "5"},
                                                      {"지방색", "3"},
                                                      {"조직감", "1"},
                                                      {"성숙도", "2"},
                                                      {"최종등급", "1++A"},
                                                      {"지육단가", "21,000"},
                                                      {"경락가", "20500"},
                                                      {"등급판정사", "김"}};
    for (const auto& [name, text] : texts) v.texts[name] = text;
    return v;
}

class GradingStatementTest : public FarmTest {
protected:
    void SetUp() override { ASSERT_TRUE(farm.open()); }
    void run(const BoundStatement& s) { execStatement(s.sql, s.binds); }
    // The animal's row, every column after 개체번호, as read back.
    QStringList stored(const QString& animal)
    {
        QSqlQuery q = runQuery("select * from 등급판정 where 개체번호 = ?", {animal});
        QStringList out;
        if (q.next())
            for (int i = 1; i < q.record().count(); ++i) out << NullTrim(q.value(i));
        return out;
    }
};
}  // namespace

TEST(GradingRules, PricesLoseTheirSeparatorsForEditingAndGetThemBack)
{
    const struct {
        const char* typed;
        const char* editing;
        const char* showing;
    } cases[] = {
        {"12,345.6", "12346", "12,346"},
        {"12345.4", "12345", "12,345"},
        {"999.5", "1000", "1,000"},  // half away from zero, across a separator
        {"1234567", "1234567", "1,234,567"},
        {"-2.5", "-3", "-3"},
        {" 7 ", "7", "7"},
        {"", "", ""},  // nothing to format
        {"abc", "abc", "abc"},
        {"12,34", "12,34", "12,34"},  // a misplaced separator is no number
    };
    for (const auto& c : cases) {
        EXPECT_EQ(grading::priceForEditing(c.typed), c.editing) << c.typed;
        EXPECT_EQ(grading::priceForShowing(c.typed), c.showing) << c.typed;
    }
}

TEST(GradingRules, APriceIsStoredWhole)
{
    EXPECT_EQ(grading::storedPrice("12,345.6"), QVariant(qint64(12346)));
    EXPECT_EQ(grading::storedPrice("0.5"), QVariant(qint64(1)));
    EXPECT_EQ(grading::storedPrice("  "), QVariant(0));
}

TEST(GradingRules, TheChecksRunInScreenOrderWithTheirMessages)
{
    EXPECT_EQ(grading::check(filled()), std::nullopt);

    const EntryCheck missingWorkplace{"작업장을 입력해 주세요.", "미입력", MsgIcon::Information, "작업장"};
    const struct {
        const char* field;
        const char* text;
        bool refused;
    } cases[] = {
        {"작업장", "  ", true},
        {"작업장", "x", false},
        {"생체중", "칠백", true},
        {"생체중", "-1", true},  // no weight is below zero
        {"생체중", "1,234.5", false},
        {"생체중", "  ", false},  // empty numbers are stored as 0
        {"등지방두께", "12mm", true},
        {"등지방두께", "-0.1", true},
        {"등심단면적", "abc", true},
        {"등심단면적", "-3", true},
        {"도체중", "4 30", true},
        {"근내지방", "-1", true},
        {"근내지방", "9", false},
        {"지육단가", "abc", true},
        {"지육단가", "-5", true},
        {"지육단가", "12,345.6", false},
        {"경락가", "abc", true},
        {"경락가", "1e3", true},
        {"경락가", "1000000000000", true},  // past any price, and past what a number holds exactly
        {"육색", "abc", false},             // texts are not checked
    };
    for (const auto& c : cases) {
        EntryValues v = filled();
        v.texts[c.field] = c.text;
        const CheckResult got = grading::check(v);
        if (!c.refused) {
            EXPECT_EQ(got, std::nullopt) << c.field << " " << c.text;
        } else if (QString(c.field) == "작업장") {
            EXPECT_EQ(got, missingWorkplace);
        } else {
            EXPECT_EQ(got, entry::invalidValue(c.field)) << c.field << " " << c.text;
            EXPECT_EQ(got->message, "값을 다시 입력해 주세요.");
            EXPECT_EQ(got->title, "값 부정");
            EXPECT_EQ(got->icon, MsgIcon::Question);
        }
    }

    // With several faults the first in order is named.
    EntryValues v = filled();
    for (const char* f : {"생체중", "등지방두께", "등심단면적", "도체중", "근내지방", "지육단가", "경락가"})
        v.texts[f] = "x";
    EXPECT_EQ(grading::check(v), entry::invalidValue("생체중"));
    v.texts["생체중"] = "";
    EXPECT_EQ(grading::check(v), entry::invalidValue("등지방두께"));
    v.texts["작업장"] = "";
    EXPECT_EQ(grading::check(v), missingWorkplace);
}

TEST(GradingRules, QuestionsFollowTheRowFlag)
{
    EXPECT_EQ(grading::saveQuestion(false), "등급판정을 신규등록하시겠습니까?");
    EXPECT_EQ(grading::saveTitle(false), "등록");
    EXPECT_EQ(grading::saveQuestion(true), "등급판정을 수정하시겠습니까?");
    EXPECT_EQ(grading::saveTitle(true), "수정");
    EXPECT_EQ(grading::deleteQuestion(), "등급판정 내역을 삭제하시겠습니까?");
}

TEST_F(GradingStatementTest, InsertStoresTheBoxesAndUpdateRewritesThemUnderTheNumber)
{
    EntryValues v = filled();
    v.texts["작업장"] = "  공판장  ";
    v.texts["육색"] = "it's";  // a quote is stored as typed
    v.texts["생체중"] = "";
    v.texts["지육단가"] = "12,345.6";
    v.dates["판정일"] = QDate(2009, 11, 5);
    run(grading::insertStatement("G1", v));
    EXPECT_EQ(stored("G1"), (QStringList{"공판장", "20091105", "0", "12", "95.5", "430", "7", "it's", "3", "1", "2",
                                         "1++A", "12346", "20500", "김"}));

    v.texts["경락가"] = "";
    v.texts["최종등급"] = "2";
    run(grading::updateStatement("G1", v));
    EXPECT_EQ(farm.count("등급판정"), 1);
    const QStringList row = stored("G1");
    EXPECT_EQ(row[13], "0");
    EXPECT_EQ(row[11], "2");

    run(grading::deleteStatement("G1"));
    EXPECT_EQ(farm.count("등급판정"), 0);
}

TEST_F(GradingStatementTest, LoadedValuesShowPricesWithSeparatorsAndLeaveABadDateUnset)
{
    farm.exec(
        "insert into 등급판정 values('G1', '공판장', 20091105, 720.5, 0, 0, 0, 0, '', '', '', '', '1+', "
        "1234567, 0, '')");
    farm.exec("insert into 등급판정(개체번호, 판정일) values('G2', 0)");
    auto load = [](const QString& animal) {
        const BoundStatement st = grading::loadQuery(animal);
        QSqlQuery q = runQuery(st.sql, st.binds);
        EXPECT_TRUE(q.next());
        return grading::loadedValues(q.record(), kToday);
    };
    const EntryValues g1 = load("G1");
    EXPECT_EQ(g1.texts["작업장"], "공판장");
    EXPECT_EQ(g1.texts["생체중"], "720.5");
    EXPECT_EQ(g1.texts["등지방두께"], "0");
    EXPECT_EQ(g1.texts["지육단가"], "1,234,567");
    EXPECT_EQ(g1.texts["경락가"], "0");
    EXPECT_EQ(g1.texts["최종등급"], "1+");
    EXPECT_EQ(g1.dates["판정일"], QDate(2009, 11, 5));
    // A stored 0 is no date: left unset, never today.
    EXPECT_FALSE(load("G2").dates.value("판정일").isValid());
}

TEST_F(GradingStatementTest, AStoredDateThatIsNoDateIsUnsetWithANoteAndKeptByAnUpdate)
{
    const struct {
        const char* stored;  // the SQL literal of 판정일
        const char* kept;    // as read back after an update without a date
        const char* note;
    } cases[] = {
        {"0", "0", "저장된 판정일(0)이 올바른 날짜가 아니어서 비워 두었습니다. 날짜를 입력해 주십시오."},
        {"20100230", "20100230",
         "저장된 판정일(20100230)이 올바른 날짜가 아니어서 비워 두었습니다. 날짜를 입력해 주십시오."},
        {"20101301", "20101301",
         "저장된 판정일(20101301)이 올바른 날짜가 아니어서 비워 두었습니다. 날짜를 입력해 주십시오."},
        {"-1", "-1", "저장된 판정일(-1)이 올바른 날짜가 아니어서 비워 두었습니다. 날짜를 입력해 주십시오."},
        {"209912", "209912", "저장된 판정일(209912)이 올바른 날짜가 아니어서 비워 두었습니다. 날짜를 입력해 주십시오."},
    };
    for (const auto& c : cases) {
        farm.exec("delete from 등급판정");
        farm.exec(QString("insert into 등급판정(개체번호, 작업장, 판정일) values('G', '공판장', %1)").arg(c.stored));
        const BoundStatement load = grading::loadQuery("G");
        QSqlQuery q = runQuery(load.sql, load.binds);
        ASSERT_TRUE(q.next()) << c.stored;
        EntryValues v = grading::loadedValues(q.record(), kToday);
        EXPECT_FALSE(v.dates.value("판정일").isValid()) << c.stored;
        EXPECT_EQ(grading::badDateNote(q.record()), c.note) << c.stored;

        v.texts["작업장"] = "도축장";
        run(grading::updateStatement("G", v));
        const QStringList s = stored("G");
        ASSERT_FALSE(s.isEmpty()) << c.stored;
        EXPECT_EQ(s[0], "도축장") << c.stored;
        EXPECT_EQ(s[1], c.kept) << c.stored;
    }

    // A good date has no note and is stored as set.
    farm.exec("update 등급판정 set 판정일 = 20091105");
    const BoundStatement load = grading::loadQuery("G");
    QSqlQuery q = runQuery(load.sql, load.binds);
    ASSERT_TRUE(q.next());
    EXPECT_EQ(grading::badDateNote(q.record()), "");
    EntryValues v = grading::loadedValues(q.record(), kToday);
    v.dates["판정일"] = QDate(2010, 1, 2);
    run(grading::updateStatement("G", v));
    EXPECT_EQ(stored("G")[1], "20100102");
}

TEST_F(GradingStatementTest, EveryColumnTakesTheBoxOfItsNameAndTextsAreNeverSql)
{
    // Each box a value of its own, so a box stored in another's column shows.
    EntryValues v = filled();
    int n = 0;
    for (const EntryField& f : grading::definition().fields)
        if (f.kind == FieldKind::Text) v.texts[f.name] = QString::number(++n);
    v.texts["작업장"] = "'); drop table 등급판정; --";
    v.texts["육색"] = "it's \"5\"";
    v.dates["판정일"] = QDate(2009, 11, 5);
    const QString animal = "A'1";
    farm.addAnimalWithHistory("G2");  // a neighbour the statements must leave alone
    const QStringList neighbour = stored("G2");

    // The boxes in screen order are the table's columns after 개체번호: none is left unstored.
    const TableDef& table = tableDef("등급판정");
    QStringList boxes;
    for (const EntryField& f : grading::definition().fields) boxes << f.name;
    EXPECT_EQ(QStringList{"개체번호"} + boxes, table.columnNames());

    run(grading::insertStatement(animal, v));
    ASSERT_EQ(farm.count("등급판정", "개체번호 = ?", {animal}), 1);
    for (const ColumnDef& c : table.columns) {
        SCOPED_TRACE(c.name.toStdString());
        const QString got =
            farm.scalar(QString("select \"%1\" from 등급판정 where 개체번호 = ?").arg(c.name), {animal});
        if (c.name == "개체번호") {
            EXPECT_EQ(got, animal);
        } else if (c.name == "판정일") {
            EXPECT_EQ(got, "20091105");
        } else {
            ASSERT_NE(grading::definition().field(c.name), nullptr) << "a column without its box";
            EXPECT_EQ(got, v.texts[c.name].trimmed());
        }
    }

    // An update rewrites every box of that animal alone.
    for (const EntryField& f : grading::definition().fields)
        if (f.kind == FieldKind::Text && f.name != "작업장" && f.name != "육색")
            v.texts[f.name] = QString::number(v.texts[f.name].toInt() + 100);
    v.texts["육색"] = "'; update 등급판정 set 최종등급 = 'x'; --";
    v.dates["판정일"] = QDate(2010, 1, 2);
    run(grading::updateStatement(animal, v));
    EXPECT_EQ(farm.count("등급판정"), 2);
    QStringList expected;
    for (const ColumnDef& c : table.columns)
        if (c.name != "개체번호") expected << (c.name == "판정일" ? "20100102" : v.texts[c.name].trimmed());
    EXPECT_EQ(stored(animal), expected);
    EXPECT_EQ(stored("G2"), neighbour);

    run(grading::deleteStatement(animal));
    EXPECT_EQ(farm.count("등급판정", "개체번호 = ?", {animal}), 0);
    EXPECT_EQ(stored("G2"), neighbour);
}
