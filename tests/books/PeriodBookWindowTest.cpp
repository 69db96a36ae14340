// The three period books driven through their windows: what they show at open, the period
// query and its not-found message, unreadable records, names heard, layout and the menu.
#include "books/BookFixture.h"
#include "books/PeriodBookWindow.h"
#include "books/model/RecordBooks.h"
#include "data/Db.h"
#include "data/Globals.h"
#include "data/Schema.h"
#include "support/AccessibilityCheck.h"
#include "support/TestHelpers.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QDateEdit>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <functional>

using namespace books;

namespace {

// What each book must show, as the farmer sees it.
struct BookCase {
    const BookSpec& (*book)();
    const char* name;
    const char* caption;
    const char* criterion;
    const char* note;
    const char* printCaption;
    const char* firstHeader;
    const char* notFound;
    const char* nothing;
    const char* wait;
    const char* question;
    const char* previewTitle;
    const char* workTable;
    int columns;
};

const BookCase kBooks[] = {
    {matingBook, "교배기록부", "한우 교배기록부(수정일를 선택하여 조회/인쇄를 할 수 있습니다.)", "수 정 일",
     "*암소개체관리의 번식기록에서 입력한 교배기록을 조회/인쇄합니다.", "교배기록부", "암소개체식별번호",
     "해당하는 한우 교배기록 정보가 없습니다. 다시 검색해 주세요.", "출력할 한우 교배기록 정보를 검색해 주세요.",
     "한우 교배기록을 조회중 입니다. 잠시만 기다려 주세요.", "한우 교배기록부를 출력 하시겠습니까?", "한우 교배기록부",
     "교배기록부워크", 10},
    {calvingBook, "분만기록부", "한우 분만기록부(분만일를 선택하여 조회/인쇄를 할 수 있습니다.)", "분 만 일",
     "*암소개체관리의 번식기록에서 입력한 분만기록을 조회/인쇄합니다.", "분만기록부", "암소개체식별번호",
     "해당하는 한우 분만기록 정보가 없습니다. 다시 검색해 주세요.", "출력할 한우 분만기록 정보를 검색해 주세요.",
     "한우 분만기록을 조회중 입니다. 잠시만 기다려 주세요.", "한우 분만기록부를 출력 하시겠습니까?", "한우 분만기록부",
     "분만기록부워크", 10},
    {shipmentBook, "출하성적기록부", "한우 출하성적기록부(출하일를 선택하여 조회/인쇄를 할 수 있습니다.)", "출 하 일",
     "*개체관리의 도체등급판정에서 입력한 내용을 조회/인쇄합니다.", "출하기록부", "출하한 소  개체식별번호",
     "해당하는 한우 출하성적 기록 정보가 없습니다. 다시 검색해 주세요.",
     "출력할 한우 출하성적 기록 정보를 검색해 주세요.", "한우 출하성적 기록부를 조회중 입니다. 잠시만 기다려 주세요.",
     "한우 출하성적기록부를 출력 하시겠습니까?", "한우 출하성적 기록부", "출하성적기록부워크", 14},
};

void pressF11(QWidget* w)
{
    QKeyEvent f11(QEvent::KeyPress, Qt::Key_F11, Qt::NoModifier);
    QApplication::sendEvent(w, &f11);
}

QRect inWindow(const QWidget* w)
{
    return QRect(w->mapTo(w->window(), QPoint(0, 0)), w->size());
}

// Puts a view named after `table` in its place that reads `column` as `replacement` for the
// animal `number`: a value the program could not have written into its own tables.
void makeUnreadable(TestFarm& farm, const QString& table, const QString& column, const QString& number,
                    const QString& replacement)
{
    QStringList columns;
    for (const TableDef& t : schemaTables())
        if (t.name == table)
            for (const ColumnDef& c : t.columns)
                columns << (c.name == column ? QStringLiteral("case when 개체번호 = '%1' then %2 else %3 end as %3")
                                                   .arg(number, replacement, c.name)
                                             : c.name);
    farm.exec(QStringLiteral("alter table %1 rename to %1_data").arg(table));
    farm.exec(QStringLiteral("create view %1 as select %2 from %1_data").arg(table, columns.join(u',')));
}

class PeriodBookWindowTest : public BookTest {
protected:
    // One event of each book on `day` for the cow KR001 (and its grading).
    void eventsOn(qint64 day)
    {
        cow(QStringLiteral("KR001"));
        farm.addBreeding(QStringLiteral("KR001"), day, {{QStringLiteral("분만일"), day}, {QStringLiteral("성별"), 0}});
        grading(QStringLiteral("KR001"), day);
    }
};

}  // namespace

