#include "registry/SearchWindow.h"

#include "app/DbMessages.h"
#include "app/Globals.h"
#include "app/Grid.h"
#include "app/Messages.h"
#include "app/WindowKeys.h"
#include "app/model/Clock.h"
#include "app/model/ProgramExit.h"
#include "data/Db.h"
#include "data/FarmInfo.h"
#include "data/Values.h"
#include "print/PrintSequence.h"
#include "registry/BullRecordForm.h"
#include "registry/CowRecordForm.h"
#include "registry/SearchFill.h"
#include "registry/model/AnimalStore.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {
const QString kNoMatch = QStringLiteral("해당하는 한우개체 정보가 없습니다. 다시 검색해 주세요.");

QLabel* panelLabel(const QString& caption, QWidget* parent)
{
    auto* l = new QLabel(caption, parent);
    l->setAlignment(Qt::AlignCenter);
    l->setFrameShape(QFrame::Panel);
    l->setFrameShadow(QFrame::Raised);
    l->setStyleSheet(QStringLiteral("QLabel { background: rgb(222, 228, 214); color: rgb(40, 60, 40); }"));
    return l;
}

QPushButton* button(const QString& name, const QString& caption, QWidget* parent)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    b->setFocusPolicy(Qt::TabFocus);
    return b;
}

void nameArray(QWidget* w, const char* array, int index)
{
    w->setObjectName(QStringLiteral("%1_%2").arg(QLatin1String(array)).arg(index));
    w->setAccessibleName(QStringLiteral("%1(%2)").arg(QLatin1String(array)).arg(index));
}
}  // namespace

SearchWindow::SearchWindow(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmSearch"));
    setWindowTitle(QStringLiteral("한우암소관리 프로그램 - 개체관리"));
    buildUi();
    resize(1180, 720);

    auto* keys = new WindowKeys(this);
    keys->setQueryButton(m_query);

    // Loading: an empty list, the connection, the farm header.
    SS->setMaxRows(0);
    lss1RowCount = 0;
    m_connected = openConnectionOrEnd(this);
    if (!m_connected) return;  // the program has ended
    loadFarmInfo();
}

SearchWindow::~SearchWindow()
{
    delete m_cowForm.data();
    delete m_bullForm.data();
}

