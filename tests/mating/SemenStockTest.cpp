// The semen tank on a small farm: a bull's straws count from its first receipt, services before
// it and embryo transfers are not taken off, 정액번호 typed with "KPN" counts, adjustments never take the stock below
// 0, and a bull without a receipt has no account at all.
#include "data/Db.h"
#include "data/Values.h"
#include "mating/model/SemenStock.h"
#include "support/TestFarm.h"

namespace {

class SemenStockTest : public FarmTest {
protected:
    void SetUp() override { ASSERT_TRUE(farm.open()); }

    static SemenEntryInput input(const QDate& day, const QString& kpn, const QString& kind, const QString& straws)
    {
        SemenEntryInput in;
        in.day = day;
        in.kpn = kpn;
        in.kind = kind;
        in.straws = straws;
        return in;
    }
    void service(const QString& cow, const QDate& day, const QString& semen)
    {
        farm.addBreeding(cow, dn(day), {{QStringLiteral("정액번호"), semen}});
    }
};

TEST_F(SemenStockTest, StockIsReceivedLessAdjustedLessServicesSinceTheFirstReceipt)
{
    ASSERT_FALSE(storeSemenEntry(
        input(QDate(2026, 3, 1), QStringLiteral("KPN1105"), QStringLiteral("입고"), QStringLiteral("10"))));
    ASSERT_FALSE(
        storeSemenEntry(input(QDate(2026, 6, 1), QStringLiteral("1105"), QStringLiteral("입고"), QStringLiteral("5"))));
    ASSERT_FALSE(
        storeSemenEntry(input(QDate(2026, 7, 1), QStringLiteral("1105"), QStringLiteral("폐기"), QStringLiteral("2"))));
    EXPECT_EQ(farm.scalar(QStringLiteral("select 수량 from 정액재고 where 종류 = '폐기'")), QStringLiteral("-2"));
    service(QStringLiteral("002000000001"), QDate(2026, 2, 28), QStringLiteral("1105"));  // before: not counted
    service(QStringLiteral("002000000001"), QDate(2026, 3, 1), QStringLiteral("1105"));   // the day itself
    service(QStringLiteral("002000000002"), QDate(2026, 4, 9), QStringLiteral("KPN1105"));
    service(QStringLiteral("002000000003"), QDate(2026, 4, 9), QStringLiteral("950"));  // a bull without a receipt
    farm.addBreeding(QStringLiteral("002000000004"), dn(QDate(2026, 5, 1)),
                     {{QStringLiteral("정액번호"), QStringLiteral("1105")},
                      {QStringLiteral("공란우"), QStringLiteral("002000000009")}});  // an embryo: no straw

    const std::map<QString, BullStock> stock = semenStock();
    ASSERT_EQ(stock.size(), 1u) << "a bull without a receipt has no account";
    const BullStock& s = stock.at(QStringLiteral("1105"));
    EXPECT_EQ(s.firstReceipt, QDate(2026, 3, 1));
    EXPECT_EQ(s.received, 15);
    EXPECT_EQ(s.adjusted, 2);
    EXPECT_EQ(s.used, 2);
    EXPECT_EQ(s.left(), 11);
}

TEST_F(SemenStockTest, AdjustmentsCannotTakeStockBelowZeroNorComeWithoutAReceipt)
{
    const std::optional<SemenProblem> none =
        storeSemenEntry(input(QDate(2026, 3, 1), QStringLiteral("1105"), QStringLiteral("이동"), QStringLiteral("1")));
    ASSERT_TRUE(none);
    EXPECT_EQ(none->field, QStringLiteral("KPN"));
    EXPECT_TRUE(none->message.contains(QStringLiteral("입고 기록이 없어"))) << none->message.toStdString();

    ASSERT_FALSE(
        storeSemenEntry(input(QDate(2026, 3, 1), QStringLiteral("1105"), QStringLiteral("입고"), QStringLiteral("3"))));
    service(QStringLiteral("002000000001"), QDate(2026, 3, 2), QStringLiteral("1105"));
    const std::optional<SemenProblem> over =
        storeSemenEntry(input(QDate(2026, 3, 5), QStringLiteral("1105"), QStringLiteral("폐기"), QStringLiteral("3")));
    ASSERT_TRUE(over);
    EXPECT_EQ(over->message, QStringLiteral("KPN1105의 남은 재고는 2스트로입니다. 재고보다 많이 폐기할 수 없습니다."));
    ASSERT_FALSE(
        storeSemenEntry(input(QDate(2026, 3, 5), QStringLiteral("1105"), QStringLiteral("이동"), QStringLiteral("2"))));
    EXPECT_EQ(semenStock().at(QStringLiteral("1105")).left(), 0);
    EXPECT_EQ(farm.count(QStringLiteral("정액재고")), 2) << "refusals write nothing";
}

TEST_F(SemenStockTest, TypedValuesAreCheckedBeforeAnythingIsStored)
{
    struct Case {
        const char* what;
        std::function<void(SemenEntryInput&)> spoil;
        const char* field;
    };
    const Case cases[] = {
        {"no date", [](SemenEntryInput& in) { in.day = QDate(); }, "일자"},
        {"no KPN", [](SemenEntryInput& in) { in.kpn = QStringLiteral("황소"); }, "KPN"},
        {"kind", [](SemenEntryInput& in) { in.kind = QStringLiteral("판매"); }, "종류"},
        {"zero straws", [](SemenEntryInput& in) { in.straws = QStringLiteral("0"); }, "수량"},
        {"negative straws", [](SemenEntryInput& in) { in.straws = QStringLiteral("-3"); }, "수량"},
        {"half a straw", [](SemenEntryInput& in) { in.straws = QStringLiteral("1.5"); }, "수량"},
        {"price", [](SemenEntryInput& in) { in.price = QStringLiteral("만원"); }, "단가"},
    };
    for (const Case& c : cases) {
        SemenEntryInput in =
            input(QDate(2026, 3, 1), QStringLiteral("1105"), QStringLiteral("입고"), QStringLiteral("10"));
        c.spoil(in);
        const std::optional<SemenProblem> p = storeSemenEntry(in);
        ASSERT_TRUE(p) << c.what;
        EXPECT_EQ(p->field, QString::fromUtf8(c.field)) << c.what;
        EXPECT_FALSE(p->message.isEmpty());
    }
    EXPECT_EQ(farm.count(QStringLiteral("정액재고")), 0);

    SemenEntryInput priced =
        input(QDate(2026, 3, 1), QStringLiteral("1105"), QStringLiteral("입고"), QStringLiteral("10"));
    priced.price = QStringLiteral("30,000");
    priced.supplier = QStringLiteral(" 농협 ");
    ASSERT_FALSE(storeSemenEntry(priced));
    ASSERT_FALSE(
        storeSemenEntry(input(QDate(2026, 3, 2), QStringLiteral("1105"), QStringLiteral("입고"), QStringLiteral("1"))));
    const std::vector<SemenEntry> entries = loadSemenEntries();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].day, QDate(2026, 3, 2)) << "newest first";
    EXPECT_FALSE(entries[0].price) << "no price typed: unknown, not 0";
    EXPECT_EQ(entries[1].price, 30000);
    EXPECT_EQ(entries[1].supplier, QStringLiteral("농협"));
}

