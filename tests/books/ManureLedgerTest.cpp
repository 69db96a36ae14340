// The manure ledger and its entry dialog driven through the windows: the opening state, the
// query with the columns' blanks, the checks, new entries appended and highlighted, changes and
// deletes that reach only the entry of the row (two entries may share a date), the grid's own
// size, and the print.
#include "books/BookFixture.h"
#include "books/ManureEntryDialog.h"
#include "books/ManureLedgerWindow.h"
#include "books/model/ManureLedger.h"
#include "data/Db.h"
#include "data/Globals.h"
#include "print/PrintScript.h"
#include "print/ReportJob.h"
#include "support/AccessibilityCheck.h"
#include "support/ModalDriver.h"

#include <QApplication>
#include <QDateEdit>
#include <QFile>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>

using books::manureLedger;

// Rows as readable lines for the failure messages.
std::string lines(const QStringList& rows)
{
    return rows.join(u'\n').toStdString();
}

namespace {

class ManureLedgerTest : public BookTest {
protected:
    // One stored entry; returns its row id.
    qint64 entry(qint64 occurred, const QVariant& produced, qint64 treated, const QString& how, const QVariant& amount,
                 const QString& where = {}, const QString& note = {})
    {
        farm.exec(QStringLiteral("insert into 축산분뇨관리대장 values(?, ?, ?, ?, ?, ?, ?)"),
                  {occurred, produced, treated, how, amount, where, note});
        return farm.scalar(QStringLiteral("select last_insert_rowid()")).toLongLong();
    }

    static void fill(ManureEntryDialog& d, const QDate& occurred, const QString& produced, const QString& how,
                     const QString& amount, const QString& where = {}, const QString& note = {})
    {
        d.datePicker(QStringLiteral("발생일자"))->setDate(occurred);
        d.textBox(QStringLiteral("발생량"))->setText(produced);
        d.textBox(QStringLiteral("처리방법"))->setText(how);
        d.textBox(QStringLiteral("처리량"))->setText(amount);
        d.textBox(QStringLiteral("사용처"))->setText(where);
        d.textBox(QStringLiteral("비고"))->setText(note);
    }

    static QStringList stored()
    {
        return tableRows(
            QStringLiteral("select 발생일자, 발생량, 처리일자, 처리방법, 처리량, 사용처, 비고 "
                           "from 축산분뇨관리대장 order by rowid"));
    }

    static int selectedRowOf(const Grid* g)
    {
        const QModelIndexList rows = g->selectionModel()->selectedRows();
        return rows.size() == 1 ? rows.first().row() + 1 : 0;
    }
};

}  // namespace

