#include "registry/AnimalRecordForm.h"

#include "app/DbMessages.h"
#include "app/Globals.h"
#include "app/Grid.h"
#include "app/Messages.h"
#include "app/WindowKeys.h"
#include "app/model/Clock.h"
#include "data/Db.h"
#include "data/Values.h"
#include "history/HistoryTab.h"
#include "registry/SearchWindow.h"
#include "registry/model/SearchRules.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDateEdit>
#include <QFormLayout>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {
constexpr int kCaptionWidth = 78;

QDateEdit* datePicker(const QString& name, QWidget* parent)
{
    auto* d = new QDateEdit(today(), parent);
    d->setObjectName(name);
    d->setAccessibleName(name);
    d->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    d->setCalendarPopup(true);
    d->setMinimumWidth(116);
    return d;
}

void nameArray(QWidget* w, int index)
{
    w->setObjectName(QStringLiteral("Com_Button_%1").arg(index));
    w->setAccessibleName(QStringLiteral("Com_Button(%1)").arg(index));
}
}  // namespace

bool CheckedDate::ticked() const
{
    return box->isChecked();
}

void CheckedDate::setTicked(bool on)
{
    box->setChecked(on);
    picker->setEnabled(on);
}

qint64 CheckedDate::dateNumber() const
{
    return ticked() ? datenum::fromDate(picker->date()) : 0;
}

QString CheckedDate::cellText() const
{
    return ticked() ? formatDate(picker->date(), QStringLiteral("yyyy년 mm월 dd일")) : QString();
}

void CheckedDate::setFromCell(const QString& text)
{
    if (text.isEmpty()) {
        setTicked(false);
        return;
    }
    setTicked(true);
    const QDate d = datenum::fromLongText(text);
    if (d.isValid()) picker->setDate(d);
}

