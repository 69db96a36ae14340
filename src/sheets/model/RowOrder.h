#pragma once
// The order a click on a column header puts a shown table's rows in: figures by their value,
// texts in the language's order, empty cells last either way; a percentage ("12.5%") by its figure.
#include "sheets/model/CellKind.h"

#include <QList>
#include <QStringList>
#include <Qt>
#include <vector>

// The positions of rows 0..count-1 of `rows` ordered by `column` (1-based) of kind `kind`; equal
// cells keep their order. Rows from `count` on are not ordered (a total line stays last).
std::vector<qsizetype> sortedRowOrder(const QList<QStringList>& rows, qsizetype count, int column, CellKind kind,
                                      Qt::SortOrder order);
