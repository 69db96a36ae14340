#pragma once
// 가져오기: the assistant that brings animals or breeding records in from an Excel (.xlsx) or
// CSV file, in five steps: the file (its encoding and separator, or its sheet), what it holds,
// which column fills which field, a preview of every row with its verdict, and the import with
// its totals. The rules are those of import/model/ImportRun.h; this is only their window.
#include "import/model/ImportRun.h"
#include "import/model/ImportSteps.h"

#include <QDialog>
#include <QList>
#include <QStringList>
#include <functional>

class Grid;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QStackedWidget;
class QTableWidget;

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
    const ImportPlan& plan() const { return m_plan; }
    const ImportTotals& previewTotals() const { return m_previewTotals; }
    const ImportOutcome& outcome() const { return m_outcome; }
    Grid* previewGrid() const { return m_preview; }

    // The most rows the preview lists; the totals always count every row.
    static constexpr int kPreviewRows = 10000;

signals:
    // Records were stored: the list behind may show them.
    void imported();

private:
    QWidget* buildFilePage();
    QWidget* buildTargetPage();
    QWidget* buildColumnsPage();
    QWidget* buildPreviewPage();
    QWidget* buildDonePage();
    void showStep(Step s);
    void browse();
    // The file step's options into the plan, and its first rows shown again.
    void readFileOptions();
    void loadFirstRows();
    // The header row and the mapping for the chosen target (a remembered one when there is).
    void prepareColumns();
    // The mapping the header row starts with, kept or matched.
    void takeStartingMapping();
    void fillColumnTable();
    void takeColumnTable();
    bool runPreview();
    void showOutcome();

    ImportPlan m_plan;
    QList<QStringList> m_firstRows;  // the file's first rows, for finding the header row
    QString m_readError;             // why the reading of the first rows stopped, if it did
    QStringList m_headers;
    ImportTotals m_previewTotals;
    ImportOutcome m_outcome;
    bool m_recalled = false;

    QStackedWidget* m_pages = nullptr;
    QLabel* m_stepsLabel = nullptr;
    QPushButton* m_back = nullptr;
    QPushButton* m_next = nullptr;
    QPushButton* m_run = nullptr;
    QPushButton* m_close = nullptr;
    // File
    QLineEdit* m_path = nullptr;
    QComboBox* m_encoding = nullptr;
    QComboBox* m_separator = nullptr;
    QComboBox* m_sheet = nullptr;
    QLabel* m_detected = nullptr;
    Grid* m_fileRows = nullptr;
    // Target
    QRadioButton* m_animals = nullptr;
    QRadioButton* m_breeding = nullptr;
    // Columns
    QSpinBox* m_headerRow = nullptr;
    QTableWidget* m_columns = nullptr;
    QLabel* m_columnsNote = nullptr;
    // Preview
    QRadioButton* m_addOnly = nullptr;
    QRadioButton* m_update = nullptr;
    QLabel* m_totals = nullptr;
    QLabel* m_previewNote = nullptr;
    Grid* m_preview = nullptr;
    // Done
    QLabel* m_result = nullptr;
};

// The assistant over `parent`, modal, to its end. True when records were stored. The search
// list's 가져오기 opens it through SearchWindow::setImportOpener.
bool runImportAssistant(QWidget* parent);

// Asks for the file to import; an empty answer cancels. Tests replace it ({} restores the dialog).
using ImportFileChooser = std::function<QString(QWidget* parent)>;
void setImportFileChooser(ImportFileChooser chooser);