AnimalRecordForm::AnimalRecordForm(SearchWindow* list, int kind, const QString& objectName, const QString& title,
                                   const QString& kindCaption, const QString& saleCaption)
    : QWidget(nullptr, Qt::Window), m_list(list), m_kind(kind)
{
    setObjectName(objectName);
    setWindowTitle(title);
    setAttribute(Qt::WA_DeleteOnClose);
    setMinimumSize(1000, 600);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(8, 8, 8, 8);
    outer->setSpacing(6);

    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("SSPanel1"));
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setStyleSheet(QStringLiteral("#SSPanel1 { background: rgb(244, 246, 240); }"));
    m_fields = new QGridLayout(panel);
    m_fields->setContentsMargins(8, 8, 8, 8);
    m_fields->setHorizontalSpacing(6);
    m_fields->setVerticalSpacing(5);
    for (int c : {1, 3, 5}) m_fields->setColumnStretch(c, 1);
    outer->addWidget(panel);

    // Row 1: number, breed type, pen, save.
    m_number = addTextField(0, 0, QStringLiteral("   개체번호     (개체식별)"), QStringLiteral("개체번호"));
    addCaption(0, 1, kindCaption);
    auto* breedBox = new QWidget(panel);
    auto* breedLayout = new QHBoxLayout(breedBox);
    breedLayout->setContentsMargins(0, 0, 0, 0);
    m_pure = new QRadioButton(QStringLiteral("순종"), breedBox);
    m_pure->setObjectName(QStringLiteral("SSOption1"));
    m_pure->setAccessibleName(QStringLiteral("SSOption1"));
    m_cross = new QRadioButton(QStringLiteral("교잡종"), breedBox);
    m_cross->setObjectName(QStringLiteral("SSOption2"));
    m_cross->setAccessibleName(QStringLiteral("SSOption2"));
    breedLayout->addWidget(m_pure);
    breedLayout->addWidget(m_cross);
    breedLayout->addStretch();
    m_breed = new QButtonGroup(this);
    m_breed->addButton(m_pure);
    m_breed->addButton(m_cross);
    m_fields->addWidget(breedBox, 0, 3);
    addTextField(0, 2, QStringLiteral("우방번호"), QStringLiteral("우방번호"));
    auto* saveButton = new QPushButton(QStringLiteral("저 장"), panel);
    nameArray(saveButton, 0);
    saveButton->setAutoDefault(false);
    saveButton->setMinimumWidth(90);
    connect(saveButton, &QPushButton::clicked, this, &AnimalRecordForm::save);
    m_fields->addWidget(saveButton, 0, 6);

    // Row 2: birth date, registration number, ranch name.
    m_birth = addDateField(1, 0, QStringLiteral("개체생일"), QStringLiteral("개체생일"));
    addTextField(1, 1, QStringLiteral("   종축등록     번      호"), QStringLiteral("등록번호"));
    addTextField(1, 2, QStringLiteral("목 장 명"), QStringLiteral("별명"));

    // Row 3: arrival, semen number behind its fixed prefix, sire bar code.
    m_arrival = addDateField(2, 0, QStringLiteral("입식일자"), QStringLiteral("입식일자"));
    addCaption(2, 1, QStringLiteral("    부 번 호      (정액번호)"));
    auto* semenBox = new QWidget(panel);
    auto* semenLayout = new QHBoxLayout(semenBox);
    semenLayout->setContentsMargins(0, 0, 0, 0);
    semenLayout->setSpacing(2);
    semenLayout->addWidget(new QLabel(QStringLiteral("KPN-"), semenBox));
    auto* semen = new QLineEdit(semenBox);
    semen->setObjectName(QStringLiteral("정액번호"));
    semen->setAccessibleName(QStringLiteral("정액번호"));
    semenLayout->addWidget(semen, 1);
    m_texts.insert(semen->objectName(), semen);
    m_fields->addWidget(semenBox, 2, 3);
    addTextField(2, 2, QStringLiteral("    부 번 호      (바코드)"), QStringLiteral("부번호"));

    // Row 4: dam, sale (castration) date, features, score.
    addTextField(3, 0, QStringLiteral("    모 번 호      (바코드)"), QStringLiteral("모번호"));
    m_sale = addDateField(3, 1, saleCaption, QStringLiteral("판매일"));
    addTextField(3, 2, QStringLiteral("개체특징"), QStringLiteral("개체특징"));
    auto* scoreBox = new QWidget(panel);
    auto* scoreLayout = new QHBoxLayout(scoreBox);
    scoreLayout->setContentsMargins(0, 0, 0, 0);
    m_score = new QLineEdit(scoreBox);
    m_score->setObjectName(QStringLiteral("점수"));
    m_score->setAccessibleName(QStringLiteral("점수"));
    m_score->setFixedWidth(40);
    m_score->setAlignment(Qt::AlignCenter);
    m_texts.insert(m_score->objectName(), m_score);
    auto* note = new QLabel(QStringLiteral("※흑비경               (완전흑비:5점)"), scoreBox);
    note->setWordWrap(true);
    note->setFixedWidth(86);
    note->setStyleSheet(QStringLiteral("color: rgb(0, 0, 160);"));
    scoreLayout->addWidget(m_score);
    scoreLayout->addWidget(note);
    m_fields->addWidget(scoreBox, 3, 6);

    STAB = new QTabWidget(this);
    STAB->setObjectName(QStringLiteral("STAB"));
    STAB->setAccessibleName(QStringLiteral("STAB"));
    STAB->setMinimumHeight(320);
    outer->addWidget(STAB, 1);
    connect(STAB, &QTabWidget::currentChanged, this, [this](int index) {
        if (m_workplace && index == STAB->count() - 1) m_workplace->setFocus();
    });

    auto* bottom = new QHBoxLayout;
    m_printBar = new QHBoxLayout;
    m_printBar->setSpacing(6);
    bottom->addLayout(m_printBar);
    bottom->addStretch();
    auto* closeButton = new QPushButton(QStringLiteral("닫기(ESC)"), this);
    nameArray(closeButton, 8);
    closeButton->setToolTip(QStringLiteral("창을 닫습니다"));
    closeButton->setAutoDefault(false);
    closeButton->setMinimumSize(100, 32);
    connect(closeButton, &QPushButton::clicked, this, &AnimalRecordForm::closeForm);
    bottom->addWidget(closeButton);
    outer->addLayout(bottom);

    new WindowKeys(this);  // Esc closes like the close box
    setStoredState(false);
}

