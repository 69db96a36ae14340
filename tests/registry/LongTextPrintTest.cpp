// Long texts in the record form's prints: a 60-character 개체특징 and a 134-character treatment
// remark printed whole, in the record book's fixed box and in the treatment record's growing rows.
#include "RecordPrintFixture.h"
#include "print/LayoutCheck.h"
#include "print/ReportJob.h"
#include "print/model/ReportRenderer.h"

using layoutcheck::findText;
using layoutcheck::kFeature;
using layoutcheck::kRemark;
using layoutcheck::printed;
using layoutcheck::squeezed;

namespace {

class LongTextPrintTest : public RecordPrintTest {
protected:
    // The report the last print ran, laid out with what the print handed it.
    report::Layout lastPrint(report::Data* data = nullptr)
    {
        const ReportJob& job = reportControl();
        QString error;
        EXPECT_TRUE(report::loadDefinition(job.reportFileName, &def, &error)) << error.toStdString();
        report::Data d;
        d.formulas = job.formulas;
        d.title = job.windowTitle;
        d.printDate = QDate(2010, 2, 28);
        if (def.table.present) {
            QSqlQuery q = runQuery(QStringLiteral("select * from %1 order by rowid").arg(def.table.source));
            while (q.next()) {
                QStringList cells;
                for (int i = 0; i < q.record().count(); ++i) cells << q.value(i).toString();
                d.rows << cells;
            }
        }
        if (data) *data = d;
        return laidOut(d);
    }
    report::Layout laidOut(const report::Data& data)
    {
        report::Layout l;
        QString error;
        EXPECT_TRUE(report::layoutReport(def, data, report::kPrintDpi, &l, &error)) << error.toStdString();
        const QStringList faults = layoutcheck::faults(l, QSizeF(report::pageWidth(def), report::pageHeight(def)));
        EXPECT_TRUE(faults.isEmpty()) << faults.join(u'\n').toStdString();
        return l;
    }

    report::Definition def;
};

}  // namespace

TEST_F(LongTextPrintTest, TheRecordBookWrapsALongFeatureInsideItsBoxAndKeepsItsOnePage)
{
    ASSERT_EQ(kFeature.size(), 60);
    addAnimal("KR-COW", 0, {{"개체특징", kFeature}});
    addMeasurements("KR-COW");
    AnimalRecordForm* f = open("KR-COW");
    ASSERT_TRUE(f);
    printPdf(f, "cmdPrn1", "book");  // one page
    EXPECT_EQ(reportControl().formulas.value("개체특징"), kFeature);

    report::Data data;
    const report::Layout book = lastPrint(&data);
    EXPECT_TRUE(def.form.fixed);
    ASSERT_EQ(book.pages.size(), 1);
    const report::TextBlock* feature = findText(book, kFeature);
    ASSERT_TRUE(feature);
    // Wrapped at the smallest readable size, whole, in the box the form has for it.
    EXPECT_DOUBLE_EQ(feature->size, report::kMinimumSize);
    EXPECT_EQ(feature->lines.size(), 2);
    EXPECT_FALSE(feature->cut);
    EXPECT_EQ(printed(*feature), squeezed(kFeature));
    EXPECT_DOUBLE_EQ(feature->cell.height(), 8);
    EXPECT_EQ(squeezed(pdfTextIn(out.filePath("book.pdf"), 1, feature->cell)), squeezed(kFeature));

    // Every box where it is for a short feature: the long one moved nothing.
    report::Data shortFeature = data;
    shortFeature.formulas.set("개체특징", "이마 흰점");
    const report::Layout plain = laidOut(shortFeature);
    ASSERT_EQ(plain.pages[0].frames.size(), book.pages[0].frames.size());
    for (int i = 0; i < plain.pages[0].frames.size(); ++i)
        EXPECT_EQ(plain.pages[0].frames[i].rect, book.pages[0].frames[i].rect) << i;
}

TEST_F(LongTextPrintTest, TheTreatmentRecordPrintsALongRemarkWholeAndItsRowPushesTheNextOneDown)
{
    ASSERT_EQ(kRemark.size(), 134);
    addAnimal("KR-COW", 0, {{"개체특징", kFeature}});
    farm.exec("insert into 백신접종 values(?, 20090401, '설사', '지사제', 20090410, '김수의', ?, 0, '')",
              {"KR-COW", kRemark});
    farm.exec("insert into 백신접종 values(?, 20090510, '구제역 백신', '접종', 20090510, '이수의', '없음', 0, '')",
              {"KR-COW"});
    AnimalRecordForm* f = open("KR-COW");
    ASSERT_TRUE(f);
    printPdf(f, "cmdPrn3", "treatment");
    const QString pdf = out.filePath("treatment.pdf");

    const report::Layout l = lastPrint();
    ASSERT_EQ(l.pages.size(), 1);
    const report::TextBlock* remark = findText(l, kRemark);
    ASSERT_TRUE(remark);
    EXPECT_FALSE(remark->cut);
    EXPECT_GE(remark->size, report::kMinimumSize);
    EXPECT_EQ(printed(*remark), squeezed(kRemark));
    EXPECT_EQ(squeezed(pdfTextIn(pdf, 1, remark->cell)), squeezed(kRemark));
    // Its row grew and the next treatment follows right under it.
    const QList<report::RowBox>& rows = l.pages[0].rows;
    ASSERT_EQ(rows.size(), 3);  // the header row and two treatments
    EXPECT_DOUBLE_EQ(rows[1].rect.height(), remark->cell.height());
    EXPECT_GT(rows[1].rect.height(), def.table.rowHeight + 5);
    EXPECT_DOUBLE_EQ(rows[2].rect.top(), rows[1].rect.bottom());
    EXPECT_DOUBLE_EQ(rows[2].rect.height(), def.table.rowHeight);

    // The 개체특징 of the header grew its row of the form, and the table starts lower.
    const report::TextBlock* feature = findText(l, kFeature);
    ASSERT_TRUE(feature);
    EXPECT_FALSE(feature->cut);
    EXPECT_EQ(printed(*feature), squeezed(kFeature));
    EXPECT_EQ(squeezed(pdfTextIn(pdf, 1, feature->cell)), squeezed(kFeature));
    EXPECT_GT(l.formHeight, def.form.height);
    EXPECT_DOUBLE_EQ(rows[0].rect.top(), def.margins.top() + def.header.height + l.formHeight);
}
