// The list window frame: query frame, farm header, work-table rows, layout, keys, closing.
#include "app/Globals.h"
#include "books/ListWindow.h"
#include "data/Db.h"
#include "data/Values.h"
#include "support/TestFarm.h"

#include <QApplication>
#include <QKeyEvent>

namespace {

// A minimal list on the frame: lists animal numbers with whatever the test asks per record.
class ProbeList : public ListWindow {
public:
    ProbeList() : ListWindow(QStringLiteral("probe"), QStringLiteral("시험 목록"), QStringLiteral("시험인쇄"))
    {
        SS->setHeaders({QStringLiteral("개체번호"), QStringLiteral("목장명")});
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
        m_q.eachRecord = [this, each](const QSqlQuery& q) {
            if (each) each(*this, q);
            const int row = appendRow();
            writeCell(1, row, NullTrim(q.value(0)));
            writeCell(2, row, NullTrim(q.value(1)));
        };
    }
    bool lastOk = false;
    int printed = 0;
    using ListWindow::conditionHost;

protected:
    void query() override { lastOk = runListQuery(m_q) != QueryResult::Failed; }
    void print() override { ++printed; }

private:
    ListQuery m_q;
};

void sendKey(QWidget* to, int key, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    QKeyEvent press(QEvent::KeyPress, key, mods);
    QApplication::sendEvent(to, &press);
    QKeyEvent release(QEvent::KeyRelease, key, mods);
    QApplication::sendEvent(to, &release);
}

class ListWindowTest : public ::testing::Test {
protected:
    ListWindowTest()
    {
        EXPECT_TRUE(farm.open());
        for (const char* n : {"KR003", "KR001", "KR002"})
            farm.addAnimal(QString::fromUtf8(n), 0, 0, {{QStringLiteral("별명"), QStringLiteral("햇살목장")}});
    }
    static QString animalsSql() { return QStringLiteral("select 개체번호, 별명 from 개체관리 order by 개체번호"); }
    TestFarm farm;
};

}  // namespace

TEST_F(ListWindowTest, BuildsTheNamedFrameControls)
{
    ProbeList w;
    ASSERT_TRUE(w.load());
    EXPECT_EQ(w.windowTitle(), QStringLiteral("시험 목록"));
    EXPECT_EQ(w.findChild<QPushButton*>(QStringLiteral("Com_Function_0"))->text(), QStringLiteral("조회(F11)"));
    EXPECT_EQ(w.findChild<QPushButton*>(QStringLiteral("Com_Function_1"))->text(), QStringLiteral("시험인쇄"));
    EXPECT_EQ(w.findChild<QPushButton*>(QStringLiteral("Com_Function_99"))->text(), QStringLiteral("닫기(ESC)"));
    EXPECT_EQ(w.functionButton(1)->accessibleName(), QStringLiteral("시험인쇄"));
    EXPECT_EQ(w.functionButton(1)->accessibleDescription(), QStringLiteral("Com_Function_1"));
    EXPECT_EQ(w.findChild<Grid*>(QStringLiteral("SS")), w.SS);
    EXPECT_EQ(w.findChild<QFrame*>(QStringLiteral("SP_SpreadPN")), w.gridPanel());
    EXPECT_EQ(w.findChild<QFrame*>(QStringLiteral("SSPanel1_2")), w.buttonBar());
    EXPECT_EQ(w.findChild<QLabel*>(QStringLiteral("ML_INFO")), w.waitLabel());
    EXPECT_FALSE(w.waitLabel()->isVisible());
    EXPECT_EQ(w.lss1RowCount, 0);
    EXPECT_EQ(w.SS->maxRows(), 0);
}