AnimalRecordForm::~AnimalRecordForm() = default;

QLabel* AnimalRecordForm::addCaption(int row, int pair, const QString& caption)
{
    auto* l = new QLabel(caption, m_fields->parentWidget());
    l->setAlignment(Qt::AlignCenter);
    l->setWordWrap(true);
    l->setFixedWidth(kCaptionWidth);
    l->setMinimumHeight(34);
    l->setFrameShape(QFrame::Panel);
    l->setFrameShadow(QFrame::Raised);
    l->setStyleSheet(QStringLiteral("QLabel { background: rgb(222, 228, 214); color: rgb(40, 60, 40); }"));
    m_fields->addWidget(l, row, pair * 2);
    return l;
}

QLineEdit* AnimalRecordForm::addTextField(int row, int pair, const QString& caption, const QString& name)
{
    addCaption(row, pair, caption);
    auto* e = new QLineEdit(m_fields->parentWidget());
    e->setObjectName(name);
    e->setAccessibleName(name);
    m_fields->addWidget(e, row, pair * 2 + 1);
    m_texts.insert(name, e);
    return e;
}

CheckedDate AnimalRecordForm::addDateField(int row, int pair, const QString& caption, const QString& name)
{
    addCaption(row, pair, caption);
    auto* box = new QWidget(m_fields->parentWidget());
    auto* layout = new QHBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    CheckedDate d;
    d.box = new QCheckBox(box);
    d.box->setObjectName(name + QStringLiteral("체크"));
    d.box->setAccessibleName(name + QStringLiteral("체크"));
    d.picker = datePicker(name, box);
    d.picker->setEnabled(false);
    layout->addWidget(d.box);
    layout->addWidget(d.picker, 1);
    QDateEdit* picker = d.picker;
    connect(d.box, &QCheckBox::toggled, picker, &QWidget::setEnabled);
    m_fields->addWidget(box, row, pair * 2 + 1);
    return d;
}

void AnimalRecordForm::addHistoryTab(QWidget* page, const QString& caption)
{
    STAB->addTab(page, caption);
    if (auto* tab = qobject_cast<HistoryTab*>(page)) m_historyTabs << tab;
}

void AnimalRecordForm::tellTabsTheNumber(const QString& number)
{
    // The entry dialogs store under the tab's number: after a registration or a
    // renumbering it must be the number the animal now has.
    for (HistoryTab* tab : m_historyTabs)
        if (tab) tab->setAnimalNumber(number);
}

void AnimalRecordForm::addGradingTab()
{
    auto* page = new QWidget;
    auto* form = new QFormLayout(page);
    form->setContentsMargins(16, 16, 16, 16);
    m_workplace = new QLineEdit(page);
    m_workplace->setObjectName(QStringLiteral("작업장"));
    m_workplace->setAccessibleName(QStringLiteral("작업장"));
    m_workplace->setMaximumWidth(240);
    m_gradingDate = datePicker(QStringLiteral("판정일"), page);
    m_gradingDate->setMaximumWidth(140);
    form->addRow(QStringLiteral("작 업 장"), m_workplace);
    form->addRow(QStringLiteral("판 정 일"), m_gradingDate);
    STAB->addTab(page, QStringLiteral("도태등급판정"));
}

