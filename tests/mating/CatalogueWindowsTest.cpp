// The catalogue and tank windows driven through their controls: a bull added, refused with its
// message and the focus on the box at fault, changed and deleted after the question; the stock
// column with "-" for a bull without a receipt; a receipt, a refused adjustment and a delete.
#include "data/Db.h"
#include "kit/Grid.h"
#include "mating/BullCatalogueWindow.h"
#include "mating/BullEntryDialog.h"
#include "mating/SemenEntryDialog.h"
#include "mating/SemenStockWindow.h"
#include "mating/model/Bull.h"
#include "support/AccessibilityCheck.h"
#include "support/ModalDriver.h"
#include "support/TestFarm.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>

namespace {

class CatalogueWindowsTest : public FarmTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(farm.open());
        farm.exec(
            QStringLiteral("insert into 씨수소 (KPN, 구분, 아비, 외조부, 도체중, 근내지방도, 평가, 단가) "
                           "values ('950', '보증', '', '', 21.5, null, '2026-02', 30000)"));
        farm.exec(
            QStringLiteral("insert into 정액재고 (일자, KPN, 종류, 수량, 단가, 공급처, 비고) "
                           "values (20260301, '950', '입고', 10, null, '', '')"));
        farm.addBreeding(QStringLiteral("002000000001"), 20260310,
                         {{QStringLiteral("정액번호"), QStringLiteral("950")}});
    }
};

TEST_F(CatalogueWindowsTest, TheCatalogueListsBullsWithTheirStrawsAndUnknownsEmpty)
{
    farm.exec(QStringLiteral("insert into 씨수소 (KPN, 구분, 아비, 외조부) values ('1105', '후보', '950', '')"));
    BullCatalogueWindow w;
    EXPECT_TRUE(controlsHeardByControlName(&w).isEmpty()) << controlsHeardByControlName(&w).join(u' ').toStdString();
    const Grid* g = w.grid();
    ASSERT_EQ(g->maxRows(), 2);
    EXPECT_EQ(g->rowTexts(1), (QStringList{QStringLiteral("KPN950"),
                                           QStringLiteral("보증"),
                                           {},
                                           {},
                                           {},
                                           QStringLiteral("21.5"),
                                           {},
                                           {},
                                           {},
                                           QStringLiteral("2026-02"),
                                           QStringLiteral("30,000"),
                                           QStringLiteral("9")}));
    EXPECT_EQ(g->cellText(3, 2), QStringLiteral("KPN950"));
    EXPECT_EQ(g->cellText(12, 2), QStringLiteral("-")) << "no receipt: the stock is unknown";
}

TEST_F(CatalogueWindowsTest, ABullIsAddedAfterAWrongValueIsRefusedWithItsBoxFocused)
{
    BullCatalogueWindow w;
    const bool ran = driveModal<BullEntryDialog>(w.addButton(), [&](BullEntryDialog& d) {
        EXPECT_TRUE(controlsHeardByControlName(&d).isEmpty())
            << controlsHeardByControlName(&d).join(u' ').toStdString();
        d.textBox(QStringLiteral("KPN"))->setText(QStringLiteral("KPN 1200"));
        d.kindBox()->setCurrentText(QStringLiteral("후보"));
        d.textBox(QStringLiteral("아비"))->setText(QStringLiteral("950"));
        d.textBox(QStringLiteral("근내지방도"))->setText(QStringLiteral("7"));
        d.buttons().save->click();
        ASSERT_EQ(farm.messages().count(), 1);
        EXPECT_TRUE(farm.messages().last().text.contains(QStringLiteral("근내지방도")));
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(d.focusWidget(), d.textBox(QStringLiteral("근내지방도")));
        d.textBox(QStringLiteral("근내지방도"))->setText(QStringLiteral("1.8"));
        d.buttons().save->click();
        EXPECT_FALSE(d.isVisible());
    });
    ASSERT_TRUE(ran);
    EXPECT_EQ(
        farm.scalar(QStringLiteral("select 구분 || '/' || 아비 || '/' || 근내지방도 from 씨수소 where KPN = '1200'")),
        QStringLiteral("후보/950/1.8"));
    ASSERT_EQ(w.grid()->maxRows(), 2);
    EXPECT_EQ(w.grid()->activeRow(), 2) << "the new bull is the active row";

    // The same KPN again is refused and nothing is added.
    farm.messages().clear();
    driveModal<BullEntryDialog>(w.addButton(), [&](BullEntryDialog& d) {
        d.textBox(QStringLiteral("KPN"))->setText(QStringLiteral("1200"));
        d.buttons().save->click();
        EXPECT_TRUE(d.isVisible());
    });
    ASSERT_EQ(farm.messages().count(), 1);
    EXPECT_EQ(farm.messages().last().text, QStringLiteral("KPN1200은(는) 이미 씨수소 목록에 있습니다."));
    EXPECT_EQ(farm.count(QStringLiteral("씨수소")), 2);
}

