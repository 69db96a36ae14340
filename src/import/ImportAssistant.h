#pragma once
// 가져오기: the assistant that brings animals or breeding records in from an Excel (.xlsx) or
// CSV file, in five steps: the file (its encoding and separator, or its sheet), what it holds,
// which column fills which field, a preview of every row with its verdict, and the import with
// its totals. Each step is a page of its own (ImportPage.h); the assistant leads from one to
// the next. The rules are those of import/model; this is only their window.
#include "import/ImportFilePage.h"
#include "import/ImportPage.h"
#include "import/ImportPreviewPage.h"
#include "import/model/ImportSteps.h"

#include <QDialog>
#include <array>

class ImportDonePage;
class QLabel;
class QPushButton;
class QStackedWidget;

class ImportAssistant : public QDialog {
    Q_OBJECT
public:
    using Step = ImportStep;

    explicit ImportAssistant(QWidget* parent = nullptr);
    ~ImportAssistant() override;

    Step step() const;
    // Takes `path` as the file to import, as 찾아보기 does; false (after a message) when it
    // cannot be read.
    bool chooseFile(const QString& path);
    // 다음 and 이전.
    void goNext();
    void goBack();
    // 가져오기 on the preview: asks, then runs the import. True when records were imported.
    bool startImport();

    // What the steps have chosen so far.
    const ImportPlan& plan() const { return m_draft.plan; }
    const ImportTotals& previewTotals() const;
    const ImportOutcome& outcome() const;
    Grid* previewGrid() const;

    // The most rows the preview lists; the totals always count every row.
    static constexpr int kPreviewRows = ImportPreviewPage::kPreviewRows;

signals:
    // Records were stored: the list behind may show them.
    void imported();

private:
    ImportPage* page(Step s) const { return m_steps[size_t(s)]; }
    void showStep(Step s);
    void showButtons();
    // From `from` to `to`: the one page left, the other entered; false (after a message) stays.
    bool advance(Step from, Step to);

    ImportDraft m_draft;
    ImportFilePage* m_file = nullptr;
    ImportPreviewPage* m_preview = nullptr;
    ImportDonePage* m_done = nullptr;
    std::array<ImportPage*, kImportSteps> m_steps{};

    QStackedWidget* m_pages = nullptr;
    QLabel* m_stepsLabel = nullptr;
    QPushButton* m_back = nullptr;
    QPushButton* m_next = nullptr;
    QPushButton* m_run = nullptr;
    QPushButton* m_close = nullptr;
};

// The assistant over `parent`, modal, to its end. True when records were stored. The search
// list's 가져오기 opens it through SearchWindow::setImportOpener.
bool runImportAssistant(QWidget* parent);

// setImportFileChooser (ImportFilePage.h) replaces the dialog that asks for the file.
