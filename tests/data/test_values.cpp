#include "data/Values.h"

#include <gtest/gtest.h>
#include <QVariant>

TEST(NullTrim, NullEmptyAndBlanks)
{
    EXPECT_EQ(NullTrim(QVariant()), QString());
    EXPECT_EQ(NullTrim(QVariant(QMetaType(QMetaType::QString))), QString());
    EXPECT_EQ(NullTrim(QVariant(QStringLiteral("  A1 \t"))), QStringLiteral("A1"));
    EXPECT_EQ(NullTrim(QVariant(5.0)), QStringLiteral("5"));
    EXPECT_EQ(NullTrim(QVariant(4.5)), QStringLiteral("4.5"));
    EXPECT_EQ(NullTrim(QVariant(qint64(20091208))), QStringLiteral("20091208"));
}

TEST(DateNumbers, RoundTripAndPatterns)
{
    struct Case {
        QDate date;
        qint64 number;
        const char* dashed;
        const char* longText;
    } cases[] = {
        {QDate(2009, 12, 8), 20091208, "2009-12-08", "2009년 12월 08일"},
        {QDate(2010, 2, 28), 20100228, "2010-02-28", "2010년 02월 28일"},
        {QDate(1999, 1, 1), 19990101, "1999-01-01", "1999년 01월 01일"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(datenum::fromDate(c.date), c.number);
        EXPECT_EQ(datenum::toDate(c.number), c.date);
        EXPECT_EQ(datenum::digits(c.number, QStringLiteral("0000-00-00")), QString::fromUtf8(c.dashed));
        EXPECT_EQ(datenum::longText(c.number), QString::fromUtf8(c.longText));
        EXPECT_EQ(datenum::fromDashed(QString::fromUtf8(c.dashed)), c.date);
        EXPECT_EQ(datenum::fromLongText(QString::fromUtf8(c.longText)), c.date);
        EXPECT_EQ(formatDate(c.date, QStringLiteral("yyyy년 mm월 dd일")), QString::fromUtf8(c.longText));
    }
    // 0 means no date.
    EXPECT_EQ(datenum::fromDate(QDate()), 0);
    EXPECT_FALSE(datenum::toDate(0).isValid());
    EXPECT_EQ(datenum::digits(0, QStringLiteral("0000-00-00")), QStringLiteral("0000-00-00"));
    EXPECT_EQ(datenum::longText(0), QString());
    EXPECT_FALSE(datenum::fromDashed(QStringLiteral("0000-00-00")).isValid());
    EXPECT_FALSE(datenum::toDate(20090230).isValid());

    const QDate d(2009, 3, 5);
    EXPECT_EQ(formatDate(d, QStringLiteral("yy-mm-dd")), QStringLiteral("09-03-05"));
    EXPECT_EQ(formatDate(d, QStringLiteral("yy.mm.dd")), QStringLiteral("09.03.05"));
    EXPECT_EQ(formatDate(d, QStringLiteral("yyyy-mm-dd")), QStringLiteral("2009-03-05"));
    EXPECT_EQ(formatDate(d, QStringLiteral("yyyymmdd")), QStringLiteral("20090305"));
    EXPECT_EQ(formatDate(QDate(), QStringLiteral("yy.mm.dd")), QString());
}

TEST(Months, ClampedAdditionAndAge)
{
    struct Case {
        QDate from;
        int months;
        QDate expected;
    } adds[] = {
        {QDate(2007, 10, 31), 28, QDate(2010, 2, 28)},
        {QDate(2008, 1, 31), 1, QDate(2008, 2, 29)},
        {QDate(2009, 1, 15), 28, QDate(2011, 5, 15)},
        {QDate(2009, 12, 31), 2, QDate(2010, 2, 28)},
    };
    for (const Case& c : adds)
        EXPECT_EQ(addMonthsClamped(c.from, c.months), c.expected) << c.from.toString().toStdString();

    struct Age {
        QDate birth, today;
        int months;
    } ages[] = {
        {QDate(2009, 1, 31), QDate(2009, 2, 1), 1},  // month boundaries, not days
        {QDate(2009, 1, 1), QDate(2009, 1, 31), 0},
        {QDate(2007, 10, 31), QDate(2010, 2, 28), 28},
        {QDate(2008, 12, 15), QDate(2010, 3, 1), 15},
    };
    for (const Age& a : ages) EXPECT_EQ(ageInMonths(a.birth, a.today), a.months);
}

TEST(Numbers, NumericTest)
{
    struct Case {
        const char* text;
        bool numeric;
        double value;
    } cases[] = {
        {"5", true, 5},
        {" 5 ", true, 5},
        {"-3.5", true, -3.5},
        {"+2", true, 2},
        {".5", true, 0.5},
        {"1,234", true, 1234},
        {"12,345.6", true, 12345.6},
        {"", false, 0},
        {"  ", false, 0},
        {"abc", false, 0},
        {"5a", false, 0},
        {"1.2.3", false, 0},
        {"-", false, 0},
        {".", false, 0},
        {"1,23", false, 0},
        {"오", false, 0},
        {"999,999,999,999", true, 999999999999.0},
        {"1000000000000", false, 0},  // absurd for any farm value
        {"-1000000000000", false, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(isNumeric(QString::fromUtf8(c.text)), c.numeric) << c.text;
        EXPECT_DOUBLE_EQ(numericValue(QString::fromUtf8(c.text)), c.value) << c.text;
    }
    // Hundreds of digits would be stored as infinity and could never be saved again.
    EXPECT_FALSE(isNumeric(QString(400, QLatin1Char('9'))));
    EXPECT_EQ(numericValue(QString(400, QLatin1Char('9'))), 0.0);
}

TEST(Numbers, Formats)
{
    struct Case {
        double value;
        const char* pattern;
        const char* expected;
    } cases[] = {
        {12345.6, "#,##0", "12,346"},    {12345.6, "##0", "12346"},    {0, "#,##0", "0"}, {999.5, "#,##0", "1,000"},
        {1234567, "#,##0", "1,234,567"}, {-1234.4, "#,##0", "-1,234"}, {0.4, "##0", "0"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(formatNumber(c.value, QString::fromUtf8(c.pattern)), QString::fromUtf8(c.expected)) << c.value;
}
