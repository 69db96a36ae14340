#include "print/model/ReportText.h"

#include <QFontMetricsF>
#include <QTextBoundaryFinder>
#include <algorithm>
#include <cmath>

namespace report {

namespace {

constexpr double kEps = 1e-6;
const QChar kEllipsis(0x2026);

// Where a line starts and ends in the text (the spaces at a break belong to no line).
struct Span {
    qsizetype start = 0;
    qsizetype end = 0;
};

// The sizes tried, largest first: the style's size in half points down to the minimum.
QList<double> sizesFrom(double size)
{
    const double least = std::min(size, kMinimumSize);
    QList<double> sizes;
    for (double s = size; s > least + kEps; s -= 0.5) sizes << s;
    sizes << least;
    return sizes;
}

}  // namespace

TextFitter::TextFitter(const QString& family, double dpi) : m_family(family), m_device(1, 1, QImage::Format_RGB32)
{
    const int dotsPerMetre = int(std::lround(dpi / 0.0254));
    m_device.setDotsPerMeterX(dotsPerMetre);
    m_device.setDotsPerMeterY(dotsPerMetre);
    m_pixelsPerMm = m_device.logicalDpiY() / 25.4;
}

TextFitter::~TextFitter() = default;

QFont printFont(const QString& family, double size, bool bold)
{
    QFont f(family);
    f.setPointSizeF(size);
    f.setBold(bold);
    // Without shaping the PDF keeps every glyph's character: shaped Latin digits of the
    // CJK font lose theirs, and an animal number like KR000001 would not be searchable.
    f.setStyleStrategy(QFont::StyleStrategy(QFont::PreferAntialias | QFont::PreferNoShaping));
    return f;
}

const QFontMetricsF& TextFitter::metrics(double size, bool bold) const
{
    const QPair<int, bool> key(int(std::lround(size * 100)), bold);
    auto it = m_metrics.find(key);
    if (it == m_metrics.end())
        it = m_metrics.insert(key, std::make_shared<QFontMetricsF>(printFont(m_family, size, bold), &m_device));
    return *it.value();
}

double TextFitter::widest(const QStringList& lines, const QFontMetricsF& fm) const
{
    double w = 0;
    for (const QString& l : lines) w = std::max(w, fm.horizontalAdvance(l));
    return w;
}

namespace {

// The words of a text: what lies between its spaces and line breaks.
QStringList wordsOf(const QString& text)
{
    QString flat = text;
    flat.replace(u'\n', u' ');
    return flat.split(u' ', Qt::SkipEmptyParts);
}

// Greedy line breaking between words; a word wider than the whole line (even at kWordSize) is
// broken between its characters. The text's own line breaks are kept, an empty line included.
QList<Span> breakSpans(const QString& text, double width, const QFontMetricsF& fm)
{
    auto fits = [&](qsizetype from, qsizetype to) { return fm.horizontalAdvance(text.mid(from, to - from)) <= width; };
    QList<Span> spans;
    qsizetype paraStart = 0;
    for (;;) {
        qsizetype paraEnd = text.indexOf(u'\n', paraStart);
        if (paraEnd < 0) paraEnd = text.size();
        const qsizetype before = spans.size();
        qsizetype lineStart = paraStart;
        qsizetype lineEnd = paraStart;
        qsizetype i = paraStart;
        while (i < paraEnd) {
            qsizetype ws = i;
            while (ws < paraEnd && text.at(ws) == u' ') ++ws;
            if (ws == paraEnd) break;  // spaces at the end of a line are not printed
            qsizetype we = ws;
            while (we < paraEnd && text.at(we) != u' ') ++we;
            if (fits(lineStart, we)) {
                lineEnd = we;
                i = we;
                continue;
            }
            if (lineEnd > lineStart) spans << Span{lineStart, lineEnd};
            lineStart = ws;
            lineEnd = ws;
            if (fits(ws, we)) {
                lineEnd = we;
                i = we;
                continue;
            }
            // The word alone is too wide: break it between characters.
            const QString word = text.mid(ws, we - ws);
            QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, word);
            qsizetype from = 0;
            qsizetype fitted = 0;
            for (qsizetype b = finder.toNextBoundary(); b > 0; b = finder.toNextBoundary()) {
                if (fits(ws + from, ws + b)) {
                    fitted = b;
                    continue;
                }
                if (fitted == from) fitted = b;  // one character wider than the line: alone on it
                spans << Span{ws + from, ws + fitted};
                from = fitted;
                if (fitted < b && !fits(ws + from, ws + b)) {
                    spans << Span{ws + from, ws + b};
                    from = b;
                }
                fitted = b;
            }
            lineStart = ws + from;
            lineEnd = we;
            i = we;
        }
        if (lineEnd > lineStart || spans.size() == before) spans << Span{lineStart, lineEnd};
        if (paraEnd >= text.size()) break;
        paraStart = paraEnd + 1;
    }
    return spans;
}

// The longest beginning of `text` that fits in `width` followed by "…".
QString elided(const QString& text, double width, const QFontMetricsF& fm)
{
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    QString best;
    for (qsizetype b = finder.toNextBoundary(); b > 0; b = finder.toNextBoundary()) {
        QString head = text.left(b);
        while (!head.isEmpty() && head.back().isSpace()) head.chop(1);
        const QString candidate = head + kEllipsis;
        if (fm.horizontalAdvance(candidate) > width) break;
        best = candidate;
    }
    return best.isEmpty() ? QString(kEllipsis) : best;
}

QStringList linesOf(const QString& text, const QList<Span>& spans)
{
    QStringList lines;
    for (const Span& s : spans) lines << text.mid(s.start, s.end - s.start);
    return lines;
}

}  // namespace

