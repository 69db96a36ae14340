#include "print/model/ReportRenderer.h"

#include "data/Values.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <cmath>

namespace report {

namespace {

constexpr double kEps = 1e-6;
constexpr double kCellPadding = 1.0;  // mm inside frames
const QColor kShade(228, 228, 228);

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

// Paints in millimetres on a device that counts in its own pixels.
class Canvas {
public:
    Canvas(QPainter& p, const Definition& def) : m_p(p), m_def(def) { m_scale = p.device()->logicalDpiX() / 25.4; }

    double px(double mm) const { return mm * m_scale; }
    QRectF rect(double x, double y, double w, double h) const { return QRectF(px(x), px(y), px(w), px(h)); }

    QFont font(double size, bool bold) const
    {
        QFont f(m_def.font);
        f.setPointSizeF(size);
        f.setBold(bold);
        // Without shaping the PDF keeps every glyph's character: shaped Latin digits of the
        // CJK font lose theirs, and an animal number like KR000001 would not be searchable.
        f.setStyleStrategy(QFont::StyleStrategy(QFont::PreferAntialias | QFont::PreferNoShaping));
        return f;
    }

    void frame(const QRectF& mm, const Style& s, bool shade, bool border)
    {
        const QRectF r = rect(mm.x(), mm.y(), mm.width(), mm.height());
        if (shade) m_p.fillRect(r, kShade);
        if (border) {
            m_p.setPen(QPen(Qt::black, std::max(1.0, px(s.pen))));
            m_p.setBrush(Qt::NoBrush);
            m_p.drawRect(r);
        }
    }

    void line(double x1, double y1, double x2, double y2, double pen)
    {
        m_p.setPen(QPen(Qt::black, std::max(1.0, px(pen))));
        m_p.drawLine(QPointF(px(x1), px(y1)), QPointF(px(x2), px(y2)));
    }

