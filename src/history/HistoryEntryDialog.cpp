#include "history/HistoryEntryDialog.h"

#include "data/Clock.h"
#include "data/Db.h"
#include "history/CheckedDateEdit.h"
#include "history/FieldNames.h"
#include "history/HistoryTab.h"
#include "history/InbreedingGuard.h"
#include "history/StrawNotice.h"
#include "kit/Accessibility.h"
#include "kit/CaptionPanel.h"
#include "kit/DateEdit.h"
#include "kit/DateField.h"
#include "kit/DbMessages.h"
#include "kit/FieldFocus.h"
#include "kit/Messages.h"
#include "kit/SaveCancel.h"
#include "kit/Styles.h"
#include "kit/WindowKeys.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDateEdit>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlRecord>
#include <QVBoxLayout>

namespace {
constexpr int kDateWidthPx = 110;

// A field with its small note to the right.
QWidget* withNote(QWidget* field, const QString& note, QWidget* parent)
{
    auto* w = new QWidget(parent);
    auto* h = new QHBoxLayout(w);
    h->setContentsMargins(0, 0, 0, 0);
    h->addWidget(field, 1);
    auto* l = new QLabel(note, w);
    l->setStyleSheet(styles::fieldNote());
    h->addWidget(l);
    return w;
}
}  // namespace

