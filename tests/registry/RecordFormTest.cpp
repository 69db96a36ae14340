// The cow and bull record forms opened from the search list: registering, loading,
// updating, renumbering and closing.
#include "RegistryFixture.h"

#include "history/HistoryEntryDialog.h"
#include "history/HistoryTab.h"
#include "registry/BullRecordForm.h"
#include "registry/CowRecordForm.h"
#include "support/AccessibilityCheck.h"
#include "support/ModalDriver.h"

#include <QDateEdit>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSqlQuery>
#include <QTabWidget>
#include <QTimer>

namespace {

const QDate kToday(2010, 2, 28);

class RecordFormTest : public RegistryTest {
protected:
    QWidget* topLevel(const QString& name)
    {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == name && w->isVisible()) return w;
        return nullptr;
    }
    QWidget* form(const QString& name)
    {
        QWidget* f = topLevel(name);
        EXPECT_NE(f, nullptr) << "no open form " << name.toStdString();
        return f;
    }
    void type(QWidget* f, const QString& field, const QString& text) { find<QLineEdit>(field, f)->setText(text); }
    void setDate(QWidget* f, const QString& field, const QDate& d, bool ticked = true)
    {
        find<QCheckBox>(field + "체크", f)->setChecked(ticked);
        find<QDateEdit>(field, f)->setDate(d);
    }
    // Every column of the animal's row, as stored.
    QStringList stored(const QString& number)
    {
        QSqlQuery q = runQuery("select * from 개체관리 where 개체번호 = ?", {number});
        QStringList out;
        if (q.next())
            for (int c = 0; c < 18; ++c) out << NullTrim(q.value(c));
        return out;
    }
    void addWithHistory(const QString& number, int sex = 0, const QVariantMap& more = {})
    {
        farm.addAnimalWithHistory(number, sex, more);
    }
    // Opens the list, searches all and opens the animal's row with "개체수정".
    QWidget* edit(const QString& number)
    {
        if (!window) openList();
        searchFor();
        listGrid(window)->setActiveCell(1, rowOf(number));
        click("cmdUpdate");
        QWidget* cow = topLevel("한우암소관리");
        return cow ? cow : topLevel("한우수소관리");
    }
    // Clicks 저 장 on the form, answering its question.
    void saveAnswering(MsgButton answer, QWidget* f)
    {
        farm.messages().answer(answer);
        click("Com_Button_0", f);
    }
};

