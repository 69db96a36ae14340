// The catalogue's checks field by field, and add / change / delete on a farm: a KPN is never
// stored twice, a renamed bull takes its tank entries along, and a refusal writes nothing.
#include "data/Db.h"
#include "mating/model/BullCatalogue.h"
#include "support/TestFarm.h"

namespace {

BullEntry goodEntry()
{
    BullEntry e;
    e.kpn = QStringLiteral("KPN1105");
    e.kind = QStringLiteral("보증");
    e.sire = QStringLiteral("KPN950");
    e.mgs = QStringLiteral("kpn 0812");
    e.ebv = {QStringLiteral("12.5"), QStringLiteral("+30"), QStringLiteral("-2"), QStringLiteral(""),
             QStringLiteral("1.25")};
    e.evaluation = QStringLiteral("2026.8");
    e.price = QStringLiteral("25,000원");
    return e;
}

TEST(BullCheck, AGoodEntryIsReadAsTheFarmMeantIt)
{
    Bull b;
    ASSERT_FALSE(checkBull(goodEntry(), &b));
    EXPECT_EQ(b.kpn, QStringLiteral("1105"));
    EXPECT_EQ(b.sire, QStringLiteral("950"));
    EXPECT_EQ(b.mgs, QStringLiteral("0812"));
    EXPECT_EQ(b.value(Trait::Carcass), 30.0);
    EXPECT_EQ(b.value(Trait::EyeMuscle), -2.0);
    EXPECT_FALSE(b.value(Trait::BackFat)) << "an empty value stays unknown, never 0";
    EXPECT_EQ(b.evaluation, QStringLiteral("2026-08"));
    EXPECT_EQ(b.price, 25000);

    BullEntry bare;
    bare.kpn = QStringLiteral("1105");
    ASSERT_FALSE(checkBull(bare, &b));
    EXPECT_TRUE(b.kind.isEmpty() && b.sire.isEmpty() && b.evaluation.isEmpty());
    EXPECT_FALSE(b.price);
    for (Trait t : kTraits) EXPECT_FALSE(b.value(t));
}

TEST(BullCheck, EachWrongFieldIsNamedWithItsOwnSentence)
{
    struct Case {
        const char* what;
        std::function<void(BullEntry&)> spoil;
        const char* field;
        const char* says;  // part of the message
    };
    const Case cases[] = {
        {"no KPN", [](BullEntry& e) { e.kpn.clear(); }, "KPN", "KPN 번호"},
        {"KPN with letters", [](BullEntry& e) { e.kpn = QStringLiteral("KPN11O5"); }, "KPN", "KPN 번호"},
        {"unknown kind", [](BullEntry& e) { e.kind = QStringLiteral("우수"); }, "구분", "보증, 후보, 기타"},
        {"sire no KPN", [](BullEntry& e) { e.sire = QStringLiteral("한우"); }, "아비", "아비의 KPN"},
        {"sire is itself", [](BullEntry& e) { e.sire = QStringLiteral("1105"); }, "아비", "자신"},
        {"mgs is itself", [](BullEntry& e) { e.mgs = QStringLiteral("KPN-1105"); }, "외조부", "자신"},
        {"carcass not a number", [](BullEntry& e) { e.ebv[1] = QStringLiteral("30kg"); }, "도체중", "-100에서 150"},
        {"carcass too high", [](BullEntry& e) { e.ebv[1] = QStringLiteral("150.1"); }, "도체중", "-100에서 150"},
        {"weight too low", [](BullEntry& e) { e.ebv[0] = QStringLiteral("-101"); }, "12개월령체중", "-100에서 150"},
        {"eye muscle", [](BullEntry& e) { e.ebv[2] = QStringLiteral("31"); }, "등심단면적", "-30에서 30"},
        {"back fat", [](BullEntry& e) { e.ebv[3] = QStringLiteral("-10.5"); }, "등지방두께", "-10에서 10"},
        {"marbling", [](BullEntry& e) { e.ebv[4] = QStringLiteral("5.01"); }, "근내지방도", "-5에서 5"},
        {"marbling nan", [](BullEntry& e) { e.ebv[4] = QStringLiteral("nan"); }, "근내지방도", "-5에서 5"},
        {"evaluation month 13", [](BullEntry& e) { e.evaluation = QStringLiteral("2026-13"); }, "평가", "2026-08"},
        {"evaluation a day", [](BullEntry& e) { e.evaluation = QStringLiteral("2026-08-01"); }, "평가", "2026-08"},
        {"price negative", [](BullEntry& e) { e.price = QStringLiteral("-1"); }, "단가", "10,000,000원"},
        {"price decimal", [](BullEntry& e) { e.price = QStringLiteral("12.5"); }, "단가", "10,000,000원"},
        {"price too high", [](BullEntry& e) { e.price = QStringLiteral("10,000,001"); }, "단가", "10,000,000원"},
    };
    for (const Case& c : cases) {
        BullEntry e = goodEntry();
        c.spoil(e);
        const std::optional<BullProblem> p = checkBull(e, nullptr);
        ASSERT_TRUE(p) << c.what;
        EXPECT_EQ(p->field, QString::fromUtf8(c.field)) << c.what;
        EXPECT_TRUE(p->message.contains(QString::fromUtf8(c.says))) << c.what << ": " << p->message.toStdString();
    }
    // The ends of each range are sane values.
    BullEntry edge = goodEntry();
    edge.ebv = {QStringLiteral("-100"), QStringLiteral("150"), QStringLiteral("30"), QStringLiteral("-10"),
                QStringLiteral("5")};
    edge.price = QStringLiteral("10,000,000");
    EXPECT_FALSE(checkBull(edge, nullptr));
}

TEST(BullCheck, AStoredBullComesBackToTheSameEntry)
{
    Bull b;
    ASSERT_FALSE(checkBull(goodEntry(), &b));
    Bull again;
    ASSERT_FALSE(checkBull(entryOf(b), &again));
    EXPECT_EQ(entryOf(again).kpn, QStringLiteral("KPN1105"));
    EXPECT_EQ(again.ebv, b.ebv);
    EXPECT_EQ(again.price, b.price);
    EXPECT_EQ(again.evaluation, b.evaluation);
}

class BullCatalogueTest : public FarmTest {
protected:
    void SetUp() override { ASSERT_TRUE(farm.open()); }
};

TEST_F(BullCatalogueTest, AddStoresUnknownsAsNullAndRefusesASecondBullWithTheSameKpn)
{
    ASSERT_FALSE(addBull(goodEntry()));
    EXPECT_EQ(farm.scalar(QStringLiteral("select typeof(등지방두께) from 씨수소 where KPN = '1105'")),
              QStringLiteral("null"));
    const std::optional<Bull> b = findBull(QStringLiteral("1105"));
    ASSERT_TRUE(b);
    EXPECT_EQ(b->value(Trait::Marbling), 1.25);

    BullEntry again = goodEntry();
    again.kpn = QStringLiteral("1105");
    again.kind = QStringLiteral("후보");
    const std::optional<BullProblem> p = addBull(again);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->message, QStringLiteral("KPN1105은(는) 이미 씨수소 목록에 있습니다."));
    EXPECT_EQ(farm.count(QStringLiteral("씨수소")), 1);
    EXPECT_EQ(findBull(QStringLiteral("1105"))->kind, QStringLiteral("보증"));

