#include "kit/Grid.h"

#include "kit/ColumnFit.h"
#include "kit/GridExport.h"

#include <QContextMenuEvent>
#include <QFont>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QScopedValueRollback>
#include <QStyle>
#include <algorithm>
#include <utility>

namespace {
// Numbers to the right and dates centred, as the printed reports have them; text to the left.
Qt::Alignment alignmentOf(CellKind kind)
{
    switch (kind) {
    case CellKind::Number: return Qt::AlignRight | Qt::AlignVCenter;
    case CellKind::Date: return Qt::AlignCenter;
    case CellKind::Text: break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

// Pixels beside a cell's text over the item's own margins, and the grid line.
constexpr int kCellAirPx = 8;
}  // namespace

GridModel::GridModel(Grid* view) : QAbstractTableModel(view), m_view(view) {}

int GridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : rows();
}
int GridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_cols;
}

QVariant GridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid()) return {};
    const int r = index.row(), c = index.column();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole: {
        const QStringList& row = m_cells[size_t(r)];
        return c < row.size() ? row[c] : QString();
    }
    case Qt::TextAlignmentRole: return QVariant::fromValue(alignmentOf(m_kinds.value(c + 1, CellKind::Text)));
    case Qt::ToolTipRole: {
        // Asked only while the pointer rests on a cell: measuring here costs nothing.
        const QStringList& row = m_cells[size_t(r)];
        const QString text = c < row.size() ? row[c] : QString();
        if (text.isEmpty() || m_view->textFits(c + 1, text, isBold(c + 1, r + 1))) return {};
        return text;
    }
    case Qt::ForegroundRole:
        if (const QColor own = foreground(c + 1, r + 1); own.isValid()) return own;
        if (m_rowColor[size_t(r)]) return QColor::fromRgb(m_rowColor[size_t(r)]);
        return {};
    case Qt::BackgroundRole:
        if (const QColor own = background(c + 1, r + 1); own.isValid()) return own;
        return {};
    case Qt::CheckStateRole:
        if (c + 1 != m_checkCol) return {};
        return m_checked[size_t(r)] ? Qt::Checked : Qt::Unchecked;
    case Qt::FontRole:
        if (!m_bold.isEmpty() && m_bold.contains(key(c + 1, r + 1))) {
            QFont f;
            f.setBold(true);
            return f;
        }
        return {};
    default: return {};
    }
}

QVariant GridModel::headerData(int section, Qt::Orientation o, int role) const
{
    if (role == Qt::ToolTipRole && o == Qt::Horizontal && section < m_headers.size()) {
        // A header wider than the widest column a fit gives.
        const QString header = m_headers[section].simplified();
        return header.isEmpty() || m_view->headerFits(section + 1) ? QVariant() : QVariant(header);
    }
    if (role != Qt::DisplayRole) return {};
    if (o == Qt::Horizontal) return section < m_headers.size() ? m_headers[section] : QString();
    return section + 1;
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.isValid() && index.column() + 1 == m_checkCol) f |= Qt::ItemIsUserCheckable;
    return f;
}

bool GridModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || role != Qt::CheckStateRole || index.column() + 1 != m_checkCol) return false;
    setChecked(index.row() + 1, value.value<Qt::CheckState>() == Qt::Checked);
    return true;
}

void GridModel::setCheckColumn(int col)
{
    col = std::clamp(col, 0, std::max(0, m_cols));
    const bool hadTicks = std::find(m_checked.begin(), m_checked.end(), quint8(1)) != m_checked.end();
    std::fill(m_checked.begin(), m_checked.end(), quint8(0));
    const int old = std::exchange(m_checkCol, col);
    // The flags and tick states of the old and the new column changed; the views ask again.
    if (rows() > 0)
        for (int c : {old, col})
            if (c > 0) emit dataChanged(index(0, c - 1), index(rows() - 1, c - 1), {Qt::CheckStateRole});
    if (hadTicks) emit checksChanged();
}

void GridModel::setChecked(int row, bool checked)
{
    if (m_checkCol == 0 || row < 1 || row > rows() || bool(m_checked[size_t(row - 1)]) == checked) return;
    m_checked[size_t(row - 1)] = checked ? 1 : 0;
    const QModelIndex i = index(row - 1, m_checkCol - 1);
    emit dataChanged(i, i, {Qt::CheckStateRole});
    emit checksChanged();
}

