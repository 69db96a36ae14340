// Long texts on paper: set smaller only down to 8 points, then wrapped; a table row or a form row
// grows to hold them and moves what follows, a fixed box cuts them with "…"; nothing leaves its box.
#include "print/LayoutCheck.h"
#include "print/model/ReportDefinition.h"
#include "print/model/ReportRenderer.h"
#include "print/model/ReportText.h"
#include "support/TestHelpers.h"

#include <gtest/gtest.h>
#include <QPdfWriter>
#include <QTemporaryDir>

using namespace report;
using layoutcheck::findText;
using layoutcheck::kFeature;
using layoutcheck::kRemark;
using layoutcheck::laidOut;
using layoutcheck::parsed;
using layoutcheck::printed;
using layoutcheck::squeezed;

namespace {

const QChar kEllipsis(0x2026);

Style sized(double size, bool wrap = false)
{
    Style s;
    s.size = size;
    s.wrap = wrap;
    return s;
}

// A treatment list: number, animal, remark (wrap) and treatment (one line where it can).
const QString kList = QStringLiteral(
    "[report]\n"
    "[header]\nheight = 14\ntext 0 0 * 10 center bold size=14 | 진료 목록\n"
    "[table]\nsource = t\nrow-height = 7\n"
    "column 12 center | 번호 | {@번호}\n"
    "column 30 center | 개체 | {1}\n"
    "column 80 left wrap | 비고 | {2}\n"
    "column 58 left | 처치 | {3}\n"
    "[footer]\nheight = 6\ntext 0 0 * 6 center size=8 | {@쪽} / {@쪽수}\n");

QList<QStringList> treatments(int count)
{
    QList<QStringList> rows;
    for (int i = 1; i <= count; ++i)
        rows << QStringList{QStringLiteral("KR%1").arg(i, 6, 10, QChar(u'0')), QStringLiteral("없음"),
                            QStringLiteral("지사제")};
    return rows;
}

// The body rows of a layout, page by page: their work-table row numbers.
QList<QList<int>> rowsByPage(const Layout& l)
{
    QList<QList<int>> out;
    for (const PageLayout& p : l.pages) {
        QList<int> rows;
        for (const RowBox& r : p.rows)
            if (r.kind == RowBox::Body) rows << r.row;
        out << rows;
    }
    return out;
}

const RowBox* rowBox(const Layout& l, int row, int* page = nullptr)
{
    for (int p = 0; p < l.pages.size(); ++p)
        for (const RowBox& r : l.pages[p].rows)
            if (r.kind == RowBox::Body && r.row == row) {
                if (page) *page = p;
                return &r;
            }
    return nullptr;
}

}  // namespace

