// The breeding rules without the dialog: checks, bound values and grid rows.
#include "history/model/BreedingRecord.h"

#include <gtest/gtest.h>

namespace {
BreedingInput minimal()
{
    BreedingInput in;
    in.산차 = QStringLiteral("1");
    in.회수 = QStringLiteral("1");
    in.수정일 = QDate(2009, 3, 1);
    in.정액번호 = QStringLiteral("KPN-1");
    in.판정일 = in.분만일 = QDate(2009, 3, 1);
    in.예정일 = QDate(2009, 12, 6);
    return in;
}
}  // namespace

TEST(BreedingRules, NumbersAreCheckedOnlyWhereTheyCount)
{
    BreedingInput in = minimal();
    in.BCS = QStringLiteral("없음");
    in.예정일체크 = false;
    in.생시체중 = QStringLiteral("  ");
    EXPECT_EQ(breeding::check(in), std::nullopt);

    in.예정일체크 = true;
    EXPECT_EQ(breeding::check(in), entry::invalidValue(QStringLiteral("BCS")));
    in.BCS = QStringLiteral(" 7 ");
    in.산차 = QStringLiteral("1,002");  // thousands separators read as a number
    EXPECT_EQ(breeding::check(in), std::nullopt);
}

TEST(BreedingRules, UntickedGroupsStoreTheirEmptyValues)
{
    BreedingInput in = minimal();
    in.BCS = QStringLiteral("9");
    in.송아지번호 = QStringLiteral("C1");
    in.가 = false;
    in.암 = false;
    const BoundStatement ins = breeding::insertStatement(QStringLiteral("002"), in);
    ASSERT_EQ(ins.binds.size(), 17);
    EXPECT_EQ(ins.sql.count(u'?'), 17);
    const QVariantList expected = {QStringLiteral("002"),
                                   1.0,
                                   1.0,
                                   20090301LL,
                                   QStringLiteral("KPN-1"),
                                   QString(),
                                   0,
                                   0,
                                   0,
                                   -1,
                                   0,
                                   QString(),
                                   -1,
                                   QString(),
                                   QString(),
                                   0,
                                   QString()};
    for (int i = 0; i < expected.size(); ++i) EXPECT_EQ(ins.binds[i].toString(), expected[i].toString()) << i;

    const BoundStatement up = breeding::updateStatement(QStringLiteral("002"), QStringLiteral("20090201"), in);
    ASSERT_EQ(up.binds.size(), 18);
    EXPECT_EQ(up.sql.count(u'?'), 18);
    EXPECT_EQ(up.binds[16].toString(), QStringLiteral("002"));
    EXPECT_EQ(up.binds[17].toLongLong(), 20090201);

    EXPECT_EQ(breeding::savedRow(in),
              QStringList({"1", "1", "2009-03-01", "KPN-1", "", "9", "", "", "", "", "", "", ""}));
}

TEST(BreedingRules, NonNumbersReachTheDatabaseUnchanged)
{
    // A number box that the checks do not cover is handed on as text, for the database to refuse.
    EXPECT_EQ(entry::v(QStringLiteral(" 12a ")), QVariant(QStringLiteral("12a")));
    EXPECT_EQ(entry::v(QString()), QVariant(0));
    EXPECT_EQ(entry::v(QStringLiteral("1,250.5")).toDouble(), 1250.5);
    EXPECT_EQ(entry::dateCellIfSet(QStringLiteral("0")), QString());
    EXPECT_EQ(entry::dateCellIfSet(QStringLiteral("20091206")), QStringLiteral("2009-12-06"));
    EXPECT_EQ(entry::dateCell(QStringLiteral("0")), QStringLiteral("0000-00-00"));
}