TEST_F(PeriodBookWindowTest, EachBookOpensWithItsCaptionsBothDatesOnTodayAndNoQuery)
{
    farm.exec(QStringLiteral("update 농장정보 set 사업장명칭 = '햇살한우농장', 등록번호 = '35-123'"));
    eventsOn(dn(kToday));
    for (const BookCase& c : kBooks) {
        SCOPED_TRACE(c.name);
        gs사업장명칭.clear();
        PeriodBookWindow w(c.book());
        EXPECT_EQ(w.objectName(), QString::fromUtf8(c.name));
        EXPECT_EQ(w.windowTitle(), QString::fromUtf8(c.caption));
        EXPECT_EQ(w.searchFrame()->title(), QStringLiteral("검색조건"));
        EXPECT_EQ(w.findChild<QGroupBox*>(QStringLiteral("SSPanel2")), w.searchFrame());
        EXPECT_EQ(w.findChild<QLabel*>(QStringLiteral("SSPanel1_0"))->text(), QString::fromUtf8(c.criterion));
        EXPECT_EQ(w.findChild<QLabel*>(QStringLiteral("Label1"))->text(), QStringLiteral("~"));
        EXPECT_EQ(w.findChild<QLabel*>(QStringLiteral("Label2")), w.note());
        EXPECT_EQ(w.note()->text(), QString::fromUtf8(c.note));
        EXPECT_EQ(w.findChild<QDateEdit*>(QStringLiteral("시작날짜")), w.startDate());
        EXPECT_EQ(w.findChild<QDateEdit*>(QStringLiteral("끝날짜")), w.endDate());
        EXPECT_EQ(w.startDate()->date(), kToday);
        EXPECT_EQ(w.endDate()->date(), kToday);
        EXPECT_EQ(w.functionButton(ListButton::Query)->text(), QStringLiteral("조회(F11)"));
        EXPECT_EQ(w.functionButton(ListButton::Print)->text(), QString::fromUtf8(c.printCaption));
        EXPECT_EQ(w.functionButton(ListButton::Close)->text(), QStringLiteral("닫기(ESC)"));
        EXPECT_EQ(gridRow(listGrid(&w), 0), c.book().headers);
        EXPECT_EQ(gridRow(listGrid(&w), 0).value(0), QString::fromUtf8(c.firstHeader));
        // Today's record waits for the query.
        EXPECT_EQ(listGrid(&w)->maxRows(), 0);
        EXPECT_EQ(w.rowCount(), 0);
        EXPECT_EQ(farm.messages().count(), 0);
        // The farm header is read at load.
        EXPECT_EQ(gs사업장명칭, QStringLiteral("햇살한우농장"));
        EXPECT_EQ(gs등록번호, QStringLiteral("35-123"));
    }
}