    // Draws a text into a box; a text too big for it is set smaller (down to 60 %) and
    // only then cut, so nothing silently vanishes from a printed record.
    void text(const QRectF& mm, const QString& text, const Style& s, double baseSize, double padding)
    {
        if (text.isEmpty()) return;
        const QRectF r = rect(mm.x() + padding, mm.y(), std::max(0.0, mm.width() - 2 * padding), mm.height());
        if (r.width() <= 0 || r.height() <= 0) return;
        const double size = s.size > 0 ? s.size : baseSize;
        const int flags = int(s.horizontal | s.vertical) | (s.wrap ? int(Qt::TextWordWrap) : 0);
        QFont f = font(size, s.bold);
        double scale = 1.0;
        for (; scale >= 0.6 - kEps; scale -= 0.05) {
            f.setPointSizeF(size * scale);
            const QFontMetricsF fm(f, m_p.device());
            const QRectF need = fm.boundingRect(r, flags, text);
            if (need.width() <= r.width() + 0.5 && need.height() <= r.height() + 0.5) break;
        }
        if (scale < 0.6 - kEps) f.setPointSizeF(size * 0.6);
        m_p.setFont(f);
        m_p.setPen(Qt::black);
        QString shown = text;
        if (!s.wrap) {
            const QFontMetricsF fm(f, m_p.device());
            QStringList lines = text.split(u'\n');
            for (QString& l : lines) l = fm.elidedText(l, Qt::ElideRight, r.width());
            shown = lines.join(u'\n');
        }
        m_p.save();
        m_p.setClipRect(r.adjusted(-px(padding), 0, px(padding), 0));
        m_p.drawText(r, flags, shown);
        m_p.restore();
    }

private:
    QPainter& m_p;
    const Definition& m_def;
    double m_scale = 1;
};

void drawBand(Canvas& c, const Definition& def, const Band& band, double top, const Data& data, int page, int pages)
{
    const double left = def.margins.left();
    const double width = contentWidth(def);
    for (const Element& e : band.elements) {
        if (e.kind == Element::Line) {
            const double x2 = e.toEdge ? width : e.w;
            c.line(left + e.x, top + e.y, left + x2, top + e.h, e.style.pen);
            continue;
        }
        const double w = e.toEdge ? std::max(0.0, width - e.x) : e.w;
        const QRectF box(left + e.x, top + e.y, w, e.h);
        const QString value = resolve(e.text, data, page, pages);
        switch (e.kind) {
        case Element::Text:
            c.frame(box, e.style, e.style.shade, false);
            c.text(box, value, e.style, def.size, 0);
            break;
        case Element::Box:
            c.frame(box, e.style, e.style.shade, true);
            c.text(box, value, e.style, def.size, kCellPadding);
            break;
        case Element::Field: {
            const double lw = std::min(e.style.label, w);
            const QRectF labelBox(box.x(), box.y(), lw, box.height());
            const QRectF valueBox(box.x() + lw, box.y(), box.width() - lw, box.height());
            Style labelStyle = e.style;
            labelStyle.horizontal = Qt::AlignHCenter;
            labelStyle.bold = true;
            c.frame(labelBox, e.style, true, true);
            c.frame(valueBox, e.style, e.style.shade, true);
            c.text(labelBox, resolve(e.label, data, page, pages), labelStyle, def.size, kCellPadding);
            c.text(valueBox, value, e.style, def.size, kCellPadding);
            break;
        }
        case Element::Line: break;
        }
    }
}

void drawTable(Canvas& c, const Definition& def, const PagePlan& plan, const Data& data, int page, int pages)
{
    const Table& t = def.table;
    const double base = t.size > 0 ? t.size : def.size;
    double sum = 0;
    for (const Column& col : t.columns) sum += col.width;
    const double factor = contentWidth(def) / sum;

    double x = def.margins.left();
    double y = plan.tableTop;
    for (const Column& col : t.columns) {
        const QRectF cell(x, y, col.width * factor, t.headerHeight);
        Style hs = col.style;
        hs.horizontal = Qt::AlignHCenter;
        hs.vertical = Qt::AlignVCenter;
        hs.bold = true;
        hs.wrap = true;
        c.frame(cell, hs, true, true);
        c.text(cell, resolve(col.header, data, page, pages), hs, base, kCellPadding);
        x += col.width * factor;
    }
    y += t.headerHeight;

    if (data.rows.isEmpty()) {
        const QRectF cell(def.margins.left(), y, contentWidth(def), t.rowHeight);
        Style es;
        es.horizontal = Qt::AlignHCenter;
        c.frame(cell, es, false, true);
        c.text(cell, resolve(t.empty, data, page, pages), es, base, kCellPadding);
        return;
    }
    for (int i = plan.firstRow; i < plan.firstRow + plan.rowCount; ++i) {
        x = def.margins.left();
        const QStringList& row = data.rows.at(i);
        for (const Column& col : t.columns) {
            const QRectF cell(x, y, col.width * factor, t.rowHeight);
            c.frame(cell, col.style, col.style.shade, true);
            c.text(cell, resolve(col.cell, data, page, pages, &row, i + 1), col.style, base, kCellPadding);
            x += col.width * factor;
        }
        y += t.rowHeight;
    }
}

}  // namespace

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

QPageLayout pageLayout(const Definition& def)
{
    return QPageLayout(QPageSize(QPageSize::A4), def.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

bool render(const Definition& def, const Data& data, QPagedPaintDevice* device, QString* error)
{
    QList<PagePlan> plan;
    if (!planPages(def, int(data.rows.size()), &plan, error)) return false;
    QPainter painter;
    if (!painter.begin(device)) {
        if (error) *error = QStringLiteral("출력 장치에 그릴 수 없습니다.");
        return false;
    }
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    Canvas canvas(painter, def);
    const int pages = int(plan.size());
    for (int i = 0; i < pages; ++i) {
        if (i > 0 && !device->newPage()) {
            painter.end();
            if (error) *error = QStringLiteral("새 쪽을 시작할 수 없습니다.");
            return false;
        }
        const int page = i + 1;
        if (def.header.present) drawBand(canvas, def, def.header, def.margins.top(), data, page, pages);
        if (i == 0 && def.form.present) drawBand(canvas, def, def.form, bodyTop(def), data, page, pages);
        if (plan[i].hasTable) drawTable(canvas, def, plan[i], data, page, pages);
        if (def.footer.present) drawBand(canvas, def, def.footer, footerTop(def), data, page, pages);
    }
    if (!painter.end()) {
        if (error) *error = QStringLiteral("출력을 마칠 수 없습니다.");
        return false;
    }
    return true;
}

}  // namespace report
