#include "registry/SearchWindow.h"

#include "data/Clock.h"
#include "data/Db.h"
#include "data/Globals.h"
#include "data/Values.h"
#include "kit/Accessibility.h"
#include "kit/CaptionPanel.h"
#include "kit/ColumnFit.h"
#include "kit/CommandButton.h"
#include "kit/DbMessages.h"
#include "kit/Messages.h"
#include "kit/Styles.h"
#include "registry/BullRecordForm.h"
#include "registry/CowRecordForm.h"
#include "registry/SearchFill.h"
#include "registry/model/AnimalStore.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>
#include <array>

namespace {
const QString kNoMatch = QStringLiteral("해당하는 한우개체 정보가 없습니다. 다시 검색해 주세요.");

// The caption panels of the search conditions.
constexpr CaptionLook kConditionCaption{.tinted = true};

// The record commands sit at the left of the button bar, the registrations wider than the rest.
constexpr int kRecordButtonTopPx = 6;
constexpr int kRecordButtonHeightPx = 32;
constexpr int kRegisterButtonWidthPx = 110;
constexpr int kEditButtonWidthPx = 84;
constexpr int kRecordButtonGapPx = 6;

QRadioButton* option(const QString& name, const QString& caption, QWidget* parent)
{
    auto* o = new QRadioButton(caption, parent);
    nameControl(o, name, caption);
    return o;
}

// A usual text of each column, widest where the content varies: the columns are sized
// to show it whole.
QStringList usualCells()
{
    const QString date = QStringLiteral("2026년 04월 30일");
    // Individual numbers are 12 digits, often written with the country code in front.
    const QString number = QStringLiteral("KR002123456789");
    return {number,
            QStringLiteral("수소"),
            QStringLiteral("교잡종"),
            date,
            QStringLiteral("1234567890"),
            QStringLiteral("햇살한우목장"),
            QStringLiteral("12-34"),
            date,
            QStringLiteral("1234"),
            number,
            number,
            date,
            QStringLiteral("순하고 잘 먹음"),
            QStringLiteral("4.5"),
            date,
            date,
            QStringLiteral("120 개월령")};
}
}  // namespace

SearchWindow::SearchWindow(QWidget* parent)
    : ListWindow(QStringLiteral("frmSearch"), QStringLiteral("한우암소관리 프로그램 - 개체관리"),
                 QStringLiteral("목록인쇄"), parent)
{
    buildConditions();
    placeConditionsAbove(70);
    setBarHeight(44);
    buildRecordButtons();
    setColumns();
    resize(1180, 720);

    // Loading: an empty list, the connection, the farm header; no search yet.
    if (!openConnection()) return;  // the program has ended, or the window closes again
    loadFarmHeader();
}

SearchWindow::~SearchWindow()
{
    delete m_cowForm.data();
    delete m_bullForm.data();
}

void SearchWindow::buildConditions()
{
    QWidget* host = conditionHost();
    auto* heading = captionPanel(QStringLiteral("SSPanel2"), QStringLiteral("검색조건"), kConditionCaption, host);
    heading->setGeometry(8, 8, 84, 62);

    captionPanel(QStringLiteral("SSPanel1_0"), QStringLiteral("구     분"), kConditionCaption, host)
        ->setGeometry(96, 8, 90, 29);
    // The sex options in the order of SexFilter: 전체, 암소, 수소.
    const std::array<QString, 3> sexCaptions = {QStringLiteral("전체"), QStringLiteral("암소"), QStringLiteral("수소")};
    auto* group = new QButtonGroup(this);
    for (int i = 0; i < 3; ++i) {
        m_sexOptions[i] = option(QStringLiteral("SSOption%1").arg(i + 1), sexCaptions[i], host);
        group->addButton(m_sexOptions[i]);
        m_sexOptions[i]->setGeometry(196 + 66 * i, 10, 64, 25);
    }
    m_sexOptions[0]->setChecked(true);

    m_ageFrame = new QFrame(host);
    nameControl(m_ageFrame, QStringLiteral("Frame1"), QString());
    m_ageFrame->setFrameShape(QFrame::StyledPanel);
    m_ageFrame->setGeometry(398, 8, 130, 29);
    m_ageBox = new QCheckBox(QStringLiteral("28개월령 이후"), m_ageFrame);
    nameControl(m_ageBox, QStringLiteral("Option1"), m_ageBox->text());
    m_ageBox->setGeometry(8, 2, 118, 25);
    m_ageFrame->hide();
    // The age box belongs to the bulls: shown while "수소" is selected, however it was selected.
    connect(m_sexOptions[int(SexFilter::Bulls)], &QRadioButton::toggled, m_ageFrame, &QWidget::setVisible);

    auto* wordLabel = captionPanel(QStringLiteral("SSPanel1_1"), QStringLiteral("검 색 어"), kConditionCaption, host);
    wordLabel->setGeometry(96, 41, 90, 29);
    m_word = new QLineEdit(host);
    nameInput(m_word, QStringLiteral("txtWord"), wordLabel);
    m_word->setGeometry(190, 41, 220, 29);
    auto* hint = new QLabel(QStringLiteral("*개체번호, 종축등록번호, 별명으로 검색이 가능합니다."), host);
    nameControl(hint, QStringLiteral("Label2"), hint->text());
    hint->setStyleSheet(styles::note());
    hint->setGeometry(418, 41, 400, 29);
}

