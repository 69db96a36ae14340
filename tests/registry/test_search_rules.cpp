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
    r.구분 = 0;
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

    // Any sex or breed value but 0 counts as bull / crossbred; shipped: no age.
    r.구분 = 2;
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
    EXPECT_TRUE(isBullRow(r));

    // No birth date: no age; the age counts months, not days.
    r.출하일 = 0;
    r.개체생일 = 0;
    EXPECT_EQ(f.cells(r)[16], "");
    r.개체생일 = 20061231;
    EXPECT_EQ(f.cells(r)[16], "26 개월령");
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