TEST_F(PeriodBookWindowTest, TheQueryListsThePeriodAndAnEmptyPeriodSaysSoWithAnEmptyGrid)
{
    eventsOn(dn(kToday));
    for (const BookCase& c : kBooks) {
        SCOPED_TRACE(c.name);
        farm.messages().clear();
        PeriodBookWindow w(c.book());
        w.show();
        pressF11(w.startDate());
        EXPECT_EQ(w.rowCount(), 1);
        EXPECT_EQ(listGrid(&w)->maxRows(), 1);
        EXPECT_EQ(listGrid(&w)->cellText(1, 1), QStringLiteral("KR001"));
        EXPECT_EQ(listGrid(&w)->activeRow(), 1);
        EXPECT_EQ(listGrid(&w)->rowHeight(1), Grid::kRowHeight);
        EXPECT_EQ(w.waitLabel()->text(), ListWindow::waitCaption(QString::fromUtf8(c.wait)));
        EXPECT_EQ(farm.messages().count(), 0);

        // A start after the end finds nothing: the message, then an empty grid.
        w.setPeriod(kToday.addDays(1), kToday);
        int rowsWhileAsked = -1;
        farm.messages().onShow = [&](const MessageSpec&) { rowsWhileAsked = listGrid(&w)->maxRows(); };
        w.functionButton(ListButton::Query)->click();
        farm.messages().onShow = {};
        ASSERT_EQ(farm.messages().count(), 1);
        EXPECT_EQ(farm.messages().last().icon, MsgIcon::Question);
        EXPECT_EQ(farm.messages().last().title, QStringLiteral("검색오류"));
        EXPECT_EQ(farm.messages().last().text, QString::fromUtf8(c.notFound));
        EXPECT_EQ(rowsWhileAsked, 0);
        EXPECT_EQ(w.rowCount(), 0);
        EXPECT_EQ(listGrid(&w)->maxRows(), 0);
        EXPECT_TRUE(w.isEnabled());
        EXPECT_FALSE(w.waitLabel()->isVisible());

        // So printing has nothing to print.
        w.functionButton(ListButton::Print)->click();
        ASSERT_EQ(farm.messages().count(), 2);
        EXPECT_EQ(farm.messages().last().icon, MsgIcon::Critical);
        EXPECT_EQ(farm.messages().last().title, QStringLiteral("출력확인"));
        EXPECT_EQ(farm.messages().last().text, QString::fromUtf8(c.nothing));
    }
}

TEST_F(PeriodBookWindowTest, AQueryClickedStraightAfterARefusedDateStopsAtItsNote)
{
    eventsOn(dn(kToday));
    PeriodBookWindow w(kBooks[0].book());
    w.show();
    QApplication::setActiveWindow(&w);
    pressF11(w.startDate());
    ASSERT_EQ(w.rowCount(), 1);
    w.setPeriod(kToday.addDays(-10), kToday.addDays(-5));  // a period without records, not yet asked for
    farm.messages().clear();
    w.startDate()->setFocus();
    QTest::keyClicks(w.startDate(), QStringLiteral("2010-13"));
    QTest::mouseClick(w.functionButton(ListButton::Query), Qt::LeftButton);
    QApplication::processEvents();
    ASSERT_EQ(farm.messages().count(), 1);  // the note, not a query over the old period
    EXPECT_EQ(farm.messages().last().title, QStringLiteral("날짜 오류"));
    EXPECT_EQ(w.rowCount(), 1);
    EXPECT_EQ(QApplication::focusWidget(), w.startDate());
}

namespace {
// A book whose rows ask for the query again while it reads (as a queued click could while the
// window lets its messages run).
PeriodBookWindow* gReentered = nullptr;
QStringList reenteringRow(const QSqlQuery& q)
{
    if (gReentered) gReentered->query();
    return {q.value(0).toString()};
}
}  // namespace

