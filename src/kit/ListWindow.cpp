#include "kit/ListWindow.h"

#include "data/Db.h"
#include "data/FarmInfo.h"
#include "data/Globals.h"
#include "data/Values.h"
#include "kit/Accessibility.h"
#include "kit/CommandButton.h"
#include "kit/DbMessages.h"
#include "kit/GridExport.h"
#include "kit/Messages.h"
#include "kit/Styles.h"
#include "kit/WindowKeys.h"
#include "kit/WindowUtil.h"
#include "kit/model/ListFrameGeometry.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFont>
#include <QScopeGuard>
#include <QSqlError>
#include <QTimer>

namespace {
constexpr int kMarginPx = 8;

QPushButton* barButton(QWidget* bar, ListButton role, const QString& caption)
{
    return commandButton(QStringLiteral("Com_Function_%1").arg(int(role)), caption, bar, ButtonLook::Bar);
}
}  // namespace

ListWindow::ListWindow(const QString& name, const QString& caption, const QString& printCaption, QWidget* parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(name);
    setWindowTitle(caption);
    setMinimumSize(480, 320);

    m_bar = new QFrame(this);
    nameControl(m_bar, QStringLiteral("SSPanel1_2"), QString());
    m_bar->setFrameShape(QFrame::StyledPanel);
    m_bar->setFrameShadow(QFrame::Raised);
    m_bar->setGeometry(kMarginPx, kMarginPx, 400, 52);

    // A sibling laid over the bar rather than a child of it, so that a list can move its
    // conditions above the bar without taking them out of the bar.
    m_conditionHost = new QWidget(this);
    m_conditionHost->setObjectName(QStringLiteral("conditionHost"));

    m_query = barButton(m_bar, ListButton::Query, QStringLiteral("조회(F11)"));
    m_print = barButton(m_bar, ListButton::Print, printCaption);
    m_export = barButton(m_bar, ListButton::Save, QStringLiteral("엑셀저장"));
    m_close = barButton(m_bar, ListButton::Close, QStringLiteral("닫기(ESC)"));
    connect(m_query, &QPushButton::clicked, this, [this] { query(); });
    connect(m_print, &QPushButton::clicked, this, [this] { print(); });
    connect(m_close, &QPushButton::clicked, this, [this] { close(); });

    m_gridPanel = new QFrame(this);
    nameControl(m_gridPanel, QStringLiteral("SP_SpreadPN"), QString());
    m_gridPanel->setFrameShape(QFrame::StyledPanel);
    m_gridPanel->setFrameShadow(QFrame::Sunken);

    m_grid = new Grid(m_gridPanel);
    nameControl(m_grid, QStringLiteral("SS"), caption);
    m_grid->setMaxRows(0);
    // The grid's two save entries (Excel, CSV) on the button beside print.
    attachGridExportMenu(m_export, m_grid);

    m_wait = new QLabel(m_gridPanel);
    // No accessible name of its own: a screen reader reads the wait text itself.
    nameControl(m_wait, QStringLiteral("ML_INFO"), QString());
    m_wait->setAlignment(Qt::AlignCenter);
    m_wait->setWordWrap(true);
    m_wait->setFixedSize(520, 120);
    m_wait->setStyleSheet(styles::waitLabel());
    m_wait->hide();

    m_keys = new WindowKeys(this);
    m_keys->setQueryButton(m_query);

    resize(1000, 620);
}

ListWindow::~ListWindow()
{
    // A window destroyed without a close still gives its connection back.
    if (m_connected && !m_closed) DBClose();
}

QPushButton* ListWindow::functionButton(ListButton role) const
{
    switch (role) {
    case ListButton::Query: return m_query;
    case ListButton::Print: return m_print;
    case ListButton::Save: return m_export;
    case ListButton::Close: return m_close;
    }
    return nullptr;
}

void ListWindow::placeConditionsAbove(int heightPx)
{
    m_conditionsAboveHeight = std::max(0, heightPx);
    m_bar->move(kMarginPx, m_conditionsAboveHeight + kMarginPx);
    applyResizeRules();
}

void ListWindow::setBarHeight(int px)
{
    m_bar->resize(m_bar->width(), std::max(kBarButtonHeightPx + 8, px));
    applyResizeRules();
}

void ListWindow::setListName(const QString& heard)
{
    m_grid->setAccessibleName(heardText(heard));
}

void ListWindow::keepGridSize(const QSize& size)
{
    m_gridKeepsSize = true;
    m_grid->resize(size);
    applyResizeRules();
}

void ListWindow::tabToFrameAfter(QWidget* last)
{
    setTabOrder(last, m_query);
    setTabOrder(m_query, m_print);
    setTabOrder(m_print, m_export);
    setTabOrder(m_export, m_close);
    setTabOrder(m_close, m_grid);
}

QString ListWindow::waitCaption(const QString& waitText)
{
    return waitText + kCrLf + kCrLf + QStringLiteral("데이터 용량에 따라 수초에서 수분이 걸릴 수 있습니다.");
}

bool ListWindow::openConnection()
{
    m_grid->setMaxRows(0);
    m_rowCount = 0;
    m_connected = openConnectionOrEnd(this);
    // Not connected and still running (the file is busy): the window goes away again as soon
    // as it is shown, and the main window comes back.
    if (!m_connected) QTimer::singleShot(0, this, &QWidget::close);
    return m_connected;
}

void ListWindow::loadFarmHeader()
{
    try {
        if (const auto farm = readFarmInfo()) setFarmHeader({farm->사업장명칭, farm->등록번호});
    } catch (const DbError& e) {
        showPlainError(this, e);
    }
}