void SearchWindow::buildRecordButtons()
{
    QWidget* bar = buttonBar();
    auto* insertCow =
        commandButton(QStringLiteral("cmdInsert"), QStringLiteral("개체(암소)등록"), bar, ButtonLook::Placed);
    auto* insertBull =
        commandButton(QStringLiteral("cmdInsert2"), QStringLiteral("개체(수소)등록"), bar, ButtonLook::Placed);
    auto* update = commandButton(QStringLiteral("cmdUpdate"), QStringLiteral("개체수정"), bar, ButtonLook::Placed);
    auto* remove = commandButton(QStringLiteral("cmdDelete"), QStringLiteral("개체삭제"), bar, ButtonLook::Placed);
    auto* import = commandButton(QStringLiteral("cmdImport"), QStringLiteral("가져오기"), bar, ButtonLook::Placed);
    import->setToolTip(QStringLiteral("엑셀이나 CSV 파일의 개체와 번식기록을 가져옵니다"));
    int x = 8;
    for (QPushButton* b : {insertCow, insertBull, update, remove, import}) {
        const int width = b == insertCow || b == insertBull ? kRegisterButtonWidthPx : kEditButtonWidthPx;
        b->setGeometry(x, kRecordButtonTopPx, width, kRecordButtonHeightPx);
        x += width + kRecordButtonGapPx;
    }
    connect(insertCow, &QPushButton::clicked, this, &SearchWindow::registerCow);
    connect(insertBull, &QPushButton::clicked, this, &SearchWindow::registerBull);
    connect(update, &QPushButton::clicked, this, &SearchWindow::editSelected);
    connect(remove, &QPushButton::clicked, this, &SearchWindow::deleteSelected);
    connect(import, &QPushButton::clicked, this, &SearchWindow::importRecords);
    // The conditions and the record commands come before the frame's buttons and the list.
    tabToFrameAfter(import);
}

void SearchWindow::setColumns()
{
    grid()->setHeaders(searchHeaders());
    grid()->setColumnKinds(searchColumnKinds());
    fitColumns(grid(), usualCells());
    setListName(QStringLiteral("한우개체 목록"));
    connect(grid(), &Grid::dblClick, this, [this](int col, int row) {
        if (col != 0 && row != 0) editSelected();
    });
}

SearchConditions SearchWindow::conditions() const
{
    SearchConditions c;
    c.sex = SexFilter::All;
    for (int i = 0; i < 3; ++i)
        if (m_sexOptions[i]->isChecked()) c.sex = static_cast<SexFilter>(i);
    c.word = m_word->text();
    c.olderThan28 = !m_ageFrame->isHidden() && m_ageBox->isChecked();
    return c;
}

void SearchWindow::query()
{
    const SearchConditions cond = conditions();
    const SearchQuery sq = buildSearchQuery(cond);
    SearchFill fill(
        today(), cond.sex == SexFilter::Bulls && cond.olderThan28,
        [this](QList<QStringList>&& rows, const QList<QColor>& colors) { appendRows(std::move(rows), colors); });
    ListQuery lq;
    lq.waitText = QStringLiteral("한우개체 정보를 조회중 입니다. 잠시만 기다려 주세요.");
    lq.sql = sq.sql;
    lq.binds = sq.binds;
    lq.eachRecord = [&fill](const QSqlQuery& q) { fill.add(q); };
    lq.afterRecords = [&fill] { fill.flush(); };
    lq.notFoundText = kNoMatch;
    if (runListQuery(lq) == QueryResult::NothingFound) m_word->setFocus();
}

void SearchWindow::deleteSelected()
{
    const int row = selectedRow();
    if (row < 1) return;
    const QString text = QStringLiteral("선택하신 한우개체 정보를 정말로 삭제하시겠습니까?") + kCrLf + kCrLf +
                         QStringLiteral("주의 : 모든 번식기록, 백신접종, 체척, 초음파측정 기록이 삭제됩니다.");
    if (showMessage(this, MsgIcon::Critical, QStringLiteral("삭제"), text, MsgButton::Yes | MsgButton::No,
                    MsgButton::No) != MsgButton::Yes)
        return;
    const QString number = animalAt(row).개체번호.trimmed();
    try {
        deleteAnimal(number);
    } catch (const DbError& e) {
        showPlainError(this, e);
        return;
    }
    query();
}

