// The grading page on a farm: loading an animal's row, saving it new and changed, the price
// boxes while they are edited, the checks with their focus, and deleting.
#include "data/Clock.h"
#include "data/Values.h"
#include "history/CheckedDateEdit.h"
#include "history/GradingPage.h"
#include "support/AccessibilityCheck.h"
#include "support/TestFarm.h"
#include "support/TestHelpers.h"

#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlRecord>
#include <QVBoxLayout>
#include <memory>
#include <ostream>

namespace {
const QStringList kBoxes = {"작업장", "생체중", "등지방두께", "등심단면적", "도체중",   "근내지방", "육색",
                            "지방색", "조직감", "성숙도",     "최종등급",   "지육단가", "경락가",   "등급판정사"};

class GradingPageTest : public FarmTest {
protected:
    const QDate kToday{2010, 2, 28};
    const QString kAnimal = "G-1";

    void SetUp() override
    {
        setTodayOverride(kToday);
        ASSERT_TRUE(farm.open());
        farm.addAnimal(kAnimal, 0);
        host = std::make_unique<QWidget>();
        page = new GradingPage(host.get());
        other = new QLineEdit(host.get());  // somewhere for the focus to go
        other->setObjectName("other");
        auto* v = new QVBoxLayout(host.get());
        v->addWidget(page);
        v->addWidget(other);
        page->reload(kAnimal);
    }
    void TearDown() override { host.reset(); }

    QLineEdit* box(const QString& name) { return page->textBox(name); }
    void type(const QString& name, const QString& text) { box(name)->setText(text); }
    // Every box shown, in screen order (판정일 as yyyy-MM-dd after 작업장).
    QStringList shown()
    {
        QStringList out;
        for (const QString& b : kBoxes) {
            out << box(b)->text();
            if (b == "작업장") out << page->datePicker()->date().toString("yyyy-MM-dd");
        }
        return out;
    }
    // The animal's stored row after 개체번호 ({} when it has none).
    QStringList stored(const QString& animal = {})
    {
        QSqlQuery q = runQuery("select * from 등급판정 where 개체번호 = ?", {animal.isEmpty() ? kAnimal : animal});
        QStringList out;
        if (q.next())
            for (int i = 1; i < q.record().count(); ++i) out << NullTrim(q.value(i));
        return out;
    }
    bool saveAnswering(MsgButton answer)
    {
        farm.messages().answer(answer);
        return page->save();
    }
    void showActive()
    {
        host->show();
        host->activateWindow();
        QApplication::setActiveWindow(host.get());
        QApplication::processEvents();
    }

    QLabel* dateNote() { return page->findChild<QLabel*>("lblDateNote"); }
    // The date as the tab offers it: set with the picker usable and no note, or unset.
    void expectDateSet(const QDate& date, const char* context)
    {
        EXPECT_TRUE(page->dateBox()->isTicked()) << context;
        EXPECT_TRUE(page->datePicker()->isEnabled()) << context;
        EXPECT_EQ(page->datePicker()->date(), date) << context;
        EXPECT_FALSE(page->dateBox()->box()->isVisibleTo(page)) << context;  // the tab looks as ever
        ASSERT_TRUE(dateNote()) << context;
        EXPECT_FALSE(dateNote()->isVisibleTo(page)) << context;
    }

    std::unique_ptr<QWidget> host;
    GradingPage* page = nullptr;
    QLineEdit* other = nullptr;
};
}  // namespace

