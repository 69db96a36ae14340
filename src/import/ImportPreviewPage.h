#pragma once
// 미리보기: every row of the file with its verdict, judged again when the policy changes, and
// the totals. Left for the import only once the farmer agrees to it.
#include "import/ImportPage.h"

class Grid;

class ImportPreviewPage : public ImportPage {
    Q_OBJECT
public:
    ImportPreviewPage(ImportDraft& draft, QWidget* parent);

    // The most rows the preview lists; the totals always count every row.
    static constexpr int kPreviewRows = 10000;

    // Judges every row; false (after a message, or cancelled) keeps the step before.
    bool enter() override;
    // Asks before the import; false when there is nothing to store or the farmer says no.
    bool leave() override;

    const ImportTotals& totals() const { return m_totals; }
    Grid* grid() const { return m_preview; }

private:
    QRadioButton* m_addOnly = nullptr;
    QRadioButton* m_update = nullptr;
    QLabel* m_totalsLabel = nullptr;
    QLabel* m_note = nullptr;
    Grid* m_preview = nullptr;
    ImportTotals m_totals;
};
