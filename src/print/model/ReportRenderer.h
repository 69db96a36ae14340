#pragma once
// Lays a report out on A4 pages and paints it with QPainter on any QPrinter (a printer queue,
// the preview window's pages, a PDF file): the same layout for every destination.
#include "print/model/ReportDefinition.h"
#include "print/model/ReportFormulas.h"

#include <QDate>
#include <QList>
#include <QPageLayout>
#include <QString>
#include <QStringList>

class QPagedPaintDevice;

namespace report {

// What a report is filled with.
struct Data {
    Formulas formulas;  // the values of the {name} placeholders
    QString title;      // the preview title given by the print command
    QDate printDate;
    QList<QStringList> rows;  // work-table rows, columns by position
};

// Where the table rows go: one entry per page.
struct PagePlan {
    int firstRow = 0;
    int rowCount = 0;
    bool hasTable = false;  // the table (header row at least) is drawn on this page
    double tableTop = 0;    // mm from the top of the paper
};

// Splits the rows over pages. Fails (error set) when not even one row fits on a page.
bool planPages(const Definition& def, int rowCount, QList<PagePlan>* pages, QString* error);

// Replaces the placeholders of a text. `row` is null outside table cells.
QString resolve(const Template& t, const Data& data, int page, int pages, const QStringList* row = nullptr,
                int rowNumber = 0);

// The report's paper: A4 in its orientation, no margins (the layout places everything).
QPageLayout pageLayout(const Definition& def);
// Paints every page on a printer or a PDF writer whose page layout is pageLayout(def).
// False (error set) when the device cannot be painted on.
bool render(const Definition& def, const Data& data, QPagedPaintDevice* device, QString* error);

}  // namespace report
