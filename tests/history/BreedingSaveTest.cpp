// Saving through the breeding dialog: checks, questions, stored values and grid rows.
#include "BreedingFixture.h"

namespace {
const QString kTitle = QStringLiteral("미입력");
}  // namespace

TEST_F(BreedingFixture, NewRecordWithEveryGroupUnticked)
{
    farm.addBreeding(kCow, n(2024, 6, 1), {{"정액번호", "KPN-L"}});  // a later date: the new row still goes last
    tab->reload(kCow);
    bool closed = false;
    withNew([&](HistoryEntryDialog& d) {
        d.textBox("산차")->setText(QStringLiteral(" 1 "));
        d.textBox("회수")->setText(QStringLiteral("2"));
        d.textBox("정액번호")->setText(QStringLiteral(" KPN-950 "));
        d.textBox("공란우")->setText(QStringLiteral("D1"));
        d.textBox("BCS")->setText(QStringLiteral("abc"));  // not checked while the expected date is unticked
        d.dateBox("예정일")->setChecked(false);
        d.textBox("송아지번호")->setText(QStringLiteral("ignored"));
        d.textBox("분만난이도")->setText(QStringLiteral("1"));
        d.textBox("인공수정자")->setText(QStringLiteral("이"));
        d.textBox("비고")->setText(QStringLiteral("메모"));
        EXPECT_TRUE(d.save());
        closed = !d.isVisible();
    });
    EXPECT_TRUE(closed);
    ASSERT_EQ(farm.messages().count(), 1);
    const MessageSpec& q = farm.messages().last();
    EXPECT_EQ(q.text, QStringLiteral("번식기록을 신규등록하시겠습니까?"));
    EXPECT_EQ(q.title, QStringLiteral("등록"));
    EXPECT_EQ(q.icon, MsgIcon::Question);
    EXPECT_EQ(q.buttons, MsgButton::Yes | MsgButton::No);

    EXPECT_EQ(stored(dn(kToday)), QStringList({"1", "2", "20240510", "KPN-950", "D1", "0", "0", "0", "-1", "0", "",
                                               "-1", "1", "이", "0", "메모"}));
    ASSERT_EQ(tab->rowCount(), 2);
    EXPECT_EQ(tab->grid()->maxRows(), 2);
    EXPECT_EQ(gridRow(tab->grid(), 2),
              QStringList({" 1 ", "2", "2024-05-10", " KPN-950 ", "D1", "abc", "", "", "", "", "", "", "1"}));
    EXPECT_EQ(tab->grid()->rowHeight(2), 18);
    EXPECT_EQ(tab->grid()->activeRow(), 2);
    EXPECT_EQ(tab->grid()->cellText(3, 1), QStringLiteral("2024-06-01"));  // out of date order until a reload
}

TEST_F(BreedingFixture, NewRecordWithEveryGroupTicked)
{
    tab->reload(kCow);
    struct Case {
        bool pregnant, female;
        QString result, sex;
        int 가부, 성별;
    };
    const QList<Case> cases = {{true, true, "가(O)", "암", 0, 0}, {false, false, "부(X)", "수", 1, 1}};
    int day = 1;
    for (const Case& c : cases) {
        const QDate ins(2023, 1, day++);
        withNew([&](HistoryEntryDialog& d) {
            fillRequired(d);
            d.textBox("공란우")->setText(QStringLiteral("D2"));
            d.datePicker("수정일")->setDate(ins);
            d.textBox("BCS")->setText(QStringLiteral(" 4.5 "));
            d.dateBox("판정일")->setChecked(true);
            d.datePicker("판정일")->setDate(QDate(2023, 3, 2));
            (c.pregnant ? d.option("SSOption1") : d.option("SSOption2"))->setChecked(true);
            d.datePicker("예정일")->setDate(QDate(2023, 10, 20));
            d.dateBox("분만일")->setChecked(true);
            d.datePicker("분만일")->setDate(QDate(2023, 10, 18));
            d.textBox("송아지번호")->setText(QStringLiteral("002-1"));
            (c.female ? d.option("SSOption3") : d.option("SSOption4"))->setChecked(true);
            d.textBox("생시체중")->setText(QStringLiteral("1,025"));
            d.textBox("분만난이도")->setText(QStringLiteral("2"));
            EXPECT_TRUE(d.save());
        });
        EXPECT_EQ(stored(dn(ins)), QStringList({"1", "2", QString::number(dn(ins)), "KPN-950", "D2", "20231020", "4.5",
                                                "20230302", QString::number(c.가부), "20231018", "002-1",
                                                QString::number(c.성별), "2", "", "1025", ""}));
        EXPECT_EQ(gridRow(tab->grid(), int(tab->rowCount())),
                  QStringList({"1", "2", ins.toString(QStringLiteral("yyyy-MM-dd")), "KPN-950", "D2", " 4.5 ",
                               "2023-03-02", c.result, "2023-10-20", "2023-10-18", "002-1", c.sex, "2"}));
    }
    EXPECT_EQ(tab->rowCount(), 2);
}

