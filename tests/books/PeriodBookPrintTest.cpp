// Printing the three period books: the work table filled from the grid by position, the farm
// name read when the window opened, nothing printed without rows or without a Yes, and the
// books' own report files rendered to PDF.
#include "books/BookFixture.h"
#include "books/PeriodBookWindow.h"
#include "books/model/RecordBooks.h"
#include "data/Db.h"
#include "data/Globals.h"
#include "print/PrintScript.h"
#include "print/ReportJob.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <functional>

using namespace books;

namespace {

class PeriodBookPrintTest : public BookTest {
protected:
    PeriodBookPrintTest() { farm.exec(QStringLiteral("update 농장정보 set 사업장명칭 = ' 햇살한우농장 '")); }

    // Replaces the book's report in the farm's rpt folder by a plain one over its work table,
    // so that these tests see the print command and not the report's design.
    void plainReport(const BookSpec& book)
    {
        QFile f(farm.dir() + QStringLiteral("/rpt/") + book.reportFile);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(QStringLiteral("[report]\n[header]\nheight = 8\ntext 0 0 * 8 | {농장명}\n[table]\nsource = %1\n"
                               "column 10 | 번호 | {1}\n")
                    .arg(book.workTable)
                    .toUtf8());
    }
    // Queries the period and prints it, answering the question with `answer`.
    void queryAndPrint(PeriodBookWindow& w, const QDate& start, const QDate& end, MsgButton answer = MsgButton::Yes)
    {
        w.setPeriod(start, end);
        w.query();
        PrintScript print;
        farm.messages().answer(answer);
        w.functionButton(ListButton::Print)->click();
    }
    static QStringList workRows(const BookSpec& book)
    {
        return tableRows(QStringLiteral("select * from %1 order by rowid").arg(book.workTable));
    }
};

}  // namespace

TEST_F(PeriodBookPrintTest, PrintFillsTheWorkTableFromTheGridByPositionAndPassesTheFarmName)
{
    allowSecondGradings();
    cow(QStringLiteral("KR001"), {{QStringLiteral("정액번호"), "0835"}, {QStringLiteral("모번호"), "KR900"}});
    bull(QStringLiteral("KR002"), {{QStringLiteral("정액번호"), "1203"}});
    farm.addBreeding(QStringLiteral("KR001"), 20091120,
                     {{QStringLiteral("산차"), 2},
                      {QStringLiteral("회수"), 1},
                      {QStringLiteral("정액번호"), "1203"},
                      {QStringLiteral("공란우"), "O'Brien"},
                      {QStringLiteral("인공수정자"), " 김수정 "},
                      {QStringLiteral("분만난이도"), "2"},
                      {QStringLiteral("예정일"), 20100915},
                      {QStringLiteral("분만일"), 20091205},
                      {QStringLiteral("성별"), 1},
                      {QStringLiteral("생시체중"), 1250},
                      {QStringLiteral("송아지번호"), "KR001-C"}});
    farm.addBreeding(QStringLiteral("KR001"), 20091201,
                     {{QStringLiteral("예정일"), 20100907},
                      {QStringLiteral("분만일"), 20091203},
                      {QStringLiteral("성별"), 0},
                      {QStringLiteral("비고"), "유산"}});
    grading(QStringLiteral("KR002"), 20091208,
            {{QStringLiteral("작업장"), "축산물공판장"},
             {QStringLiteral("생체중"), 650.4},
             {QStringLiteral("도체중"), 1420},
             {QStringLiteral("등심단면적"), 95.5},
             {QStringLiteral("최종등급"), "1++"},
             {QStringLiteral("경락가"), 15000}});
    grading(QStringLiteral("KR002"), 20091130, {{QStringLiteral("최종등급"), "1+"}});
    grading(QStringLiteral("KR001"), 20091201);

    const struct {
        const BookSpec& (*book)();
        QStringList stored;
    } cases[] = {
        {matingBook,
         {"KR001 |  | 2 | 1 | ㅇ | 1203 | O'Brien | 2009-11-20 | 김수정 | 2 (10-09-15)",
          "KR001 |  | 0 | 0 | × |  |  | 2009-12-01 |  | (10-09-07)"}},
        {calvingBook,
         {"KR001 | O'Brien | 2 | 1203 | 2009-12-05 | KR001-C | 수 | 1,250 | 2 | ",
          "KR001 |  | 0 |  | 2009-12-03 |  | 암 | 0 |  | 유산"}},
        {shipmentBook,
         {"KR002 | 수 | 1203 |  | 09-11-30 |  | 0 | 0 | 0 | 0 | 0 |  | 1+ | 0",
          "KR001 | 암 | 0835 | KR900 | 09-12-01 |  | 0 | 0 | 0 | 0 | 0 |  |  | 0",
          "KR002 | 수 | 1203 |  | 09-12-08 | 축산물공판장 | 650 | 1,420 | 95.5 | 0 | 0 |  | 1++ | 15,000"}},
    };
    for (const auto& c : cases) {
        const BookSpec& book = c.book();
        SCOPED_TRACE(book.name.toStdString());
        plainReport(book);
        farm.messages().clear();
        PeriodBookWindow w(book);
        const int runsBefore = reportControl().runCount();
        queryAndPrint(w, QDate(2009, 11, 1), QDate(2009, 12, 31));

        ASSERT_EQ(farm.messages().count(), 1) << farm.messages().last().text.toStdString();
        EXPECT_EQ(farm.messages().last().icon, MsgIcon::Question);
        EXPECT_EQ(farm.messages().last().title, QStringLiteral("출력확인"));
        EXPECT_EQ(farm.messages().last().text, book.question);
        EXPECT_EQ(reportControl().runCount(), runsBefore + 1);
        EXPECT_TRUE(reportControl().reportFileName.endsWith(QStringLiteral("rpt/") + book.reportFile));
        EXPECT_EQ(reportControl().windowTitle, book.previewTitle);
        EXPECT_EQ(reportControl().formulas, (report::Formulas{{"농장명", "햇살한우농장"}}));
        EXPECT_EQ(farm.count(book.workTable), c.stored.size());
        EXPECT_EQ(workRows(book), c.stored);
    }
}

