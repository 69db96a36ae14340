// Every report file shipped in rpt/ printed to PDF through the print sequence, filled with
// sample rows and a value for every formula it names: no placeholder may be left on any page.
#include "data/Db.h"
#include "print/LayoutCheck.h"
#include "print/PrintFixture.h"
#include "print/ReportNames.h"
#include "print/model/ReportDefinition.h"
#include "print/model/ReportRenderer.h"

#include <QDir>
#include <QMap>
#include <QRegularExpression>
#include <QSqlField>
#include <QSqlRecord>

namespace {

// What each shipped report is printed with. A new report file needs a line here.
struct Sample {
    QString file;
    QString title;         // printed as the report's title: its fixed text, or the title it is handed
    QStringList formulas;  // the formula names its print command hands over; the report shows each
};

QStringList names(std::initializer_list<const char*> list)
{
    QStringList out;
    for (const char* name : list) out << QString::fromUtf8(name);
    return out;
}

// The animal's registration data and the farm's, as the history prints hand them over.
QStringList historyFormulas(bool bull)
{
    QStringList out = names({"개체번호", "개체생일", "등록번호", "별명", "입식일자", "정액번호", "부번호", "농장명",
                             "축산업등록번호", "모번호", "판매일", "점수", "개체특징", "우방번호"});
    if (bull) out << names({"출하예정일", "출하일"});
    return out;
}

// The record book: registration, eight growth-stage blocks, five body-measurement rows, grading.
QStringList recordBookFormulas(bool bull)
{
    QStringList out = names({"개체번호", "개체생일", "등록번호", "별명", "입식일자", "정액번호", "부번호", "농장명",
                             "축산업등록번호", "모번호", "판매일", "점수", "개체특징"});
    out << names({"생시1", "생시2", "입식1", "입식2", "월령0"});
    for (const char* stage : {"12월령", "18월령", "24월령", "28월령", "32월령", "월령"})
        for (int i = 1; i <= 9; ++i) out << QString::fromUtf8(stage) + QString::number(i);
    for (int row = 1; row <= 5; ++row)
        for (int column = 1; column <= 13; ++column) out << QStringLiteral("체%1%2").arg(row).arg(column);
    for (int i = 1; i <= 14; ++i) out << QStringLiteral("도%1").arg(i);
    out << names({"출하일", "등급판정사", "우방번호"});
    if (bull) out << QStringLiteral("출하예정일");
    return out;
}

const Sample kSamples[] = {
    {QStringLiteral("TarvikList.rpt"), QStringLiteral("한우 개체 목록"), names({"농장명"})},
    {QStringLiteral("시험출력.rpt"), QStringLiteral("한우 시험 목록"), names({"타이틀", "농장명", "비고"})},
    {QStringLiteral("일일관리.rpt"), QStringLiteral("재발정예정 개체일람"),
     names({"타이틀", "어제", "오늘", "내일", "모레"})},
    {QStringLiteral("휴약중개체.rpt"), QStringLiteral("휴약중 개체일람"), names({"타이틀", "기준일"})},
    {QStringLiteral("예방접종예정.rpt"), QStringLiteral("예방접종 예정"), names({"타이틀", "기준일", "조회범위"})},
    {QStringLiteral("암소개체기록부.rpt"), QStringLiteral("한우(암소) 개체기록부"), recordBookFormulas(false)},
    {QStringLiteral("수소개체기록부.rpt"), QStringLiteral("한우(수소) 개체기록부"), recordBookFormulas(true)},
    {QStringLiteral("번식기록.rpt"), QStringLiteral("한우(암소) 번식기록부"), historyFormulas(false)},
    {QStringLiteral("진료백신암.rpt"), QStringLiteral("한우(암소) 진료·백신 기록부"), historyFormulas(false)},
    {QStringLiteral("진료백신수.rpt"), QStringLiteral("한우(수소) 진료·백신 기록부"), historyFormulas(true)},
    {QStringLiteral("교배기록부.rpt"), QStringLiteral("한우 교배기록부"), names({"농장명"})},
    {QStringLiteral("분만기록부.rpt"), QStringLiteral("한우 분만기록부"), names({"농장명"})},
    {QStringLiteral("출하성적기록부.rpt"), QStringLiteral("한우 출하성적기록부"), names({"농장명"})},
    {QStringLiteral("축산분뇨관리대장.rpt"), QStringLiteral("축산분뇨관리대장"), names({"농장명"})},
    {QStringLiteral("성적분석.rpt"), QStringLiteral("한우 성적분석"), names({"농장명", "기간"})},
    {QStringLiteral("교배계획.rpt"), QStringLiteral("교배계획"), names({"농장명", "기준일", "조건"})},
    {QStringLiteral("교배순위.rpt"), QStringLiteral("교배 순위"), names({"농장명", "개체번호", "개체요약", "기준일"})},
};

// The first text column of the work table that the table prints: its values identify the rows
// on the pages (a number column, such as a parity, could not hold them).
int keyColumn(const report::Definition& d, const QList<bool>& textColumns)
{
    for (const report::Column& c : d.table.columns)
        for (const report::Part& p : c.cell)
            if (p.type == report::Part::Column && textColumns.value(p.column - 1)) return p.column;
    return 0;
}

// For each column of a work table, by position: whether it holds text.
QList<bool> workTableTextColumns(const QString& table)
{
    QString quoted = table;
    quoted.replace(u'"', QStringLiteral("\"\""));
    const QSqlRecord record = runQuery(QStringLiteral("select * from \"%1\" limit 0").arg(quoted)).record();
    QList<bool> text;
    for (int i = 0; i < record.count(); ++i) text << (record.field(i).metaType().id() == QMetaType::QString);
    return text;
}

// Just enough rows for the table to run onto a second page.
int rowsForTwoPages(const report::Definition& d)
{
    QList<report::PagePlan> plan;
    QString error;
    for (int rows = 1; rows < 500; ++rows)
        if (report::planPages(d, rows, &plan, &error) && plan.size() >= 2) return rows;
    return 1;
}

QString keyValue(int row)
{
    return QStringLiteral("KR%1").arg(row, 6, 10, QChar(u'0'));
}

}  // namespace

