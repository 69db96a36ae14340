#include "print/model/ReportRenderer.h"

#include <QFontMetricsF>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <algorithm>

namespace report {

namespace {

const QColor kShade(228, 228, 228);

// Paints a laid-out page in millimetres on a device that counts in its own pixels.
class Canvas {
public:
    Canvas(QPainter& p, const Definition& def) : m_p(p), m_def(def) { m_scale = p.device()->logicalDpiY() / 25.4; }

    void paint(const PageLayout& page)
    {
        // Backgrounds first, frames and lines last: a border is never painted over.
        for (const Frame& f : page.frames)
            if (f.shade) m_p.fillRect(rect(f.rect), kShade);
        for (const TextBlock& t : page.texts) text(t);
        m_p.setBrush(Qt::NoBrush);
        for (const Frame& f : page.frames) {
            if (!f.border) continue;
            m_p.setPen(QPen(Qt::black, pen(f.pen)));
            m_p.drawRect(rect(f.rect));
        }
        for (const Rule& r : page.rules) {
            m_p.setPen(QPen(Qt::black, pen(r.pen)));
            m_p.drawLine(point(r.from), point(r.to));
        }
    }

private:
    double px(double mm) const { return mm * m_scale; }
    QRectF rect(const QRectF& mm) const { return QRectF(px(mm.x()), px(mm.y()), px(mm.width()), px(mm.height())); }
    QPointF point(const QPointF& mm) const { return QPointF(px(mm.x()), px(mm.y())); }
    double pen(double mm) const { return std::max(1.0, px(mm)); }

    // Each line where the layout put it; nothing is drawn outside the text's box.
    void text(const TextBlock& t)
    {
        if (t.lines.isEmpty()) return;
        const QFont font = printFont(m_def.font, t.size, t.bold);
        m_p.setFont(font);
        m_p.setPen(Qt::black);
        const QFontMetricsF fm(font, m_p.device());
        // The font's ascent and descent centred on the line: the glyphs sit in the middle of it.
        const double baseline = (fm.ascent() - fm.descent()) / 2;
        m_p.save();
        m_p.setClipRect(rect(t.cell));
        for (const TextLine& line : t.lines)
            m_p.drawText(QPointF(px(line.rect.x()), px(line.rect.center().y()) + baseline), line.text);
        m_p.restore();
    }

    QPainter& m_p;
    const Definition& m_def;
    double m_scale = 1;
};

}  // namespace

QPageLayout pageLayout(const Definition& def)
{
    return QPageLayout(QPageSize(QPageSize::A4), def.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

bool render(const Definition& def, const Data& data, QPagedPaintDevice* device, QString* error)
{
    Layout layout;
    if (!layoutReport(def, data, device->logicalDpiY(), &layout, error)) return false;
    QPainter painter;
    if (!painter.begin(device)) {
        if (error) *error = QStringLiteral("출력 장치에 그릴 수 없습니다.");
        return false;
    }
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    Canvas canvas(painter, def);
    for (qsizetype i = 0; i < layout.pages.size(); ++i) {
        if (i > 0 && !device->newPage()) {
            painter.end();
            if (error) *error = QStringLiteral("새 쪽을 시작할 수 없습니다.");
            return false;
        }
        canvas.paint(layout.pages[i]);
    }
    if (!painter.end()) {
        if (error) *error = QStringLiteral("출력을 마칠 수 없습니다.");
        return false;
    }
    return true;
}

}  // namespace report