TEST_F(RecordFormTest, NewCowFromItsInitialStateToTheListRow)
{
    farm.addAnimal("OLD", 0, 20050101);
    openList();
    searchFor();
    click("cmdInsert");
    QWidget* f = form("한우암소관리");
    ASSERT_TRUE(f);
    auto* cow = window->cowForm();
    ASSERT_EQ(static_cast<QWidget*>(cow), f);
    EXPECT_EQ(f->windowTitle(), "한우(암소) 개체기록부");
    EXPECT_FALSE(window->isEnabled());
    EXPECT_EQ(window->bullForm(), nullptr);
    EXPECT_TRUE(cow->storedNumber().isEmpty());

    // Initial state: tabs and prints off, boxes clear, no breed chosen, pickers on today.
    auto* tabs = find<QTabWidget>("STAB", f);
    EXPECT_FALSE(tabs->isEnabled());
    EXPECT_EQ(tabs->currentIndex(), 0);
    QStringList captions;
    for (int i = 0; i < tabs->count(); ++i) captions << tabs->tabText(i);
    EXPECT_EQ(captions, (QStringList{"번식기록", "체중·초음파측정", "체     척", "진료·백신접종", "도태등급판정"}));
    const QList<std::pair<QString, QString>> prints = {
        {"cmdPrn1", " 한우(암소) 개체기록부"}, {"cmdPrn2", " 번식기록부"}, {"cmdPrn3", " 진료/백신 기록부"}};
    for (const auto& [name, caption] : prints) {
        auto* b = find<QPushButton>(name, f);
        EXPECT_EQ(b->text(), caption);
        EXPECT_FALSE(b->isEnabled());
    }
    EXPECT_EQ(find<QPushButton>("Com_Button_0", f)->text(), "저 장");
    EXPECT_EQ(find<QPushButton>("Com_Button_8", f)->text(), "닫기(ESC)");
    EXPECT_EQ(find<QPushButton>("Com_Button_8", f)->toolTip(), "창을 닫습니다");
    EXPECT_FALSE(find<QRadioButton>("SSOption1", f)->isChecked());
    EXPECT_FALSE(find<QRadioButton>("SSOption2", f)->isChecked());
    for (const char* d : {"개체생일", "입식일자", "판매일"}) {
        EXPECT_FALSE(find<QCheckBox>(QString::fromUtf8(d) + "체크", f)->isChecked()) << d;
        EXPECT_EQ(find<QDateEdit>(QString::fromUtf8(d), f)->date(), kToday) << d;
        EXPECT_FALSE(find<QDateEdit>(QString::fromUtf8(d), f)->isEnabled()) << d;
    }
    EXPECT_EQ(find<QDateEdit>("판정일", f)->date(), kToday);

    // Ticking a box makes its picker usable.
    find<QCheckBox>("개체생일체크", f)->click();
    EXPECT_TRUE(find<QDateEdit>("개체생일", f)->isEnabled());
    find<QCheckBox>("개체생일체크", f)->click();
    EXPECT_FALSE(find<QDateEdit>("개체생일", f)->isEnabled());

    // The 002 example: only a birth date and a score, neither breed option chosen.
    type(f, "개체번호", "002");
    setDate(f, "개체생일", QDate(2009, 3, 15));
    setDate(f, "입식일자", QDate(2009, 4, 1), false);
    type(f, "점수", "4");
    farm.messages().answer(MsgButton::Yes);
    click("Com_Button_0", f);
    ASSERT_EQ(farm.messages().count(), 1);
    EXPECT_EQ(farm.messages().last().text, "002을(를) 신규등록하시겠습니까?");
    EXPECT_EQ(farm.messages().last().title, "등록");
    EXPECT_EQ(farm.messages().last().icon, MsgIcon::Question);
    EXPECT_EQ(farm.messages().last().buttons, MsgButton::Yes | MsgButton::No);
    EXPECT_EQ(stored("002"),
              (QStringList{"002", "0", "1", "20090315", "", "", "", "0", "", "", "", "", "", "0", "", "4", "0", "0"}));
    EXPECT_EQ(cow->storedNumber(), "002");

    // Appended to the list, selected, with the age column left alone.
    ASSERT_EQ(window->rowCount(), 2);
    EXPECT_EQ(listGrid(window)->maxRows(), 2);
    EXPECT_EQ(row(2), (QStringList{"002", "암소", "교잡종", "2009년 03월 15일", "", "", "", "", "", "", "", "", "", "4",
                                   "", "", ""}));
    EXPECT_EQ(listGrid(window)->activeRow(), 2);
    EXPECT_EQ(listGrid(window)->rowHeight(2), 18);
    EXPECT_TRUE(tabs->isEnabled());
    for (const auto& [name, caption] : prints) EXPECT_TRUE(find<QPushButton>(name, f)->isEnabled());
    // The breeding tab stores under the new number from now on.
    EXPECT_EQ(cow->historyTab(1)->animalNumber(), "002");

    // Closing with the button gives the list back, usable and focused.
    click("Com_Button_8", f);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(window->cowForm(), nullptr);
    EXPECT_TRUE(window->isEnabled());
    EXPECT_EQ(QApplication::activeWindow(), window.data());
}

