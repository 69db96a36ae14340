#pragma once
// 씨수소 등록/수정: one catalogue bull typed in its boxes, new or changed. The model checks and
// stores it; a refusal is told in a message and the focus goes back to the box at fault.
#include "kit/SaveCancel.h"
#include "mating/model/BullCatalogue.h"

#include <QDialog>
#include <QHash>
#include <optional>

class QComboBox;
class QLineEdit;

class BullEntryDialog : public QDialog {
    Q_OBJECT
public:
    // `stored`: the bull to change; none for a new bull.
    explicit BullEntryDialog(QWidget* parent, const std::optional<Bull>& stored = std::nullopt);

    bool isNew() const { return m_oldKpn.isEmpty(); }
    // The KPN digits stored by the last save.
    QString savedKpn() const { return m_savedKpn; }

    // The box named `name` ("KPN", "아비", "외조부", a trait's column, "평가", "단가").
    QLineEdit* textBox(const QString& name) const { return m_texts.value(name); }
    QComboBox* kindBox() const { return m_kind; }  // "구분"
    const SaveCancel& buttons() const { return m_buttons; }

    BullEntry entry() const;
    void showEntry(const BullEntry& e);
    // 저 장: stores and closes; false when refused or the database failed.
    bool save();

private:
    QString m_oldKpn;
    QString m_savedKpn;
    QHash<QString, QLineEdit*> m_texts;
    QComboBox* m_kind = nullptr;
    SaveCancel m_buttons;
};
