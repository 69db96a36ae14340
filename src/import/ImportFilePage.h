#pragma once
// 파일: the file to import, its encoding and separator (a CSV file) or its sheet (a workbook),
// and its first rows as read with them.
#include "import/ImportPage.h"

#include <functional>

class Grid;
class QComboBox;
class QLineEdit;

// Asks for the file to import; an empty answer cancels. Tests replace it ({} restores the dialog).
using ImportFileChooser = std::function<QString(QWidget* parent)>;
void setImportFileChooser(ImportFileChooser chooser);

class ImportFilePage : public ImportPage {
    Q_OBJECT
public:
    ImportFilePage(ImportDraft& draft, QWidget* parent);

    // Takes `path` as the file to import, the plan starting anew; false (after a message) when
    // it cannot be read.
    bool choose(const QString& path);

    bool leave() override { return mayGoOn(); }
    bool mayGoOn() const override;

private:
    void browse();
    // The boxes' choices into the plan, and the file's first rows read and shown again.
    void readFile();

    QLineEdit* m_path = nullptr;
    QComboBox* m_encoding = nullptr;
    QComboBox* m_separator = nullptr;
    QComboBox* m_sheet = nullptr;
    QLabel* m_detected = nullptr;
    Grid* m_fileRows = nullptr;
};
