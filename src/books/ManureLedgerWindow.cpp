#include "books/ManureLedgerWindow.h"

#include "books/ManureEntryDialog.h"
#include "books/model/ManureLedger.h"
#include "data/Db.h"
#include "history/model/HistoryRules.h"
#include "kit/Accessibility.h"
#include "kit/CommandButton.h"
#include "kit/DbMessages.h"
#include "kit/Messages.h"

#include <QDateEdit>
#include <QHeaderView>
#include <QPushButton>
#include <QScrollBar>

namespace {
constexpr int kButtonGapPx = 6;
// The grid's own height: about twenty-five entries.
constexpr int kGridHeightPx = 540;

// The entry commands sit at the left of the button bar, in slots 0, 1, 2.
QPushButton* ledgerButton(QWidget* bar, int slot, const QString& name, const QString& caption)
{
    QPushButton* b = commandButton(name, caption, bar, ButtonLook::Bar);
    b->move(8 + slot * (kBarButtonWidthPx + kButtonGapPx), (bar->height() - kBarButtonHeightPx) / 2);
    return b;
}
}  // namespace

ManureLedgerWindow::ManureLedgerWindow(QWidget* parent) : PeriodBookWindow(books::manureLedger(), parent)
{
    QWidget* bar = buttonBar();
    m_insert = ledgerButton(bar, 0, QStringLiteral("cmdInsert"), QStringLiteral("신규등록"));
    m_update = ledgerButton(bar, 1, QStringLiteral("cmdUpate"), QStringLiteral("수 정"));
    m_delete = ledgerButton(bar, 2, QStringLiteral("cmdDelete"), QStringLiteral("삭 제"));
    connect(m_insert, &QPushButton::clicked, this, [this] { insertEntry(); });
    connect(m_update, &QPushButton::clicked, this, [this] { changeEntry(); });
    connect(m_delete, &QPushButton::clicked, this, [this] { deleteEntry(); });
    // A double click on a header is no row.
    connect(grid(), &Grid::dblClick, this, [this](int, int row) {
        if (row >= 1) changeEntry();
    });

    setTabOrder(endDate(), m_insert);
    setTabOrder(m_insert, m_update);
    setTabOrder(m_update, m_delete);
    tabToFrameAfter(m_delete);

    // The grid is as wide as its seven columns and keeps its size when the window is resized.
    const Grid* g = grid();
    int width =
        g->verticalHeader()->sizeHint().width() + g->verticalScrollBar()->sizeHint().width() + 2 * g->frameWidth();
    for (int c = 1; c <= g->maxCols(); ++c) width += g->ownColumnWidth(c);
    keepGridSize(QSize(width, kGridHeightPx));
}

void ManureLedgerWindow::insertEntry()
{
    ManureEntryDialog dialog(*this);
    dialog.exec();
}

int ManureLedgerWindow::selectedRow() const
{
    const int row = grid()->activeRow();
    return rowCount() > 0 && row >= 1 && row <= rowCount() ? row : 0;
}

void ManureLedgerWindow::changeEntry()
{
    const int row = selectedRow();
    if (row == 0) return;
    grid()->setRow(row);
    ManureEntryDialog dialog(*this, rowKey(row), row);
    dialog.exec();
}

void ManureLedgerWindow::deleteEntry()
{
    const int row = selectedRow();
    if (row == 0) return;
    if (showMessage(this, MsgIcon::Question, QStringLiteral("삭제"),
                    QStringLiteral("선택하신 축산분뇨 관리대장을 삭제하시겠습니까?"),
                    MsgButton::Yes | MsgButton::No) != MsgButton::Yes)
        return;
    try {
        const BoundStatement s = books::manure::deleteStatement(rowKey(row));
        execStatement(s.sql, s.binds);
    } catch (const DbError& e) {
        showPlainError(this, e);
        return;
    }
    query();
}

QList<QDate> ManureLedgerWindow::listedDates() const
{
    QList<QDate> dates;
    dates.reserve(rowCount());
    for (int r = 1; r <= rowCount(); ++r) dates << entry::cellDate(grid()->cellText(1, r));
    return dates;
}

void ManureLedgerWindow::appendEntry(qint64 rowId, const QStringList& cells)
{
    const int row = appendRow();
    setRowKey(row, rowId);
    Grid* g = grid();
    g->setSelection(1, row, g->maxCols(), row);
    rewriteRow(row, cells);
    g->scrollTo(g->model()->index(row - 1, 0));
}

void ManureLedgerWindow::rewriteRow(int row, const QStringList& cells)
{
    for (int c = 0; c < cells.size(); ++c) writeCell(c + 1, row, cells[c]);
    grid()->fitToContents();
}
