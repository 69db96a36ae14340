// The breeding tab: its grid, loader and the change/delete commands.
#include "BreedingFixture.h"

#include <QLabel>

namespace {
}  // namespace

TEST_F(BreedingFixture, GridHeadersButtonsAndNotes)
{
    EXPECT_EQ(tab->grid()->objectName(), QStringLiteral("SS1"));
    EXPECT_EQ(tab->findChild<Grid*>(QStringLiteral("SS1")), tab->grid());
    const QStringList headers = {"산차",
                                 "회수",
                                 "수정일",
                                 "씨수소 정액번호",
                                 "공란우",
                                 "BCS",
                                 "임신        판정일",
                                 "가 부",
                                 "분만예정일",
                                 "분만일",
                                 "송아지번호",
                                 "성 별",
                                 "분만난이도 특이사항"};
    ASSERT_EQ(tab->grid()->maxCols(), 13);
    for (int c = 1; c <= 13; ++c) EXPECT_EQ(tab->grid()->cellText(c, 0), headers[c - 1]) << c;

    EXPECT_EQ(button("cmdInsert1")->text(), QStringLiteral("신규등록"));
    EXPECT_EQ(button("cmdUpate1")->text(), QStringLiteral("수 정"));
    EXPECT_EQ(button("cmdDelete1")->text(), QStringLiteral("삭 제"));

    QStringList notes;
    for (QLabel* l : tab->findChildren<QLabel*>()) notes << l->text();
    EXPECT_TRUE(notes.contains(QStringLiteral("※ 임신판정 : 판정일 및 판정결과 가부(O/X) 기록, BCS(살찐점수): 1-9점")));
    EXPECT_TRUE(notes.contains(QStringLiteral(
        "※ 분만난이도 : 1=스스로 나옴, 2=사람이 당겨줌, 3=체인 등 도구를 사용하여 당겨줌, 4=제왕절개, 5=이상태위")));
    EXPECT_TRUE(notes.contains(
        QStringLiteral("※ 유/사산의 경우 \"분만일\"란에 사고일을 기록하고 특이사항에 해당 내용 기록(산차증가)")));
    EXPECT_EQ(tab->rowCount(), 0);
}

TEST_F(BreedingFixture, ReflashData1ShowsEachColumnOnlyWhenItsConditionHolds)
{
    // Stored out of date order; the loader orders by 수정일.
    farm.addBreeding(kCow, n(2023, 6, 1),
                     {{"산차", 2},
                      {"회수", 1},
                      {"정액번호", "KPN-1"},
                      {"공란우", "D7"},
                      {"BCS", 5.5},
                      {"예정일", n(2024, 3, 7)},
                      {"판정일", n(2023, 8, 1)},
                      {"가부", 0},
                      {"분만일", n(2024, 3, 5)},
                      {"송아지번호", "C-9"},
                      {"성별", 1},
                      {"분만난이도", "1"}});
    farm.addBreeding(kCow, n(2022, 4, 2),
                     {{"산차", 1},
                      {"회수", 3},
                      {"정액번호", "KPN-2"},
                      {"가부", 1},
                      {"판정일", 0},
                      {"분만일", n(2023, 1, 7)},
                      {"송아지번호", ""},
                      {"성별", 0}});
    farm.addBreeding(kCow, n(2022, 1, 9), {{"판정일", n(2022, 3, 1)}, {"가부", 1}, {"송아지번호", "X"}, {"성별", 0}});
    farm.addBreeding(QStringLiteral("999"), n(2022, 5, 5));  // another cow

    tab->reload(kCow);
    ASSERT_EQ(tab->rowCount(), 3);
    EXPECT_EQ(tab->grid()->maxRows(), 3);
    EXPECT_EQ(gridRow(tab->grid(), 1),
              QStringList({"0", "0", "2022-01-09", "", "", "0", "2022-03-01", "부", "", "", "", "", ""}));
    // 판정일 0 hides 가부; a calving without calf number shows no sex.
    EXPECT_EQ(gridRow(tab->grid(), 2),
              QStringList({"1", "3", "2022-04-02", "KPN-2", "", "0", "", "", "", "2023-01-07", "", "", ""}));
    EXPECT_EQ(gridRow(tab->grid(), 3), QStringList({"2", "1", "2023-06-01", "KPN-1", "D7", "5.5", "2023-08-01", "가",
                                                    "2024-03-07", "2024-03-05", "C-9", "수", "1"}));
    for (int r = 1; r <= 3; ++r) EXPECT_EQ(tab->grid()->rowHeight(r), 18);
    EXPECT_EQ(tab->grid()->activeRow(), 1);

    // A reload for another cow starts from an empty grid.
    tab->reload(QStringLiteral("nobody"));
    EXPECT_EQ(tab->rowCount(), 0);
    EXPECT_EQ(tab->grid()->maxRows(), 0);
    EXPECT_EQ(farm.messages().count(), 0);
}