TEST_F(PeriodBookPrintTest, TheFarmNameIsTheOneReadWhenTheWindowOpened)
{
    cow(QStringLiteral("KR001"));
    farm.addBreeding(QStringLiteral("KR001"), dn(kToday));
    plainReport(matingBook());
    farm.exec(QStringLiteral("update 농장정보 set 사업장명칭 = 'O''Neil 한우'"));
    {
        PeriodBookWindow w(matingBook());
        farm.exec(QStringLiteral("update 농장정보 set 사업장명칭 = '들꽃목장'"));
        queryAndPrint(w, kToday, kToday);
        EXPECT_EQ(reportControl().formulas, (report::Formulas{{"농장명", "O'Neil 한우"}}));
    }
    // The next opening reads the new name.
    PeriodBookWindow w(matingBook());
    queryAndPrint(w, kToday, kToday);
    EXPECT_EQ(reportControl().formulas, (report::Formulas{{"농장명", "들꽃목장"}}));
}

TEST_F(PeriodBookPrintTest, WithoutRowsOrWithoutAYesTheWorkTableKeepsTheLastPrint)
{
    cow(QStringLiteral("KR001"));
    farm.addBreeding(QStringLiteral("KR001"), dn(kToday), {{QStringLiteral("분만일"), dn(kToday)}});
    grading(QStringLiteral("KR001"), dn(kToday));
    for (const BookSpec* book : {&matingBook(), &calvingBook(), &shipmentBook()}) {
        SCOPED_TRACE(book->name.toStdString());
        ASSERT_TRUE(farm.open());  // a closed window gave its connection back
        plainReport(*book);
        QStringList last;
        for (int c = 0; c < book->columns; ++c) last << QStringLiteral("지난번");
        farm.exec(
            QStringLiteral("insert into %1 values ('%2')").arg(book->workTable, last.join(QStringLiteral("', '"))));
        const int runsBefore = reportControl().runCount();

        const struct {
            const char* what;
            QDate start;
            MsgButton answer;
            const QString& message;
        } cases[] = {
            {"no rows", kToday.addDays(1), MsgButton::Yes, book->nothingMessage},
            {"answered No", kToday, MsgButton::No, book->question},
        };
        for (const auto& c : cases) {
            SCOPED_TRACE(c.what);
            ASSERT_TRUE(farm.open());
            farm.messages().clear();
            PeriodBookWindow w(*book);
            queryAndPrint(w, c.start, kToday, c.answer);
            EXPECT_EQ(farm.messages().last().text, c.message);
            EXPECT_EQ(workRows(*book), QStringList({last.join(QStringLiteral(" | "))}));
        }
        EXPECT_EQ(reportControl().runCount(), runsBefore);
    }
}

