#pragma once
// Saving several lists as one Excel workbook, one sheet per list, in the same way as a single
// list (TableExport.h): each sheet headed by its title, the farm and the day, numbers and dates
// as numbers and dates by the kind of their column, the file written under a temporary name
// and renamed at the end.
#include "sheets/model/TableExport.h"

#include <QList>
#include <QStringList>

// The sheet names of `sheets`, in order: each title without the characters Excel refuses, cut
// to Excel's 31 characters, and made unique (Excel compares them without letter case) by a
// number at the end.
QStringList workbookSheetNames(const QList<ExportTable>& sheets);

// Writes every table of `sheets` to `path` as a sheet of its own, in order. A table without a
// row still gets its sheet (title and headers). `path` is either the whole new file or
// untouched.
ExportStatus saveWorkbook(const QList<ExportTable>& sheets, const QString& path);
