// The list window frame: query frame, farm header, work-table rows, layout, keys, closing.
#include "data/Db.h"
#include "data/Globals.h"
#include "data/Values.h"
#include "kit/ListWindow.h"
#include "support/AccessibilityCheck.h"
#include "support/TestFarm.h"

#include <QApplication>
#include <QKeyEvent>

namespace {

// A minimal list on the frame: lists animal numbers with whatever the test asks per record.
class ProbeList : public ListWindow {
public:
    // `conditionsAbove`: the conditions get a band of that height above the bar (0: in the bar).
    explicit ProbeList(int conditionsAbove = 0)
        : ListWindow(QStringLiteral("probe"), QStringLiteral("시험 목록"), QStringLiteral("시험인쇄"))
    {
        grid()->setHeaders({QStringLiteral("개체번호"), QStringLiteral("목장명")});
        if (conditionsAbove > 0) placeConditionsAbove(conditionsAbove);
    }
    bool load()
    {
        if (!openConnection()) return false;
        loadFarmHeader();
        return true;
    }
    void setQuery(const QString& sql, std::function<void(ProbeList&, const QSqlQuery&)> each = {},
                  const QString& notFound = {})
    {
        m_q.waitText = QStringLiteral("시험 목록을 조회중 입니다.");
        m_q.sql = sql;
        m_q.notFoundText = notFound;
        m_q.afterRecords = {};
        m_q.eachRecord = [this, each](const QSqlQuery& q) {
            if (each) each(*this, q);
            const int row = appendRow();
            writeCell(1, row, NullTrim(q.value(0)));
            writeCell(2, row, NullTrim(q.value(1)));
        };
    }
    // A list that gathers its rows and hands them to the grid only after the records.
    void setBatchedQuery(const QString& sql)
    {
        setQuery(sql);
        m_q.eachRecord = [this](const QSqlQuery& q) { m_batch << QStringList{NullTrim(q.value(0))}; };
        m_q.afterRecords = [this] {
            appendRows(std::move(m_batch), {});
            m_batch = {};
        };
    }
    // Puts a row straight into the grid, past the frame's row count.
    void addUncountedRow(const QStringList& cells) { grid()->appendRows({cells}); }
    using ListWindow::QueryResult;
    // A query that reads no SQL of its own through the frame.
    QueryResult runWork(const std::function<void()>& work)
    {
        return runQueryWork(QStringLiteral("시험 분석을 하고 있습니다."), work);
    }
    void query() override { lastResult = runListQuery(m_q); }
    void print() override { ++printed; }

    QueryResult lastResult = QueryResult::NotRun;
    int printed = 0;
    bool holdOpen = false;

protected:
    bool mayClose() const override { return !holdOpen; }

private:
    ListQuery m_q;
    QList<QStringList> m_batch;
};
using Result = ProbeList::QueryResult;

void sendKey(QWidget* to, int key, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    QKeyEvent press(QEvent::KeyPress, key, mods);
    QApplication::sendEvent(to, &press);
    QKeyEvent release(QEvent::KeyRelease, key, mods);
    QApplication::sendEvent(to, &release);
}

QRect inWindow(const QWidget* w)
{
    return QRect(w->mapTo(w->window(), QPoint(0, 0)), w->size());
}

class ListWindowTest : public FarmTest {
protected:
    ListWindowTest()
    {
        EXPECT_TRUE(farm.open());
        for (const char* n : {"KR001", "KR002", "KR003"})
            farm.addAnimal(QString::fromUtf8(n), 0, 0, {{QStringLiteral("별명"), QStringLiteral("햇살목장")}});
    }
    static QString animalsSql() { return QStringLiteral("select 개체번호, 별명 from 개체관리 order by 개체번호"); }
    // In table order (no sorting, so the records are computed one by one as they are read):
    // reading the record of KR002 fails with an integer overflow.
    static QString failsAtSecondSql()
    {
        return QStringLiteral(
            "select 개체번호, 별명, case when 개체번호 = 'KR002' then abs(-9223372036854775807 - 1) "
            "else 0 end from 개체관리");
    }
};

}  // namespace

