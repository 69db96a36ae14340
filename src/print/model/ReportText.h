#pragma once
// Sets a text into a box of a printed page: the size it is printed in, where its lines break
// and, when even the smallest readable size cannot hold it, where it is cut with "…".
// Everything is measured in millimetres, with the fonts of a device of the given resolution.
#include "print/model/ReportDefinition.h"

#include <QFont>
#include <QImage>
#include <QList>
#include <QMap>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <memory>

class QFontMetricsF;

namespace report {

// A text is shrunk down to this size (points) before it wraps, grows its box or is cut.
// A smaller size the report file asks for is kept.
constexpr double kMinimumSize = 8.0;

// A word (a date, a number, a name) is never broken over lines: where it is wider than its box
// at the minimum size, the box's whole text is set smaller until the word fits, down to this
// size. Only a box narrower than that (a mistake of the report file) breaks a word.
constexpr double kWordSize = 4.0;

// Lines of a text follow each other at this many times its size: close enough for two lines at
// the minimum size in a form's 8 mm box, with the glyphs of one line clear of the next.
constexpr double kLineSpacing = 1.2;

// Space between a frame and its text, mm: left and right, and above and below the lines.
struct Padding {
    double horizontal = 0;
    double vertical = 0;
};

// How a text is set, before it is placed in its box.
struct Setting {
    double size = 0;  // points
    bool bold = false;
    QStringList lines;
    bool cut = false;       // the last line ends with "…"
    double lineHeight = 0;  // mm
    double height() const { return lineHeight * double(lines.size()); }
};

struct TextLine {
    QString text;
    QRectF rect;  // mm on the page: the line's width and its line height; the glyphs are centred in it
};

// A text as printed in its box.
struct TextBlock {
    QString text;  // the whole value
    QRectF cell;   // its box (a frame, or a text element's place), mm on the page
    QRectF area;   // the part of the box the lines may take: the box less its padding
    double size = 0;
    bool bold = false;
    QList<TextLine> lines;
    bool cut = false;
};

// The font a report text is printed in.
QFont printFont(const QString& family, double size, bool bold);

class TextFitter {
public:
    TextFitter(const QString& family, double dpi);
    ~TextFitter();
    TextFitter(const TextFitter&) = delete;
    TextFitter& operator=(const TextFitter&) = delete;

    // Sets `text` into a space `width` wide and `height` high (mm, padding already taken off),
    // in `style` whose size 0 means `baseSize`:
    //  - on one line (only the line breaks of the text itself), from its size down to the minimum;
    //    a `wrap` style skips this and breaks lines at once;
    //  - broken into lines between words, from its size down to the minimum; a size at which a
    //    word is wider than the space is skipped;
    //  - then at the minimum size, or the size its widest word fits at (kWordSize): with `grow`
    //    every line is kept and the box must be made taller (height() says by how much);
    //    without it the lines that fit are kept and the last ends with "…".
    Setting set(const QString& text, double width, double height, const Style& style, double baseSize, bool grow) const;
    // Places a setting in `cell`: aligned as `style` says within the cell less `padding`.
    TextBlock place(const QString& text, const Setting& setting, const QRectF& cell, const Style& style,
                    const Padding& padding) const;
    // set() and place() for a box whose size is fixed.
    TextBlock fit(const QString& text, const QRectF& cell, const Style& style, double baseSize,
                  const Padding& padding) const;

    double millimetres(double pixels) const { return pixels / m_pixelsPerMm; }

private:
    const QFontMetricsF& metrics(double size, bool bold) const;
    QStringList breakLines(const QString& text, double width, const QFontMetricsF& fm) const;
    double widest(const QStringList& lines, const QFontMetricsF& fm) const;
    // The largest size, `size` or less, at which every word of `text` fits in `width` pixels.
    double wordSize(const QString& text, double width, double size, bool bold) const;

    QString m_family;
    double m_pixelsPerMm = 1;
    QImage m_device;  // only measured on: it gives the fonts the resolution of the pages
    mutable QMap<QPair<int, bool>, std::shared_ptr<QFontMetricsF>> m_metrics;
};

}  // namespace report
