// The day rules of the daily due lists, over the edge cases around the due dates.
#include "books/model/DailyRules.h"
#include "data/Db.h"
#include "data/Values.h"
#include "support/TestFarm.h"

#include <gtest/gtest.h>

using daily::DayCell;

namespace {
const QDate kRulesToday(2009, 12, 8);

// The four cells of a row, "*" marking bold ones, joined with " | ".
QString reestrusRow(int inseminatedDaysAgo, const QDate& today = kRulesToday)
{
    const QDate r = daily::reestrusDate(today.addDays(-inseminatedDaysAgo));
    QStringList cells;
    for (const QDate& d : daily::dueDays(today)) {
        const DayCell c = daily::reestrusCell(r, d);
        cells << (c.bold ? QStringLiteral("*") : QString()) + c.text;
    }
    return cells.join(QStringLiteral(" | "));
}

QString calvingRow(int dueInDays, const QDate& today = kRulesToday)
{
    const QDate c = today.addDays(dueInDays);
    QStringList cells;
    for (const QDate& d : daily::dueDays(today)) {
        const DayCell cell = daily::calvingCell(c, d);
        cells << (cell.bold ? QStringLiteral("*") : QString()) + cell.text;
    }
    return cells.join(QStringLiteral(" | "));
}
}  // namespace

TEST(DailyRules, ReestrusListedAndCellsAroundTheDueDay)
{
    struct Case {
        int daysAgo;
        bool listed;
        const char* row;
    } cases[] = {
        {16, false, "재발정 5일전 | 재발정 4일전 | 재발정 3일전 | 재발정 2일전"},
        {17, false, "재발정 4일전 | 재발정 3일전 | 재발정 2일전 | 재발정 1일전"},
        {18, true, "재발정 3일전 | 재발정 2일전 | 재발정 1일전 | *재발정일"},
        {19, true, "재발정 2일전 | 재발정 1일전 | *재발정일 | *재발정일"},
        {20, true, "재발정 1일전 | *재발정일 | *재발정일 | "},
        {21, true, "*재발정일 | *재발정일 |  | "},
        {22, true, "*재발정일 |  |  | "},
        {23, false, " |  |  | "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.daysAgo);
        const QDate r = daily::reestrusDate(kRulesToday.addDays(-c.daysAgo));
        EXPECT_EQ(r, kRulesToday.addDays(20 - c.daysAgo));
        EXPECT_EQ(daily::reestrusListed(r, kRulesToday), c.listed);
        EXPECT_EQ(reestrusRow(c.daysAgo), QString::fromUtf8(c.row));
        // Every listed row says "재발정일" on at least one of its days.
        if (c.listed) {
            EXPECT_TRUE(reestrusRow(c.daysAgo).contains(QStringLiteral("*재발정일")));
        }
    }
}

TEST(DailyRules, CalvingCandidatesAndCells)
{
    struct Case {
        int dueIn;  // C - today
        bool candidate;
        const char* row;
    } cases[] = {
        {-11, false, " |  |  | "},
        {-10, true, " |  |  | "},  // candidate, but every cell empty: taken back
        {-9, true, " |  |  | "},
        {-8, true, "출산예정 7일후 |  |  | "},
        {-5, true, "출산예정 4일후 | 출산예정 5일후 | 출산예정 6일후 | 출산예정 7일후"},
        {-1, true, "*출산예정일 | 출산예정 1일후 | 출산예정 2일후 | 출산예정 3일후"},
        {0, true, "출산예정 1일전 | *출산예정일 | 출산예정 1일후 | 출산예정 2일후"},
        {2, true, "출산예정 3일전 | 출산예정 2일전 | 출산예정 1일전 | *출산예정일"},
        {7, true, "출산예정 8일전 | 출산예정 7일전 | 출산예정 6일전 | 출산예정 5일전"},
        {8, false, "출산예정 9일전 | 출산예정 8일전 | 출산예정 7일전 | 출산예정 6일전"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dueIn);
        EXPECT_EQ(daily::calvingCandidate(kRulesToday.addDays(c.dueIn), kRulesToday), c.candidate);
        EXPECT_EQ(calvingRow(c.dueIn), QString::fromUtf8(c.row));
    }
    EXPECT_EQ(daily::calvingDate(QDate(2009, 3, 3)), QDate(2009, 12, 8));
}

TEST(DailyRules, RulesHoldAcrossMonthAndYearEnds)
{
    // 31 December: tomorrow and the day after lie in the next year.
    const QDate newYearsEve(2009, 12, 31);
    EXPECT_EQ(reestrusRow(20, newYearsEve), QStringLiteral("재발정 1일전 | *재발정일 | *재발정일 | "));
    EXPECT_EQ(calvingRow(2, newYearsEve),
              QStringLiteral("출산예정 3일전 | 출산예정 2일전 | 출산예정 1일전 | *출산예정일"));
    // Leap day: 20 days after 9 February 2008 is 29 February.
    EXPECT_EQ(daily::reestrusDate(QDate(2008, 2, 9)), QDate(2008, 2, 29));
    // A cell's day count is the calendar-day distance, with no thousands separator.
    EXPECT_EQ(daily::reestrusCell(QDate(2012, 1, 1), QDate(2009, 1, 1)).text, QStringLiteral("재발정 1095일전"));
}