TEST_F(PeriodBookWindowTest, AQueryAskedForWhileOneReadsIsIgnoredAndNoRowIsLost)
{
    for (const char* n : {"KR001", "KR002", "KR003"}) {
        cow(QString::fromUtf8(n));
        farm.addBreeding(QString::fromUtf8(n), dn(kToday));
    }
    BookSpec book = matingBook();
    book.row = reenteringRow;
    PeriodBookWindow w(book);
    gReentered = &w;
    w.query();
    gReentered = nullptr;
    EXPECT_EQ(gridColumn(listGrid(&w), 1), QStringList({"KR001", "KR002", "KR003"}));
    EXPECT_EQ(w.rowCount(), 3);
    EXPECT_EQ(farm.messages().count(), 0);
}

TEST(PeriodBookQuery, AnUnreadableValueStopsTheQueryAndKeepsTheRowsBefore)
{
    const QDate today(2009, 12, 8);
    setTodayOverride(today);
    const struct {
        const BookSpec& (*book)();
        const char *table, *column, *value;
    } cases[] = {
        {matingBook, "번식기록", "예정일", "'abc'"},
        {matingBook, "번식기록", "예정일", "null"},
        {calvingBook, "번식기록", "성별", "''"},
        {shipmentBook, "개체관리", "구분", "'x'"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.column) + " = " + c.value);
        TestFarm farm;
        ASSERT_TRUE(farm.open());
        // KR001, KR002 and KR003 each with an event on one of the last three days.
        for (int i = 1; i <= 3; ++i) {
            const QString number = QStringLiteral("KR00%1").arg(i);
            const qint64 day = dn(today.addDays(i - 3));
            farm.addAnimal(number, 0, 20050101);
            farm.addBreeding(number, day, {{QStringLiteral("분만일"), day}, {QStringLiteral("성별"), 0}});
            farm.exec(QStringLiteral("insert into 등급판정 (개체번호, 판정일) values (?, ?)"), {number, day});
        }
        makeUnreadable(farm, QString::fromUtf8(c.table), QString::fromUtf8(c.column), QStringLiteral("KR002"),
                       QString::fromUtf8(c.value));
        farm.close();

        PeriodBookWindow w(c.book());
        w.setPeriod(today.addDays(-2), today);
        w.query();
        ASSERT_EQ(farm.messages().count(), 1);
        EXPECT_EQ(farm.messages().last().title, kAppTitle);
        EXPECT_TRUE(farm.messages().last().text.contains(QStringLiteral("KR002")))
            << farm.messages().last().text.toStdString();
        EXPECT_EQ(gridColumn(listGrid(&w), 1), QStringList({"KR001"}));
        EXPECT_EQ(w.rowCount(), 1);
        EXPECT_TRUE(w.isEnabled());
        EXPECT_FALSE(w.waitLabel()->isVisible());
    }
    setTodayOverride(QDate());
}

TEST_F(PeriodBookWindowTest, ControlsAreHeardByTheirCaptionsAndThePickersByTheCriterion)
{
    const struct {
        const BookSpec& (*book)();
        const char *start, *end, *list;
    } cases[] = {
        {matingBook, "수정일 시작", "수정일 끝", "한우 교배기록부"},
        {calvingBook, "분만일 시작", "분만일 끝", "한우 분만기록부"},
        {shipmentBook, "출하일 시작", "출하일 끝", "한우 출하성적 기록부"},
    };
    for (const auto& c : cases) {
        PeriodBookWindow w(c.book());
        SCOPED_TRACE(w.objectName().toStdString());
        EXPECT_TRUE(controlsHeardByControlName(&w).isEmpty())
            << controlsHeardByControlName(&w).join(u'\n').toStdString();
        EXPECT_EQ(w.startDate()->accessibleName(), QString::fromUtf8(c.start));
        EXPECT_EQ(w.endDate()->accessibleName(), QString::fromUtf8(c.end));
        EXPECT_EQ(w.startDate()->accessibleDescription(), QStringLiteral("시작날짜"));
        EXPECT_EQ(w.endDate()->accessibleDescription(), QStringLiteral("끝날짜"));
        EXPECT_EQ(w.searchFrame()->accessibleName(), QStringLiteral("검색조건"));
        EXPECT_EQ(listGrid(&w)->accessibleName(), QString::fromUtf8(c.list));
        EXPECT_EQ(w.functionButton(ListButton::Print)->accessibleName(), w.functionButton(ListButton::Print)->text());
    }
}

