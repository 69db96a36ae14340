#include "books/ManureEntryDialog.h"

#include "books/ManureLedgerWindow.h"
#include "data/Clock.h"
#include "data/Db.h"
#include "kit/DateEdit.h"
#include "kit/DateField.h"
#include "kit/DbMessages.h"
#include "kit/FieldFocus.h"
#include "kit/FieldTable.h"
#include "kit/Messages.h"
#include "kit/WindowKeys.h"

#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace books;

ManureEntryDialog::ManureEntryDialog(ManureLedgerWindow& ledger, qint64 rowId, int row)
    : QDialog(&ledger), m_ledger(ledger), m_rowId(rowId), m_row(row)
{
    setObjectName(QStringLiteral("축산분뇨"));
    setWindowTitle(QStringLiteral("축산분뇨 관리대장 등록/수정"));
    setModal(true);
    build();
    new WindowKeys(this);  // Enter does nothing, Esc closes without storing

    // Load: both dates today, then the stored entry when one is named.
    m_dates[QStringLiteral("발생일자")]->setDate(today());
    m_dates[QStringLiteral("처리일자")]->setDate(today());
    if (!isNew()) LoadRecord();
}

void ManureEntryDialog::build()
{
    FieldTable table(this, QStringLiteral("frm축산분뇨"), 90);
    QWidget* frame = table.frame();
    const struct {
        const char* name;
        const char* caption;
        bool date;
        bool tons;
    } fields[] = {{"발생일자", "발생일자", true, false}, {"발생량", "발 생 량", false, true},
                  {"처리일자", "처리일자", true, false}, {"처리방법", "처리방법", false, false},
                  {"처리량", "처 리 량", false, true},   {"사용처", "사 용 처", false, false},
                  {"비고", "비     고", false, false}};
    for (const auto& f : fields) {
        const QString name = QString::fromUtf8(f.name);
        table.addCaption(QString::fromUtf8(f.caption));
        if (f.date) {
            QDateEdit* d = dateField(DateLook::Korean, 150, frame);
            m_dates.insert(name, d);
            table.addInput(name, d);
            continue;
        }
        auto* t = new QLineEdit(frame);
        m_texts.insert(name, t);
        if (!f.tons) {
            t->setMinimumWidth(300);
            table.addInput(name, t);
            continue;
        }
        t->setAlignment(Qt::AlignRight);
        t->setFixedWidth(120);
        auto* box = new QHBoxLayout;
        box->addWidget(t);
        auto* unit = new QLabel(QStringLiteral("톤"), frame);
        unit->setObjectName(name + QStringLiteral("톤"));
        box->addWidget(unit);
        box->addStretch(1);
        table.addInput(name, t, box);
    }

    m_buttons = table.finish([this] { save(); }, [this] { reject(); });
}

void ManureEntryDialog::LoadRecord()
{
    try {
        if (const std::optional<manure::Entry> e = manure::loadEntry(m_rowId)) showEntry(*e);
    } catch (const DbError& e) {
        showPlainError(this, e);
    }
}

manure::Entry ManureEntryDialog::entry() const
{
    manure::Entry e;
    e.발생일자 = m_dates[QStringLiteral("발생일자")]->date();
    e.발생량 = m_texts[QStringLiteral("발생량")]->text();
    e.처리일자 = m_dates[QStringLiteral("처리일자")]->date();
    e.처리방법 = m_texts[QStringLiteral("처리방법")]->text();
    e.처리량 = m_texts[QStringLiteral("처리량")]->text();
    e.사용처 = m_texts[QStringLiteral("사용처")]->text();
    e.비고 = m_texts[QStringLiteral("비고")]->text();
    return e;
}

void ManureEntryDialog::showEntry(const manure::Entry& e)
{
    // A stored date that is no date leaves the picker on today.
    if (e.발생일자.isValid()) m_dates[QStringLiteral("발생일자")]->setDate(e.발생일자);
    if (e.처리일자.isValid()) m_dates[QStringLiteral("처리일자")]->setDate(e.처리일자);
    m_texts[QStringLiteral("발생량")]->setText(e.발생량);
    m_texts[QStringLiteral("처리방법")]->setText(e.처리방법);
    m_texts[QStringLiteral("처리량")]->setText(e.처리량);
    m_texts[QStringLiteral("사용처")]->setText(e.사용처);
    m_texts[QStringLiteral("비고")]->setText(e.비고);
}

void ManureEntryDialog::focusField(const QString& name)
{
    if (QWidget* w = m_texts.value(name))
        focusRefusedField(w);
    else if (QWidget* d = m_dates.value(name))
        focusRefusedField(d);
}

bool ManureEntryDialog::save()
{
    if (!typedDatesTaken(this)) return false;
    const manure::Entry e = entry();
    if (const CheckResult failed = manure::check(e, isNew(), isNew() ? m_ledger.listedDates() : QList<QDate>())) {
        showMessage(this, failed->icon, failed->title, failed->message, MsgButton::Ok);
        focusField(failed->field);
        return false;
    }
    if (showMessage(this, MsgIcon::Question, isNew() ? QStringLiteral("등록") : QStringLiteral("수정"),
                    manure::saveQuestion(isNew()), MsgButton::Yes | MsgButton::No) != MsgButton::Yes)
        return false;
    try {
        if (isNew()) {
            m_rowId = manure::storeNewEntry(e);
            m_ledger.appendEntry(m_rowId, manure::savedRow(e));
        } else {
            manure::storeChangedEntry(e, m_rowId);
            m_ledger.rewriteRow(m_row, manure::savedRow(e));
        }
    } catch (const DbError& err) {
        showPlainError(this, err);
        return false;
    }
    accept();
    return true;
}
