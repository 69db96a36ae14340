// The cell rules and queries of the mating, calving and shipment books, called directly: the
// rules on values, the queries on a small farm.
#include "books/BookFixture.h"
#include "books/model/RecordBooks.h"
#include "data/Db.h"

#include <gtest/gtest.h>
#include <functional>

using namespace books;

TEST(RecordBookRules, EmbryoTransferIsMarkedByTheDonorCow)
{
    EXPECT_EQ(embryoTransferMark(QStringLiteral("1234")), QStringLiteral("ㅇ"));
    EXPECT_EQ(embryoTransferMark(QStringLiteral("KR0041000007")), QStringLiteral("ㅇ"));
    EXPECT_EQ(embryoTransferMark(QString()), QStringLiteral("×"));
    EXPECT_EQ(embryoTransferMark(QStringLiteral("   ")), QStringLiteral("×"));
}

TEST(RecordBookRules, MatingRemarkAddsTheExpectedCalvingDateOnlyWhenOneIsRecorded)
{
    const struct {
        const char* difficulty;
        QVariant expected;
        const char* cell;
    } cases[] = {
        {"2", qint64(20100915), "2 (10-09-15)"},
        {"2", 0, "2"},
        {"", qint64(20100915), " (10-09-15)"},  // starts with the blank
        {"", 0, ""},
        {"난산 (조산)", qint64(20000105), "난산 (조산) (00-01-05)"},
        {"2", -1, "2"},
        {"2", QStringLiteral(" 20100915 "), "2 (10-09-15)"},  // as a text, read as its number
        {"2", 20100915.0, "2 (10-09-15)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected.toString().toStdString());
        EXPECT_EQ(matingRemark(QString::fromUtf8(c.difficulty), c.expected, QStringLiteral("KR001")),
                  QString::fromUtf8(c.cell));
    }
}

TEST(RecordBookRules, UnreadableValuesStopTheRecordNamingTheAnimal)
{
    const struct {
        const char* what;
        std::function<void()> read;
    } cases[] = {
        {"expected date null", [] { matingRemark(QStringLiteral("2"), QVariant(), QStringLiteral("KR009")); }},
        {"expected date text",
         [] { matingRemark(QStringLiteral("2"), QStringLiteral("abc"), QStringLiteral("KR009")); }},
        {"expected date 31 Feb", [] { matingRemark(QString(), qint64(20100231), QStringLiteral("KR009")); }},
        {"expected date 7 digits", [] { matingRemark(QString(), qint64(2010091), QStringLiteral("KR009")); }},
        {"calf sex empty", [] { sexText(QString(), QStringLiteral("성별"), QStringLiteral("KR009")); }},
        {"animal sex null", [] { sexText(QVariant(), QStringLiteral("구분"), QStringLiteral("KR009")); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        try {
            c.read();
            ADD_FAILURE() << "read without an error";
        } catch (const DbError& e) {
            EXPECT_TRUE(e.description.contains(QStringLiteral("KR009"))) << e.description.toStdString();
        }
    }
}

TEST(RecordBookRules, SexIsFemaleOnlyForZero)
{
    const struct {
        QVariant flag;
        const char* text;
    } cases[] = {{0, "암"}, {1, "수"}, {-1, "수"}, {2, "수"}, {QStringLiteral(" 0 "), "암"}, {0.0, "암"}};
    for (const auto& c : cases)
        EXPECT_EQ(sexText(c.flag, QStringLiteral("성별"), QStringLiteral("KR001")), QString::fromUtf8(c.text))
            << c.flag.toString().toStdString();
}

TEST(RecordBookRules, WeightsAndPricesAreWholeNumbersWithThousandsSeparators)
{
    const struct {
        QVariant value;
        const char* text;
    } cases[] = {
        {32, "32"},
        {1250, "1,250"},
        {1250.0, "1,250"},
        {650.4, "650"},
        {650.5, "651"},
        {15000, "15,000"},
        {0, "0"},
        {999, "999"},
        {1234567, "1,234,567"},
        {QVariant(), ""},
        {QString(), ""},
        {QStringLiteral("  "), ""},
        {QStringLiteral("abc"), "abc"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(thousands(c.value), QString::fromUtf8(c.text)) << c.value.toString().toStdString();
}

TEST(RecordBookRules, GridDatesAndTheShipmentWorkTableDate)
{
    const struct {
        QVariant number;
        const char* dashed;
        const char* shortDate;  // "" when it is no date
    } numbers[] = {
        {qint64(20091208), "2009-12-08", "09-12-08"},
        {qint64(20000105), "2000-01-05", "00-01-05"},
        {20091208.0, "2009-12-08", "09-12-08"},
        {qint64(991231), "0099-12-31", "99-12-31"},
        {0, "0000-00-00", ""},
        {qint64(20100231), "2010-02-31", ""},
        {qint64(20091300), "2009-13-00", ""},
        {qint64(200912081), "20091-20-81", ""},  // more digits than a date has
        {qint64(-1), "-0000-00-01", ""},
    };
    for (const auto& n : numbers) {
        SCOPED_TRACE(n.number.toString().toStdString());
        EXPECT_EQ(dashedDate(n.number), QString::fromUtf8(n.dashed));
        EXPECT_EQ(shortDateOf(n.number.toLongLong()), QString::fromUtf8(n.shortDate));
    }
    const struct {
        const char* cell;
        const char* table;
    } cases[] = {
        {"2009-12-08", "09-12-08"},   {"2000-01-05", "00-01-05"},
        {"1999-12-31", "99-12-31"},   {"0000-00-00", "0000-00-00"},  // no date: written unchanged
        {"2009-02-30", "2009-02-30"}, {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(shortDate(QString::fromUtf8(c.cell)), QString::fromUtf8(c.table)) << c.cell;
}

TEST(RecordBookRules, ShipmentWorkTableRowTrimsTheCellsAndShortensTheDate)
{
    const QStringList cells{" KR001 ", "수",   "1203", "KR900", "2009-12-08", " 축산물공판장", "650",
                            "420",     "95.5", "12",   "7",     "",           "1++ ",          "15,000"};
    const QVariantList row = shipmentTableRow(cells);
    ASSERT_EQ(row.size(), 14);
    EXPECT_EQ(row, QVariantList({"KR001", "수", "1203", "KR900", "09-12-08", "축산물공판장", "650", "420", "95.5", "12",
                                 "7", "", "1++", "15,000"}));
}

TEST(RecordBookRules, FarmNameFormulaAndThePeriodQuery)
{
    EXPECT_EQ(farmNameFormula(QStringLiteral("  햇살한우농장 ")), (report::Formulas{{"농장명", "햇살한우농장"}}));
    EXPECT_EQ(farmNameFormula(QString()), (report::Formulas{{"농장명", ""}}));
    EXPECT_EQ(farmNameFormula(QStringLiteral("O'Neil 한우")), (report::Formulas{{"농장명", "O'Neil 한우"}}));
    EXPECT_EQ(periodOf(QDate(2009, 1, 5), QDate(2009, 12, 31)).from, 20090105);
    EXPECT_EQ(periodOf(QDate(2009, 1, 5), QDate(2009, 12, 31)).to, 20091231);
    EXPECT_EQ(
        periodSql(QStringLiteral("a.x"), QStringLiteral("a"), QString(), QStringLiteral("a.d"), QStringLiteral("a.d")),
        QStringLiteral("select a.x from a where ( a.d >= ? and a.d <= ? ) order by a.d"));
}

namespace {

class BookSql : public BookTest {
protected:
    // The grid rows a book makes of its query over the period, "a | b | c".
    static QStringList rows(const BookSpec& book, const QDate& start, const QDate& end)
    {
        const Period p = periodOf(start, end);
        QSqlQuery q = runQuery(book.sql, {p.from, p.to});
        QStringList out;
        while (q.next()) out << book.row(q).join(QStringLiteral(" | "));
        EXPECT_FALSE(q.lastError().isValid()) << q.lastError().text().toStdString();
        return out;
    }
    static QStringList column(const BookSpec& book, const QDate& start, const QDate& end, int col)
    {
        QStringList out;
        for (const QString& r : rows(book, start, end)) out << r.split(QStringLiteral(" | ")).value(col - 1);
        return out;
    }
};

}  // namespace

TEST_F(BookSql, EachBookSelectsItsPeriodWithBothEndsIncluded)
{
    // Each book with the day its period selects on: how an animal gets an event on a day,
    // and the grid column that shows the day.
    const struct {
        const char* name;
        const BookSpec& book;
        int dateColumn;
        std::function<void(const QString& animal, qint64 day)> add;
    } books[] = {
        {"mating", matingBook(), 8, [this](const QString& a, qint64 d) { farm.addBreeding(a, d); }},
        {"calving", calvingBook(), 5,
         [this](const QString& a, qint64 d) {
             farm.addBreeding(a, 20080101, {{QStringLiteral("분만일"), d}, {QStringLiteral("성별"), 0}});
         }},
        {"shipment", shipmentBook(), 5, [this](const QString& a, qint64 d) { grading(a, d); }},
    };
    const qint64 days[] = {20091130, 20091201, 20091215, 20091231, 20100101};
    int animal = 0;
    for (const auto& b : books)
        for (const qint64 d : days) {
            const QString number = QStringLiteral("KR%1").arg(++animal, 3, 10, QChar(u'0'));
            cow(number);
            b.add(number, d);
        }

    const struct {
        QDate start, end;
        QStringList listed;
    } periods[] = {
        {QDate(2009, 12, 1), QDate(2009, 12, 31), {"2009-12-01", "2009-12-15", "2009-12-31"}},
        {QDate(2009, 12, 15), QDate(2009, 12, 15), {"2009-12-15"}},
        {QDate(2009, 11, 30),
         QDate(2010, 1, 1),
         {"2009-11-30", "2009-12-01", "2009-12-15", "2009-12-31", "2010-01-01"}},
        {QDate(2009, 12, 2), QDate(2009, 12, 14), {}},
        {QDate(2009, 12, 31), QDate(2009, 12, 1), {}},  // start after end
    };
    for (const auto& b : books)
        for (const auto& p : periods) {
            SCOPED_TRACE(std::string(b.name) + " " + p.start.toString(Qt::ISODate).toStdString() + " ~ " +
                         p.end.toString(Qt::ISODate).toStdString());
            EXPECT_EQ(column(b.book, p.start, p.end, b.dateColumn), p.listed);
        }
}

TEST_F(BookSql, MatingListsEveryInseminationOfThePeriodByDateWhateverTheAnimal)
{
    cow(QStringLiteral("KR002"));
    cow(QStringLiteral("KR001"));
    bull(QStringLiteral("BULL1"));
    farm.addBreeding(QStringLiteral("KR002"), 20091120,
                     {{QStringLiteral("산차"), 2},
                      {QStringLiteral("회수"), 1},
                      {QStringLiteral("정액번호"), "1203"},
                      {QStringLiteral("공란우"), "1234"},
                      {QStringLiteral("인공수정자"), "김수정"},
                      {QStringLiteral("분만난이도"), "2"},
                      {QStringLiteral("예정일"), 20100915}});
    farm.addBreeding(QStringLiteral("KR001"), 20091105,
                     {{QStringLiteral("산차"), 1},
                      {QStringLiteral("회수"), 3},
                      {QStringLiteral("정액번호"), "0987"},
                      {QStringLiteral("분만난이도"), "1"}});
    farm.addBreeding(QStringLiteral("KR001"), 20091201, {{QStringLiteral("예정일"), 20100907}});
    farm.addBreeding(QStringLiteral("BULL1"), 20091110);  // listed: the book does not ask the sex
    farm.addBreeding(QStringLiteral("GONE"), 20091111);   // no animal any more: not listed
    EXPECT_EQ(rows(matingBook(), QDate(2009, 11, 1), QDate(2009, 12, 31)),
              QStringList({"KR001 |  | 1 | 3 | × | 0987 |  | 2009-11-05 |  | 1",
                           "BULL1 |  | 0 | 0 | × |  |  | 2009-11-10 |  | ",
                           "KR002 |  | 2 | 1 | ㅇ | 1203 | 1234 | 2009-11-20 | 김수정 | 2 (10-09-15)",
                           "KR001 |  | 0 | 0 | × |  |  | 2009-12-01 |  |  (10-09-07)"}));
}

TEST_F(BookSql, CalvingSelectsByCalvingDateButListsByInseminationDate)
{
    cow(QStringLiteral("KR001"));
    cow(QStringLiteral("KR002"));
    cow(QStringLiteral("KR003"));
    // KR002 was inseminated later but calved first.
    farm.addBreeding(QStringLiteral("KR002"), 20090301,
                     {{QStringLiteral("분만일"), 20091205},
                      {QStringLiteral("송아지번호"), "KR002-C"},
                      {QStringLiteral("성별"), 0},
                      {QStringLiteral("생시체중"), 32},
                      {QStringLiteral("산차"), 2},
                      {QStringLiteral("정액번호"), "1122"},
                      {QStringLiteral("분만난이도"), "1"},
                      {QStringLiteral("비고"), "쌍둥이"}});
    farm.addBreeding(QStringLiteral("KR001"), 20090220,
                     {{QStringLiteral("분만일"), 20091210},
                      {QStringLiteral("송아지번호"), "KR001-C"},
                      {QStringLiteral("성별"), 1},
                      {QStringLiteral("생시체중"), 1250},
                      {QStringLiteral("공란우"), "77"}});
    farm.addBreeding(QStringLiteral("KR003"), 20090210);  // no calving: never listed
    farm.addBreeding(QStringLiteral("KR003"), 20080210,
                     {{QStringLiteral("분만일"), 20081120}, {QStringLiteral("성별"), 0}});
    EXPECT_EQ(rows(calvingBook(), QDate(2009, 12, 1), QDate(2009, 12, 31)),
              QStringList({"KR001 | 77 | 0 |  | 2009-12-10 | KR001-C | 수 | 1,250 |  | ",
                           "KR002 |  | 2 | 1122 | 2009-12-05 | KR002-C | 암 | 32 | 1 | 쌍둥이"}));
}

TEST_F(BookSql, ShipmentListsEveryGradingOfThePeriodByDateWithTheAnimalsSexSireAndDam)
{
    allowSecondGradings();
    bull(QStringLiteral("KR010"), {{QStringLiteral("정액번호"), "1203"}, {QStringLiteral("모번호"), "KR900"}});
    cow(QStringLiteral("KR011"), {{QStringLiteral("정액번호"), "0835"}});
    grading(QStringLiteral("KR010"), 20091201,
            {{QStringLiteral("작업장"), "축산물공판장"},
             {QStringLiteral("생체중"), 650.4},
             {QStringLiteral("도체중"), 1420},
             {QStringLiteral("등심단면적"), 95.5},
             {QStringLiteral("등지방두께"), 12},
             {QStringLiteral("근내지방"), 7},
             {QStringLiteral("최종등급"), "1++"},
             {QStringLiteral("경락가"), 15000},
             {QStringLiteral("지육단가"), 18000}});
    grading(QStringLiteral("KR011"), 20091120, {{QStringLiteral("최종등급"), "2"}});
    grading(QStringLiteral("KR010"), 20091215, {{QStringLiteral("최종등급"), "1+"}});  // a second grading
    grading(QStringLiteral("KR011"), 20091031);                                        // before the period
    EXPECT_EQ(
        rows(shipmentBook(), QDate(2009, 11, 1), QDate(2009, 12, 31)),
        QStringList(
            {"KR011 | 암 | 0835 |  | 2009-11-20 |  | 0 | 0 | 0 | 0 | 0 |  | 2 | 0",
             "KR010 | 수 | 1203 | KR900 | 2009-12-01 | 축산물공판장 | 650 | 1,420 | 95.5 | 12 | 7 |  | 1++ | 15,000",
             "KR010 | 수 | 1203 | KR900 | 2009-12-15 |  | 0 | 0 | 0 | 0 | 0 |  | 1+ | 0"}));
}
