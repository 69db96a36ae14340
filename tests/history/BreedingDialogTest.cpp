// The breeding entry dialog: opening state, date rules, LoadRecord and the field groups.
#include "BreedingFixture.h"
#include "support/AccessibilityCheck.h"

#include <QCalendarWidget>
#include <QKeyEvent>
#include <QTest>

namespace {
}  // namespace

TEST_F(BreedingFixture, OpeningANewRecordSetsTodayAndTheExpectedDate)
{
    tab->reload(kCow);
    const bool opened = withNew([&](HistoryEntryDialog& d) {
        EXPECT_EQ(d.objectName(), QStringLiteral("번식기록"));
        EXPECT_EQ(d.windowTitle(), QStringLiteral("번식기록 등록/수정"));
        EXPECT_TRUE(d.isModal());
        EXPECT_TRUE(d.key().isEmpty());
        // The focus lands once the dialog is active; under load that may take a moment.
        EXPECT_TRUE(QTest::qWaitForWindowActive(&d));
        EXPECT_EQ(d.focusWidget(), d.textBox("산차"))
            << (d.focusWidget()
                    ? d.focusWidget()->objectName().toStdString() + " " + d.focusWidget()->metaObject()->className()
                    : std::string("none"));
        EXPECT_EQ(d.datePicker("수정일")->date(), kToday);
        EXPECT_EQ(d.datePicker("판정일")->date(), kToday);
        EXPECT_EQ(d.datePicker("분만일")->date(), kToday);
        EXPECT_TRUE(d.dateBox("예정일")->isChecked());
        EXPECT_EQ(d.datePicker("예정일")->date(), kToday.addDays(280));
        EXPECT_FALSE(d.dateBox("판정일")->isChecked());
        EXPECT_FALSE(d.dateBox("분만일")->isChecked());
        EXPECT_TRUE(d.option("SSOption1")->isChecked());
        EXPECT_TRUE(d.option("SSOption3")->isChecked());
        EXPECT_EQ(d.option("SSOption1")->text(), QStringLiteral("가(O)"));
        EXPECT_EQ(d.option("SSOption2")->text(), QStringLiteral("부(X)"));
        EXPECT_EQ(d.option("SSOption3")->text(), QStringLiteral("암"));
        EXPECT_EQ(d.option("SSOption4")->text(), QStringLiteral("수"));
        EXPECT_EQ(d.option("SSOption3")->parentWidget()->objectName(), QStringLiteral("Frame1"));
        EXPECT_EQ(d.saveButton()->objectName(), QStringLiteral("cmdSave"));
        EXPECT_EQ(d.saveButton()->text(), QStringLiteral("저 장"));
        EXPECT_EQ(d.cancelButton()->objectName(), QStringLiteral("cmdCancel"));
        EXPECT_EQ(d.cancelButton()->text(), QStringLiteral("취 소"));
        EXPECT_EQ(d.cancelButton()->toolTip(), QStringLiteral("창을 닫습니다"));
        for (const char* name : {"산차", "회수", "정액번호", "공란우", "BCS", "송아지번호", "생시체중", "분만난이도",
                                 "인공수정자", "비고"}) {
            auto* box = d.findChild<QLineEdit*>(QString::fromUtf8(name));
            ASSERT_NE(box, nullptr) << name;
            EXPECT_TRUE(box->text().isEmpty()) << name;
            EXPECT_EQ(box->accessibleDescription(), QString::fromUtf8(name));
        }
    });
    EXPECT_TRUE(opened);
}

TEST_F(BreedingFixture, ControlsAreHeardByTheirCaptions)
{
    EXPECT_EQ(controlsHeardByControlName(tab), QStringList());
    EXPECT_EQ(tab->grid()->accessibleName(), QStringLiteral("번식기록"));
    EXPECT_EQ(button("cmdUpate1")->accessibleName(), QStringLiteral("수정"));
    tab->reload(kCow);
    withNew([&](HistoryEntryDialog& d) {
        EXPECT_EQ(controlsHeardByControlName(&d), QStringList());
        const QList<std::pair<QWidget*, QString>> heard = {
            {d.textBox("산차"), "산차"},
            {d.textBox("분만난이도"), "분만난이도 특이사항"},
            {d.datePicker("수정일"), "수정일"},
            {d.dateBox("판정일"), "임신판정일 입력"},
            {d.datePicker("판정일"), "임신판정일"},
            {d.option("SSOption2"), "부(X)"},
            {d.saveButton(), "저장"},
            {d.cancelButton(), "취소"},
        };
        for (const auto& [control, name] : heard)
            EXPECT_EQ(control->accessibleName(), name) << control->objectName().toStdString();
    });
}

