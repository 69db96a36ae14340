// Reading report files: what the format accepts, what it refuses, and how rows are paged.
#include "print/LayoutCheck.h"
#include "print/model/ReportDefinition.h"
#include "print/model/ReportFormulas.h"
#include "print/model/ReportRenderer.h"
#include "support/TestHelpers.h"

#include <gtest/gtest.h>
#include <QDir>

using namespace report;
using layoutcheck::parsed;

namespace {

const QString kMinimal = QStringLiteral("[report]\n");

}  // namespace

TEST(ReportFormat, EveryShippedReportParses)
{
    const QDir dir(QStringLiteral(TARVIK_SOURCE_DIR "/rpt"));
    const QStringList files = dir.entryList({QStringLiteral("*.rpt")}, QDir::Files);
    EXPECT_FALSE(files.isEmpty());
    for (const QString& f : files) {
        Definition d;
        QString error;
        EXPECT_TRUE(loadDefinition(dir.filePath(f), &d, &error)) << f.toStdString() << ": " << error.toStdString();
    }
}

TEST(ReportFormat, SampleReportReadsAllSections)
{
    Definition d;
    QString error;
    ASSERT_TRUE(loadDefinition(QStringLiteral(TARVIK_SOURCE_DIR "/rpt/시험출력.rpt"), &d, &error))
        << error.toStdString();
    EXPECT_FALSE(d.landscape);
    EXPECT_EQ(d.margins, QMarginsF(15, 12, 15, 12));
    EXPECT_TRUE(d.header.present);
    EXPECT_DOUBLE_EQ(d.header.height, 24);
    EXPECT_EQ(d.header.elements.size(), 4);
    EXPECT_TRUE(d.form.present);
    EXPECT_EQ(d.form.elements.at(0).kind, Element::Field);
    EXPECT_TRUE(d.table.present);
    EXPECT_EQ(d.table.source, QStringLiteral("일일관리"));
    EXPECT_EQ(d.table.columns.size(), 8);
    EXPECT_DOUBLE_EQ(d.table.rowHeight, 7);
    EXPECT_TRUE(d.footer.present);
}

TEST(ReportFormat, ElementsAndOptions)
{
    const Definition d = parsed(kMinimal + QStringLiteral("orientation = landscape\n"
                                                          "[header]\n"
                                                          "height = 20\n"
                                                          "text 0 0 * 10 center bold size=16 | {타이틀} 외 | 기호\n"
                                                          "field 0 12 90 8 label=30 right | 농장 | {농장명}\n"
                                                          "line 0 19 * 19 pen=0.5\n"
                                                          "box 1.5 2 3 4 top shade wrap |\n"));
    EXPECT_TRUE(d.landscape);
    ASSERT_EQ(d.header.elements.size(), 4);
    const Element& t = d.header.elements[0];
    EXPECT_TRUE(t.toEdge);
    EXPECT_EQ(t.style.horizontal, Qt::AlignHCenter);
    EXPECT_TRUE(t.style.bold);
    EXPECT_DOUBLE_EQ(t.style.size, 16);
    // Everything after the first bar is the text, bars included.
    ASSERT_EQ(t.text.size(), 2);
    EXPECT_EQ(t.text[0].type, Part::Formula);
    EXPECT_EQ(t.text[1].text, QStringLiteral(" 외 | 기호"));
    const Element& f = d.header.elements[1];
    EXPECT_DOUBLE_EQ(f.style.label, 30);
    EXPECT_EQ(f.label.at(0).text, QStringLiteral("농장"));
    EXPECT_EQ(f.text.at(0).text, QStringLiteral("농장명"));
    EXPECT_EQ(d.header.elements[2].kind, Element::Line);
    EXPECT_DOUBLE_EQ(d.header.elements[2].style.pen, 0.5);
    const Element& b = d.header.elements[3];
    EXPECT_EQ(b.style.horizontal, Qt::AlignHCenter);  // boxes centre by default
    EXPECT_EQ(b.style.vertical, Qt::AlignTop);
    EXPECT_TRUE(b.style.shade && b.style.wrap);
    EXPECT_DOUBLE_EQ(b.x, 1.5);
}

