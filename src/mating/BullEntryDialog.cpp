#include "mating/BullEntryDialog.h"

#include "kit/DbMessages.h"
#include "kit/FieldFocus.h"
#include "kit/FieldTable.h"
#include "kit/Messages.h"
#include "kit/WindowKeys.h"
#include "mating/model/Kpn.h"

#include <QComboBox>
#include <QLineEdit>

BullEntryDialog::BullEntryDialog(QWidget* parent, const std::optional<Bull>& stored)
    : QDialog(parent), m_oldKpn(stored ? stored->kpn : QString())
{
    setObjectName(QStringLiteral("frm씨수소등록"));
    setWindowTitle(isNew() ? QStringLiteral("씨수소 등록") : QStringLiteral("씨수소 수정"));
    setModal(true);

    FieldTable table(this, QStringLiteral("frm씨수소"), 130);
    QWidget* frame = table.frame();
    auto text = [&](const QString& name, const QString& caption, const QString& hint) {
        table.addCaption(caption);
        auto* box = new QLineEdit(frame);
        box->setPlaceholderText(hint);
        box->setMinimumWidth(160);
        m_texts.insert(name, box);
        table.addInput(name, box);
    };
    text(QStringLiteral("KPN"), QStringLiteral("KPN 번호"), QStringLiteral("KPN1105"));
    table.addCaption(QStringLiteral("구분"));
    m_kind = new QComboBox(frame);
    m_kind->addItem(QString());  // unknown
    m_kind->addItems(bullKinds());
    table.addInput(QStringLiteral("구분"), m_kind);
    text(QStringLiteral("아비"), QStringLiteral("아비 KPN"), QStringLiteral("모르면 비워 두세요"));
    text(QStringLiteral("외조부"), QStringLiteral("외조부 KPN"), QStringLiteral("모르면 비워 두세요"));
    for (Trait t : kTraits) text(traitColumn(t), traitCaption(t), QStringLiteral("육종가"));
    text(QStringLiteral("평가"), QStringLiteral("평가 시기"), QStringLiteral("2026-08"));
    text(QStringLiteral("단가"), QStringLiteral("단가(원)"), QStringLiteral("스트로당"));

    m_buttons = table.finish([this] { save(); }, [this] { reject(); });
    new WindowKeys(this);  // Enter does nothing, Esc closes without storing
    if (stored) showEntry(entryOf(*stored));
}

BullEntry BullEntryDialog::entry() const
{
    BullEntry e;
    e.kpn = m_texts[QStringLiteral("KPN")]->text();
    e.kind = m_kind->currentText();
    e.sire = m_texts[QStringLiteral("아비")]->text();
    e.mgs = m_texts[QStringLiteral("외조부")]->text();
    for (Trait t : kTraits) e.ebv[size_t(t)] = m_texts[traitColumn(t)]->text();
    e.evaluation = m_texts[QStringLiteral("평가")]->text();
    e.price = m_texts[QStringLiteral("단가")]->text();
    return e;
}

void BullEntryDialog::showEntry(const BullEntry& e)
{
    m_texts[QStringLiteral("KPN")]->setText(e.kpn);
    m_kind->setCurrentIndex(std::max(0, m_kind->findText(e.kind)));
    m_texts[QStringLiteral("아비")]->setText(e.sire);
    m_texts[QStringLiteral("외조부")]->setText(e.mgs);
    for (Trait t : kTraits) m_texts[traitColumn(t)]->setText(e.ebv[size_t(t)]);
    m_texts[QStringLiteral("평가")]->setText(e.evaluation);
    m_texts[QStringLiteral("단가")]->setText(e.price);
}

bool BullEntryDialog::save()
{
    const BullEntry e = entry();
    std::optional<BullProblem> problem;
    try {
        problem = isNew() ? addBull(e) : changeBull(m_oldKpn, e);
    } catch (const DbError& err) {
        showPlainError(this, err);
        return false;
    }
    if (problem) {
        showMessage(this, MsgIcon::Information, QStringLiteral("입력 확인"), problem->message);
        QWidget* field =
            problem->field == QStringLiteral("구분") ? static_cast<QWidget*>(m_kind) : m_texts.value(problem->field);
        if (field) focusRefusedField(field);
        return false;
    }
    m_savedKpn = kpn::digitsOf(e.kpn);
    accept();
    return true;
}