TEST_F(BreedingFixture, EachCheckInOrderWithItsMessageAndFocus)
{
    farm.addBreeding(kCow, n(2024, 5, 10));  // today's date is taken
    tab->reload(kCow);
    const QString again = QStringLiteral("값을 다시 입력해 주세요.");
    const QString bad = QStringLiteral("값 부정");
    struct Case {
        const char* what;
        std::function<void(HistoryEntryDialog&)> spoil;
        QString message, title;
        MsgIcon icon;
        QString focus;
    };
    const QList<Case> cases = {
        {"empty parity",
         [](HistoryEntryDialog& d) {
             d.textBox("산차")->setText("  ");
             d.textBox("회수")->clear();
         },
         "산차를 입력해 주세요.", kTitle, MsgIcon::Information, "산차"},
        {"parity not a number",
         [](HistoryEntryDialog& d) {
             d.textBox("산차")->setText("1a");
             d.textBox("회수")->clear();
         },
         again, bad, MsgIcon::Question, "산차"},
        {"empty count",
         [](HistoryEntryDialog& d) {
             d.textBox("회수")->setText(" ");
             d.textBox("정액번호")->clear();
         },
         "회수를 입력해 주세요.", kTitle, MsgIcon::Information, "회수"},
        {"count not a number", [](HistoryEntryDialog& d) { d.textBox("회수")->setText("x"); }, again, bad,
         MsgIcon::Question, "회수"},
        {"empty BCS with expected date",
         [](HistoryEntryDialog& d) {
             d.textBox("BCS")->clear();
             d.textBox("생시체중")->setText("?");
         },
         again, bad, MsgIcon::Question, "BCS"},
        {"BCS not a number", [](HistoryEntryDialog& d) { d.textBox("BCS")->setText("5점"); }, again, bad,
         MsgIcon::Question, "BCS"},
        {"birth weight not a number",
         [](HistoryEntryDialog& d) {
             d.textBox("생시체중")->setText("25kg");
             d.textBox("정액번호")->clear();
         },
         again, bad, MsgIcon::Question, "생시체중"},
        {"empty semen number", [](HistoryEntryDialog& d) { d.textBox("정액번호")->setText("   "); },
         "정액번호를 입력해 주세요.", kTitle, MsgIcon::Information, "정액번호"},
        {"date already in the grid", [](HistoryEntryDialog&) {}, "수정일를 다시 선택해 주세요.", "선택오류",
         MsgIcon::Information, "수정일"},
    };
    for (const Case& c : cases) {
        farm.messages().clear();
        bool stillOpen = false;
        withNew([&](HistoryEntryDialog& d) {
            fillRequired(d);
            c.spoil(d);
            d.saveButton()->click();
            stillOpen = d.isVisible();
            ASSERT_NE(d.focusWidget(), nullptr) << c.what;
            QWidget* f = d.focusWidget();
            while (f && f->objectName().isEmpty()) f = f->parentWidget();  // a picker's inner line edit
            EXPECT_EQ(f->objectName(), c.focus) << c.what;
        });
        EXPECT_TRUE(stillOpen) << c.what;
        ASSERT_EQ(farm.messages().count(), 1) << c.what;
        const MessageSpec& m = farm.messages().last();
        EXPECT_EQ(m.text, c.message) << c.what;
        EXPECT_EQ(m.title, c.title) << c.what;
        EXPECT_EQ(m.icon, c.icon) << c.what;
        EXPECT_EQ(m.buttons, MsgButton::Ok) << c.what;
    }
    EXPECT_EQ(farm.count(QStringLiteral("번식기록")), 1);
    EXPECT_EQ(tab->rowCount(), 1);
}

TEST_F(BreedingFixture, NumbersThatPassWithoutTheirGroupOrWhenEmpty)
{
    tab->reload(kCow);
    withNew([&](HistoryEntryDialog& d) {
        fillRequired(d);
        d.dateBox("예정일")->setChecked(false);
        d.textBox("BCS")->clear();
        d.textBox("생시체중")->setText(" ");
        EXPECT_TRUE(d.save());
    });
    EXPECT_EQ(farm.scalar(QStringLiteral("select BCS || '/' || 생시체중 || '/' || 예정일 from 번식기록")),
              QStringLiteral("0.0/0.0/0"));
}