TEST(ReportFormat, PlaceholdersResolve)
{
    const Definition d = parsed(
        kMinimal +
        QStringLiteral("[table]\nsource = t\n"
                       "column 10 | {{제목}} {@제목}\\n{@쪽}/{@쪽수} | {@번호}. {2}{9}:{없는이름}:{ 농장명 }\n"));
    Data data;
    data.title = QStringLiteral("목록");
    data.formulas.set(QStringLiteral("농장명"), QStringLiteral("한빛"));
    const Column& c = d.table.columns.at(0);
    EXPECT_EQ(resolve(c.header, data, 2, 5), QStringLiteral("{제목} 목록\n2/5"));
    const QStringList row = {QStringLiteral("a"), QStringLiteral("b")};
    // A column beyond the row and an unassigned formula print empty.
    EXPECT_EQ(resolve(c.cell, data, 1, 1, &row, 7), QStringLiteral("7. b::한빛"));
}

TEST(ReportFormat, MistakesAreRefusedWithTheLine)
{
    struct Case {
        const char* text;
        const char* line;
    };
    const Case cases[] = {
        {"", "줄 1"},                      // no [report]
        {"[header]\n", "줄 1"},            // must start with [report]
        {"[report]\n[report]\n", "줄 2"},  // section twice
        {"[report]\n[page]\n", "줄 2"},    // unknown section
        {"[report]\norientation = sideways\n", "줄 2"},
        {"[report]\npage = B5\n", "줄 2"},
        {"[report]\nmargins = 1 2 3\n", "줄 2"},
        {"[report]\ncolour = red\n", "줄 2"},               // unknown key
        {"[report]\n[header]\ntext 0 0 10 | x\n", "줄 3"},  // too few numbers
        {"[report]\n[header]\ntext 0 0 ten 5 | x\n", "줄 3"},
        {"[report]\n[header]\ntext 0 0 10 5 blink | x\n", "줄 3"},  // unknown option
        {"[report]\n[header]\ntext 0 0 10 5 | {농장명\n", "줄 3"},  // unclosed brace
        {"[report]\n[header]\ntext 0 0 10 5 | {@없음}\n", "줄 3"},
        {"[report]\n[header]\ntext 0 0 10 5 | {3}\n", "줄 3"},  // columns only in cells
        {"[report]\n[header]\nfield 0 0 10 5 | 이름표만\n", "줄 3"},
        {"[report]\n[header]\ncolumn 10 | a | b\n", "줄 3"},
        {"[report]\n[table]\nsource = t\ncolumn 10 | 제목만\n", "줄 4"},
        {"[report]\n[table]\nsource = t\ncolumn 0 | a | b\n", "줄 4"},
        {"[report]\n[table]\ncolumn 10 | a | {1}\n", "줄 4"},  // no source (checked at the end)
        {"[report]\n[table]\nsource = t\n", "줄 4"},           // no columns
        {"[report]\n[table]\nsource = t\nrow-height = 0\n", "줄 4"},
        {"[report]\nthis is not a setting\n", "줄 2"},
        {"[report]\n[header]\nheight = 200\n[footer]\nheight = 100\n", "줄 6"},  // bands higher than the page
        {"[report]\n[header]\nheight = 20\n[form]\nheight = 260\n", "줄 6"},     // a form taller than its page
        {"[report]\n[header]\ntext 0 0 10 5 boldif=2 | x\n", "줄 3"},            // boldif only in table columns
        {"[report]\n[table]\nsource = t\ncolumn 1 boldif=0 | a | b\n", "줄 4"},
        {"[report]\n[table]\nsource = t\ncolumn 1 boldif=1.5 | a | b\n", "줄 4"},
        {"[report]\n[form]\nfixed = maybe\n", "줄 3"},
        {"[report]\n[header]\nfixed = yes\n", "줄 3"},                      // only a form can be fixed
        {"[report]\n[table]\nsource = t\nsection-title = 제목\n", "줄 4"},  // no column
        {"[report]\n[table]\nsource = t\nsection-header = 0 머리\n", "줄 4"},
        {"[report]\n[table]\nsource = t\nsection-title = 1\n", "줄 4"},  // no text
        {"[report]\n[header]\nsection-title = 1 제목\n", "줄 3"},        // only a table has sections
    };
    for (const Case& c : cases) {
        Definition d;
        QString error;
        EXPECT_FALSE(parseDefinition(QString::fromUtf8(c.text), &d, &error)) << c.text;
        EXPECT_TRUE(error.startsWith(QString::fromUtf8(c.line))) << c.text << " -> " << error.toStdString();
    }
}

TEST(ReportFormat, CommentsBlankLinesAndCrLfAreIgnored)
{
    const Definition d = parsed(QStringLiteral("# 머리 주석\r\n\r\n[report]\r\n  size = 11  \r\n# 끝\r\n"));
    EXPECT_DOUBLE_EQ(d.size, 11);
}