namespace {
SearchWindow::ImportOpener& importOpener()
{
    static SearchWindow::ImportOpener opener;
    return opener;
}
}  // namespace

void SearchWindow::setImportOpener(ImportOpener opener)
{
    importOpener() = std::move(opener);
}

void SearchWindow::importRecords()
{
    if (importOpener() && importOpener()(this)) query();
}

void SearchWindow::print()
{
    ListPrint p;
    p.nothingMessage = QStringLiteral("출력할 한우개체 정보를 검색해 주세요.");
    p.question = QStringLiteral("한우암소관리 목록을 출력 하시겠습니까?");
    p.reportFile = QStringLiteral("TarvikList.rpt");
    p.previewTitle = QStringLiteral("한우개체 목록 출력");
    p.workTable = QStringLiteral("개체관리워크");
    p.columns = kSearchColumns;
    p.tableRow = listPrintRow;
    p.formulas = [] { return report::Formulas{{QStringLiteral("농장명"), farmHeader().name.trimmed()}}; };
    if (printList(*this, p) == PrintOutcome::NothingToPrint) m_word->setFocus();
}

CowRecordForm* SearchWindow::cowForm() const
{
    return m_cowForm;
}
BullRecordForm* SearchWindow::bullForm() const
{
    return m_bullForm;
}

CowRecordForm* SearchWindow::ensureCowForm()
{
    if (!m_cowForm) m_cowForm = new CowRecordForm(this);
    return m_cowForm;
}

BullRecordForm* SearchWindow::ensureBullForm()
{
    if (!m_bullForm) m_bullForm = new BullRecordForm(this);
    return m_bullForm;
}

void SearchWindow::registerCow()
{
    setEnabled(false);
    ensureCowForm()->openForNew();
}

void SearchWindow::registerBull()
{
    setEnabled(false);
    ensureBullForm()->openForNew();
}

bool SearchWindow::openAnimal(const QString& number)
{
    m_sexOptions[int(SexFilter::All)]->setChecked(true);
    m_ageBox->setChecked(false);
    m_word->setText(number.trimmed());
    query();
    for (int row = 1; row <= rowCount(); ++row) {
        if (animalAt(row).개체번호.trimmed() != number.trimmed()) continue;
        grid()->setActiveCell(1, row);
        editSelected();
        return true;
    }
    return false;
}

int SearchWindow::selectedRow() const
{
    return rowCount() == 0 ? 0 : std::max(0, grid()->activeRow());
}

void SearchWindow::editSelected()
{
    const int row = selectedRow();
    if (row < 1) return;
    grid()->setRow(row);
    const AnimalRecord shown = animalAt(row);
    AnimalRecordForm* form = nullptr;
    if (shown.구분 == AnimalKind::Cow)
        form = ensureCowForm();
    else
        form = ensureBullForm();
    // The list stays disabled while the form works on one of its rows.
    setEnabled(false);
    form->loadFromList(row, shown);
}

AnimalRecord SearchWindow::animalAt(int row) const
{
    return animalOfRow(shownCells(row, kSearchColumns));
}

void SearchWindow::writeSavedRow(int row, const AnimalRecord& typed)
{
    Grid* g = grid();
    const QStringList cells = SearchRowFormatter(today()).savedCells(typed);
    for (int col = 1; col <= cells.size(); ++col) g->setCellText(col, row, cells[col - 1]);
    g->setRowForeColor(row, searchRowColor(typed));
    g->fitToContents();
}

void SearchWindow::showAnimal(int row, const AnimalRecord& typed)
{
    grid()->setRow(row);
    writeSavedRow(row, typed);
}

int SearchWindow::addAnimal(const AnimalRecord& typed)
{
    const int row = appendRow();
    writeSavedRow(row, typed);
    grid()->setSelection(1, row, kSearchColumns, row);
    return row;
}

void SearchWindow::recordFormClosed(AnimalRecordForm* form, bool takeFocus)
{
    if (form == static_cast<AnimalRecordForm*>(m_cowForm.data())) m_cowForm.clear();
    if (form == static_cast<AnimalRecordForm*>(m_bullForm.data())) m_bullForm.clear();
    setEnabled(true);
    if (takeFocus) {
        raise();
        activateWindow();
        grid()->setFocus();
    }
}

bool SearchWindow::mayClose() const
{
    return !(m_cowForm && m_cowForm->isVisible()) && !(m_bullForm && m_bullForm->isVisible());
}
