#include "print/ListPrint.h"

#include "kit/ListWindow.h"

PrintOutcome printList(ListWindow& list, const ListPrint& p)
{
    PrintRequest r;
    r.window = &list;
    r.nothingToPrint = list.rowCount() == 0;
    r.nothingMessage = p.nothingMessage;
    r.question = p.question;
    r.reportFile = p.reportFile;
    r.previewTitle = p.previewTitle;
    r.workTable = p.workTable;
    const int columns = p.columns;
    if (p.listRow)
        r.rows = [&list, listRow = p.listRow] {
            QList<QVariantList> rows;
            rows.reserve(list.rowCount());
            for (int row = 1; row <= list.rowCount(); ++row) rows << listRow(list, row);
            return rows;
        };
    else if (p.tableRow)
        r.rows = [&list, columns, tableRow = p.tableRow] {
            QList<QVariantList> rows;
            rows.reserve(list.rowCount());
            for (int row = 1; row <= list.rowCount(); ++row) rows << tableRow(list.shownCells(row, columns));
            return rows;
        };
    else
        r.rows = [&list, columns] { return list.workTableRows(columns); };
    r.formulas = p.formulas;
    return runPrintSequence(r);
}
