#pragma once
// The print command of a list window: its texts, work table and formulas handed to the common
// print sequence, the rows read from what the list shows.
#include "print/PrintSequence.h"

#include <QString>
#include <QStringList>
#include <QVariantList>
#include <functional>

class ListWindow;

struct ListPrint {
    QString nothingMessage;  // the list has no row
    QString question;
    QString reportFile;
    QString previewTitle;
    QString workTable;
    int columns = 0;
    // The table row of a list row's shown cells (1..columns); by default the cells, trimmed.
    std::function<QVariantList(const QStringList& cells)> tableRow;
    // In place of tableRow, for a table row that needs more of the list row than its texts
    // (which cells are bold, say): the table row of data row `row` of the list.
    std::function<QVariantList(const ListWindow& list, int row)> listRow;
    std::function<report::Formulas()> formulas;
};

PrintOutcome printList(ListWindow& list, const ListPrint& p);
