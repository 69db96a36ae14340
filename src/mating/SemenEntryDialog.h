#pragma once
// 정액 입고 / 정액 조정: one entry of the semen tank. A receipt takes its price and supplier; an
// adjustment is 폐기 or 이동. Straws are typed as a positive count either way.
#include "kit/SaveCancel.h"
#include "mating/model/SemenStock.h"

#include <QDialog>
#include <QHash>

class QComboBox;
class QDateEdit;
class QLineEdit;

class SemenEntryDialog : public QDialog {
    Q_OBJECT
public:
    // `receipt`: 입고; otherwise an adjustment. `kpn` (digits) fills the KPN box.
    SemenEntryDialog(QWidget* parent, bool receipt, const QString& kpn = QString());

    // "KPN", "수량", "단가", "공급처", "비고" (a receipt's own boxes only on a receipt).
    QLineEdit* textBox(const QString& name) const { return m_texts.value(name); }
    QDateEdit* datePicker() const { return m_day; }  // "일자"
    QComboBox* kindBox() const { return m_kind; }    // "종류", adjustments only
    const SaveCancel& buttons() const { return m_buttons; }

    SemenEntryInput input() const;
    // 저 장: stores and closes; false when refused.
    bool save();

private:
    bool m_receipt;
    QDateEdit* m_day = nullptr;
    QComboBox* m_kind = nullptr;
    QHash<QString, QLineEdit*> m_texts;
    SaveCancel m_buttons;
};