TEST_F(BreedingFixture, TabOrderFollowsTheFields)
{
    tab->reload(kCow);
    withNew([&](HistoryEntryDialog& d) {
        const QStringList order = {"산차",       "회수",       "수정일",     "정액번호",  "공란우",     "BCS",
                                   "판정일체크", "판정일",     "SSOption1",  "SSOption2", "예정일체크", "예정일",
                                   "분만일체크", "분만일",     "송아지번호", "SSOption3", "SSOption4",  "생시체중",
                                   "분만난이도", "인공수정자", "비고",       "cmdSave",   "cmdCancel"};
        // Walk the focus chain from the first field, keeping the named fields (a picker's
        // inner line edit and the option frame are passed through).
        QStringList seen;
        QWidget* w = d.findChild<QWidget*>(order.first());
        ASSERT_NE(w, nullptr);
        for (int steps = 0; w && seen.size() < order.size() && steps < 200; ++steps, w = w->nextInFocusChain()) {
            if (order.contains(w->objectName()) && !seen.contains(w->objectName())) seen << w->objectName();
        }
        EXPECT_EQ(seen, order);
    });
}

TEST_F(BreedingFixture, CheckBoxesEnableExactlyTheirGroups)
{
    tab->reload(kCow);
    withNew([&](HistoryEntryDialog& d) {
        struct Group {
            QCheckBox* box;
            QList<QWidget*> fields;
        };
        const QList<Group> groups = {
            {d.dateBox("예정일"), {d.datePicker("예정일")}},
            {d.dateBox("판정일"), {d.datePicker("판정일"), d.option("SSOption1"), d.option("SSOption2")}},
            {d.dateBox("분만일"),
             {d.datePicker("분만일"), d.textBox("송아지번호"), d.option("SSOption3"), d.option("SSOption4")}}};
        const QList<QWidget*> always = {d.textBox("산차"),     d.textBox("회수"),       d.datePicker("수정일"),
                                        d.textBox("정액번호"), d.textBox("공란우"),     d.textBox("BCS"),
                                        d.textBox("생시체중"), d.textBox("분만난이도"), d.textBox("인공수정자"),
                                        d.textBox("비고")};
        for (const Group& g : groups) {
            for (bool on : {true, false, true}) {
                g.box->click();  // by the user
                g.box->setChecked(on);
                for (QWidget* f : g.fields) EXPECT_EQ(f->isEnabled(), on) << f->objectName().toStdString();
                for (QWidget* f : always) EXPECT_TRUE(f->isEnabled());
            }
        }
        // Unticking one group leaves the others alone.
        d.dateBox("판정일")->setChecked(false);
        EXPECT_TRUE(d.datePicker("예정일")->isEnabled());
        EXPECT_TRUE(d.datePicker("분만일")->isEnabled());
        EXPECT_FALSE(d.datePicker("판정일")->isEnabled());
    });
}

TEST_F(BreedingFixture, ExpectedDateFollowsThe280DayRule)
{
    tab->reload(kCow);
    withNew([&](HistoryEntryDialog& d) {
        // Picked in the calendar.
        d.dateBox("예정일")->setChecked(false);
        emit d.datePicker("수정일")->calendarWidget()->clicked(QDate(2009, 3, 1));
        EXPECT_EQ(d.datePicker("수정일")->date(), QDate(2009, 3, 1));
        EXPECT_TRUE(d.dateBox("예정일")->isChecked());
        EXPECT_EQ(d.datePicker("예정일")->date(), QDate(2009, 12, 6));
        EXPECT_TRUE(d.datePicker("예정일")->isEnabled());

        // Typed: the year section over again.
        d.dateBox("예정일")->setChecked(false);
        d.datePicker("수정일")->setFocus();
        d.datePicker("수정일")->setCurrentSection(QDateTimeEdit::YearSection);
        d.datePicker("수정일")->setSelectedSection(QDateTimeEdit::YearSection);
        QTest::keyClicks(d.datePicker("수정일"), QStringLiteral("2010"));
        EXPECT_EQ(d.datePicker("수정일")->date(), QDate(2010, 3, 1));
        EXPECT_TRUE(d.dateBox("예정일")->isChecked());
        EXPECT_EQ(d.datePicker("예정일")->date(), QDate(2010, 12, 6));

        // A leap year in between.
        d.datePicker("수정일")->setDate(QDate(2023, 6, 1));
        EXPECT_EQ(d.datePicker("예정일")->date(), QDate(2024, 3, 7));
    });
}