TEST_F(BreedingFixture, NoAtTheQuestionKeepsTheDialogOpenAndStoresNothing)
{
    tab->reload(kCow);
    bool open = false;
    withNew([&](HistoryEntryDialog& d) {
        fillRequired(d);
        farm.messages().answer(MsgButton::No);
        EXPECT_FALSE(d.save());
        open = d.isVisible();
        EXPECT_EQ(d.textBox("정액번호")->text(), QStringLiteral("KPN-950"));
    });
    EXPECT_TRUE(open);
    EXPECT_EQ(farm.count(QStringLiteral("번식기록")), 0);
    EXPECT_EQ(tab->rowCount(), 0);
}

TEST_F(BreedingFixture, DuplicateDateRefusedForNewButAChangeReachesTheKey)
{
    farm.addBreeding(kCow, n(2022, 1, 9), {{"정액번호", "KPN-1"}, {"산차", 1}, {"회수", 1}});
    farm.addBreeding(kCow, n(2022, 4, 2), {{"정액번호", "KPN-2"}, {"산차", 1}, {"회수", 2}});
    tab->reload(kCow);

    // A change onto the date of the other record passes the dialog's checks; the database refuses it.
    bool open = false;
    QString keptSemen;
    withChange(2, [&](HistoryEntryDialog& d) {
        d.datePicker("수정일")->setDate(QDate(2022, 1, 9));  // ticks the expected date, which needs a BCS
        d.textBox("BCS")->setText(QStringLiteral("5"));
        d.textBox("정액번호")->setText(QStringLiteral("KPN-NEW"));
        EXPECT_FALSE(d.save());
        open = d.isVisible();
        keptSemen = d.textBox("정액번호")->text();
    });
    EXPECT_TRUE(open);
    EXPECT_EQ(keptSemen, QStringLiteral("KPN-NEW"));
    ASSERT_EQ(farm.messages().count(), 2);
    EXPECT_EQ(farm.messages().shown()[0].box.text, QStringLiteral("번식기록을 수정하시겠습니까?"));
    EXPECT_EQ(farm.messages().shown()[0].box.title, QStringLiteral("수정"));
    const MessageSpec& err = farm.messages().last();
    EXPECT_EQ(err.title, kAppTitle);
    EXPECT_EQ(err.buttons, MsgButton::Ok);
    // Today's Korean sentence, and the database's words only behind the details button.
    EXPECT_EQ(err.text, QStringLiteral("같은 번호(또는 날짜)의 기록이 이미 있어 저장할 수 없습니다."));
    EXPECT_TRUE(err.details.contains(QStringLiteral("UNIQUE"))) << err.details.toStdString();
    EXPECT_EQ(stored(n(2022, 4, 2))[3], QStringLiteral("KPN-2"));  // nothing changed
    EXPECT_EQ(gridRow(tab->grid(), 2)[3], QStringLiteral("KPN-2"));
}

TEST_F(BreedingFixture, ChangeMovesTheRecordAndUpdatesItsRowInPlace)
{
    farm.addBreeding(kCow, n(2022, 1, 9), {{"정액번호", "KPN-1"}, {"산차", 1}, {"회수", 1}});
    farm.addBreeding(kCow, n(2022, 4, 2),
                     {{"정액번호", "KPN-2"}, {"산차", 1}, {"회수", 2}, {"BCS", 5}, {"예정일", n(2023, 1, 7)}});
    farm.addBreeding(QStringLiteral("003"), n(2022, 4, 2), {{"정액번호", "OTHER"}});
    tab->reload(kCow);

    withChange(1, [&](HistoryEntryDialog& d) {
        d.datePicker("수정일")->setDate(QDate(2022, 2, 1));  // moves the record; 예정일 follows
        d.dateBox("판정일")->setChecked(true);
        d.datePicker("판정일")->setDate(QDate(2022, 3, 20));
        d.option("SSOption1")->setChecked(true);
        d.textBox("BCS")->setText(QStringLiteral("6"));
        EXPECT_TRUE(d.save());
    });
    EXPECT_EQ(farm.count(QStringLiteral("번식기록"), QStringLiteral("수정일 = ?"), {n(2022, 1, 9)}), 0);
    EXPECT_EQ(stored(n(2022, 2, 1)), QStringList({"1", "1", "20220201", "KPN-1", "", "20221108", "6", "20220320", "0",
                                                  "0", "", "-1", "", "", "0", ""}));
    EXPECT_EQ(farm.scalar(QStringLiteral("select 정액번호 from 번식기록 where 개체번호 = '003'")),
              QStringLiteral("OTHER"));
    EXPECT_EQ(tab->rowCount(), 2);
    EXPECT_EQ(gridRow(tab->grid(), 1), QStringList({"1", "1", "2022-02-01", "KPN-1", "", "6", "2022-03-20", "가(O)",
                                                    "2022-11-08", "", "", "", ""}));
    EXPECT_EQ(gridRow(tab->grid(), 2)[3], QStringLiteral("KPN-2"));

    // A second change of the same row keys by its new date.
    withChange(1, [&](HistoryEntryDialog& d) {
        EXPECT_EQ(d.key(), QStringLiteral("20220201"));
        d.option("SSOption2")->setChecked(true);
        EXPECT_TRUE(d.save());
    });
    EXPECT_EQ(gridRow(tab->grid(), 1)[7], QStringLiteral("부(X)"));
    EXPECT_EQ(stored(n(2022, 2, 1))[8], QStringLiteral("1"));

    tab->reload(kCow);
    EXPECT_EQ(gridRow(tab->grid(), 1)[7], QStringLiteral("부"));
}