TEST_F(ListWindowTest, BuildsTheNamedFrameControlsHeardByTheirCaptions)
{
    ProbeList w;
    ASSERT_TRUE(w.load());
    EXPECT_EQ(w.windowTitle(), QStringLiteral("시험 목록"));
    const struct {
        ListButton role;
        const char *name, *caption;
    } buttons[] = {{ListButton::Query, "Com_Function_0", "조회(F11)"},
                   {ListButton::Print, "Com_Function_1", "시험인쇄"},
                   {ListButton::Save, "Com_Function_2", "엑셀저장"},
                   {ListButton::Close, "Com_Function_99", "닫기(ESC)"}};
    for (const auto& b : buttons) {
        SCOPED_TRACE(b.name);
        QPushButton* button = w.functionButton(b.role);
        EXPECT_EQ(w.findChild<QPushButton*>(QString::fromUtf8(b.name)), button);
        EXPECT_EQ(button->text(), QString::fromUtf8(b.caption));
        EXPECT_EQ(button->accessibleName(), QString::fromUtf8(b.caption));
        EXPECT_EQ(button->accessibleDescription(), QString::fromUtf8(b.name));
    }
    EXPECT_EQ(w.findChild<Grid*>(QStringLiteral("SS")), listGrid(&w));
    EXPECT_EQ(listGrid(&w)->accessibleName(), QStringLiteral("시험 목록"));
    EXPECT_EQ(w.findChild<QFrame*>(QStringLiteral("SP_SpreadPN")), w.gridPanel());
    EXPECT_EQ(w.findChild<QFrame*>(QStringLiteral("SSPanel1_2")), w.buttonBar());
    EXPECT_EQ(w.findChild<QLabel*>(QStringLiteral("ML_INFO")), w.waitLabel());
    EXPECT_EQ(w.waitLabel()->accessibleDescription(), QStringLiteral("ML_INFO"));
    EXPECT_TRUE(controlsHeardByControlName(&w).isEmpty()) << controlsHeardByControlName(&w).join(u'\n').toStdString();
    EXPECT_FALSE(w.waitLabel()->isVisible());
    EXPECT_EQ(w.rowCount(), 0);
    EXPECT_EQ(listGrid(&w)->maxRows(), 0);
}

TEST_F(ListWindowTest, QueryShowsTheWaitLabelOnADisabledWindowAndSelectsTheFirstRow)
{
    ProbeList w;
    ASSERT_TRUE(w.load());
    w.show();
    QStringList seen;
    bool centred = true;
    w.setQuery(animalsSql(), [&](ProbeList& l, const QSqlQuery&) {
        seen << QStringLiteral("%1/%2/%3/%4")
                    .arg(l.waitLabel()->isVisible())
                    .arg(l.isEnabled())
                    .arg(l.isQuerying())
                    .arg(l.rowCount());
        const QPoint off = inWindow(l.waitLabel()).center() - inWindow(listGrid(&l)).center();
        centred = centred && std::abs(off.x()) <= 1 && std::abs(off.y()) <= 1;
    });
    w.functionButton(ListButton::Query)->click();
    EXPECT_EQ(w.lastResult, Result::Rows);
    // Label visible over the middle of the grid, window disabled; the grid grows one row per record.
    EXPECT_EQ(seen, QStringList({"1/0/1/0", "1/0/1/1", "1/0/1/2"}));
    EXPECT_TRUE(centred);
    EXPECT_EQ(w.waitLabel()->text(),
              QStringLiteral("시험 목록을 조회중 입니다.\r\n\r\n데이터 용량에 따라 수초에서 수분이 걸릴 수 있습니다."));
    EXPECT_FALSE(w.waitLabel()->isVisible());
    EXPECT_TRUE(w.isEnabled());
    EXPECT_EQ(w.rowCount(), 3);
    EXPECT_EQ(listGrid(&w)->maxRows(), 3);
    EXPECT_EQ(gridColumn(listGrid(&w), 1), QStringList({"KR001", "KR002", "KR003"}));
    EXPECT_EQ(listGrid(&w)->rowHeight(3), Grid::kRowHeight);
    EXPECT_EQ(listGrid(&w)->activeRow(), 1);
    EXPECT_EQ(farm.messages().count(), 0);
}

