// The search list's rules without its window: which animals a query finds and in which
// order, the age filter, the cell texts and the rows of the list print.
#include "data/Db.h"
#include "data/Values.h"
#include "registry/model/SearchRules.h"
#include "support/TestFarm.h"

namespace {

QStringList numbersFound(const SearchConditions& c)
{
    const SearchQuery q = buildSearchQuery(c);
    QSqlQuery query = runQuery(q.sql, q.binds);
    QStringList out;
    while (query.next()) out << NullTrim(query.value(QStringLiteral("개체번호")));
    return out;
}

class SearchQueryTest : public FarmTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(farm.open());
        // Two cows born the same day (number decides), a younger cow, bulls shipped or not.
        farm.addAnimal("C-2", 0, 20080101, {{"별명", "햇살"}, {"등록번호", "R-77"}});
        farm.addAnimal("C-1", 0, 20080101);
        farm.addAnimal("C-9", 0, 20090505, {{"별명", "O'Brien"}});
        farm.addAnimal("B-1", 1, 20070101);
        farm.addAnimal("B-2", 1, 20060101, {{"출하일", 20090301}});
        farm.addAnimal("B-3", 1, 0, {{"별명", "햇살"}});
    }
};

TEST_F(SearchQueryTest, ConditionCombinations)
{
    struct Case {
        SexFilter sex;
        QString word;
        bool age;
        QStringList expected;
    } cases[] = {
        // Youngest first, equal birth dates by number, no birth date last.
        {SexFilter::All, "", false, {"C-9", "C-1", "C-2", "B-1", "B-2", "B-3"}},
        {SexFilter::Cows, "", false, {"C-9", "C-1", "C-2"}},
        {SexFilter::Bulls, "", false, {"B-1", "B-2", "B-3"}},
        // The word matches number, ranch name or registration number, exactly and trimmed.
        {SexFilter::All, "  C-1 ", false, {"C-1"}},
        {SexFilter::All, "햇살", false, {"C-2", "B-3"}},
        {SexFilter::All, "R-77", false, {"C-2"}},
        {SexFilter::All, "C-", false, {}},
        {SexFilter::Cows, "햇살", false, {"C-2"}},
        {SexFilter::Bulls, "햇살", false, {"B-3"}},
        // The age condition: unshipped bulls only; it never applies to cows or to all.
        {SexFilter::Bulls, "", true, {"B-1", "B-3"}},
        {SexFilter::Bulls, "햇살", true, {"B-3"}},
        {SexFilter::All, "", true, {"C-9", "C-1", "C-2", "B-1", "B-2", "B-3"}},
        {SexFilter::Cows, "", true, {"C-9", "C-1", "C-2"}},
        // A quote is just a character of the word.
        {SexFilter::All, "O'Brien", false, {"C-9"}},
        {SexFilter::All, "' or '1'='1", false, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.word.toStdString() + " sex=" + std::to_string(int(c.sex)) + " age=" + std::to_string(c.age));
        EXPECT_EQ(numbersFound({c.sex, c.word, c.age}), c.expected);
    }
}

TEST(SearchRules, AgeFilterCountsCalendarMonthsWithMonthEndClamp)
{
    struct Case {
        qint64 birth;
        QDate today;
        bool skipped;
    } cases[] = {
        {20071031, QDate(2010, 2, 27), true},
        {20071031, QDate(2010, 2, 28), false},  // 2010-02-31 does not exist: the 28th counts
        {20080115, QDate(2010, 5, 14), true},
        {20080115, QDate(2010, 5, 15), false},
        {20080229, QDate(2010, 6, 28), true},
        {20080229, QDate(2010, 6, 29), false},
        {0, QDate(2010, 1, 1), false},  // no birth date: kept
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.birth) + " " + c.today.toString(Qt::ISODate).toStdString());
        EXPECT_EQ(skippedByAge(c.birth, c.today), c.skipped);
    }
}

TEST(SearchRules, CellTexts)
{
    SearchRowFormatter f(QDate(2009, 2, 1));
    AnimalRecord r;
    r.개체번호 = "A1";
    r.구분 = AnimalKind::Cow;
    r.구분2 = 0;
    r.개체생일 = 20090131;
    r.등록번호 = "R1";
    r.별명 = "들꽃";
    r.우방번호 = "3-1";
    r.입식일자 = 20091208;
    r.정액번호 = "1001";
    r.부번호 = "0500";
    r.모번호 = "M9";
    r.판매일 = 0;
    r.개체특징 = "순함";
    r.점수 = "0";
    const QStringList cow = f.cells(r);
    EXPECT_EQ(cow, (QStringList{"A1", "암소", "순종", "2009년 01월 31일", "R1", "들꽃", "3-1", "2009년 12월 08일",
                                "1001", "0500", "M9", "", "순함", "", "", "", "1 개월령"}));
    EXPECT_EQ(searchHeaders().size(), kSearchColumns);

    EXPECT_EQ(searchRowColor(r), QColor(Qt::black));

    // Any breed value but 0 counts as crossbred (the reader does the same for the sex); a bull
    // in blue; shipped: no age.
    r.구분 = AnimalKind::Bull;
    r.구분2 = 5;
    r.점수 = "4.5";
    r.출하예정일 = 20100301;
    r.출하일 = 20100315;
    const QStringList bull = f.cells(r);
    EXPECT_EQ(bull[1], "수소");
    EXPECT_EQ(bull[2], "교잡종");
    EXPECT_EQ(bull[13], "4.5");
    EXPECT_EQ(bull[14], "2010년 03월 01일");
    EXPECT_EQ(bull[15], "2010년 03월 15일");
    EXPECT_EQ(bull[16], "");
    EXPECT_EQ(searchRowColor(r), QColor(0, 0, 255));

    // No birth date: no age; the age counts months, not days.
    r.출하일 = 0;
    r.개체생일 = 0;
    EXPECT_EQ(f.cells(r)[16], "");
    r.개체생일 = 20061231;
    EXPECT_EQ(f.cells(r)[16], "26 개월령");
}

