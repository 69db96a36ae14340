#include "print/ReportJob.h"

#include "data/Clock.h"
#include "data/ProgramDir.h"
#include "data/Db.h"
#include "data/Values.h"
#include "print/model/PrinterSystem.h"
#include "print/model/ReportRenderer.h"

#include <QApplication>
#include <QFileInfo>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>
#include <QSqlRecord>

bool parseFormulaAssignment(const QString& slot, QString* name, QString* value)
{
    const qsizetype eq = slot.indexOf(u'=');
    if (eq <= 0) return false;
    *name = slot.left(eq).trimmed();
    if (name->isEmpty()) return false;
    const QString rest = slot.mid(eq + 1).trimmed();
    // The value sits between the first and the last apostrophe, so an apostrophe inside a
    // value (a name like O'Neil) survives.
    const qsizetype open = rest.indexOf(u'\'');
    const qsizetype close = rest.lastIndexOf(u'\'');
    if (open == 0 && close > open)
        *value = rest.mid(1, close - 1);
    else
        *value = rest;
    return true;
}

ReportJob& reportControl()
{
    static ReportJob control;
    return control;
}

bool ReportJob::prepare(const PrinterChoice& choice, const QString& file, const QString& title)
{
    if (!choice.proceeds()) return false;
    if (choice.outcome == PrinterChoice::Outcome::Preview)
        destination = ToWindow;
    else
        destination = choice.pdfFile.isEmpty() ? ToPrinter : ToFile;
    reportFileName = reportFilePath(file);
    windowTitle = title;
    windowState = 2;
    printFileName = choice.outcome == PrinterChoice::Outcome::Print ? choice.pdfFile : QString();
    clearFormulas();
    return true;
}

void ReportJob::clearFormulas()
{
    for (QString& f : formulas) f.clear();
}

int ReportJob::fail(int status, const QString& why)
{
    m_lastError = why;
    qWarning("report %s: %s", qPrintable(QFileInfo(reportFileName).fileName()), qPrintable(why));
    return status;
}

namespace {
// Full-page coordinates: the report layout places everything itself.
void applyPageSetup(const report::Definition& def, QPrinter* printer)
{
    printer->setFullPage(true);
    printer->setPageLayout(report::pageLayout(def));
}

// Work-table rows in the order they were stored.
QList<QStringList> readRows(const QString& table)
{
    QString quoted = table;
    quoted.replace(u'"', QStringLiteral("\"\""));
    QSqlQuery q = runQuery(QStringLiteral("select * from \"%1\" order by rowid").arg(quoted));
    QList<QStringList> rows;
    const int cols = q.record().count();
    while (q.next()) {
        QStringList row;
        row.reserve(cols);
        for (int i = 0; i < cols; ++i) row << NullTrim(q.value(i));
        rows.push_back(row);
    }
    return rows;
}

}  // namespace

int ReportJob::run()
{
    ++m_runs;
    m_lastError.clear();
    report::Definition def;
    QString error;
    if (!QFileInfo(reportFileName).isFile()) return fail(BadFile, QStringLiteral("출력 양식 파일이 없습니다."));
    if (!report::loadDefinition(reportFileName, &def, &error)) return fail(BadFile, error);

    report::Data data;
    for (const QString& slot : formulas) {
        QString name, value;
        if (parseFormulaAssignment(slot, &name, &value)) data.formulas.insert(name, value);
    }
    data.title = windowTitle;
    data.printDate = today();
    if (def.table.present) {
        try {
            data.rows = readRows(def.table.source);
        } catch (const DbError& e) {
            return fail(BadData, e.description);
        }
    }
    QList<report::PagePlan> plan;
    if (!report::planPages(def, int(data.rows.size()), &plan, &error)) return fail(BadFile, error);

    const QString docName = windowTitle.isEmpty() ? QFileInfo(reportFileName).completeBaseName() : windowTitle;
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(docName);
    printer.setCreator(QStringLiteral("한우암소관리"));

    switch (destination) {
    case ToFile: {
        if (printFileName.isEmpty()) return fail(OutputFailed, QStringLiteral("저장할 파일 이름이 없습니다."));
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printFileName);
        applyPageSetup(def, &printer);
        if (!report::render(def, data, &printer, &error)) return fail(OutputFailed, error);
        const QFileInfo out(printFileName);
        if (!out.isFile() || out.size() == 0) return fail(OutputFailed, QStringLiteral("PDF 파일을 쓸 수 없습니다."));
        return Ok;
    }
    case ToPrinter: {
        // Like every program of the user, print on the default printer (the one chosen in
        // the printer dialog has just been made the default).
        const QString name = printerSystem().defaultPrinter();
        if (name.isEmpty()) return fail(NoPrinter, QStringLiteral("기본 프린터가 없습니다."));
        printer.setPrinterName(name);
        if (!printer.isValid() || printer.printerName() != name)
            return fail(NoPrinter, QStringLiteral("프린터 '%1'을(를) 쓸 수 없습니다.").arg(name));
        applyPageSetup(def, &printer);
        if (!report::render(def, data, &printer, &error)) return fail(OutputFailed, error);
        if (printer.printerState() == QPrinter::Error)
            return fail(OutputFailed, QStringLiteral("프린터가 인쇄 작업을 받지 않았습니다."));
        return Ok;
    }
    default: {
        const QString name = printerSystem().defaultPrinter();
        if (!name.isEmpty()) printer.setPrinterName(name);
        // Without a usable printer the preview still shows the pages (and saves as PDF).
        if (name.isEmpty() || !printer.isValid()) printer.setOutputFormat(QPrinter::PdfFormat);
        applyPageSetup(def, &printer);
        QPrintPreviewDialog preview(&printer, QApplication::activeWindow());
        preview.setObjectName(QStringLiteral("reportPreview"));
        preview.setWindowTitle(windowTitle);
        // Screen-filling even where no window manager maximises it; a page readable at once.
        const QScreen* screen = preview.screen() ? preview.screen() : QGuiApplication::primaryScreen();
        if (screen) {
            const QRect area = screen->availableGeometry();
            if (windowState == 2)
                preview.setGeometry(area);
            else
                preview.resize(area.width() * 3 / 4, area.height() * 9 / 10);
        }
        if (windowState == 2) preview.setWindowState(preview.windowState() | Qt::WindowMaximized);
        bool painted = true;
        QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview, [&](QPrinter* p) {
            QString err;
            if (!report::render(def, data, p, &err)) {
                painted = false;
                m_lastError = err;
            }
        });
        if (m_previewRunner)
            m_previewRunner(preview);
        else
            preview.exec();
        if (!painted) return fail(OutputFailed, m_lastError);
        return Ok;
    }
    }
}
