#pragma once
// How a grid's columns get their widths.
#include <QList>
#include <QStringList>

class Grid;
class QHeaderView;

// Columns 1, 2, ... as wide as `chars[0]`, `chars[1]`, ... Korean characters.
void setColumnChars(Grid* grid, const QList<int>& chars);

struct ColumnFit {
    int cellAir = 6;              // pixels beside a usual cell's text, over the item's own margins
    bool twoLineHeaders = false;  // long headers wrap at their blanks onto a second line
};
// Widens every column to show its header and its usual cell text (`usualCells`, by column from 0)
// whole: the widths of an empty list, until a fill sizes the columns to what it brought
// (Grid::fitToContents).
void fitColumns(Grid* grid, const QStringList& usualCells, const ColumnFit& fit = {});

// The section width that shows `header` on at most two lines, split at a blank.
int twoLineHeaderWidth(const QHeaderView* header, const QString& text);