QPushButton* AnimalRecordForm::addPrintButton(const QString& name, const QString& caption)
{
    auto* b = new QPushButton(caption, this);
    b->setObjectName(name);
    b->setAutoDefault(false);
    b->setMinimumHeight(32);
    b->setEnabled(m_stored);
    m_printBar->addWidget(b);
    m_printButtons << b;
    return b;
}

void AnimalRecordForm::finishOpening()
{
    // Centred by the list's size, as the form has always opened.
    adjustSize();
    const QSize list = m_list ? m_list->size() : QSize();
    move(std::max(0, (list.width() - width()) / 2), std::max(0, (list.height() - height()) / 2));
    STAB->setCurrentIndex(0);
}

void AnimalRecordForm::setStoredState(bool stored)
{
    m_stored = stored;
    STAB->setEnabled(stored);
    for (QPushButton* b : m_printButtons) b->setEnabled(stored);
}

// The history pages fill their grids for the number in the 개체번호 box.
void AnimalRecordForm::ReflashData2()
{
    lss2RowCount = 0;
}
void AnimalRecordForm::ReflashData3()
{
    lss3RowCount = 0;
}
void AnimalRecordForm::ReflashData4()
{
    lss4RowCount = 0;
}
void AnimalRecordForm::ReflashData5() {}

void AnimalRecordForm::loadFromList(int listRow)
{
    if (!m_list || m_list->lss1RowCount == 0) return;
    Grid* g = m_list->SS;
    giFormKind = qint16(m_kind);
    g->setRow(listRow);
    m_listRow = listRow;
    auto cell = [&](int col) { return g->cellText(col, listRow); };
    m_number->setText(cell(1));
    s개체번호 = cell(1);
    if (cell(3) == QStringLiteral("순종"))
        m_pure->setChecked(true);
    else
        m_cross->setChecked(true);
    m_birth.setFromCell(cell(4));
    m_texts[QStringLiteral("등록번호")]->setText(cell(5));
    m_texts[QStringLiteral("별명")]->setText(cell(6));
    m_texts[QStringLiteral("우방번호")]->setText(cell(7));
    m_arrival.setFromCell(cell(8));
    m_texts[QStringLiteral("정액번호")]->setText(cell(9));
    m_texts[QStringLiteral("부번호")]->setText(cell(10));
    m_texts[QStringLiteral("모번호")]->setText(cell(11));
    m_sale.setFromCell(cell(12));
    m_texts[QStringLiteral("개체특징")]->setText(cell(13));
    m_score->setText(cell(14));
    loadExtra(listRow);
    m_list->setEnabled(false);
    refreshAll();
    setStoredState(true);
    show();
    raise();
    activateWindow();
}

AnimalRecord AnimalRecordForm::formValues() const
{
    auto text = [&](const char* name) { return m_texts.value(QString::fromUtf8(name))->text().trimmed(); };
    AnimalRecord v;
    v.개체번호 = m_number->text().trimmed();
    v.구분 = m_kind;
    v.구분2 = m_pure->isChecked() ? 0 : 1;
    v.개체생일 = m_birth.dateNumber();
    v.등록번호 = text("등록번호");
    v.별명 = text("별명");
    v.우방번호 = text("우방번호");
    v.입식일자 = m_arrival.dateNumber();
    v.정액번호 = text("정액번호");
    v.부번호 = text("부번호");
    v.모번호 = text("모번호");
    v.판매일 = m_sale.dateNumber();
    v.개체특징 = text("개체특징");
    v.점수 = m_score->text().trimmed();
    v.출하예정일 = 0;
    v.출하일 = 0;
    fillExtra(v);
    return v;
}

