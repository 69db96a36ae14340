#include "print/model/ReportLayout.h"

#include "data/Values.h"

#include <algorithm>
#include <cmath>

namespace report {

namespace {

constexpr double kEps = 1e-6;
constexpr Padding kFramePadding{1.0, 0.5};  // inside frames: no text touches a border
constexpr Padding kNoPadding{0, 0};

double contentWidth(const Definition& d)
{
    return pageWidth(d) - d.margins.left() - d.margins.right();
}
double bodyTop(const Definition& d)
{
    return d.margins.top() + (d.header.present ? d.header.height : 0);
}
double footerTop(const Definition& d)
{
    return pageHeight(d) - d.margins.bottom() - (d.footer.present ? d.footer.height : 0);
}

bool namesPageCount(const Template& t)
{
    return std::any_of(t.begin(), t.end(), [](const Part& p) { return p.type == Part::Pages; });
}

// Whether the text of the form or the table depends on the number of pages, which is known only
// once they are laid out.
bool bodyNamesPageCount(const Definition& d)
{
    for (const Element& e : d.form.elements)
        if (namesPageCount(e.text) || namesPageCount(e.label)) return true;
    for (const Column& c : d.table.columns)
        if (namesPageCount(c.header) || namesPageCount(c.cell)) return true;
    return namesPageCount(d.table.empty);
}

// A text to set, with where and how.
struct Cell {
    QString text;
    QRectF rect;
    Style style;
    Padding padding;
    Setting setting;    // set for the height the cell asked for, growing when it may
    double needed = 0;  // height the text needs, padding included
};

class Composer {
public:
    Composer(const Definition& def, const Data& data, double dpi)
        : m_def(def), m_data(data), m_fitter(def.font, dpi), m_left(def.margins.left()), m_width(contentWidth(def))
    {
    }

    bool compose(int pageCount, Layout* out, QString* error);
    void drawBand(const Band& band, double top, int page, int pages, PageLayout* pl) const;

private:
    // The pieces of one element: its frames and texts, in a given box.
    QList<Cell> cellsOf(const Element& e, const QRectF& box, int page, int pages) const;
    Cell cell(const QString& text, const QRectF& rect, const Style& style, const Padding& padding, bool grow) const;
    void put(const Cell& c, double height, PageLayout* pl) const;
    void frame(const QRectF& rect, const Style& s, bool shade, bool border, PageLayout* pl) const;
    void placeElement(const Element& e, const QRectF& box, int page, int pages, PageLayout* pl) const;
    QRectF elementBox(const Element& e, double top) const;

    double layoutForm(int pages, PageLayout* pl) const;

    double base() const { return m_def.table.size > 0 ? m_def.table.size : m_def.size; }
    QList<Cell> rowCells(int row, double y, int page, int pages) const;
    QList<Cell> headerCells(double y, int page, int pages) const;
    Cell emptyCell(double y, int page, int pages) const;
    // Height of a row of cells: the row height, or more for a text that needs it, but never more
    // than `most`; cells that would need more are cut.
    static double rowHeight(const QList<Cell>& cells, double least, double most);
    void emitRow(QList<Cell> cells, double height, PageLayout* pl) const;

