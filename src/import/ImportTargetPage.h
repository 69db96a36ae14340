#pragma once
// 대상: whether the file holds animals, breeding records or the bull catalogue; the file's headers
// guess it first.
#include "import/ImportPage.h"

class ImportTargetPage : public ImportPage {
    Q_OBJECT
public:
    ImportTargetPage(ImportDraft& draft, QWidget* parent);

    bool enter() override;
    bool leave() override;

private:
    QRadioButton* m_animals = nullptr;
    QRadioButton* m_breeding = nullptr;
    QRadioButton* m_bulls = nullptr;  // "optBulls"
};