TEST_F(RecordFormTest, NewBullWithCastrationAndShipmentDates)
{
    openList();
    click("cmdInsert2");
    QWidget* f = form("한우수소관리");
    ASSERT_TRUE(f);
    EXPECT_EQ(f->windowTitle(), "한우(수소) 개체기록부");
    EXPECT_EQ(window->cowForm(), nullptr);
    EXPECT_EQ(window->bullForm()->historyTab(1), nullptr);
    auto* tabs = find<QTabWidget>("STAB", f);
    QStringList captions;
    for (int i = 0; i < tabs->count(); ++i) captions << tabs->tabText(i);
    EXPECT_EQ(captions, (QStringList{"체중·초음파측정", "체     척", "진료·백신접종", "도태등급판정"}));
    EXPECT_EQ(find<QPushButton>("cmdPrn1", f)->text(), " 한우(수소) 개체기록부");
    EXPECT_EQ(find<QPushButton>("cmdPrn2", f)->text(), " 진료/백신 기록부");
    EXPECT_EQ(f->findChild<QPushButton*>("cmdPrn3"), nullptr);
    for (const char* d : {"출하예정일", "출하일"}) {
        EXPECT_FALSE(find<QCheckBox>(QString::fromUtf8(d) + "체크", f)->isChecked());
        EXPECT_EQ(find<QDateEdit>(QString::fromUtf8(d), f)->date(), kToday);
    }

    type(f, "개체번호", "B-7");
    find<QRadioButton>("SSOption1", f)->setChecked(true);
    setDate(f, "판매일", QDate(2009, 9, 1));  // labelled "거 세 일"
    setDate(f, "출하예정일", QDate(2011, 5, 1));
    farm.messages().answer(MsgButton::Yes);
    click("Com_Button_0", f);
    EXPECT_EQ(stored("B-7"), (QStringList{"B-7", "1", "0", "0", "", "", "", "0", "", "", "", "", "", "20090901", "",
                                          "0", "20110501", "0"}));
    ASSERT_EQ(window->rowCount(), 1);
    EXPECT_EQ(row(1), (QStringList{"B-7", "수소", "순종", "", "", "", "", "", "", "", "", "2009년 09월 01일", "", "",
                                   "2011년 05월 01일", "", ""}));
    EXPECT_TRUE(find<QPushButton>("cmdPrn2", f)->isEnabled());

    // The list stays while a record form works on it.
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());

    // The close box gives the list back too.
    f->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(window->bullForm(), nullptr);
    EXPECT_TRUE(window->isEnabled());
}

TEST_F(RecordFormTest, AScoreNoFarmRecordsIsRefused)
{
    openList();
    click("cmdInsert");
    QWidget* f = form("한우암소관리");
    ASSERT_TRUE(f);
    type(f, "개체번호", "NEW");
    // Hundreds of digits would be stored as infinity and the record could never be saved again.
    for (const QString& absurd : {QString(400, QLatin1Char('9')), QStringLiteral("-1")}) {
        farm.messages().clear();
        type(f, "점수", absurd);
        click("Com_Button_0", f);
        ASSERT_EQ(farm.messages().count(), 1);
        EXPECT_EQ(farm.messages().last().text, "값을 다시 입력해 주세요.");
        EXPECT_EQ(farm.messages().last().title, "값 부정");
        EXPECT_EQ(QApplication::focusWidget(), find<QWidget>("점수", f));
    }
    EXPECT_EQ(farm.count("개체관리"), 0);
}