TEST_F(GradingPageTest, FirstSaveInsertsTheSecondUpdates)
{
    EXPECT_FALSE(page->hasGrading());
    EXPECT_EQ(shown(), (QStringList{"", "2010-02-28", "", "", "", "", "", "", "", "", "", "", "", "", ""}));

    type("작업장", " 축산물공판장 ");
    page->datePicker()->setDate(QDate(2010, 1, 15));
    type("생체중", "720");
    type("육색", "5");
    type("최종등급", "1++");
    type("지육단가", "21,000");
    type("등급판정사", "김판정");
    ASSERT_TRUE(saveAnswering(MsgButton::Yes));
    ASSERT_EQ(farm.messages().count(), 1);  // the question, and no message after storing
    const MessageSpec& ask = farm.messages().last();
    EXPECT_EQ(ask.text, "등급판정을 신규등록하시겠습니까?");
    EXPECT_EQ(ask.title, "등록");
    EXPECT_EQ(ask.icon, MsgIcon::Question);
    EXPECT_EQ(ask.buttons, MsgButton::Yes | MsgButton::No);
    EXPECT_TRUE(page->hasGrading());
    EXPECT_EQ(stored(), (QStringList{"축산물공판장", "20100115", "720", "0", "0", "0", "0", "5", "", "", "", "1++",
                                     "21000", "0", "김판정"}));
    // The boxes keep what was typed: no reload.
    EXPECT_EQ(box("작업장")->text(), " 축산물공판장 ");
    EXPECT_EQ(box("지육단가")->text(), "21,000");

    farm.messages().clear();
    type("최종등급", "1+");
    ASSERT_TRUE(saveAnswering(MsgButton::Yes));
    ASSERT_EQ(farm.messages().count(), 1);
    EXPECT_EQ(farm.messages().last().text, "등급판정을 수정하시겠습니까?");
    EXPECT_EQ(farm.messages().last().title, "수정");
    EXPECT_EQ(farm.count("등급판정"), 1);
    EXPECT_EQ(stored()[11], "1+");
}

TEST_F(GradingPageTest, NoStoresNothing)
{
    type("작업장", "공판장");
    EXPECT_FALSE(saveAnswering(MsgButton::No));
    EXPECT_EQ(farm.count("등급판정"), 0);
    EXPECT_FALSE(page->hasGrading());

    ASSERT_TRUE(saveAnswering(MsgButton::Yes));
    type("작업장", "다른 곳");
    EXPECT_FALSE(saveAnswering(MsgButton::No));
    EXPECT_EQ(stored()[0], "공판장");
}

TEST_F(GradingPageTest, AStoredRowIsShownWithSeparatedPrices)
{
    farm.exec(
        "insert into 등급판정 values(?, '공판장', 20091105, 720.5, 12, 95, 430, 7, '5', '3', '1', '2', '1+', "
        "1234567, 20500, '김')",
        {kAnimal});
    type("작업장", "before");
    page->reload(kAnimal);
    EXPECT_TRUE(page->hasGrading());
    EXPECT_EQ(shown(), (QStringList{"공판장", "2009-11-05", "720.5", "12", "95", "430", "7", "5", "3", "1", "2", "1+",
                                    "1,234,567", "20,500", "김"}));
    expectDateSet(QDate(2009, 11, 5), "stored row");

    // Another animal without a row: emptied, today, flag down.
    farm.addAnimal("G-2", 0);
    page->reload("G-2");
    EXPECT_FALSE(page->hasGrading());
    EXPECT_EQ(shown(), (QStringList{"", "2010-02-28", "", "", "", "", "", "", "", "", "", "", "", "", ""}));
}

TEST_F(GradingPageTest, AStoredDateThatIsNoDateIsShownUnsetWithANoteAndNeverSavedAsToday)
{
    for (const char* bad : {"0", "20100230", "20101301", "-1"}) {
        farm.exec("delete from 등급판정");
        farm.exec(
            QString("insert into 등급판정 values(?, '공판장', %1, 720, 0, 0, 0, 0, '', '', '', '', '1+', 0, 0, '')")
                .arg(bad),
            {kAnimal});
        page->reload(kAnimal);
        EXPECT_TRUE(page->hasGrading()) << bad;
        EXPECT_FALSE(page->dateBox()->isTicked()) << bad;
        EXPECT_TRUE(page->dateBox()->box()->isVisibleTo(page)) << bad;
        EXPECT_FALSE(page->datePicker()->isEnabled()) << bad;
        EXPECT_EQ(page->datePicker()->text().trimmed(), "") << bad;  // no date shown, today least of all
        ASSERT_TRUE(dateNote()) << bad;
        EXPECT_TRUE(dateNote()->isVisibleTo(page)) << bad;
        const QString note =
            QString("저장된 판정일(%1)이 올바른 날짜가 아니어서 비워 두었습니다. 날짜를 입력해 주십시오.").arg(bad);
        EXPECT_EQ(dateNote()->text(), note);
        EXPECT_EQ(dateNote()->accessibleName(), note);
        EXPECT_EQ(dateNote()->accessibleDescription(), "lblDateNote");

        // Saved without touching the date: the other boxes change, the stored date stays.
        type("생체중", "730");
        farm.messages().clear();
        ASSERT_TRUE(saveAnswering(MsgButton::Yes)) << bad;
        EXPECT_EQ(farm.messages().count(), 1) << bad;  // the question only
        const QStringList s = stored();
        ASSERT_FALSE(s.isEmpty()) << bad;
        EXPECT_EQ(s[1], bad);
        EXPECT_EQ(s[2], "730") << bad;
        EXPECT_TRUE(dateNote()->isVisibleTo(page)) << bad;  // still no date stored
    }

    // Ticking the box is entering a date: the picker opens on today, and the date is stored.
    page->dateBox()->box()->click();
    EXPECT_TRUE(page->datePicker()->isEnabled());
    EXPECT_EQ(page->datePicker()->date(), kToday);
    page->datePicker()->setDate(QDate(2010, 1, 20));
    ASSERT_TRUE(saveAnswering(MsgButton::Yes));
    EXPECT_EQ(stored()[1], "20100120");
    EXPECT_FALSE(dateNote()->isVisibleTo(page));
    page->reload(kAnimal);
    expectDateSet(QDate(2010, 1, 20), "after entering a date");

    // Another animal after a bad date: its own state, today for a new grading.
    farm.exec("update 등급판정 set 판정일 = 0");
    page->reload(kAnimal);
    EXPECT_FALSE(page->dateBox()->isTicked());
    farm.addAnimal("G-2", 0);
    page->reload("G-2");
    EXPECT_FALSE(page->hasGrading());
    expectDateSet(kToday, "animal without a grading");
}