bool GridModel::isChecked(int row) const
{
    return m_checkCol > 0 && row >= 1 && row <= rows() && m_checked[size_t(row - 1)];
}

QList<int> GridModel::checkedRows() const
{
    QList<int> out;
    if (m_checkCol == 0) return out;
    for (size_t r = 0; r < m_checked.size(); ++r)
        if (m_checked[r]) out << int(r) + 1;
    return out;
}

void GridModel::setRows(int n)
{
    n = std::max(0, n);
    const int old = rows();
    if (n == old) return;
    if (n > old) {
        beginInsertRows({}, old, n - 1);
        m_cells.resize(size_t(n));
        m_rowColor.resize(size_t(n), 0);
        m_rowHeight.resize(size_t(n), quint8(Grid::kRowHeight));
        m_checked.resize(size_t(n), 0);
        endInsertRows();
    } else {
        const bool ticksGo = std::find(m_checked.begin() + n, m_checked.end(), quint8(1)) != m_checked.end();
        beginRemoveRows({}, n, old - 1);
        m_cells.resize(size_t(n));
        m_rowColor.resize(size_t(n));
        m_rowHeight.resize(size_t(n));
        m_checked.resize(size_t(n));
        if (!m_bold.isEmpty()) {
            for (auto it = m_bold.begin(); it != m_bold.end();)
                it = int(*it >> 16) > n ? m_bold.erase(it) : std::next(it);
        }
        for (QHash<quint64, QRgb>* colours : {&m_background, &m_foreground})
            for (auto it = colours->begin(); it != colours->end();)
                it = int(it.key() >> 16) > n ? colours->erase(it) : std::next(it);
        endRemoveRows();
        if (ticksGo) emit checksChanged();
    }
}

void GridModel::setCols(int n)
{
    n = std::max(0, n);
    if (n == m_cols) return;
    beginResetModel();
    m_cols = n;
    while (m_headers.size() < n) m_headers << QString();
    endResetModel();
}

QString GridModel::text(int col, int row) const
{
    if (col < 1 || col > m_cols) return {};
    if (row == 0) return col <= m_headers.size() ? m_headers[col - 1] : QString();
    if (row < 1 || row > rows()) return {};
    const QStringList& r = m_cells[size_t(row - 1)];
    return col <= r.size() ? r[col - 1] : QString();
}

void GridModel::setText(int col, int row, const QString& text)
{
    if (col < 1 || col > m_cols) return;
    if (row == 0) {
        m_headers[col - 1] = text;
        emit headerDataChanged(Qt::Horizontal, col - 1, col - 1);
        return;
    }
    if (row < 1 || row > rows()) return;
    QStringList& r = m_cells[size_t(row - 1)];
    if (r.size() < m_cols) r.resize(m_cols);
    r[col - 1] = text;
    const QModelIndex i = index(row - 1, col - 1);
    emit dataChanged(i, i, {Qt::DisplayRole});
}

void GridModel::clearText()
{
    for (QStringList& r : m_cells) r.clear();
    m_bold.clear();
    m_background.clear();
    m_foreground.clear();
    std::fill(m_rowColor.begin(), m_rowColor.end(), 0);
    const bool hadTicks = std::find(m_checked.begin(), m_checked.end(), quint8(1)) != m_checked.end();
    std::fill(m_checked.begin(), m_checked.end(), quint8(0));
    if (rows() > 0 && m_cols > 0) emit dataChanged(index(0, 0), index(rows() - 1, m_cols - 1));
    if (hadTicks) emit checksChanged();
}

void GridModel::setRowColor(int row, const QColor& c)
{
    if (row < 1 || row > rows()) return;
    m_rowColor[size_t(row - 1)] = c == QColor(Qt::black) ? 0 : (c.rgb() | 0xff000000u);
    if (m_cols > 0) emit dataChanged(index(row - 1, 0), index(row - 1, m_cols - 1), {Qt::ForegroundRole});
}

QColor GridModel::rowColor(int row) const
{
    if (row < 1 || row > rows() || !m_rowColor[size_t(row - 1)]) return QColor(Qt::black);
    return QColor::fromRgb(m_rowColor[size_t(row - 1)]);
}

QStringList GridModel::rowCells(int row) const
{
    if (row < 1 || row > rows()) return {};
    return m_cells[size_t(row - 1)];
}

void GridModel::setBold(int col, int row, bool bold)
{
    if (col < 1 || col > m_cols || row < 1 || row > rows()) return;
    if (bold)
        m_bold.insert(key(col, row));
    else
        m_bold.remove(key(col, row));
    const QModelIndex i = index(row - 1, col - 1);
    emit dataChanged(i, i, {Qt::FontRole});
}

