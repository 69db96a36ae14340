#include "import/ImportAssistant.h"

#include "data/Clock.h"
#include "data/ProgramDir.h"
#include "kit/Accessibility.h"
#include "kit/CaptionPanel.h"
#include "kit/CommandButton.h"
#include "kit/Grid.h"
#include "kit/Messages.h"
#include "kit/Styles.h"
#include "kit/WindowKeys.h"

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QSpinBox>
#include <QStackedWidget>
#include <QStandardPaths>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
constexpr int kFirstRows = 20;  // rows read for the file's look and its header row
constexpr int kShownFirstRows = 8;
constexpr int kProgressShownAfterMs = 400;
constexpr int kColumnRowHeightPx = 28;
constexpr CaptionLook kCaption{.width = 96, .minHeight = 26, .tinted = true};

ImportFileChooser& chooserHook()
{
    static ImportFileChooser hook;
    return hook;
}

QString askFile(QWidget* parent)
{
    const QString docs = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QFileDialog dialog(parent, QStringLiteral("가져올 파일 선택"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters({QStringLiteral("엑셀 또는 CSV 파일 (*.xlsx *.csv *.txt)"), QStringLiteral("모든 파일 (*)")});
    dialog.setDirectory(!docs.isEmpty() && QFileInfo(docs).isDir() ? docs : QDir::homePath());
    dialog.setLabelText(QFileDialog::LookIn, QStringLiteral("찾는 위치:"));
    dialog.setLabelText(QFileDialog::FileName, QStringLiteral("파일 이름:"));
    dialog.setLabelText(QFileDialog::FileType, QStringLiteral("파일 형식:"));
    dialog.setLabelText(QFileDialog::Accept, QStringLiteral("열기"));
    dialog.setLabelText(QFileDialog::Reject, QStringLiteral("취소"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
}

QColor verdictColor(Verdict v)
{
    switch (v) {
    case Verdict::New: return {};
    case Verdict::Update: return QColor(0, 80, 200);
    case Verdict::Same: return QColor(110, 110, 110);
    case Verdict::Kept: return QColor(140, 95, 0);
    case Verdict::Refused: return QColor(200, 0, 0);
    }
    return {};
}

QString totalsText(const ImportTotals& t)
{
    QStringList parts;
    for (int v = 0; v < kVerdicts; ++v)
        parts << QStringLiteral("%1 %2건").arg(verdictText(Verdict(v))).arg(t.counts[size_t(v)]);
    return QStringLiteral("모두 %1행: ").arg(t.rows()) + parts.join(QStringLiteral(", "));
}

QLabel* note(const QString& text, const QString& name, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    nameControl(l, name, text);
    l->setWordWrap(true);
    l->setStyleSheet(styles::note());
    return l;
}

// A label whose text changes is heard by its name and what it shows now, not its name alone.
void setShown(QLabel* label, const QString& name, const QString& text)
{
    label->setText(text);
    label->setAccessibleName(text.isEmpty() ? name : name + QStringLiteral(": ") + text);
}

QRadioButton* option(const QString& name, const QString& caption, QWidget* parent)
{
    auto* o = new QRadioButton(caption, parent);
    nameControl(o, name, caption);
    return o;
}

// A progress dialog over `parent` that shows once the work takes a while; `report` feeds it.
class Progress {
public:
    Progress(QWidget* parent, const QString& name, const QString& title, const QString& text) : m_dialog(parent)
    {
        nameControl(&m_dialog, name, title);
        m_dialog.setWindowTitle(title);
        m_dialog.setLabelText(text);
        auto* cancel = new QPushButton(QStringLiteral("취소"), &m_dialog);
        nameControl(cancel, QStringLiteral("cmdCancelProgress"), cancel->text());
        m_dialog.setCancelButton(cancel);
        m_dialog.setWindowModality(Qt::WindowModal);
        m_dialog.setAutoClose(false);
        m_dialog.setAutoReset(false);
        m_dialog.setMinimumDuration(kProgressShownAfterMs);
        m_dialog.setRange(0, 1000);
        m_dialog.setValue(0);
        QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~Progress() { QApplication::restoreOverrideCursor(); }
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;

    ImportProgress report()
    {
        return [this](double done) {
            m_dialog.setValue(int(std::clamp(done, 0.0, 1.0) * 1000));
            // Until the dialog shows, the assistant must not take clicks; painting goes on.
            QCoreApplication::processEvents(m_dialog.isVisible() ? QEventLoop::AllEvents
                                                                 : QEventLoop::ExcludeUserInputEvents);
            return !m_dialog.wasCanceled();
        };
    }

private:
    QProgressDialog m_dialog;
};
}  // namespace

void setImportFileChooser(ImportFileChooser chooser)
{
    chooserHook() = std::move(chooser);
}

ImportAssistant::ImportAssistant(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmImport"));
    setWindowTitle(QStringLiteral("가져오기 - 개체와 번식기록"));
    setModal(true);
    resize(980, 640);

    auto* all = new QVBoxLayout(this);
    m_stepsLabel = new QLabel(this);
    m_stepsLabel->setTextFormat(Qt::RichText);
    all->addWidget(m_stepsLabel);
    m_pages = new QStackedWidget(this);
    m_pages->addWidget(buildFilePage());
    m_pages->addWidget(buildTargetPage());
    m_pages->addWidget(buildColumnsPage());
    m_pages->addWidget(buildPreviewPage());
    m_pages->addWidget(buildDonePage());
    all->addWidget(m_pages, 1);

    auto* buttons = new QHBoxLayout;
    m_back = commandButton(QStringLiteral("cmdBack"), QStringLiteral("< 이전"), this);
    m_next = commandButton(QStringLiteral("cmdNext"), QStringLiteral("다음 >"), this);
    m_run = commandButton(QStringLiteral("cmdRunImport"), QStringLiteral("가져오기"), this);
    m_close = commandButton(QStringLiteral("cmdClose"), QStringLiteral("닫기(ESC)"), this);
    buttons->addStretch();
    for (QPushButton* b : {m_back, m_next, m_run, m_close}) buttons->addWidget(b);
    all->addLayout(buttons);
    connect(m_back, &QPushButton::clicked, this, &ImportAssistant::goBack);
    connect(m_next, &QPushButton::clicked, this, &ImportAssistant::goNext);
    connect(m_run, &QPushButton::clicked, this, &ImportAssistant::startImport);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);

    // Enter presses nothing; Esc closes like 닫기.
    new WindowKeys(this, [this] { reject(); });
    showStep(Step::File);
}

ImportAssistant::~ImportAssistant() = default;

QWidget* ImportAssistant::buildFilePage()
{
    auto* page = new QWidget(this);
    auto* grid = new QGridLayout(page);
    QLabel* fileCaption = captionPanel(QStringLiteral("파      일"), kCaption, page);
    m_path = new QLineEdit(page);
    m_path->setReadOnly(true);
    nameInput(m_path, QStringLiteral("txtFile"), fileCaption);
    auto* browse = commandButton(QStringLiteral("cmdBrowse"), QStringLiteral("찾아보기…"), page);
    connect(browse, &QPushButton::clicked, this, &ImportAssistant::browse);
    grid->addWidget(fileCaption, 0, 0);
    grid->addWidget(m_path, 0, 1, 1, 2);
    grid->addWidget(browse, 0, 3);

    QLabel* encodingCaption = captionPanel(QStringLiteral("문자 인코딩"), kCaption, page);
    m_encoding = new QComboBox(page);
    m_encoding->addItems(
        {QStringLiteral("자동으로 알아냄"), QStringLiteral("UTF-8"), QStringLiteral("한글 완성형 (CP949/EUC-KR)")});
    nameInput(m_encoding, QStringLiteral("cboEncoding"), encodingCaption);
    m_detected = new QLabel(page);
    nameControl(m_detected, QStringLiteral("lblDetected"), QStringLiteral("파일 정보"));
    grid->addWidget(encodingCaption, 1, 0);
    grid->addWidget(m_encoding, 1, 1);
    grid->addWidget(m_detected, 1, 2, 1, 2);

    QLabel* separatorCaption = captionPanel(QStringLiteral("구분 기호"), kCaption, page);
    m_separator = new QComboBox(page);
    m_separator->addItems({QStringLiteral("자동으로 알아냄"), QStringLiteral("쉼표 ( , )"),
                           QStringLiteral("세미콜론 ( ; )"), QStringLiteral("탭")});
    nameInput(m_separator, QStringLiteral("cboSeparator"), separatorCaption);
    grid->addWidget(separatorCaption, 2, 0);
    grid->addWidget(m_separator, 2, 1);

    QLabel* sheetCaption = captionPanel(QStringLiteral("시      트"), kCaption, page);
    m_sheet = new QComboBox(page);
    nameInput(m_sheet, QStringLiteral("cboSheet"), sheetCaption);
    grid->addWidget(sheetCaption, 3, 0);
    grid->addWidget(m_sheet, 3, 1);

    grid->addWidget(note(QStringLiteral("엑셀 파일(.xlsx)이나 CSV 파일을 고르십시오. 아래에 파일의 처음 몇 행이 "
                                        "보입니다. 한글이 깨져 보이면 문자 인코딩을 바꿔 보십시오."),
                         QStringLiteral("lblFileNote"), page),
                    4, 0, 1, 4);
    m_fileRows = new Grid(page);
    nameControl(m_fileRows, QStringLiteral("SSFile"), QStringLiteral("파일의 처음 행"));
    grid->addWidget(m_fileRows, 5, 0, 1, 4);
    grid->setRowStretch(5, 1);
    grid->setColumnStretch(2, 1);

    for (QComboBox* box : {m_encoding, m_separator, m_sheet})
        connect(box, &QComboBox::activated, this, [this] {
            readFileOptions();
            loadFirstRows();
        });
    return page;
}

QWidget* ImportAssistant::buildTargetPage()
{
    auto* page = new QWidget(this);
    auto* v = new QVBoxLayout(page);
    v->addWidget(note(QStringLiteral("파일에 든 기록이 무엇인지 고르십시오."), QStringLiteral("lblTargetNote"), page));
    m_animals = option(QStringLiteral("optAnimals"), QStringLiteral("개체 (개체관리: 개체번호, 암/수, 생일, …)"), page);
    m_breeding =
        option(QStringLiteral("optBreeding"), QStringLiteral("번식기록 (개체번호, 수정일, 정액번호, …)"), page);
    auto* group = new QButtonGroup(this);
    group->addButton(m_animals);
    group->addButton(m_breeding);
    m_animals->setChecked(true);
    v->addWidget(m_animals);
    v->addWidget(m_breeding);
    v->addWidget(note(QStringLiteral("번식기록은 개체관리에 있는 암소에만 들어갑니다. 새 농장이면 개체를 먼저 "
                                     "가져오십시오."),
                      QStringLiteral("lblBreedingNote"), page));
    v->addStretch();
    return page;
}

QWidget* ImportAssistant::buildColumnsPage()
{
    auto* page = new QWidget(this);
    auto* v = new QVBoxLayout(page);
    auto* top = new QHBoxLayout;
    QLabel* headerCaption = captionPanel(QStringLiteral("머리글 행"), kCaption, page);
    m_headerRow = new QSpinBox(page);
    m_headerRow->setRange(1, kFirstRows);
    m_headerRow->setSuffix(QStringLiteral(" 행"));
    nameInput(m_headerRow, QStringLiteral("spnHeaderRow"), headerCaption);
    top->addWidget(headerCaption);
    top->addWidget(m_headerRow);
    m_columnsNote = note(QString(), QStringLiteral("lblColumnsNote"), page);
    top->addWidget(m_columnsNote, 1);
    v->addLayout(top);
    m_columns = new QTableWidget(page);
    nameControl(m_columns, QStringLiteral("tblColumns"), QStringLiteral("열 맞추기"));
    m_columns->setColumnCount(4);
    m_columns->setHorizontalHeaderLabels({QStringLiteral("항목"), QStringLiteral("파일의 열"),
                                          QStringLiteral("빈 칸일 때 넣을 값"), QStringLiteral("첫 행의 값")});
    m_columns->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_columns->verticalHeader()->hide();
    m_columns->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_columns->verticalHeader()->setDefaultSectionSize(kColumnRowHeightPx);
    m_columns->setSelectionMode(QAbstractItemView::NoSelection);
    v->addWidget(m_columns, 1);
    v->addWidget(note(QStringLiteral("* 표시는 꼭 있어야 하는 항목입니다. 고른 맞춤은 같은 머리글의 파일을 다음에 "
                                     "가져올 때 다시 쓰입니다."),
                      QStringLiteral("lblColumnsHint"), page));
    connect(m_headerRow, &QSpinBox::valueChanged, this, [this](int row) {
        m_plan.headerRow = row - 1;
        m_headers = m_firstRows.value(m_plan.headerRow);
        takeStartingMapping();
        fillColumnTable();
    });
    return page;
}

QWidget* ImportAssistant::buildPreviewPage()
{
    auto* page = new QWidget(this);
    auto* v = new QVBoxLayout(page);
    auto* policy = new QHBoxLayout;
    m_addOnly = option(QStringLiteral("optAddOnly"), QStringLiteral("새 기록만 더하기"), page);
    m_update = option(QStringLiteral("optUpdate"), QStringLiteral("있는 기록도 파일의 값으로 고치기"), page);
    auto* group = new QButtonGroup(this);
    group->addButton(m_addOnly);
    group->addButton(m_update);
    m_addOnly->setChecked(true);
    policy->addWidget(m_addOnly);
    policy->addWidget(m_update);
    policy->addStretch();
    v->addLayout(policy);
    m_totals = new QLabel(page);
    nameControl(m_totals, QStringLiteral("lblTotals"), QStringLiteral("합계"));
    QFont bold = m_totals->font();
    bold.setBold(true);
    m_totals->setFont(bold);
    v->addWidget(m_totals);
    m_preview = new Grid(page);
    nameControl(m_preview, QStringLiteral("SSPreview"), QStringLiteral("미리보기"));
    v->addWidget(m_preview, 1);
    m_previewNote = note(QString(), QStringLiteral("lblPreviewNote"), page);
    v->addWidget(m_previewNote);
    connect(m_update, &QRadioButton::toggled, this, [this](bool on) {
        const ImportPolicy wanted = on ? ImportPolicy::AddAndUpdate : ImportPolicy::AddOnly;
        if (m_plan.policy == wanted) return;
        m_plan.policy = wanted;
        runPreview();
    });
    return page;
}

QWidget* ImportAssistant::buildDonePage()
{
    auto* page = new QWidget(this);
    auto* v = new QVBoxLayout(page);
    m_result = new QLabel(page);
    nameControl(m_result, QStringLiteral("lblResult"), QStringLiteral("가져오기 결과"));
    m_result->setWordWrap(true);
    m_result->setTextInteractionFlags(Qt::TextSelectableByMouse);
    v->addWidget(m_result);
    v->addStretch();
    return page;
}

ImportAssistant::Step ImportAssistant::step() const
{
    return Step(m_pages->currentIndex());
}

void ImportAssistant::showStep(Step s)
{
    m_pages->setCurrentIndex(int(s));
    QStringList shown;
    for (int i = 0; i < kImportSteps; ++i) {
        const QString n = QStringLiteral("%1. %2").arg(i + 1).arg(importStepName(Step(i)));
        shown << (i == int(s) ? QStringLiteral("<b><u>%1</u></b>").arg(n) : n);
    }
    m_stepsLabel->setText(shown.join(QStringLiteral(" &nbsp;›&nbsp; ")));
    m_back->setEnabled(stepBefore(s).has_value());
    m_next->setVisible(stepAfter(s).has_value());
    m_next->setEnabled(s != Step::File || (!m_firstRows.isEmpty() && m_readError.isEmpty()));
    m_run->setVisible(s == Step::Preview);
    m_back->setVisible(s != Step::Done);
}

void ImportAssistant::browse()
{
    const ImportFileChooser& chooser = chooserHook();
    const QString path = chooser ? chooser(this) : askFile(this);
    if (!path.isEmpty()) chooseFile(path);
}

bool ImportAssistant::chooseFile(const QString& path)
{
    m_plan = ImportPlan{};
    m_plan.file.path = path;
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
            m_firstRows.clear();
            m_fileRows->setMaxRows(0);
            showMessage(this, MsgIcon::Exclamation, QStringLiteral("파일 오류"), error);
            showStep(Step::File);
            return false;
        }
        m_sheet->addItems(sheets);
    }
    readFileOptions();
    loadFirstRows();
    // A row past the reader's limits or a bad byte among the first rows is told at once.
    if (!m_readError.isEmpty() || m_firstRows.isEmpty()) {
        showMessage(this, MsgIcon::Exclamation, QStringLiteral("파일 오류"),
                    m_readError.isEmpty() ? QStringLiteral("파일에 읽을 행이 없습니다.") : m_readError);
        return false;
    }
    return true;
}

void ImportAssistant::readFileOptions()
{
    const TextEncoding encodings[] = {TextEncoding::Auto, TextEncoding::Utf8, TextEncoding::Cp949};
    m_plan.file.encoding = encodings[std::max(0, m_encoding->currentIndex())];
    const QChar separators[] = {QChar(), QChar(u','), QChar(u';'), QChar(u'\t')};
    m_plan.file.separator = separators[std::max(0, m_separator->currentIndex())];
    m_plan.file.sheet = std::max(0, m_sheet->currentIndex());
}

void ImportAssistant::loadFirstRows()
{
    m_firstRows.clear();
    m_readError.clear();
    if (const std::unique_ptr<RowReader> rows = openRows(m_plan.file, &m_readError)) {
        QStringList cells;
        while (m_firstRows.size() < kFirstRows && rows->next(cells)) m_firstRows << cells;
        m_readError = rows->error();
    }
    const QString info = QStringLiteral("파일 정보");
    if (!m_readError.isEmpty()) {
        setShown(m_detected, info, m_readError);
    } else if (isWorkbook(m_plan.file.path)) {
        setShown(m_detected, info, QStringLiteral("엑셀 통합 문서"));
    } else {
        const TextEncoding found =
            m_plan.file.encoding == TextEncoding::Auto ? detectEncoding(m_plan.file.path) : m_plan.file.encoding;
        setShown(m_detected, info,
                 QStringLiteral("읽은 인코딩: ") + (found == TextEncoding::Cp949
                                                        ? QStringLiteral("한글 완성형 (CP949/EUC-KR)")
                                                        : QStringLiteral("UTF-8")));
    }
    int width = 0;
    for (const QStringList& r : m_firstRows) width = std::max(width, int(r.size()));
    QStringList headers;
    for (int c = 0; c < width; ++c) headers << columnLetter(c);
    m_fileRows->setMaxRows(0);
    m_fileRows->setHeaders(headers);
    QList<QStringList> shown = m_firstRows.mid(0, kShownFirstRows);
    m_fileRows->appendRows(std::move(shown));
    for (int c = 1; c <= width; ++c) m_fileRows->setColumnWidthChars(c, 14);
    showStep(step());
}

void ImportAssistant::prepareColumns()
{
    const int header = std::max(0, findHeaderRow(m_plan.target, m_firstRows));
    m_plan.headerRow = header;
    m_headers = m_firstRows.value(header);
    takeStartingMapping();
    const QSignalBlocker quiet(m_headerRow);
    m_headerRow->setValue(header + 1);
    fillColumnTable();
}

void ImportAssistant::takeStartingMapping()
{
    StartingMapping start = startingMapping(settingsFilePath(), m_plan.target, m_headers);
    m_plan.mapping = std::move(start.mapping);
    m_recalled = start.recalled;
}

void ImportAssistant::fillColumnTable()
{
    const QList<ImportField>& fields = importFields(m_plan.target);
    const QStringList firstData = m_firstRows.value(m_plan.headerRow + 1);
    m_columns->clearContents();
    m_columns->setRowCount(int(fields.size()));
    QStringList choices{QStringLiteral("(없음)")};
    for (int c = 0; c < m_headers.size(); ++c)
        choices << QStringLiteral("%1열: %2").arg(columnLetter(c), m_headers[c].simplified());
    for (int f = 0; f < fields.size(); ++f) {
        const ImportField& field = fields[f];
        auto* caption = new QTableWidgetItem(field.caption + (field.required ? QStringLiteral(" *") : QString()));
        caption->setFlags(Qt::ItemIsEnabled);
        m_columns->setItem(f, 0, caption);
        auto* column = new QComboBox(m_columns);
        nameControl(column, QStringLiteral("cboColumn_") + field.key, field.caption + QStringLiteral(" 열"));
        column->addItems(choices);
        const FieldSource source = m_plan.mapping.value(f);
        column->setCurrentIndex(source.column + 1 < choices.size() ? source.column + 1 : 0);
        m_columns->setCellWidget(f, 1, column);
        auto* fallback = new QLineEdit(source.fallback, m_columns);
        nameControl(fallback, QStringLiteral("txtDefault_") + field.key, field.caption + QStringLiteral(" 기본값"));
        m_columns->setCellWidget(f, 2, fallback);
        auto* sample = new QTableWidgetItem;
        sample->setFlags(Qt::ItemIsEnabled);
        m_columns->setItem(f, 3, sample);
        auto showSample = [this, firstData, sample](int index) {
            sample->setText(index > 0 ? firstData.value(index - 1) : QString());
        };
        showSample(column->currentIndex());
        connect(column, &QComboBox::currentIndexChanged, this, showSample);
    }
    setShown(m_columnsNote, QStringLiteral("열 맞추기 알림"),
             m_recalled ? QStringLiteral("지난번 같은 머리글의 파일에 쓴 맞춤을 불러왔습니다.")
                        : QStringLiteral("머리글로 %1개 항목을 맞췄습니다. 맞지 않으면 바꾸십시오.")
                              .arg(matchedCount(m_plan.mapping)));
}

void ImportAssistant::takeColumnTable()
{
    const QList<ImportField>& fields = importFields(m_plan.target);
    m_plan.mapping = ColumnMapping(fields.size());
    for (int f = 0; f < fields.size(); ++f) {
        auto* column = qobject_cast<QComboBox*>(m_columns->cellWidget(f, 1));
        auto* fallback = qobject_cast<QLineEdit*>(m_columns->cellWidget(f, 2));
        m_plan.mapping[f].column = column ? column->currentIndex() - 1 : -1;
        m_plan.mapping[f].fallback = fallback ? fallback->text().trimmed() : QString();
    }
}

void ImportAssistant::goNext()
{
    switch (step()) {
    case Step::File: {
        if (m_firstRows.isEmpty() || !m_readError.isEmpty()) return;
        (likelyTarget(m_firstRows) == ImportTarget::Breeding ? m_breeding : m_animals)->setChecked(true);
        showStep(Step::Target);
        break;
    }
    case Step::Target:
        m_plan.target = m_breeding->isChecked() ? ImportTarget::Breeding : ImportTarget::Animals;
        prepareColumns();
        showStep(Step::Columns);
        break;
    case Step::Columns: {
        takeColumnTable();
        if (const int f = firstRequiredWithoutSource(m_plan.target, m_plan.mapping); f >= 0) {
            showMessage(
                this, MsgIcon::Information, QStringLiteral("미입력"),
                QStringLiteral("%1에 맞출 파일의 열을 골라 주세요.").arg(importFields(m_plan.target)[f].caption));
            if (QWidget* box = m_columns->cellWidget(f, 1)) box->setFocus();
            return;
        }
        rememberMapping(settingsFilePath(), m_plan.target, m_headers, m_plan.mapping);
        if (runPreview()) showStep(Step::Preview);
        break;
    }
    case Step::Preview:
    case Step::Done: break;
    }
}

void ImportAssistant::goBack()
{
    if (const std::optional<Step> back = stepBefore(step())) showStep(*back);
}

bool ImportAssistant::runPreview()
{
    const QList<ImportField>& fields = importFields(m_plan.target);
    QStringList headers{QStringLiteral("행"), QStringLiteral("판정"), QStringLiteral("내용")};
    QList<int> shownFields;
    for (int f = 0; f < fields.size(); ++f) {
        if (!hasSource(m_plan.mapping[f])) continue;
        shownFields << f;
        headers << fields[f].caption;
    }
    QList<QStringList> rows;
    QList<QColor> colors;
    qint64 listed = 0;
    PreviewResult result;
    {
        Progress progress(this, QStringLiteral("frmPreviewProgress"), QStringLiteral("미리보기"),
                          QStringLiteral("파일의 행을 살펴보고 있습니다. 잠시만 기다려 주세요."));
        result = previewImport(
            m_plan, today(),
            [&](const QStringList& cells, qint64 line, const RowVerdict& v) {
                if (++listed > kPreviewRows) return;
                QStringList row{QString::number(line), verdictText(v.verdict), v.detail};
                // A refused row as typed; any other as it will be stored.
                for (int f : shownFields)
                    row << (v.values.isEmpty() ? sourceText(m_plan.mapping[f], cells) : v.values.value(f));
                rows << row;
                colors << verdictColor(v.verdict);
            },
            progress.report());
    }
    if (result.cancelled) return false;
    if (!result.error.isEmpty()) {
        showMessage(this, MsgIcon::Exclamation, QStringLiteral("미리보기 오류"), result.error);
        return false;
    }
    m_previewTotals = result.totals;
    m_preview->setMaxRows(0);
    m_preview->setHeaders(headers);
    m_preview->setColumnKind(1, CellKind::Number);
    m_preview->setColumnWidthChars(1, 6);
    m_preview->setColumnWidthChars(2, 5);
    m_preview->setColumnWidthChars(3, 36);
    for (int c = 4; c <= headers.size(); ++c) m_preview->setColumnWidthChars(c, 12);
    m_preview->appendRows(std::move(rows), colors);
    setShown(m_totals, QStringLiteral("합계"), totalsText(m_previewTotals));
    QStringList notes = importAssumptions(m_plan);
    if (listed > kPreviewRows)
        notes << QStringLiteral("처음 %1행만 보입니다. 합계와 가져오기는 파일의 모든 행을 셉니다.").arg(kPreviewRows);
    setShown(m_previewNote, QStringLiteral("미리보기 알림"), notes.join(u'\n'));
    m_previewNote->setVisible(!notes.isEmpty());
    return true;
}

bool ImportAssistant::startImport()
{
    const qint64 storing = m_previewTotals.of(Verdict::New) + m_previewTotals.of(Verdict::Update);
    if (storing == 0) {
        showMessage(this, MsgIcon::Information, QStringLiteral("가져오기"),
                    QStringLiteral("새로 넣거나 고칠 기록이 없습니다. 미리보기의 판정을 확인해 주세요."));
        return false;
    }
    const QString question = QStringLiteral("%1 %2건을 가져옵니다.").arg(targetTable(m_plan.target)).arg(storing) +
                             kCrLf + QStringLiteral("가져오기 전에 데이터베이스를 자동으로 백업합니다.") + kCrLf +
                             kCrLf + QStringLiteral("가져오시겠습니까?");
    if (showMessage(this, MsgIcon::Question, QStringLiteral("가져오기"), question, MsgButton::Yes | MsgButton::No) !=
        MsgButton::Yes)
        return false;
    {
        Progress progress(this, QStringLiteral("frmImportProgress"), QStringLiteral("가져오기"),
                          QStringLiteral("기록을 가져오고 있습니다. 잠시만 기다려 주세요."));
        m_outcome = runImport(m_plan, today(), QDateTime(today(), QTime::currentTime()), progress.report());
    }
    switch (m_outcome.status) {
    case ImportOutcome::Status::Done:
        showOutcome();
        showStep(Step::Done);
        if (!m_outcome.error.isEmpty())
            showMessage(this, MsgIcon::Exclamation, QStringLiteral("저장오류"), m_outcome.error);
        emit imported();
        return true;
    case ImportOutcome::Status::Cancelled:
        showMessage(this, MsgIcon::Information, QStringLiteral("가져오기"),
                    QStringLiteral("가져오기를 취소했습니다. 아무 기록도 바뀌지 않았습니다."));
        return false;
    case ImportOutcome::Status::BackupFailed:
    case ImportOutcome::Status::Failed:
        messenger().show(this, MessageSpec{MsgIcon::Exclamation, QStringLiteral("가져오기 오류"),
                                           m_outcome.error + kCrLf + QStringLiteral("아무 기록도 바뀌지 않았습니다."),
                                           MsgButton::Ok, MsgButton::None, m_outcome.details});
        return false;
    }
    return false;
}

void ImportAssistant::showOutcome()
{
    const ImportTotals& t = m_outcome.totals;
    QStringList lines;
    lines << QStringLiteral("가져오기를 마쳤습니다.") << QString();
    lines << QStringLiteral("새로 넣은 기록: %1건").arg(t.of(Verdict::New))
          << QStringLiteral("고친 기록: %1건").arg(t.of(Verdict::Update))
          << QStringLiteral("이미 같은 기록: %1건").arg(t.of(Verdict::Same))
          << QStringLiteral("있어서 그대로 둔 기록: %1건").arg(t.of(Verdict::Kept))
          << QStringLiteral("거부된 행: %1건").arg(t.of(Verdict::Refused)) << QString();
    lines << QStringLiteral("가져오기 전 백업: ") + QDir::toNativeSeparators(m_outcome.backupFile);
    if (!m_outcome.refusedFile.isEmpty())
        lines << QStringLiteral("거부된 행과 그 사유: ") + QDir::toNativeSeparators(m_outcome.refusedFile);
    if (m_outcome.refusedMoved)
        lines << QStringLiteral("(원본 파일의 폴더에 쓸 수 없어 데이터베이스 폴더에 저장했습니다.)");
    setShown(m_result, QStringLiteral("가져오기 결과"), lines.join(u'\n'));
}

bool runImportAssistant(QWidget* parent)
{
    ImportAssistant assistant(parent);
    bool stored = false;
    QObject::connect(&assistant, &ImportAssistant::imported, &assistant, [&stored] { stored = true; });
    assistant.exec();
    return stored;
}
