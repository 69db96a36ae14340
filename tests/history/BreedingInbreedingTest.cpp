// The breeding dialog asks before it stores a service whose calf would be inbred.
#include "BreedingFixture.h"

namespace {
const QString kQuestion = QStringLiteral(
    "이 정액(KPN1105)은 이 암소의 외조부입니다. 태어날 송아지의 근교계수는 12.5%입니다. 그래도 저장하시겠습니까?");

// The cow's dam is a daughter of KPN1105: his calf with her would be 12.5 % inbred.
class BreedingInbreeding : public BreedingFixture {
protected:
    void SetUp() override
    {
        BreedingFixture::SetUp();
        farm.exec(QStringLiteral("insert into 씨수소(KPN, 구분, 아비, 외조부) values ('1105', '보증', '', '')"));
        farm.addAnimal(QStringLiteral("001"), 0, 0, {{"정액번호", "1105"}});
        farm.exec(QStringLiteral("update 개체관리 set 모번호 = '001' where 개체번호 = ?"), {kCow});
        tab->reload(kCow);
    }

    // Saves a new service by `semen` with `answer` to any question; whether it stored.
    bool saveServiceBy(const QString& semen, MsgButton answer, QString* focus = nullptr)
    {
        farm.messages().answer(answer);
        bool saved = false;
        withNew([&](HistoryEntryDialog& d) {
            fillRequired(d);
            d.textBox("정액번호")->setText(semen);
            saved = d.save();
            if (focus && d.focusWidget()) *focus = d.focusWidget()->objectName();
        });
        return saved;
    }
};
}  // namespace

TEST_F(BreedingInbreeding, NoReturnsToTheSemenNumberAndStoresNothing)
{
    QString focus;
    EXPECT_FALSE(saveServiceBy(QStringLiteral("KPN-1105"), MsgButton::No, &focus));
    ASSERT_EQ(farm.messages().count(), 1);
    const MessageSpec& m = farm.messages().last();
    EXPECT_EQ(m.text, kQuestion);
    EXPECT_EQ(m.title, QStringLiteral("근교 경고"));
    EXPECT_EQ(m.buttons, MsgButton::Yes | MsgButton::No);
    EXPECT_EQ(m.defaultButton, MsgButton::No);
    EXPECT_EQ(focus, QStringLiteral("정액번호"));
    EXPECT_EQ(farm.count(QStringLiteral("번식기록")), 0);
    EXPECT_EQ(tab->rowCount(), 0);
}

TEST_F(BreedingInbreeding, YesGoesOnToTheSaveQuestionAndStores)
{
    farm.messages().answer(MsgButton::Yes);  // then the save question
    EXPECT_TRUE(saveServiceBy(QStringLiteral("KPN1105"), MsgButton::Yes));
    ASSERT_EQ(farm.messages().count(), 2);
    EXPECT_EQ(farm.messages().shown()[0].box.text, kQuestion);
    EXPECT_EQ(farm.messages().last().text, QStringLiteral("번식기록을 신규등록하시겠습니까?"));
    EXPECT_EQ(farm.scalar(QStringLiteral("select 정액번호 from 번식기록 where 개체번호 = ?"), {kCow}),
              QStringLiteral("KPN1105"));
}

TEST_F(BreedingInbreeding, AnUnrelatedBullOrNoKpnNumberIsNotAskedAbout)
{
    for (const QString& semen : {QStringLiteral("KPN950"), QStringLiteral("한우 정액")}) {
        farm.messages().clear();
        EXPECT_TRUE(saveServiceBy(semen, MsgButton::Yes)) << semen.toStdString();
        ASSERT_EQ(farm.messages().count(), 1) << semen.toStdString();
        EXPECT_EQ(farm.messages().last().text, QStringLiteral("번식기록을 신규등록하시겠습니까?"));
        farm.exec(QStringLiteral("delete from 번식기록"));
        tab->reload(kCow);
    }
}

// The calf of an embryo transfer is the donor's: the recipient's tie to the bull says nothing.
TEST_F(BreedingInbreeding, AnEmbryoTransferIsNotAskedAboutTheRecipient)
{
    farm.messages().answer(MsgButton::Yes);
    bool saved = false;
    withNew([&](HistoryEntryDialog& d) {
        fillRequired(d);
        d.textBox("정액번호")->setText(QStringLiteral("KPN1105"));
        d.textBox("공란우")->setText(QStringLiteral("002000000099"));
        saved = d.save();
    });
    EXPECT_TRUE(saved);
    ASSERT_EQ(farm.messages().count(), 1);
    EXPECT_EQ(farm.messages().last().text, QStringLiteral("번식기록을 신규등록하시겠습니까?"));
}