// A window that shows its own tables (성적분석) runs its reading through the same frame: the
// wait label, the disabled window and the plain error message are the frame's.
TEST_F(ListWindowTest, AQueryOfItsOwnRunsInTheSameFrame)
{
    ProbeList w;
    ASSERT_TRUE(w.load());
    w.show();
    QString during;
    Result nested = Result::Rows;
    bool closedDuring = true;
    EXPECT_EQ(w.runWork([&] {
        during = QStringLiteral("%1/%2/%3").arg(w.waitLabel()->isVisible()).arg(w.isEnabled()).arg(w.isQuerying());
        closedDuring = w.close();
        nested = w.runWork([] {});
    }),
              Result::Rows);
    EXPECT_EQ(during, QStringLiteral("1/0/1"));
    EXPECT_FALSE(closedDuring);
    EXPECT_EQ(nested, Result::NotRun);
    EXPECT_EQ(w.waitLabel()->text(),
              QStringLiteral("시험 분석을 하고 있습니다.\r\n\r\n데이터 용량에 따라 수초에서 수분이 걸릴 수 있습니다."));
    EXPECT_FALSE(w.waitLabel()->isVisible());
    EXPECT_TRUE(w.isEnabled());
    EXPECT_FALSE(w.isQuerying());
    EXPECT_EQ(farm.messages().count(), 0);

    EXPECT_EQ(w.runWork([] { throw DbError(QStringLiteral("분석할 기록을 읽을 수 없습니다.")); }), Result::Failed);
    ASSERT_EQ(farm.messages().count(), 1);
    EXPECT_EQ(farm.messages().last().title, kAppTitle);
    EXPECT_TRUE(farm.messages().last().text.contains(QStringLiteral("분석할 기록을 읽을 수 없습니다.")));
    EXPECT_FALSE(w.waitLabel()->isVisible());
    EXPECT_TRUE(w.isEnabled());
    EXPECT_FALSE(w.isQuerying());
    // The window closes again once the query ended, failed or not.
    EXPECT_TRUE(w.close());
}

TEST_F(ListWindowTest, EmptyResultEmptiesTheGridAndOnlyListsWithANotFoundTextSaySo)
{
    ProbeList w;
    ASSERT_TRUE(w.load());
    w.setQuery(animalsSql());
    w.functionButton(ListButton::Query)->click();
    ASSERT_EQ(w.rowCount(), 3);

    // A due list: empty grid, no message.
    w.setQuery(QStringLiteral("select 개체번호, 별명 from 개체관리 where 구분 = 7"));
    w.functionButton(ListButton::Query)->click();
    EXPECT_EQ(w.lastResult, Result::NothingFound);
    EXPECT_EQ(w.rowCount(), 0);
    EXPECT_EQ(listGrid(&w)->maxRows(), 0);
    EXPECT_EQ(farm.messages().count(), 0);

    // A period book or the search list: its not-found text.
    w.setQuery(QStringLiteral("select 개체번호, 별명 from 개체관리 where 구분 = 7"), {},
               QStringLiteral("해당하는 정보가 없습니다. 다시 검색해 주세요."));
    w.functionButton(ListButton::Query)->click();
    ASSERT_EQ(farm.messages().count(), 1);
    const MessageSpec& m = farm.messages().last();
    EXPECT_EQ(m.icon, MsgIcon::Question);
    EXPECT_EQ(m.title, QStringLiteral("검색오류"));
    EXPECT_EQ(m.text, QStringLiteral("해당하는 정보가 없습니다. 다시 검색해 주세요."));
    EXPECT_EQ(m.buttons, int(MsgButton::Ok));
    EXPECT_TRUE(w.isEnabled());
    EXPECT_FALSE(w.waitLabel()->isVisible());
}

