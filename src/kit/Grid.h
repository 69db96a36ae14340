#pragma once
// The one grid of the program: 1-based columns and rows, row 0 holding the headers,
// a current cell for reads and writes, an active row for commands, and optionally a tick box
// per row in one column. Model/view, so a hundred thousand rows stay cheap. Each column is aligned by what it holds, fitted to its
// texts after a fill, and one column takes the width the others leave.
#include "sheets/model/CellKind.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QHash>
#include <QSet>
#include <QStringList>
#include <QTableView>
#include <vector>

class Grid;

class GridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // `view` answers whether a text fits its column, for the tooltips of cut texts.
    explicit GridModel(Grid* view);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Only the tick of the check column can be set.
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    void setRows(int n);
    void setCols(int n);
    int rows() const { return int(m_cells.size()); }
    int cols() const { return m_cols; }
    // 1-based; row 0 is the header row.
    QString text(int col, int row) const;
    void setText(int col, int row, const QString& text);
    void clearText();
    void setRowColor(int row, const QColor& c);
    QColor rowColor(int row) const;
    // The cells of a data row as stored (shared, not copied); may be shorter than the columns.
    QStringList rowCells(int row) const;
    void setBold(int col, int row, bool bold);
    bool isBold(int col, int row) const;
    // A cell's own background (invalid: the grid's); a mark beside the texts, such as a warning.
    void setBackground(int col, int row, const QColor& c);
    QColor background(int col, int row) const;
    // A cell's own text colour over its row's (invalid: the row's); an overdue count in red.
    void setForeground(int col, int row, const QColor& c);
    QColor foreground(int col, int row) const;
    void setRowHeight(int row, int h);
    int rowHeight(int row) const;
    // Appends rows in one insertion; see Grid::appendRows.
    void appendRows(QList<QStringList>&& rows, const QList<QColor>& colors);
    // What each column holds (1-based), for its alignment.
    void setKinds(const QHash<int, CellKind>& kinds);
    const QHash<int, CellKind>& kinds() const { return m_kinds; }
    // The column (1-based; 0: none) whose cells carry a tick box; a change clears every tick.
    void setCheckColumn(int col);
    int checkColumn() const { return m_checkCol; }
    void setChecked(int row, bool checked);
    bool isChecked(int row) const;
    QList<int> checkedRows() const;

signals:
    // A tick was set or taken away (by the user or a command), or every tick went.
    void checksChanged();

private:
    static quint64 key(int col, int row) { return (quint64(row) << 16) | quint64(col); }
    void setCellColour(QHash<quint64, QRgb>& colours, int col, int row, const QColor& c, int role);
    static QColor cellColour(const QHash<quint64, QRgb>& colours, int col, int row);
    Grid* m_view;
    QHash<int, CellKind> m_kinds;  // by 1-based column
    int m_cols = 0;
    QStringList m_headers;
    std::vector<QStringList> m_cells;
    std::vector<QRgb> m_rowColor;  // 0 = default (black)
    std::vector<quint8> m_rowHeight;
    std::vector<quint8> m_checked;  // by row - 1: a byte a row keeps long lists cheap
    int m_checkCol = 0;
    QSet<quint64> m_bold;
    QHash<quint64, QRgb> m_background;
    QHash<quint64, QRgb> m_foreground;
};

class Grid : public QTableView {
    Q_OBJECT
public:
    explicit Grid(QWidget* parent = nullptr);

    static constexpr int kRowHeight = 18;  // the height every data row gets

    // Row count: setting it adds or removes rows at the end.
    void setMaxRows(int n);
    int maxRows() const;
    void setMaxCols(int n);
    int maxCols() const;
    // Current cell (1-based; row 0 = header row) for text(), setText(), setFontBold().
    void setCol(int col) { m_col = col; }
    void setRow(int row) { m_row = row; }
    int col() const { return m_col; }
    int row() const { return m_row; }
    QString text() const;
    void setText(const QString& text);
    // Height of the current row in the grid's unit (data rows: 18).
    void setRowHeight(int h);
    int rowHeight(int row) const;
    // Empties every cell, keeping the rows.
    void clearText();
    // Selects the block from (col1,row1) to (col2,row2) and makes (col1,row1) active.
    void setSelection(int col1, int row1, int col2, int row2);
    // The row of the cell the user last clicked or moved to; 0 when none.
    int activeRow() const;
    void setActiveCell(int col, int row);
    void setRowForeColor(int row, const QColor& c);
    QColor rowForeColor(int row) const;
    void setFontBold(bool bold);
    bool fontBold() const;
    // The background of cell (col, row), 1-based; an invalid colour gives the cell the grid's.
    // Emptying the grid (clearText, fewer rows) takes the marks away with the texts.
    void setCellBackground(int col, int row, const QColor& c) { m_model->setBackground(col, row, c); }
    QColor cellBackground(int col, int row) const { return m_model->background(col, row); }
    // The text colour of cell (col, row) over its row's; an invalid colour gives it the row's.
    // Emptying the grid takes it away with the texts.
    void setCellForeColor(int col, int row, const QColor& c) { m_model->setForeground(col, row, c); }
    QColor cellForeColor(int col, int row) const { return m_model->foreground(col, row); }

