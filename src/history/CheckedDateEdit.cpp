#include "history/CheckedDateEdit.h"

#include "data/Values.h"
#include "history/FieldNames.h"
#include "kit/DateField.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>

CheckedDateEdit::CheckedDateEdit(const QString& name, QWidget* parent)
    : QWidget(parent), m_box(new QCheckBox(this)), m_picker(dateField(DateLook::Plain, 110, this))
{
    m_box->setObjectName(name + QStringLiteral("체크"));
    m_picker->setObjectName(name);
    m_picker->setEnabled(false);
    auto* h = new QHBoxLayout(this);
    h->setContentsMargins(0, 0, 0, 0);
    h->setSpacing(4);
    h->addWidget(m_box);
    h->addWidget(m_picker, 1);
    connect(m_box, &QCheckBox::toggled, this, [this](bool on) {
        m_picker->setEnabled(on);
        emit toggled(on);
    });
}

bool CheckedDateEdit::isTicked() const
{
    return m_box->isChecked();
}

void CheckedDateEdit::setTicked(bool ticked)
{
    m_box->setChecked(ticked);
}

QDate CheckedDateEdit::date() const
{
    return m_picker->date();
}

void CheckedDateEdit::setDate(const QDate& date)
{
    m_picker->setDate(date);
}

qint64 CheckedDateEdit::dateNumber() const
{
    return isTicked() ? datenum::fromDate(date()) : 0;
}

QString CheckedDateEdit::dateText(const QString& pattern) const
{
    return isTicked() ? formatDate(date(), pattern) : QString();
}

void CheckedDateEdit::setCaption(QLabel* caption)
{
    nameDateBox(m_box, m_box->objectName(), caption);
    nameField(m_picker, m_picker->objectName(), caption);
}
