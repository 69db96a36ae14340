#pragma once
// Reading a laid-out report in tests: finding a text, reading it whole, and the faults a printed
// page must not have (frames over each other, texts over each other or on a frame's border).
#include "print/model/ReportDefinition.h"
#include "print/model/ReportLayout.h"

#include <gtest/gtest.h>

#include <QRectF>
#include <QString>
#include <QStringList>

namespace layoutcheck {

// 60 and 134 characters, as farmers write them.
inline const QString kFeature = QStringLiteral(
    "이마에 흰 점이 있고 왼쪽 뒷다리 발굽이 약간 벌어져 있음. 성질이 아주 온순하며 사료 섭취도 매우 좋은 편");
inline const QString kRemark = QStringLiteral(
    "2009-04-01 설사 증상으로 지사제 투여 후 이틀간 경과 관찰함. 체온 39.8도, 식욕 저하 있었으나 사흘째 "
    "회복됨. 주사 부위(왼쪽 목) 경결 확인, 출하 전 재확인 필요. 담당 수의사 재방문 및 혈액검사 예정임. 다음 "
    "주 재진료.");

constexpr double kEps = 1e-6;

// A text without its spaces and line breaks: wrapping changes neither the characters nor their order.
inline QString squeezed(QString s)
{
    s.remove(u' ');
    s.remove(u'\n');
    return s;
}

// What a text block prints, its lines run together (see squeezed).
inline QString printed(const report::TextBlock& b)
{
    QString out;
    for (const report::TextLine& l : b.lines) out += l.text;
    return squeezed(out);
}

// The block that prints `text` (as given to it), and its page (0-based); null when none does.
inline const report::TextBlock* findText(const report::Layout& layout, const QString& text, int* page = nullptr)
{
    for (int p = 0; p < layout.pages.size(); ++p)
        for (const report::TextBlock& b : layout.pages[p].texts)
            if (b.text == text) {
                if (page) *page = p;
                return &b;
            }
    return nullptr;
}

inline bool contains(const QRectF& outer, const QRectF& inner)
{
    return inner.left() >= outer.left() - kEps && inner.right() <= outer.right() + kEps &&
           inner.top() >= outer.top() - kEps && inner.bottom() <= outer.bottom() + kEps;
}

inline bool overlaps(const QRectF& a, const QRectF& b)
{
    const QRectF i = a.intersected(b);
    return i.width() > kEps && i.height() > kEps;
}

inline QString describe(const QRectF& r)
{
    return QStringLiteral("(%1, %2 %3x%4)")
        .arg(r.x(), 0, 'f', 2)
        .arg(r.y(), 0, 'f', 2)
        .arg(r.width(), 0, 'f', 2)
        .arg(r.height(), 0, 'f', 2);
}

// Everything wrong on the pages, one sentence each: framed boxes over each other, lines of text
// outside their box's padding (1 mm at the sides, 0.5 mm above and below inside a frame) or
// over another text, a box reaching past the paper.
inline QStringList faults(const report::Layout& layout, const QSizeF& paper)
{
    QStringList out;
    const QRectF sheet(QPointF(0, 0), paper);
    for (int p = 0; p < layout.pages.size(); ++p) {
        const report::PageLayout& page = layout.pages[p];
        const QString at = QStringLiteral("page %1: ").arg(p + 1);
        QList<QRectF> borders;
        for (const report::Frame& f : page.frames) {
            if (!contains(sheet, f.rect)) out << at + QStringLiteral("frame %1 off the paper").arg(describe(f.rect));
            if (f.border) borders << f.rect;
        }
        for (int i = 0; i < borders.size(); ++i)
            for (int j = i + 1; j < borders.size(); ++j)
                if (overlaps(borders[i], borders[j]))
                    out << at + QStringLiteral("frames %1 and %2 overlap")
                                    .arg(describe(borders[i]), describe(borders[j]));
        QList<QPair<QRectF, QString>> lines;
        for (const report::TextBlock& b : page.texts) {
            const bool framed = borders.contains(b.cell);
            const QRectF room = framed ? b.cell.adjusted(1 - kEps, 0.5 - kEps, -1 + kEps, -0.5 + kEps) : b.cell;
            for (const report::TextLine& l : b.lines) {
                if (!contains(room, l.rect))
                    out << at + QStringLiteral("'%1' %2 leaves its box %3")
                                    .arg(l.text, describe(l.rect), describe(b.cell));
                for (const auto& other : std::as_const(lines))
                    if (overlaps(other.first, l.rect))
                        out << at + QStringLiteral("'%1' overlaps '%2'").arg(l.text, other.second);
                lines << qMakePair(l.rect, l.text);
            }
        }
    }
    return out;
}

// A report read from its text; a text that does not read fails the test.
inline report::Definition parsed(const QString& text)
{
    report::Definition d;
    QString error;
    EXPECT_TRUE(report::parseDefinition(text, &d, &error)) << error.toStdString();
    return d;
}

// A report laid out at the print resolution; a layout with a fault fails the test.
inline report::Layout laidOut(const report::Definition& d, const report::Data& data)
{
    report::Layout l;
    QString error;
    EXPECT_TRUE(report::layoutReport(d, data, report::kPrintDpi, &l, &error)) << error.toStdString();
    const QStringList found = faults(l, QSizeF(report::pageWidth(d), report::pageHeight(d)));
    EXPECT_TRUE(found.isEmpty()) << found.join(u'\n').toStdString();
    return l;
}

}  // namespace layoutcheck
