#pragma once
// The modal entry dialog of a history tab. It learns the record through one key text
// (the record's date as yyyymmdd, empty for a new record), checks the input in a fixed
// order, asks, runs one INSERT or UPDATE, writes the owner tab's grid row and closes.
// Enter does nothing; Esc and 취 소 close without storing.
#include "history/model/HistoryRules.h"

#include <QDate>
#include <QDialog>
#include <QString>
#include <QStringList>

class HistoryTab;
class QCheckBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QSqlRecord;

class HistoryEntryDialog : public QDialog {
    Q_OBJECT
public:
    struct Texts {
        QString newQuestion;     // asked before an insert (title "등록")
        QString changeQuestion;  // asked before an update (title "수정")
        QString duplicateDate;   // a new record on a date the grid already shows
    };

    // objectName and caption of the dialog; the owner tab must outlive it.
    HistoryEntryDialog(HistoryTab& owner, const QString& name, const QString& caption, const Texts& texts);

    // The record being changed (its date as yyyymmdd); empty for a new record.
    virtual QString& key() = 0;
    bool isNew() { return key().trimmed().isEmpty(); }

    // The load handler: the opening defaults, then LoadRecord when a record is named.
    void prepare();

protected:
    void showEvent(QShowEvent* event) override;

public:
    // Fills the fields from the stored record named by key().
    void LoadRecord();
    // 저 장: checks, question, statement, grid row, close. True when stored.
    bool save();

    HistoryTab& owner() const { return m_owner; }
    QPushButton* saveButton() const { return m_save; }
    QPushButton* cancelButton() const { return m_cancel; }

protected:
    // Opening defaults after the design state (dates to today and the like).
    virtual void setDefaults() = 0;
    // The stored record of (animal, key).
    virtual BoundStatement recordQuery(const QString& animal, const QString& key) const = 0;
    virtual void fillFromRecord(const QSqlRecord& record) = 0;
    // The dialog's own checks in order; the duplicate-date check follows them.
    virtual CheckResult checkInput() const = 0;
    // The date the record is addressed by, and the objectName of its picker.
    virtual QDate keyDate() const = 0;
    virtual QString keyField() const = 0;
    // The INSERT (key empty) or the UPDATE of the record `key`.
    virtual BoundStatement storeStatement(const QString& animal, const QString& key) const = 0;
    // The owner grid's row texts after storing.
    virtual QStringList gridRow() const = 0;

    // Widget makers for the concrete dialogs (objectName + accessibleName set).
    QLabel* caption(const QString& text, int width = 90);
    QLineEdit* textBox(const QString& name);
    QDateEdit* datePicker(const QString& name);
    QCheckBox* dateCheck(const QString& name);
    QLabel* note(const QString& text);
    // 저 장 and 취 소, right-aligned.
    QWidget* buttonRow();
    // Chains the tab order through `fields`, then 저 장 and 취 소; the first field gets
    // the focus when the dialog opens.
    void setFieldOrder(const QList<QWidget*>& fields);

private:
    HistoryTab& m_owner;
    Texts m_texts;
    QPushButton* m_save = nullptr;
    QPushButton* m_cancel = nullptr;
    QWidget* m_first = nullptr;
};
