// The withdrawal warning of the record forms and the grading tab: asked before a leaving day
// (a cow's sale, a bull's shipment) or a grading date on or before the end of the animal's
// last withdrawal; No (the default) stores nothing, Yes goes on to the usual question.
#include "RegistryFixture.h"

#include "history/GradingPage.h"
#include "registry/AnimalRecordForm.h"

#include <QDateEdit>
#include <QTabWidget>

namespace {

const QDate kToday(2010, 2, 28);
const QDate kEnd(2010, 3, 5);  // the withdrawal of the animal's treatments ends here
const QString kWarning =
    "휴약기간 중인 개체입니다. (휴약만료일: 2010-03-05, 처치: 엔로플록사신 주사) 그래도 저장하시겠습니까?";

class WithdrawalGuardTest : public RegistryTest {
protected:
    // An animal with two treatments; the later-ending one decides.
    void animalInTreatment(const QString& number, int sex)
    {
        farm.addAnimal(number, sex, 20080101);
        farm.exec(
            "insert into 백신접종(개체번호, 날짜, 증상, 처치, 만료일) values(?, 20100220, '설사', '지사제', 20100301)",
            {number});
        farm.exec(
            "insert into 백신접종(개체번호, 날짜, 증상, 처치, 만료일) values(?, 20100225, '폐렴', '엔로플록사신 주사', "
            "?)",
            {number, dn(kEnd)});
    }
    AnimalRecordForm* openForm(const QString& number) { return openRecordForm(number); }
    void setDate(QWidget* f, const QString& field, const QDate& d, bool ticked = true)
    {
        find<QCheckBox>(field + "체크", f)->setChecked(ticked);
        find<QDateEdit>(field, f)->setDate(d);
    }
    QString storedDate(const QString& number, const QString& column)
    {
        return farm.scalar(QString("select %1 from 개체관리 where 개체번호 = ?").arg(column), {number});
    }
    static void expectWarning(const MessageSpec& m)
    {
        EXPECT_EQ(m.text, kWarning);
        EXPECT_EQ(m.icon, MsgIcon::Exclamation);
        EXPECT_EQ(m.buttons, MsgButton::Yes | MsgButton::No);
        EXPECT_EQ(m.defaultButton, MsgButton::No);
    }
};

}  // namespace