TEST_F(BreedingFixture, ReflashData1TrimsTheNumberAndReportsLoadErrors)
{
    farm.addBreeding(kCow, n(2022, 1, 9));
    tab->reload(QStringLiteral(" 002 "));
    EXPECT_EQ(tab->rowCount(), 1);

    farm.exec(QStringLiteral("drop table 번식기록"));
    tab->reload(kCow);
    ASSERT_EQ(farm.messages().count(), 1);
    // The database's words sit behind the details button.
    EXPECT_TRUE(farm.messages().last().details.contains(QStringLiteral("no such table")));
    EXPECT_EQ(tab->rowCount(), 1);  // the grid keeps what it had
}

TEST_F(BreedingFixture, ChangeAndDeleteDoNothingOnAnEmptyGrid)
{
    tab->reload(kCow);
    expectNoModal<HistoryEntryDialog>(button("cmdUpate1"));
    button("cmdDelete1")->click();
    emit tab->grid()->dblClick(1, 1);
    QCoreApplication::processEvents();
    EXPECT_EQ(farm.messages().count(), 0);
    EXPECT_EQ(tab->rowCount(), 0);
}

TEST_F(BreedingFixture, DeleteAsksThenDeletesTheActiveRowAndReloads)
{
    farm.addBreeding(kCow, n(2022, 1, 9));
    farm.addBreeding(kCow, n(2022, 4, 2));
    farm.addBreeding(QStringLiteral("003"), n(2022, 4, 2));
    tab->reload(kCow);
    tab->grid()->setActiveCell(2, 2);

    farm.messages().answer(MsgButton::No);
    button("cmdDelete1")->click();
    ASSERT_EQ(farm.messages().count(), 1);
    const MessageSpec& q = farm.messages().last();
    EXPECT_EQ(q.text, QStringLiteral("선택하신 번식기록 내역을 삭제하시겠습니까?"));
    EXPECT_EQ(q.title, QStringLiteral("삭제"));
    EXPECT_EQ(q.icon, MsgIcon::Question);
    EXPECT_EQ(q.buttons, MsgButton::Yes | MsgButton::No);
    EXPECT_EQ(farm.count(QStringLiteral("번식기록")), 3);

    farm.messages().answer(MsgButton::Yes);
    button("cmdDelete1")->click();
    EXPECT_EQ(farm.count(QStringLiteral("번식기록")), 2);
    EXPECT_EQ(farm.count(QStringLiteral("번식기록"), QStringLiteral("수정일 = ?"), {n(2022, 4, 2)}),
              1);  // the other cow's
    ASSERT_EQ(tab->rowCount(), 1);
    EXPECT_EQ(tab->grid()->cellText(3, 1), QStringLiteral("2022-01-09"));
}

TEST_F(BreedingFixture, DoubleClickOpensTheChangeOfTheActiveRow)
{
    farm.addBreeding(kCow, n(2022, 1, 9), {{"정액번호", "KPN-1"}});
    farm.addBreeding(kCow, n(2022, 4, 2), {{"정액번호", "KPN-2"}});
    tab->reload(kCow);
    tab->grid()->setActiveCell(3, 2);
    QString seenKey, seenSemen;
    driveModal<HistoryEntryDialog>([&] { emit tab->grid()->dblClick(3, 2); },
                                   [&](HistoryEntryDialog& d) {
                                       seenKey = d.key();
                                       seenSemen = d.textBox("정액번호")->text();
                                   });
    EXPECT_EQ(seenKey, QStringLiteral("20220402"));
    EXPECT_EQ(seenSemen, QStringLiteral("KPN-2"));
    EXPECT_EQ(tab->grid()->row(), 2);
}