TEST_F(RecordFormTest, InputChecksStoreNothing)
{
    farm.addAnimal("EXISTS", 0, 20080101);
    openList();
    click("cmdInsert");
    QWidget* f = form("한우암소관리");
    ASSERT_TRUE(f);

    type(f, "개체번호", "   ");
    click("Com_Button_0", f);
    ASSERT_EQ(farm.messages().count(), 1);
    EXPECT_EQ(farm.messages().last().text, "개체번호를 입력해 주세요.");
    EXPECT_EQ(farm.messages().last().title, "미입력");
    EXPECT_EQ(farm.messages().last().icon, MsgIcon::Information);
    EXPECT_EQ(QApplication::focusWidget(), find<QWidget>("개체번호", f));

    // A score that is no number is refused before anything is written.
    type(f, "개체번호", "NEW");
    type(f, "점수", "4점");
    click("Com_Button_0", f);
    ASSERT_EQ(farm.messages().count(), 2);
    EXPECT_EQ(farm.messages().last().text, "값을 다시 입력해 주세요.");
    EXPECT_EQ(farm.messages().last().title, "값 부정");
    EXPECT_EQ(farm.messages().last().icon, MsgIcon::Question);
    EXPECT_EQ(farm.messages().last().buttons, MsgButton::Ok);
    EXPECT_EQ(QApplication::focusWidget(), find<QWidget>("점수", f));
    EXPECT_EQ(farm.count("개체관리"), 1);

    // A number that is taken.
    type(f, "점수", "");
    type(f, "개체번호", " EXISTS ");
    click("Com_Button_0", f);
    ASSERT_EQ(farm.messages().count(), 3);
    EXPECT_EQ(farm.messages().last().text, "이미 등록된 개체번호가 존재합니다. 개체번호를 다시 입력해 주세요.");
    EXPECT_EQ(farm.messages().last().title, "등록오류");
    EXPECT_EQ(farm.messages().last().icon, MsgIcon::Critical);
    EXPECT_EQ(QApplication::focusWidget(), find<QWidget>("개체번호", f));

    // No to the question, and Enter, store nothing.
    type(f, "개체번호", "NEW");
    farm.messages().answer(MsgButton::No);
    click("Com_Button_0", f);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(find<QWidget>("개체번호", f), &enter);
    EXPECT_EQ(farm.messages().count(), 4);
    EXPECT_EQ(farm.count("개체관리"), 1);
    EXPECT_EQ(window->rowCount(), 0);
    EXPECT_FALSE(find<QTabWidget>("STAB", f)->isEnabled());

    // Esc closes like the close box.
    QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(find<QWidget>("개체번호", f), &esc);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(window->cowForm(), nullptr);
    EXPECT_TRUE(window->isEnabled());
}

TEST_F(RecordFormTest, LoadingAndUpdatingWithoutRenumbering)
{
    addWithHistory("C1", 0,
                   {{"구분2", 0},
                    {"등록번호", "R1"},
                    {"별명", "들꽃"},
                    {"우방번호", "3"},
                    {"입식일자", 20080301},
                    {"정액번호", "1001"},
                    {"부번호", "0500"},
                    {"모번호", "M9"},
                    {"판매일", 0},
                    {"개체특징", "순함"},
                    {"점수", 5}});
    QWidget* f = edit("C1");
    ASSERT_TRUE(f);
    auto* cow = window->cowForm();
    EXPECT_EQ(static_cast<QWidget*>(cow), f);
    EXPECT_FALSE(window->isEnabled());
    EXPECT_EQ(cow->storedNumber(), "C1");
    EXPECT_TRUE(find<QRadioButton>("SSOption1", f)->isChecked());
    EXPECT_TRUE(find<QCheckBox>("개체생일체크", f)->isChecked());
    EXPECT_TRUE(find<QDateEdit>("개체생일", f)->isEnabled());
    EXPECT_EQ(find<QDateEdit>("개체생일", f)->date(), QDate(2008, 1, 1));
    EXPECT_EQ(find<QDateEdit>("입식일자", f)->date(), QDate(2008, 3, 1));
    EXPECT_FALSE(find<QCheckBox>("판매일체크", f)->isChecked());
    EXPECT_EQ(find<QLineEdit>("정액번호", f)->text(), "1001");
    EXPECT_EQ(find<QLineEdit>("점수", f)->text(), "5");
    EXPECT_TRUE(find<QTabWidget>("STAB", f)->isEnabled());
    EXPECT_TRUE(find<QPushButton>("cmdPrn3", f)->isEnabled());
    // The breeding tab was loaded for the cow.
    EXPECT_EQ(cow->historyTab(1)->rowCount(), 1);
    EXPECT_EQ(cow->historyTab(1)->grid()->maxRows(), 1);

    // Selecting the grading tab puts the focus on its first field.
    find<QTabWidget>("STAB", f)->setCurrentIndex(4);
    EXPECT_EQ(QApplication::focusWidget(), find<QWidget>("작업장", f));

    // Same number: an unticked date goes as 0 and an empty cell; history untouched.
    type(f, "별명", " 새 목장 ");
    find<QCheckBox>("입식일자체크", f)->setChecked(false);
    farm.messages().answer(MsgButton::Yes);
    click("Com_Button_0", f);
    ASSERT_EQ(farm.messages().count(), 1);
    EXPECT_EQ(farm.messages().last().text, "C1을(를) 수정하시겠습니까?");
    EXPECT_EQ(farm.messages().last().title, "수정");
    const QStringList s = stored("C1");
    EXPECT_EQ(s[5], "새 목장");
    EXPECT_EQ(s[7], "0");
    EXPECT_EQ(s[15], "5");
    EXPECT_EQ(rowsOfAnimal("C1"), 6);
    const int r = rowOf("C1");
    EXPECT_EQ(listGrid(window)->cellText(6, r), " 새 목장 ");
    EXPECT_EQ(listGrid(window)->cellText(8, r), "");
    EXPECT_EQ(listGrid(window)->cellText(2, r), "암소");
    EXPECT_EQ(listGrid(window)->cellText(17, r), "25 개월령");
}