TEST_F(ListWindowTest, ErrorsShowThePlainMessageAndKeepTheRowsWritten)
{
    ProbeList w;
    ASSERT_TRUE(w.load());
    w.setQuery(animalsSql(), [](ProbeList& l, const QSqlQuery&) {
        if (l.rowCount() == 2) throw DbError(QStringLiteral("세 번째 기록을 읽을 수 없습니다."));
    });
    w.functionButton(ListButton::Query)->click();
    EXPECT_EQ(w.lastResult, Result::Failed);
    ASSERT_EQ(farm.messages().count(), 1);
    EXPECT_EQ(farm.messages().last().title, kAppTitle);
    EXPECT_TRUE(farm.messages().last().text.contains(QStringLiteral("세 번째 기록을 읽을 수 없습니다.")));
    EXPECT_EQ(farm.messages().last().buttons, int(MsgButton::Ok));
    EXPECT_EQ(w.rowCount(), 2);
    EXPECT_EQ(listGrid(&w)->maxRows(), 2);
    EXPECT_TRUE(w.isEnabled());
    EXPECT_FALSE(w.waitLabel()->isVisible());

    // A query that cannot even start leaves the list as it was.
    w.setQuery(QStringLiteral("select 없는열 from 개체관리"));
    w.functionButton(ListButton::Query)->click();
    EXPECT_EQ(w.lastResult, Result::Failed);
    EXPECT_EQ(farm.messages().count(), 2);
    EXPECT_EQ(w.rowCount(), 2);
    EXPECT_EQ(listGrid(&w)->cellText(1, 2), QStringLiteral("KR002"));
    EXPECT_TRUE(w.isEnabled());
}

TEST_F(ListWindowTest, ARecordTheDatabaseCannotReadStopsTheQueryWithThePlainMessage)
{
    // The database fails while stepping to the second record: to the reading loop that looks
    // like the end of the rows, and only the query's error tells otherwise.
    for (const bool batched : {false, true}) {
        SCOPED_TRACE(batched ? "rows handed over after the records" : "rows appended per record");
        farm.messages().clear();
        ProbeList w;
        ASSERT_TRUE(w.load());
        if (batched)
            w.setBatchedQuery(failsAtSecondSql());
        else
            w.setQuery(failsAtSecondSql());
        QStringList shownWithTheMessage;
        farm.messages().onShow = [&](const MessageSpec&) { shownWithTheMessage = gridColumn(listGrid(&w), 1); };
        w.functionButton(ListButton::Query)->click();
        farm.messages().onShow = {};
        EXPECT_EQ(w.lastResult, Result::Failed);
        ASSERT_EQ(farm.messages().count(), 1);
        EXPECT_EQ(farm.messages().last().title, kAppTitle);
        EXPECT_EQ(farm.messages().last().buttons, int(MsgButton::Ok));
        // Korean in the box; the database's words behind its details button.
        EXPECT_TRUE(farm.messages().last().text.startsWith(QStringLiteral("데이터베이스 작업을 마치지 못했습니다.")))
            << farm.messages().last().text.toStdString();
        EXPECT_TRUE(farm.messages().last().details.contains(QStringLiteral("overflow")))
            << farm.messages().last().details.toStdString();
        // The row read before the failure is shown, and already when the message is.
        EXPECT_EQ(shownWithTheMessage, QStringList({"KR001"}));
        EXPECT_EQ(gridColumn(listGrid(&w), 1), QStringList({"KR001"}));
        EXPECT_EQ(w.rowCount(), 1);
        EXPECT_TRUE(w.isEnabled());
        EXPECT_FALSE(w.isQuerying());
        EXPECT_FALSE(w.waitLabel()->isVisible());
    }
}