QMap<int, QString> AnimalRecordForm::writeBackCells() const
{
    auto text = [&](const char* name) { return m_texts.value(QString::fromUtf8(name))->text(); };
    QMap<int, QString> c;
    c[1] = m_number->text();
    c[3] = m_pure->isChecked() ? QStringLiteral("순종") : QStringLiteral("교잡종");
    c[4] = m_birth.cellText();
    c[5] = text("등록번호");
    c[6] = text("별명");
    c[7] = text("우방번호");
    c[8] = m_arrival.cellText();
    c[9] = text("정액번호");
    c[10] = text("부번호");
    c[11] = text("모번호");
    c[12] = m_sale.cellText();
    c[13] = text("개체특징");
    c[14] = m_score->text();
    extraCells(c);
    return c;
}

void AnimalRecordForm::writeBack(int listRow, bool registering)
{
    if (!m_list) return;
    Grid* g = m_list->SS;
    QMap<int, QString> cells = writeBackCells();
    if (registering) cells[2] = m_kind == 0 ? QStringLiteral("암소") : QStringLiteral("수소");
    for (auto it = cells.cbegin(); it != cells.cend(); ++it) g->setCellText(it.key(), listRow, it.value());
}

void AnimalRecordForm::save()
{
    const QString typed = m_number->text();
    if (typed.trimmed().isEmpty()) {
        showMessage(this, MsgIcon::Information, QStringLiteral("미입력"), QStringLiteral("개체번호를 입력해 주세요."),
                    MsgButton::Ok);
        m_number->setFocus();
        return;
    }
    // A score that is no number is refused here rather than by the database.
    const QString score = m_score->text().trimmed();
    if (!score.isEmpty() && !isNumeric(score)) {
        showMessage(this, MsgIcon::Question, QStringLiteral("값 부정"), QStringLiteral("값을 다시 입력해 주세요."),
                    MsgButton::Ok);
        m_score->setFocus();
        m_score->selectAll();
        return;
    }
    const AnimalRecord v = formValues();
    try {
        if (!s개체번호.isEmpty()) {
            if (showMessage(this, MsgIcon::Question, QStringLiteral("수정"),
                            typed + QStringLiteral("을(를) 수정하시겠습니까?"),
                            MsgButton::Yes | MsgButton::No) != MsgButton::Yes)
                return;
            // The stored number is the trimmed one, whatever blanks the box showed.
            updateAnimal(v, s개체번호.trimmed());
            if (m_list) m_list->SS->setRow(m_listRow);
            writeBack(m_listRow, false);
            s개체번호 = typed;
            tellTabsTheNumber(v.개체번호);
            return;
        }
        if (animalExists(v.개체번호)) {
            showMessage(this, MsgIcon::Critical, QStringLiteral("등록오류"),
                        QStringLiteral("이미 등록된 개체번호가 존재합니다. 개체번호를 다시 입력해 주세요."),
                        MsgButton::Ok);
            m_number->setFocus();
            return;
        }
        if (showMessage(this, MsgIcon::Question, QStringLiteral("등록"),
                        typed + QStringLiteral("을(를) 신규등록하시겠습니까?"),
                        MsgButton::Yes | MsgButton::No) != MsgButton::Yes)
            return;
        insertAnimal(v);
    } catch (const DbError& e) {
        showPlainError(this, e);
        return;
    }
    s개체번호 = typed;
    tellTabsTheNumber(v.개체번호);
    if (m_list) {
        Grid* g = m_list->SS;
        m_list->lss1RowCount += 1;
        const int row = int(m_list->lss1RowCount);
        g->setMaxRows(row);
        g->setRow(row);
        g->setRowHeight(Grid::kRowHeight);
        writeBack(row, true);
        if (m_kind != 0) g->setRowForeColor(row, QColor(0, 0, 255));
        g->setSelection(1, row, kSearchColumns, row);
        m_listRow = row;
    }
    setStoredState(true);
}

void AnimalRecordForm::closeForm()
{
    m_focusListOnClose = true;
    close();
}

void AnimalRecordForm::closeEvent(QCloseEvent* event)
{
    if (m_list) m_list->recordFormClosed(this, m_focusListOnClose);
    m_focusListOnClose = false;
    event->accept();
}
