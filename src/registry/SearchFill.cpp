#include "registry/SearchFill.h"

#include "app/Grid.h"
#include "data/Db.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QSqlError>

SearchFill::SearchFill(Grid* grid, const QDate& today, bool ageFilter)
    : m_grid(grid), m_today(today), m_ageFilter(ageFilter), m_format(today)
{
}

void SearchFill::run(QSqlQuery& q, const std::function<void()>& afterBatch)
{
    const AnimalRecordReader reader(q);
    QElapsedTimer budget;
    budget.start();
    do {
        const AnimalRecord r = reader.read(q);
        if (m_ageFilter && skippedByAge(r.개체생일, m_today)) continue;
        m_rows.append(m_format.cells(r));
        m_bull.append(isBullRow(r));
        if (budget.elapsed() >= kBudgetMs) {
            // Let the window repaint now and then, not after every row: a hundred
            // thousand rounds of message processing would cost more than the reading.
            flush();
            if (afterBatch) afterBatch();
            QApplication::processEvents();
            budget.restart();
        }
    } while (q.next());
    const QSqlError err = q.lastError();
    flush();
    if (afterBatch) afterBatch();
    if (err.isValid()) throw DbError(err);
}

void SearchFill::flush()
{
    if (m_rows.isEmpty()) return;
    const int first = m_grid->maxRows() + 1;
    m_grid->setMaxRows(first - 1 + int(m_rows.size()));
    for (int i = 0; i < m_rows.size(); ++i) {
        const int row = first + i;
        m_grid->setRow(row);
        m_grid->setRowHeight(Grid::kRowHeight);
        const QStringList& cells = m_rows[i];
        for (int c = 0; c < cells.size(); ++c) m_grid->setCellText(c + 1, row, cells[c]);
        if (m_bull[i]) m_grid->setRowForeColor(row, QColor(0, 0, 255));
    }
    m_rows.clear();
    m_bull.clear();
}
