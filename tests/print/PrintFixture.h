#pragma once
// Shared set-up of the print tests: a farm folder, a fake printer system with named printers,
// a scripted printer dialog and a preview that only records what it would show.
#include "app/Globals.h"
#include "print/CrystalReport.h"
#include "print/PrintSequence.h"
#include "print/PrinterSystem.h"
#include "print/PrnSetup.h"
#include "print/frmPrnSetup.h"
#include "support/TestFarm.h"

#include <QComboBox>
#include <QPrintPreviewDialog>
#include <QPushButton>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

class FakePrinterSystem : public PrinterSystem {
public:
    QStringList names;
    QString current;
    QStringList setCalls;  // every setDefaultPrinter call, in order

    QStringList printers() override { return names; }
    QString defaultPrinter() override { return current; }
    bool setDefaultPrinter(const QString& name) override
    {
        setCalls << name;
        if (!name.isEmpty() && !names.contains(name)) return false;
        current = name;
        return true;
    }
};

// Text of a PDF page by page, through pdftotext.
QStringList pdfPages(const QString& pdfFile);

class PrintTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The printer dialog will select `printer` and press the button named `button`
    // ("cmdPrn", "cmdlyout", "cmdCancel", or "imgTitleClose" for the close image).
    void dialogChooses(const QString& printer, const QString& button);
    // The dialog's PDF entry with "인 쇄"; the file asked for is `file`.
    void dialogSavesPdf(const QString& file);

    // A request for the sample report over the work table 일일관리.
    PrintRequest sampleRequest(const QList<QVariantList>& rows, const QStringList& formulas = {});
    static QList<QVariantList> animals(int count);

    TestFarm farm;
    QTemporaryDir out;
    FakePrinterSystem printers;
    int dialogRuns = 0;
    QStringList previewTitles;
    int previewPages = 0;
    QString pdfAsked;  // the suggested name the PDF asker got
};
