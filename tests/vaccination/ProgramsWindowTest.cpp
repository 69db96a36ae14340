// The programs window and its entry dialog driven through their controls: the starting program
// listed, a program added after a wrong box is refused with the model's message and that box
// focused, the months box only for calves, a change, and a delete that asks first and leaves
// the treatment records.
#include "data/Db.h"
#include "kit/Grid.h"
#include "support/AccessibilityCheck.h"
#include "support/ModalDriver.h"
#include "support/TestFarm.h"
#include "vaccination/ProgramEntryDialog.h"
#include "vaccination/VaccinationProgramsWindow.h"
#include "vaccination/model/VaccinationProgram.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace vaccination;

namespace {

class ProgramsWindowTest : public FarmTest {
protected:
    void SetUp() override { ASSERT_TRUE(farm.open()); }

    static QString storedProgram(const QString& name)
    {
        QSqlQuery q = runQuery(QStringLiteral("select 처치어, 첫접종일령, 보강일수, 반복일수, 대상, 대상개월수, "
                                              "분만제외일수, 출하제외일수 from 접종계획 where 이름 = ?"),
                               {name});
        if (!q.next()) return QString();
        QStringList values;
        for (int c = 0; c < 8; ++c) values << q.value(c).toString();
        return values.join(u'|');
    }
};

}  // namespace

TEST_F(ProgramsWindowTest, TheStartingProgramIsListedAndTheDialogSaysItIsCommonPractice)
{
    VaccinationProgramsWindow w;
    EXPECT_TRUE(controlsHeardByControlName(&w).isEmpty()) << controlsHeardByControlName(&w).join(u' ').toStdString();
    ASSERT_EQ(w.grid()->maxRows(), 1);
    EXPECT_EQ(w.grid()->rowTexts(1),
              (QStringList{"구제역", "구제역, FMD", "60일", "28일 뒤", "180일마다", "전체", "30일", "30일"}));
    driveModal<ProgramEntryDialog>(w.changeButton(), [&](ProgramEntryDialog& d) {
        EXPECT_TRUE(controlsHeardByControlName(&d).isEmpty())
            << controlsHeardByControlName(&d).join(u' ').toStdString();
        EXPECT_EQ(d.practiceNote()->text(), practiceNote());
        EXPECT_TRUE(d.practiceNote()->isVisible());
        EXPECT_EQ(d.textBox(QStringLiteral("이름"))->text(), QStringLiteral("구제역"));
        EXPECT_EQ(d.textBox(QStringLiteral("처치어"))->text(), QStringLiteral("구제역, FMD"));
        EXPECT_EQ(d.targetBox()->currentText(), QStringLiteral("전체"));
        EXPECT_FALSE(d.textBox(QStringLiteral("대상개월수"))->isEnabled());
        EXPECT_TRUE(d.textBox(QStringLiteral("대상개월수"))->text().isEmpty());
    });
}

