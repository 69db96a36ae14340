#pragma once
// The carcass grading tab of both record forms (도태등급판정): the animal's one 등급판정 row,
// edited in place in fifteen boxes and stored with 저 장 (cmdUpate5) or removed with 삭 제
// (cmdDelete5). No grid and no dialog. The page remembers whether the row exists: that decides
// between insert and update, and whether delete does anything.
#include "history/HistoryPage.h"
#include "history/model/HistoryDefinition.h"

#include <QHash>

class CheckedDateEdit;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;

class GradingPage : public HistoryPage {
    Q_OBJECT
public:
    explicit GradingPage(QWidget* parent = nullptr);

    // ReflashData5: the animal's row, or empty boxes and today when it has none. A stored 판정일
    // that is no date is shown unset (an unticked box before the blank picker) with a note.
    void reload(const QString& number) override;
    // 저 장: checks, question, INSERT or UPDATE; the boxes keep what was typed. True when stored.
    // While 판정일 is unset the stored one stays as it was: no date the user did not enter.
    bool save();
    // 삭 제: without a row nothing at all; else question, DELETE, reload. True when deleted.
    bool deleteGrading();

    // True while the shown animal has a grading row.
    bool hasGrading() const { return m_hasRow; }
    // The boxes as values (texts as typed), and back.
    EntryValues values() const;
    void showValues(const EntryValues& v);

    QLineEdit* textBox(const QString& name) const { return m_texts.value(name); }
    QDateEdit* datePicker() const { return m_date; }
    // 판정일 with its box ("판정일체크"), shown only while the date is unset.
    CheckedDateEdit* dateBox() const { return m_dateBox; }
    // 작업장, where the focus goes when the tab is selected.
    QWidget* firstField() const;
    QPushButton* saveButton() const { return m_save; }
    QPushButton* deleteButton() const { return m_delete; }

protected:
    // The price boxes lose their thousands separators while the user edits them.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void focusField(const QString& name);
    // Set: the picker as ever, box and note hidden. Unset: box unticked, picker blank, note shown.
    void showDateState(const QString& badDateNote);
    void showPickerBlank(bool blank);

    QHash<QString, QLineEdit*> m_texts;
    CheckedDateEdit* m_dateBox = nullptr;
    QDateEdit* m_date = nullptr;
    QLabel* m_dateNote = nullptr;
    QPushButton* m_save = nullptr;
    QPushButton* m_delete = nullptr;
    bool m_hasRow = false;
};
