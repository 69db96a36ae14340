// Several lists in one work table, as the herd analysis prints them: a section's title and header
// rows never stay alone at a page's foot, a section that goes on to a new page repeats its header
// row there, and narrow cells print their dates and words whole.
#include "print/LayoutCheck.h"
#include "print/model/ReportDefinition.h"
#include "print/model/ReportRenderer.h"
#include "support/TestHelpers.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QPdfWriter>
#include <QTemporaryDir>

using namespace report;
using layoutcheck::findText;
using layoutcheck::laidOut;

namespace {

const QString kTitle = QStringLiteral("제목");
const QString kHeader = QStringLiteral("머리");

// The shipped herd analysis report, its title and header rows marked as sections.
Definition analysisReport()
{
    QFile f(QStringLiteral(TARVIK_SOURCE_DIR "/rpt/성적분석.rpt"));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    QString text = QString::fromUtf8(f.readAll());
    if (!text.contains(QStringLiteral("section-title")))
        text.replace(QStringLiteral("[table]\n"),
                     QStringLiteral("[table]\nsection-title = 1 제목\nsection-header = 1 머리\n"));
    Definition d;
    QString error;
    EXPECT_TRUE(parseDefinition(text, &d, &error)) << error.toStdString();
    return d;
}

// A section: its title row, its header row and `count` rows (one "해당 없음" row when none).
void addSection(QList<QStringList>* rows, int number, int count)
{
    *rows << QStringList{kTitle, QStringLiteral("■ %1번 표").arg(number)};
    *rows << QStringList{kHeader,
                         QStringLiteral("개체번호"),
                         QStringLiteral("수정일"),
                         QStringLiteral("분만일"),
                         QStringLiteral("우방"),
                         QStringLiteral("수태당 수정횟수"),
                         QStringLiteral("인공수정"),
                         QStringLiteral("판정일")};
    if (count == 0) *rows << QStringList{QString(), QStringLiteral("해당 없음")};
    for (int i = 1; i <= count; ++i)
        *rows << QStringList{i == count ? QStringLiteral("합계") : QString(),
                             QStringLiteral("%1표 %2행").arg(number).arg(i),
                             QStringLiteral("2025-12-10"),
                             QStringLiteral("2026-09-18"),
                             QStringLiteral("3-12"),
                             QStringLiteral("1.5"),
                             QStringLiteral("인공수정"),
                             QStringLiteral("2025-02-08")};
}

bool isMark(const QStringList& row)
{
    return row.value(0) == kTitle || row.value(0) == kHeader;
}

}  // namespace

TEST(ReportSections, ATitleAndItsHeaderGoWithTheFirstRowAndAContinuedSectionRepeatsItsHeader)
{
    const Definition d = analysisReport();
    EXPECT_EQ(d.table.sectionTitle.column, 1);
    EXPECT_EQ(d.table.sectionHeader.value, kHeader);
    // The first section's length moves the second one's title over every place on page 1, its
    // foot included; the second section runs over a page break of its own.
    for (int first = 18; first <= 36; ++first) {
        SCOPED_TRACE(first);
        Data data;
        addSection(&data.rows, 1, first);
        addSection(&data.rows, 2, 45);
        addSection(&data.rows, 3, 0);
        const Layout l = laidOut(d, data);
        ASSERT_GE(l.pages.size(), 2);

        QList<int> printed;
        int header = -1;  // the header row of the section the rows belong to
        for (int p = 0; p < l.pages.size(); ++p) {
            SCOPED_TRACE(p + 1);
            const QList<RowBox>& rows = l.pages[p].rows;
            ASSERT_GE(rows.size(), 2);
            EXPECT_EQ(rows[0].kind, RowBox::Header);
            int at = 1;
            const QStringList& firstRow = data.rows.at(rows[at].row);
            if (rows[at].kind == RowBox::Repeat) {
                // Again exactly where a section goes on, with its own header.
                EXPECT_EQ(rows[at].row, header);
                ++at;
                ASSERT_LT(at, rows.size());
                EXPECT_FALSE(isMark(data.rows.at(rows[at].row)));
            } else if (p > 0) {
                EXPECT_TRUE(firstRow.value(0) == kTitle) << firstRow.join(u',').toStdString();
            }
            for (; at < rows.size(); ++at) {
                EXPECT_EQ(rows[at].kind, RowBox::Body);
                const QStringList& row = data.rows.at(rows[at].row);
                if (row.value(0) == kTitle) header = -1;
                if (row.value(0) == kHeader) header = rows[at].row;
                printed << rows[at].row;
            }
            const QStringList& last = data.rows.at(rows.last().row);
            EXPECT_FALSE(isMark(last)) << "page ends with " << last.join(u',').toStdString();
        }
        QList<int> all;
        for (int i = 0; i < data.rows.size(); ++i) all << i;
        EXPECT_EQ(printed, all);
    }
}

