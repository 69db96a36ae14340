#pragma once
// Fills the search list from an open query: rows of 17 cells, bulls in blue, the age
// filter applied, the window repainted on a time budget while it reads.
#include "registry/model/SearchRules.h"

#include <QColor>
#include <QDate>
#include <QSqlQuery>
#include <functional>

class Grid;

class SearchFill {
public:
    SearchFill(Grid* grid, const QDate& today, bool ageFilter);
    // Reads the query from its current record (already fetched) to the end and appends
    // the rows. Every `budgetMs` the rows read so far go into the grid, `afterBatch` runs
    // and pending window messages are processed once. Throws DbError on a read error;
    // the rows appended until then stay.
    void run(QSqlQuery& q, const std::function<void()>& afterBatch = {});

    static constexpr int kBudgetMs = 50;

private:
    void flush();

    Grid* m_grid;
    QDate m_today;
    bool m_ageFilter;
    SearchRowFormatter m_format;
    QList<QStringList> m_rows;
    QList<QColor> m_colors;
};
