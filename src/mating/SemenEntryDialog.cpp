#include "mating/SemenEntryDialog.h"

#include "kit/DateEdit.h"
#include "kit/DateField.h"
#include "kit/DbMessages.h"
#include "kit/FieldFocus.h"
#include "kit/FieldTable.h"
#include "kit/Messages.h"
#include "kit/WindowKeys.h"
#include "mating/model/Kpn.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>

SemenEntryDialog::SemenEntryDialog(QWidget* parent, bool receipt, const QString& kpn)
    : QDialog(parent), m_receipt(receipt)
{
    setObjectName(receipt ? QStringLiteral("frm정액입고") : QStringLiteral("frm정액조정"));
    setWindowTitle(receipt ? QStringLiteral("정액 입고") : QStringLiteral("정액 조정 (폐기·이동)"));
    setModal(true);

    FieldTable table(this, QStringLiteral("frm정액"), 110);
    QWidget* frame = table.frame();
    auto text = [&](const QString& name, const QString& caption) {
        table.addCaption(caption);
        auto* box = new QLineEdit(frame);
        box->setMinimumWidth(160);
        m_texts.insert(name, box);
        table.addInput(name, box);
    };
    table.addCaption(QStringLiteral("일자"));
    m_day = dateField(DateLook::Plain, 150, frame);
    table.addInput(QStringLiteral("일자"), m_day);
    text(QStringLiteral("KPN"), QStringLiteral("KPN 번호"));
    m_texts[QStringLiteral("KPN")]->setText(kpn::shown(kpn));
    if (!receipt) {
        table.addCaption(QStringLiteral("종류"));
        m_kind = new QComboBox(frame);
        m_kind->addItems(adjustmentKinds());
        table.addInput(QStringLiteral("종류"), m_kind);
    }
    text(QStringLiteral("수량"), QStringLiteral("수량(스트로)"));
    if (receipt) {
        text(QStringLiteral("단가"), QStringLiteral("단가(원)"));
        text(QStringLiteral("공급처"), QStringLiteral("공급처"));
    }
    text(QStringLiteral("비고"), QStringLiteral("비고"));

    m_buttons = table.finish([this] { save(); }, [this] { reject(); });
    new WindowKeys(this);
}

SemenEntryInput SemenEntryDialog::input() const
{
    SemenEntryInput in;
    in.day = m_day->date();
    in.kpn = m_texts[QStringLiteral("KPN")]->text();
    in.kind = m_receipt ? receiptKind() : m_kind->currentText();
    in.straws = m_texts[QStringLiteral("수량")]->text();
    if (m_receipt) {
        in.price = m_texts[QStringLiteral("단가")]->text();
        in.supplier = m_texts[QStringLiteral("공급처")]->text();
    }
    in.note = m_texts[QStringLiteral("비고")]->text();
    return in;
}

bool SemenEntryDialog::save()
{
    if (!typedDatesTaken(this)) return false;
    std::optional<SemenProblem> problem;
    try {
        problem = storeSemenEntry(input());
    } catch (const DbError& err) {
        showPlainError(this, err);
        return false;
    }
    if (problem) {
        showMessage(this, MsgIcon::Information, QStringLiteral("입력 확인"), problem->message);
        QWidget* field = problem->field == QStringLiteral("일자")   ? static_cast<QWidget*>(m_day)
                         : problem->field == QStringLiteral("종류") ? static_cast<QWidget*>(m_kind)
                                                                    : m_texts.value(problem->field);
        if (field) focusRefusedField(field);
        return false;
    }
    accept();
    return true;
}