bool GridModel::isBold(int col, int row) const
{
    return m_bold.contains(key(col, row));
}

void GridModel::setCellColour(QHash<quint64, QRgb>& colours, int col, int row, const QColor& c, int role)
{
    if (col < 1 || col > m_cols || row < 1 || row > rows()) return;
    if (c.isValid())
        colours.insert(key(col, row), c.rgb() | 0xff000000u);
    else
        colours.remove(key(col, row));
    const QModelIndex i = index(row - 1, col - 1);
    emit dataChanged(i, i, {role});
}

void GridModel::setBackground(int col, int row, const QColor& c)
{
    setCellColour(m_background, col, row, c, Qt::BackgroundRole);
}

QColor GridModel::cellColour(const QHash<quint64, QRgb>& colours, int col, int row)
{
    if (colours.isEmpty()) return {};
    const auto it = colours.find(key(col, row));
    return it == colours.end() ? QColor() : QColor::fromRgb(*it);
}

QColor GridModel::background(int col, int row) const
{
    return cellColour(m_background, col, row);
}

void GridModel::setForeground(int col, int row, const QColor& c)
{
    setCellColour(m_foreground, col, row, c, Qt::ForegroundRole);
}

QColor GridModel::foreground(int col, int row) const
{
    return cellColour(m_foreground, col, row);
}

void GridModel::setRowHeight(int row, int h)
{
    if (row < 1 || row > rows()) return;
    m_rowHeight[size_t(row - 1)] = quint8(std::clamp(h, 0, 255));
}

int GridModel::rowHeight(int row) const
{
    if (row < 1 || row > rows()) return 0;
    return m_rowHeight[size_t(row - 1)];
}

void GridModel::setKinds(const QHash<int, CellKind>& kinds)
{
    m_kinds = kinds;
    if (rows() > 0 && m_cols > 0) emit dataChanged(index(0, 0), index(rows() - 1, m_cols - 1), {Qt::TextAlignmentRole});
}

void GridModel::appendRows(QList<QStringList>&& rows, const QList<QColor>& colors)
{
    if (rows.isEmpty()) return;
    const int old = this->rows();
    const int n = int(rows.size());
    beginInsertRows({}, old, old + n - 1);
    for (int i = 0; i < n; ++i) {
        QStringList& r = rows[i];
        if (r.size() > m_cols) r.resize(m_cols);
        m_cells.push_back(std::move(r));
        const QColor c = i < colors.size() ? colors[i] : QColor();
        m_rowColor.push_back(!c.isValid() || c == QColor(Qt::black) ? 0 : (c.rgb() | 0xff000000u));
        m_rowHeight.push_back(quint8(Grid::kRowHeight));
        m_checked.push_back(0);
    }
    endInsertRows();
}

Grid::Grid(QWidget* parent) : QTableView(parent), m_model(new GridModel(this))
{
    setModel(m_model);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setAlternatingRowColors(true);
    setWordWrap(false);
    // One fixed height for every row keeps appending and scrolling cheap.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(kRowHeight + 6);
    verticalHeader()->setMinimumSectionSize(kRowHeight);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setDefaultSectionSize(100);
    connect(this, &QTableView::doubleClicked, this,
            [this](const QModelIndex& i) { emit dblClick(i.column() + 1, i.row() + 1); });
    connect(m_model, &GridModel::checksChanged, this, &Grid::checksChanged);
    connect(horizontalHeader(), &QHeaderView::sectionDoubleClicked, this,
            [this](int section) { emit dblClick(section + 1, 0); });
    // The row numbers are a header too: column 0.
    connect(verticalHeader(), &QHeaderView::sectionDoubleClicked, this,
            [this](int section) { emit dblClick(0, section + 1); });
    // A width given by a window or dragged by the user is the column's own; the spare width
    // is added on top of it.
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this](int section, int, int size) {
        if (m_settingWidths) return;
        m_ownWidth.insert(section, size);
        spreadSpareWidth();
    });
    // New columns start from the default width.
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] {
        m_ownWidth.clear();
        spreadSpareWidth();
    });
}

