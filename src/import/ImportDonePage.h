#pragma once
// 가져오기: the import itself (a backup first), then its totals and where the backup and the
// refused rows went.
#include "import/ImportPage.h"

class ImportDonePage : public ImportPage {
    Q_OBJECT
public:
    ImportDonePage(ImportDraft& draft, QWidget* parent);

    // Runs the import; false (after a message) when nothing was stored.
    bool enter() override;
    // Tells a refused rows' file that could not be saved.
    void shown() override;

    const ImportOutcome& outcome() const { return m_outcome; }

private:
    QLabel* m_result = nullptr;
    ImportOutcome m_outcome;
};