TEST_F(GradingPageTest, EmptyNumbersAreStoredAsZeroAndShownAsZero)
{
    type("작업장", "공판장");
    ASSERT_TRUE(saveAnswering(MsgButton::Yes));
    EXPECT_EQ(stored(), (QStringList{"공판장", "20100228", "0", "0", "0", "0", "0", "", "", "", "", "", "0", "0", ""}));
    page->reload(kAnimal);
    for (const char* b : {"생체중", "등지방두께", "등심단면적", "도체중", "근내지방", "지육단가", "경락가"})
        EXPECT_EQ(box(b)->text(), "0") << b;
}

TEST_F(GradingPageTest, APriceIsStoredWholeAndEditedWithoutSeparators)
{
    showActive();
    type("작업장", "공판장");
    box("지육단가")->setFocus();
    type("지육단가", "12,345.6");
    other->setFocus();  // leaving the box
    EXPECT_EQ(box("지육단가")->text(), "12,346");
    box("지육단가")->setFocus();  // entering it again
    EXPECT_EQ(box("지육단가")->text(), "12346");
    type("지육단가", "12,345.6");  // saved while still in the box
    ASSERT_TRUE(saveAnswering(MsgButton::Yes));
    EXPECT_EQ(stored()[12], "12346");
    page->reload(kAnimal);
    EXPECT_EQ(box("지육단가")->text(), "12,346");

    // Empty and non-numeric texts pass through entering and leaving unchanged.
    for (const char* text : {"", "abc", "12,34"}) {
        type("경락가", text);
        box("경락가")->setFocus();
        EXPECT_EQ(box("경락가")->text(), text);
        other->setFocus();
        EXPECT_EQ(box("경락가")->text(), text);
    }
    // Other boxes are never reformatted.
    type("생체중", "1,234.5");
    box("생체중")->setFocus();
    other->setFocus();
    EXPECT_EQ(box("생체중")->text(), "1,234.5");
}