TEST_F(ManureLedgerTest, OpensInJuneOnTheFirstOfJanuaryAndTodayWithAnEmptyGridAndNamedControls)
{
    setTodayOverride(QDate(2010, 6, 15));
    entry(20100301, 3, 20100302, QStringLiteral("퇴비"), 3);
    ManureLedgerWindow w;
    EXPECT_EQ(w.objectName(), QStringLiteral("축산분뇨관리대장"));
    EXPECT_EQ(w.windowTitle(),
              QStringLiteral("한우 축산분뇨관리대장(발생일자를 선택하여 조회/인쇄를 할 수 있습니다.)"));
    EXPECT_EQ(w.startDate()->date(), QDate(2010, 1, 1));
    EXPECT_EQ(w.endDate()->date(), QDate(2010, 6, 15));
    EXPECT_EQ(w.rowCount(), 0);
    EXPECT_EQ(listGrid(&w)->maxRows(), 0);
    EXPECT_EQ(w.findChild<QLabel*>(QStringLiteral("SSPanel1_0"))->text(), QStringLiteral("발생일자"));
    EXPECT_EQ(w.note()->text(), QStringLiteral("*축산분뇨 관리대장을 조회/인쇄합니다."));
    EXPECT_EQ(w.functionButton(ListButton::Print)->text(), QStringLiteral("축산분뇨관리대장"));
    EXPECT_EQ(w.insertButton()->text(), QStringLiteral("신규등록"));
    EXPECT_EQ(w.updateButton()->text(), QStringLiteral("수 정"));
    EXPECT_EQ(w.deleteButton()->text(), QStringLiteral("삭 제"));
    EXPECT_EQ(w.findChild<QPushButton*>(QStringLiteral("cmdUpate")), w.updateButton());
    EXPECT_EQ(w.insertButton()->parentWidget(), w.buttonBar());
    QStringList headers;
    for (int c = 1; c <= listGrid(&w)->maxCols(); ++c) headers << listGrid(&w)->cellText(c, 0);
    EXPECT_EQ(headers, QStringList({"발생일자", "발생량(톤)", "처리일자", "처리방법(퇴비, 액비)", "처리량(톤)",
                                    "사용처", "비고"}));
    EXPECT_EQ(controlsHeardByControlName(&w), QStringList());
    EXPECT_EQ(farm.messages().count(), 0);

    // The dialog of a new entry: both dates today, empty boxes, the units and the named controls.
    ManureEntryDialog d(w);
    EXPECT_EQ(d.objectName(), QStringLiteral("축산분뇨"));
    EXPECT_EQ(d.windowTitle(), QStringLiteral("축산분뇨 관리대장 등록/수정"));
    EXPECT_TRUE(d.isModal());
    EXPECT_TRUE(d.isNew());
    EXPECT_TRUE(d.findChild<QWidget*>(QStringLiteral("frm축산분뇨")));
    EXPECT_EQ(d.datePicker(QStringLiteral("발생일자"))->date(), QDate(2010, 6, 15));
    EXPECT_EQ(d.datePicker(QStringLiteral("처리일자"))->date(), QDate(2010, 6, 15));
    EXPECT_EQ(d.datePicker(QStringLiteral("발생일자"))->locale().language(), QLocale::Korean);
    EXPECT_TRUE(d.textBox(QStringLiteral("발생량"))->text().isEmpty());
    EXPECT_EQ(d.findChild<QLabel*>(QStringLiteral("발생량톤"))->text(), QStringLiteral("톤"));
    EXPECT_EQ(d.findChild<QLabel*>(QStringLiteral("처리량톤"))->text(), QStringLiteral("톤"));
    EXPECT_EQ(d.textBox(QStringLiteral("비고"))->accessibleName(), QStringLiteral("비고"));
    EXPECT_EQ(d.saveButton()->text(), QStringLiteral("저 장"));
    EXPECT_EQ(d.cancelButton()->text(), QStringLiteral("취 소"));
    EXPECT_EQ(d.cancelButton()->toolTip(), QStringLiteral("창을 닫습니다"));
    EXPECT_EQ(controlsHeardByControlName(&d), QStringList());
}

TEST_F(ManureLedgerTest, TheQueryListsThePeriodByDateWithABlankAfterNumbersAndBeforeTexts)
{
    entry(20091201, 10, 0, QStringLiteral("액비"), 9.25, QStringLiteral("자가 논"), QStringLiteral("비 옴"));
    entry(20091101, 3.5, 20091105, QStringLiteral("퇴비"), 2, QString(), QString());
    entry(20100101, 1, 0, QStringLiteral("퇴비"), 1);  // after the period
    ManureLedgerWindow w;
    w.setPeriod(QDate(2009, 11, 1), QDate(2009, 12, 31));
    w.query();
    EXPECT_EQ(lines(gridRows(listGrid(&w))),
              lines({"2009-11-01 | 3.5  | 2009-11-05 |  퇴비 | 2  |   |  ",
                     "2009-12-01 | 10  | 0000-00-00 |  액비 | 9.25  |  자가 논 |  비 옴"}));
    EXPECT_EQ(w.rowCount(), 2);
    EXPECT_EQ(farm.messages().count(), 0);

    w.setPeriod(QDate(2009, 12, 2), QDate(2009, 12, 31));
    w.query();
    EXPECT_EQ(w.rowCount(), 0);
    ASSERT_EQ(farm.messages().count(), 1);
    EXPECT_EQ(farm.messages().last().text, QStringLiteral("해당하는 축산분뇨 정보가 없습니다. 다시 검색해 주세요."));
    EXPECT_EQ(farm.messages().last().title, QStringLiteral("검색오류"));
    EXPECT_EQ(farm.messages().last().icon, MsgIcon::Question);
}