ListWindow::QueryResult ListWindow::runListQuery(const ListQuery& lq)
{
    bool found = true;
    const QueryResult result = runQueryWork(lq.waitText, [this, &lq, &found] {
        QSqlQuery q = ::runQuery(lq.sql, lq.binds);
        clearRows();
        found = q.next();
        if (!found) return;
        readRecords(q, lq);
        m_grid->setMaxRows(m_rowCount);
        if (m_rowCount > 0) m_grid->setSelection(1, 1, m_grid->maxCols(), 1);
    });
    if (result != QueryResult::Rows || found) return result;
    if (!lq.notFoundText.isEmpty())
        showMessage(this, MsgIcon::Question, QStringLiteral("검색오류"), lq.notFoundText, MsgButton::Ok);
    return QueryResult::NothingFound;
}

ListWindow::QueryResult ListWindow::runQueryWork(const QString& waitText, const std::function<void()>& work)
{
    if (m_querying || !m_connected) return QueryResult::NotRun;
    beginQuery(waitText);
    try {
        work();
    } catch (const DbError& e) {
        endQuery();
        showPlainError(this, e);
        return QueryResult::Failed;
    }
    endQuery();
    return QueryResult::Rows;
}

void ListWindow::beginQuery(const QString& waitText)
{
    m_querying = true;
    m_wait->setText(waitCaption(waitText));
    applyResizeRules();
    m_wait->raise();
    m_wait->show();
    setEnabled(false);
    // Once, so the label is painted before the reading starts.
    QCoreApplication::processEvents();
}

void ListWindow::readRecords(QSqlQuery& q, const ListQuery& lq)
{
    const auto handOver = qScopeGuard([&lq] {
        if (lq.afterRecords) lq.afterRecords();
    });
    do {
        if (lq.eachRecord) lq.eachRecord(q);
    } while (q.next());
    // A record that cannot be read ends the loop like the end of the rows; only the error
    // tells them apart.
    if (q.lastError().isValid()) throw DbError(q.lastError());
}

void ListWindow::endQuery()
{
    // Whatever the query brought (or nothing, or the rows before an error), once at its end.
    m_grid->fitToContents();
    m_wait->hide();
    setEnabled(true);
    m_querying = false;
}

int ListWindow::appendRow()
{
    ++m_rowCount;
    m_grid->setMaxRows(m_rowCount);
    m_grid->setRow(m_rowCount);
    m_grid->setRowHeight(Grid::kRowHeight);
    return m_rowCount;
}

void ListWindow::appendRows(QList<QStringList>&& rows, const QList<QColor>& colors)
{
    m_grid->appendRows(std::move(rows), colors);
    m_rowCount = m_grid->maxRows();
}

void ListWindow::takeBackRow()
{
    if (m_rowCount <= 0) return;
    --m_rowCount;
    m_grid->setMaxRows(m_rowCount);
    m_grid->setRow(m_rowCount);
}

void ListWindow::clearRows()
{
    m_grid->clearText();
    m_rowCount = 0;
    m_grid->setMaxRows(0);
}

void ListWindow::writeCell(int col, int row, const QString& text, bool bold)
{
    m_grid->setCol(col);
    m_grid->setRow(row);
    m_grid->setText(text);
    if (bold) m_grid->setFontBold(true);
}

QStringList ListWindow::shownCells(int row, int columns) const
{
    QStringList cells;
    cells.reserve(columns);
    for (int c = 1; c <= columns; ++c) cells << m_grid->cellText(c, row);
    return cells;
}

bool ListWindow::shownBold(int row, int col) const
{
    const QVariant font = m_grid->model()->index(row - 1, col - 1).data(Qt::FontRole);
    return font.isValid() && font.value<QFont>().bold();
}

QList<QVariantList> ListWindow::workTableRows(int columns) const
{
    QList<QVariantList> rows;
    rows.reserve(m_rowCount);
    for (int r = 1; r <= m_rowCount; ++r) {
        QVariantList row;
        row.reserve(columns);
        for (const QString& cell : shownCells(r, columns)) row << cell.trimmed();
        rows << row;
    }
    return rows;
}

void ListWindow::closeEvent(QCloseEvent* event)
{
    // A running query owns the connection until it ends; the list may hold the window too.
    if (m_querying || !mayClose()) {
        event->ignore();
        return;
    }
    if (!m_closed) {
        m_closed = true;
        if (m_connected) DBClose();
    }
    event->accept();
}

void ListWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    applyResizeRules();
}

void ListWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    applyResizeRules();
}

// The layout rules (kit/model/ListFrameGeometry.h) from where the pieces are now.
void ListWindow::applyResizeRules()
{
    const ListFrameRects now{.bar = m_bar->geometry(),
                             .query = m_query->geometry(),
                             .print = m_print->geometry(),
                             .save = m_export->geometry(),
                             .close = m_close->geometry(),
                             .conditions = m_conditionHost->geometry(),
                             .gridPanel = m_gridPanel->geometry(),
                             .grid = m_grid->geometry(),
                             .wait = m_wait->geometry()};
    const ListFrameRects r = listFrameRects(now, {.inner = size(),
                                                  .titleBarHeight = frameGeometry().height() - height(),
                                                  .conditionsAboveHeight = m_conditionsAboveHeight,
                                                  .gridKeepsSize = m_gridKeepsSize,
                                                  .buttonHeight = kBarButtonHeightPx});
    m_bar->setGeometry(r.bar);
    m_query->setGeometry(r.query);
    m_print->setGeometry(r.print);
    m_export->setGeometry(r.save);
    m_close->setGeometry(r.close);
    m_conditionHost->setGeometry(r.conditions);
    m_gridPanel->setGeometry(r.gridPanel);
    m_grid->setGeometry(r.grid);
    m_wait->setGeometry(r.wait);
}