TEST_F(BreedingFixture, ResultShownAsSavedUntilTheNextReload)
{
    tab->reload(kCow);
    withNew([&](HistoryEntryDialog& d) {
        fillRequired(d);
        d.datePicker("수정일")->setDate(QDate(2024, 5, 1));
        d.dateBox("판정일")->setChecked(true);
        EXPECT_TRUE(d.save());
    });
    withNew([&](HistoryEntryDialog& d) {
        fillRequired(d);
        d.datePicker("수정일")->setDate(QDate(2023, 5, 1));  // earlier, yet appended last
        EXPECT_TRUE(d.save());
    });
    EXPECT_EQ(gridRow(tab->grid(), 1)[7], QStringLiteral("가(O)"));
    EXPECT_EQ(gridRow(tab->grid(), 2)[2], QStringLiteral("2023-05-01"));

    tab->reload(kCow);
    EXPECT_EQ(gridRow(tab->grid(), 1)[2], QStringLiteral("2023-05-01"));
    EXPECT_EQ(gridRow(tab->grid(), 2)[7], QStringLiteral("가"));
    EXPECT_EQ(gridRow(tab->grid(), 2)[5], QStringLiteral("5"));
}

TEST_F(BreedingFixture, QuotesAreStoredAsTyped)
{
    tab->reload(kCow);
    const QString remark = QStringLiteral("it's 'fine'; drop table 번식기록 --");
    withNew([&](HistoryEntryDialog& d) {
        fillRequired(d);
        d.textBox("비고")->setText(remark);
        d.textBox("정액번호")->setText(QStringLiteral("KPN'7"));
        EXPECT_TRUE(d.save());
    });
    EXPECT_EQ(farm.messages().count(), 1);  // only the question
    EXPECT_EQ(farm.scalar(QStringLiteral("select 비고 from 번식기록")), remark);
    EXPECT_EQ(farm.scalar(QStringLiteral("select 정액번호 from 번식기록")), QStringLiteral("KPN'7"));
}

TEST_F(BreedingFixture, ARefusedInsertKeepsTheDialogAndTheGrid)
{
    tab->reload(kCow);
    // A record stored behind the grid's back: the grid check cannot see it, the database refuses it.
    farm.addBreeding(kCow, dn(kToday));
    bool open = false;
    withNew([&](HistoryEntryDialog& d) {
        fillRequired(d);
        EXPECT_FALSE(d.save());
        open = d.isVisible();
    });
    EXPECT_TRUE(open);
    EXPECT_EQ(farm.messages().count(), 2);
    EXPECT_EQ(farm.messages().last().title, kAppTitle);
    EXPECT_EQ(tab->rowCount(), 0);
    EXPECT_EQ(tab->grid()->maxRows(), 0);
}

TEST_F(BreedingFixture, AChangeWhoseRecordIsGoneIsNotReportedAsDone)
{
    farm.addBreeding(kCow, n(2022, 1, 9), {{"정액번호", "KPN-1"}, {"산차", 1}, {"회수", 1}});
    tab->reload(kCow);
    farm.exec(QStringLiteral("delete from 번식기록"));
    bool open = false;
    withChange(1, [&](HistoryEntryDialog& d) {
        d.textBox("정액번호")->setText(QStringLiteral("KPN-1"));
        d.textBox("산차")->setText(QStringLiteral("1"));
        d.textBox("회수")->setText(QStringLiteral("1"));
        d.textBox("BCS")->setText(QStringLiteral("5"));
        EXPECT_FALSE(d.save());
        open = d.isVisible();
    });
    EXPECT_TRUE(open);
    ASSERT_EQ(farm.messages().count(), 2);
    EXPECT_EQ(farm.messages().last().title, kAppTitle);
    EXPECT_EQ(farm.messages().last().text,
              QStringLiteral("수정할 기록을 찾을 수 없습니다. 화면을 닫았다가 다시 열어 주세요."));
    EXPECT_EQ(farm.count(QStringLiteral("번식기록")), 0);
    EXPECT_EQ(gridRow(tab->grid(), 1)[2], QStringLiteral("2022-01-09"));
}
