#pragma once
// Turns the records of a search into list rows through the list's row formatter, the age
// filter applied. The rows are handed over in batches on a time budget, so that the window is
// repainted now and then while a long list is read.
#include "registry/model/SearchRules.h"

#include <QColor>
#include <QDate>
#include <QElapsedTimer>
#include <QSqlQuery>
#include <functional>
#include <optional>

class SearchFill {
public:
    // Receives each batch of rows with their text colours.
    using Sink = std::function<void(QList<QStringList>&& rows, const QList<QColor>& colors)>;

    SearchFill(const QDate& today, bool ageFilter, Sink sink);
    // Adds the query's current record. Every `kBudgetMs` the rows gathered so far go to the
    // sink and pending window messages are processed once.
    void add(const QSqlQuery& q);
    // Hands the rows not yet handed over to the sink.
    void flush();

    static constexpr int kBudgetMs = 50;

private:
    QDate m_today;
    bool m_ageFilter;
    Sink m_sink;
    SearchRowFormatter m_format;
    std::optional<AnimalRecordReader> m_reader;  // column positions, found on the first record
    QElapsedTimer m_budget;
    QList<QStringList> m_rows;
    QList<QColor> m_colors;
};
