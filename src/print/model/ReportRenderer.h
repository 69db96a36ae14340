#pragma once
// Paints a report's layout (ReportLayout.h) with QPainter on any QPrinter (a printer queue,
// the preview window's pages, a PDF file): the same layout for every destination.
#include "print/model/ReportDefinition.h"
#include "print/model/ReportLayout.h"

#include <QPageLayout>
#include <QString>

class QPagedPaintDevice;

namespace report {

// The report's paper: A4 in its orientation, no margins (the layout places everything).
QPageLayout pageLayout(const Definition& def);
// Lays the report out for the device and paints every page on it (a printer or a PDF writer
// whose page layout is pageLayout(def)). False (error set) when the report cannot be laid out
// or the device cannot be painted on.
bool render(const Definition& def, const Data& data, QPagedPaintDevice* device, QString* error);

}  // namespace report
