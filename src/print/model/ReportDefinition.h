#pragma once
// A report file (rpt/*.rpt) read into memory: page settings, bands of positioned elements and
// the work-table columns. The format is described in rpt/README.md.
#include <QList>
#include <QMarginsF>
#include <QString>
#include <Qt>

namespace report {

// One piece of a text with placeholders.
struct Part {
    enum Type { Literal, Formula, Column, Page, Pages, PrintDate, Title, RowNumber };
    Type type = Literal;
    QString text;    // the literal text, or the formula name
    int column = 0;  // 1-based work-table column for Column
};
using Template = QList<Part>;

struct Style {
    Qt::Alignment horizontal = Qt::AlignLeft;
    Qt::Alignment vertical = Qt::AlignVCenter;
    bool bold = false;
    double size = 0;     // points; 0: the report's size
    bool shade = false;  // light grey background
    bool wrap = false;   // break long texts over several lines
    double pen = 0.2;    // frame and line width, mm
    double label = 25;   // label cell width of a field, mm
    int boldIf = 0;      // table cells: bold in the rows whose work-table column (1-based) is not empty
};

struct Element {
    enum Kind { Text, Box, Field, Line };
    Kind kind = Text;
    // Millimetres from the band's top-left corner. For lines: x, y is the start and
    // x2, y2 the end. toEdge: the width (or x2) reaches the right edge of the printable area.
    double x = 0, y = 0, w = 0, h = 0;
    bool toEdge = false;
    Style style;
    Template text;   // the text, or a field's value
    Template label;  // a field's label
};

struct Band {
    bool present = false;
    double height = 0;  // mm
    // [form] only: keeps its layout, long texts wrap and are cut inside their boxes instead of
    // growing them. Header and footer never grow: they are the same on every page.
    bool fixed = false;
    QList<Element> elements;
};

struct Column {
    double width = 0;  // relative; scaled to the printable width
    Style style;
    Template header;
    Template cell;
};

// Rows of the work table picked by the text of one of their columns.
struct RowMark {
    int column = 0;  // 1-based; 0: no row is picked
    QString value;
    bool picks(const QStringList& row) const;
};

struct Table {
    bool present = false;
    QString source;   // the work table
    double size = 0;  // points; 0: the report's size
    double headerHeight = 8;
    double rowHeight = 6.5;
    Template empty;  // printed instead of rows when there are none
    // Lists one after another in one work table: a section's title row and its own header row
    // are never left at the foot of a page without the section's first row, and the header row
    // is printed again at the top of every page the section goes on to.
    RowMark sectionTitle;
    RowMark sectionHeader;
    QList<Column> columns;
};

struct Definition {
    bool landscape = false;
    QMarginsF margins{15, 12, 15, 12};  // left top right bottom, mm
    QString font = QStringLiteral("Noto Sans CJK KR");
    double size = 9;
    Band header;
    Band form;
    Band footer;
    Table table;
};

// Reads a report from its text. On a mistake returns false and sets `error` to a Korean
// sentence naming the line.
bool parseDefinition(const QString& text, Definition* out, QString* error);
// Reads the file (UTF-8) and parses it.
bool loadDefinition(const QString& path, Definition* out, QString* error);

// A4 in millimetres, as oriented by the report.
double pageWidth(const Definition& d);
double pageHeight(const Definition& d);

}  // namespace report