TEST_F(PeriodBookWindowTest, DatePickersShowKoreanDatesAndPickFromAKoreanCalendar)
{
    PeriodBookWindow w(matingBook());
    w.setPeriod(QDate(2009, 1, 5), QDate(2009, 12, 31));
    for (QDateEdit* picker : {w.startDate(), w.endDate()}) {
        SCOPED_TRACE(picker->objectName().toStdString());
        EXPECT_EQ(picker->locale().language(), QLocale::Korean);
        EXPECT_TRUE(picker->calendarPopup());
        EXPECT_EQ(picker->calendarWidget()->locale().language(), QLocale::Korean);
    }
    EXPECT_EQ(w.startDate()->text(), QStringLiteral("2009년 01월 05일"));
    EXPECT_EQ(w.endDate()->text(), QStringLiteral("2009년 12월 31일"));
    EXPECT_EQ(w.period().from, 20090105);
    EXPECT_EQ(w.period().to, 20091231);
}

TEST_F(PeriodBookWindowTest, TheSearchFrameSitsAboveTheBarAndComesFirstInTheTabOrder)
{
    PeriodBookWindow w(shipmentBook());
    w.show();
    for (const QSize size : {QSize(1180, 700), QSize(900, 560)}) {
        SCOPED_TRACE(size.width());
        w.resize(size);
        const QRect frame = inWindow(w.searchFrame());
        const QRect note = inWindow(w.note());
        const QRect bar = inWindow(w.buttonBar());
        EXPECT_LT(frame.bottom(), bar.top());
        EXPECT_LT(note.bottom(), bar.top());
        EXPECT_LE(frame.right(), note.left());
        EXPECT_TRUE(w.rect().contains(frame));
        for (QWidget* picker : {static_cast<QWidget*>(w.startDate()), static_cast<QWidget*>(w.endDate())})
            EXPECT_TRUE(frame.contains(inWindow(picker)));
        EXPECT_LT(inWindow(w.startDate()).right(), inWindow(w.endDate()).left());
    }
    // The focus chain (Tab also steps through the year, month and day of a picker first).
    const QList<QWidget*> wanted{w.startDate(),
                                 w.endDate(),
                                 w.functionButton(ListButton::Query),
                                 w.functionButton(ListButton::Print),
                                 w.functionButton(ListButton::Close),
                                 listGrid(&w)};
    QList<QWidget*> order;
    QWidget* at = w.startDate();
    for (int guard = 0; guard < 200 && order.size() < wanted.size(); ++guard, at = at->nextInFocusChain())
        if (wanted.contains(at) && !order.contains(at)) order << at;
    EXPECT_EQ(order, wanted);
}

TEST_F(PeriodBookWindowTest, LongHeadersWrapOntoTwoLinesAndEveryUsualCellFits)
{
    for (const BookCase& c : kBooks) {
        SCOPED_TRACE(c.name);
        PeriodBookWindow w(c.book());
        const QHeaderView* header = listGrid(&w)->horizontalHeader();
        const QFontMetrics fm = header->fontMetrics();
        EXPECT_GE(header->height(), 2 * fm.lineSpacing());
        const BookSpec& b = c.book();
        for (int col = 0; col < b.headers.size(); ++col) {
            SCOPED_TRACE(b.headers[col].toStdString());
            const int width = listGrid(&w)->columnWidth(col);
            EXPECT_GT(width, fm.horizontalAdvance(b.usualCells.value(col)));
            for (const QString& word : b.headers[col].split(u' ', Qt::SkipEmptyParts))
                EXPECT_GT(width, fm.horizontalAdvance(word));
        }
    }
    // The inner blanks of "수정일                (이식일)" stay; its column is too narrow for the
    // header on one line.
    PeriodBookWindow mating(matingBook());
    const QString dateHeader = listGrid(&mating)->cellText(8, 0);
    EXPECT_EQ(dateHeader, QStringLiteral("수정일") + QString(16, u' ') + QStringLiteral("(이식일)"));
    EXPECT_LT(listGrid(&mating)->columnWidth(7),
              listGrid(&mating)->horizontalHeader()->fontMetrics().horizontalAdvance(dateHeader));
}

