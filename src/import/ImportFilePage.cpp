#include "import/ImportFilePage.h"

#include "kit/Accessibility.h"
#include "kit/CommandButton.h"
#include "kit/FileDialogs.h"
#include "kit/Grid.h"
#include "kit/Messages.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
constexpr int kShownFirstRows = 8;

ImportFileChooser& chooserHook()
{
    static ImportFileChooser hook;
    return hook;
}

QString askFile(QWidget* parent)
{
    return chooseFileToOpen(
        parent, QStringLiteral("가져올 파일 선택"),
        {QStringLiteral("엑셀 또는 CSV 파일 (*.xlsx *.csv *.txt)"), QStringLiteral("모든 파일 (*)")});
}
}  // namespace

void setImportFileChooser(ImportFileChooser chooser)
{
    chooserHook() = std::move(chooser);
}

ImportFilePage::ImportFilePage(ImportDraft& draft, QWidget* parent) : ImportPage(draft, parent)
{
    auto* grid = new QGridLayout(this);
    QLabel* fileCaption = captionPanel(QStringLiteral("파      일"), kImportCaption, this);
    m_path = new QLineEdit(this);
    m_path->setReadOnly(true);
    nameInput(m_path, QStringLiteral("txtFile"), fileCaption);
    auto* browse = commandButton(QStringLiteral("cmdBrowse"), QStringLiteral("찾아보기…"), this);
    connect(browse, &QPushButton::clicked, this, &ImportFilePage::browse);
    grid->addWidget(fileCaption, 0, 0);
    grid->addWidget(m_path, 0, 1, 1, 2);
    grid->addWidget(browse, 0, 3);

    QLabel* encodingCaption = captionPanel(QStringLiteral("문자 인코딩"), kImportCaption, this);
    m_encoding = new QComboBox(this);
    m_encoding->addItems(
        {QStringLiteral("자동으로 알아냄"), QStringLiteral("UTF-8"), QStringLiteral("한글 완성형 (CP949/EUC-KR)")});
    nameInput(m_encoding, QStringLiteral("cboEncoding"), encodingCaption);
    m_detected = new QLabel(this);
    nameControl(m_detected, QStringLiteral("lblDetected"), QStringLiteral("파일 정보"));
    grid->addWidget(encodingCaption, 1, 0);
    grid->addWidget(m_encoding, 1, 1);
    grid->addWidget(m_detected, 1, 2, 1, 2);

    QLabel* separatorCaption = captionPanel(QStringLiteral("구분 기호"), kImportCaption, this);
    m_separator = new QComboBox(this);
    m_separator->addItems({QStringLiteral("자동으로 알아냄"), QStringLiteral("쉼표 ( , )"),
                           QStringLiteral("세미콜론 ( ; )"), QStringLiteral("탭")});
    nameInput(m_separator, QStringLiteral("cboSeparator"), separatorCaption);
    grid->addWidget(separatorCaption, 2, 0);
    grid->addWidget(m_separator, 2, 1);

    QLabel* sheetCaption = captionPanel(QStringLiteral("시      트"), kImportCaption, this);
    m_sheet = new QComboBox(this);
    nameInput(m_sheet, QStringLiteral("cboSheet"), sheetCaption);
    grid->addWidget(sheetCaption, 3, 0);
    grid->addWidget(m_sheet, 3, 1);

    grid->addWidget(importNote(QStringLiteral("엑셀 파일(.xlsx)이나 CSV 파일을 고르십시오. 아래에 파일의 처음 몇 "
                                              "행이 보입니다. 한글이 깨져 보이면 문자 인코딩을 바꿔 보십시오."),
                               QStringLiteral("lblFileNote"), this),
                    4, 0, 1, 4);
    m_fileRows = new Grid(this);
    nameControl(m_fileRows, QStringLiteral("SSFile"), QStringLiteral("파일의 처음 행"));
    grid->addWidget(m_fileRows, 5, 0, 1, 4);
    grid->setRowStretch(5, 1);
    grid->setColumnStretch(2, 1);

    for (QComboBox* box : {m_encoding, m_separator, m_sheet})
        connect(box, &QComboBox::activated, this, &ImportFilePage::readFile);
}

bool ImportFilePage::mayGoOn() const
{
    return firstRowsProblem(draft().firstRows).isEmpty();
}

void ImportFilePage::browse()
{
    const ImportFileChooser& chooser = chooserHook();
    const QString path = chooser ? chooser(this) : askFile(this);
    if (!path.isEmpty()) choose(path);
}

bool ImportFilePage::choose(const QString& path)
{
    plan() = ImportPlan{};
    plan().file.path = path;
    m_path->setText(QDir::toNativeSeparators(path));
    const bool workbook = isWorkbook(path);
    m_encoding->setEnabled(!workbook);
    m_separator->setEnabled(!workbook);
    m_encoding->setCurrentIndex(0);
    m_separator->setCurrentIndex(0);
    m_sheet->clear();
    m_sheet->setEnabled(workbook);
    if (workbook) {
        QString error;
        const QStringList sheets = workbookSheets(path, &error);
        if (sheets.isEmpty()) {
            draft().firstRows = {};
            m_fileRows->setMaxRows(0);
            emit mayGoOnChanged();
            showMessage(this, MsgIcon::Exclamation, QStringLiteral("파일 오류"), error);
            return false;
        }
        m_sheet->addItems(sheets);
    }
    readFile();
    // A row past the reader's limits or a bad byte among the first rows is told at once.
    if (const QString problem = firstRowsProblem(draft().firstRows); !problem.isEmpty()) {
        showMessage(this, MsgIcon::Exclamation, QStringLiteral("파일 오류"), problem);
        return false;
    }
    return true;
}

void ImportFilePage::readFile()
{
    plan().file =
        chosenFile(plan().file.path, m_encoding->currentIndex(), m_separator->currentIndex(), m_sheet->currentIndex());
    const FirstRows& first = draft().firstRows = readFirstRows(plan().file);
    showInLabel(m_detected, QStringLiteral("파일 정보"), fileInfoText(plan().file, first));
    int width = 0;
    for (const QStringList& r : first.rows) width = std::max(width, int(r.size()));
    QStringList headers;
    for (int c = 0; c < width; ++c) headers << columnLetter(c);
    m_fileRows->setMaxRows(0);
    m_fileRows->setHeaders(headers);
    m_fileRows->appendRows(first.rows.mid(0, kShownFirstRows));
    for (int c = 1; c <= width; ++c) m_fileRows->setColumnWidthChars(c, 14);
    emit mayGoOnChanged();
}