TEST_F(ListWindowTest, FarmHeaderIsReadAtLoadAndKeptWhenThereIsNoFarmRow)
{
    farm.exec(QStringLiteral("update 농장정보 set 등록번호 = ' 35-123 ', 사업장명칭 = '햇살한우농장 '"));
    {
        ProbeList w;
        ASSERT_TRUE(w.load());
        EXPECT_EQ(gs등록번호, QStringLiteral("35-123"));
        EXPECT_EQ(gs사업장명칭, QStringLiteral("햇살한우농장"));
    }
    ASSERT_TRUE(farm.open());
    farm.exec(QStringLiteral("delete from 농장정보"));
    {
        ProbeList w;
        ASSERT_TRUE(w.load());
        EXPECT_EQ(gs사업장명칭, QStringLiteral("햇살한우농장"));
        EXPECT_EQ(farm.messages().count(), 0);
    }
    ASSERT_TRUE(farm.open());
    farm.exec(QStringLiteral("drop table 농장정보"));
    {
        ProbeList w;
        ASSERT_TRUE(w.load());
        ASSERT_EQ(farm.messages().count(), 1);
        EXPECT_EQ(farm.messages().last().title, kAppTitle);
        EXPECT_EQ(farm.messages().last().text,
                  QStringLiteral("데이터베이스에 필요한 표가 없습니다. 데이터베이스 파일을 확인해 주세요."));
        EXPECT_TRUE(farm.messages().last().details.contains(QStringLiteral("농장정보")));
        EXPECT_TRUE(w.isEnabled());
    }
    gs등록번호.clear();
    gs사업장명칭.clear();
}

TEST_F(ListWindowTest, WorkTableRowsAreTheShownCellsByPosition)
{
    ProbeList w;
    ASSERT_TRUE(w.load());
    w.setQuery(animalsSql());
    w.functionButton(ListButton::Query)->click();
    listGrid(&w)->setCellText(2, 1, QStringLiteral("  O'Neil 목장 "));
    const QList<QVariantList> rows = w.workTableRows(2);
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[0], QVariantList({QStringLiteral("KR001"), QStringLiteral("O'Neil 목장")}));
    EXPECT_EQ(rows[2], QVariantList({QStringLiteral("KR003"), QStringLiteral("햇살목장")}));
    // Rows beyond the counted ones are never handed to the print.
    w.addUncountedRow({QStringLiteral("KR999"), QStringLiteral("숨은 목장")});
    ASSERT_EQ(listGrid(&w)->maxRows(), 4);
    EXPECT_EQ(w.workTableRows(2).size(), 3);
}

TEST_F(ListWindowTest, AfterAResizeTheGridFillsTheWindowBelowTheBarAndTheButtonsSitAtItsRightEnd)
{
    for (const int conditionsAbove : {0, 70}) {
        ProbeList w(conditionsAbove);
        ASSERT_TRUE(w.load());
        w.show();
        for (const QSize size : {QSize(900, 600), QSize(1300, 800), QSize(480, 320)}) {
            SCOPED_TRACE(QStringLiteral("%1x%2, conditions above: %3")
                             .arg(size.width())
                             .arg(size.height())
                             .arg(conditionsAbove)
                             .toStdString());
            w.resize(size);
            const QRect window = w.rect();
            const QRect bar = inWindow(w.buttonBar());
            const QRect grid = inWindow(listGrid(&w));
            const QRect conditions = inWindow(w.conditionHost());
            const QRect query = inWindow(w.functionButton(ListButton::Query));
            const QRect print = inWindow(w.functionButton(ListButton::Print));
            const QRect close = inWindow(w.functionButton(ListButton::Close));

            // The bar spans the window; query, print and close stand in this order at its
            // right end, inside it and apart.
            EXPECT_TRUE(window.contains(bar));
            EXPECT_LE(window.right() - bar.right(), 16);
            for (const QRect& b : {query, print, close}) EXPECT_TRUE(bar.contains(b));
            EXPECT_LT(query.right(), print.left());
            EXPECT_LT(print.right(), close.left());
            EXPECT_LE(bar.right() - close.right(), 16);

            // The grid takes the rest of the window below the bar, margins aside (the bottom
            // one is measured on the outer height, title bar included).
            EXPECT_GT(grid.top(), bar.bottom());
            EXPECT_LE(grid.left(), 16);
            EXPECT_LE(window.right() - grid.right(), 16);
            EXPECT_LE(window.bottom() - grid.bottom(), 48);
            EXPECT_TRUE(window.contains(grid));

            // The list's own conditions: beside the buttons or in their band above the bar,
            // never under a button or the grid.
            for (const QRect& b : {query, print, close}) EXPECT_FALSE(conditions.intersects(b));
            EXPECT_FALSE(conditions.intersects(grid));
            if (conditionsAbove > 0) {
                EXPECT_EQ(conditions.height(), conditionsAbove);
                EXPECT_LT(conditions.bottom(), bar.top());
            }

            // The wait label stays over the middle of the grid.
            const QPoint off = inWindow(w.waitLabel()).center() - grid.center();
            EXPECT_LE(std::abs(off.x()), 1);
            EXPECT_LE(std::abs(off.y()), 1);
        }
    }
}