TEST(SearchRules, ARowReadsBackAsTheAnimalItShows)
{
    SearchRowFormatter f(QDate(2010, 2, 28));
    AnimalRecord bull;
    bull.개체번호 = "B-7";
    bull.구분 = AnimalKind::Bull;
    bull.구분2 = 0;
    bull.개체생일 = 20080229;
    bull.등록번호 = "R 1";
    bull.별명 = "들꽃";
    bull.우방번호 = "2-3";
    bull.입식일자 = 20080401;
    bull.정액번호 = "1001";
    bull.부번호 = "0500";
    bull.모번호 = "M9";
    bull.판매일 = 20081001;
    bull.개체특징 = "순함";
    bull.점수 = "4.5";
    bull.출하예정일 = 20100501;
    bull.출하일 = 20100220;
    AnimalRecord cow;  // every date empty, crossbred
    cow.개체번호 = "C";
    cow.구분2 = 1;
    cow.점수 = "3";
    // Not real days, but shown as their numbers and read back so.
    AnimalRecord odd = cow;
    odd.개체생일 = 20091345;
    odd.입식일자 = 1;

    auto shownFields = [](const AnimalRecord& r) {
        return QVariantList{r.개체번호, int(r.구분), r.구분2,  r.개체생일, r.등록번호, r.별명, r.우방번호,   r.입식일자,
                            r.정액번호, r.부번호,    r.모번호, r.판매일,   r.개체특징, r.점수, r.출하예정일, r.출하일};
    };
    for (const AnimalRecord& r : {bull, cow, odd}) {
        SCOPED_TRACE(r.개체번호.toStdString());
        const QStringList cells = f.cells(r);
        const AnimalRecord back = animalOfRow(cells);
        EXPECT_EQ(shownFields(back), shownFields(r));
        EXPECT_EQ(f.cells(back), cells);
    }
    EXPECT_EQ(f.cells(odd)[3], "2009년 13월 45일");
    EXPECT_EQ(f.cells(odd)[7], "0000년 00월 01일");

    // Cells are taken as they are: only exact words decide kind and breed, blanks stay.
    struct Case {
        QString kind, breed, number;
        AnimalKind expectedKind;
        qint64 expectedBreed;
    } cases[] = {
        {"암소", "순종", " 007 ", AnimalKind::Cow, 0},
        {"수소", "교잡종", "007", AnimalKind::Bull, 1},
        {" 암소", "순종 ", "007", AnimalKind::Bull, 1},
        {"", "", "", AnimalKind::Bull, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE((c.kind + "|" + c.breed).toStdString());
        const AnimalRecord r = animalOfRow({c.number, c.kind, c.breed});
        EXPECT_EQ(r.구분, c.expectedKind);
        EXPECT_EQ(r.구분2, c.expectedBreed);
        EXPECT_EQ(r.개체번호, c.number);
        EXPECT_EQ(r.개체생일, 0);
    }
}

TEST(SearchRules, ASavedRowShowsTheBoxesAsTypedAndLeavesTheAgeToTheQuery)
{
    SearchRowFormatter f(QDate(2010, 2, 28));
    AnimalRecord typed;
    typed.개체번호 = " 007 ";
    typed.구분 = AnimalKind::Bull;
    typed.개체생일 = 20090315;
    typed.별명 = " 새 목장 ";
    typed.점수 = "0";
    const QStringList saved = f.savedCells(typed);
    ASSERT_EQ(saved.size(), kSearchColumns - 1);  // no age column
    EXPECT_EQ(saved[0], " 007 ");
    EXPECT_EQ(saved[1], "수소");
    EXPECT_EQ(saved[3], "2009년 03월 15일");
    EXPECT_EQ(saved[5], " 새 목장 ");
    EXPECT_EQ(saved[13], "0");  // a query shows no score for 0; a save shows what was typed
    EXPECT_EQ(f.cells(typed)[13], "");
    // Apart from the score, the columns are those a query shows.
    QStringList query = f.cells(typed);
    query.removeLast();
    query[13] = saved[13];
    EXPECT_EQ(saved, query);
}

TEST(SearchRules, ListPrintRowPutsTwoEmptyTextsAfterColumnTen)
{
    QStringList cells;
    for (int c = 1; c <= kSearchColumns; ++c) cells << QStringLiteral(" c%1 ").arg(c);
    cells[12] = "O'Neil's  ";
    const QVariantList v = listPrintRow(cells);
    ASSERT_EQ(v.size(), 18);
    for (int i = 0; i < 10; ++i) EXPECT_EQ(v[i].toString(), QStringLiteral("c%1").arg(i + 1));
    EXPECT_EQ(v[10].toString(), "");
    EXPECT_EQ(v[11].toString(), "");
    EXPECT_EQ(v[12].toString(), "c11");
    EXPECT_EQ(v[14].toString(), "O'Neil's");
    EXPECT_EQ(v[17].toString(), "c16");  // column 17 (age) is not printed
}

}  // namespace