TEST_F(BreedingFixture, LoadRecordFillsTheFieldsOfTheChangedRecord)
{
    farm.addBreeding(kCow, n(2023, 6, 1),
                     {{"산차", 2},
                      {"회수", 1},
                      {"정액번호", "KPN-1"},
                      {"공란우", "D7"},
                      {"BCS", 6},
                      {"예정일", n(2024, 3, 9)},
                      {"판정일", n(2023, 8, 1)},
                      {"가부", 1},
                      {"분만일", n(2024, 3, 5)},
                      {"송아지번호", "C-9"},
                      {"성별", 1},
                      {"분만난이도", "2"},
                      {"인공수정자", "김수의"},
                      {"생시체중", 27.5},
                      {"비고", "순산"}});
    // No expected date: BCS stays as it was, the groups without dates stay unticked.
    farm.addBreeding(kCow, n(2022, 4, 2), {{"산차", 1}, {"회수", 1}, {"BCS", 8}, {"가부", 0}, {"송아지번호", "Z"}});
    tab->reload(kCow);

    withChange(2, [&](HistoryEntryDialog& d) {
        EXPECT_EQ(d.key(), QStringLiteral("20230601"));
        EXPECT_EQ(d.textBox("산차")->text(), QStringLiteral("2"));
        EXPECT_EQ(d.textBox("회수")->text(), QStringLiteral("1"));
        EXPECT_EQ(d.datePicker("수정일")->date(), QDate(2023, 6, 1));
        EXPECT_EQ(d.textBox("정액번호")->text(), QStringLiteral("KPN-1"));
        EXPECT_EQ(d.textBox("공란우")->text(), QStringLiteral("D7"));
        EXPECT_TRUE(d.dateBox("예정일")->isChecked());
        EXPECT_EQ(d.datePicker("예정일")->date(), QDate(2024, 3, 9));  // the stored date, not 수정일 + 280
        EXPECT_EQ(d.textBox("BCS")->text(), QStringLiteral("6"));
        EXPECT_TRUE(d.dateBox("판정일")->isChecked());
        EXPECT_EQ(d.datePicker("판정일")->date(), QDate(2023, 8, 1));
        EXPECT_TRUE(d.option("SSOption2")->isChecked());
        EXPECT_TRUE(d.dateBox("분만일")->isChecked());
        EXPECT_EQ(d.datePicker("분만일")->date(), QDate(2024, 3, 5));
        EXPECT_EQ(d.textBox("송아지번호")->text(), QStringLiteral("C-9"));
        EXPECT_TRUE(d.option("SSOption4")->isChecked());
        EXPECT_EQ(d.textBox("분만난이도")->text(), QStringLiteral("2"));
        EXPECT_EQ(d.textBox("인공수정자")->text(), QStringLiteral("김수의"));
        EXPECT_EQ(d.textBox("생시체중")->text(), QStringLiteral("27.5"));
        EXPECT_EQ(d.textBox("비고")->text(), QStringLiteral("순산"));
        EXPECT_TRUE(d.datePicker("판정일")->isEnabled());
        EXPECT_TRUE(d.textBox("송아지번호")->isEnabled());
    });
    withChange(1, [&](HistoryEntryDialog& d) {
        EXPECT_EQ(d.datePicker("수정일")->date(), QDate(2022, 4, 2));
        EXPECT_FALSE(d.dateBox("예정일")->isChecked());
        EXPECT_FALSE(d.datePicker("예정일")->isEnabled());
        EXPECT_TRUE(d.textBox("BCS")->text().isEmpty());
        EXPECT_FALSE(d.dateBox("판정일")->isChecked());
        EXPECT_EQ(d.datePicker("판정일")->date(), kToday);
        EXPECT_TRUE(d.option("SSOption1")->isChecked());
        EXPECT_FALSE(d.dateBox("분만일")->isChecked());
        EXPECT_TRUE(d.textBox("송아지번호")->text().isEmpty());
        EXPECT_FALSE(d.textBox("송아지번호")->isEnabled());
    });
    EXPECT_EQ(farm.messages().count(), 0);
}

TEST_F(BreedingFixture, EnterIsSwallowedAndEscClosesWithoutStoring)
{
    tab->reload(kCow);
    bool openAfterEnter = false, openAfterEsc = true;
    withNew([&](HistoryEntryDialog& d) {
        fillRequired(d);
        d.show();
        d.textBox("비고")->setFocus();
        QTest::keyClick(d.textBox("비고"), Qt::Key_Return);
        QTest::keyClick(d.textBox("산차"), Qt::Key_Enter);
        openAfterEnter = d.isVisible();
        QTest::keyClick(d.textBox("정액번호"), Qt::Key_Escape);
        openAfterEsc = d.isVisible();
    });
    EXPECT_TRUE(openAfterEnter);
    EXPECT_FALSE(openAfterEsc);
    EXPECT_EQ(farm.messages().count(), 0);
    EXPECT_EQ(farm.count(QStringLiteral("번식기록")), 0);
    EXPECT_EQ(tab->rowCount(), 0);
}

TEST_F(BreedingFixture, CancelClosesWithoutStoring)
{
    tab->reload(kCow);
    bool open = true;
    withNew([&](HistoryEntryDialog& d) {
        fillRequired(d);
        d.cancelButton()->click();
        open = d.isVisible();
    });
    EXPECT_FALSE(open);
    EXPECT_EQ(farm.count(QStringLiteral("번식기록")), 0);
}