TEST_F(ListWindowTest, KeysRunTheQuerySwallowEnterAndCloseOnEscape)
{
    ProbeList w;
    ASSERT_TRUE(w.load());
    w.setQuery(animalsSql());
    w.show();
    sendKey(listGrid(&w), Qt::Key_F11, Qt::ShiftModifier);
    EXPECT_EQ(w.rowCount(), 0);
    sendKey(listGrid(&w), Qt::Key_F11);
    EXPECT_EQ(w.rowCount(), 3);
    // F11 does nothing while the query button is disabled.
    farm.exec(QStringLiteral("delete from 개체관리"));
    w.functionButton(ListButton::Query)->setEnabled(false);
    sendKey(listGrid(&w), Qt::Key_F11);
    EXPECT_EQ(w.rowCount(), 3);
    w.functionButton(ListButton::Query)->setEnabled(true);
    sendKey(w.functionButton(ListButton::Close), Qt::Key_Return);
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(gConn.isOpen());
    sendKey(listGrid(&w), Qt::Key_Escape);
    EXPECT_FALSE(w.isVisible());
    EXPECT_FALSE(gConn.isOpen());
}

TEST_F(ListWindowTest, ClosingDisconnectsButNotWhileAQueryRunsOrTheListHoldsTheWindow)
{
    ProbeList w;
    ASSERT_TRUE(w.load());
    w.show();
    bool closedDuringQuery = true;
    Result nestedQuery = Result::Rows;
    w.setQuery(animalsSql(), [&](ProbeList& l, const QSqlQuery&) {
        closedDuringQuery = l.close();
        // A second query cannot start inside the first.
        const Result outer = l.lastResult;
        l.query();
        nestedQuery = l.lastResult;
        l.lastResult = outer;
    });
    w.functionButton(ListButton::Query)->click();
    EXPECT_FALSE(closedDuringQuery);
    EXPECT_EQ(nestedQuery, Result::NotRun);
    EXPECT_EQ(w.rowCount(), 3);
    EXPECT_TRUE(gConn.isOpen());

    w.holdOpen = true;
    w.functionButton(ListButton::Close)->click();
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(gConn.isOpen());

    w.holdOpen = false;
    w.functionButton(ListButton::Close)->click();
    EXPECT_FALSE(w.isVisible());
    EXPECT_FALSE(gConn.isOpen());
}

TEST_F(ListWindowTest, AFailedConnectionEndsTheProgramAndNoQueryRuns)
{
    farm.close();
    ASSERT_TRUE(QFile::remove(farm.dir() + QStringLiteral("/db/TARVIK.db")));
    ProbeList w;
    EXPECT_FALSE(w.load());
    EXPECT_FALSE(w.isConnected());
    EXPECT_EQ(farm.exitCalls(), 1);
    ASSERT_EQ(farm.messages().count(), 1);
    EXPECT_EQ(farm.messages().last().title, QStringLiteral("데이터베이스 연결 오류"));
    w.setQuery(animalsSql());
    w.functionButton(ListButton::Query)->click();
    EXPECT_EQ(w.lastResult, Result::NotRun);
    EXPECT_EQ(farm.messages().count(), 1);
}