void SearchWindow::buildUi()
{
    auto* heading = panelLabel(QStringLiteral("검색조건"), this);
    heading->setObjectName(QStringLiteral("SSPanel2"));
    heading->setGeometry(8, 8, 84, 62);

    auto* kindLabel = panelLabel(QStringLiteral("구     분"), this);
    nameArray(kindLabel, "SSPanel1", 0);
    kindLabel->setGeometry(96, 8, 90, 29);

    m_all = new QRadioButton(QStringLiteral("전체"), this);
    m_all->setObjectName(QStringLiteral("SSOption1"));
    m_all->setAccessibleName(QStringLiteral("SSOption1"));
    m_cows = new QRadioButton(QStringLiteral("암소"), this);
    m_cows->setObjectName(QStringLiteral("SSOption2"));
    m_cows->setAccessibleName(QStringLiteral("SSOption2"));
    m_bulls = new QRadioButton(QStringLiteral("수소"), this);
    m_bulls->setObjectName(QStringLiteral("SSOption3"));
    m_bulls->setAccessibleName(QStringLiteral("SSOption3"));
    auto* group = new QButtonGroup(this);
    group->addButton(m_all);
    group->addButton(m_cows);
    group->addButton(m_bulls);
    m_all->setGeometry(196, 10, 64, 25);
    m_cows->setGeometry(262, 10, 64, 25);
    m_bulls->setGeometry(328, 10, 64, 25);
    m_all->setChecked(true);
    connect(m_all, &QRadioButton::clicked, this, [this] { setAgeBoxShown(false); });
    connect(m_cows, &QRadioButton::clicked, this, [this] { setAgeBoxShown(false); });
    connect(m_bulls, &QRadioButton::clicked, this, [this] { setAgeBoxShown(true); });

    m_ageFrame = new QFrame(this);
    m_ageFrame->setObjectName(QStringLiteral("Frame1"));
    m_ageFrame->setFrameShape(QFrame::StyledPanel);
    m_ageFrame->setGeometry(398, 8, 130, 29);
    m_ageBox = new QCheckBox(QStringLiteral("28개월령 이후"), m_ageFrame);
    m_ageBox->setObjectName(QStringLiteral("Option1"));
    m_ageBox->setAccessibleName(QStringLiteral("Option1"));
    m_ageBox->setGeometry(8, 2, 118, 25);
    m_ageFrame->hide();

    auto* wordLabel = panelLabel(QStringLiteral("검 색 어"), this);
    nameArray(wordLabel, "SSPanel1", 1);
    wordLabel->setGeometry(96, 41, 90, 29);
    m_word = new QLineEdit(this);
    m_word->setObjectName(QStringLiteral("txtWord"));
    m_word->setAccessibleName(QStringLiteral("txtWord"));
    m_word->setGeometry(190, 41, 220, 29);
    auto* hint = new QLabel(QStringLiteral("*개체번호, 종축등록번호, 별명으로 검색이 가능합니다."), this);
    hint->setObjectName(QStringLiteral("Label2"));
    hint->setStyleSheet(QStringLiteral("color: rgb(0, 0, 160);"));
    hint->setGeometry(418, 41, 400, 29);

    m_toolbar = new QFrame(this);
    nameArray(m_toolbar, "SSPanel1", 2);
    m_toolbar->setFrameShape(QFrame::Panel);
    m_toolbar->setFrameShadow(QFrame::Raised);
    m_toolbar->setGeometry(8, 78, 800, 44);

    auto* insertCow = button(QStringLiteral("cmdInsert"), QStringLiteral("개체(암소)등록"), m_toolbar);
    auto* insertBull = button(QStringLiteral("cmdInsert2"), QStringLiteral("개체(수소)등록"), m_toolbar);
    auto* update = button(QStringLiteral("cmdUpdate"), QStringLiteral("개체수정"), m_toolbar);
    auto* remove = button(QStringLiteral("cmdDelete"), QStringLiteral("개체삭제"), m_toolbar);
    int x = 8;
    for (QPushButton* b : {insertCow, insertBull, update, remove}) {
        b->setGeometry(x, 6, b == update || b == remove ? 84 : 110, 32);
        x += b->width() + 6;
    }
    connect(insertCow, &QPushButton::clicked, this, &SearchWindow::registerCow);
    connect(insertBull, &QPushButton::clicked, this, &SearchWindow::registerBull);
    connect(update, &QPushButton::clicked, this, &SearchWindow::editSelected);
    connect(remove, &QPushButton::clicked, this, &SearchWindow::deleteSelected);

    m_query = button(QString(), QStringLiteral("조회(F11)"), m_toolbar);
    nameArray(m_query, "Com_Function", 0);
    m_print = button(QString(), QStringLiteral("목록인쇄"), m_toolbar);
    nameArray(m_print, "Com_Function", 1);
    m_close = button(QString(), QStringLiteral("닫기(ESC)"), m_toolbar);
    nameArray(m_close, "Com_Function", 99);
    for (QPushButton* b : {m_query, m_print, m_close}) b->resize(96, 32);
    connect(m_query, &QPushButton::clicked, this, &SearchWindow::search);
    connect(m_print, &QPushButton::clicked, this, &SearchWindow::printList);
    connect(m_close, &QPushButton::clicked, this, &QWidget::close);

    m_gridPanel = new QFrame(this);
    m_gridPanel->setObjectName(QStringLiteral("SP_SpreadPN"));
    m_gridPanel->setFrameShape(QFrame::StyledPanel);
    m_gridPanel->setGeometry(8, 128, 800, 400);
    SS = new Grid(m_gridPanel);
    SS->setObjectName(QStringLiteral("SS"));
    SS->setAccessibleName(QStringLiteral("SS"));
    SS->setHeaders(searchHeaders());
    const int widths[kSearchColumns] = {10, 4, 4, 8, 6, 6, 5, 8, 11, 7, 9, 8, 8, 3, 8, 8, 5};
    for (int c = 1; c <= kSearchColumns; ++c) SS->setColumnWidthChars(c, widths[c - 1]);
    connect(SS, &Grid::dblClick, this, [this](int col, int row) {
        if (col != 0 && row != 0) editSelected();
    });

    m_wait = new QLabel(QStringLiteral("한우개체 정보를 조회중 입니다. 잠시만 기다려 주세요.\n\n"
                                       "데이터 용량에 따라 수초에서 수분이 걸릴 수 있습니다."),
                        m_gridPanel);
    m_wait->setObjectName(QStringLiteral("ML_INFO"));
    m_wait->setAlignment(Qt::AlignCenter);
    m_wait->setFrameShape(QFrame::Box);
    m_wait->setStyleSheet(QStringLiteral(
        "QLabel { background: rgb(255, 252, 230); color: rgb(60, 40, 0); border: 2px solid rgb(180, 150, 80);"
        " font-weight: bold; padding: 12px; }"));
    m_wait->resize(440, 96);
    m_wait->hide();
}

void SearchWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layoutWidgets();
}

void SearchWindow::layoutWidgets()
{
    // The tool bar follows the width with its function buttons at the right end; the grid
    // fills the rest of the window; the wait label stays centred on the grid.
    const int inner = width();
    m_toolbar->resize(std::max(0, inner - (m_toolbar->x() + 9)), m_toolbar->height());
    m_close->move(std::max(0, m_toolbar->width() - (m_close->width() + 8)), 6);
    m_print->move(m_close->x() - (m_print->width() + 7), 6);
    m_query->move(m_print->x() - (m_query->width() + 7), 6);
    m_gridPanel->resize(std::max(0, inner - 16), std::max(0, height() - (m_gridPanel->y() + 10)));
    SS->setGeometry(3, 3, std::max(0, m_gridPanel->width() - 6), std::max(0, m_gridPanel->height() - 6));
    m_wait->move(SS->x() + SS->width() / 2 - m_wait->width() / 2, SS->y() + SS->height() / 2 - m_wait->height() / 2);
}

void SearchWindow::setAgeBoxShown(bool shown)
{
    m_ageFrame->setVisible(shown);
}

void SearchWindow::loadFarmInfo()
{
    try {
        if (const auto farm = readFarmInfo()) {
            gs등록번호 = farm->등록번호;
            gs사업장명칭 = farm->사업장명칭;
        }
    } catch (const DbError& e) {
        showPlainError(this, e);
    }
}

SearchConditions SearchWindow::conditions() const
{
    SearchConditions c;
    c.sex = m_cows->isChecked() ? SexFilter::Cows : m_bulls->isChecked() ? SexFilter::Bulls : SexFilter::All;
    c.word = m_word->text();
    c.olderThan28 = !m_ageFrame->isHidden() && m_ageBox->isChecked();
    return c;
}

void SearchWindow::endSearchWait()
{
    m_wait->hide();
    setEnabled(true);
    m_searching = false;
}

void SearchWindow::search()
{
    if (m_searching) return;
    m_searching = true;
    m_wait->show();
    m_wait->raise();
    setEnabled(false);
    QApplication::processEvents();

    const SearchConditions cond = conditions();
    try {
        const SearchQuery sq = buildSearchQuery(cond);
        QSqlQuery q = runQuery(sq.sql, sq.binds);
        SS->clearText();
        SS->setMaxRows(0);
        lss1RowCount = 0;
        if (!q.next()) {
            endSearchWait();
            showMessage(this, MsgIcon::Question, QStringLiteral("검색오류"), kNoMatch, MsgButton::Ok);
            m_word->setFocus();
            return;
        }
        SearchFill fill(SS, today(), cond.sex == SexFilter::Bulls && cond.olderThan28);
        fill.run(q, [this] { lss1RowCount = SS->maxRows(); });
        lss1RowCount = SS->maxRows();
        if (lss1RowCount > 0) {
            SS->setActiveCell(1, 1);
            SS->setSelection(1, 1, kSearchColumns, 1);
        }
        endSearchWait();
    } catch (const DbError& e) {
        lss1RowCount = SS->maxRows();
        endSearchWait();
        showPlainError(this, e);
    }
}