double TextFitter::wordSize(const QString& text, double width, double size, bool bold) const
{
    const QStringList words = wordsOf(text);
    const double wide = widest(words, metrics(size, bold));
    if (wide <= width) return size;
    // Glyphs grow about in proportion to the size: start near the size it fits at, then step down.
    double s = std::max(kWordSize, std::floor(size * width / wide * 4) / 4);
    while (s > kWordSize + kEps && widest(words, metrics(s, bold)) > width) s = std::max(kWordSize, s - 0.25);
    return s;
}

QStringList TextFitter::breakLines(const QString& text, double width, const QFontMetricsF& fm) const
{
    return linesOf(text, breakSpans(text, width, fm));
}

Setting TextFitter::set(const QString& text, double width, double height, const Style& style, double baseSize,
                        bool grow) const
{
    const double size = style.size > 0 ? style.size : baseSize;
    const double w = width * m_pixelsPerMm;
    auto setting = [&](double s, const QStringList& lines) {
        Setting out;
        out.size = s;
        out.bold = style.bold;
        out.lines = lines;
        out.lineHeight = s * kLineSpacing * 25.4 / 72;
        return out;
    };
    if (text.isEmpty()) return setting(size, {});
    const QList<double> sizes = sizesFrom(size);
    auto fitsHeight = [&](const Setting& s) { return s.height() <= height + kEps; };

    if (!style.wrap) {
        const QStringList lines = text.split(u'\n');
        for (double s : sizes) {
            const Setting one = setting(s, lines);
            if (widest(lines, metrics(s, style.bold)) <= w && fitsHeight(one)) return one;
        }
    }
    const QStringList words = wordsOf(text);
    for (double s : sizes) {
        const QFontMetricsF& fm = metrics(s, style.bold);
        if (widest(words, fm) > w) continue;  // a word would be broken: smaller first
        const Setting wrapped = setting(s, breakLines(text, w, fm));
        if (fitsHeight(wrapped)) return wrapped;
    }

    const double least = wordSize(text, w, sizes.last(), style.bold);
    const QFontMetricsF& fm = metrics(least, style.bold);
    const QList<Span> spans = breakSpans(text, w, fm);
    Setting out = setting(least, linesOf(text, spans));
    if (grow) return out;
    // Cut: the lines that fit, the last of them ending with an ellipsis (at least one line is printed).
    const int room = std::max(1, int(std::floor((height + kEps) / out.lineHeight)));
    if (out.lines.size() <= room) return out;
    QString rest = text.mid(spans.at(room - 1).start);
    rest.replace(u'\n', u' ');
    out.lines = out.lines.mid(0, room - 1);
    if (fm.horizontalAdvance(rest) <= w) {  // only the text's own line breaks did not fit
        out.lines << rest;
        return out;
    }
    out.lines << elided(rest, w, fm);
    out.cut = true;
    return out;
}

TextBlock TextFitter::place(const QString& text, const Setting& setting, const QRectF& cell, const Style& style,
                            const Padding& padding) const
{
    TextBlock b;
    b.text = text;
    b.cell = cell;
    b.area = cell.adjusted(padding.horizontal, padding.vertical, -padding.horizontal, -padding.vertical);
    b.size = setting.size;
    b.bold = setting.bold;
    b.cut = setting.cut;
    const QFontMetricsF& fm = metrics(setting.size, setting.bold);
    const double total = setting.height();
    double top = b.area.center().y() - total / 2;
    if (style.vertical & Qt::AlignTop)
        top = b.area.top();
    else if (style.vertical & Qt::AlignBottom)
        top = b.area.bottom() - total;
    for (const QString& line : setting.lines) {
        const double w = millimetres(fm.horizontalAdvance(line));
        double x = b.area.left();
        if (style.horizontal & Qt::AlignRight)
            x = b.area.right() - w;
        else if (style.horizontal & Qt::AlignHCenter)
            x = b.area.center().x() - w / 2;
        b.lines << TextLine{line, QRectF(x, top, w, setting.lineHeight)};
        top += setting.lineHeight;
    }
    return b;
}

TextBlock TextFitter::fit(const QString& text, const QRectF& cell, const Style& style, double baseSize,
                          const Padding& padding) const
{
    const double width = std::max(0.0, cell.width() - 2 * padding.horizontal);
    const double height = std::max(0.0, cell.height() - 2 * padding.vertical);
    return place(text, set(text, width, height, style, baseSize, false), cell, style, padding);
}

}  // namespace report
