#include "registry/AnimalRecordForm.h"

#include "data/Db.h"
#include "data/Values.h"
#include "history/CheckedDateEdit.h"
#include "history/FieldNames.h"
#include "history/GradingPage.h"
#include "history/GrowthChart.h"
#include "history/HistoryTab.h"
#include "kit/Accessibility.h"
#include "kit/CaptionPanel.h"
#include "kit/CommandButton.h"
#include "kit/DateEdit.h"
#include "kit/DbMessages.h"
#include "kit/FieldFocus.h"
#include "kit/Messages.h"
#include "kit/Styles.h"
#include "kit/WindowKeys.h"
#include "kit/WindowUtil.h"
#include "registry/AnimalList.h"
#include "registry/RecordWithdrawal.h"
#include "registry/model/AnimalEntry.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QDateEdit>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
// The captions beside the boxes: two short lines of a long caption such as "종축등록 번 호".
constexpr CaptionLook kFieldCaption{.width = 78, .minHeight = 34, .tinted = true, .wrap = true};
constexpr int kCloseMinWidthPx = 100;
}  // namespace

AnimalRecordForm::AnimalRecordForm(AnimalList* list, AnimalKind kind, const QString& objectName, const QString& title,
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
    panel->setStyleSheet(styles::formPanel(panel->objectName()));
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
    nameControl(m_pure, QStringLiteral("SSOption1"), m_pure->text());
    m_cross = new QRadioButton(QStringLiteral("교잡종"), breedBox);
    nameControl(m_cross, QStringLiteral("SSOption2"), m_cross->text());
    breedLayout->addWidget(m_pure);
    breedLayout->addWidget(m_cross);
    breedLayout->addStretch();
    m_breed = new QButtonGroup(this);
    m_breed->addButton(m_pure);
    m_breed->addButton(m_cross);
    m_fields->addWidget(breedBox, 0, 3);
    addTextField(0, 2, QStringLiteral("우방번호"), QStringLiteral("우방번호"));
    // Com_Button elements 0 and 8: save and close.
    auto* saveButton = commandButton(QStringLiteral("Com_Button_0"), QStringLiteral("저 장"), panel);
    connect(saveButton, &QPushButton::clicked, this, &AnimalRecordForm::save);
    m_fields->addWidget(saveButton, 0, 6);

    // Row 2: birth date, registration number, ranch name.
    m_birth = addDateField(1, 0, QStringLiteral("개체생일"), QStringLiteral("개체생일"));
    addTextField(1, 1, QStringLiteral("   종축등록     번      호"), QStringLiteral("등록번호"));
    addTextField(1, 2, QStringLiteral("목 장 명"), QStringLiteral("별명"));

    // Row 3: arrival, semen number behind its fixed prefix, sire bar code.
    m_arrival = addDateField(2, 0, QStringLiteral("입식일자"), QStringLiteral("입식일자"));
    QLabel* semenCaption = addCaption(2, 1, QStringLiteral("    부 번 호      (정액번호)"));
    auto* semenBox = new QWidget(panel);
    auto* semenLayout = new QHBoxLayout(semenBox);
    semenLayout->setContentsMargins(0, 0, 0, 0);
    semenLayout->setSpacing(2);
    semenLayout->addWidget(new QLabel(QStringLiteral("KPN-"), semenBox));
    auto* semen = new QLineEdit(semenBox);
    nameField(semen, QStringLiteral("정액번호"), semenCaption);
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
    m_score->setFixedWidth(40);
    m_score->setAlignment(Qt::AlignCenter);
    m_texts.insert(m_score->objectName(), m_score);
    auto* note = new QLabel(QStringLiteral("※흑비경               (완전흑비:5점)"), scoreBox);
    note->setWordWrap(true);
    note->setFixedWidth(86);
    note->setStyleSheet(styles::note());
    nameField(m_score, QStringLiteral("점수"), note);
    scoreLayout->addWidget(m_score);
    scoreLayout->addWidget(note);
    m_fields->addWidget(scoreBox, 3, 6);

    m_tabs = new QTabWidget(this);
    nameControl(m_tabs, QStringLiteral("STAB"), QStringLiteral("이력"));
    // The tab bar's own scroll arrows are heard in the form's language too.
    const QHash<QString, QString> arrows = {{QStringLiteral("ScrollLeftButton"), QStringLiteral("앞 탭 보기")},
                                            {QStringLiteral("ScrollRightButton"), QStringLiteral("뒤 탭 보기")}};
    for (QToolButton* arrow : m_tabs->tabBar()->findChildren<QToolButton*>())
        if (arrows.contains(arrow->objectName())) nameControl(arrow, arrow->objectName(), arrows[arrow->objectName()]);
    m_tabs->setMinimumHeight(320);
    outer->addWidget(m_tabs, 1);
    connect(m_tabs, &QTabWidget::currentChanged, this, [this](int index) {
        if (m_grading && index == m_tabs->count() - 1) m_grading->firstField()->setFocus();
    });

    auto* bottom = new QHBoxLayout;
    m_printBar = new QHBoxLayout;
    m_printBar->setSpacing(6);
    bottom->addLayout(m_printBar);
    bottom->addStretch();
    auto* closeButton =
        commandButton(QStringLiteral("Com_Button_8"), QStringLiteral("닫기(ESC)"), this, ButtonLook::Footer);
    closeButton->setToolTip(QStringLiteral("창을 닫습니다"));
    closeButton->setMinimumWidth(kCloseMinWidthPx);
    connect(closeButton, &QPushButton::clicked, this, &AnimalRecordForm::closeForm);
    bottom->addWidget(closeButton);
    outer->addLayout(bottom);

    new WindowKeys(this);  // Esc closes like the close box
    setStoredState(false);
    // Taller than its smallest where the screen allows (a 1280×800 laptop does): the history
    // tabs then show eight records with the weighing tab's growth chart whole under them.
    openAtSize(this, QSize(1000, 720));
}