void SearchWindow::deleteSelected()
{
    if (lss1RowCount == 0) return;
    const int row = SS->activeRow();
    if (row < 1) return;
    const QString text = QStringLiteral("선택하신 한우개체 정보를 정말로 삭제하시겠습니까?") + kCrLf + kCrLf +
                         QStringLiteral("주의 : 모든 번식기록, 백신접종, 체척, 초음파측정 기록이 삭제됩니다.");
    if (showMessage(this, MsgIcon::Critical, QStringLiteral("삭제"), text, MsgButton::Yes | MsgButton::No,
                    MsgButton::No) != MsgButton::Yes)
        return;
    const QString number = SS->cellText(1, row).trimmed();
    try {
        deleteAnimal(number);
    } catch (const DbError& e) {
        showPlainError(this, e);
        return;
    }
    search();
}

void SearchWindow::printList()
{
    PrintRequest r;
    r.window = this;
    r.nothingToPrint = lss1RowCount == 0;
    r.nothingMessage = QStringLiteral("출력할 한우개체 정보를 검색해 주세요.");
    r.question = QStringLiteral("한우암소관리 목록을 출력 하시겠습니까?");
    r.reportFile = QStringLiteral("TarvikList.rpt");
    r.previewTitle = QStringLiteral("한우개체 목록 출력");
    r.workTable = QStringLiteral("개체관리워크");
    r.rows = [this] {
        QList<QVariantList> rows;
        rows.reserve(int(lss1RowCount));
        for (int row = 1; row <= lss1RowCount; ++row) {
            QStringList cells;
            for (int col = 1; col <= kSearchColumns; ++col) cells << SS->cellText(col, row);
            rows << listPrintRow(cells);
        }
        return rows;
    };
    r.formulas = [] {
        return QStringList{QStringLiteral("농장명 = '") + gs사업장명칭.trimmed() + QStringLiteral("' ")};
    };
    if (runPrintSequence(r) == PrintOutcome::NothingToPrint) m_word->setFocus();
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
    CowRecordForm* f = ensureCowForm();
    f->show();
    f->s개체번호.clear();
    f->raise();
    f->activateWindow();
}

void SearchWindow::registerBull()
{
    setEnabled(false);
    BullRecordForm* f = ensureBullForm();
    f->show();
    f->s개체번호.clear();
    f->raise();
    f->activateWindow();
}

void SearchWindow::editSelected()
{
    if (lss1RowCount == 0) return;
    const int row = SS->activeRow();
    if (row < 1) return;
    SS->setRow(row);
    if (SS->cellText(2, row) == QStringLiteral("암소"))
        ensureCowForm()->loadFromList(row);
    else
        ensureBullForm()->loadFromList(row);
}

void SearchWindow::recordFormClosed(AnimalRecordForm* form, bool takeFocus)
{
    if (form == static_cast<AnimalRecordForm*>(m_cowForm.data())) m_cowForm.clear();
    if (form == static_cast<AnimalRecordForm*>(m_bullForm.data())) m_bullForm.clear();
    setEnabled(true);
    if (takeFocus) {
        raise();
        activateWindow();
        SS->setFocus();
    }
}

void SearchWindow::closeEvent(QCloseEvent* event)
{
    // Not while a search reads or a record form still works on the list.
    if (m_searching || (m_cowForm && m_cowForm->isVisible()) || (m_bullForm && m_bullForm->isVisible())) {
        event->ignore();
        return;
    }
    DBClose();
    event->accept();
}
