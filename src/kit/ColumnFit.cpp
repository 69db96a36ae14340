#include "kit/ColumnFit.h"

#include "kit/Grid.h"

#include <QHeaderView>
#include <QStyle>
#include <algorithm>

namespace {
// The narrowest text width that shows `header` on at most two lines, split at a blank: the
// blanks inside a header such as "등지방 두    께" decide where it breaks.
int twoLineWidth(const QFontMetrics& fm, const QString& header)
{
    const QString h = header.trimmed();
    int width = fm.horizontalAdvance(h);
    for (int i = 1; i < h.size(); ++i) {
        if (h[i] != u' ' || h[i - 1] == u' ') continue;
        width = std::min(width, std::max(fm.horizontalAdvance(h.left(i)), fm.horizontalAdvance(h.mid(i).trimmed())));
    }
    return width;
}
}  // namespace

int twoLineHeaderWidth(const QHeaderView* header, const QString& text)
{
    // A wrapping header gets no more room than it needs, or the wrap would move a word up a line.
    const int margins = 2 * header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header) + 2;
    return twoLineWidth(header->fontMetrics(), text) + margins;
}

void setColumnChars(Grid* grid, const QList<int>& chars)
{
    for (int c = 0; c < chars.size(); ++c) grid->setColumnWidthChars(c + 1, chars[c]);
}

void fitColumns(Grid* grid, const QStringList& usualCells, const ColumnFit& fit)
{
    QHeaderView* header = grid->horizontalHeader();
    if (fit.twoLineHeaders) {
        // Long headers keep their inner blanks and wrap onto a second line.
        header->setDefaultAlignment(Qt::Alignment(Qt::AlignCenter) | Qt::Alignment(Qt::TextWordWrap));
        header->setTextElideMode(Qt::ElideNone);
        header->setFixedHeight(2 * header->fontMetrics().lineSpacing() + 12);
    }
    // The text margins the item delegate draws on both sides of a cell, and a little air.
    const int cellMargins =
        2 * (grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grid) + 1) + fit.cellAir;
    for (int c = 0; c < grid->maxCols(); ++c) {
        const int forHeader =
            fit.twoLineHeaders ? twoLineHeaderWidth(header, grid->cellText(c + 1, 0)) : header->sectionSizeHint(c);
        const int forCell = grid->fontMetrics().horizontalAdvance(usualCells.value(c)) + cellMargins;
        grid->setColumnWidth(c, std::max(forHeader, forCell));
    }
}