TEST_F(ProgramsWindowTest, AProgramIsAddedAfterEachWrongBoxIsRefusedWithItsMessageAndFocus)
{
    VaccinationProgramsWindow w;
    const bool ran = driveModal<ProgramEntryDialog>(w.addButton(), [&](ProgramEntryDialog& d) {
        // A new program starts from the common intervals, without a name.
        EXPECT_TRUE(d.textBox(QStringLiteral("이름"))->text().isEmpty());
        EXPECT_EQ(d.textBox(QStringLiteral("첫접종일령"))->text(), QStringLiteral("60"));
        d.textBox(QStringLiteral("이름"))->setText(QStringLiteral("럼피스킨"));
        d.textBox(QStringLiteral("처치어"))->setText(QStringLiteral("럼피스킨, LSD"));
        d.textBox(QStringLiteral("반복일수"))->setText(QStringLiteral("365"));
        d.targetBox()->setCurrentText(QStringLiteral("송아지"));
        ASSERT_TRUE(d.textBox(QStringLiteral("대상개월수"))->isEnabled());

        // Each wrong box in turn: the model's sentence, the dialog stays, the box has the focus.
        const struct {
            const char* box;
            const char* typed;
            const char* message;
        } refusals[] = {
            {"첫접종일령", "두 달", "첫 접종 일령은"},
            {"대상개월수", "", "송아지 월령은"},
            {"분만제외일수", "-1", "분만 전후 제외 일수는"},
        };
        for (const auto& r : refusals) {
            SCOPED_TRACE(r.box);
            QLineEdit* box = d.textBox(QString::fromUtf8(r.box));
            const QString before = box->text();
            box->setText(QString::fromUtf8(r.typed));
            farm.messages().clear();
            d.buttons().save->click();
            ASSERT_EQ(farm.messages().count(), 1);
            EXPECT_TRUE(farm.messages().last().text.startsWith(QString::fromUtf8(r.message)))
                << farm.messages().last().text.toStdString();
            EXPECT_TRUE(d.isVisible());
            EXPECT_EQ(d.focusWidget(), box);
            EXPECT_EQ(farm.count(QStringLiteral("접종계획")), 1);
            box->setText(before.isEmpty() ? QStringLiteral("6") : before);
        }
        d.buttons().save->click();
        EXPECT_FALSE(d.isVisible());
    });
    ASSERT_TRUE(ran);
    EXPECT_EQ(storedProgram(QStringLiteral("럼피스킨")), QStringLiteral("럼피스킨, LSD|60|28|365|송아지|6|30|30"));
    ASSERT_EQ(w.grid()->maxRows(), 2);
    EXPECT_EQ(w.grid()->cellText(6, w.grid()->activeRow()), QStringLiteral("송아지(6개월 미만)"))
        << "the new program is the active row";

    // A name taken is refused at the name box, and nothing is added.
    farm.messages().clear();
    driveModal<ProgramEntryDialog>(w.addButton(), [&](ProgramEntryDialog& d) {
        d.textBox(QStringLiteral("이름"))->setText(QStringLiteral("구제역"));
        d.textBox(QStringLiteral("처치어"))->setText(QStringLiteral("FMD"));
        d.buttons().save->click();
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(d.focusWidget(), d.textBox(QStringLiteral("이름")));
    });
    ASSERT_EQ(farm.messages().count(), 1);
    EXPECT_EQ(farm.messages().last().text,
              QStringLiteral("'구제역' 접종 계획이 이미 있습니다. 다른 이름을 입력해 주세요."));
    EXPECT_EQ(farm.count(QStringLiteral("접종계획")), 2);

    // Cancel stores nothing.
    driveModal<ProgramEntryDialog>(w.addButton(), [&](ProgramEntryDialog& d) {
        d.textBox(QStringLiteral("이름"))->setText(QStringLiteral("브루셀라 검사"));
        d.textBox(QStringLiteral("처치어"))->setText(QStringLiteral("브루셀라"));
        d.buttons().cancel->click();
    });
    EXPECT_EQ(farm.count(QStringLiteral("접종계획")), 2);
}

TEST_F(ProgramsWindowTest, AChangeIsStoredAndADeleteAsksFirstAndLeavesTheTreatments)
{
    farm.addAnimal(QStringLiteral("KR001"), 0, 20200101);
    farm.exec(
        QStringLiteral("insert into 백신접종(개체번호, 날짜, 증상, 처치, 만료일) "
                       "values('KR001', 20260101, '구제역', '구제역 백신', 20260101)"));
    VaccinationProgramsWindow w;
    w.grid()->setActiveCell(1, 1);
    driveModal<ProgramEntryDialog>(w.changeButton(), [&](ProgramEntryDialog& d) {
        d.targetBox()->setCurrentText(QStringLiteral("암소"));
        d.textBox(QStringLiteral("반복일수"))->setText(QStringLiteral("150"));
        d.textBox(QStringLiteral("출하제외일수"))->setText(QStringLiteral("0"));
        d.buttons().save->click();
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_EQ(storedProgram(QStringLiteral("구제역")), QStringLiteral("구제역, FMD|60|28|150|암소|0|30|0"));
    EXPECT_EQ(w.grid()->rowTexts(1),
              (QStringList{"구제역", "구제역, FMD", "60일", "28일 뒤", "150일마다", "암소", "30일", "안 함"}));

    farm.messages().answer(MsgButton::No);
    w.deleteButton()->click();
    EXPECT_EQ(farm.count(QStringLiteral("접종계획")), 1);
    ASSERT_EQ(farm.messages().count(), 1);
    EXPECT_EQ(farm.messages().last().text,
              QStringLiteral("'구제역' 접종 계획을 삭제하시겠습니까?\n이미 기록한 진료·백신 기록은 그대로 남습니다."));
    farm.messages().answer(MsgButton::Yes);
    w.deleteButton()->click();
    EXPECT_EQ(farm.count(QStringLiteral("접종계획")), 0);
    EXPECT_EQ(farm.count(QStringLiteral("백신접종")), 1);
    EXPECT_EQ(w.grid()->maxRows(), 0);
    EXPECT_FALSE(w.changeButton()->isEnabled());
    EXPECT_FALSE(w.deleteButton()->isEnabled());
}
