#pragma once
// Scripted printing for tests of any area: fake printers instead of CUPS, a printer dialog
// that presses a button by itself, a preview that records its title instead of opening, and
// no pause after a work-table filling. Header only, so other test programs can include it
// as "print/PrintScript.h".
//
//   PrintScript print;                                   // preview on the default printer
//   print.choose(QStringLiteral("축사 프린터"), QStringLiteral("cmdPrn"));  // or cmdlyout, cmdCancel, imgTitleClose
//   print.savePdf(dir.filePath("out.pdf"));             // the dialog's "PDF 파일로 저장" entry
//   runPrintSequence(request);
//   print.previewTitles / print.dialogRuns / print.printers.setCalls
#include "print/PrintSequence.h"
#include "print/PrinterDialog.h"
#include "print/ReportJob.h"
#include "print/model/PrinterSystem.h"

#include <QApplication>
#include <QComboBox>
#include <QMouseEvent>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QStringList>
#include <algorithm>

class FakePrinterSystem : public PrinterSystem {
public:
    QStringList names{QStringLiteral("사무실 프린터"), QStringLiteral("축사 프린터")};
    QString current = QStringLiteral("사무실 프린터");
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

class PrintScript {
public:
    FakePrinterSystem printers;
    int dialogRuns = 0;
    QStringList previewTitles;  // titles of the previews that would have opened
    int previewPages = 0;       // pages the last preview laid out
    QString pdfSuggested;       // the file name the PDF entry proposed

    PrintScript()
    {
        setPrinterSystem(&printers);
        setWorkTablePauseMs(0);
        reportControl().setPreviewRunner([this](QPrintPreviewDialog& d) {
            previewTitles << d.windowTitle();
            d.show();
            QApplication::processEvents();
            if (auto* w = d.findChild<QPrintPreviewWidget*>()) previewPages = w->pageCount();
            d.close();
        });
        choose(printers.current, QStringLiteral("cmdlyout"));
    }
    ~PrintScript()
    {
        setPrinterSystem(nullptr);
        setPrinterDialogRunner({});
        PrinterDialog::setPdfFileAsker({});
        reportControl().setPreviewRunner({});
        setWorkTablePauseMs(500);
    }
    PrintScript(const PrintScript&) = delete;
    PrintScript& operator=(const PrintScript&) = delete;

    // The next printer dialogs select `printer` and press `button`: "cmdPrn", "cmdlyout",
    // "cmdCancel", or "imgTitleClose" for the close image.
    void choose(const QString& printer, const QString& button)
    {
        setPrinterDialogRunner([this, printer, button](PrinterDialog& d) {
            ++dialogRuns;
            auto* list = d.findChild<QComboBox*>(QStringLiteral("cmbPrnName"));
            list->setCurrentIndex(std::max(0, list->findText(printer)));
            if (button == QLatin1String("imgTitleClose")) {
                QWidget* img = d.findChild<QWidget*>(button);
                QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), img->mapToGlobal(QPointF(5, 5)),
                                  Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
                QApplication::sendEvent(img, &press);
            } else {
                d.findChild<QPushButton*>(button)->click();
            }
        });
    }

    // The next printer dialogs choose "PDF 파일로 저장" and "인 쇄", giving `file` as the file.
    void savePdf(const QString& file)
    {
        PrinterDialog::setPdfFileAsker([this, file](QWidget*, const QString& suggested) {
            pdfSuggested = suggested;
            return file;
        });
        choose(PrinterDialog::pdfEntryText(), QStringLiteral("cmdPrn"));
    }
};