TEST_F(RecordFormTest, ASavedAnimalShowsInTheListAsAFreshSearchShowsIt)
{
    farm.addAnimal("COW", 0, 20080101, {{"별명", "들꽃"}, {"점수", 3}});
    farm.addAnimal("BULL", 1, 20070101, {{"판매일", 20070701}});
    openList();
    const struct {
        QString edited;  // empty: registered with `command`
        QString command, form, number;
        QDate birth;
        bool blue;
    } cases[] = {
        {"COW", "cmdUpdate", "한우암소관리", "COW-2", QDate(2008, 1, 1), false},
        {"BULL", "cmdUpdate", "한우수소관리", "BULL-2", QDate(2007, 1, 1), true},
        {"", "cmdInsert", "한우암소관리", "NEW-C", QDate(2009, 6, 10), false},
        {"", "cmdInsert2", "한우수소관리", "NEW-B", QDate(2009, 7, 20), true},
    };
    QList<QStringList> savedRows;
    QList<QColor> savedColours;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.number.toStdString());
        searchFor();
        if (!c.edited.isEmpty()) listGrid(window)->setActiveCell(1, rowOf(c.edited));
        click(c.command);
        QWidget* f = form(c.form);
        ASSERT_TRUE(f);
        // Every box, typed the way a fresh search shows it again (no blanks around, a score).
        type(f, "개체번호", c.number);
        find<QRadioButton>(c.blue ? "SSOption2" : "SSOption1", f)->setChecked(true);
        setDate(f, "개체생일", c.birth);
        type(f, "등록번호", "R-" + c.number);
        type(f, "별명", "햇살목장");
        type(f, "우방번호", "4-1");
        setDate(f, "입식일자", c.birth.addMonths(2));
        type(f, "정액번호", "1200");
        type(f, "부번호", "0700");
        type(f, "모번호", "M-3");
        setDate(f, "판매일", QDate(2009, 12, 1), c.blue);
        type(f, "개체특징", "뿔 짧음");
        type(f, "점수", "4.5");
        if (c.blue) {
            setDate(f, "출하예정일", QDate(2010, 6, 1));
            setDate(f, "출하일", QDate(2010, 2, 1), c.edited.isEmpty());
        }
        saveAnswering(MsgButton::Yes, f);
        const int r = rowOf(c.number);
        ASSERT_GT(r, 0);
        if (c.edited.isEmpty()) {
            // Appended at the end, current and selected.
            EXPECT_EQ(r, window->rowCount());
            EXPECT_EQ(listGrid(window)->activeRow(), r);
            EXPECT_EQ(listGrid(window)->rowHeight(r), Grid::kRowHeight);
        }
        savedRows << row(r);
        savedColours << listGrid(window)->rowForeColor(r);
        click("Com_Button_8", f);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    searchFor();
    ASSERT_EQ(window->rowCount(), 4);
    for (int i = 0; i < 4; ++i) {
        const auto& c = cases[i];
        SCOPED_TRACE(c.number.toStdString());
        const int r = rowOf(c.number);
        QStringList fresh = row(r);
        EXPECT_EQ(listGrid(window)->rowForeColor(r), c.blue ? QColor(0, 0, 255) : QColor(Qt::black));
        EXPECT_EQ(savedColours[i], listGrid(window)->rowForeColor(r));
        if (c.edited.isEmpty()) {
            // A registration leaves the age column empty until the next search.
            EXPECT_EQ(savedRows[i].last(), "");
            EXPECT_EQ(fresh.last(), c.blue ? "" : "8 개월령");  // the registered bull is shipped
            fresh.last() = "";
        }
        EXPECT_EQ(savedRows[i], fresh);
    }
}