TEST_F(GradingPageTest, AFailedCheckSaysWhyFocusesTheBoxAndAsksNothing)
{
    const struct {
        const char* field;
        const char* text;
        const char* message;
        const char* title;
        MsgIcon icon;
    } cases[] = {
        {"작업장", " ", "작업장을 입력해 주세요.", "미입력", MsgIcon::Information},
        {"생체중", "abc", "값을 다시 입력해 주세요.", "값 부정", MsgIcon::Question},
        {"등지방두께", "1.2cm", "값을 다시 입력해 주세요.", "값 부정", MsgIcon::Question},
        {"등심단면적", "-80", "값을 다시 입력해 주세요.", "값 부정", MsgIcon::Question},
        {"도체중", "x", "값을 다시 입력해 주세요.", "값 부정", MsgIcon::Question},
        {"근내지방", "++", "값을 다시 입력해 주세요.", "값 부정", MsgIcon::Question},
        {"지육단가", "-1", "값을 다시 입력해 주세요.", "값 부정", MsgIcon::Question},
        {"경락가", "abc", "값을 다시 입력해 주세요.", "값 부정", MsgIcon::Question},
    };
    for (const auto& c : cases) {
        page->reload(kAnimal);
        type("작업장", "공판장");
        type(c.field, c.text);
        other->setFocus();
        farm.messages().clear();
        EXPECT_FALSE(saveAnswering(MsgButton::Yes)) << c.field;
        ASSERT_EQ(farm.messages().count(), 1) << c.field;
        const MessageSpec& m = farm.messages().last();
        EXPECT_EQ(m.text, c.message) << c.field;
        EXPECT_EQ(m.title, c.title) << c.field;
        EXPECT_EQ(m.icon, c.icon) << c.field;
        EXPECT_EQ(m.buttons, MsgButton::Ok) << c.field;
        ASSERT_TRUE(host->focusWidget()) << c.field;
        EXPECT_EQ(host->focusWidget()->objectName(), c.field);
        EXPECT_EQ(farm.count("등급판정"), 0) << c.field;
    }
}

TEST_F(GradingPageTest, QuotesAndBlanksAreStoredAsTyped)
{
    type("작업장", "O'Brien's");
    type("육색", " 5' ");
    type("등급판정사", "'); delete from 개체관리; --");
    ASSERT_TRUE(saveAnswering(MsgButton::Yes));
    const QStringList s = stored();
    EXPECT_EQ(s[0], "O'Brien's");
    EXPECT_EQ(s[7], "5'");
    EXPECT_EQ(s[14], "'); delete from 개체관리; --");
    EXPECT_EQ(farm.count("개체관리"), 1);
}

TEST_F(GradingPageTest, TheRowIsFoundByTheTrimmedNumber)
{
    page->reload(" G-1 ");
    type("작업장", "공판장");
    ASSERT_TRUE(saveAnswering(MsgButton::Yes));
    EXPECT_EQ(farm.count("등급판정", "개체번호 = 'G-1'"), 1);
    page->reload(" G-1 ");
    EXPECT_TRUE(page->hasGrading());
    type("작업장", "다른 곳");
    ASSERT_TRUE(saveAnswering(MsgButton::Yes));
    EXPECT_EQ(farm.count("등급판정"), 1);
    EXPECT_EQ(stored()[0], "다른 곳");
}

TEST_F(GradingPageTest, DeleteWithoutARowDoesNothingAtAll)
{
    type("작업장", "typed");
    EXPECT_FALSE(page->deleteGrading());
    page->deleteButton()->click();
    EXPECT_EQ(farm.messages().count(), 0);
    EXPECT_EQ(box("작업장")->text(), "typed");
}

TEST_F(GradingPageTest, DeleteClearsTheTabAndTheNextSaveInsertsAgain)
{
    type("작업장", "공판장");
    page->datePicker()->setDate(QDate(2009, 5, 1));
    ASSERT_TRUE(saveAnswering(MsgButton::Yes));
    farm.addAnimalWithHistory("OTHER");

    farm.messages().clear();
    farm.messages().answer(MsgButton::No);
    EXPECT_FALSE(page->deleteGrading());
    EXPECT_EQ(farm.count("등급판정"), 2);

    farm.messages().answer(MsgButton::Yes);
    page->deleteButton()->click();
    ASSERT_EQ(farm.messages().count(), 2);
    const MessageSpec& ask = farm.messages().last();
    EXPECT_EQ(ask.text, "등급판정 내역을 삭제하시겠습니까?");
    EXPECT_EQ(ask.title, "삭제");
    EXPECT_EQ(ask.icon, MsgIcon::Question);
    EXPECT_EQ(ask.buttons, MsgButton::Yes | MsgButton::No);
    EXPECT_EQ(stored(), QStringList());
    EXPECT_EQ(farm.count("등급판정", "개체번호 = 'OTHER'"), 1);
    EXPECT_FALSE(page->hasGrading());
    EXPECT_EQ(box("작업장")->text(), "");
    EXPECT_EQ(page->datePicker()->date(), kToday);

    farm.messages().clear();
    type("작업장", "다시");
    ASSERT_TRUE(saveAnswering(MsgButton::Yes));
    EXPECT_EQ(farm.messages().last().text, "등급판정을 신규등록하시겠습니까?");
    EXPECT_EQ(stored()[0], "다시");
}