// On paper: the page before a section's title does not end with it, the continued section's
// page shows its headers above its rows, and no date, word or header is broken over two lines.
TEST(ReportSections, TheAnalysisOnPaperKeepsTitlesWithTheirTablesAndItsWordsWhole)
{
    const Definition d = analysisReport();
    // The place where the second title would be the last row of page 1.
    Data data;
    int first = 18;
    for (; first <= 40; ++first) {
        data.rows.clear();
        addSection(&data.rows, 1, first);
        addSection(&data.rows, 2, 45);
        Data bare = data;
        Definition plain = d;
        plain.table.sectionTitle = {};
        plain.table.sectionHeader = {};
        const Layout l = laidOut(plain, bare);
        if (data.rows.at(l.pages[0].rows.last().row).value(0) == kTitle) break;
    }
    ASSERT_LE(first, 40);
    const Layout l = laidOut(d, data);

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString pdf = dir.filePath(QStringLiteral("성적분석.pdf"));
    {
        QPdfWriter writer(pdf);
        writer.setResolution(int(kPrintDpi));
        writer.setPageLayout(pageLayout(d));
        QString error;
        ASSERT_TRUE(render(d, data, &writer, &error)) << error.toStdString();
    }
    const QStringList pages = pdfPages(pdf);
    ASSERT_EQ(pages.size(), l.pages.size());
    ASSERT_GE(pages.size(), 3);
    // Page 1 ends with the first section; page 2 starts with the second one's title and headers.
    EXPECT_FALSE(pages[0].contains(QStringLiteral("■ 2번 표")));
    EXPECT_TRUE(pages[0].contains(QStringLiteral("1표 %1행").arg(first)));
    const qsizetype title = pages[1].indexOf(QStringLiteral("■ 2번 표"));
    const qsizetype head = pages[1].indexOf(QStringLiteral("개체번호"));
    const qsizetype row = pages[1].indexOf(QStringLiteral("2표 1행"));
    EXPECT_TRUE(title >= 0 && head > title && row > head) << pages[1].toStdString();
    // Page 3 goes on with the second section under its headers.
    const qsizetype again = pages[2].indexOf(QStringLiteral("개체번호"));
    const qsizetype rest = pages[2].indexOf(QStringLiteral("2표 "));
    EXPECT_TRUE(again >= 0 && rest > again) << pages[2].toStdString();

    // Every cell of the narrow columns prints its value on one line (the header on two, at its space).
    QStringList values;
    for (const QStringList& r : data.rows) values += r.mid(1);
    for (int p = 0; p < l.pages.size(); ++p)
        for (const TextBlock& b : l.pages[p].texts) {
            if (b.text.isEmpty() || !values.contains(b.text)) continue;
            SCOPED_TRACE(b.text.toStdString());
            QStringList lines;
            for (const TextLine& line : b.lines) lines << line.text;
            const QStringList words = b.text.split(u' ', Qt::SkipEmptyParts);
            EXPECT_EQ(lines, b.text.contains(u' ') && b.cell.width() < 20 ? words : QStringList{b.text});
            if (b.text == QStringLiteral("수태당 수정횟수") || b.text.startsWith(QStringLiteral("20"))) {
                const QString shown = pdfTextIn(pdf, p + 1, b.cell);
                for (const QString& w : words) EXPECT_TRUE(shown.contains(w)) << shown.toStdString();
            }
        }
}