HistoryEntryDialog::HistoryEntryDialog(HistoryTab& owner)
    : QDialog(owner.window()), m_owner(owner), m_def(owner.definition())
{
    setObjectName(m_def.table);
    setWindowTitle(m_def.dialogCaption);
    setModal(true);

    m_buttons = SaveCancel(
        this, [this] { save(); }, [this] { reject(); });

    auto* left = new QGridLayout;
    auto* right = new QGridLayout;
    int leftRows = 0, rightRows = 0;
    QList<QWidget*> order;
    for (const EntryField& f : m_def.fields) m_hasWide = m_hasWide || f.wide;
    for (const EntryField& f : m_def.fields)
        order += f.right ? addField(right, rightRows++, f) : addField(left, leftRows++, f);
    left->setRowStretch(leftRows, 1);
    right->setRowStretch(rightRows, 1);
    for (int i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
    m_first = order.value(0, m_buttons.save);

    auto* columns = new QHBoxLayout;
    columns->addLayout(left, 1);
    columns->addSpacing(16);
    columns->addLayout(right, 1);
    auto* v = new QVBoxLayout(this);
    v->addLayout(columns);
    v->addLayout(m_buttons.row(order.isEmpty() ? nullptr : order.last()));

    tieGroups();
    if (m_def.follow) {
        // Every new date, typed or picked, sets its follower.
        connect(m_dates.value(m_def.follow->from), &QDateEdit::dateChanged, this,
                [this](const QDate& date) { followDate(date); });
    }

    // Enter must not press 저 장; Esc closes like 취 소.
    new WindowKeys(this, [this] { reject(); });
}

QList<QWidget*> HistoryEntryDialog::addField(QGridLayout* column, int row, const EntryField& f)
{
    QLabel* caption = captionPanel(f.caption, {.width = 90, .minHeight = 24, .wrap = true}, this);
    QWidget* widget = nullptr;
    QList<QWidget*> order;
    switch (f.kind) {
    case FieldKind::Text: {
        auto* e = new QLineEdit(this);
        e->setMinimumWidth(f.wide ? 320 : 140);
        m_texts.insert(f.name, e);
        widget = e;
        break;
    }
    case FieldKind::Date: {
        QDateEdit* d = dateField(DateLook::Plain, kDateWidthPx, this);
        m_dates.insert(f.name, d);
        widget = d;
        break;
    }
    case FieldKind::CheckedDate: {
        auto* d = new CheckedDateEdit(f.name, this);
        d->setCaption(caption);
        m_checkedDates.insert(f.name, d);
        m_dates.insert(f.name, d->picker());
        widget = d;
        order << d->box() << d->picker();
        break;
    }
    case FieldKind::Choice: {
        QWidget* frame = f.frame.isEmpty() ? new QWidget(this) : new QFrame(this);
        frame->setObjectName(f.frame);
        auto* h = new QHBoxLayout(frame);
        h->setContentsMargins(0, 0, 0, 0);
        auto* group = new QButtonGroup(this);  // each choice is a choice of its own
        QList<QRadioButton*> options;
        for (const auto& [name, text] : f.options) {
            auto* r = new QRadioButton(text, frame);
            nameControl(r, name, text);
            group->addButton(r);
            h->addWidget(r);
            options << r;
            order << r;
        }
        h->addStretch();
        if (!options.isEmpty()) options.first()->setChecked(true);
        m_choices.insert(f.name, options);
        widget = frame;
        break;
    }
    }
    if (order.isEmpty()) {
        // A plain box or picker: it is the field.
        nameField(widget, f.name, caption);
        order << widget;
    }
    m_fieldWidgets.insert(f.name, widget);
    column->addWidget(caption, row, 0);
    // Beside sentence boxes a date or a name keeps its own width instead of stretching to theirs.
    const Qt::Alignment align = m_hasWide && !f.wide ? Qt::AlignLeft : Qt::Alignment();
    column->addWidget(f.note.isEmpty() ? widget : withNote(widget, f.note, this), row, 1, align);
    return order;
}

void HistoryEntryDialog::tieGroups()
{
    for (auto it = m_checkedDates.cbegin(); it != m_checkedDates.cend(); ++it) {
        QList<QWidget*> members;
        for (const EntryField& f : m_def.fields)
            if (f.group == it.key()) members << m_fieldWidgets.value(f.name);
        auto enable = [members](bool on) {
            for (QWidget* w : members) w->setEnabled(on);
        };
        connect(it.value(), &CheckedDateEdit::toggled, this, enable);
        enable(it.value()->isTicked());
    }
}

void HistoryEntryDialog::followDate(const QDate& date)
{
    if (m_showing) return;
    const EntryValues followed = history::follow(*m_def.follow, {}, date);
    CheckedDateEdit* target = m_checkedDates.value(m_def.follow->to);
    target->setTicked(followed.ticked.value(m_def.follow->to));
    target->setDate(followed.dates.value(m_def.follow->to));
}

QDateEdit* HistoryEntryDialog::datePicker(const QString& name) const
{
    return m_dates.value(name);
}

QCheckBox* HistoryEntryDialog::dateBox(const QString& name) const
{
    CheckedDateEdit* d = m_checkedDates.value(name);
    return d ? d->box() : nullptr;
}

QRadioButton* HistoryEntryDialog::option(const QString& name) const
{
    for (const QList<QRadioButton*>& options : m_choices)
        for (QRadioButton* r : options)
            if (r->objectName() == name) return r;
    return nullptr;
}

EntryValues HistoryEntryDialog::values() const
{
    EntryValues v;
    for (auto it = m_texts.cbegin(); it != m_texts.cend(); ++it) v.texts.insert(it.key(), it.value()->text());
    for (auto it = m_dates.cbegin(); it != m_dates.cend(); ++it) v.dates.insert(it.key(), it.value()->date());
    for (auto it = m_checkedDates.cbegin(); it != m_checkedDates.cend(); ++it)
        v.ticked.insert(it.key(), it.value()->isTicked());
    for (auto it = m_choices.cbegin(); it != m_choices.cend(); ++it)
        v.choices.insert(it.key(), !it.value().isEmpty() && it.value().first()->isChecked() ? 0 : 1);
    return v;
}

void HistoryEntryDialog::showValues(const EntryValues& v)
{
    m_showing = true;
    for (auto it = v.texts.cbegin(); it != v.texts.cend(); ++it)
        if (QLineEdit* e = m_texts.value(it.key())) e->setText(it.value());
    for (auto it = v.ticked.cbegin(); it != v.ticked.cend(); ++it)
        if (CheckedDateEdit* d = m_checkedDates.value(it.key())) d->setTicked(it.value());
    for (auto it = v.dates.cbegin(); it != v.dates.cend(); ++it)
        if (QDateEdit* d = m_dates.value(it.key())) d->setDate(it.value());
    for (auto it = v.choices.cbegin(); it != v.choices.cend(); ++it)
        if (QRadioButton* r = m_choices.value(it.key()).value(it.value())) r->setChecked(true);
    m_showing = false;
}

void HistoryEntryDialog::prepare()
{
    showValues(history::openingValues(m_def, today()));
    if (!isNew()) LoadRecord();
    if (m_first) m_first->setFocus();
}

void HistoryEntryDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Showing a dialog may hand the focus to a button; the first field is where typing starts.
    if (m_first) m_first->setFocus();
}

