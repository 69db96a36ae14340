#pragma once
// 축산분뇨 ("축산분뇨 관리대장 등록/수정"): the modal dialog that types one manure ledger entry,
// new or changed. It checks, asks, stores, and hands the stored entry to the ledger's grid.
// Enter does nothing; Esc and 취 소 close without storing.
#include "books/model/ManureLedger.h"
#include "kit/SaveCancel.h"

#include <QDialog>
#include <QHash>
#include <QString>

class ManureLedgerWindow;
class QDateEdit;
class QLineEdit;
class QPushButton;

class ManureEntryDialog : public QDialog {
    Q_OBJECT
public:
    // `rowId` 0: a new entry. Otherwise the stored entry `rowId`, listed in the ledger's row `row`,
    // is loaded. The ledger must outlive the dialog.
    ManureEntryDialog(ManureLedgerWindow& ledger, qint64 rowId = 0, int row = 0);

    bool isNew() const { return m_rowId == 0; }
    qint64 rowId() const { return m_rowId; }

    // Fills the fields from the stored entry.
    void LoadRecord();
    // 저 장: checks, question, statement, the ledger's row, close. True when stored.
    bool save();

    books::manure::Entry entry() const;
    void showEntry(const books::manure::Entry& e);

    QLineEdit* textBox(const QString& name) const { return m_texts.value(name); }
    QDateEdit* datePicker(const QString& name) const { return m_dates.value(name); }
    QPushButton* saveButton() const { return m_buttons.save; }
    QPushButton* cancelButton() const { return m_buttons.cancel; }

private:
    void build();
    void focusField(const QString& name);

    ManureLedgerWindow& m_ledger;
    qint64 m_rowId = 0;
    int m_row = 0;
    QHash<QString, QLineEdit*> m_texts;
    QHash<QString, QDateEdit*> m_dates;
    SaveCancel m_buttons;
};