TEST_F(PeriodBookWindowTest, AfterAQueryEveryValueShowsWholeNumbersAlignRightAndNoBandIsLeftEmpty)
{
    // Animal numbers as the farm really writes them, wider than the usual cells; long names.
    const QString number = QStringLiteral("KR004100003712"), dam = QStringLiteral("KR004100009988");
    cow(number, {{QStringLiteral("정액번호"), QStringLiteral("KPN1203-2")}, {QStringLiteral("모번호"), dam}});
    farm.addBreeding(number, dn(kToday),
                     {{QStringLiteral("산차"), 12},
                      {QStringLiteral("공란우"), dam},
                      {QStringLiteral("분만일"), dn(kToday)},
                      {QStringLiteral("성별"), 0},
                      {QStringLiteral("분만난이도"), QStringLiteral("3 난산, 수의사 도움으로 견인")},
                      {QStringLiteral("비고"), QStringLiteral("송아지 허약, 초유 급여 후 회복")}});
    grading(number, dn(kToday),
            {{QStringLiteral("작업장"), QStringLiteral("도드람 엘피씨 공사 김제 도축장")},
             {QStringLiteral("생체중"), 752},
             {QStringLiteral("경락가"), 21500}});
    const struct {
        const BookSpec& (*book)();
        int numberColumn, dateColumn;
    } cases[] = {{matingBook, 3, 8}, {calvingBook, 3, 5}, {shipmentBook, 7, 5}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.book().name.toStdString());
        PeriodBookWindow w(c.book());
        w.show();
        w.query();
        ASSERT_EQ(w.rowCount(), 1);
        const Grid* g = listGrid(&w);
        EXPECT_EQ(cutCells(g), QStringList());
        EXPECT_EQ(emptyBand(g), 0);
        // At the window's own size the animal number needs no scrolling.
        EXPECT_EQ(g->cellText(1, 1), number);
        EXPECT_TRUE(columnInView(g, 1));
        EXPECT_EQ(cellAlignment(g, 1), Qt::AlignLeft | Qt::AlignVCenter);
        EXPECT_EQ(cellAlignment(g, c.numberColumn), Qt::AlignRight | Qt::AlignVCenter);
        EXPECT_EQ(cellAlignment(g, c.dateColumn), Qt::AlignCenter);
    }
}

TEST_F(PeriodBookWindowTest, EachBookPrintsItsOwnReportWithItsOwnTexts)
{
    farm.exec(QStringLiteral("update 농장정보 set 사업장명칭 = '  햇살한우농장 '"));
    for (const BookCase& c : kBooks) {
        SCOPED_TRACE(c.name);
        PeriodBookWindow w(c.book());
        const ListPrint p = w.printSpec();
        EXPECT_EQ(p.nothingMessage, QString::fromUtf8(c.nothing));
        EXPECT_EQ(p.question, QString::fromUtf8(c.question));
        EXPECT_EQ(p.reportFile, QString::fromUtf8(c.name) + QStringLiteral(".rpt"));
        EXPECT_EQ(p.previewTitle, QString::fromUtf8(c.previewTitle));
        EXPECT_EQ(p.workTable, QString::fromUtf8(c.workTable));
        EXPECT_EQ(p.columns, c.columns);
        EXPECT_EQ(p.formulas(), (report::Formulas{{"농장명", "햇살한우농장"}}));
    }
}
