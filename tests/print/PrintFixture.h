#pragma once
// Shared set-up of the print tests: a farm folder and scripted printing (PrintScript.h).
#include "print/PrintScript.h"
#include "support/TestFarm.h"

#include <QFile>

#include <gtest/gtest.h>
#include <QStringList>
#include <QTemporaryDir>

class PrintTest : public FarmTest {
protected:
    void SetUp() override;

    void dialogChooses(const QString& printer, const QString& button) { script.choose(printer, button); }
    void dialogSavesPdf(const QString& file) { script.savePdf(file); }

    // A request for the sample report over the work table 일일관리.
    PrintRequest sampleRequest(const QList<QVariantList>& rows, const report::Formulas& formulas = {});
    static QList<QVariantList> animals(int count);
    // Writes a report file of the test's own into the farm's rpt/ folder.
    void writeReport(const QString& file, const QString& layout)
    {
        QFile f(farm.dir() + QStringLiteral("/rpt/") + file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(layout.toUtf8());
    }

    QTemporaryDir out;
    PrintScript script;
    FakePrinterSystem& printers = script.printers;
    int& dialogRuns = script.dialogRuns;
    QStringList& previewTitles = script.previewTitles;
    int& previewPages = script.previewPages;
    QString& pdfAsked = script.pdfSuggested;
};