void Grid::setMaxRows(int n)
{
    m_model->setRows(n);
}
int Grid::maxRows() const
{
    return m_model->rows();
}
void Grid::setMaxCols(int n)
{
    m_model->setCols(n);
}
int Grid::maxCols() const
{
    return m_model->cols();
}
QString Grid::text() const
{
    return m_model->text(m_col, m_row);
}
void Grid::setText(const QString& text)
{
    m_model->setText(m_col, m_row, text);
}
void Grid::setRowHeight(int h)
{
    m_model->setRowHeight(m_row, h);
}
int Grid::rowHeight(int row) const
{
    return m_model->rowHeight(row);
}
void Grid::clearText()
{
    m_model->clearText();
}

void Grid::setSelection(int col1, int row1, int col2, int row2)
{
    if (row1 < 1 || row1 > maxRows()) return;
    const int c1 = std::clamp(col1, 1, std::max(1, maxCols()));
    const int c2 = std::clamp(col2, 1, std::max(1, maxCols()));
    const int r2 = std::clamp(row2, row1, maxRows());
    setCurrentIndex(m_model->index(row1 - 1, c1 - 1));
    selectionModel()->select(QItemSelection(m_model->index(row1 - 1, c1 - 1), m_model->index(r2 - 1, c2 - 1)),
                             QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

int Grid::activeRow() const
{
    const QModelIndex i = currentIndex();
    return i.isValid() ? i.row() + 1 : 0;
}

void Grid::setActiveCell(int col, int row)
{
    if (row < 1 || row > maxRows() || col < 1 || col > maxCols()) return;
    setCurrentIndex(m_model->index(row - 1, col - 1));
}

void Grid::setRowForeColor(int row, const QColor& c)
{
    m_model->setRowColor(row, c);
}
QColor Grid::rowForeColor(int row) const
{
    return m_model->rowColor(row);
}
void Grid::setFontBold(bool bold)
{
    m_model->setBold(m_col, m_row, bold);
}
bool Grid::fontBold() const
{
    return m_model->isBold(m_col, m_row);
}

void Grid::setHeaders(const QStringList& headers)
{
    setMaxCols(int(headers.size()));
    for (int i = 0; i < headers.size(); ++i) m_model->setText(i + 1, 0, headers[i]);
}

void Grid::setColumnKinds(const QList<CellKind>& kinds)
{
    QHash<int, CellKind> byColumn;
    for (int c = 0; c < kinds.size(); ++c) byColumn.insert(c + 1, kinds[c]);
    m_model->setKinds(byColumn);
    spreadSpareWidth();
}

void Grid::setColumnKind(int col, CellKind kind)
{
    if (col < 1) return;
    QHash<int, CellKind> kinds = m_model->kinds();
    kinds.insert(col, kind);
    m_model->setKinds(kinds);
    spreadSpareWidth();
}

CellKind Grid::columnKind(int col) const
{
    return m_model->kinds().value(col, CellKind::Text);
}

bool Grid::hasColumnKind(int col) const
{
    return m_model->kinds().contains(col);
}

void Grid::setStretchColumn(int col)
{
    m_stretchCol = std::max(0, col);
    spreadSpareWidth();
}

int Grid::stretchColumn() const
{
    const int n = maxCols();
    if (m_stretchCol >= 1 && m_stretchCol <= n) return m_stretchCol;
    for (int c = n; c >= 1; --c)
        if (columnKind(c) == CellKind::Text && !isColumnHidden(c - 1)) return c;
    return n;
}

int Grid::cellMargins() const
{
    // The text margins the item delegate draws on both sides of a cell.
    return 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1) + kCellAirPx;
}

int Grid::checkBoxWidth() const
{
    return style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, this) +
           2 * style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 4;
}

int Grid::headerWidth(int col) const
{
    const QHeaderView* header = horizontalHeader();
    // A header that wraps (see ColumnFit) needs room for its longer line only.
    if (header->defaultAlignment() & Qt::TextWordWrap) return twoLineHeaderWidth(header, cellText(col, 0));
    return header->sectionSizeHint(col - 1);
}

bool Grid::headerFits(int col) const
{
    return col < 1 || col > maxCols() || headerWidth(col) <= columnWidth(col - 1);
}

bool Grid::textFits(int col, const QString& text, bool bold) const
{
    if (col < 1 || col > maxCols()) return true;
    QFont f = font();
    f.setBold(bold);
    const int box = col == checkColumn() ? checkBoxWidth() : 0;
    return QFontMetrics(f).horizontalAdvance(text) + cellMargins() + box <= columnWidth(col - 1);
}