TEST_F(CatalogueWindowsTest, ChangeOpensOnTheStoredBullAndDeleteAsksFirst)
{
    BullCatalogueWindow w;
    w.grid()->setActiveCell(1, 1);
    driveModal<BullEntryDialog>(w.changeButton(), [&](BullEntryDialog& d) {
        EXPECT_EQ(d.textBox(QStringLiteral("KPN"))->text(), QStringLiteral("KPN950"));
        EXPECT_EQ(d.textBox(QStringLiteral("도체중"))->text(), QStringLiteral("21.5"));
        EXPECT_TRUE(d.textBox(QStringLiteral("근내지방도"))->text().isEmpty());
        d.textBox(QStringLiteral("도체중"))->setText(QStringLiteral("25"));
        d.buttons().save->click();
    });
    EXPECT_EQ(farm.scalar(QStringLiteral("select 도체중 from 씨수소 where KPN = '950'")), QStringLiteral("25"));

    farm.messages().answer(MsgButton::No);
    w.deleteButton()->click();
    EXPECT_EQ(farm.count(QStringLiteral("씨수소")), 1);
    EXPECT_EQ(farm.messages().last().text, QStringLiteral("KPN950을(를) 씨수소 목록에서 삭제하시겠습니까?"));
    farm.messages().answer(MsgButton::Yes);
    w.deleteButton()->click();
    EXPECT_EQ(farm.count(QStringLiteral("씨수소")), 0);
    EXPECT_EQ(w.grid()->maxRows(), 0);
    EXPECT_FALSE(w.changeButton()->isEnabled());
}

TEST_F(CatalogueWindowsTest, TheTankTakesAReceiptRefusesAnOverdrawnAdjustmentAndDeletes)
{
    SemenStockWindow w;
    EXPECT_TRUE(controlsHeardByControlName(&w).isEmpty()) << controlsHeardByControlName(&w).join(u' ').toStdString();
    ASSERT_EQ(w.stockGrid()->maxRows(), 1);
    EXPECT_EQ(w.stockGrid()->rowTexts(1),
              (QStringList{QStringLiteral("KPN950"), QStringLiteral("2026-03-01"), QStringLiteral("10"),
                           QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("9")}));

    driveModal<SemenEntryDialog>(w.receiptButton(), [&](SemenEntryDialog& d) {
        EXPECT_TRUE(controlsHeardByControlName(&d).isEmpty())
            << controlsHeardByControlName(&d).join(u' ').toStdString();
        d.datePicker()->setDate(QDate(2026, 4, 1));
        d.textBox(QStringLiteral("KPN"))->setText(QStringLiteral("KPN1105"));
        d.textBox(QStringLiteral("수량"))->setText(QStringLiteral("20"));
        d.textBox(QStringLiteral("단가"))->setText(QStringLiteral("15000"));
        d.textBox(QStringLiteral("공급처"))->setText(QStringLiteral("한우개량사업소"));
        d.buttons().save->click();
        EXPECT_FALSE(d.isVisible());
    });
    ASSERT_EQ(w.stockGrid()->maxRows(), 2);
    EXPECT_EQ(w.stockGrid()->cellText(1, 2), QStringLiteral("KPN1105")) << "by number: 950 first";
    EXPECT_EQ(w.stockGrid()->cellText(6, 2), QStringLiteral("20"));
    EXPECT_EQ(w.entryGrid()->cellText(2, 1), QStringLiteral("KPN1105")) << "newest first";

    w.stockGrid()->setActiveCell(1, 1);
    driveModal<SemenEntryDialog>(w.adjustButton(), [&](SemenEntryDialog& d) {
        EXPECT_EQ(d.textBox(QStringLiteral("KPN"))->text(), QStringLiteral("KPN950"));
        EXPECT_FALSE(d.textBox(QStringLiteral("단가")));
        d.kindBox()->setCurrentText(QStringLiteral("이동"));
        d.textBox(QStringLiteral("수량"))->setText(QStringLiteral("10"));
        d.buttons().save->click();
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(farm.messages().last().text,
                  QStringLiteral("KPN950의 남은 재고는 9스트로입니다. 재고보다 많이 이동할 수 없습니다."));
        EXPECT_EQ(d.focusWidget(), d.textBox(QStringLiteral("수량")));
        d.textBox(QStringLiteral("수량"))->setText(QStringLiteral("9"));
        d.buttons().save->click();
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_EQ(farm.scalar(QStringLiteral("select 수량 from 정액재고 where 종류 = '이동'")), QStringLiteral("-9"));
    EXPECT_EQ(w.stockGrid()->cellText(6, 1), QStringLiteral("0"));

    // The 이동 is the newest entry; deleting it gives the straws back.
    w.entryGrid()->setActiveCell(1, 1);
    farm.messages().answer(MsgButton::Yes);
    w.deleteButton()->click();
    EXPECT_EQ(farm.count(QStringLiteral("정액재고")), 2);
    EXPECT_EQ(w.stockGrid()->cellText(6, 1), QStringLiteral("9"));
}

}  // namespace