TEST_F(BreedingFixture, ARowWithoutDateCannotBeChangedOrDeleted)
{
    farm.addBreeding(kCow, 0, {{"정액번호", "KPN-0"}});
    tab->reload(kCow);
    ASSERT_EQ(tab->rowCount(), 1);
    tab->grid()->setActiveCell(1, 1);
    expectNoModal<HistoryEntryDialog>(button("cmdUpate1"));
    button("cmdDelete1")->click();
    ASSERT_EQ(farm.messages().count(), 2);
    EXPECT_EQ(farm.messages().shown()[0].box.title, QStringLiteral("선택오류"));
    EXPECT_EQ(farm.messages().shown()[1].box.text, QStringLiteral("선택하신 행에는 날짜가 없어 삭제할 수 없습니다."));
    EXPECT_EQ(farm.count(QStringLiteral("번식기록")), 1);
}

TEST_F(BreedingFixture, NewRecordNeedsAStoredCow)
{
    tab->reload(QString());
    expectNoModal<HistoryEntryDialog>(button("cmdInsert1"));
    ASSERT_EQ(farm.messages().count(), 1);
    EXPECT_EQ(farm.messages().last().title, QStringLiteral("미입력"));
}

TEST_F(BreedingFixture, ResultAndSexShowOnlyWithTheirDates)
{
    // One record per case, on consecutive days so the grid order is the case order.
    struct Case {
        qint64 checked;
        int verdict;
        qint64 calved;
        const char* calf;
        int sex;
        const char* cells;  // columns 7, 8, 10, 11, 12
    };
    const qint64 d = n(2021, 5, 5);
    const Case cases[] = {
        {0, 0, 0, "", -1, " |  |  |  | "},  // a stored 0 verdict without a check date is no "가"
        {0, 1, 0, "", -1, " |  |  |  | "},
        {d, 0, 0, "", -1, "2021-05-05 | 가 |  |  | "},
        {d, 1, 0, "", -1, "2021-05-05 | 부 |  |  | "},
        {d, -1, 0, "", -1, "2021-05-05 | 부 |  |  | "},
        {0, -1, 0, "C-1", 0, " |  |  |  | "},  // a calf number without a calving date stays hidden
        {0, -1, d, "", 0, " |  | 2021-05-05 |  | "},
        {0, -1, d, "C-2", 0, " |  | 2021-05-05 | C-2 | 암"},
        {0, -1, d, "C-3", 1, " |  | 2021-05-05 | C-3 | 수"},
        {0, -1, d, "C-4", -1, " |  | 2021-05-05 | C-4 | 수"},
    };
    QDate day(2020, 1, 1);
    for (const Case& c : cases) {
        farm.addBreeding(kCow, dn(day),
                         {{"판정일", c.checked},
                          {"가부", c.verdict},
                          {"분만일", c.calved},
                          {"송아지번호", QString::fromUtf8(c.calf)},
                          {"성별", c.sex}});
        day = day.addDays(1);
    }
    tab->reload(kCow);
    ASSERT_EQ(tab->rowCount(), long(std::size(cases)));
    for (int i = 0; i < int(std::size(cases)); ++i) {
        const QStringList row = gridRow(tab->grid(), i + 1);
        EXPECT_EQ(QStringList({row[6], row[7], row[9], row[10], row[11]}).join(QStringLiteral(" | ")),
                  QString::fromUtf8(cases[i].cells))
            << i;
    }
}

TEST_F(BreedingFixture, AFailedDeleteSaysWhyAndKeepsTheRow)
{
    farm.addBreeding(kCow, n(2022, 1, 9));
    tab->reload(kCow);
    // The statement cannot run: the user hears why instead of a delete that silently did nothing.
    farm.exec(QStringLiteral("create trigger 지키기 before delete on 번식기록 begin select raise(abort, '잠김'); end"));
    farm.messages().answer(MsgButton::Yes);
    button("cmdDelete1")->click();
    ASSERT_EQ(farm.messages().count(), 2);
    EXPECT_EQ(farm.messages().last().title, kAppTitle);
    EXPECT_TRUE(farm.messages().last().text.contains(QStringLiteral("잠김")));
    EXPECT_EQ(farm.count(QStringLiteral("번식기록")), 1);
    EXPECT_EQ(tab->rowCount(), 1);
    EXPECT_EQ(tab->grid()->cellText(3, 1), QStringLiteral("2022-01-09"));
}
