#include "history/GradingPage.h"

#include "data/Clock.h"
#include "data/Db.h"
#include "history/CheckedDateEdit.h"
#include "history/FieldNames.h"
#include "history/WithdrawalGuard.h"
#include "history/model/Grading.h"
#include "kit/Accessibility.h"
#include "kit/CaptionPanel.h"
#include "kit/CommandButton.h"
#include "kit/DateEdit.h"
#include "kit/DbMessages.h"
#include "kit/FieldFocus.h"
#include "kit/Messages.h"
#include "kit/NoteLabel.h"
#include "kit/Styles.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSqlRecord>
#include <QVBoxLayout>

namespace {
// Five boxes to a column: the fifteen fit the tab without scrolling.
constexpr int kRowsPerColumn = 5;
constexpr int kInputMinWidthPx = 130;
}  // namespace

GradingPage::GradingPage(QWidget* parent) : HistoryPage(parent)
{
    setObjectName(grading::definition().table + QStringLiteral("탭"));
    auto* boxes = new QGridLayout;
    boxes->setHorizontalSpacing(6);
    boxes->setVerticalSpacing(5);
    QList<QWidget*> order;
    const QList<EntryField>& fields = grading::definition().fields;
    for (int i = 0; i < fields.size(); ++i) {
        const EntryField& f = fields[i];
        QLabel* caption = captionPanel(f.caption, {.width = 84, .minHeight = 26, .tinted = true}, this);
        QWidget* input = nullptr;
        if (f.kind == FieldKind::Date) {
            m_dateBox = new CheckedDateEdit(f.name, this);
            m_dateBox->setMinimumWidth(kInputMinWidthPx);
            m_dateBox->setCaption(caption);
            m_date = m_dateBox->picker();
            input = m_dateBox;
        } else {
            auto* e = new QLineEdit(this);
            if (grading::isPrice(f.name)) {
                e->setAlignment(Qt::AlignRight);
                e->installEventFilter(this);
            }
            e->setMinimumWidth(kInputMinWidthPx);
            m_texts.insert(f.name, e);
            input = e;
        }
        if (input != m_dateBox) nameField(input, f.name, caption);
        const int row = i % kRowsPerColumn, column = i / kRowsPerColumn * 3;
        boxes->addWidget(caption, row, column);
        boxes->addWidget(input, row, column + 1);
        if (input == m_dateBox)
            order << m_dateBox->box() << m_date;
        else
            order << input;
    }
    // Ticking the box is entering a date: the picker starts on today, as for a new grading.
    connect(m_dateBox, &CheckedDateEdit::toggled, this, [this](bool on) {
        showPickerBlank(!on);
        if (on) m_date->setDate(today());
    });
    for (int c = 1; c <= 7; c += 3) boxes->setColumnStretch(c, 1);
    boxes->setColumnMinimumWidth(2, 16);
    boxes->setColumnMinimumWidth(5, 16);

    auto* note =
        new QLabel(QStringLiteral(" 축산물등급판정소 등급판정 보고서의 내용을 입력. 경락가는 kg당 가격을 기입"), this);
    note->setStyleSheet(styles::note());
    m_save = commandButton(QStringLiteral("cmdUpate5"), QStringLiteral("저 장"), this);
    m_delete = commandButton(QStringLiteral("cmdDelete5"), QStringLiteral("삭 제"), this);
    connect(m_save, &QPushButton::clicked, this, [this] { save(); });
    connect(m_delete, &QPushButton::clicked, this, [this] { deleteGrading(); });
    order << m_save << m_delete;
    for (int i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(note, 1);
    bottom->addWidget(m_save);
    bottom->addWidget(m_delete);
    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(12, 12, 12, 12);
    v->addLayout(boxes);
    m_dateNote = noteLabel(QStringLiteral("lblDateNote"), {}, this);
    m_dateNote->hide();
    v->addWidget(m_dateNote);
    v->addStretch(1);
    v->addLayout(bottom);
    showDateState({});
}

QWidget* GradingPage::firstField() const
{
    return m_texts.value(grading::definition().fields.first().name);
}

EntryValues GradingPage::values() const
{
    EntryValues v;
    for (auto it = m_texts.cbegin(); it != m_texts.cend(); ++it) v.texts[it.key()] = it.value()->text();
    v.dates[m_date->objectName()] = m_dateBox->isTicked() ? m_date->date() : QDate();
    return v;
}

void GradingPage::showValues(const EntryValues& v)
{
    for (auto it = m_texts.cbegin(); it != m_texts.cend(); ++it) it.value()->setText(v.texts.value(it.key()));
    if (const QDate d = v.dates.value(m_date->objectName()); d.isValid()) m_date->setDate(d);
}

void GradingPage::reload(const QString& number)
{
    setAnimalNumber(number);
    try {
        const BoundStatement st = grading::loadQuery(number.trimmed());
        QSqlQuery q = runQuery(st.sql, st.binds);
        const bool found = q.next();
        showValues(found ? grading::loadedValues(q.record(), today()) : grading::emptyValues(today()));
        showDateState(found ? grading::badDateNote(q.record()) : QString());
        m_hasRow = found;
    } catch (const DbError& e) {
        // The boxes keep what they held.
        showPlainError(this, e);
    }
}

bool GradingPage::save()
{
    const QString animal = animalNumber().trimmed();
    if (animal.isEmpty()) return false;  // the form keeps the tab closed until the animal is stored
    if (!typedDatesTaken(this)) return false;
    const EntryValues v = values();
    if (const CheckResult failed = grading::check(v)) {
        showMessage(this, failed->icon, failed->title, failed->message, MsgButton::Ok);
        focusField(failed->field);
        return false;
    }
    if (!confirmOutsideWithdrawal(this, animal, v.dates.value(m_date->objectName()))) return false;
    if (showMessage(this, MsgIcon::Question, grading::saveTitle(m_hasRow), grading::saveQuestion(m_hasRow),
                    MsgButton::Yes | MsgButton::No) != MsgButton::Yes)
        return false;
    try {
        const BoundStatement st = m_hasRow ? grading::updateStatement(animal, v) : grading::insertStatement(animal, v);
        execStatement(st.sql, st.binds);
    } catch (const DbError& e) {
        showPlainError(this, e);
        return false;
    }
    m_hasRow = true;
    // A date entered now replaced the one that was no date.
    if (m_dateBox->isTicked()) m_dateNote->hide();
    return true;
}

bool GradingPage::deleteGrading()
{
    if (!m_hasRow) return false;
    if (showMessage(this, MsgIcon::Question, QStringLiteral("삭제"), grading::deleteQuestion(),
                    MsgButton::Yes | MsgButton::No) != MsgButton::Yes)
        return false;
    try {
        const BoundStatement st = grading::deleteStatement(animalNumber().trimmed());
        execStatement(st.sql, st.binds);
    } catch (const DbError& e) {
        // The row is still there; say why rather than leave the farmer guessing.
        showPlainError(this, e);
        return false;
    }
    reload(animalNumber());
    return true;
}

void GradingPage::showDateState(const QString& badDateNote)
{
    const bool unset = !badDateNote.isEmpty();
    {
        // Not the user's ticking: the picker keeps the date just shown.
        const QSignalBlocker quiet(m_dateBox);
        m_dateBox->setTicked(!unset);
    }
    showPickerBlank(unset);
    m_dateBox->box()->setVisible(unset);
    m_dateNote->setText(badDateNote);
    m_dateNote->setAccessibleName(badDateNote);
    m_dateNote->setVisible(unset);
}

void GradingPage::showPickerBlank(bool blank)
{
    // The picker's lowest date stands for "no date" and shows as a blank.
    m_date->setSpecialValueText(blank ? QStringLiteral(" ") : QString());
    if (blank) m_date->setDate(m_date->minimumDate());
}

void GradingPage::focusField(const QString& name)
{
    QWidget* field = m_texts.value(name);
    if (!field) field = m_date;
    focusRefusedField(field);
}

bool GradingPage::eventFilter(QObject* watched, QEvent* event)
{
    auto* box = qobject_cast<QLineEdit*>(watched);
    if (box && (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)) {
        // A context menu or another window taking the focus for a moment is no entering or leaving.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason) {
            const QString shown = event->type() == QEvent::FocusIn ? grading::priceForEditing(box->text())
                                                                   : grading::priceForShowing(box->text());
            if (shown != box->text()) box->setText(shown);
        }
    }
    return HistoryPage::eventFilter(watched, event);
}
