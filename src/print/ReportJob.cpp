#include "print/ReportJob.h"

#include "data/Clock.h"
#include "data/Db.h"
#include "data/ProgramDir.h"
#include "data/Values.h"
#include "print/model/PrinterSystem.h"
#include "print/model/ReportRenderer.h"

#include <QApplication>
#include <QFileInfo>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>
#include <QSqlRecord>

ReportJob& reportControl()
{
    static ReportJob control;
    return control;
}

bool ReportJob::prepare(const PrinterChoice& choice, const QString& file, const QString& title)
{
    if (!choice.proceeds()) return false;
    if (choice.outcome == PrinterChoice::Outcome::Preview)
        destination = Destination::Window;
    else
        destination = choice.pdfFile.isEmpty() ? Destination::Printer : Destination::File;
    reportFileName = reportFilePath(file);
    windowTitle = title;
    windowState = WindowState::Maximised;
    printFileName = choice.outcome == PrinterChoice::Outcome::Print ? choice.pdfFile : QString();
    // The formulas of the previous print never reach this one.
    formulas = {};
    return true;
}

ReportJob::Status ReportJob::fail(Status status, const QString& why)
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

ReportJob::Status ReportJob::run()
{
    ++m_runs;
    m_lastError.clear();
    report::Definition def;
    QString error;
    if (!QFileInfo(reportFileName).isFile()) return fail(Status::BadFile, QStringLiteral("출력 양식 파일이 없습니다."));
    if (!report::loadDefinition(reportFileName, &def, &error)) return fail(Status::BadFile, error);

    report::Data data;
    data.formulas = formulas;
    data.title = windowTitle;
    data.printDate = today();
    if (def.table.present) {
        try {
            data.rows = readRows(def.table.source);
        } catch (const DbError& e) {
            return fail(Status::BadData, e.description);
        }
    }
    QList<report::PagePlan> plan;
    if (!report::planPages(def, int(data.rows.size()), &plan, &error)) return fail(Status::BadFile, error);

    const QString docName = windowTitle.isEmpty() ? QFileInfo(reportFileName).completeBaseName() : windowTitle;
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(docName);
    printer.setCreator(QStringLiteral("한우암소관리"));

    switch (destination) {
    case Destination::File: {
        if (printFileName.isEmpty()) return fail(Status::OutputFailed, QStringLiteral("저장할 파일 이름이 없습니다."));
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printFileName);
        applyPageSetup(def, &printer);
        if (!report::render(def, data, &printer, &error)) return fail(Status::OutputFailed, error);
        const QFileInfo out(printFileName);
        if (!out.isFile() || out.size() == 0)
            return fail(Status::OutputFailed, QStringLiteral("PDF 파일을 쓸 수 없습니다."));
        return Status::Ok;
    }
    case Destination::Printer: {
        // Like every program of the user, print on the default printer (the one chosen in
        // the printer dialog has just been made the default).
        const QString name = printerSystem().defaultPrinter();
        if (name.isEmpty()) return fail(Status::NoPrinter, QStringLiteral("기본 프린터가 없습니다."));
        printer.setPrinterName(name);
        if (!printer.isValid() || printer.printerName() != name)
            return fail(Status::NoPrinter, QStringLiteral("프린터 '%1'을(를) 쓸 수 없습니다.").arg(name));
        applyPageSetup(def, &printer);
        if (!report::render(def, data, &printer, &error)) return fail(Status::OutputFailed, error);
        if (printer.printerState() == QPrinter::Error)
            return fail(Status::OutputFailed, QStringLiteral("프린터가 인쇄 작업을 받지 않았습니다."));
        return Status::Ok;
    }
    case Destination::Window: {
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
            if (windowState == WindowState::Maximised)
                preview.setGeometry(area);
            else
                preview.resize(area.width() * 3 / 4, area.height() * 9 / 10);
        }
        if (windowState == WindowState::Maximised) preview.setWindowState(preview.windowState() | Qt::WindowMaximized);
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
        if (!painted) return fail(Status::OutputFailed, m_lastError);
        return Status::Ok;
    }
    }
    Q_UNREACHABLE();
    return Status::OutputFailed;
}
