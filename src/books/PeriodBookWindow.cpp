#include "books/PeriodBookWindow.h"

#include "data/Clock.h"
#include "data/Globals.h"
#include "kit/Accessibility.h"
#include "kit/ColumnFit.h"
#include "kit/DateEdit.h"
#include "kit/GridExport.h"
#include "kit/Styles.h"

#include <QCoreApplication>
#include <QDateEdit>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <utility>

namespace {
// How long rows are gathered before they go to the grid and the window may repaint: often
// enough to stay responsive, rarely enough that a year of records is not slowed down.
constexpr int kBatchMs = 50;
constexpr int kConditionsHeightPx = 66;

}  // namespace

PeriodBookWindow::PeriodBookWindow(const books::BookSpec& book, QWidget* parent)
    : ListWindow(book.name, book.caption, book.printCaption, parent),
      m_book(book),
      m_period(book.criterion, conditionHost())
{
    buildSearchFrame();
    placeConditionsAbove(kConditionsHeightPx);
    setBarHeight(48);
    setColumns();
    resize(1180, 700);
    // A saved book names its period: "교배기록부 2026-01-01~2026-12-10".
    setExportName(grid(), [this] { return m_book.name + u' ' + m_period.listedText(); });

    // Load: an empty list, the connection, the period, the farm header; no query yet.
    if (!openConnection()) return;  // the program has ended
    const QDate now = today();
    setPeriod(m_book.openingStart ? m_book.openingStart(now) : now, now);
    loadFarmHeader();
}

void PeriodBookWindow::buildSearchFrame()
{
    QWidget* host = conditionHost();
    m_note = new QLabel(m_book.note, host);
    nameControl(m_note, QStringLiteral("Label2"), m_book.note);
    m_note->setStyleSheet(styles::note());

    auto* band = new QHBoxLayout(host);
    band->setContentsMargins(8, 4, 8, 0);
    band->setSpacing(16);
    band->addWidget(m_period.frame());
    band->addWidget(m_note, 0, Qt::AlignBottom);
    band->addStretch(1);

    // The period first, then the frame's buttons and the list.
    setTabOrder(m_period.start(), m_period.end());
    tabToFrameAfter(m_period.end());
}

void PeriodBookWindow::setColumns()
{
    Grid* g = grid();
    g->setHeaders(m_book.headers);
    g->setColumnKinds(m_book.kinds);
    g->setStretchColumn(m_book.stretchColumn);
    setListName(m_book.previewTitle);
    ::fitColumns(grid(), m_book.usualCells, {.cellAir = 14, .twoLineHeaders = true});
}

books::Period PeriodBookWindow::period() const
{
    return books::periodOf(m_period.startDate(), m_period.endDate());
}

void PeriodBookWindow::setPeriod(const QDate& start, const QDate& end)
{
    m_period.setPeriod(start, end);
}

void PeriodBookWindow::query()
{
    // The rows of a running query are still gathered here.
    if (isQuerying()) return;
    if (!typedDatesTaken(this)) return;
    const books::Period p = period();
    m_period.markListed();
    QElapsedTimer budget;
    auto handOver = [this] {
        if (!m_pending.isEmpty()) appendRows(std::exchange(m_pending, {}), {});
    };
    ListQuery lq;
    lq.waitText = m_book.waitText;
    lq.sql = m_book.sql;
    lq.binds = {p.from, p.to};
    lq.notFoundText = m_book.notFoundText;
    lq.eachRecord = [this, &budget, &handOver](const QSqlQuery& q) {
        if (!budget.isValid()) budget.start();
        if (m_book.rowKey) setRowKey(rowCount() + int(m_pending.size()) + 1, m_book.rowKey(q));
        m_pending.append(m_book.row(q));
        if (budget.elapsed() >= kBatchMs) {
            handOver();
            QCoreApplication::processEvents();
            budget.restart();
        }
    };
    // Also after an unreadable record: the rows before it stay.
    lq.afterRecords = handOver;
    m_pending.clear();
    runListQuery(lq);
}

qint64 PeriodBookWindow::rowKey(int row) const
{
    return row >= 1 && row <= rowCount() ? m_keys.value(row - 1) : 0;
}

void PeriodBookWindow::setRowKey(int row, qint64 key)
{
    if (row < 1) return;
    if (m_keys.size() < row) m_keys.resize(row);
    m_keys[row - 1] = key;
}

ListPrint PeriodBookWindow::printSpec() const
{
    ListPrint p;
    p.nothingMessage = m_book.nothingMessage;
    p.question = m_book.question;
    p.reportFile = m_book.reportFile;
    p.previewTitle = m_book.previewTitle;
    p.workTable = m_book.workTable;
    p.columns = m_book.columns;
    if (m_book.tableRow) p.tableRow = m_book.tableRow;
    // The name read from 농장정보 when the window opened.
    p.formulas = [] { return books::farmNameFormula(farmHeader().name); };
    return p;
}

void PeriodBookWindow::print()
{
    printList(*this, printSpec());
}