AnimalRecordForm::~AnimalRecordForm() = default;

QLabel* AnimalRecordForm::addCaption(int row, int pair, const QString& caption)
{
    QLabel* l = captionPanel(caption, kFieldCaption, m_fields->parentWidget());
    m_fields->addWidget(l, row, pair * 2);
    return l;
}

QLineEdit* AnimalRecordForm::addTextField(int row, int pair, const QString& caption, const QString& name)
{
    QLabel* label = addCaption(row, pair, caption);
    auto* e = new QLineEdit(m_fields->parentWidget());
    nameField(e, name, label);
    m_fields->addWidget(e, row, pair * 2 + 1);
    m_texts.insert(name, e);
    return e;
}

CheckedDateEdit* AnimalRecordForm::addDateField(int row, int pair, const QString& caption, const QString& name)
{
    QLabel* label = addCaption(row, pair, caption);
    auto* d = new CheckedDateEdit(name, m_fields->parentWidget());
    d->picker()->setMinimumWidth(116);
    d->setCaption(label);
    m_fields->addWidget(d, row, pair * 2 + 1);
    return d;
}

void AnimalRecordForm::showDate(CheckedDateEdit* date, qint64 dateNumber)
{
    date->setTicked(dateNumber != 0);
    // A list cell shows four-digit years; a longer one names no day the picker could take.
    constexpr qint64 kFiveDigitYears = 100000000;
    if (const QDate d = datenum::toDate(dateNumber); d.isValid() && dateNumber < kFiveDigitYears) date->setDate(d);
}

void AnimalRecordForm::addHistoryTab(HistoryPage* page, const QString& caption)
{
    m_tabs->addTab(page, caption);
    m_pages << page;
}

void AnimalRecordForm::tellTabsTheNumber(const QString& number)
{
    // The entry dialogs store under the tab's number: after a registration or a
    // renumbering it must be the number the animal now has.
    for (HistoryPage* page : m_pages) page->setAnimalNumber(number);
}

void AnimalRecordForm::openForNew()
{
    show();
    m_storedNumber.clear();
    raise();
    activateWindow();
}

void AnimalRecordForm::refreshTabs()
{
    for (HistoryPage* page : m_pages) page->reload(m_storedNumber.trimmed());
}

HistoryTab* AnimalRecordForm::historyTab(int number) const
{
    for (HistoryPage* page : m_pages)
        if (auto* tab = qobject_cast<HistoryTab*>(page); tab && tab->definition().number == number) return tab;
    return nullptr;
}

void AnimalRecordForm::addGradingTab()
{
    m_grading = new GradingPage;
    addHistoryTab(m_grading, QStringLiteral("도태등급판정"));
}

QPushButton* AnimalRecordForm::addPrintButton(const QString& name, const QString& caption)
{
    QPushButton* b = commandButton(name, caption, this, ButtonLook::Footer);
    b->setEnabled(m_stored);
    m_printBar->addWidget(b);
    m_printButtons << b;
    return b;
}

void AnimalRecordForm::finishOpening()
{
    // Centred by the list's size, as the form has always opened.
    adjustSize();
    const QSize list = m_list ? m_list->listSize() : QSize();
    move(std::max(0, (list.width() - width()) / 2), std::max(0, (list.height() - height()) / 2));
    m_tabs->setCurrentIndex(0);
    if (HistoryTab* weights = historyTab(2)) attachGrowthChart(weights, m_birth);
}

