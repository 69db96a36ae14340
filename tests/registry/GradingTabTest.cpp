// The grading tab inside the record forms, the cow's fifth and the bull's fourth alike: loaded
// when the list opens an animal, focused on 작업장 when selected, and stored under the number
// the form has stored the animal as.
#include "RegistryFixture.h"

#include "history/GradingPage.h"
#include "registry/AnimalRecordForm.h"

#include <QDateEdit>
#include <QTabWidget>

namespace {

struct FormKind {
    int sex;
    const char* form;
    const char* newCommand;
    int gradingTab;
};

class GradingTabTest : public RegistryTest, public ::testing::WithParamInterface<FormKind> {
protected:
    AnimalRecordForm* openForm(const QString& number)
    {
        if (!window) openList();
        searchFor();
        listGrid(window)->setActiveCell(1, rowOf(number));
        click("cmdUpdate");
        return shownForm();
    }
    AnimalRecordForm* shownForm()
    {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == GetParam().form && w->isVisible()) return qobject_cast<AnimalRecordForm*>(w);
        ADD_FAILURE() << "no open form " << GetParam().form;
        return nullptr;
    }
    // Clicks `command` on the form, answering its question.
    void clickAnswering(AnimalRecordForm* f, const QString& command, MsgButton answer)
    {
        farm.messages().answer(answer);
        click(command, f);
    }
    QString storedWorkplace(const QString& number)
    {
        return farm.scalar("select 작업장 from 등급판정 where 개체번호 = ?", {number});
    }
};

const FormKind kKinds[] = {{0, "한우암소관리", "cmdInsert", 4}, {1, "한우수소관리", "cmdInsert2", 3}};

}  // namespace

TEST_P(GradingTabTest, TheListLoadsTheGradingAndTheTabStoresAndDeletesIt)
{
    farm.addAnimalWithHistory("A", GetParam().sex);
    farm.exec("update 등급판정 set 작업장 = '공판장', 지육단가 = 1234567 where 개체번호 = 'A'");
    AnimalRecordForm* f = openForm("A");
    ASSERT_TRUE(f);
    GradingPage* page = f->gradingPage();
    ASSERT_TRUE(page);
    EXPECT_TRUE(page->hasGrading());
    EXPECT_EQ(page->textBox("작업장")->text(), "공판장");
    EXPECT_EQ(page->textBox("지육단가")->text(), "1,234,567");
    EXPECT_EQ(page->datePicker()->date(), QDate(2009, 5, 1));

    auto* tabs = find<QTabWidget>("STAB", f);
    tabs->setCurrentIndex(GetParam().gradingTab);
    EXPECT_EQ(tabs->currentWidget(), page);
    EXPECT_EQ(QApplication::focusWidget(), page->textBox("작업장"));

    page->textBox("작업장")->setText("도축장");
    clickAnswering(f, "cmdUpate5", MsgButton::Yes);
    EXPECT_EQ(farm.messages().last().text, "등급판정을 수정하시겠습니까?");
    EXPECT_EQ(storedWorkplace("A"), "도축장");

    clickAnswering(f, "cmdDelete5", MsgButton::Yes);
    EXPECT_EQ(farm.messages().last().text, "등급판정 내역을 삭제하시겠습니까?");
    EXPECT_EQ(farm.count("등급판정"), 0);
    EXPECT_EQ(page->textBox("작업장")->text(), "");
    EXPECT_EQ(page->datePicker()->date(), QDate(2010, 2, 28));

    const int before = farm.messages().count();
    click("cmdDelete5", f);  // no row: not even the question
    EXPECT_EQ(farm.messages().count(), before);

    page->textBox("작업장")->setText("다시");
    clickAnswering(f, "cmdUpate5", MsgButton::Yes);
    EXPECT_EQ(farm.messages().last().text, "등급판정을 신규등록하시겠습니까?");
    EXPECT_EQ(storedWorkplace("A"), "다시");
}

TEST_P(GradingTabTest, ANewAnimalsGradingIsStoredUnderItsTrimmedNumber)
{
    openList();
    click(GetParam().newCommand);
    AnimalRecordForm* f = shownForm();
    ASSERT_TRUE(f);
    find<QLineEdit>("개체번호", f)->setText(" N1 ");
    clickAnswering(f, "Com_Button_0", MsgButton::Yes);
    ASSERT_TRUE(find<QTabWidget>("STAB", f)->isEnabled());

    GradingPage* page = f->gradingPage();
    EXPECT_FALSE(page->hasGrading());
    EXPECT_EQ(page->datePicker()->date(), QDate(2010, 2, 28));
    page->textBox("작업장")->setText("공판장");
    clickAnswering(f, "cmdUpate5", MsgButton::Yes);
    EXPECT_EQ(farm.messages().last().text, "등급판정을 신규등록하시겠습니까?");
    EXPECT_EQ(storedWorkplace("N1"), "공판장");
}

TEST_P(GradingTabTest, AfterARenumberingTheGradingIsChangedUnderTheNewNumber)
{
    farm.addAnimalWithHistory("A", GetParam().sex);
    AnimalRecordForm* f = openForm("A");
    ASSERT_TRUE(f);
    find<QLineEdit>("개체번호", f)->setText("B");
    clickAnswering(f, "Com_Button_0", MsgButton::Yes);
    ASSERT_EQ(farm.count("등급판정", "개체번호 = 'B'"), 1);

    f->gradingPage()->textBox("작업장")->setText("공판장");
    clickAnswering(f, "cmdUpate5", MsgButton::Yes);
    EXPECT_EQ(farm.messages().last().text, "등급판정을 수정하시겠습니까?");
    EXPECT_EQ(farm.count("등급판정"), 1);
    EXPECT_EQ(storedWorkplace("B"), "공판장");
}

INSTANTIATE_TEST_SUITE_P(BothForms, GradingTabTest, ::testing::ValuesIn(kKinds),
                         [](const ::testing::TestParamInfo<FormKind>& info) {
                             return std::string(info.param.sex == 0 ? "Cow" : "Bull");
                         });