TEST_F(PrintTest, EveryShippedReportPrintsEveryValueAndNoPlaceholder)
{
    const QDir dir(QStringLiteral(TARVIK_SOURCE_DIR "/rpt"));
    const QStringList files = dir.entryList({QStringLiteral("*.rpt")}, QDir::Files, QDir::Name);
    ASSERT_FALSE(files.isEmpty());
    QMap<QString, Sample> samples;
    for (const Sample& s : kSamples) samples.insert(s.file, s);
    for (const Sample& s : kSamples)
        EXPECT_TRUE(files.contains(s.file)) << s.file.toStdString() << " has a sample but is not shipped in rpt/";

    for (const QString& file : files) {
        SCOPED_TRACE(file.toStdString());
        if (!samples.contains(file)) {
            ADD_FAILURE() << file.toStdString()
                          << " has no sample: add it to kSamples in tests/print/ShippedReportsTest.cpp";
            continue;
        }
        const Sample& sample = samples[file];
        report::Definition def;
        QString error;
        ASSERT_TRUE(report::loadDefinition(dir.filePath(file), &def, &error)) << error.toStdString();

        // The report names exactly what its command hands over: a formula left out is never printed,
        // a misspelt one prints empty.
        QStringList handedOver = sample.formulas;
        handedOver.sort();
        EXPECT_EQ(handedOver.removeDuplicates(), 0);
        const QStringList named = formulaNames(def);
        QStringList missing, unknown;
        for (const QString& name : std::as_const(handedOver))
            if (!named.contains(name)) missing << name;
        for (const QString& name : named)
            if (!handedOver.contains(name)) unknown << name;
        EXPECT_TRUE(missing.isEmpty()) << "never shown: " << missing.join(u' ').toStdString();
        EXPECT_TRUE(unknown.isEmpty()) << "not handed over: " << unknown.join(u' ').toStdString();

        // Each formula gets a value of its own (the title formula the title), so each can be found.
        // Three digits: a record book names over a hundred formulas, and 값10 must not be found in 값105.
        QMap<QString, QString> values;
        int n = 0;
        for (const QString& name : std::as_const(handedOver))
            values.insert(name, name == QStringLiteral("타이틀") ? sample.title
                                                                 : QStringLiteral("값%1").arg(++n, 3, 10, QChar(u'0')));
        report::Formulas formulas;
        for (auto it = values.cbegin(); it != values.cend(); ++it) formulas.set(it.key(), it.value());

        int key = 0;
        QList<QVariantList> rows;
        if (def.table.present) {
            const QList<bool> textColumns = workTableTextColumns(def.table.source);
            const int columns = int(textColumns.size());
            ASSERT_GT(columns, 0) << "no work table " << def.table.source.toStdString();
            key = keyColumn(def, textColumns);
            EXPECT_GT(key, 0) << "the table prints no text column of " << def.table.source.toStdString();
            for (int r = 1, count = rowsForTwoPages(def); r <= count; ++r) {
                QVariantList row;
                for (int c = 1; c <= columns; ++c)
                    row << (c == key ? keyValue(r) : QStringLiteral("%1.%2").arg(r).arg(c));
                rows << row;
            }
        }

        const QString pdf = out.filePath(QFileInfo(file).completeBaseName() + QStringLiteral(".pdf"));
        dialogSavesPdf(pdf);
        PrintRequest r;
        r.question = QStringLiteral("시험 출력을 출력 하시겠습니까?");
        r.reportFile = file;
        r.previewTitle = sample.title;
        r.workTable = def.table.present ? def.table.source : QString();
        r.rows = [rows] { return rows; };
        r.formulas = [formulas] { return formulas; };
        ASSERT_EQ(runPrintSequence(r), PrintOutcome::Done) << reportControl().lastError().toStdString();

        // Laid out with the same values: no frame over another, no text over another or outside its box.
        report::Data data;
        data.formulas = formulas;
        data.title = sample.title;
        data.printDate = QDate(2010, 3, 4);
        for (const QVariantList& row : std::as_const(rows)) {
            QStringList cells;
            for (const QVariant& v : row) cells << v.toString();
            data.rows << cells;
        }
        report::Layout layout;
        ASSERT_TRUE(report::layoutReport(def, data, report::kPrintDpi, &layout, &error)) << error.toStdString();
        const QStringList faults = layoutcheck::faults(layout, QSizeF(report::pageWidth(def), report::pageHeight(def)));
        EXPECT_TRUE(faults.isEmpty()) << faults.join(u'\n').toStdString();

        const QStringList pages = pdfPages(pdf);
        ASSERT_FALSE(pages.isEmpty());
        const QRegularExpression placeholder(QStringLiteral("\\{[^{}\\n]*\\}"));
        for (int i = 0; i < pages.size(); ++i) {
            const QRegularExpressionMatch left = placeholder.match(pages[i]);
            EXPECT_FALSE(left.hasMatch()) << "page " << i + 1 << " still shows " << left.captured().toStdString();
            // A text too long for its box even in the smallest size is cut with an ellipsis.
            EXPECT_FALSE(pages[i].contains(QChar(0x2026))) << "page " << i + 1 << " cuts a text:\n"
                                                           << pages[i].toStdString();
        }
        EXPECT_TRUE(pages[0].contains(sample.title)) << "title missing:\n" << pages[0].toStdString();
        const QString text = pages.join(u'\n');
        for (auto it = values.cbegin(); it != values.cend(); ++it)
            EXPECT_TRUE(text.contains(it.value())) << "formula " << it.key().toStdString() << " not printed";
        if (key > 0) {
            EXPECT_GE(pages.size(), 2);
            // Every row once, in the order stored.
            QStringList seen;
            const QRegularExpression number(QStringLiteral("KR\\d{6}"));
            for (auto it = number.globalMatch(text); it.hasNext();) seen << it.next().captured();
            QStringList expected;
            for (int row = 1; row <= rows.size(); ++row) expected << keyValue(row);
            EXPECT_EQ(seen, expected);
        }
    }
}