TEST_F(WithdrawalGuardTest, ALeavingDayWithinTheWithdrawalIsWarnedOnBothForms)
{
    animalInTreatment("COW", 0);
    animalInTreatment("BULL", 1);
    const struct Case {
        const char* what;
        const char* animal;
        const char* field;  // the date box ticked (others clear)
        QDate day;
        const char* column;  // where the form stores it
        bool warned;
    } cases[] = {
        {"cow sold on the last day", "COW", "판매일", kEnd, "판매일", true},
        {"cow sold before the end", "COW", "판매일", kToday, "판매일", true},
        {"cow sold the day after", "COW", "판매일", kEnd.addDays(1), "판매일", false},
        {"bull shipped on the last day", "BULL", "출하일", kEnd, "출하일", true},
        {"bull shipped the day after", "BULL", "출하일", kEnd.addDays(1), "출하일", false},
        // A bull's 판매일 is its castration, no leaving; an expected shipment is no shipment.
        {"bull castrated within", "BULL", "판매일", kToday, "판매일", false},
        {"bull planned for shipment within", "BULL", "출하예정일", kToday, "출하예정일", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        AnimalRecordForm* f = openForm(c.animal);
        ASSERT_TRUE(f);
        setDate(f, c.field, c.day);
        farm.messages().clear();
        farm.messages().answer(MsgButton::Yes);  // to the first box, whichever it is
        farm.messages().answer(MsgButton::Yes);
        click("Com_Button_0", f);
        const int questions = c.warned ? 2 : 1;
        ASSERT_EQ(farm.messages().count(), questions);
        if (c.warned) expectWarning(farm.messages().shown()[0].box);
        EXPECT_EQ(farm.messages().last().text, QString(c.animal) + "을(를) 수정하시겠습니까?");
        EXPECT_EQ(storedDate(c.animal, c.column), QString::number(dn(c.day)));
        setDate(f, c.field, c.day, false);
        farm.messages().answer(MsgButton::Yes);
        click("Com_Button_0", f);  // a clear box stores 0 without a warning
        EXPECT_EQ(farm.messages().count(), questions + 1);
        EXPECT_EQ(storedDate(c.animal, c.column), "0");
        f->closeForm();
    }
}

TEST_F(WithdrawalGuardTest, NoToTheWarningStoresNothingAndAsksNothingMore)
{
    animalInTreatment("COW", 0);
    AnimalRecordForm* f = openForm("COW");
    ASSERT_TRUE(f);
    setDate(f, "판매일", kEnd);
    find<QLineEdit>("개체특징", f)->setText("뿔 없음");
    find<QLineEdit>("개체번호", f)->setText("COW-2");
    click("Com_Button_0", f);  // unanswered: the default button, No
    ASSERT_EQ(farm.messages().count(), 1);
    expectWarning(farm.messages().last());
    EXPECT_EQ(storedDate("COW", "판매일"), "0");
    EXPECT_EQ(storedDate("COW", "개체특징"), "");
    EXPECT_EQ(farm.count("백신접종", "개체번호 = 'COW'"), 2);
    EXPECT_EQ(listGrid(window)->cellText(12, rowOf("COW")), "");
    EXPECT_EQ(f->storedNumber(), "COW");
}

TEST_F(WithdrawalGuardTest, TheGradingDateIsGuardedAsWell)
{
    animalInTreatment("BULL", 1);
    AnimalRecordForm* f = openForm("BULL");
    ASSERT_TRUE(f);
    GradingPage* page = f->gradingPage();
    page->textBox("작업장")->setText("공판장");
    page->datePicker()->setDate(kEnd);

    farm.messages().clear();
    farm.messages().answer(MsgButton::No);
    EXPECT_FALSE(page->save());
    ASSERT_EQ(farm.messages().count(), 1);
    expectWarning(farm.messages().last());
    EXPECT_EQ(farm.count("등급판정"), 0);
    EXPECT_FALSE(page->hasGrading());

    farm.messages().answer(MsgButton::Yes);
    farm.messages().answer(MsgButton::Yes);
    EXPECT_TRUE(page->save());
    ASSERT_EQ(farm.messages().count(), 3);
    expectWarning(farm.messages().shown()[1].box);
    EXPECT_EQ(farm.messages().last().text, "등급판정을 신규등록하시겠습니까?");
    EXPECT_EQ(farm.scalar("select 판정일 from 등급판정 where 개체번호 = 'BULL'"), "20100305");

    // Graded after the end: only the usual question.
    page->datePicker()->setDate(kEnd.addDays(1));
    farm.messages().answer(MsgButton::Yes);
    EXPECT_TRUE(page->save());
    EXPECT_EQ(farm.messages().count(), 4);
    EXPECT_EQ(farm.messages().last().text, "등급판정을 수정하시겠습니까?");
    EXPECT_EQ(farm.scalar("select 판정일 from 등급판정 where 개체번호 = 'BULL'"), "20100306");
}

TEST_F(WithdrawalGuardTest, AnAnimalWithoutTreatmentsOrWithEndedOnesIsNotWarned)
{
    farm.addAnimal("FREE", 0, 20080101);
    farm.addAnimal("ENDED", 0, 20080101);
    farm.exec(
        "insert into 백신접종(개체번호, 날짜, 증상, 처치, 만료일) values('ENDED', 20100201, '설사', '지사제', "
        "20100227)");
    for (const char* number : {"FREE", "ENDED"}) {
        SCOPED_TRACE(number);
        AnimalRecordForm* f = openForm(number);
        ASSERT_TRUE(f);
        setDate(f, "판매일", kToday);
        farm.messages().clear();
        farm.messages().answer(MsgButton::Yes);
        click("Com_Button_0", f);
        ASSERT_EQ(farm.messages().count(), 1);
        EXPECT_EQ(farm.messages().last().text, QString(number) + "을(를) 수정하시겠습니까?");
        EXPECT_EQ(storedDate(number, "판매일"), "20100228");
        f->closeForm();
    }
}
