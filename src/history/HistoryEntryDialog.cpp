#include "history/HistoryEntryDialog.h"

#include "app/DbMessages.h"
#include "app/Messages.h"
#include "app/WindowKeys.h"
#include "data/Db.h"
#include "history/HistoryTab.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlRecord>

HistoryEntryDialog::HistoryEntryDialog(HistoryTab& owner, const QString& name, const QString& caption,
                                       const Texts& texts)
    : QDialog(owner.window()), m_owner(owner), m_texts(texts)
{
    setObjectName(name);
    setWindowTitle(caption);
    setModal(true);

    m_save = new QPushButton(QStringLiteral("저 장"), this);
    m_save->setObjectName(QStringLiteral("cmdSave"));
    m_save->setAccessibleName(QStringLiteral("cmdSave"));
    m_cancel = new QPushButton(QStringLiteral("취 소"), this);
    m_cancel->setObjectName(QStringLiteral("cmdCancel"));
    m_cancel->setAccessibleName(QStringLiteral("cmdCancel"));
    m_cancel->setToolTip(QStringLiteral("창을 닫습니다"));
    for (QPushButton* b : {m_save, m_cancel}) {
        b->setAutoDefault(false);
        b->setDefault(false);
        b->setMinimumWidth(90);
    }
    connect(m_save, &QPushButton::clicked, this, [this] { save(); });
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);

    // Enter must not press 저 장; Esc closes like 취 소.
    new WindowKeys(this, [this] { reject(); });
}

void HistoryEntryDialog::prepare()
{
    setDefaults();
    if (!isNew()) LoadRecord();
    if (m_first) m_first->setFocus();
}

void HistoryEntryDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Showing a dialog may hand the focus to a button; the first field is where typing starts.
    if (m_first) m_first->setFocus();
}

void HistoryEntryDialog::LoadRecord()
{
    try {
        const BoundStatement st = recordQuery(m_owner.animalNumber().trimmed(), key().trimmed());
        QSqlQuery q = runQuery(st.sql, st.binds);
        while (q.next()) fillFromRecord(q.record());
    } catch (const DbError& e) {
        showPlainError(this, e);
    }
}

bool HistoryEntryDialog::save()
{
    const bool fresh = isNew();
    CheckResult failed = checkInput();
    if (!failed && fresh && m_owner.showsDate(keyDate()))
        failed = entry::duplicateDate(keyField(), m_texts.duplicateDate);
    if (failed) {
        showMessage(this, failed->icon, failed->title, failed->message, MsgButton::Ok);
        if (auto* w = findChild<QWidget*>(failed->field)) w->setFocus();
        return false;
    }

    if (showMessage(this, MsgIcon::Question, fresh ? QStringLiteral("등록") : QStringLiteral("수정"),
                    fresh ? m_texts.newQuestion : m_texts.changeQuestion,
                    MsgButton::Yes | MsgButton::No) != MsgButton::Yes)
        return false;

    try {
        const BoundStatement st = storeStatement(m_owner.animalNumber().trimmed(), fresh ? QString() : key().trimmed());
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
    m_owner.writeRow(row, gridRow());
    accept();
    return true;
}

QLabel* HistoryEntryDialog::caption(const QString& text, int width)
{
    auto* l = new QLabel(text, this);
    l->setFrameStyle(QFrame::Panel | QFrame::Raised);
    l->setAlignment(Qt::AlignCenter);
    l->setWordWrap(true);
    l->setFixedWidth(width);
    l->setMinimumHeight(24);
    return l;
}

QLineEdit* HistoryEntryDialog::textBox(const QString& name)
{
    auto* e = new QLineEdit(this);
    e->setObjectName(name);
    e->setAccessibleName(name);
    e->setMinimumWidth(140);
    return e;
}

QDateEdit* HistoryEntryDialog::datePicker(const QString& name)
{
    auto* e = new QDateEdit(this);
    e->setObjectName(name);
    e->setAccessibleName(name);
    e->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    e->setCalendarPopup(true);
    e->setMinimumWidth(110);
    return e;
}

QCheckBox* HistoryEntryDialog::dateCheck(const QString& name)
{
    auto* c = new QCheckBox(this);
    c->setObjectName(name);
    c->setAccessibleName(name);
    return c;
}

QLabel* HistoryEntryDialog::note(const QString& text)
{
    auto* l = new QLabel(text, this);
    l->setStyleSheet(QStringLiteral("color: #1f4e9c;"));
    return l;
}

QWidget* HistoryEntryDialog::buttonRow()
{
    auto* w = new QWidget(this);
    auto* h = new QHBoxLayout(w);
    h->setContentsMargins(0, 0, 0, 0);
    h->addStretch();
    h->addWidget(m_save);
    h->addWidget(m_cancel);
    return w;
}

void HistoryEntryDialog::setFieldOrder(const QList<QWidget*>& fields)
{
    m_first = fields.isEmpty() ? nullptr : fields.first();
    QList<QWidget*> chain = fields;
    chain << m_save << m_cancel;
    for (int i = 1; i < chain.size(); ++i) setTabOrder(chain[i - 1], chain[i]);
}