TEST_F(PeriodBookPrintTest, EachBookPrintsOnLandscapePagesWithTheFarmNameHeadersAndPageNumberOnEveryPage)
{
    // Enough rows for more than one page.
    constexpr int kAnimals = 60;
    for (int i = 1; i <= kAnimals; ++i) {
        const QString number = QStringLiteral("KR%1").arg(4100000000LL + i, 12, 10, QChar(u'0'));
        const qint64 day = dn(QDate(2009, 11, 1).addDays(i % 30));
        cow(number, {{QStringLiteral("정액번호"), "1203"}, {QStringLiteral("모번호"), "KR900"}});
        farm.addBreeding(number, day,
                         {{QStringLiteral("분만일"), day},
                          {QStringLiteral("성별"), i % 2},
                          {QStringLiteral("생시체중"), 1250},
                          {QStringLiteral("예정일"), 20100915},
                          {QStringLiteral("분만난이도"), "순산"},
                          {QStringLiteral("인공수정자"), "김수정"}});
        grading(number, day,
                {{QStringLiteral("생체중"), 650.4},
                 {QStringLiteral("경락가"), 15000},
                 {QStringLiteral("작업장"), "축산물공판장"},
                 {QStringLiteral("최종등급"), "1++"}});
    }
    const struct {
        const BookSpec& (*book)();
        const char* header;  // a column header short enough never to wrap
        QStringList values;  // texts a printed row shows
    } cases[] = {
        {matingBook, "산차", {"2009-11-02", "김수정", "(10-09-15)"}},
        {calvingBook, "산차", {"2009-11-02", "1,250"}},
        {shipmentBook, "출하일", {"09-11-02", "축산물공판장", "15,000", "1++"}},
    };
    QTemporaryDir out;
    ASSERT_TRUE(out.isValid());
    for (const auto& c : cases) {
        const BookSpec& book = c.book();
        SCOPED_TRACE(book.name.toStdString());
        ASSERT_TRUE(QFile::exists(farm.dir() + QStringLiteral("/rpt/") + book.reportFile));
        farm.messages().clear();
        PeriodBookWindow w(book);
        w.setPeriod(QDate(2009, 11, 1), QDate(2009, 11, 30));
        w.query();
        ASSERT_EQ(w.rowCount(), kAnimals);
        const QString pdf = out.filePath(book.name + QStringLiteral(".pdf"));
        {
            PrintScript print;
            print.savePdf(pdf);
            farm.messages().answer(MsgButton::Yes);
            w.functionButton(ListButton::Print)->click();
        }
        ASSERT_EQ(farm.messages().count(), 1) << farm.messages().last().text.toStdString();

        const QStringList pages = pdfPages(pdf);
        ASSERT_GE(pages.size(), 2);
        for (int p = 0; p < pages.size(); ++p) {
            SCOPED_TRACE(p + 1);
            // The farm name, the table's header row and the page's number on every page.
            EXPECT_TRUE(pages[p].contains(QStringLiteral("햇살한우농장")));
            EXPECT_TRUE(pages[p].contains(QString::fromUtf8(c.header)));
            EXPECT_TRUE(QString(pages[p]).remove(u' ').contains(QStringLiteral("%1/%2").arg(p + 1).arg(pages.size())));
        }
        const QString text = pages.join(u'\n');
        for (int i : {1, kAnimals})
            EXPECT_TRUE(text.contains(QStringLiteral("%1").arg(4100000000LL + i, 12, 10, QChar(u'0'))));
        for (const QString& v : c.values) EXPECT_TRUE(text.contains(v)) << v.toStdString();

        QProcess info;
        info.start(QStringLiteral("pdfinfo"), {pdf});
        ASSERT_TRUE(info.waitForFinished(20000));
        const QString about = QString::fromUtf8(info.readAllStandardOutput());
        // A4 across: 842 x 595 points.
        EXPECT_TRUE(about.contains(QStringLiteral("841.89 x 595.276")) || about.contains(QStringLiteral("842 x 595")))
            << about.toStdString();
    }
}