TEST_F(GradingPageTest, DatabaseErrorsAreShownAndChangeNothing)
{
    type("작업장", "공판장");
    farm.exec("CREATE TRIGGER refuse_insert BEFORE INSERT ON 등급판정 BEGIN SELECT RAISE(ABORT, 'no insert'); END");
    EXPECT_FALSE(saveAnswering(MsgButton::Yes));
    ASSERT_EQ(farm.messages().count(), 2);
    // The database's words sit behind the details button.
    EXPECT_TRUE(farm.messages().last().details.contains("no insert"));
    EXPECT_EQ(farm.messages().last().buttons, MsgButton::Ok);
    EXPECT_FALSE(page->hasGrading());  // a failed insert leaves the flag down
    farm.exec("DROP TRIGGER refuse_insert");
    ASSERT_TRUE(saveAnswering(MsgButton::Yes));

    // A failed delete is told, not swallowed: the row and the boxes stay.
    farm.exec("CREATE TRIGGER refuse_delete BEFORE DELETE ON 등급판정 BEGIN SELECT RAISE(ABORT, 'no delete'); END");
    farm.messages().clear();
    farm.messages().answer(MsgButton::Yes);
    EXPECT_FALSE(page->deleteGrading());
    ASSERT_EQ(farm.messages().count(), 2);
    // The database's words sit behind the details button.
    EXPECT_TRUE(farm.messages().last().details.contains("no delete"));
    EXPECT_TRUE(page->hasGrading());
    EXPECT_EQ(box("작업장")->text(), "공판장");
    EXPECT_EQ(farm.count("등급판정"), 1);

    // A failed load keeps the boxes.
    farm.exec("DROP TABLE 등급판정");
    farm.messages().clear();
    page->reload(kAnimal);
    EXPECT_EQ(farm.messages().count(), 1);
    EXPECT_EQ(box("작업장")->text(), "공판장");
}

TEST_F(GradingPageTest, EveryControlIsHeardByItsCaption)
{
    EXPECT_EQ(controlsHeardByControlName(page), QStringList());
    const QList<std::pair<QString, QString>> heard = {
        {"작업장", "작업장"},  {"판정일", "판정일"},   {"생체중", "생체중"},
        {"육색", "육색"},      {"경락가", "경락가"},   {"등급판정사", "등급판정사"},
        {"cmdUpate5", "저장"}, {"cmdDelete5", "삭제"}, {"근내지방", "근내지방"}};
    for (const auto& [name, text] : heard) {
        auto* w = page->findChild<QWidget*>(name);
        ASSERT_TRUE(w) << name.toStdString();
        EXPECT_EQ(w->accessibleName(), text) << name.toStdString();
    }
    // The caption panels as printed on the grading report, each the buddy of its box.
    const QList<std::pair<QString, QString>> captions = {
        {"육색", "육     색"}, {"경락가", "경 락 가"}, {"판정일", "판 정 일"}, {"등지방두께", "등지방두께"}};
    for (const auto& [name, caption] : captions) {
        QLabel* found = nullptr;
        for (QLabel* l : page->findChildren<QLabel*>())
            if (l->buddy() && l->buddy()->objectName() == name) found = l;
        ASSERT_TRUE(found) << name.toStdString();
        EXPECT_EQ(found->text(), caption);
    }
    bool note = false;
    for (QLabel* l : page->findChildren<QLabel*>())
        note = note || l->text() == " 축산물등급판정소 등급판정 보고서의 내용을 입력. 경락가는 kg당 가격을 기입";
    EXPECT_TRUE(note);
    EXPECT_EQ(page->saveButton()->text(), "저 장");
    EXPECT_EQ(page->deleteButton()->text(), "삭 제");

    // Tab order: the boxes in screen order, then the two buttons.
    QStringList expected = kBoxes;
    expected.insert(1, "판정일");
    expected << "cmdUpate5"
             << "cmdDelete5";
    QStringList order;
    QWidget* w = page->firstField();
    for (int i = 0; i < 200 && w && order.size() < expected.size(); ++i, w = w->nextInFocusChain())
        if (expected.contains(w->objectName()) && !order.contains(w->objectName())) order << w->objectName();
    EXPECT_EQ(order, expected);
}
