#pragma once
// The modal entry dialog of a history tab, built from the tab's HistoryDefinition. It learns the
// record through one key text (the record's date as yyyymmdd, empty for a new record), checks
// the input in the definition's order, asks, runs one INSERT or UPDATE, writes the owner tab's
// grid row and closes. Enter does nothing; Esc and 취 소 close without storing.
#include "history/model/HistoryDefinition.h"
#include "kit/SaveCancel.h"
#include "mating/model/SemenStock.h"

#include <QDialog>
#include <QHash>
#include <QList>
#include <QString>

class CheckedDateEdit;
class HistoryTab;
class QCheckBox;
class QDateEdit;
class QGridLayout;
class QLineEdit;
class QPushButton;
class QRadioButton;

class HistoryEntryDialog : public QDialog {
    Q_OBJECT
public:
    // The owner tab must outlive the dialog.
    explicit HistoryEntryDialog(HistoryTab& owner);

    // The record being changed (its key date as yyyymmdd: s수정일, s측정일, s날짜); empty for a new one.
    const QString& key() const { return m_key; }
    void setKey(const QString& key) { m_key = key; }
    bool isNew() const { return m_key.trimmed().isEmpty(); }

    // The load handler: the opening values, then LoadRecord when a record is named.
    void prepare();
    // Fills the fields from the stored record named by key().
    void LoadRecord();
    // 저 장: checks, question, statement, grid row, close. True when stored.
    bool save();

    // The fields as values, and back.
    EntryValues values() const;
    void showValues(const EntryValues& v);

    // The controls by control name (null when there is none of that kind).
    QLineEdit* textBox(const QString& name) const { return m_texts.value(name); }
    QDateEdit* datePicker(const QString& name) const;
    QCheckBox* dateBox(const QString& name) const;
    QRadioButton* option(const QString& name) const;
    QPushButton* saveButton() const { return m_buttons.save; }
    QPushButton* cancelButton() const { return m_buttons.cancel; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Adds `f` with its caption to `row` of `column`; returns its widgets in tab order.
    QList<QWidget*> addField(QGridLayout* column, int row, const EntryField& f);
    void tieGroups();
    void followDate(const QDate& date);
    // The service `v` stores, as the semen tank's notice weighs it.
    StrawService strawService(const EntryValues& v) const;

    HistoryTab& m_owner;
    const HistoryDefinition& m_def;
    QString m_key;
    QString m_storedSemen;  // the loaded record's semen number: a changed bull takes a straw anew
    QHash<QString, QLineEdit*> m_texts;
    QHash<QString, QDateEdit*> m_dates;
    QHash<QString, CheckedDateEdit*> m_checkedDates;
    QHash<QString, QList<QRadioButton*>> m_choices;
    QHash<QString, QWidget*> m_fieldWidgets;  // what a group's box enables, by field
    SaveCancel m_buttons;
    QWidget* m_first = nullptr;
    bool m_showing = false;  // showValues at work: a date it sets carries its own follower
    bool m_hasWide = false;  // some field is a box for sentences
};