TEST_F(RecordFormTest, RenumberingTwiceMovesTheWholeHistoryEachTime)
{
    addWithHistory("A");
    addWithHistory("OTHER");
    QWidget* f = edit("A");
    ASSERT_TRUE(f);
    auto* cow = window->cowForm();
    const int r = rowOf("A");

    type(f, "개체번호", "B");
    farm.messages().answer(MsgButton::Yes);
    click("Com_Button_0", f);
    EXPECT_EQ(rowsOfAnimal("A"), 0);
    EXPECT_EQ(rowsOfAnimal("B"), 6);
    EXPECT_EQ(cow->storedNumber(), "B");
    EXPECT_EQ(listGrid(window)->cellText(1, r), "B");

    type(f, "개체번호", "C");
    farm.messages().answer(MsgButton::Yes);
    click("Com_Button_0", f);
    EXPECT_EQ(rowsOfAnimal("B"), 0);
    EXPECT_EQ(rowsOfAnimal("C"), 6);
    EXPECT_EQ(rowsOfAnimal("OTHER"), 6);
    EXPECT_EQ(farm.count("개체관리", "개체번호 = 'C'"), 1);
    EXPECT_EQ(farm.count("개체관리"), 2);
    EXPECT_EQ(listGrid(window)->cellText(1, r), "C");
    EXPECT_EQ(cow->historyTab(1)->animalNumber(), "C");
    EXPECT_EQ(farm.messages().count(), 2);
}

TEST_F(RecordFormTest, RenumberingABullMovesItsBreedingRowsToo)
{
    // A bull has no breeding tab, but rows under its number (say, entered while it was
    // registered as a cow) must not stay behind under the old number.
    addWithHistory("B1", 1);
    QWidget* f = edit("B1");
    ASSERT_TRUE(f);
    ASSERT_EQ(f->objectName(), "한우수소관리");
    type(f, "개체번호", "B2");
    farm.messages().answer(MsgButton::Yes);
    click("Com_Button_0", f);
    EXPECT_EQ(rowsOfAnimal("B1"), 0);
    EXPECT_EQ(rowsOfAnimal("B2"), 6);
    EXPECT_EQ(farm.count("번식기록", "개체번호 = 'B2'"), 1);
    EXPECT_EQ(stored("B2")[1], "1");
}

