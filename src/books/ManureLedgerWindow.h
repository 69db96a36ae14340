#pragma once
// 축산분뇨관리대장: the manure ledger on the period-book pattern, from 1 January of this year,
// with its own entries typed in the dialog 축산분뇨 (new, change, delete). Entries are
// addressed by the row id each listed row keeps, as two entries may share a date.
#include "books/PeriodBookWindow.h"

#include <QDate>
#include <QList>
#include <QStringList>

class QPushButton;

class ManureLedgerWindow : public PeriodBookWindow {
    Q_OBJECT
public:
    explicit ManureLedgerWindow(QWidget* parent = nullptr);

    QPushButton* insertButton() const { return m_insert; }  // "cmdInsert"
    QPushButton* updateButton() const { return m_update; }  // "cmdUpate"
    QPushButton* deleteButton() const { return m_delete; }  // "cmdDelete"

    // 신규등록: the dialog for a new entry.
    void insertEntry();
    // 수 정 and a double click: the dialog for the entry of the active row; nothing on an empty list.
    void changeEntry();
    // 삭 제: the entry of the active row, after a question; then the period is queried again.
    void deleteEntry();

    // The dates of occurrence of the listed rows.
    QList<QDate> listedDates() const;
    // A stored new entry: appended as the last row and highlighted, whatever its date.
    void appendEntry(qint64 rowId, const QStringList& cells);
    // A stored change: row `row` rewritten in place.
    void rewriteRow(int row, const QStringList& cells);

private:
    // The listed row the change and delete act on; 0 when there is none.
    int selectedRow() const;

    QPushButton* m_insert = nullptr;
    QPushButton* m_update = nullptr;
    QPushButton* m_delete = nullptr;
};