TEST_F(ManureLedgerTest, EachCheckRefusesWithItsMessageAndFocusAndStoresNothing)
{
    entry(dn(kToday), 1, dn(kToday), QStringLiteral("퇴비"), 1);
    ManureLedgerWindow w;
    w.setPeriod(kToday.addDays(-30), kToday);
    w.query();
    ASSERT_EQ(w.rowCount(), 1);
    const QString again = QStringLiteral("값을 다시 입력해 주세요.");
    const struct {
        const char* what;
        const char* produced;
        const char* how;
        const char* amount;
        QDate occurred;
        const char* message;
        const char* title;
        MsgIcon icon;
        const char* focus;
    } cases[] = {
        {"nothing produced", "  ", "퇴비", "1", kToday.addDays(-1), "발생량을 입력해 주세요.", "미입력",
         MsgIcon::Information, "발생량"},
        {"no treatment", "1", " ", "", kToday.addDays(-1), "처리방법을 입력해 주세요.", "미입력", MsgIcon::Information,
         "처리방법"},
        {"nothing treated", "1", "퇴비", "", kToday.addDays(-1), "처리량을 입력해 주세요.", "미입력",
         MsgIcon::Information, "처리량"},
        {"produced is no number", "3톤", "퇴비", "1", kToday.addDays(-1), "값을 다시 입력해 주세요.", "값 부정",
         MsgIcon::Question, "발생량"},
        {"treated is negative", "1", "퇴비", "-2", kToday.addDays(-1), "값을 다시 입력해 주세요.", "값 부정",
         MsgIcon::Question, "처리량"},
        {"absurd amount", "1e300", "퇴비", "1", kToday.addDays(-1), "값을 다시 입력해 주세요.", "값 부정",
         MsgIcon::Question, "발생량"},
        {"date already listed", "1", "퇴비", "1", kToday, "발생일자를 다시 선택해 주세요.", "선택오류",
         MsgIcon::Information, "발생일자"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        farm.messages().clear();
        bool stillOpen = false;
        QString focus;
        EXPECT_TRUE(driveModal<ManureEntryDialog>([&] { w.insertButton()->click(); },
                                                  [&](ManureEntryDialog& d) {
                                                      fill(d, c.occurred, QString::fromUtf8(c.produced),
                                                           QString::fromUtf8(c.how), QString::fromUtf8(c.amount));
                                                      d.saveButton()->click();
                                                      stillOpen = d.isVisible();
                                                      QWidget* f = d.focusWidget();
                                                      while (f && f->objectName().isEmpty())
                                                          f = f->parentWidget();  // a picker's edit
                                                      focus = f ? f->objectName() : QString();
                                                  }));
        EXPECT_TRUE(stillOpen);
        EXPECT_EQ(focus, QString::fromUtf8(c.focus));
        ASSERT_EQ(farm.messages().count(), 1);
        EXPECT_EQ(farm.messages().last().text, QString::fromUtf8(c.message));
        EXPECT_EQ(farm.messages().last().title, QString::fromUtf8(c.title));
        EXPECT_EQ(farm.messages().last().icon, c.icon);
        EXPECT_EQ(farm.count(QStringLiteral("축산분뇨관리대장")), 1);
        EXPECT_EQ(w.rowCount(), 1);
    }
}

TEST_F(ManureLedgerTest, ANewEntryIsStoredAsTypedAndAppendedLastAndHighlightedWhateverItsDate)
{
    entry(20091201, 1, 20091201, QStringLiteral("퇴비"), 1);
    entry(20091205, 2, 20091205, QStringLiteral("액비"), 2);
    ManureLedgerWindow w;
    w.setPeriod(QDate(2009, 12, 1), kToday);
    w.query();
    ASSERT_EQ(w.rowCount(), 2);

    farm.messages().answer(MsgButton::Yes);
    EXPECT_TRUE(driveModal<ManureEntryDialog>(
        [&] { w.insertButton()->click(); },
        [&](ManureEntryDialog& d) {
            fill(d, QDate(2009, 11, 20), QStringLiteral("3.5"), QStringLiteral("O'Neil 퇴비 "), QStringLiteral("3.5"),
                 QStringLiteral(" 자가 '논'"), QStringLiteral("첫 \"퇴비\""));
            d.datePicker(QStringLiteral("처리일자"))->setDate(QDate(2009, 11, 21));
            EXPECT_TRUE(d.save());
            EXPECT_FALSE(d.isVisible());
        }));
    ASSERT_EQ(farm.messages().count(), 1);
    EXPECT_EQ(farm.messages().last().text, QStringLiteral("축산분뇨 관리대장을 신규등록하시겠습니까?"));
    EXPECT_EQ(farm.messages().last().title, QStringLiteral("등록"));
    EXPECT_EQ(farm.messages().last().buttons, MsgButton::Yes | MsgButton::No);

    // Quotes are stored as typed, texts trimmed, the amount as the number 3.5.
    EXPECT_EQ(stored().last(),
              QStringLiteral("20091120 | 3.5 | 20091121 | O'Neil 퇴비 | 3.5 | 자가 '논' | 첫 \"퇴비\""));
    EXPECT_EQ(farm.scalar(QStringLiteral("select typeof(발생량) from 축산분뇨관리대장 where 발생일자 = 20091120")),
              QStringLiteral("real"));
    ASSERT_EQ(w.rowCount(), 3);
    EXPECT_EQ(listGrid(&w)->maxRows(), 3);
    EXPECT_EQ(gridRow(listGrid(&w), 3).join(u'|').toStdString(),
              ("2009-11-20|3.5 |2009-11-21| O'Neil 퇴비 |3.5 |  자가 '논'| 첫 \"퇴비\""));
    EXPECT_EQ(listGrid(&w)->activeRow(), 3);
    EXPECT_EQ(selectedRowOf(listGrid(&w)), 3);

    // The next query lists it in date order, as stored.
    w.query();
    EXPECT_EQ(w.rowCount(), 2);  // not in the period
    w.setPeriod(QDate(2009, 11, 1), kToday);
    w.query();
    EXPECT_EQ(gridRow(listGrid(&w), 1).join(u'|').toStdString(),
              ("2009-11-20|3.5 |2009-11-21| O'Neil 퇴비|3.5 | 자가 '논'| 첫 \"퇴비\""));

    // Answering No stores nothing and leaves the dialog open.
    farm.messages().clear();
    farm.messages().answer(MsgButton::No);
    bool stillOpen = false;
    driveModal<ManureEntryDialog>([&] { w.insertButton()->click(); },
                                  [&](ManureEntryDialog& d) {
                                      fill(d, QDate(2009, 11, 2), QStringLiteral("1"), QStringLiteral("퇴비"),
                                           QStringLiteral("1"));
                                      EXPECT_FALSE(d.save());
                                      stillOpen = d.isVisible();
                                  });
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(farm.count(QStringLiteral("축산분뇨관리대장")), 3);
    EXPECT_EQ(w.rowCount(), 3);
}

TEST_F(ManureLedgerTest, TwoEntriesOnOneDateAreChangedAndDeletedApart)
{
    entry(20091201, 1, 20091201, QStringLiteral("퇴비"), 1, QStringLiteral("첫째"));
    ManureLedgerWindow w;
    // 1 December is not listed: the same date is taken a second time.
    w.setPeriod(QDate(2009, 12, 2), kToday);
    w.query();
    farm.messages().clear();
    farm.messages().answer(MsgButton::Yes);
    driveModal<ManureEntryDialog>([&] { w.insertButton()->click(); },
                                  [&](ManureEntryDialog& d) {
                                      fill(d, QDate(2009, 12, 1), QStringLiteral("2"), QStringLiteral("액비"),
                                           QStringLiteral("2"), QStringLiteral("둘째"));
                                      d.datePicker(QStringLiteral("처리일자"))->setDate(QDate(2009, 12, 1));
                                      EXPECT_TRUE(d.save());
                                  });
    EXPECT_EQ(farm.count(QStringLiteral("축산분뇨관리대장"), QStringLiteral("발생일자 = 20091201")), 2);

    // Only the second entry is listed: change it, the first keeps its values.
    w.setPeriod(QDate(2009, 12, 1), kToday);
    w.query();
    ASSERT_EQ(w.rowCount(), 2);
    listGrid(&w)->setActiveCell(1, 2);
    farm.messages().answer(MsgButton::Yes);
    EXPECT_TRUE(driveModal<ManureEntryDialog>([&] { w.updateButton()->click(); },
                                              [&](ManureEntryDialog& d) {
                                                  EXPECT_FALSE(d.isNew());
                                                  EXPECT_EQ(d.textBox(QStringLiteral("사용처"))->text(),
                                                            QStringLiteral("둘째"));
                                                  d.textBox(QStringLiteral("처리량"))->setText(QStringLiteral("1.5"));
                                                  EXPECT_TRUE(d.save());
                                              }));
    EXPECT_EQ(farm.messages().last().text, QStringLiteral("축산분뇨을 수정하시겠습니까?"));
    EXPECT_EQ(farm.messages().last().title, QStringLiteral("수정"));
    EXPECT_EQ(lines(stored()), lines({"20091201 | 1 | 20091201 | 퇴비 | 1 | 첫째 | ",
                                      "20091201 | 2 | 20091201 | 액비 | 1.5 | 둘째 | "}));
    EXPECT_EQ(lines(gridRows(listGrid(&w))), lines({"2009-12-01 | 1  | 2009-12-01 |  퇴비 | 1  |  첫째 |  ",
                                                    "2009-12-01 | 2  | 2009-12-01 |  액비 | 1.5  |  둘째 |  "}));

    // Delete the first: the second stays, and the query lists it alone.
    listGrid(&w)->setActiveCell(1, 1);
    farm.messages().clear();
    farm.messages().answer(MsgButton::Yes);
    w.deleteButton()->click();
    ASSERT_EQ(farm.messages().count(), 1);
    EXPECT_EQ(farm.messages().last().text, QStringLiteral("선택하신 축산분뇨 관리대장을 삭제하시겠습니까?"));
    EXPECT_EQ(farm.messages().last().title, QStringLiteral("삭제"));
    EXPECT_EQ(farm.messages().last().icon, MsgIcon::Question);
    EXPECT_EQ(lines(stored()), lines({"20091201 | 2 | 20091201 | 액비 | 1.5 | 둘째 | "}));
    EXPECT_EQ(lines(gridRows(listGrid(&w))), lines({"2009-12-01 | 2  | 2009-12-01 |  액비 | 1.5  |  둘째 |  "}));
}

TEST_F(ManureLedgerTest, AChangeRewritesItsRowInPlaceAndMayTakeAnotherListedDate)
{
    entry(20091201, 1, 20091201, QStringLiteral("퇴비"), 1);
    entry(20091205, 2, 20091205, QStringLiteral("액비"), 2);
    ManureLedgerWindow w;
    w.setPeriod(QDate(2009, 12, 1), kToday);
    w.query();
    listGrid(&w)->setActiveCell(3, 1);
    farm.messages().answer(MsgButton::Yes);
    // A double click on a row opens that row's entry.
    EXPECT_TRUE(driveModal<ManureEntryDialog>(
        [&] { emit listGrid(&w)->dblClick(3, 1); },
        [&](ManureEntryDialog& d) {
            EXPECT_EQ(d.datePicker(QStringLiteral("발생일자"))->date(), QDate(2009, 12, 1));
            EXPECT_EQ(d.textBox(QStringLiteral("처리방법"))->text(), QStringLiteral("퇴비"));
            d.datePicker(QStringLiteral("발생일자"))->setDate(QDate(2009, 12, 5));
            EXPECT_TRUE(d.save());
        }));
    EXPECT_EQ(w.rowCount(), 2);
    EXPECT_EQ(lines(gridRows(listGrid(&w))), lines({"2009-12-05 | 1  | 2009-12-01 |  퇴비 | 1  |   |  ",
                                                    "2009-12-05 | 2  | 2009-12-05 |  액비 | 2  |   |  "}));
    EXPECT_EQ(farm.count(QStringLiteral("축산분뇨관리대장"), QStringLiteral("발생일자 = 20091205")), 2);

    // No dialog from a header, nor from 수 정 on an empty list.
    expectNoModal<ManureEntryDialog>([&] { emit listGrid(&w)->dblClick(1, 0); });
    w.setPeriod(kToday, kToday);
    w.query();
    ASSERT_EQ(w.rowCount(), 0);
    expectNoModal<ManureEntryDialog>(w.updateButton());
    farm.messages().clear();
    w.deleteButton()->click();
    EXPECT_EQ(farm.messages().count(), 0);
}

TEST_F(ManureLedgerTest, DeletingTheOnlyEntryQueriesAgainAndSaysNothingIsFound)
{
    entry(20091201, 1, 20091201, QStringLiteral("퇴비"), 1);
    ManureLedgerWindow w;
    w.setPeriod(QDate(2009, 12, 1), kToday);
    w.query();
    farm.messages().answer(MsgButton::No);
    w.deleteButton()->click();
    EXPECT_EQ(farm.count(QStringLiteral("축산분뇨관리대장")), 1);

    // A delete the database refuses is reported, and the entry stays listed.
    farm.exec(
        QStringLiteral("create trigger 지키기 before delete on 축산분뇨관리대장 "
                       "begin select raise(abort, '잠김'); end"));
    farm.messages().clear();
    farm.messages().answer(MsgButton::Yes);
    w.deleteButton()->click();
    ASSERT_EQ(farm.messages().count(), 2);
    EXPECT_TRUE(farm.messages().last().text.contains(QStringLiteral("잠김")))
        << farm.messages().last().text.toStdString();
    EXPECT_EQ(w.rowCount(), 1);
    farm.exec(QStringLiteral("drop trigger 지키기"));

    farm.messages().clear();
    farm.messages().answer(MsgButton::Yes);
    w.deleteButton()->click();
    EXPECT_EQ(farm.count(QStringLiteral("축산분뇨관리대장")), 0);
    ASSERT_EQ(farm.messages().count(), 2);
    EXPECT_EQ(farm.messages().last().text, QStringLiteral("해당하는 축산분뇨 정보가 없습니다. 다시 검색해 주세요."));
    EXPECT_EQ(w.rowCount(), 0);
}

TEST_F(ManureLedgerTest, AChangeOfAnEntryRemovedMeanwhileIsReportedAndTheDialogStaysOpen)
{
    const qint64 id = entry(20091201, 1, 20091201, QStringLiteral("퇴비"), 1);
    ManureLedgerWindow w;
    w.setPeriod(QDate(2009, 12, 1), kToday);
    w.query();
    ManureEntryDialog d(w, id, 1);
    farm.exec(QStringLiteral("delete from 축산분뇨관리대장"));
    farm.messages().answer(MsgButton::Yes);
    d.textBox(QStringLiteral("비고"))->setText(QStringLiteral("바뀜"));
    EXPECT_FALSE(d.save());
    ASSERT_EQ(farm.messages().count(), 2);
    EXPECT_TRUE(farm.messages().last().text.contains(QStringLiteral("찾을 수 없습니다")));
    EXPECT_EQ(farm.count(QStringLiteral("축산분뇨관리대장")), 0);
    EXPECT_EQ(gridRow(listGrid(&w), 1, 7).last().toStdString(), " ");  // the row was not rewritten
}

TEST_F(ManureLedgerTest, TheGridKeepsItsOwnSizeWhenTheWindowIsResized)
{
    ManureLedgerWindow w;
    w.show();
    const QSize grid = listGrid(&w)->size();
    const int lastColumnEnd = listGrid(&w)->columnViewportPosition(6) + listGrid(&w)->columnWidth(6);
    EXPECT_LE(lastColumnEnd, listGrid(&w)->viewport()->width());  // all seven columns fit
    // As wide as its columns, not as the window: the spare width of the panel stays beside it.
    EXPECT_LT(grid.width(), w.gridPanel()->width() - 100);
    const QSize panel = w.gridPanel()->size();
    for (const QSize& size : {QSize(1400, 900), QSize(900, 500)}) {
        w.resize(size);
        QApplication::processEvents();
        EXPECT_EQ(listGrid(&w)->size(), grid);
        EXPECT_NE(w.gridPanel()->size(), panel);  // the panel still follows the window
        EXPECT_EQ(w.functionButton(ListButton::Close)->x() + w.functionButton(ListButton::Close)->width() + 8,
                  w.buttonBar()->width());
    }
}

TEST_F(ManureLedgerTest, PrintFillsTheWorkTableWithTheCellsTrimmedAndTheShippedReportShowsThem)
{
    farm.exec(QStringLiteral("update 농장정보 set 사업장명칭 = ' 햇살한우농장 '"));
    entry(20091201, 3.5, 20091203, QStringLiteral("퇴비"), 3.5, QStringLiteral("O'Neil 논"), QStringLiteral("맑음"));
    entry(20091205, 12, 0, QStringLiteral("액비"), 10);
    ManureLedgerWindow w;
    farm.messages().answer(MsgButton::Yes);
    w.functionButton(ListButton::Print)->click();  // nothing listed yet
    ASSERT_EQ(farm.messages().count(), 1);
    EXPECT_EQ(farm.messages().last().text, QStringLiteral("출력할 축산분뇨 정보를 검색해 주세요."));
    EXPECT_EQ(farm.messages().last().icon, MsgIcon::Critical);

    w.setPeriod(QDate(2009, 12, 1), kToday);
    w.query();
    QTemporaryDir out;
    ASSERT_TRUE(out.isValid());
    const QString pdf = out.filePath(QStringLiteral("ledger.pdf"));
    farm.messages().clear();
    {
        PrintScript print;
        print.savePdf(pdf);
        farm.messages().answer(MsgButton::Yes);
        w.functionButton(ListButton::Print)->click();
    }
    ASSERT_EQ(farm.messages().count(), 1) << farm.messages().last().text.toStdString();
    EXPECT_EQ(farm.messages().last().text, QStringLiteral("한우 축산분뇨관리대장를 출력 하시겠습니까?"));
    EXPECT_TRUE(reportControl().reportFileName.endsWith(QStringLiteral("rpt/축산분뇨관리대장.rpt")));
    EXPECT_EQ(reportControl().windowTitle, QStringLiteral("축산분뇨관리대장"));
    EXPECT_EQ(reportControl().formulas, (report::Formulas{{"농장명", "햇살한우농장"}}));
    EXPECT_EQ(lines(tableRows(QStringLiteral("select * from 축산분뇨관리대장워크 order by rowid"))),
              lines({"2009-12-01 | 3.5 | 2009-12-03 | 퇴비 | 3.5 | O'Neil 논 | 맑음",
                     "2009-12-05 | 12 | 0000-00-00 | 액비 | 10 |  | "}));
    const QString text = pdfText(pdf);
    for (const char* shown : {"축산분뇨관리대장", "햇살한우농장", "2009-12-01", "3.5", "O'Neil 논", "액비", "발생일자"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(shown))) << shown;
}

TEST_F(ManureLedgerTest, TheStoreFunctionsWriteReadBackAndRefuseAChangeToAnEntryNoLongerThere)
{
    books::manure::Entry e;
    e.발생일자 = QDate(2010, 2, 1);
    e.발생량 = QStringLiteral("12.5");
    e.처리일자 = QDate(2010, 2, 3);
    e.처리방법 = QStringLiteral(" 퇴비화 ");
    e.처리량 = QStringLiteral("10");
    e.사용처 = QStringLiteral("밭");
    const qint64 id = books::manure::storeNewEntry(e);
    const std::optional<books::manure::Entry> back = books::manure::loadEntry(id);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->발생일자, e.발생일자);
    EXPECT_EQ(back->처리방법, QStringLiteral("퇴비화"));  // trimmed as stored
    EXPECT_FALSE(books::manure::loadEntry(id + 1));

    e.처리량 = QStringLiteral("11");
    books::manure::storeChangedEntry(e, id);
    EXPECT_EQ(books::manure::loadEntry(id)->처리량, QStringLiteral("11"));
    farm.exec(QStringLiteral("delete from 축산분뇨관리대장"));
    EXPECT_THROW(books::manure::storeChangedEntry(e, id), DbError);
}
