#pragma once
// Small readers the tests of every area share.
#include <QRectF>
#include <QString>
#include <QStringList>
#include <Qt>
#include <iosfwd>

class Grid;
namespace report {
class Formulas;
// Readable failures: a report's formulas as name = "value" lines.
void PrintTo(const Formulas& formulas, std::ostream* os);
}  // namespace report
class QWidget;

// Readable failures for Korean texts: a QString as "text".
void PrintTo(const QString& s, std::ostream* os);
// The permission bits of a file or folder (07777), -1 when it cannot be read.
int fileModeOf(const QString& path);

// Text of a PDF page by page, through pdftotext -layout (empty when it cannot be read).
QStringList pdfPages(const QString& pdfFile);
// The whole text of a PDF.
QString pdfText(const QString& pdfFile);
// The text printed inside `mm` (millimetres from the paper's top-left corner) on page `page`
// (1-based) of a PDF, in reading order.
QString pdfTextIn(const QString& pdfFile, int page, const QRectF& mm);
// Cells 1..columns of a grid row as shown (columns 0: every column of the grid).
QStringList gridRow(const Grid* grid, int row, int columns = 0);
// One column of a grid, rows 1..maxRows.
QStringList gridColumn(const Grid* grid, int col);
// The list grid ("SS") of a list window, as automation finds it; null when it has none.
Grid* listGrid(const QWidget* window);
// The cells of a grid's data rows that do not show whole, as "header: text" (the item
// delegate's own measure of each text against its column).
QStringList cutCells(const Grid* grid);
// Pixels between the right end of the last column and the right edge of the grid's viewport:
// 0 when the columns fill it, below 0 when they are wider and the list scrolls.
int emptyBand(const Grid* grid);
// Whether column `col` (1-based) lies wholly within the viewport as the grid is scrolled now.
bool columnInView(const Grid* grid, int col);
// The alignment a grid gives the cells of column `col` (1-based) in its first row.
Qt::Alignment cellAlignment(const Grid* grid, int col);
// Rows of one animal in 개체관리 and its five history tables together (needs an open farm).
int rowsOfAnimal(const QString& number);
// The five history tables keyed by 개체번호.
QStringList historyTableNames();