TEST_F(RecordFormTest, OnlyExactly암소OpensTheCowForm)
{
    farm.addAnimal("X", 0, 20080101);
    openList();
    searchFor();
    const struct {
        QString kind;
        QString form;
        int formKind;
    } cases[] = {{"암소", "한우암소관리", 0},
                 {"", "한우수소관리", 1},
                 {" 암소", "한우수소관리", 1},
                 {"수소", "한우수소관리", 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(("column 2 = [" + c.kind + "]").toStdString());
        listGrid(window)->setCellText(2, 1, c.kind);
        listGrid(window)->setActiveCell(1, 1);
        click("cmdUpdate");
        QWidget* f = topLevel(c.form);
        ASSERT_TRUE(f);
        EXPECT_EQ(topLevel(c.formKind == 0 ? "한우수소관리" : "한우암소관리"), nullptr);
        EXPECT_EQ(find<QLineEdit>("개체번호", f)->text(), "X");
        EXPECT_FALSE(window->isEnabled());
        find<QPushButton>("Com_Button_8", f)->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(window->isEnabled());
    }
}

TEST_F(RecordFormTest, RenumberingOntoAnotherAnimalIsRefusedWithNothingChanged)
{
    addWithHistory("A");
    addWithHistory("B");
    QWidget* f = edit("A");
    ASSERT_TRUE(f);
    const int r = rowOf("A");
    type(f, "개체번호", "B");
    type(f, "별명", "바뀐 이름");
    farm.messages().answer(MsgButton::Yes);
    click("Com_Button_0", f);
    ASSERT_EQ(farm.messages().count(), 2);
    EXPECT_EQ(farm.messages().last().title, kAppTitle);
    EXPECT_EQ(farm.messages().last().buttons, MsgButton::Ok);
    // Said in Korean; the database's own words only behind the details button.
    EXPECT_EQ(farm.messages().last().text, "이미 등록된 개체번호입니다. 개체번호를 다시 입력해 주세요.");
    EXPECT_TRUE(farm.messages().last().details.contains("UNIQUE constraint failed: 개체관리.개체번호"))
        << farm.messages().last().details.toStdString();
    EXPECT_EQ(QApplication::focusWidget(), find<QWidget>("개체번호", f));
    EXPECT_EQ(rowsOfAnimal("A"), 6);
    EXPECT_EQ(rowsOfAnimal("B"), 6);
    EXPECT_EQ(stored("A")[5], "");
    EXPECT_EQ(window->cowForm()->storedNumber(), "A");
    EXPECT_EQ(listGrid(window)->cellText(1, r), "A");
    EXPECT_EQ(listGrid(window)->cellText(6, r), "");
}

TEST_F(RecordFormTest, ANumberTypedWithBlanksIsStoredTrimmedAndStillUpdatable)
{
    openList();
    click("cmdInsert");
    QWidget* f = form("한우암소관리");
    ASSERT_TRUE(f);
    type(f, "개체번호", " 007 ");
    farm.messages().answer(MsgButton::Yes);
    click("Com_Button_0", f);
    EXPECT_EQ(farm.count("개체관리", "개체번호 = '007'"), 1);
    EXPECT_EQ(window->cowForm()->storedNumber(), " 007 ");
    EXPECT_EQ(listGrid(window)->cellText(1, 1), " 007 ");

    type(f, "우방번호", "9");
    farm.messages().answer(MsgButton::Yes);
    click("Com_Button_0", f);
    EXPECT_EQ(stored("007")[6], "9");
}

TEST_F(RecordFormTest, WhichFormTheEditCommandOpens)
{
    // An empty list: nothing happens.
    openList();
    click("cmdUpdate");
    EXPECT_EQ(window->cowForm(), nullptr);
    EXPECT_EQ(window->bullForm(), nullptr);
    EXPECT_TRUE(window->isEnabled());

    farm.addAnimal("X", 0, 20080101);
    farm.addAnimal("BULL", 1, 20070101, {{"출하예정일", 20100501}, {"판매일", 20070701}});
    searchFor();
    // A row whose kind column is anything but exactly "암소" opens the bull form.
    listGrid(window)->setCellText(2, rowOf("X"), "암소 ");
    listGrid(window)->setActiveCell(1, rowOf("X"));
    click("cmdUpdate");
    QWidget* f = topLevel("한우수소관리");
    ASSERT_TRUE(f);
    EXPECT_EQ(topLevel("한우암소관리"), nullptr);
    find<QPushButton>("Com_Button_8", f)->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window->isEnabled());

    // A double-click on a bull's cell opens it with its shipment dates.
    const int r = rowOf("BULL");
    listGrid(window)->setActiveCell(3, r);
    emit listGrid(window)->dblClick(3, r);
    f = topLevel("한우수소관리");
    ASSERT_TRUE(f);
    EXPECT_TRUE(find<QCheckBox>("출하예정일체크", f)->isChecked());
    EXPECT_EQ(find<QDateEdit>("출하예정일", f)->date(), QDate(2010, 5, 1));
    EXPECT_FALSE(find<QCheckBox>("출하일체크", f)->isChecked());
    EXPECT_EQ(find<QDateEdit>("판매일", f)->date(), QDate(2007, 7, 1));

    // Saved back: shipment columns from the form, unticked ones empty.
    find<QCheckBox>("출하예정일체크", f)->setChecked(false);
    setDate(f, "출하일", QDate(2010, 2, 20));
    farm.messages().answer(MsgButton::Yes);
    click("Com_Button_0", f);
    EXPECT_EQ(stored("BULL")[16], "0");
    EXPECT_EQ(stored("BULL")[17], "20100220");
    EXPECT_EQ(listGrid(window)->cellText(15, r), "");
    EXPECT_EQ(listGrid(window)->cellText(16, r), "2010년 02월 20일");
    EXPECT_EQ(listGrid(window)->cellText(2, r), "수소");

    // Header double-clicks do nothing.
    f->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    emit listGrid(window)->dblClick(0, 1);
    emit listGrid(window)->dblClick(1, 0);
    EXPECT_EQ(window->bullForm(), nullptr);
    EXPECT_TRUE(window->isEnabled());
}