    // A tick box in every data row of column `col` (1-based; 0, the default: none), beside the
    // column's text; clicking it or the space bar on a row ticks or unticks the row. Changing
    // the column, emptying the grid or removing rows takes the ticks away with them.
    void setCheckColumn(int col) { m_model->setCheckColumn(col); }
    int checkColumn() const { return m_model->checkColumn(); }
    void setChecked(int row, bool checked) { m_model->setChecked(row, checked); }
    bool isChecked(int row) const { return m_model->isChecked(row); }
    // The ticked data rows, 1-based, in order.
    QList<int> checkedRows() const { return m_model->checkedRows(); }

    // Direct cell access for loaders and tests (1-based).
    QString cellText(int col, int row) const { return m_model->text(col, row); }
    void setCellText(int col, int row, const QString& t) { m_model->setText(col, row, t); }
    // Header texts of columns 1..n, also setting the column count.
    void setHeaders(const QStringList& headers);
    void setColumnWidthChars(int col, int chars);
    // Appends many rows at the end in one step, for loaders of thousands of rows: each row's
    // cells from column 1, the row height 18 and its text colour (invalid: the default).
    // The same result as appending and filling them one by one, without a signal per cell.
    void appendRows(QList<QStringList>&& rows, const QList<QColor>& colors = {});
    // The cells of data row `row` (1-based) without copying their texts; may be shorter than
    // the columns.
    QStringList rowTexts(int row) const { return m_model->rowCells(row); }
    // What each column holds, from column 1; a column not named here holds Text.
    void setColumnKinds(const QList<CellKind>& kinds);
    void setColumnKind(int col, CellKind kind);
    CellKind columnKind(int col) const;
    // Whether a window named the kind of column `col`.
    bool hasColumnKind(int col) const;

    // Sizes every column to show its header and its texts whole, up to kMaxFitChars wide; run
    // after each fill. Only a sample is measured, so that a list of a hundred thousand rows
    // costs no more than a short one: the first kFitSampleRows rows, those in view and the
    // current row.
    void fitToContents();
    static constexpr int kFitSampleRows = 200;
    static constexpr int kMaxFitChars = 26;  // in Korean characters
    // The column (1-based) that takes the width the others leave; 0, the default: the last
    // Text column, or the last column when none holds text.
    void setStretchColumn(int col);
    int stretchColumn() const;
    // The width of column `col` (1-based) without the spare width it may have taken.
    int ownColumnWidth(int col) const { return m_ownWidth.value(col - 1, columnWidth(col - 1)); }
    // Whether `text` shows whole in column `col` (1-based), in bold or not; a text that does
    // not has itself as its tooltip.
    bool textFits(int col, const QString& text, bool bold = false) const;
    // Whether the header of column `col` shows whole; one that does not has itself as tooltip.
    bool headerFits(int col) const;

signals:
    // The ticks changed (see setCheckColumn).
    void checksChanged();
    // Double-click on a cell: its column and row (row 0 on the column headers, column 0 on the
    // row numbers).
    void dblClick(int col, int row);

protected:
    // The right button (or the menu key) offers to save the list as an Excel or CSV file.
    void contextMenuEvent(QContextMenuEvent* event) override;
    // With a check column the space bar ticks or unticks the current row, whichever cell of it
    // is current.
    void keyPressEvent(QKeyEvent* event) override;
    // The viewport's size changed (the window, or a scroll bar came or went).
    void resizeEvent(QResizeEvent* event) override;

private:
    // Gives the stretch column the width the other columns leave in the viewport, never less
    // than its own fitted width.
    void spreadSpareWidth();
    int cellMargins() const;
    // The room the tick box takes beside a text of the check column.
    int checkBoxWidth() const;
    int headerWidth(int col) const;

    GridModel* m_model;
    int m_col = 1;
    int m_row = 1;
    int m_stretchCol = 0;
    // Each column's width before the spare width was added, by 0-based column: what fitting, a
    // window or the user's drag gave it.
    QHash<int, int> m_ownWidth;
    bool m_settingWidths = false;  // the grid itself resizes columns: no own width changes
};