TEST(DailyRules, HeadersAndFormulasFollowTheirDatePatterns)
{
    const auto days = daily::dueDays(kRulesToday);
    EXPECT_EQ(days[0], QDate(2009, 12, 7));
    EXPECT_EQ(days[3], QDate(2009, 12, 10));
    EXPECT_EQ(daily::dayHeader(0, days[0]), QStringLiteral("어제( 2009년12월07일 )"));
    EXPECT_EQ(daily::dayHeader(1, days[1]), QStringLiteral("오늘( 2009년12월08일 )"));
    EXPECT_EQ(daily::dayHeader(2, days[2]), QStringLiteral("내일( 2009년12월09일 )"));
    EXPECT_EQ(daily::dayHeader(3, days[3]), QStringLiteral("모레( 2009년12월10일 )"));
    EXPECT_EQ(daily::dayFormulas(days), (report::Formulas{{"어제", "어제(12월07일)"},
                                                          {"오늘", "오늘(12월08일)"},
                                                          {"내일", "내일(12월09일)"},
                                                          {"모레", "모레(12월10일)"}}));
    // Over the new year: month and day only.
    EXPECT_EQ(daily::dayFormulas(daily::dueDays(QDate(2009, 12, 31))), (report::Formulas{{"어제", "어제(12월30일)"},
                                                                                         {"오늘", "오늘(12월31일)"},
                                                                                         {"내일", "내일(01월01일)"},
                                                                                         {"모레", "모레(01월02일)"}}));
}

TEST(DailyRules, InseminationDateIsReadFromTheDateNumber)
{
    EXPECT_EQ(daily::inseminationDate(QVariant(qint64(20091118))), QDate(2009, 11, 18));
    EXPECT_EQ(daily::inseminationDate(QVariant(QStringLiteral(" 20091118 "))), QDate(2009, 11, 18));
    EXPECT_FALSE(daily::inseminationDate(QVariant(0)).isValid());
    EXPECT_EQ(daily::inseminationDate(QVariant(qint64(20080229))), QDate(2008, 2, 29));
    EXPECT_FALSE(daily::inseminationDate(QVariant(qint64(20090229))).isValid());
    EXPECT_FALSE(daily::inseminationDate(QVariant(qint64(20091131))).isValid());
    EXPECT_FALSE(daily::inseminationDate(QVariant(qint64(20091300))).isValid());
    EXPECT_FALSE(daily::inseminationDate(QVariant(qint64(200912081))).isValid());
    EXPECT_FALSE(daily::inseminationDate(QVariant(qint64(-20091208))).isValid());
    EXPECT_FALSE(daily::inseminationDate(QVariant()).isValid());
    EXPECT_FALSE(daily::inseminationDate(QVariant(QStringLiteral("abc"))).isValid());
}

TEST(DailyRules, DatabaseRangesCoverExactlyTheRecordsTheRulesCanList)
{
    // For every insemination day around the range, the database range admits it exactly
    // when the rules would consider it; checked over a year end.
    for (const QDate& today : {kRulesToday, QDate(2010, 1, 1), QDate(2008, 3, 1)}) {
        SCOPED_TRACE(today.toString(Qt::ISODate).toStdString());
        const auto re = daily::reestrusInseminationRange(today);
        const auto ca = daily::calvingInseminationRange(today);
        for (int ago = 0; ago < 320; ++ago) {
            const QDate i = today.addDays(-ago);
            const qint64 n = datenum::fromDate(i);
            EXPECT_EQ(n >= re.from && n <= re.to, daily::reestrusListed(daily::reestrusDate(i), today)) << ago;
            EXPECT_EQ(n >= ca.from && n <= ca.to, daily::calvingCandidate(daily::calvingDate(i), today)) << ago;
        }
    }
}

namespace {

// The two due-list queries run against a small herd, for the insemination dates
// 2009-11-15 to 2009-11-20 (both ends included).
class DueListSql : public FarmTest {
protected:
    DueListSql()
    {
        EXPECT_TRUE(farm.open());
        cow(QStringLiteral("KR002"), QStringLiteral("1-2"), QStringLiteral("햇살목장"));
        cow(QStringLiteral("KR001"), QStringLiteral(" 1-1 "), QStringLiteral("들꽃목장"));
        cow(QStringLiteral("KR003"));
        farm.addAnimal(QStringLiteral("BULL1"), 1);
    }
    void cow(const QString& number, const QString& pen = {}, const QString& ranch = {})
    {
        farm.addAnimal(number, 0, 0, {{QStringLiteral("우방번호"), pen}, {QStringLiteral("별명"), ranch}});
    }
    // The rows of a due-list query over the range, "number | pen | ranch | inseminated".
    static QStringList rows(const QString& sql)
    {
        QStringList out;
        QSqlQuery q = runQuery(sql, {kFrom, kTo});
        while (q.next()) {
            QStringList cells;
            for (int c = 0; c < 4; ++c) cells << q.value(c).toString();
            out << cells.join(QStringLiteral(" | "));
        }
        EXPECT_FALSE(q.lastError().isValid()) << q.lastError().text().toStdString();
        return out;
    }
    static constexpr qint64 kFrom = 20091115;
    static constexpr qint64 kTo = 20091120;
};

}  // namespace