void AnimalRecordForm::setStoredState(bool stored)
{
    m_stored = stored;
    m_tabs->setEnabled(stored);
    for (QPushButton* b : m_printButtons) b->setEnabled(stored);
}

void AnimalRecordForm::loadFromList(int listRow, const AnimalRecord& shown)
{
    m_listRow = listRow;
    m_number->setText(shown.개체번호);
    m_storedNumber = shown.개체번호;
    if (shown.구분2 == 0)
        m_pure->setChecked(true);
    else
        m_cross->setChecked(true);
    showDate(m_birth, shown.개체생일);
    m_texts[QStringLiteral("등록번호")]->setText(shown.등록번호);
    m_texts[QStringLiteral("별명")]->setText(shown.별명);
    m_texts[QStringLiteral("우방번호")]->setText(shown.우방번호);
    showDate(m_arrival, shown.입식일자);
    m_texts[QStringLiteral("정액번호")]->setText(shown.정액번호);
    m_texts[QStringLiteral("부번호")]->setText(shown.부번호);
    m_texts[QStringLiteral("모번호")]->setText(shown.모번호);
    showDate(m_sale, shown.판매일);
    m_texts[QStringLiteral("개체특징")]->setText(shown.개체특징);
    m_score->setText(shown.점수);
    loadExtra(shown);
    refreshTabs();
    setStoredState(true);
    show();
    raise();
    activateWindow();
}

AnimalRecord AnimalRecordForm::values() const
{
    auto typed = [](const QLineEdit* box) { return box->text(); };
    auto text = [&](const char* name) { return typed(m_texts.value(QString::fromUtf8(name))); };
    AnimalRecord v;
    v.개체번호 = typed(m_number);
    v.구분 = m_kind;
    v.구분2 = m_pure->isChecked() ? 0 : 1;
    v.개체생일 = m_birth->dateNumber();
    v.등록번호 = text("등록번호");
    v.별명 = text("별명");
    v.우방번호 = text("우방번호");
    v.입식일자 = m_arrival->dateNumber();
    v.정액번호 = text("정액번호");
    v.부번호 = text("부번호");
    v.모번호 = text("모번호");
    v.판매일 = m_sale->dateNumber();
    v.개체특징 = text("개체특징");
    v.점수 = typed(m_score);
    v.출하예정일 = 0;
    v.출하일 = 0;
    fillExtra(v);
    return v;
}

AnimalRecord AnimalRecordForm::formValues() const
{
    return animalAsStored(values());
}

AnimalRecord AnimalRecordForm::typedValues() const
{
    return values();
}

void AnimalRecordForm::save()
{
    if (!typedDatesTaken(this)) return;
    const QString typed = m_number->text();
    if (const CheckResult failed = checkAnimal(typedValues())) {
        showMessage(this, failed->icon, failed->title, failed->message, MsgButton::Ok);
        if (auto* box = findChild<QLineEdit*>(failed->field)) {
            focusRefusedField(box);
            if (box == m_score) box->selectAll();
        }
        return;
    }
    const AnimalRecord v = formValues();
    if (!confirmLeavingOutsideWithdrawal(this, v, m_storedNumber)) return;
    try {
        if (!m_storedNumber.isEmpty()) {
            if (showMessage(this, MsgIcon::Question, QStringLiteral("수정"),
                            typed + QStringLiteral("을(를) 수정하시겠습니까?"),
                            MsgButton::Yes | MsgButton::No) != MsgButton::Yes)
                return;
            // The stored number is the trimmed one, whatever blanks the box showed.
            updateAnimal(v, m_storedNumber.trimmed());
            if (m_list) m_list->showAnimal(m_listRow, typedValues());
            m_storedNumber = typed;
            tellTabsTheNumber(v.개체번호);
            return;
        }
        if (animalExists(v.개체번호)) {
            showMessage(this, MsgIcon::Critical, QStringLiteral("등록오류"),
                        QStringLiteral("이미 등록된 개체번호가 존재합니다. 개체번호를 다시 입력해 주세요."),
                        MsgButton::Ok);
            focusRefusedField(m_number);
            return;
        }
        if (showMessage(this, MsgIcon::Question, QStringLiteral("등록"),
                        typed + QStringLiteral("을(를) 신규등록하시겠습니까?"),
                        MsgButton::Yes | MsgButton::No) != MsgButton::Yes)
            return;
        insertAnimal(v);
    } catch (const DbError& e) {
        if (isTakenNumber(e)) {
            showPlainError(this, kTakenNumberText, technicalText(e));
            focusRefusedField(m_number);
        } else {
            showPlainError(this, e);
        }
        return;
    }
    m_storedNumber = typed;
    tellTabsTheNumber(v.개체번호);
    if (m_list) m_listRow = m_list->addAnimal(typedValues());
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
