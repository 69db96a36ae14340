// The breeding dialog tells, once the service is stored, when the tank had no straw of its bull
// left; it never stops the save, and says nothing where the tank cannot tell.
#include "BreedingFixture.h"
#include "mating/model/SemenStock.h"

namespace {
const QString kNoStraws =
    QStringLiteral("정액 재고에 KPN1105 정액이 남아 있지 않습니다. 입고나 재고 조정을 확인해 주세요.");

// KPN1105: one straw received and used by cow 003; KPN950: three straws, none used.
class BreedingStraws : public BreedingFixture {
protected:
    void SetUp() override
    {
        BreedingFixture::SetUp();
        for (const auto& [kpn, straws] : {std::pair{"1105", 1}, std::pair{"950", 3}})
            farm.exec(QStringLiteral("insert into 정액재고 (일자, KPN, 종류, 수량) values (?, ?, '입고', ?)"),
                      {n(2024, 1, 2), QString::fromLatin1(kpn), straws});
        farm.addBreeding(QStringLiteral("003"), n(2024, 2, 1), {{"정액번호", "KPN1105"}});
        tab->reload(kCow);
    }

    // Saves a new service by `semen` (and an embryo donor) answering Yes; whether it stored.
    bool saveNewBy(const QString& semen, const QString& donor = {})
    {
        farm.messages().clear();
        farm.messages().answer(MsgButton::Yes);
        bool saved = false;
        withNew([&](HistoryEntryDialog& d) {
            fillRequired(d);
            d.textBox("정액번호")->setText(semen);
            d.textBox("공란우")->setText(donor);
            saved = d.save();
        });
        return saved;
    }
    QString storedSemen()
    {
        return farm.scalar(QStringLiteral("select 정액번호 from 번식기록 where 개체번호 = ?"), {kCow});
    }
};

TEST_F(BreedingStraws, AServiceByABullWithoutStrawsIsStoredThenTold)
{
    ASSERT_TRUE(saveNewBy(QStringLiteral("KPN-1105")));
    ASSERT_EQ(farm.messages().count(), 2);
    EXPECT_EQ(farm.messages().shown()[0].box.text, QStringLiteral("번식기록을 신규등록하시겠습니까?"));
    const MessageSpec& m = farm.messages().last();
    EXPECT_EQ(m.icon, MsgIcon::Information);
    EXPECT_EQ(m.title, QStringLiteral("정액 재고"));
    EXPECT_EQ(m.text, kNoStraws);
    EXPECT_EQ(m.buttons, MsgButton::Ok);
    EXPECT_EQ(storedSemen(), QStringLiteral("KPN-1105"));
    EXPECT_EQ(tab->rowCount(), 1);
    EXPECT_EQ(semenStock().at(QStringLiteral("1105")).left(), -1) << "the service counts as the tank's";
}

TEST_F(BreedingStraws, NoToTheSaveQuestionStoresNothingAndTellsNothing)
{
    farm.messages().answer(MsgButton::No);
    bool saved = true;
    withNew([&](HistoryEntryDialog& d) {
        fillRequired(d);
        d.textBox("정액번호")->setText(QStringLiteral("1105"));
        saved = d.save();
    });
    EXPECT_FALSE(saved);
    ASSERT_EQ(farm.messages().count(), 1);
    EXPECT_EQ(farm.messages().last().text, QStringLiteral("번식기록을 신규등록하시겠습니까?"));
    EXPECT_EQ(farm.count(QStringLiteral("번식기록"), QStringLiteral("개체번호 = ?"), {kCow}), 0);
}

TEST_F(BreedingStraws, StrawsLeftUnknownStockOrAnEmbryoSayNothing)
{
    const struct {
        const char* semen;
        const char* donor;
    } cases[] = {{"KPN950", ""}, {"KPN3000", ""}, {"KPN1105", "002000000009"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.semen);
        EXPECT_TRUE(saveNewBy(QString::fromUtf8(c.semen), QString::fromUtf8(c.donor)));
        ASSERT_EQ(farm.messages().count(), 1);
        EXPECT_EQ(farm.messages().last().text, QStringLiteral("번식기록을 신규등록하시겠습니까?"));
        farm.exec(QStringLiteral("delete from 번식기록 where 개체번호 = ?"), {kCow});
        tab->reload(kCow);
    }
}

TEST_F(BreedingStraws, AChangedRecordTellsOnlyWhenItsBullChanges)
{
    farm.addBreeding(kCow, n(2024, 3, 4), {{"정액번호", "KPN950"}, {"산차", 1}, {"회수", 1}});
    tab->reload(kCow);
    const auto changeSemenTo = [&](const QString& semen) {
        farm.messages().clear();
        farm.messages().answer(MsgButton::Yes);
        withChange(1, [&](HistoryEntryDialog& d) {
            d.textBox("정액번호")->setText(semen);
            EXPECT_TRUE(d.save());
        });
    };
    changeSemenTo(QStringLiteral("1105"));
    ASSERT_EQ(farm.messages().count(), 2);
    EXPECT_EQ(farm.messages().last().text, kNoStraws);
    EXPECT_EQ(storedSemen(), QStringLiteral("1105"));

    // The record took its straw when its bull was stored: typed otherwise, it is no new service.
    changeSemenTo(QStringLiteral("KPN-1105"));
    ASSERT_EQ(farm.messages().count(), 1);
    EXPECT_EQ(farm.messages().last().text, QStringLiteral("번식기록을 수정하시겠습니까?"));
    EXPECT_EQ(storedSemen(), QStringLiteral("KPN-1105"));
}

TEST_F(BreedingStraws, ATankThatCannotBeReadDoesNotStopTheService)
{
    farm.exec(QStringLiteral("drop table 정액재고"));
    EXPECT_TRUE(saveNewBy(QStringLiteral("KPN1105")));
    ASSERT_EQ(farm.messages().count(), 1);
    EXPECT_EQ(farm.messages().last().text, QStringLiteral("번식기록을 신규등록하시겠습니까?"));
    EXPECT_EQ(storedSemen(), QStringLiteral("KPN1105"));
}
}  // namespace