TEST_F(DueListSql, ReestrusListsOpenInseminationsOfCowsInTheRangeByNumberThenDate)
{
    // Checked records are out whatever the verdict.
    const QVariantMap pregnant{{QStringLiteral("판정일"), 20091210}, {QStringLiteral("가부"), 0}};
    const QVariantMap open{{QStringLiteral("판정일"), 20091210}, {QStringLiteral("가부"), 1}};
    farm.addBreeding(QStringLiteral("KR002"), 20091118);
    farm.addBreeding(QStringLiteral("KR001"), kTo);
    farm.addBreeding(QStringLiteral("KR001"), kFrom);
    farm.addBreeding(QStringLiteral("KR003"), kFrom - 1);  // before the range
    farm.addBreeding(QStringLiteral("KR003"), kTo + 1);    // after it
    farm.addBreeding(QStringLiteral("KR003"), 20091117, pregnant);
    farm.addBreeding(QStringLiteral("KR003"), 20091119, open);
    farm.addBreeding(QStringLiteral("BULL1"), 20091117);  // not a cow
    farm.addBreeding(QStringLiteral("GONE"), 20091117);   // no animal any more
    EXPECT_EQ(rows(daily::reestrusSql()),
              QStringList({"KR001 |  1-1  | 들꽃목장 | 20091115", "KR001 |  1-1  | 들꽃목장 | 20091120",
                           "KR002 | 1-2 | 햇살목장 | 20091118"}));
}

TEST_F(DueListSql, CalvingListsPositiveUncalvedRecordsOfCowsInTheRange)
{
    const auto pregnant = [](QVariantMap more = {}) {
        if (!more.contains(QStringLiteral("가부"))) more[QStringLiteral("가부")] = 0;
        more[QStringLiteral("판정일")] = 20100110;
        return more;
    };
    farm.addBreeding(QStringLiteral("KR002"), kTo, pregnant());
    farm.addBreeding(QStringLiteral("KR001"), kFrom, pregnant());
    farm.addBreeding(QStringLiteral("KR001"), 20091117);  // not yet judged (가부 -1)
    farm.addBreeding(QStringLiteral("KR003"), 20091117, pregnant({{QStringLiteral("가부"), 1}}));
    farm.addBreeding(QStringLiteral("KR003"), 20091118, pregnant({{QStringLiteral("분만일"), 20100820}}));
    farm.addBreeding(QStringLiteral("KR003"), kFrom - 1, pregnant());
    farm.addBreeding(QStringLiteral("KR003"), kTo + 1, pregnant());
    farm.addBreeding(QStringLiteral("BULL1"), 20091117, pregnant());
    EXPECT_EQ(rows(daily::calvingSql()),
              QStringList({"KR001 |  1-1  | 들꽃목장 | 20091115", "KR002 | 1-2 | 햇살목장 | 20091120"}));
}

TEST_F(DueListSql, DatelessRecordsAreCountedAmongThoseEachListWouldRead)
{
    const QVariantMap pregnant{{QStringLiteral("판정일"), 20100110}, {QStringLiteral("가부"), 0}};
    farm.addBreeding(QStringLiteral("KR001"), 0);             // open, no date: re-estrus
    farm.addBreeding(QStringLiteral("KR001"), 20100230);      // no such day: re-estrus
    farm.addBreeding(QStringLiteral("KR002"), 0, pregnant);   // calving
    farm.addBreeding(QStringLiteral("KR002"), -1, pregnant);  // calving
    farm.addBreeding(QStringLiteral("KR003"), 0,
                     {{QStringLiteral("판정일"), 20100110}, {QStringLiteral("가부"), 1}});  // checked, open: neither
    farm.addBreeding(QStringLiteral("KR003"), 20101301,
                     {{QStringLiteral("판정일"), 20100110},
                      {QStringLiteral("가부"), 0},
                      {QStringLiteral("분만일"), 20100820}});  // calved: neither
    farm.addBreeding(QStringLiteral("BULL1"), 0);              // not a cow
    farm.addBreeding(QStringLiteral("GONE"), 0);               // no animal any more
    farm.addBreeding(QStringLiteral("KR003"), kFrom);          // dated: listed or not, never counted
    farm.addBreeding(QStringLiteral("KR002"), kFrom, pregnant);
    EXPECT_EQ(daily::datelessReestrusRecords(), 2);
    EXPECT_EQ(daily::datelessCalvingRecords(), 2);

    EXPECT_EQ(daily::skippedNote(0), QString());
    EXPECT_EQ(daily::skippedNote(1), QStringLiteral("날짜가 없는 번식기록 1건은 제외되었습니다"));
    EXPECT_EQ(daily::skippedNote(12), QStringLiteral("날짜가 없는 번식기록 12건은 제외되었습니다"));
}
