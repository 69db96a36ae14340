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
        // Bulls in blue, cows in the default black.
        m_colors.append(isBullRow(r) ? QColor(0, 0, 255) : QColor());
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
    m_grid->appendRows(std::move(m_rows), m_colors);
    m_rows = {};
    m_colors.clear();
}
