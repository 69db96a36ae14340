#pragma once
// Lays a report out on A4 pages: every frame, line and text with its place in millimetres, page
// by page. The renderer paints the layout as it is on a printer, the preview or a PDF file.
//
// A text is shrunk down to a readable size, then wraps between words (a word too wide for its
// box makes the box's text smaller instead of being broken); the box grows to hold its lines where it
// may (a table row, and with it the rows after it and the pages; a row of a form that is not
// fixed, and what lies below it), and where it may not the text ends with "…".
#include "print/model/ReportDefinition.h"
#include "print/model/ReportFormulas.h"
#include "print/model/ReportText.h"

#include <QDate>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QStringList>

namespace report {

// What a report is filled with.
struct Data {
    Formulas formulas;  // the values of the {name} placeholders
    QString title;      // the preview title given by the print command
    QDate printDate;
    QList<QStringList> rows;  // work-table rows, columns by position
};

// Where the table rows go when every row has the report's row height: one entry per page.
struct PagePlan {
    int firstRow = 0;
    int rowCount = 0;
    bool hasTable = false;  // the table (header row at least) is drawn on this page
    double tableTop = 0;    // mm from the top of the paper
};

// Splits rows of the report's row height over pages. Fails (error set) when not even one row
// fits on a page.
bool planPages(const Definition& def, int rowCount, QList<PagePlan>* pages, QString* error);

// Replaces the placeholders of a text. `row` is null outside table cells.
QString resolve(const Template& t, const Data& data, int page, int pages, const QStringList* row = nullptr,
                int rowNumber = 0);

// A rectangle: a frame, a shaded background, or both.
struct Frame {
    QRectF rect;  // mm on the page
    bool shade = false;
    bool border = true;
    double pen = 0.2;  // mm
};

struct Rule {
    QPointF from, to;  // mm on the page
    double pen = 0.2;
};

// One row of the table on a page.
struct RowBox {
    // Repeat: a section's header row printed again at the top of a page its section goes on to.
    enum Kind { Header, Body, Repeat, Empty };
    Kind kind = Body;
    int row = -1;  // 0-based work-table row of a Body or Repeat row
    QRectF rect;   // mm on the page
};

struct PageLayout {
    QList<Frame> frames;
    QList<Rule> rules;
    QList<TextBlock> texts;
    QList<RowBox> rows;  // the table's rows on this page, top to bottom
};

struct Layout {
    QList<PageLayout> pages;
    double formHeight = 0;  // mm the form takes on page 1: its height, or more where a row grew
};

// The resolution printers and PDF files are laid out for.
constexpr double kPrintDpi = 1200;

// Lays the report out, its fonts measured at `dpi`. Fails (error set) when not even one table
// row fits on a page.
bool layoutReport(const Definition& def, const Data& data, double dpi, Layout* out, QString* error);

}  // namespace report