TEST_F(ListWindowTest, QueryShowsTheWaitLabelOnADisabledWindowAndSelectsTheFirstRow)
{
    ProbeList w;
    ASSERT_TRUE(w.load());
    w.show();
    QStringList seen;
    w.setQuery(animalsSql(), [&seen](ProbeList& l, const QSqlQuery&) {
        seen << QStringLiteral("%1/%2/%3/%4")
                    .arg(l.waitLabel()->isVisible())
                    .arg(l.isEnabled())
                    .arg(l.isQuerying())
                    .arg(l.lss1RowCount);
    });
    w.functionButton(0)->click();
    EXPECT_TRUE(w.lastOk);
    // Label visible, window disabled; the grid grows one row per record.
    EXPECT_EQ(seen, QStringList({"1/0/1/0", "1/0/1/1", "1/0/1/2"}));
    EXPECT_EQ(w.waitLabel()->text(),
              QStringLiteral("시험 목록을 조회중 입니다.\r\n\r\n데이터 용량에 따라 수초에서 수분이 걸릴 수 있습니다."));
    EXPECT_FALSE(w.waitLabel()->isVisible());
    EXPECT_TRUE(w.isEnabled());
    EXPECT_EQ(w.lss1RowCount, 3);
    EXPECT_EQ(w.SS->maxRows(), 3);
    EXPECT_EQ(w.SS->cellText(1, 1), QStringLiteral("KR001"));
    EXPECT_EQ(w.SS->cellText(1, 3), QStringLiteral("KR003"));
    EXPECT_EQ(w.SS->rowHeight(3), Grid::kRowHeight);
    EXPECT_EQ(w.SS->activeRow(), 1);
    EXPECT_EQ(farm.messages().count(), 0);
}

TEST_F(ListWindowTest, EmptyResultEmptiesTheGridAndOnlyPeriodBooksSayNotFound)
{
    ProbeList w;
    ASSERT_TRUE(w.load());
    w.setQuery(animalsSql());
    w.functionButton(0)->click();
    ASSERT_EQ(w.lss1RowCount, 3);

    // A due list: empty grid, no message.
    w.setQuery(QStringLiteral("select 개체번호, 별명 from 개체관리 where 구분 = 7"));
    w.functionButton(0)->click();
    EXPECT_EQ(w.lss1RowCount, 0);
    EXPECT_EQ(w.SS->maxRows(), 0);
    EXPECT_EQ(farm.messages().count(), 0);

    // A period book: its not-found text.
    w.setQuery(QStringLiteral("select 개체번호, 별명 from 개체관리 where 구분 = 7"), {},
               QStringLiteral("해당하는 정보가 없습니다. 다시 검색해 주세요."));
    w.functionButton(0)->click();
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
        if (l.lss1RowCount == 2) throw DbError(QStringLiteral("세 번째 기록을 읽을 수 없습니다."));
    });
    w.functionButton(0)->click();
    EXPECT_FALSE(w.lastOk);
    ASSERT_EQ(farm.messages().count(), 1);
    EXPECT_EQ(farm.messages().last().title, kAppTitle);
    EXPECT_TRUE(farm.messages().last().text.contains(QStringLiteral("세 번째 기록을 읽을 수 없습니다.")));
    EXPECT_EQ(farm.messages().last().buttons, int(MsgButton::Ok));
    EXPECT_EQ(w.lss1RowCount, 2);
    EXPECT_EQ(w.SS->maxRows(), 2);
    EXPECT_TRUE(w.isEnabled());
    EXPECT_FALSE(w.waitLabel()->isVisible());

    // A query that cannot even start leaves the list as it was.
    w.setQuery(QStringLiteral("select 없는열 from 개체관리"));
    w.functionButton(0)->click();
    EXPECT_FALSE(w.lastOk);
    EXPECT_EQ(farm.messages().count(), 2);
    EXPECT_EQ(w.lss1RowCount, 2);
    EXPECT_EQ(w.SS->cellText(1, 2), QStringLiteral("KR002"));
    EXPECT_TRUE(w.isEnabled());
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
        EXPECT_TRUE(farm.messages().last().text.contains(QStringLiteral("농장정보")));
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
    w.functionButton(0)->click();
    w.SS->setCellText(2, 1, QStringLiteral("  O'Neil 목장 "));
    const QList<QVariantList> rows = w.workTableRows(2);
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[0], QVariantList({QStringLiteral("KR001"), QStringLiteral("O'Neil 목장")}));
    EXPECT_EQ(rows[2], QVariantList({QStringLiteral("KR003"), QStringLiteral("햇살목장")}));
    // Rows beyond the counted ones are never handed to the print.
    w.lss1RowCount = 1;
    EXPECT_EQ(w.workTableRows(2).size(), 1);
}