TEST(ReportFormat, RowsArePagedUnderHeaderFormAndAboveFooter)
{
    // Portrait: printable height 297 - 12 - 12 = 273; header 23, footer 10 -> body 240 mm.
    const QString base =
        kMinimal + QStringLiteral(
                       "[header]\nheight = 23\n[footer]\nheight = 10\n"
                       "[table]\nsource = t\nheader-height = 10\nrow-height = 10\ncolumn 1 | a | {1}\n");
    const Definition plain = parsed(base);
    QList<PagePlan> pages;
    QString error;
    ASSERT_TRUE(planPages(plain, 0, &pages, &error));
    ASSERT_EQ(pages.size(), 1);  // an empty table still prints its header and the empty line
    EXPECT_TRUE(pages[0].hasTable);
    ASSERT_TRUE(planPages(plain, 23, &pages, &error));
    EXPECT_EQ(pages.size(), 1);  // (240 - 10) / 10 = 23 rows fit exactly
    ASSERT_TRUE(planPages(plain, 24, &pages, &error));
    ASSERT_EQ(pages.size(), 2);
    EXPECT_EQ(pages[1].firstRow, 23);
    EXPECT_EQ(pages[1].rowCount, 1);
    EXPECT_DOUBLE_EQ(pages[1].tableTop, 12 + 23);

    // A form on page 1 takes room from the first page only.
    const Definition withForm = parsed(base + QStringLiteral("[form]\nheight = 50\n"));
    ASSERT_TRUE(planPages(withForm, 40, &pages, &error));
    ASSERT_EQ(pages.size(), 2);
    EXPECT_EQ(pages[0].rowCount, 18);
    EXPECT_DOUBLE_EQ(pages[0].tableTop, 12 + 23 + 50);
    EXPECT_EQ(pages[1].rowCount, 22);

    // A form that fills page 1 sends the whole table to page 2.
    const Definition fullForm = parsed(base + QStringLiteral("[form]\nheight = 235\n"));
    ASSERT_TRUE(planPages(fullForm, 5, &pages, &error));
    ASSERT_EQ(pages.size(), 2);
    EXPECT_FALSE(pages[0].hasTable);
    EXPECT_EQ(pages[1].rowCount, 5);

    const Definition tooTall =
        parsed(kMinimal + QStringLiteral("[table]\nsource = t\nrow-height = 300\ncolumn 1 | a | {1}\n"));
    EXPECT_FALSE(planPages(tooTall, 1, &pages, &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(ReportFormat, FormulasKeepTheirOrderAndTheLastValueGivenToAName)
{
    Formulas f{{"농장명", "한빛 농장"}, {"입식일자", ""}, {"별명", "O'Neil의 소"}};
    f.set("농장명", "들꽃목장");  // given again: the new value, in its old place
    f.set("점수", "12");
    EXPECT_EQ(f.names(), QStringList({"농장명", "입식일자", "별명", "점수"}));
    EXPECT_EQ(f.size(), 4);
    EXPECT_EQ(f.value("농장명"), "들꽃목장");
    EXPECT_EQ(f.value("별명"), "O'Neil의 소");
    EXPECT_EQ(f.value("점수"), "12");
    // An empty value is a formula given; a name never given reads empty too, but is not there.
    EXPECT_TRUE(f.contains("입식일자"));
    EXPECT_EQ(f.value("입식일자"), "");
    EXPECT_FALSE(f.contains("없는이름"));
    EXPECT_EQ(f.value("없는이름"), "");

    f.add(Formulas{{"점수", "13"}, {"타이틀", "목록"}});
    EXPECT_EQ(
        f, (Formulas{
               {"농장명", "들꽃목장"}, {"입식일자", ""}, {"별명", "O'Neil의 소"}, {"점수", "13"}, {"타이틀", "목록"}}));
    // A name twice in one list: the later value, as the report always printed.
    EXPECT_EQ((Formulas{{"a", "1"}, {"b", "2"}, {"a", "3"}}), (Formulas{{"a", "3"}, {"b", "2"}}));
    // Equal means the same names, values and order.
    EXPECT_NE((Formulas{{"a", "1"}, {"b", "2"}}), (Formulas{{"b", "2"}, {"a", "1"}}));
    EXPECT_NE((Formulas{{"a", "1"}}), (Formulas{{"a", ""}}));
    EXPECT_NE((Formulas{{"a", ""}}), Formulas{});
    EXPECT_TRUE(Formulas{}.isEmpty());
}