TEST_F(RecordFormTest, BothFormsAreHeardByTheirCaptions)
{
    openList();
    click("cmdInsert");
    QWidget* cow = form("한우암소관리");
    ASSERT_TRUE(cow);
    EXPECT_EQ(controlsHeardByControlName(cow), QStringList());
    const QList<std::pair<QString, QString>> heard = {
        {"Com_Button_0", "저장"}, {"Com_Button_8", "닫기(ESC)"},     {"개체번호", "개체번호 (개체식별)"},
        {"별명", "목장명"},       {"SSOption2", "교잡종"},           {"개체생일체크", "개체생일 입력"},
        {"판매일", "판매일"},     {"점수", "흑비경 (완전흑비:5점)"}, {"cmdPrn2", "번식기록부"},
        {"SS1", "번식기록"},      {"cmdInsert1", "신규등록"},        {"작업장", "작업장"},
    };
    for (const auto& [name, text] : heard) {
        auto* w = find<QWidget>(name, cow);
        ASSERT_TRUE(w) << name.toStdString();
        EXPECT_EQ(w->accessibleName(), text) << name.toStdString();
        EXPECT_EQ(w->accessibleDescription(), name);
    }
    click("Com_Button_8", cow);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    click("cmdInsert2");
    QWidget* bull = form("한우수소관리");
    ASSERT_TRUE(bull);
    EXPECT_EQ(controlsHeardByControlName(bull), QStringList());
    EXPECT_EQ(find<QWidget>("판매일", bull)->accessibleName(), "거세일");
    EXPECT_EQ(find<QWidget>("출하일체크", bull)->accessibleName(), "출하일 입력");
}

TEST_F(RecordFormTest, ABreedingRecordIsStoredUnderTheNumberTheFormNowHas)
{
    addWithHistory("A");
    QWidget* f = edit("A");
    ASSERT_TRUE(f);
    type(f, "개체번호", "B");
    saveAnswering(MsgButton::Yes, f);
    ASSERT_EQ(rowsOfAnimal("B"), 6);

    // The dialog is the breeding tab's own: it stores under the tab's animal and appends to its grid.
    HistoryTab* tab = window->cowForm()->historyTab(1);
    driveModal<HistoryEntryDialog>(find<QAbstractButton>("cmdInsert1", f), [&](HistoryEntryDialog& d) {
        d.textBox("산차")->setText("2");
        d.textBox("회수")->setText("1");
        d.textBox("정액번호")->setText("KPN-7");
        d.textBox("BCS")->setText("5");
        farm.messages().answer(MsgButton::Yes);
        EXPECT_TRUE(d.save());
    });
    EXPECT_EQ(farm.count("번식기록", "개체번호 = 'B' and 수정일 = ?", {dn(kToday)}), 1);
    EXPECT_EQ(rowsOfAnimal("A"), 0);
    EXPECT_EQ(tab->rowCount(), 2);
    EXPECT_EQ(tab->grid()->cellText(4, 2), "KPN-7");
}

}  // namespace
