#include "registry/SearchFill.h"

#include <QApplication>

SearchFill::SearchFill(const QDate& today, bool ageFilter, Sink sink)
    : m_today(today), m_ageFilter(ageFilter), m_sink(std::move(sink)), m_format(today)
{
}

void SearchFill::add(const QSqlQuery& q)
{
    if (!m_reader) {
        m_reader.emplace(q);
        m_budget.start();
    }
    const AnimalRecord r = m_reader->read(q);
    if (m_ageFilter && skippedByAge(r.개체생일, m_today)) return;
    m_rows.append(m_format.cells(r));
    m_colors.append(searchRowColor(r));
    if (m_budget.elapsed() >= kBudgetMs) {
        // Let the window repaint now and then, not after every row: a hundred thousand
        // rounds of message processing would cost more than the reading.
        flush();
        QApplication::processEvents();
        m_budget.restart();
    }
}

void SearchFill::flush()
{
    if (m_rows.isEmpty()) return;
    m_sink(std::move(m_rows), m_colors);
    m_rows = {};
    m_colors.clear();
}