TEST_F(ListWindowTest, LayoutFollowsTheWindowSize)
{
    ProbeList w;
    ASSERT_TRUE(w.load());
    w.show();
    for (const QSize size : {QSize(900, 600), QSize(1300, 800), QSize(500, 340)}) {
        w.resize(size);
        SCOPED_TRACE(size.width());
        QPushButton* q = w.functionButton(0);
        QPushButton* p = w.functionButton(1);
        QPushButton* c = w.functionButton(99);
        EXPECT_EQ(w.buttonBar()->width(), w.width() - (w.buttonBar()->x() + 8));
        EXPECT_EQ(c->x(), w.buttonBar()->width() - (c->width() + 8));
        EXPECT_EQ(p->x(), c->x() - (p->width() + 6));
        EXPECT_EQ(q->x(), p->x() - (q->width() + 6));
        EXPECT_EQ(w.gridPanel()->width(), w.width() - 16);
        EXPECT_GT(w.gridPanel()->height(), 0);
        EXPECT_LE(w.gridPanel()->geometry().bottom(), w.height());
        EXPECT_EQ(w.SS->width(), w.gridPanel()->width() - 6);
        EXPECT_EQ(w.SS->height(), w.gridPanel()->height() - 6);
        // The wait label sits in the middle of the grid.
        EXPECT_LE(std::abs(w.waitLabel()->geometry().center().x() - w.SS->geometry().center().x()), 1);
        EXPECT_LE(std::abs(w.waitLabel()->geometry().center().y() - w.SS->geometry().center().y()), 1);
        // The list's own controls stay left of the buttons.
        EXPECT_LE(w.conditionHost()->geometry().right(), q->x());
    }
}

TEST_F(ListWindowTest, KeysRunTheQuerySwallowEnterAndCloseOnEscape)
{
    ProbeList w;
    ASSERT_TRUE(w.load());
    w.setQuery(animalsSql());
    w.show();
    sendKey(w.SS, Qt::Key_F11, Qt::ShiftModifier);
    EXPECT_EQ(w.lss1RowCount, 0);
    sendKey(w.SS, Qt::Key_F11);
    EXPECT_EQ(w.lss1RowCount, 3);
    // F11 does nothing while the query button is disabled.
    farm.exec(QStringLiteral("delete from 개체관리"));
    w.functionButton(0)->setEnabled(false);
    sendKey(w.SS, Qt::Key_F11);
    EXPECT_EQ(w.lss1RowCount, 3);
    w.functionButton(0)->setEnabled(true);
    sendKey(w.functionButton(99), Qt::Key_Return);
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(gConn.isOpen());
    sendKey(w.SS, Qt::Key_Escape);
    EXPECT_FALSE(w.isVisible());
    EXPECT_FALSE(gConn.isOpen());
}

TEST_F(ListWindowTest, ClosingDisconnectsButNotWhileAQueryRuns)
{
    ProbeList w;
    ASSERT_TRUE(w.load());
    w.show();
    bool closedDuringQuery = true;
    w.setQuery(animalsSql(), [&](ProbeList& l, const QSqlQuery&) { closedDuringQuery = l.close(); });
    w.functionButton(0)->click();
    EXPECT_FALSE(closedDuringQuery);
    EXPECT_EQ(w.lss1RowCount, 3);
    EXPECT_TRUE(gConn.isOpen());
    w.functionButton(99)->click();
    EXPECT_FALSE(w.isVisible());
    EXPECT_FALSE(gConn.isOpen());
}

TEST_F(ListWindowTest, AFailedConnectionEndsTheProgram)
{
    farm.close();
    ASSERT_TRUE(QFile::remove(farm.dir() + QStringLiteral("/db/TARVIK.db")));
    ProbeList w;
    EXPECT_FALSE(w.load());
    EXPECT_FALSE(w.isConnected());
    EXPECT_EQ(farm.exitCalls(), 1);
    ASSERT_EQ(farm.messages().count(), 1);
    EXPECT_EQ(farm.messages().last().title, QStringLiteral("데이터베이스 연결 오류"));
}