    const Definition& m_def;
    const Data& m_data;
    TextFitter m_fitter;
    double m_left;
    double m_width;
    QList<double> m_columnX, m_columnW;
};

Cell Composer::cell(const QString& text, const QRectF& rect, const Style& style, const Padding& padding,
                    bool grow) const
{
    Cell c{text, rect, style, padding, {}, 0};
    const double width = std::max(0.0, rect.width() - 2 * padding.horizontal);
    const double height = std::max(0.0, rect.height() - 2 * padding.vertical);
    c.setting = m_fitter.set(text, width, height, style, m_def.size, grow);
    c.needed = c.setting.height() + 2 * padding.vertical;
    return c;
}

void Composer::frame(const QRectF& rect, const Style& s, bool shade, bool border, PageLayout* pl) const
{
    if (shade || border) pl->frames << Frame{rect, shade, border, s.pen};
}

// Places a cell's text in the cell made `height` tall; a text that needs more is set again to fit.
void Composer::put(const Cell& c, double height, PageLayout* pl) const
{
    const QRectF rect(c.rect.x(), c.rect.y(), c.rect.width(), height);
    if (c.text.isEmpty()) return;
    if (c.needed <= height + kEps)
        pl->texts << m_fitter.place(c.text, c.setting, rect, c.style, c.padding);
    else
        pl->texts << m_fitter.fit(c.text, rect, c.style, m_def.size, c.padding);
}

QRectF Composer::elementBox(const Element& e, double top) const
{
    const double w = e.toEdge ? std::max(0.0, m_width - e.x) : e.w;
    return QRectF(m_left + e.x, top + e.y, w, e.h);
}

QList<Cell> Composer::cellsOf(const Element& e, const QRectF& box, int page, int pages) const
{
    const QString value = resolve(e.text, m_data, page, pages);
    switch (e.kind) {
    case Element::Text: return {cell(value, box, e.style, kNoPadding, true)};
    case Element::Box: return {cell(value, box, e.style, kFramePadding, true)};
    case Element::Field: {
        const double lw = std::min(e.style.label, box.width());
        Style labelStyle = e.style;
        labelStyle.horizontal = Qt::AlignHCenter;
        labelStyle.bold = true;
        return {
            cell(resolve(e.label, m_data, page, pages), QRectF(box.x(), box.y(), lw, box.height()), labelStyle,
                 kFramePadding, true),
            cell(value, QRectF(box.x() + lw, box.y(), box.width() - lw, box.height()), e.style, kFramePadding, true)};
    }
    case Element::Line: break;
    }
    return {};
}

void Composer::placeElement(const Element& e, const QRectF& box, int page, int pages, PageLayout* pl) const
{
    if (e.kind == Element::Line) return;
    const QList<Cell> cells = cellsOf(e, box, page, pages);
    switch (e.kind) {
    case Element::Text: frame(box, e.style, e.style.shade, false, pl); break;
    case Element::Box: frame(box, e.style, e.style.shade, true, pl); break;
    case Element::Field:
        frame(cells[0].rect, e.style, true, true, pl);
        frame(cells[1].rect, e.style, e.style.shade, true, pl);
        break;
    case Element::Line: break;
    }
    for (const Cell& c : cells) put(c, box.height(), pl);
}

void Composer::drawBand(const Band& band, double top, int page, int pages, PageLayout* pl) const
{
    for (const Element& e : band.elements) {
        if (e.kind == Element::Line) {
            const double x2 = e.toEdge ? m_width : e.w;
            pl->rules << Rule{QPointF(m_left + e.x, top + e.y), QPointF(m_left + x2, top + e.h), e.style.pen};
            continue;
        }
        placeElement(e, elementBox(e, top), page, pages, pl);
    }
}

// The form on page 1. Where a text needs a taller box, the boxes ending on the same line grow
// together and everything below moves down; a fixed form, or one that would no longer fit on
// the page, keeps its layout and its long texts wrap and are cut inside their boxes.
double Composer::layoutForm(int pages, PageLayout* pl) const
{
    const Band& form = m_def.form;
    const double top = bodyTop(m_def);
    QList<double> bottoms;  // the lines boxes end on, top to bottom, and how much each grows
    QList<double> growth;
    if (!form.fixed) {
        for (const Element& e : form.elements)
            if (e.kind != Element::Line) bottoms << e.y + e.h;
        std::sort(bottoms.begin(), bottoms.end());
        bottoms.erase(std::unique(bottoms.begin(), bottoms.end(), [](double a, double b) { return b - a < kEps; }),
                      bottoms.end());
        growth.fill(0, bottoms.size());
    }
    // How far a line of the file's layout moves down: by what every line above it (or on it) grew.
    auto moved = [&](double y) {
        double shift = 0;
        for (qsizetype i = 0; i < bottoms.size() && bottoms[i] <= y + kEps; ++i) shift += growth[i];
        return y + shift;
    };
    for (qsizetype i = 0; i < bottoms.size(); ++i) {
        double grow = 0;
        for (const Element& e : form.elements) {
            if (e.kind == Element::Line || std::abs(e.y + e.h - bottoms[i]) > kEps) continue;
            const double height = moved(e.y + e.h) - moved(e.y);
            const QRectF box = elementBox(e, top);
            for (const Cell& c : cellsOf(e, QRectF(box.x(), box.y(), box.width(), height), 1, pages))
                grow = std::max(grow, c.needed - height);
        }
        growth[i] = grow;
    }
    if (top + moved(form.height) > footerTop(m_def) + kEps) growth.fill(0);  // no room: as laid out

    for (const Element& e : form.elements) {
        if (e.kind == Element::Line) {
            const double x2 = e.toEdge ? m_width : e.w;
            pl->rules << Rule{QPointF(m_left + e.x, top + moved(e.y)), QPointF(m_left + x2, top + moved(e.h)),
                              e.style.pen};
            continue;
        }
        const QRectF box = elementBox(e, top);
        const double y = moved(e.y);
        placeElement(e, QRectF(box.x(), top + y, box.width(), moved(e.y + e.h) - y), 1, pages, pl);
    }
    return moved(form.height);
}

QList<Cell> Composer::headerCells(double y, int page, int pages) const
{
    const Table& t = m_def.table;
    QList<Cell> cells;
    for (qsizetype i = 0; i < t.columns.size(); ++i) {
        Style hs = t.columns[i].style;
        hs.horizontal = Qt::AlignHCenter;
        hs.vertical = Qt::AlignVCenter;
        hs.bold = true;
        hs.wrap = true;
        hs.shade = true;
        if (hs.size <= 0) hs.size = base();
        cells << cell(resolve(t.columns[i].header, m_data, page, pages),
                      QRectF(m_columnX[i], y, m_columnW[i], t.headerHeight), hs, kFramePadding, true);
    }
    return cells;
}

QList<Cell> Composer::rowCells(int row, double y, int page, int pages) const
{
    const Table& t = m_def.table;
    const QStringList& values = m_data.rows.at(row);
    QList<Cell> cells;
    for (qsizetype i = 0; i < t.columns.size(); ++i) {
        Style s = t.columns[i].style;
        if (s.size <= 0) s.size = base();
        if (s.boldIf > 0) s.bold = s.bold || !values.value(s.boldIf - 1).trimmed().isEmpty();
        cells << cell(resolve(t.columns[i].cell, m_data, page, pages, &values, row + 1),
                      QRectF(m_columnX[i], y, m_columnW[i], t.rowHeight), s, kFramePadding, true);
    }
    return cells;
}

Cell Composer::emptyCell(double y, int page, int pages) const
{
    Style s;
    s.horizontal = Qt::AlignHCenter;
    s.size = base();
    return cell(resolve(m_def.table.empty, m_data, page, pages), QRectF(m_left, y, m_width, m_def.table.rowHeight), s,
                kFramePadding, true);
}

double Composer::rowHeight(const QList<Cell>& cells, double least, double most)
{
    double h = least;
    for (const Cell& c : cells) h = std::max(h, c.needed);
    return std::min(h, std::max(least, most));
}

void Composer::emitRow(QList<Cell> cells, double height, PageLayout* pl) const
{
    for (Cell& c : cells) {
        const QRectF rect(c.rect.x(), c.rect.y(), c.rect.width(), height);
        frame(rect, c.style, c.style.shade, true, pl);
        put(c, height, pl);
    }
}

bool Composer::compose(int pageCount, Layout* out, QString* error)
{
    out->pages = {PageLayout{}};
    out->formHeight = 0;
    if (m_def.form.present) out->formHeight = layoutForm(pageCount, &out->pages[0]);
    const Table& t = m_def.table;
    if (!t.present) return true;

    const double top = bodyTop(m_def);
    const double bottom = footerTop(m_def);
    if (t.headerHeight + t.rowHeight > bottom - top + kEps) {
        if (error) *error = QStringLiteral("표의 한 줄도 한 쪽에 들어가지 않습니다. 높이를 줄여 주세요.");
        return false;
    }
    double sum = 0;
    for (const Column& c : t.columns) sum += c.width;
    m_columnX.clear();
    m_columnW.clear();
    double x = m_left;
    for (const Column& c : t.columns) {
        m_columnX << x;
        m_columnW << c.width * m_width / sum;
        x += m_columnW.last();
    }

    // The header row is as tall on every page: as tall as its texts need, leaving room for a row.
    const double headerH = rowHeight(headerCells(0, 1, pageCount), t.headerHeight, bottom - top - t.rowHeight);
    const double rowMost = bottom - top - headerH;  // a row taller than a whole page is cut
    int page = 0;
    double y = top + out->formHeight;
    auto startPage = [&] {
        out->pages << PageLayout{};
        ++page;
        y = top;
    };
    auto header = [&] {
        emitRow(headerCells(y, page + 1, pageCount), headerH, &out->pages[page]);
        out->pages[page].rows << RowBox{RowBox::Header, -1, QRectF(m_left, y, m_width, headerH)};
        y += headerH;
    };

    if (m_data.rows.isEmpty()) {
        Cell empty = emptyCell(y + headerH, 1, pageCount);
        if (y + headerH + rowHeight({empty}, t.rowHeight, rowMost) > bottom + kEps) startPage();
        header();
        empty = emptyCell(y, page + 1, pageCount);
        const double h = rowHeight({empty}, t.rowHeight, rowMost);
        out->pages[page].frames << Frame{QRectF(m_left, y, m_width, h), false, true, empty.style.pen};
        put(empty, h, &out->pages[page]);
        out->pages[page].rows << RowBox{RowBox::Empty, -1, QRectF(m_left, y, m_width, h)};
        return true;
    }
    // A section's title and header rows go to the next page with the section's first row
    // (when they fit on a page together); a page the section goes on to repeats its header row.
    const auto marked = [&](int r) {
        return t.sectionTitle.picks(m_data.rows.at(r)) || t.sectionHeader.picks(m_data.rows.at(r));
    };
    const auto heightOf = [&](int r) { return rowHeight(rowCells(r, y, page + 1, pageCount), t.rowHeight, rowMost); };
    const auto place = [&](QList<Cell> cells, double h, int r, RowBox::Kind kind) {
        for (Cell& c : cells) c.rect.moveTop(y);
        emitRow(cells, h, &out->pages[page]);
        out->pages[page].rows << RowBox{kind, r, QRectF(m_left, y, m_width, h)};
        y += h;
    };
    const double room = bottom - top - headerH;  // for rows on a page of their own
    bool headed = false;
    int sectionHeader = -1;  // the header row of the section being printed
    for (int r = 0; r < m_data.rows.size(); ++r) {
        if (t.sectionTitle.picks(m_data.rows.at(r))) sectionHeader = -1;
        QList<Cell> cells = rowCells(r, y, page + 1, pageCount);
        double h = rowHeight(cells, t.rowHeight, rowMost);
        double needed = h;
        if (marked(r)) {
            double group = h;
            for (int next = r + 1; next < m_data.rows.size(); ++next) {
                group += heightOf(next);
                if (!marked(next)) break;
            }
            if (group <= room + kEps) needed = group;
        }
        // Page 1 holds the form; when not even the first row fits under it, the table starts on page 2.
        if (y + (headed ? 0 : headerH) + needed > bottom + kEps) {
            startPage();
            headed = false;
            cells = rowCells(r, y, page + 1, pageCount);
            h = rowHeight(cells, t.rowHeight, rowMost);
        }
        if (!headed) {
            header();
            headed = true;
            if (sectionHeader >= 0 && !marked(r)) {
                const QList<Cell> again = rowCells(sectionHeader, y, page + 1, pageCount);
                const double againH = rowHeight(again, t.rowHeight, rowMost);
                if (againH + h <= room + kEps) place(again, againH, sectionHeader, RowBox::Repeat);
            }
        }
        place(cells, h, r, RowBox::Body);
        if (t.sectionHeader.picks(m_data.rows.at(r))) sectionHeader = r;
    }
    return true;
}

}  // namespace

bool layoutReport(const Definition& def, const Data& data, double dpi, Layout* out, QString* error)
{
    Composer composer(def, data, dpi);
    // The number of pages is known once they are laid out; a form or table that prints it is laid
    // out again with it.
    int pages = 1;
    for (int pass = 0;; ++pass) {
        if (!composer.compose(pages, out, error)) return false;
        const int laidOut = int(out->pages.size());
        if (laidOut == pages || pass == 2 || !bodyNamesPageCount(def)) break;
        pages = laidOut;
    }
    const int count = int(out->pages.size());
    for (int i = 0; i < count; ++i) {
        PageLayout& pl = out->pages[i];
        if (def.header.present) composer.drawBand(def.header, def.margins.top(), i + 1, count, &pl);
        if (def.footer.present) composer.drawBand(def.footer, footerTop(def), i + 1, count, &pl);
    }
    return true;
}

bool planPages(const Definition& def, int rowCount, QList<PagePlan>* pages, QString* error)
{
    pages->clear();
    const double top = bodyTop(def);
    const double bottom = footerTop(def);
    const double formH = def.form.present ? def.form.height : 0;
    if (!def.table.present) {
        pages->push_back(PagePlan{});
        return true;
    }
    const Table& t = def.table;
    const int firstFits = int(std::floor((bottom - top - formH - t.headerHeight) / t.rowHeight + kEps));
    const int otherFits = int(std::floor((bottom - top - t.headerHeight) / t.rowHeight + kEps));
    if (otherFits < 1) {
        if (error) *error = QStringLiteral("표의 한 줄도 한 쪽에 들어가지 않습니다. 높이를 줄여 주세요.");
        return false;
    }
    // Page 1 holds the form; when nothing of the table fits under it, the table starts on page 2.
    int next = 0;
    const int needed = std::max(rowCount, 1);  // an empty table still shows its header and the empty row
    if (firstFits >= 1) {
        const int n = std::min(needed, firstFits);
        pages->push_back(PagePlan{0, std::min(n, rowCount), true, top + formH});
        next = n;
    } else {
        pages->push_back(PagePlan{});
    }
    while (next < needed) {
        const int n = std::min(needed - next, otherFits);
        pages->push_back(PagePlan{next, std::min(n, rowCount - next), true, top});
        next += n;
    }
    return true;
}

QString resolve(const Template& t, const Data& data, int page, int pages, const QStringList* row, int rowNumber)
{
    QString out;
    for (const Part& p : t) {
        switch (p.type) {
        case Part::Literal: out += p.text; break;
        case Part::Formula: out += data.formulas.value(p.text); break;
        case Part::Column:
            if (row && p.column <= row->size()) out += row->at(p.column - 1);
            break;
        case Part::Page: out += QString::number(page); break;
        case Part::Pages: out += QString::number(pages); break;
        case Part::PrintDate: out += formatDate(data.printDate, QStringLiteral("yyyy년 mm월 dd일")); break;
        case Part::Title: out += data.title; break;
        case Part::RowNumber:
            if (row) out += QString::number(rowNumber);
            break;
        }
    }
    return out;
}

}  // namespace report