StrawService HistoryEntryDialog::strawService(const EntryValues& v) const
{
    // An embryo's recipient is served with 공란우's embryo, not a straw.
    return {v.texts.value(m_def.semenField), v.dates.value(m_def.keyField),
            !v.texts.value(QStringLiteral("공란우")).trimmed().isEmpty(), isNew() ? QString() : m_storedSemen};
}

void HistoryEntryDialog::LoadRecord()
{
    try {
        const BoundStatement st = history::recordQuery(m_def, m_owner.animalNumber().trimmed(), m_key.trimmed());
        QSqlQuery q = runQuery(st.sql, st.binds);
        while (q.next()) {
            showValues(history::applyRecord(m_def, values(), q.record()));
            if (!m_def.semenField.isEmpty()) m_storedSemen = values().texts.value(m_def.semenField);
        }
    } catch (const DbError& e) {
        showPlainError(this, e);
    }
}

bool HistoryEntryDialog::save()
{
    if (!typedDatesTaken(this)) return false;
    const bool fresh = isNew();
    const EntryValues v = values();
    CheckResult failed = history::check(m_def, v);
    if (!failed && fresh && m_owner.showsDate(v.dates.value(m_def.keyField)))
        failed = entry::duplicateDate(m_def.keyField, m_def.duplicateDateMessage());
    if (failed) {
        showMessage(this, failed->icon, failed->title, failed->message, MsgButton::Ok);
        focusRefusedField(findChild<QWidget*>(failed->field));
        return false;
    }
    // An embryo transfer's calf is the donor's, not this cow's: her pedigree says nothing of it.
    if (!m_def.semenField.isEmpty() && !strawService(v).embryoTransfer &&
        !confirmCalfInbreeding(this, m_owner.animalNumber(), v.texts.value(m_def.semenField))) {
        focusRefusedField(m_texts.value(m_def.semenField));
        return false;
    }

    if (showMessage(this, MsgIcon::Question, fresh ? QStringLiteral("등록") : QStringLiteral("수정"),
                    fresh ? m_def.newQuestion() : m_def.changeQuestion(),
                    MsgButton::Yes | MsgButton::No) != MsgButton::Yes)
        return false;

    // The tank as it was before this service: read now, told once the service is stored.
    const QString outOfStraws = m_def.semenField.isEmpty() ? QString() : bullOutOfStrawsNow(strawService(v));
    try {
        const QString animal = m_owner.animalNumber().trimmed();
        const BoundStatement st =
            fresh ? history::insertStatement(m_def, animal, v) : history::updateStatement(m_def, animal, m_key, v);
        QSqlQuery q = runQuery(st.sql, st.binds);
        if (!fresh && q.numRowsAffected() == 0) {
            // Nothing matched the key: saying nothing would look like a successful change.
            showPlainError(this, QStringLiteral("수정할 기록을 찾을 수 없습니다. 화면을 닫았다가 다시 열어 주세요."));
            return false;
        }
    } catch (const DbError& e) {
        showPlainError(this, e);
        return false;
    }

    const int row = fresh ? m_owner.appendRow() : m_owner.currentRow();
    m_owner.writeRow(row, history::savedRow(m_def, v));
    showOutOfStraws(this, outOfStraws);
    accept();
    return true;
}
