// The individual search list driven through its controls: loading, the search with its
// conditions and display rules, the delete and the list print.
#include "RegistryFixture.h"

#include "app/MainWindow.h"
#include "app/Windows.h"
#include "print/PrintScript.h"
#include "print/ReportJob.h"
#include "registry/BullRecordForm.h"
#include "registry/CowRecordForm.h"
#include "support/AccessibilityCheck.h"

#include <QAccessible>
#include <QFrame>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

namespace {

using SearchListTest = RegistryTest;

TEST_F(SearchListTest, OpensEmptyWithTheFarmHeaderAndEveryControl)
{
    farm.exec("update 농장정보 set 등록번호 = ' 35-123 ', 사업장명칭 = '햇살한우농장 '");
    farm.addAnimal("A1", 0, 20080101);
    gs등록번호.clear();
    gs사업장명칭.clear();
    openList();
    EXPECT_EQ(window->objectName(), "frmSearch");
    EXPECT_EQ(gs등록번호, "35-123");
    EXPECT_EQ(gs사업장명칭, "햇살한우농장");
    EXPECT_EQ(listGrid(window)->maxRows(), 0);
    EXPECT_EQ(window->rowCount(), 0);

    const QList<std::pair<QString, QString>> captions = {{"SSOption1", "전체"},
                                                         {"SSOption2", "암소"},
                                                         {"SSOption3", "수소"},
                                                         {"Option1", "28개월령 이후"},
                                                         {"Com_Function_0", "조회(F11)"},
                                                         {"Com_Function_1", "목록인쇄"},
                                                         {"Com_Function_99", "닫기(ESC)"},
                                                         {"cmdInsert", "개체(암소)등록"},
                                                         {"cmdInsert2", "개체(수소)등록"},
                                                         {"cmdUpdate", "개체수정"},
                                                         {"cmdDelete", "개체삭제"}};
    for (const auto& [name, caption] : captions) {
        if (auto* b = find<QAbstractButton>(name)) {
            EXPECT_EQ(b->text(), caption) << name.toStdString();
        }
    }
    EXPECT_EQ(find<QLabel>("Label2")->text(), "*개체번호, 종축등록번호, 별명으로 검색이 가능합니다.");
    EXPECT_EQ(find<QLabel>("SSPanel2")->text(), "검색조건");
    EXPECT_EQ(find<QLabel>("SSPanel1_0")->text(), "구     분");
    EXPECT_EQ(find<QLabel>("SSPanel1_1")->text(), "검 색 어");
    EXPECT_TRUE(find<QRadioButton>("SSOption1")->isChecked());
    EXPECT_TRUE(find<QFrame>("Frame1")->isHidden());
    EXPECT_TRUE(find<QLabel>("ML_INFO")->isHidden());
    EXPECT_EQ(gridRow(listGrid(window), 0),
              (QStringList{"개체식별번호", "암/수소", "구분", "개체생일", "종축등록번호", "목장명", "우방번호",
                           "입식일자", "부번호(정액번호) KPN-", "부번호(바코드)", "모번호", "판매일(거세일)",
                           "개체특징", "흑비경", "출하예정일", "출하일", "개월령"}));

    // Resizing keeps the function buttons at the right end and the grid filling the window.
    window->resize(900, 600);
    QApplication::processEvents();
    auto* close = find<QWidget>("Com_Function_99");
    auto* bar = find<QWidget>("SSPanel1_2");
    EXPECT_GT(close->x() + close->width(), bar->width() - 20);
    EXPECT_GT(find<QWidget>("SP_SpreadPN")->width(), 860);
    EXPECT_EQ(farm.messages().count(), 0);
}

TEST_F(SearchListTest, TheMenuOpensItAndClosingBringsTheMainWindowBack)
{
    MainWindow main;
    registerWindows(main);
    main.show();
    main.menuClicked(MenuEntry::Animals);
    QPointer<QWidget> opened = main.openWindow(MenuEntry::Animals);
    ASSERT_TRUE(opened);
    EXPECT_EQ(opened->objectName(), "frmSearch");
    EXPECT_FALSE(main.isVisible());
    EXPECT_TRUE(gConn.isOpen());
    // Esc closes like the close button.
    QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(opened->findChild<QWidget*>("txtWord"), &esc);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(opened);
    EXPECT_FALSE(gConn.isOpen());
    EXPECT_TRUE(main.isVisible());
}

TEST_F(SearchListTest, ConditionsThroughTheControls)
{
    farm.addAnimal("COW", 0, 20050101);
    farm.addAnimal("OLD", 1, 20071031);    // 28 months exactly on 2010-02-28
    farm.addAnimal("YOUNG", 1, 20071101);  // one day short
    farm.addAnimal("SHIPPED", 1, 20050101, {{"출하일", 20091201}});
    farm.addAnimal("NOBIRTH", 1, 0);
    openList();

    searchFor("SSOption1");
    EXPECT_EQ(gridColumn(listGrid(window), 1), (QStringList{"YOUNG", "OLD", "COW", "SHIPPED", "NOBIRTH"}));
    searchFor("SSOption2");
    EXPECT_EQ(gridColumn(listGrid(window), 1), (QStringList{"COW"}));

    // Bulls: the age box appears; ticked, it keeps unshipped bulls of 28 months and older.
    click("SSOption3");
    EXPECT_FALSE(find<QFrame>("Frame1")->isHidden());
    find<QCheckBox>("Option1")->setChecked(true);
    searchFor("SSOption3");
    EXPECT_EQ(gridColumn(listGrid(window), 1), (QStringList{"OLD", "NOBIRTH"}));
    searchFor("SSOption3", " NOBIRTH ");
    EXPECT_EQ(gridColumn(listGrid(window), 1), (QStringList{"NOBIRTH"}));

    // "전체" hides the box and drops its condition, although it stays ticked.
    searchFor("SSOption1");
    EXPECT_TRUE(find<QFrame>("Frame1")->isHidden());
    EXPECT_TRUE(find<QCheckBox>("Option1")->isChecked());
    EXPECT_EQ(listGrid(window)->maxRows(), 5);
    EXPECT_EQ(window->rowCount(), 5);
    EXPECT_EQ(listGrid(window)->activeRow(), 1);

    // F11 searches while the query button is usable, and only then: an animal added since
    // the last search shows up.
    farm.addAnimal("LATE", 0, 20100101);
    QKeyEvent f11(QEvent::KeyPress, Qt::Key_F11, Qt::NoModifier);
    QApplication::sendEvent(find<QWidget>("txtWord"), &f11);
    EXPECT_EQ(window->rowCount(), 6);
    EXPECT_EQ(gridColumn(listGrid(window), 1).value(0), "LATE");
    EXPECT_EQ(farm.messages().count(), 0);
}

TEST_F(SearchListTest, DisplayRulesColoursAndRowHeights)
{
    setTodayOverride(QDate(2009, 2, 1));
    farm.addAnimal("COW", 0, 20090131,
                   {{"구분2", 1},
                    {"등록번호", "R1"},
                    {"별명", "들꽃"},
                    {"우방번호", "3-1"},
                    {"입식일자", 20091208},
                    {"정액번호", "1001"},
                    {"부번호", "0500"},
                    {"모번호", "M9"},
                    {"개체특징", "순함"},
                    {"점수", 0}});
    farm.addAnimal("BULL", 1, 20061231,
                   {{"판매일", 20070615}, {"점수", 4.5}, {"출하예정일", 20090501}, {"출하일", 20090115}});
    openList();
    searchFor();
    ASSERT_EQ(listGrid(window)->maxRows(), 2);
    EXPECT_EQ(gridRow(listGrid(window), 1),
              (QStringList{"COW", "암소", "교잡종", "2009년 01월 31일", "R1", "들꽃", "3-1", "2009년 12월 08일", "1001",
                           "0500", "M9", "", "순함", "", "", "", "1 개월령"}));
    EXPECT_EQ(gridRow(listGrid(window), 2),
              (QStringList{"BULL", "수소", "순종", "2006년 12월 31일", "", "", "", "", "", "", "", "2007년 06월 15일",
                           "", "4.5", "2009년 05월 01일", "2009년 01월 15일", ""}));
    EXPECT_EQ(listGrid(window)->rowForeColor(1), QColor(Qt::black));
    EXPECT_EQ(listGrid(window)->rowForeColor(2), QColor(0, 0, 255));
    EXPECT_EQ(listGrid(window)->rowHeight(1), 18);
    EXPECT_EQ(listGrid(window)->rowHeight(2), 18);
}

TEST_F(SearchListTest, NoMatchAndAllSkipped)
{
    farm.addAnimal("YOUNG", 1, 20090101);
    openList();
    searchFor("SSOption1");
    ASSERT_EQ(window->rowCount(), 1);

    searchFor("SSOption1", "없는번호");
    ASSERT_EQ(farm.messages().count(), 1);
    const MessageSpec& m = farm.messages().last();
    EXPECT_EQ(m.text, "해당하는 한우개체 정보가 없습니다. 다시 검색해 주세요.");
    EXPECT_EQ(m.title, "검색오류");
    EXPECT_EQ(m.icon, MsgIcon::Question);
    EXPECT_EQ(m.buttons, MsgButton::Ok);
    EXPECT_EQ(listGrid(window)->maxRows(), 0);
    EXPECT_EQ(window->rowCount(), 0);
    EXPECT_TRUE(window->isEnabled());
    EXPECT_TRUE(find<QLabel>("ML_INFO")->isHidden());
    EXPECT_EQ(QApplication::focusWidget(), find<QWidget>("txtWord"));

    // Found but every bull too young: an empty list without the message.
    click("SSOption3");
    find<QCheckBox>("Option1")->setChecked(true);
    searchFor("SSOption3");
    EXPECT_EQ(farm.messages().count(), 1);
    EXPECT_EQ(window->rowCount(), 0);
    EXPECT_EQ(listGrid(window)->maxRows(), 0);

    // ... and then the list print has nothing to print.
    click("Com_Function_1");
    ASSERT_EQ(farm.messages().count(), 2);
    EXPECT_EQ(farm.messages().last().text, "출력할 한우개체 정보를 검색해 주세요.");
    EXPECT_EQ(farm.messages().last().title, "출력확인");
    EXPECT_EQ(farm.messages().last().icon, MsgIcon::Critical);
    EXPECT_EQ(QApplication::focusWidget(), find<QWidget>("txtWord"));
}

TEST_F(SearchListTest, AFailingSearchSaysSoAndLeavesTheWindowUsable)
{
    openList();
    farm.exec("alter table 개체관리 rename to 개체관리_old");
    searchFor();
    ASSERT_EQ(farm.messages().count(), 1);
    EXPECT_EQ(farm.messages().last().title, kAppTitle);
    EXPECT_TRUE(farm.messages().last().details.contains("개체관리")) << farm.messages().last().details.toStdString();
    EXPECT_TRUE(window->isEnabled());
    EXPECT_FALSE(window->isQuerying());
    EXPECT_TRUE(find<QLabel>("ML_INFO")->isHidden());
}

TEST_F(SearchListTest, F11WhileASearchRunsDoesNotSearchAgain)
{
    openList();
    // The key is handled while the search lets window messages run with the window disabled;
    // a second search would show the no-match message of the empty herd twice.
    QCoreApplication::postEvent(find<QWidget>("txtWord"), new QKeyEvent(QEvent::KeyPress, Qt::Key_F11, Qt::NoModifier));
    click("Com_Function_0");
    QApplication::processEvents();
    EXPECT_EQ(farm.messages().count(), 1);
    EXPECT_TRUE(window->isEnabled());
}

using DeleteTest = RegistryTest;

TEST_F(DeleteTest, AskedWithNoAsDefaultThenEveryTableAndTheListAgain)
{
    farm.addAnimalWithHistory("A");
    farm.addAnimalWithHistory("B");
    openList();
    searchFor();
    listGrid(window)->setActiveCell(1, rowOf("A"));

    farm.messages().answer(MsgButton::No);
    click("cmdDelete");
    ASSERT_EQ(farm.messages().count(), 1);
    const MessageSpec& m = farm.messages().last();
    EXPECT_EQ(m.text,
              "선택하신 한우개체 정보를 정말로 삭제하시겠습니까?\r\n\r\n"
              "주의 : 모든 번식기록, 백신접종, 체척, 초음파측정 기록이 삭제됩니다.");
    EXPECT_EQ(m.title, "삭제");
    EXPECT_EQ(m.icon, MsgIcon::Critical);
    EXPECT_EQ(m.buttons, MsgButton::Yes | MsgButton::No);
    EXPECT_EQ(m.defaultButton, MsgButton::No);
    EXPECT_EQ(rowsOfAnimal("A"), 6);

    farm.messages().answer(MsgButton::Yes);
    click("cmdDelete");
    EXPECT_EQ(rowsOfAnimal("A"), 0);
    EXPECT_EQ(rowsOfAnimal("B"), 6);
    EXPECT_EQ(gridColumn(listGrid(window), 1), (QStringList{"B"}));
    EXPECT_EQ(farm.messages().count(), 2);
}

TEST_F(DeleteTest, AFailureKeepsEverythingAndSaysSo)
{
    farm.addAnimalWithHistory("A");
    openList();
    searchFor();
    farm.exec("CREATE TRIGGER refuse BEFORE DELETE ON 개체관리 BEGIN SELECT RAISE(ABORT, 'refused'); END");
    farm.messages().answer(MsgButton::Yes);
    click("cmdDelete");
    ASSERT_EQ(farm.messages().count(), 2);
    EXPECT_EQ(farm.messages().last().title, kAppTitle);
    // The database's words sit behind the details button.
    EXPECT_TRUE(farm.messages().last().details.contains("refused"));
    EXPECT_EQ(rowsOfAnimal("A"), 6);
    EXPECT_EQ(gridColumn(listGrid(window), 1), (QStringList{"A"}));

    // An empty list has nothing to delete.
    searchFor("SSOption1", "NONE");
    ASSERT_EQ(window->rowCount(), 0);
    ASSERT_EQ(farm.messages().count(), 3);  // nothing found
    click("cmdDelete");
    EXPECT_EQ(farm.messages().count(), 3);
    EXPECT_EQ(rowsOfAnimal("A"), 6);
}

TEST_F(SearchListTest, ListPrintFillsTheWorkTableWithTheShownTexts)
{
    farm.exec("update 농장정보 set 사업장명칭 = '햇살한우농장'");
    farm.addAnimal("A1", 0, 20091208, {{"개체특징", "O'Neil 씨 소"}, {"모번호", "M'1"}, {"점수", 4}});
    farm.addAnimal("B1", 1, 20080101, {{"출하일", 20100101}});
    openList();
    searchFor();
    ASSERT_EQ(window->rowCount(), 2);

    QTemporaryDir out;
    const QString pdf = out.filePath("list.pdf");
    {
        PrintScript print;
        print.savePdf(pdf);
        farm.messages().answer(MsgButton::Yes);
        click("Com_Function_1");
    }

    ASSERT_GE(farm.messages().count(), 1);
    EXPECT_EQ(farm.messages().shown().first().box.text, "한우암소관리 목록을 출력 하시겠습니까?");
    EXPECT_EQ(farm.messages().shown().first().box.title, "출력확인");
    EXPECT_EQ(farm.messages().count(), 1) << farm.messages().last().text.toStdString();
    EXPECT_TRUE(reportControl().reportFileName.endsWith("rpt/TarvikList.rpt"));
    EXPECT_EQ(reportControl().windowTitle, "한우개체 목록 출력");

    QSqlQuery q = runQuery("select * from 개체관리워크 order by rowid");
    QList<QStringList> stored;
    while (q.next()) {
        QStringList v;
        for (int c = 0; c < 18; ++c) v << q.value(c).toString();
        stored << v;
    }
    ASSERT_EQ(stored.size(), 2);
    EXPECT_EQ(stored[0], (QStringList{"A1", "암소", "순종", "2009년 12월 08일", "", "", "", "", "", "", "", "", "M'1",
                                      "", "O'Neil 씨 소", "4", "", ""}));
    EXPECT_EQ(stored[1], (QStringList{"B1", "수소", "순종", "2008년 01월 01일", "", "", "", "", "", "", "", "", "", "",
                                      "", "", "", "2010년 01월 01일"}));

    // The report itself: farm name in the header, the texts as stored.
    const QString text = pdfText(pdf);
    EXPECT_TRUE(text.contains("햇살한우농장")) << text.toStdString();
    EXPECT_TRUE(text.contains("O'Neil")) << text.toStdString();
    EXPECT_TRUE(text.contains("2009년 12월 08일")) << text.toStdString();
}

TEST_F(SearchListTest, SelectingBullsByAnyMeansShowsTheAgeBoxAndItsCondition)
{
    farm.addAnimal("OLD", 1, 20071031);
    farm.addAnimal("YOUNG", 1, 20091101);
    openList();
    auto* all = find<QRadioButton>("SSOption1");
    auto* cows = find<QRadioButton>("SSOption2");
    auto* bulls = find<QRadioButton>("SSOption3");
    auto* ageFrame = find<QFrame>("Frame1");
    find<QCheckBox>("Option1")->setChecked(true);

    struct Way {
        const char* name;
        std::function<void()> select;
        QRadioButton* selected;
    };
    auto toggleAction = [](QWidget* w) {
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
        ASSERT_TRUE(a && a->actionInterface());
        a->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    };
    const Way ways[] = {
        {"setChecked 수소", [&] { bulls->setChecked(true); }, bulls},
        {"setChecked 전체", [&] { all->setChecked(true); }, all},
        {"toggle action on 수소", [&] { toggleAction(bulls); }, bulls},
        {"toggle action on 암소", [&] { toggleAction(cows); }, cows},
        {"space key on 수소", [&] { QTest::keyClick(bulls, Qt::Key_Space); }, bulls},
        {"arrow key back to 암소",
         [&] {
             bulls->setFocus();
             QTest::keyClick(bulls, Qt::Key_Left);
         },
         cows},
    };
    for (const Way& way : ways) {
        SCOPED_TRACE(way.name);
        way.select();
        ASSERT_TRUE(way.selected->isChecked());
        const bool bullsSelected = way.selected == bulls;
        EXPECT_EQ(ageFrame->isHidden(), !bullsSelected);
        click("Com_Function_0");
        // The ticked box only counts while it is shown.
        if (bullsSelected) {
            EXPECT_EQ(gridColumn(listGrid(window), 1), QStringList{"OLD"});
        } else if (way.selected == all) {
            EXPECT_EQ(gridColumn(listGrid(window), 1), (QStringList{"YOUNG", "OLD"}));
        }
    }
}

TEST_F(SearchListTest, ControlsAreHeardByTheirCaptionsAndTheListByItsName)
{
    openList();
    EXPECT_TRUE(controlsHeardByControlName(window).isEmpty())
        << controlsHeardByControlName(window).join(u'\n').toStdString();
    const QList<std::pair<QString, QString>> heard = {{"SSOption3", "수소"},           {"Option1", "28개월령 이후"},
                                                      {"txtWord", "검색어"},           {"Com_Function_1", "목록인쇄"},
                                                      {"cmdInsert", "개체(암소)등록"}, {"SS", "한우개체 목록"}};
    for (const auto& [name, caption] : heard) {
        auto* w = find<QWidget>(name);
        EXPECT_EQ(w->accessibleName(), caption) << name.toStdString();
        EXPECT_EQ(w->accessibleDescription(), name) << name.toStdString();
    }
}

TEST_F(SearchListTest, EveryColumnShowsItsHeaderAndUsualTextWhole)
{
    farm.addAnimal("002123456789", 1, 20091208,
                   {{"구분2", 1},
                    {"등록번호", "1234567890"},
                    {"별명", "햇살한우목장"},
                    {"우방번호", "12-34"},
                    {"입식일자", 20100128},
                    {"정액번호", "1234"},
                    {"부번호", "002123456780"},
                    {"모번호", "002123456781"},
                    {"판매일", 20100227},
                    {"개체특징", "순하고 잘 먹음"},
                    {"점수", 4.5},
                    {"출하예정일", 20281130}});
    farm.addAnimal("002123456790", 0, 20000101, {{"출하일", 20081231}});
    openList();
    searchFor();
    ASSERT_EQ(window->rowCount(), 2);
    ASSERT_EQ(listGrid(window)->cellText(4, 1), "2009년 12월 08일");
    // The width the view itself asks for the texts it holds.
    const QAbstractItemView* view = listGrid(window);
    for (int c = 0; c < listGrid(window)->maxCols(); ++c) {
        SCOPED_TRACE(listGrid(window)->cellText(c + 1, 0).toStdString());
        EXPECT_GE(listGrid(window)->columnWidth(c), view->sizeHintForColumn(c));
        EXPECT_GE(listGrid(window)->columnWidth(c), listGrid(window)->horizontalHeader()->sectionSizeHint(c));
    }
}

TEST_F(SearchListTest, LongValuesShowWholeAtTheWindowsSizeAndNumbersAndDatesAlignAsPrinted)
{
    const QString ranch = QStringLiteral("푸른들 한우 번식목장 제2농장");
    const QString feature = QStringLiteral("왼쪽 귀표 재부착, 뒷다리 약간 절음");
    farm.addAnimal("KR004100003712", 0, 20091208,
                   {{"별명", ranch}, {"등록번호", "1234567890123"}, {"개체특징", feature}, {"점수", 4.5}});
    farm.addAnimal("KR004100003713", 1, 20090101, {{"출하예정일", 20110701}});
    openList();
    searchFor();
    ASSERT_EQ(window->rowCount(), 2);
    const Grid* g = listGrid(window);
    EXPECT_EQ(cutCells(g), QStringList());
    EXPECT_LE(emptyBand(g), 0);  // seventeen columns: the list scrolls rather than leaves a band
    for (int c = 1; c <= 6; ++c) EXPECT_TRUE(columnInView(g, c)) << c;  // up to 목장명
    const struct {
        int col;
        Qt::Alignment alignment;
    } cases[] = {{1, Qt::AlignLeft | Qt::AlignVCenter},     // 개체식별번호: an identifier
                 {4, Qt::AlignCenter},                      // 개체생일
                 {5, Qt::AlignLeft | Qt::AlignVCenter},     // 종축등록번호: an identifier
                 {14, Qt::AlignRight | Qt::AlignVCenter},   // 흑비경
                 {17, Qt::AlignRight | Qt::AlignVCenter}};  // 개월령
    for (const auto& c : cases) EXPECT_EQ(cellAlignment(g, c.col), c.alignment) << c.col;
}

TEST_F(SearchListTest, ConditionsStayAboveTheBarAndComeFirstInTheTabOrder)
{
    openList();
    for (const QSize size : {QSize(900, 600), QSize(1400, 900)}) {
        window->resize(size);
        const auto bottomOf = [this](const char* name) {
            auto* w = find<QWidget>(name);
            return w->mapTo(window, QPoint(0, w->height() - 1)).y();
        };
        const int barTop = find<QWidget>("SSPanel1_2")->mapTo(window, QPoint(0, 0)).y();
        for (const char* name : {"SSPanel2", "SSOption1", "Frame1", "txtWord", "Label2"})
            EXPECT_LT(bottomOf(name), barTop) << name;
        EXPECT_LT(bottomOf("SSPanel1_2"), find<QWidget>("SS")->mapTo(window, QPoint(0, 0)).y());
    }

    // Tab walks the conditions, the record commands, then query, print, close and the list.
    QStringList order;
    const QStringList wanted{"SSOption1",      "txtWord",        "cmdInsert",       "cmdDelete",
                             "Com_Function_0", "Com_Function_1", "Com_Function_99", "SS"};
    QWidget* w = find<QWidget>("SSOption1");
    for (int guard = 0; guard < 200 && order.size() < wanted.size(); ++guard, w = w->nextInFocusChain())
        if (wanted.contains(w->objectName()) && !order.contains(w->objectName())) order << w->objectName();
    EXPECT_EQ(order, wanted);
}

TEST_F(SearchListTest, TheSearchWaitsWithItsOwnText)
{
    farm.addAnimal("A1", 0, 20080101);
    openList();
    searchFor();
    auto* wait = find<QLabel>("ML_INFO");
    // The label keeps the caption of the last search after it is hidden again.
    EXPECT_EQ(wait->text(),
              "한우개체 정보를 조회중 입니다. 잠시만 기다려 주세요.\r\n\r\n"
              "데이터 용량에 따라 수초에서 수분이 걸릴 수 있습니다.");
    EXPECT_TRUE(wait->isHidden());
}

TEST(GridAppendRows, SameAsAppendingCellByCell)
{
    Grid g;
    g.setHeaders({"a", "b", "c"});
    g.appendRows({{"1", "2", "3", "extra"}, {"4"}}, {QColor(0, 0, 255)});
    g.appendRows({{"5", "6", "7"}});
    ASSERT_EQ(g.maxRows(), 3);
    EXPECT_EQ(g.cellText(3, 1), "3");
    EXPECT_EQ(g.cellText(4, 1), "");
    EXPECT_EQ(g.cellText(2, 2), "");
    EXPECT_EQ(g.cellText(1, 3), "5");
    EXPECT_EQ(g.rowForeColor(1), QColor(0, 0, 255));
    EXPECT_EQ(g.rowForeColor(2), QColor(Qt::black));
    EXPECT_EQ(g.rowHeight(3), 18);
    g.setCellText(2, 2, "x");
    EXPECT_EQ(g.cellText(2, 2), "x");
    g.setMaxRows(1);
    EXPECT_EQ(g.maxRows(), 1);
}

}  // namespace

// Another window asks for one animal: whatever the conditions were, its form opens; a number no
// animal has opens nothing.
TEST_F(SearchListTest, AnotherWindowOpensAnAnimalsRecordForm)
{
    farm.addAnimal("COW", 0, 20050101);
    farm.addAnimal("BULL", 1, 20071031, {{"출하일", 20091201}});
    openList();
    click("SSOption2");  // cows only: the bull is found all the same
    EXPECT_TRUE(window->openAnimal(QStringLiteral(" BULL ")));
    ASSERT_TRUE(window->bullForm());
    EXPECT_TRUE(window->bullForm()->isVisible());
    EXPECT_EQ(window->bullForm()->storedNumber().trimmed(), QStringLiteral("BULL"));
    window->bullForm()->closeForm();
    EXPECT_FALSE(window->openAnimal(QStringLiteral("NONE")));
    EXPECT_FALSE(window->cowForm());
}