TEST_F(SemenStockTest, AReceiptWhoseStrawsAreGoneCannotBeDeleted)
{
    ASSERT_FALSE(
        storeSemenEntry(input(QDate(2026, 3, 1), QStringLiteral("1105"), QStringLiteral("입고"), QStringLiteral("2"))));
    ASSERT_FALSE(
        storeSemenEntry(input(QDate(2026, 5, 1), QStringLiteral("1105"), QStringLiteral("입고"), QStringLiteral("2"))));
    ASSERT_FALSE(
        storeSemenEntry(input(QDate(2026, 5, 2), QStringLiteral("1105"), QStringLiteral("폐기"), QStringLiteral("3"))));
    const std::vector<SemenEntry> entries = loadSemenEntries();  // 폐기, second, first receipt
    ASSERT_EQ(entries.size(), 3u);

    const std::optional<SemenProblem> p = deleteSemenEntry(entries[1].rowId);
    ASSERT_TRUE(p);
    EXPECT_TRUE(p->message.contains(QStringLiteral("삭제할 수 없습니다"))) << p->message.toStdString();
    EXPECT_EQ(farm.count(QStringLiteral("정액재고")), 3) << "the refused delete was rolled back";

    ASSERT_FALSE(deleteSemenEntry(entries[0].rowId));  // the 폐기 goes
    ASSERT_FALSE(deleteSemenEntry(entries[1].rowId));
    EXPECT_EQ(semenStock().at(QStringLiteral("1105")).left(), 2);
}

}  // namespace