void Grid::fitToContents()
{
    const int cols = maxCols(), rows = maxRows();
    if (cols == 0) return;
    // The rows measured: the first ones, those in view and the current one, each once.
    QList<int> sample;
    const int first = std::min(rows, kFitSampleRows);
    for (int r = 1; r <= first; ++r) sample << r;
    if (rows > first) {
        const int shownTop = std::max(rowAt(0) + 1, 1);
        const int top = std::max(shownTop, first + 1);
        int bottom = rowAt(viewport()->height() - 1) + 1;
        // Below the last row, or a viewport not laid out yet: as many rows as the height holds,
        // never every row of a long list.
        if (bottom <= 0)
            bottom = std::min(rows, shownTop + viewport()->height() / std::max(1, rowHeight(shownTop)) + 1);
        for (int r = top; r <= bottom && r <= rows; ++r) sample << r;
        if (m_row > bottom && m_row <= rows) sample << m_row;
    }
    QFont boldFont = font();
    boldFont.setBold(true);
    const QFontMetrics plain = fontMetrics(), bold(boldFont);
    const int margins = cellMargins();
    const int widest = plain.horizontalAdvance(QChar(u'가')) * kMaxFitChars + margins;
    QList<int> widths(cols, 0);
    // Lists repeat their dates, names and words: each text is measured once.
    QHash<QString, int> measured;
    for (int r : std::as_const(sample)) {
        const QStringList cells = m_model->rowCells(r);
        for (int c = 0; c < cells.size() && c < cols; ++c) {
            const QString& text = cells[c];
            if (text.isEmpty()) continue;
            int width = 0;
            if (m_model->isBold(c + 1, r)) {
                width = bold.horizontalAdvance(text);
            } else {
                auto known = measured.constFind(text);
                if (known == measured.cend()) known = measured.insert(text, plain.horizontalAdvance(text));
                width = *known;
            }
            widths[c] = std::max(widths[c], width);
        }
    }
    {
        const QScopedValueRollback quiet(m_settingWidths, true);
        for (int c = 0; c < cols; ++c) {
            const int box = c + 1 == checkColumn() ? checkBoxWidth() : 0;
            const int cell = widths[c] > 0 || box > 0 ? widths[c] + margins + box : 0;
            const int width = std::clamp(std::max(headerWidth(c + 1), cell), horizontalHeader()->minimumSectionSize(),
                                         std::max(widest, horizontalHeader()->minimumSectionSize()));
            m_ownWidth.insert(c, width);
            setColumnWidth(c, width);
        }
    }
    spreadSpareWidth();
}

void Grid::spreadSpareWidth()
{
    const int n = maxCols();
    if (n == 0 || m_settingWidths) return;
    const QScopedValueRollback quiet(m_settingWidths, true);
    const int stretch = stretchColumn() - 1;
    int others = 0;
    for (int c = 0; c < n; ++c) {
        if (c == stretch || isColumnHidden(c)) continue;
        // A column that took the spare width before the stretch column changed gives it back.
        if (const auto own = m_ownWidth.constFind(c); own != m_ownWidth.cend() && *own != columnWidth(c))
            setColumnWidth(c, *own);
        others += columnWidth(c);
    }
    if (isColumnHidden(stretch)) return;
    const int width = std::max(m_ownWidth.value(stretch, columnWidth(stretch)), viewport()->width() - others);
    if (width != columnWidth(stretch)) setColumnWidth(stretch, width);
}

void Grid::resizeEvent(QResizeEvent* event)
{
    QTableView::resizeEvent(event);
    spreadSpareWidth();
}

void Grid::appendRows(QList<QStringList>&& rows, const QList<QColor>& colors)
{
    m_model->appendRows(std::move(rows), colors);
}

void Grid::setColumnWidthChars(int col, int chars)
{
    setColumnWidth(col - 1, fontMetrics().horizontalAdvance(QChar(u'가')) * chars + 12);
}

void Grid::keyPressEvent(QKeyEvent* event)
{
    if (checkColumn() > 0 && event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier) {
        if (const int row = activeRow(); row > 0) setChecked(row, !isChecked(row));
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void Grid::contextMenuEvent(QContextMenuEvent* event)
{
    // One menu per grid, kept: its entries run the save while the menu has just closed.
    auto* menu = findChild<QMenu*>(QStringLiteral("mnuGridExport"), Qt::FindDirectChildrenOnly);
    if (!menu) menu = makeGridExportMenu(this, this);
    menu->popup(event->globalPos());
    event->accept();
}
