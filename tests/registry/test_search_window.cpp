// The individual search list driven through its controls: loading, the search with its
// conditions and display rules, the delete and the list print.
#include "RegistryFixture.h"

#include "app/MainWindow.h"
#include "app/Windows.h"
#include "print/CrystalReport.h"
#include "print/PrintSequence.h"
#include "print/PrnSetup.h"
#include "print/frmPrnSetup.h"
#include "print/model/PrinterSystem.h"

#include <QComboBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QSqlQuery>
#include <QTemporaryDir>

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
    EXPECT_EQ(window->SS->maxRows(), 0);
    EXPECT_EQ(window->lss1RowCount, 0);

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
    for (const auto& [name, caption] : captions)
        if (auto* b = find<QAbstractButton>(name)) EXPECT_EQ(b->text(), caption) << name.toStdString();
    EXPECT_EQ(find<QLabel>("Label2")->text(), "*개체번호, 종축등록번호, 별명으로 검색이 가능합니다.");
    EXPECT_EQ(find<QLabel>("SSPanel2")->text(), "검색조건");
    EXPECT_EQ(find<QLabel>("SSPanel1_0")->text(), "구     분");
    EXPECT_EQ(find<QLabel>("SSPanel1_1")->text(), "검 색 어");
    EXPECT_TRUE(find<QRadioButton>("SSOption1")->isChecked());
    EXPECT_TRUE(find<QFrame>("Frame1")->isHidden());
    EXPECT_TRUE(find<QLabel>("ML_INFO")->isHidden());
    QStringList headers;
    for (int c = 1; c <= window->SS->maxCols(); ++c) headers << window->SS->cellText(c, 0);
    EXPECT_EQ(headers, (QStringList{"개체식별번호", "암/수소", "구분", "개체생일", "종축등록번호", "목장명", "우방번호",
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
    main.menuClicked(0);
    QPointer<QWidget> opened = main.openWindow(0);
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
    EXPECT_EQ(column(1), (QStringList{"YOUNG", "OLD", "COW", "SHIPPED", "NOBIRTH"}));
    searchFor("SSOption2");
    EXPECT_EQ(column(1), (QStringList{"COW"}));

    // Bulls: the age box appears; ticked, it keeps unshipped bulls of 28 months and older.
    click("SSOption3");
    EXPECT_FALSE(find<QFrame>("Frame1")->isHidden());
    find<QCheckBox>("Option1")->setChecked(true);
    searchFor("SSOption3");
    EXPECT_EQ(column(1), (QStringList{"OLD", "NOBIRTH"}));
    searchFor("SSOption3", " NOBIRTH ");
    EXPECT_EQ(column(1), (QStringList{"NOBIRTH"}));

    // "전체" hides the box and drops its condition, although it stays ticked.
    searchFor("SSOption1");
    EXPECT_TRUE(find<QFrame>("Frame1")->isHidden());
    EXPECT_TRUE(find<QCheckBox>("Option1")->isChecked());
    EXPECT_EQ(window->SS->maxRows(), 5);
    EXPECT_EQ(window->lss1RowCount, 5);
    EXPECT_EQ(window->SS->activeRow(), 1);

    // F11 searches while the query button is usable, and only then.
    window->SS->setMaxRows(0);
    window->lss1RowCount = 0;
    QKeyEvent f11(QEvent::KeyPress, Qt::Key_F11, Qt::NoModifier);
    QApplication::sendEvent(find<QWidget>("txtWord"), &f11);
    EXPECT_EQ(window->lss1RowCount, 5);
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
    ASSERT_EQ(window->SS->maxRows(), 2);
    EXPECT_EQ(row(1), (QStringList{"COW", "암소", "교잡종", "2009년 01월 31일", "R1", "들꽃", "3-1", "2009년 12월 08일",
                                   "1001", "0500", "M9", "", "순함", "", "", "", "1 개월령"}));
    EXPECT_EQ(row(2), (QStringList{"BULL", "수소", "순종", "2006년 12월 31일", "", "", "", "", "", "", "",
                                   "2007년 06월 15일", "", "4.5", "2009년 05월 01일", "2009년 01월 15일", ""}));
    EXPECT_EQ(window->SS->rowForeColor(1), QColor(Qt::black));
    EXPECT_EQ(window->SS->rowForeColor(2), QColor(0, 0, 255));
    EXPECT_EQ(window->SS->rowHeight(1), 18);
    EXPECT_EQ(window->SS->rowHeight(2), 18);
}

TEST_F(SearchListTest, NoMatchAndAllSkipped)
{
    farm.addAnimal("YOUNG", 1, 20090101);
    openList();
    searchFor("SSOption1");
    ASSERT_EQ(window->lss1RowCount, 1);

    searchFor("SSOption1", "없는번호");
    ASSERT_EQ(farm.messages().count(), 1);
    const MessageSpec& m = farm.messages().last();
    EXPECT_EQ(m.text, "해당하는 한우개체 정보가 없습니다. 다시 검색해 주세요.");
    EXPECT_EQ(m.title, "검색오류");
    EXPECT_EQ(m.icon, MsgIcon::Question);
    EXPECT_EQ(m.buttons, MsgButton::Ok);
    EXPECT_EQ(window->SS->maxRows(), 0);
    EXPECT_EQ(window->lss1RowCount, 0);
    EXPECT_TRUE(window->isEnabled());
    EXPECT_TRUE(find<QLabel>("ML_INFO")->isHidden());
    EXPECT_EQ(QApplication::focusWidget(), find<QWidget>("txtWord"));

    // Found but every bull too young: an empty list without the message.
    click("SSOption3");
    find<QCheckBox>("Option1")->setChecked(true);
    searchFor("SSOption3");
    EXPECT_EQ(farm.messages().count(), 1);
    EXPECT_EQ(window->lss1RowCount, 0);
    EXPECT_EQ(window->SS->maxRows(), 0);

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
    EXPECT_TRUE(farm.messages().last().text.contains("개체관리")) << farm.messages().last().text.toStdString();
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

class DeleteTest : public RegistryTest {
protected:
    void addWithHistory(const QString& number) { farm.addAnimalWithHistory(number); }
    int rowsOf(const QString& number)
    {
        int n = 0;
        for (const char* t : {"개체관리", "번식기록", "초음파측정", "체척", "백신접종", "등급판정"})
            n += farm.count(QString::fromUtf8(t), "개체번호 = ?", {number});
        return n;
    }
};

TEST_F(DeleteTest, AskedWithNoAsDefaultThenEveryTableAndTheListAgain)
{
    addWithHistory("A");
    addWithHistory("B");
    openList();
    searchFor();
    window->SS->setActiveCell(1, rowOf("A"));

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
    EXPECT_EQ(rowsOf("A"), 6);

    farm.messages().answer(MsgButton::Yes);
    click("cmdDelete");
    EXPECT_EQ(rowsOf("A"), 0);
    EXPECT_EQ(rowsOf("B"), 6);
    EXPECT_EQ(column(1), (QStringList{"B"}));
    EXPECT_EQ(farm.messages().count(), 2);
}

TEST_F(DeleteTest, AFailureKeepsEverythingAndSaysSo)
{
    addWithHistory("A");
    openList();
    searchFor();
    farm.exec("CREATE TRIGGER refuse BEFORE DELETE ON 개체관리 BEGIN SELECT RAISE(ABORT, 'refused'); END");
    farm.messages().answer(MsgButton::Yes);
    click("cmdDelete");
    ASSERT_EQ(farm.messages().count(), 2);
    EXPECT_EQ(farm.messages().last().title, kAppTitle);
    EXPECT_TRUE(farm.messages().last().text.contains("refused"));
    EXPECT_EQ(rowsOf("A"), 6);
    EXPECT_EQ(column(1), (QStringList{"A"}));

    // An empty list has nothing to delete.
    window->SS->setMaxRows(0);
    window->lss1RowCount = 0;
    click("cmdDelete");
    EXPECT_EQ(farm.messages().count(), 2);
}

class OnePrinter : public PrinterSystem {
public:
    QStringList printers() override { return {QStringLiteral("사무실 프린터")}; }
    QString defaultPrinter() override { return QStringLiteral("사무실 프린터"); }
    bool setDefaultPrinter(const QString&) override { return true; }
};

TEST_F(SearchListTest, ListPrintFillsTheWorkTableWithTheShownTexts)
{
    farm.exec("update 농장정보 set 사업장명칭 = '햇살한우농장'");
    farm.addAnimal("A1", 0, 20091208, {{"개체특징", "O'Neil 씨 소"}, {"모번호", "M'1"}, {"점수", 4}});
    farm.addAnimal("B1", 1, 20080101, {{"출하일", 20100101}});
    openList();
    searchFor();
    ASSERT_EQ(window->lss1RowCount, 2);

    QTemporaryDir out;
    const QString pdf = out.filePath("list.pdf");
    OnePrinter printers;
    setPrinterSystem(&printers);
    setWorkTablePauseMs(0);
    PrnSetupDialog::setPdfFileAsker([&](QWidget*, const QString&) { return pdf; });
    setPrinterDialogRunner([](PrnSetupDialog& d) {
        auto* list = d.findChild<QComboBox*>("cmbPrnName");
        list->setCurrentIndex(list->findText(PrnSetupDialog::pdfEntryText()));
        d.findChild<QPushButton*>("cmdPrn")->click();
    });
    farm.messages().answer(MsgButton::Yes);
    click("Com_Function_1");
    setPrinterDialogRunner({});
    PrnSetupDialog::setPdfFileAsker({});
    setPrinterSystem(nullptr);
    setWorkTablePauseMs(500);

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
    QProcess p;
    p.start("pdftotext", {"-layout", pdf, "-"});
    ASSERT_TRUE(p.waitForFinished(20000));
    const QString text = QString::fromUtf8(p.readAllStandardOutput());
    EXPECT_TRUE(text.contains("햇살한우농장")) << text.toStdString();
    EXPECT_TRUE(text.contains("O'Neil")) << text.toStdString();
    EXPECT_TRUE(text.contains("2009년 12월 08일")) << text.toStdString();
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
