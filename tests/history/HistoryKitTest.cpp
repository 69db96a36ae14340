// The history kit run from a definition other than breeding: a treatment-like history with a
// purchase date behind its check box and no date that follows another, and a text column
// stored as "0" when empty.
#include "data/Clock.h"
#include "history/HistoryEntryDialog.h"
#include "history/HistoryTab.h"
#include "kit/Grid.h"
#include "support/AccessibilityCheck.h"
#include "support/ModalDriver.h"
#include "support/TestFarm.h"

#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <functional>

namespace {
using namespace entry;

HistoryDefinition treatment()
{
    HistoryDefinition h;
    h.number = 4;
    h.table = "백신접종";
    h.caption = "진료·백신접종";
    h.dialogCaption = "진료·백신접종 및 도태/폐사 등록/수정";
    h.keyField = "날짜";
    h.headers = {"날 짜", "증상/백신명", "구입일", "구입처", "처 치", "휴약만료일", "수의사", "비고"};
    h.loadedRow = [](const StoredRecord& r) {
        return QStringList{r.dateCell("날짜"),
                           r.text("증상"),
                           r.dateCellIfSet("구입일"),
                           r.isSet("구입일") ? r.text("구입처") : QString(),
                           r.text("처치"),
                           r.dateCell("만료일"),
                           r.text("수의사"),
                           r.text("비고")};
    };
    h.fields = {dateField("날짜", "날      짜"),           textField("증상", "증상/백신명"),
                checkedDateField("구입일", "구 입 일"),    textField("구입처", "구 입 처").inGroup("구입일"),
                textField("처치", "처      치"),           dateField("만료일", "휴약만료일").onRight(),
                textField("수의사", "수 의 사").onRight(), textField("비고", "비고(경과)").onRight()};
    h.checks = {required("증상", "증상을 입력해 주세요."), required("처치", "처치을 입력해 주세요.")};
    h.gridFields = {"날짜", "증상", "구입일", "구입처", "처치", "만료일", "수의사", "비고"};
    return h;
}

class TreatmentKitTest : public FarmTest {
protected:
    const QDate kToday{2024, 5, 10};
    const QString kAnimal = "B-1";

    void SetUp() override
    {
        setTodayOverride(kToday);
        ASSERT_TRUE(farm.open());
        farm.addAnimal(kAnimal, 1);
        tab = new HistoryTab(definition, &host);
        tab->reload(kAnimal);
    }

    // Runs `body` on the dialog that `command` opens (row: the active row for a change); the
    // test fails when none opens.
    bool withDialog(const char* command, const std::function<void(HistoryEntryDialog&)>& body, int row = 1)
    {
        tab->grid()->setActiveCell(1, row);
        return driveModal<HistoryEntryDialog>(tab->findChild<QPushButton*>(QString::fromUtf8(command)), body);
    }
    QString purchase() { return farm.scalar("select 구입일 || '/' || 구입처 from 백신접종"); }

    const HistoryDefinition definition = treatment();
    QWidget host;
    HistoryTab* tab = nullptr;
};
}  // namespace

TEST_F(TreatmentKitTest, TheDeclarationAloneMakesTabAndDialog)
{
    EXPECT_EQ(tab->grid()->objectName(), "SS4");
    EXPECT_EQ(tab->grid()->accessibleName(), "진료·백신접종");
    for (const char* name : {"cmdInsert4", "cmdUpate4", "cmdDelete4"})
        EXPECT_NE(tab->findChild<QPushButton*>(QString::fromUtf8(name)), nullptr) << name;
    bool opened = false;
    withDialog("cmdInsert4", [&](HistoryEntryDialog& d) {
        opened = true;
        EXPECT_EQ(d.objectName(), "백신접종");
        EXPECT_EQ(d.windowTitle(), "진료·백신접종 및 도태/폐사 등록/수정");
        for (const char* date : {"날짜", "구입일", "만료일"}) EXPECT_EQ(d.datePicker(date)->date(), kToday) << date;
        EXPECT_FALSE(d.dateBox("구입일")->isChecked());
        EXPECT_FALSE(d.datePicker("구입일")->isEnabled());
        EXPECT_FALSE(d.textBox("구입처")->isEnabled());
        d.dateBox("구입일")->click();
        EXPECT_TRUE(d.datePicker("구입일")->isEnabled());
        EXPECT_TRUE(d.textBox("구입처")->isEnabled());
        // No date follows another here: changing the date leaves the purchase alone.
        d.dateBox("구입일")->setChecked(false);
        d.datePicker("날짜")->setDate(QDate(2024, 1, 1));
        EXPECT_FALSE(d.dateBox("구입일")->isChecked());
        EXPECT_EQ(controlsHeardByControlName(&d), QStringList());
    });
    EXPECT_TRUE(opened);
}