    BullEntry wrong = goodEntry();
    wrong.kpn = QStringLiteral("2001");
    wrong.price = QStringLiteral("x");
    ASSERT_TRUE(addBull(wrong));
    EXPECT_EQ(farm.count(QStringLiteral("씨수소")), 1) << "a refused bull writes nothing";
}

TEST_F(BullCatalogueTest, ChangeMayRenameOnlyToAFreeKpnAndTakesTheTankEntriesAlong)
{
    ASSERT_FALSE(addBull(goodEntry()));
    BullEntry other;
    other.kpn = QStringLiteral("1200");
    ASSERT_FALSE(addBull(other));
    farm.exec(
        QStringLiteral("insert into 정액재고 (일자, KPN, 종류, 수량, 단가, 공급처, 비고) "
                       "values (20260105, '1105', '입고', 10, null, '', '')"));

    BullEntry e = goodEntry();
    e.kpn = QStringLiteral("KPN1200");
    const std::optional<BullProblem> taken = changeBull(QStringLiteral("1105"), e);
    ASSERT_TRUE(taken);
    EXPECT_EQ(taken->field, QStringLiteral("KPN"));
    EXPECT_TRUE(findBull(QStringLiteral("1105")));

    e.kpn = QStringLiteral("1106");
    e.ebv[1].clear();
    ASSERT_FALSE(changeBull(QStringLiteral("1105"), e));
    EXPECT_FALSE(findBull(QStringLiteral("1105")));
    const std::optional<Bull> moved = findBull(QStringLiteral("1106"));
    ASSERT_TRUE(moved);
    EXPECT_FALSE(moved->value(Trait::Carcass)) << "a value emptied becomes unknown again";
    EXPECT_EQ(farm.count(QStringLiteral("정액재고"), QStringLiteral("KPN = '1106'")), 1);

    // Keeping its own KPN is no clash.
    e.kind = QStringLiteral("기타");
    ASSERT_FALSE(changeBull(QStringLiteral("1106"), e));
    EXPECT_EQ(findBull(QStringLiteral("1106"))->kind, QStringLiteral("기타"));

    // A bull deleted meanwhile is not written back.
    deleteBull(QStringLiteral("1106"));
    EXPECT_TRUE(changeBull(QStringLiteral("1106"), e));
    EXPECT_EQ(farm.count(QStringLiteral("씨수소")), 1);
    EXPECT_EQ(farm.count(QStringLiteral("정액재고")), 1) << "the tank's history stays";
}

}  // namespace
