// Every report file shipped in rpt/ printed to PDF through the print sequence, filled with
// sample rows and a value for every formula it names: no placeholder may be left on any page.
#include "data/Db.h"
#include "print/PrintFixture.h"
#include "print/model/ReportDefinition.h"
#include "print/model/ReportRenderer.h"

#include <QDir>
#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <QSqlRecord>

namespace {

// What each shipped report is printed with. A new report file needs a line here.
struct Sample {
    QString file;
    QString title;  // printed as the report's title: its fixed text, or the title it is handed
};

const Sample kSamples[] = {
    {QStringLiteral("TarvikList.rpt"), QStringLiteral("한우 개체 목록")},
    {QStringLiteral("시험출력.rpt"), QStringLiteral("한우 시험 목록")},
    {QStringLiteral("일일관리.rpt"), QStringLiteral("재발정예정 개체일람")},
};

void collectFormulas(const report::Template& parts, QSet<QString>* names)
{
    for (const report::Part& p : parts)
        if (p.type == report::Part::Formula) names->insert(p.text);
}

// Every formula name a report uses, in a stable order.
QStringList formulaNames(const report::Definition& d)
{
    QSet<QString> names;
    for (const report::Band* band : {&d.header, &d.form, &d.footer})
        for (const report::Element& e : band->elements) {
            collectFormulas(e.text, &names);
            collectFormulas(e.label, &names);
        }
    for (const report::Column& c : d.table.columns) {
        collectFormulas(c.header, &names);
        collectFormulas(c.cell, &names);
    }
    collectFormulas(d.table.empty, &names);
    QStringList sorted(names.begin(), names.end());
    sorted.sort();
    return sorted;
}

// The first work-table column the table prints: its values identify the rows on the pages.
int keyColumn(const report::Definition& d)
{
    for (const report::Column& c : d.table.columns)
        for (const report::Part& p : c.cell)
            if (p.type == report::Part::Column) return p.column;
    return 0;
}

int workTableColumns(const QString& table)
{
    QString quoted = table;
    quoted.replace(u'"', QStringLiteral("\"\""));
    return runQuery(QStringLiteral("select * from \"%1\" limit 0").arg(quoted)).record().count();
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

        // Each formula gets a value of its own (the title formula the title), so each can be found.
        QMap<QString, QString> values;
        int n = 0;
        for (const QString& name : formulaNames(def))
            values.insert(name, name == QStringLiteral("타이틀") ? sample.title
                                                                : QStringLiteral("값%1").arg(++n, 2, 10, QChar(u'0')));
        QStringList formulas;
        for (auto it = values.cbegin(); it != values.cend(); ++it)
            formulas << QStringLiteral("%1 = '%2' ").arg(it.key(), it.value());

        const int key = keyColumn(def);
        QList<QVariantList> rows;
        if (def.table.present) {
            const int columns = workTableColumns(def.table.source);
            ASSERT_GT(columns, 0) << "no work table " << def.table.source.toStdString();
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

        const QStringList pages = pdfPages(pdf);
        ASSERT_FALSE(pages.isEmpty());
        const QRegularExpression placeholder(QStringLiteral("\\{[^{}\\n]*\\}"));
        for (int i = 0; i < pages.size(); ++i) {
            const QRegularExpressionMatch left = placeholder.match(pages[i]);
            EXPECT_FALSE(left.hasMatch()) << "page " << i + 1 << " still shows " << left.captured().toStdString();
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
