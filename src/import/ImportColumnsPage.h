#pragma once
// 열 맞추기: the header row, and for each field of the target the file's column that fills it
// and the value for its empty cells. The matching starts as kept for the same headers, else as
// the headers name the fields; the one chosen is kept for the next such file.
#include "import/ImportPage.h"

class QSpinBox;
class QTableWidget;

class ImportColumnsPage : public ImportPage {
    Q_OBJECT
public:
    ImportColumnsPage(ImportDraft& draft, QWidget* parent);

    bool enter() override;
    bool leave() override;

private:
    // The header row at `row` (from 0) and the mapping its headers start with, shown.
    void takeHeaderRow(int row);
    void fillTable();
    void readTable();

    QStringList m_headers;
    bool m_recalled = false;
    QSpinBox* m_headerRow = nullptr;
    QTableWidget* m_columns = nullptr;
    QLabel* m_note = nullptr;
};
