// A date typed by hand and refused never lends the field's earlier date to a save clicked
// straight after the typing: the save stops at the date's note, with the focus back in the
// field, in an entry dialog, on the record form and on the grading page alike.
#include "RegistryFixture.h"

#include "history/CheckedDateEdit.h"
#include "history/GradingPage.h"
#include "history/HistoryEntryDialog.h"
#include "kit/model/DateTyping.h"
#include "support/ModalDriver.h"

#include <QDateEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QTabWidget>
#include <QTest>

namespace {

class TypedDateSaveTest : public RegistryTest {
protected:
    void SetUp() override
    {
        RegistryTest::SetUp();
        farm.addAnimal("A", 0);
        form = openRecordForm("A");
        ASSERT_TRUE(form);
    }
    // Types `text` into `picker` as a fresh date and clicks `save` with the mouse at once.
    static void typeThenClick(QDateEdit* picker, const QString& text, QAbstractButton* save)
    {
        picker->setFocus();
        QTest::keyClicks(picker, text);
        QTest::mouseClick(save, Qt::LeftButton);
        QApplication::processEvents();  // a note left for later would come now
    }
    // The one box shown was the date's note on `typed`, and the keys are back in `picker`.
    void expectOnlyTheNote(const QString& typed, QDateEdit* picker)
    {
        ASSERT_EQ(farm.messages().count(), 1);
        EXPECT_EQ(farm.messages().last().title, QStringLiteral("날짜 오류"));
        EXPECT_EQ(farm.messages().last().text, datetyping::unreadableDateNote(typed));
        EXPECT_EQ(QApplication::focusWidget(), picker);
    }
    static qint64 count(const QString& sql)
    {
        QSqlQuery q = runQuery(sql);
        return q.next() ? q.value(0).toLongLong() : -1;
    }

    AnimalRecordForm* form = nullptr;
};

TEST_F(TypedDateSaveTest, TheEntryDialogStoresNothingAfterARefusedDate)
{
    bool ran = false;
    driveModal<HistoryEntryDialog>(find<QAbstractButton>("cmdInsert1", form), [&](HistoryEntryDialog& d) {
        ran = true;
        d.textBox("산차")->setText("1");
        d.textBox("회수")->setText("1");
        d.textBox("정액번호")->setText("KPN-950");
        d.textBox("BCS")->setText("5");
        QDateEdit* served = d.datePicker("수정일");
        const QDate before = served->date();
        farm.messages().clear();
        typeThenClick(served, "2010021", d.saveButton());  // one digit short
        expectOnlyTheNote("2010021", served);
        EXPECT_EQ(served->date(), before);
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(count("select count(*) from 번식기록"), 0);

        // Typed whole, the same click stores the date typed.
        farm.messages().clear();
        farm.messages().answer(MsgButton::Yes);
        typeThenClick(served, "20100215", d.saveButton());
        ASSERT_EQ(farm.messages().count(), 1);
        EXPECT_EQ(farm.messages().last().icon, MsgIcon::Question);
    });
    ASSERT_TRUE(ran);
    EXPECT_EQ(count("select count(*) from 번식기록 where 수정일 = 20100215"), 1);
}

TEST_F(TypedDateSaveTest, TheRecordFormKeepsTheStoredDateAfterARefusedOne)
{
    auto* arrival = qobject_cast<CheckedDateEdit*>(find<QDateEdit>("입식일자", form)->parentWidget());
    ASSERT_TRUE(arrival);
    arrival->setTicked(true);
    arrival->setDate(QDate(2009, 5, 1));
    farm.messages().answer(MsgButton::Yes);
    find<QAbstractButton>("Com_Button_0", form)->click();
    ASSERT_EQ(count("select 입식일자 from 개체관리 where 개체번호 = 'A'"), 20090501);

    farm.messages().clear();
    typeThenClick(arrival->picker(), "2024061", find<QAbstractButton>("Com_Button_0", form));
    expectOnlyTheNote("2024061", arrival->picker());
    EXPECT_EQ(arrival->date(), QDate(2009, 5, 1));
    EXPECT_EQ(count("select 입식일자 from 개체관리 where 개체번호 = 'A'"), 20090501);
}

TEST_F(TypedDateSaveTest, TheGradingPageStoresNothingAfterARefusedDate)
{
    auto* page = form->findChild<GradingPage*>();
    ASSERT_TRUE(page);
    find<QTabWidget>("STAB", form)->setCurrentWidget(page);
    page->dateBox()->setTicked(true);
    farm.messages().clear();
    typeThenClick(page->datePicker(), "2010-02", find<QAbstractButton>("cmdUpate5", form));
    expectOnlyTheNote("2010-02", page->datePicker());
    EXPECT_EQ(count("select count(*) from 등급판정"), 0);
}

}  // namespace