TEST_F(TreatmentKitTest, ThePurchaseIsStoredOnlyWhileItsBoxIsTicked)
{
    withDialog("cmdInsert4", [&](HistoryEntryDialog& d) {
        d.textBox("증상")->setText("설사");
        d.textBox("처치")->setText("수액");
        d.textBox("구입처")->setText("약국");  // typed, then the box left clear
        farm.messages().answer(MsgButton::Yes);
        EXPECT_TRUE(d.save());
    });
    EXPECT_EQ(farm.messages().last().text, "백신접종을 신규등록하시겠습니까?");
    EXPECT_EQ(purchase(), "0/");
    EXPECT_EQ(gridRow(tab->grid(), 1), QStringList({"2024-05-10", "설사", "", "", "수액", "2024-05-10", "", ""}));

    withDialog("cmdUpate4", [&](HistoryEntryDialog& d) {
        EXPECT_EQ(d.key(), "20240510");
        EXPECT_FALSE(d.dateBox("구입일")->isChecked());
        EXPECT_EQ(d.textBox("구입처")->text(), "");  // what was typed behind a clear box was not stored
        d.dateBox("구입일")->setChecked(true);
        d.datePicker("구입일")->setDate(QDate(2024, 5, 1));
        d.textBox("구입처")->setText("약국");
        farm.messages().answer(MsgButton::Yes);
        EXPECT_TRUE(d.save());
    });
    EXPECT_EQ(purchase(), "20240501/약국");
    EXPECT_EQ(gridRow(tab->grid(), 1)[2], "2024-05-01");
    EXPECT_EQ(gridRow(tab->grid(), 1)[3], "약국");

    // Loaded back with its purchase; unticking it stores none again.
    withDialog("cmdUpate4", [&](HistoryEntryDialog& d) {
        EXPECT_TRUE(d.dateBox("구입일")->isChecked());
        EXPECT_EQ(d.datePicker("구입일")->date(), QDate(2024, 5, 1));
        d.dateBox("구입일")->setChecked(false);
        farm.messages().answer(MsgButton::Yes);
        EXPECT_TRUE(d.save());
    });
    EXPECT_EQ(purchase(), "0/");
    EXPECT_EQ(gridRow(tab->grid(), 1)[3], "");

    // A stored place of purchase without a date stays out of the grid.
    farm.exec("update 백신접종 set 구입처 = '창고'");
    tab->reload(kAnimal);
    EXPECT_EQ(gridRow(tab->grid(), 1), QStringList({"2024-05-10", "설사", "", "", "수액", "2024-05-10", "", ""}));
}

TEST_F(TreatmentKitTest, ChecksInTheirOrderThenTheDateOfTheGrid)
{
    farm.exec("insert into 백신접종(개체번호, 날짜, 증상, 처치) values(?, ?, 'a', 'b')", {kAnimal, dn(kToday)});
    tab->reload(kAnimal);
    const struct {
        QString symptom, treatment, message, focus;
    } cases[] = {
        {"", "", "증상을 입력해 주세요.", "증상"},
        {"기침", " ", "처치을 입력해 주세요.", "처치"},
        {"기침", "주사", "날짜를 다시 선택해 주세요.", "날짜"},
    };
    for (const auto& c : cases) {
        farm.messages().clear();
        withDialog("cmdInsert4", [&](HistoryEntryDialog& d) {
            d.textBox("증상")->setText(c.symptom);
            d.textBox("처치")->setText(c.treatment);
            EXPECT_FALSE(d.save());
            QWidget* f = d.focusWidget();
            while (f && f->objectName().isEmpty()) f = f->parentWidget();
            ASSERT_TRUE(f);
            EXPECT_EQ(f->objectName(), c.focus);
        });
        ASSERT_EQ(farm.messages().count(), 1) << c.message.toStdString();
        EXPECT_EQ(farm.messages().last().text, c.message);
    }
    EXPECT_EQ(farm.count("백신접종"), 1);
}

TEST(HistoryKit, ATextColumnCanStoreZeroForAnEmptyBox)
{
    TestFarm farm;
    ASSERT_TRUE(farm.open());
    HistoryDefinition h;
    h.table = "체척";
    h.keyField = "측정일";
    h.fields = {textField("월령", "월     령", TextStore::TextOrZero), dateField("측정일", "측 정 일"),
                textField("측정자", "측 정 자"), textField("체고", "체     고", TextStore::Number)};
    EntryValues v = history::openingValues(h, QDate(2024, 5, 10));
    const BoundStatement first = history::insertStatement(h, "C", v);
    execStatement(first.sql, first.binds);
    EXPECT_EQ(farm.scalar("select 월령 || '/' || 측정자 || '/' || 체고 || '/' || 흉위 from 체척"), "0//0.0/0.0");

    v.texts["월령"] = " 12개월 ";
    v.texts["체고"] = "120.5";
    const BoundStatement change = history::updateStatement(h, "C", "20240510", v);
    execStatement(change.sql, change.binds);
    EXPECT_EQ(farm.scalar("select 월령 || '/' || 체고 from 체척"), "12개월/120.5");
}