TEST(ReportText, ATextIsSetSmallerOnlyDownToTheReadableSizeThenWrappedThenCut)
{
    const TextFitter fitter(QStringLiteral("Noto Sans CJK KR"), kPrintDpi);
    const QString text = QStringLiteral("왼쪽 뒷다리 발굽 기형");
    // The text's width on one line at 9 points.
    const double wide = fitter.fit(text, QRectF(0, 0, 500, 20), sized(9), 9, {}).lines.at(0).rect.width();
    const double line8 = 8 * kLineSpacing * 25.4 / 72;  // mm a line of 8 points takes

    const struct Case {
        const char* what;
        QString text;
        double width, height;
        Style style;
        bool grow;
        double size;  // the size it is set in (0: between 8 and 9)
        int lines;    // how many lines (negative: at least that many)
        bool cut;
    } cases[] = {
        {"fits as it is", text, wide + 1, 10, sized(9), false, 9, 1, false},
        {"a little too wide: smaller, on one line", text, wide * 0.95, 10, sized(9), false, 0, 1, false},
        {"too wide even at 8 points: wrapped at the largest size whose lines fit", text, wide * 0.6, 12, sized(9),
         false, 9, 2, false},
        {"wrap breaks before it shrinks", text, wide * 0.95, 12, sized(9, true), false, 9, 2, false},
        {"wrapped at 8 points in a low box", text, wide * 0.6, 2 * line8 + 0.1, sized(9), false, 8, 2, false},
        {"one line of room: cut with an ellipsis, never below 8 points", text, wide * 0.6, line8 + 0.1, sized(9), false,
         8, 1, true},
        {"a growing box takes every line", text + u' ' + text + u' ' + text, wide * 0.6, line8, sized(9), true, 8, -4,
         false},
        {"a small size asked for is kept, and wrapped at", text, wide * 0.7, 10, sized(7), false, 7, 2, false},
        {"the text's own line breaks stay", QStringLiteral("체중\n(kg)"), 20, 10, sized(9), false, 9, 2, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Setting s = fitter.set(c.text, c.width, c.height, c.style, 9, c.grow);
        if (c.size > 0) {
            EXPECT_DOUBLE_EQ(s.size, c.size);
        } else {
            EXPECT_TRUE(s.size >= 8 && s.size < 9) << s.size;
        }
        if (c.lines > 0) {
            EXPECT_EQ(s.lines.size(), c.lines) << s.lines.join(u'|').toStdString();
        } else {
            EXPECT_GE(s.lines.size(), -c.lines) << s.lines.join(u'|').toStdString();
        }
        EXPECT_EQ(s.cut, c.cut);
        if (c.cut) {
            EXPECT_TRUE(s.lines.last().endsWith(kEllipsis));
            EXPECT_TRUE(squeezed(c.text).startsWith(squeezed(s.lines.join(QString())).chopped(1)));
        } else {
            EXPECT_EQ(squeezed(s.lines.join(QString())), squeezed(c.text));
        }
        if (!c.grow) {
            EXPECT_LE(s.height(), c.height + 1e-9);
        }
        // No line is wider than its box.
        const TextBlock b = fitter.place(c.text, s, QRectF(0, 0, c.width, s.height()), c.style, {});
        for (const TextLine& l : b.lines) EXPECT_LE(l.rect.width(), c.width + 1e-9) << l.text.toStdString();
    }
}

// Whether every line of a setting is made of whole words of the text.
bool wholeWords(const QStringList& lines, const QString& text)
{
    const QStringList words = QString(text).replace(u'\n', u' ').split(u' ', Qt::SkipEmptyParts);
    for (const QString& line : lines)
        for (const QString& word : line.split(u' ', Qt::SkipEmptyParts))
            if (!words.contains(word)) return false;
    return true;
}

TEST(ReportText, AWordIsNeverBrokenTheTextIsSetSmallerUntilItFits)
{
    const TextFitter fitter(QStringLiteral("Noto Sans CJK KR"), kPrintDpi);
    auto width = [&](const QString& text, double size) {
        return fitter.fit(text, QRectF(0, 0, 500, 20), sized(size), size, {}).lines.at(0).rect.width();
    };
    const QString date = QStringLiteral("2025-12-10");
    const QString word = QStringLiteral("인공수정");
    const QString header = QStringLiteral("수태당 수정횟수");
    const QString animal = QStringLiteral("KR002012345678");
    const struct Case {
        const char* what;
        QString text;
        double width;
        Style style;
        QStringList lines;  // empty: more than one, of whole words
        bool smaller;       // set below the minimum size
    } cases[] = {
        {"a word a little too wide", word, width(word, 8) * 0.9, sized(8), {word}, true},
        {"a date", date, width(date, 8) * 0.7, sized(8), {date}, true},
        {"a date from a larger size", date, width(date, 9) * 0.6, sized(9), {date}, true},
        {"a number in a wrap column",
         QStringLiteral("1234567.5"),
         width(QStringLiteral("1234567.5"), 8) * 0.8,
         sized(8, true),
         {QStringLiteral("1234567.5")},
         true},
        {"a two-word header: wrapped between its words, smaller for the longer",
         header,
         width(QStringLiteral("수정횟수"), 8) * 0.9,
         sized(8, true),
         {QStringLiteral("수태당"), QStringLiteral("수정횟수")},
         true},
        {"an animal number", animal, 15, sized(9), {animal}, true},
        {"a date that fits stays as it is", date, width(date, 8) + 0.5, sized(8), {date}, false},
        {"free text wraps at the readable size", kRemark, 60, sized(9, true), {}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Setting s = fitter.set(c.text, c.width, 5, c.style, 9, true);
        if (c.lines.isEmpty()) {
            EXPECT_GT(s.lines.size(), 2);
        } else {
            EXPECT_EQ(s.lines, c.lines);
        }
        EXPECT_TRUE(wholeWords(s.lines, c.text)) << s.lines.join(u'|').toStdString();
        EXPECT_EQ(squeezed(s.lines.join(QString())), squeezed(c.text));
        EXPECT_FALSE(s.cut);
        if (c.smaller) {
            EXPECT_LT(s.size, std::min(c.style.size, kMinimumSize));
            EXPECT_GE(s.size, kWordSize);
        } else {
            EXPECT_GE(s.size, std::min(c.style.size, kMinimumSize));
        }
        const TextBlock b = fitter.place(c.text, s, QRectF(0, 0, c.width, s.height()), c.style, {});
        for (const TextLine& l : b.lines) EXPECT_LE(l.rect.width(), c.width + 1e-9) << l.text.toStdString();
    }
    // Only a box too narrow for a word even at the smallest size breaks it.
    const Setting narrow = fitter.set(date, width(date, kWordSize) * 0.5, 5, sized(8), 9, true);
    EXPECT_DOUBLE_EQ(narrow.size, kWordSize);
    EXPECT_GT(narrow.lines.size(), 1);
    EXPECT_EQ(narrow.lines.join(QString()), date);
}

TEST(ReportLayout, ALongCellWrapsItsRowGrowsAndTheRowsAfterItMoveOntoTheNextPage)
{
    const Definition d = parsed(kList);
    Data plain;
    plain.rows = treatments(40);
    Data long_ = plain;
    long_.rows[2][1] = kRemark;   // the wrapping remark column
    long_.rows[4][2] = kFeature;  // a one-line column: smaller, then wrapped
    const Layout before = laidOut(d, plain);
    const Layout after = laidOut(d, long_);

    // The long texts are printed whole, at 8 points at least, inside rows that grew for them.
    for (const auto& [row, value] : {std::pair{2, kRemark}, std::pair{4, kFeature}}) {
        SCOPED_TRACE(row);
        int page = -1;
        const TextBlock* b = findText(after, value, &page);
        ASSERT_TRUE(b);
        EXPECT_FALSE(b->cut);
        EXPECT_GE(b->size, kMinimumSize);
        EXPECT_GT(b->lines.size(), 1);
        EXPECT_EQ(printed(*b), squeezed(value));
        const RowBox* grown = rowBox(after, row);
        ASSERT_TRUE(grown);
        EXPECT_GT(grown->rect.height(), d.table.rowHeight + 1);
        EXPECT_DOUBLE_EQ(b->cell.height(), grown->rect.height());  // every cell of the row as tall
        // The next row starts where the grown one ends.
        int nextPage = -1;
        const RowBox* next = rowBox(after, row + 1, &nextPage);
        ASSERT_TRUE(next);
        EXPECT_EQ(nextPage, page);
        EXPECT_DOUBLE_EQ(next->rect.top(), grown->rect.bottom());
    }

    // Fewer rows fit on page 1; the rest follow on the next pages, each once, in order, under the header.
    const QList<QList<int>> was = rowsByPage(before);
    const QList<QList<int>> is = rowsByPage(after);
    EXPECT_LT(is[0].size(), was[0].size());
    QList<int> all;
    for (const QList<int>& page : is) all += page;
    QList<int> expected;
    for (int i = 0; i < 40; ++i) expected << i;
    EXPECT_EQ(all, expected);
    const double footer = pageHeight(d) - d.margins.bottom() - d.footer.height;
    for (const PageLayout& page : after.pages) {
        ASSERT_FALSE(page.rows.isEmpty());
        EXPECT_EQ(page.rows.first().kind, RowBox::Header);
        for (int i = 1; i < page.rows.size(); ++i)
            EXPECT_DOUBLE_EQ(page.rows[i].rect.top(), page.rows[i - 1].rect.bottom());
        EXPECT_LE(page.rows.last().rect.bottom(), footer + 1e-9);
    }
    // The page count printed in the footer is the count laid out.
    const QString last = QStringLiteral("%1 / %1").arg(after.pages.size());
    EXPECT_TRUE(findText(after, last));
}

TEST(ReportLayout, ARowThatWouldBeTallerThanAPageIsCutWithAnEllipsis)
{
    const Definition d = parsed(kList);
    Data data;
    data.rows = treatments(3);
    const QString endless = kRemark.repeated(40);
    data.rows[1][1] = endless;
    const Layout l = laidOut(d, data);
    int page = -1;
    const TextBlock* b = findText(l, endless, &page);
    ASSERT_TRUE(b);
    EXPECT_TRUE(b->cut);
    EXPECT_TRUE(b->lines.last().text.endsWith(kEllipsis));
    EXPECT_GE(b->size, kMinimumSize);
    // It fills one page on its own; the row before it stays on the first, the one after follows it.
    EXPECT_EQ(rowsByPage(l), (QList<QList<int>>{{0}, {1}, {2}}));
}

TEST(ReportLayout, AFormRowGrowsAndMovesWhatIsBelowItButAFixedFormKeepsItsBoxes)
{
    const QString form = QStringLiteral(
        "[report]\n"
        "[header]\nheight = 10\ntext 0 0 * 8 center bold | 개체기록\n"
        "[form]\nheight = 22\n"
        "field 0 0 90 8 | 개체특징 | {특징}\n"
        "field 90 0 * 8 | 개체번호 | {번호}\n"
        "box 0 10 * 8 | 아래 칸\n"
        "line 0 20 * 20\n"
        "[table]\nsource = t\ncolumn 1 | 개체 | {1}\n");
    Data shortData;
    shortData.formulas = {{"특징", "흰 점"}, {"번호", "KR000001"}};
    shortData.rows = {{QStringLiteral("KR000002")}};
    Data longData = shortData;
    longData.formulas.set("특징", kFeature + QStringLiteral(" ") + kFeature);  // 121 characters

    // Growing: the whole text; its row (the other field too) taller; the box, the line and the table lower.
    {
        const Definition d = parsed(form);
        const Layout as = laidOut(d, shortData);
        const Layout grown = laidOut(d, longData);
        const TextBlock* b = findText(grown, longData.formulas.value("특징"));
        ASSERT_TRUE(b);
        EXPECT_FALSE(b->cut);
        EXPECT_EQ(printed(*b), squeezed(longData.formulas.value("특징")));
        const double growth = b->cell.height() - 8;
        EXPECT_GT(growth, 2);
        EXPECT_DOUBLE_EQ(findText(grown, "KR000001")->cell.height(), 8 + growth);
        EXPECT_DOUBLE_EQ(findText(grown, "개체번호")->cell.height(), 8 + growth);
        EXPECT_DOUBLE_EQ(findText(grown, "아래 칸")->cell.top(), findText(as, "아래 칸")->cell.top() + growth);
        EXPECT_DOUBLE_EQ(grown.pages[0].rules[0].from.y(), as.pages[0].rules[0].from.y() + growth);
        EXPECT_DOUBLE_EQ(grown.formHeight, 22 + growth);
        EXPECT_DOUBLE_EQ(grown.pages[0].rows[0].rect.top(), as.pages[0].rows[0].rect.top() + growth);
    }
    // Fixed: every frame where the file puts it; the text at 8 points, wrapped, and cut when it must be.
    {
        const Definition d = parsed(QString(form).replace("height = 22\n", "height = 22\nfixed = yes\n"));
        EXPECT_TRUE(d.form.fixed);
        const Layout as = laidOut(d, shortData);
        Data sixty = shortData;
        sixty.formulas.set("특징", kFeature);
        for (const Data* data : {&sixty, &longData}) {
            const QString value = data->formulas.value("특징");
            SCOPED_TRACE(value.size());
            const Layout kept = laidOut(d, *data);
            ASSERT_EQ(kept.pages[0].frames.size(), as.pages[0].frames.size());
            for (int i = 0; i < as.pages[0].frames.size(); ++i)
                EXPECT_EQ(kept.pages[0].frames[i].rect, as.pages[0].frames[i].rect) << i;
            EXPECT_DOUBLE_EQ(kept.formHeight, 22);
            const TextBlock* b = findText(kept, value);
            ASSERT_TRUE(b);
            EXPECT_DOUBLE_EQ(b->size, kMinimumSize);
            EXPECT_EQ(b->lines.size(), 2);
            EXPECT_EQ(b->cut, value.size() > 60);
            if (b->cut) {
                EXPECT_TRUE(b->lines.last().text.endsWith(kEllipsis));
            } else {
                EXPECT_EQ(printed(*b), squeezed(value));
            }
        }
    }
}

TEST(ReportLayout, BoldIfPrintsACellBoldOnlyInTheRowsThatAskForIt)
{
    const Definition d =
        parsed(QStringLiteral("[report]\n[table]\nsource = t\n"
                              "column 1 | 번호 | {1}\n"
                              "column 1 center boldif=3 | 남은 기간 | {2}\n"));
    EXPECT_EQ(d.table.columns[1].style.boldIf, 3);
    Data data;
    data.rows = {{"A", "휴약 1일 남음", "1"}, {"B", "휴약 2일 남음", ""}, {"C", "휴약 3일 남음"}};
    const Layout l = laidOut(d, data);
    EXPECT_TRUE(findText(l, "휴약 1일 남음")->bold);
    EXPECT_FALSE(findText(l, "휴약 2일 남음")->bold);
    EXPECT_FALSE(findText(l, "휴약 3일 남음")->bold);
    EXPECT_FALSE(findText(l, "A")->bold);
}

TEST(ReportLayout, ThePdfShowsEachWholeValueInItsCellOrItsBeginningAndAnEllipsis)
{
    const Definition d =
        parsed(kList + QStringLiteral("[form]\nheight = 10\nfixed = yes\nfield 0 0 * 8 label=20 | 메모 | {메모}\n"));
    Data data;
    data.rows = treatments(30);
    data.rows[2][1] = kRemark;
    data.rows[4][2] = kFeature;
    const QString memo = kRemark.repeated(3);  // far more than the fixed box holds
    data.formulas = {{"메모", memo}};
    const Layout l = laidOut(d, data);

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString pdf = dir.filePath(QStringLiteral("긴글.pdf"));
    {
        QPdfWriter writer(pdf);
        writer.setResolution(int(kPrintDpi));
        writer.setPageLayout(pageLayout(d));
        QString error;
        ASSERT_TRUE(render(d, data, &writer, &error)) << error.toStdString();
    }
    ASSERT_EQ(pdfPages(pdf).size(), l.pages.size());
    for (const QString& whole : {kRemark, kFeature}) {
        int page = -1;
        const TextBlock* b = findText(l, whole, &page);
        ASSERT_TRUE(b);
        EXPECT_EQ(squeezed(pdfTextIn(pdf, page + 1, b->cell)), squeezed(whole));
    }
    const TextBlock* cut = findText(l, memo);
    ASSERT_TRUE(cut);
    const QString shown = squeezed(pdfTextIn(pdf, 1, cut->cell));
    EXPECT_TRUE(shown.endsWith(kEllipsis)) << shown.toStdString();
    EXPECT_TRUE(squeezed(memo).startsWith(shown.chopped(1))) << shown.toStdString();
    EXPECT_EQ(pdfText(pdf).count(kEllipsis), 1);
}
