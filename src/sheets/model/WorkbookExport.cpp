// The workbook of several lists: the single list's writer (XlsxTableWriter.cpp) with one
// sheet per list, so both files have the same title row, header row and number and date formats.
#include "sheets/model/WorkbookExport.h"

#include "sheets/model/TableLayout.h"

namespace {
constexpr qsizetype kMaxSheetNameChars = 31;  // Excel's limit; sheetNameOf keeps within it
}  // namespace

QStringList workbookSheetNames(const QList<ExportTable>& sheets)
{
    QStringList names;
    for (const ExportTable& t : sheets) {
        const QString base = sheetNameOf(t.title);
        QString name = base;
        for (int n = 2; names.contains(name, Qt::CaseInsensitive); ++n) {
            const QString suffix = QStringLiteral(" (%1)").arg(n);
            name = base.left(kMaxSheetNameChars - suffix.size()).trimmed() + suffix;
        }
        names << name;
    }
    return names;
}

ExportStatus saveWorkbook(const QList<ExportTable>& sheets, const QString& path)
{
    const QStringList names = workbookSheetNames(sheets);
    QList<XlsxSheet> written;
    for (qsizetype i = 0; i < sheets.size(); ++i) written << XlsxSheet{&sheets[i], layoutColumns(sheets[i]), names[i]};
    return saveXlsxSheets(written, path, {});
}
