#pragma once
// What the cow and bull record forms share: the registration fields, the check-box
// dates, loading an animal from the search list and showing it there again after a save,
// the tab pages, save and close. Each form adds its own fields, tab pages (refreshed in tab
// order) and print buttons. The list is known only as an AnimalList.
#include "registry/model/AnimalStore.h"

#include <QMap>
#include <QWidget>

class AnimalList;
class CheckedDateEdit;
class GradingPage;
class HistoryPage;
class HistoryTab;
class QButtonGroup;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;

class AnimalRecordForm : public QWidget {
    Q_OBJECT
public:
    ~AnimalRecordForm() override;

    // The number the shown animal is stored under (s개체번호), as the number box showed it at
    // the last load or save, blanks included; empty for a new animal.
    const QString& storedNumber() const { return m_storedNumber; }

    // Shows the form for a new animal: the stored number is emptied, the boxes stay as they are.
    void openForNew();
    // ReflashData1..5: every tab, in tab order, reloads the animal stored under storedNumber().
    void refreshTabs();
    // The history tab numbered `number` (1 breeding, 2 weighing and ultrasound, 3 body, 4
    // treatment), or null when the form has none; its rowCount() is lssNRowCount.
    HistoryTab* historyTab(int number) const;
    // The carcass grading tab (ReflashData5 is its reload).
    GradingPage* gradingPage() const { return m_grading; }

    AnimalKind kind() const { return m_kind; }
    // Fills the form with `shown`, the animal of the list's data row `listRow` as the list shows
    // it (texts as they are, blanks kept), refreshes the tabs and shows the form.
    void loadFromList(int listRow, const AnimalRecord& shown);
    // Com_Button 0 "저 장".
    void save();
    // Com_Button 8 "닫기(ESC)": closes and gives the list the focus.
    void closeForm();

    // The values the save would store (texts trimmed, unticked dates 0, empty score 0).
    AnimalRecord formValues() const;
    bool storedState() const { return m_stored; }

protected:
    AnimalRecordForm(AnimalList* list, AnimalKind kind, const QString& objectName, const QString& title,
                     const QString& kindCaption, const QString& saleCaption);

    // Adds a check-box date with its label at (row, pair) of the field panel.
    CheckedDateEdit* addDateField(int row, int pair, const QString& caption, const QString& name);
    // A date number loaded into a check-box date: 0 clears the box, any other ticks it, and
    // the picker takes the day when it names one (else it keeps its own).
    static void showDate(CheckedDateEdit* date, qint64 dateNumber);
    void addHistoryTab(HistoryPage* page, const QString& caption);
    // The last tab, carcass grading; selecting it puts the focus in 작업장.
    void addGradingTab();
    QPushButton* addPrintButton(const QString& name, const QString& caption);
    // The end of loading: placed by the list's size, tab 0 selected.
    void finishOpening();
    // The fields only one of the forms has.
    virtual void loadExtra(const AnimalRecord& /*shown*/) {}
    virtual void fillExtra(AnimalRecord& /*v*/) const {}

    void closeEvent(QCloseEvent* event) override;

    AnimalList* m_list;  // the list the form was opened from; it owns the form
    QGridLayout* m_fields = nullptr;
    QTabWidget* m_tabs = nullptr;  // "STAB"
    QLineEdit* m_number = nullptr;
    QLineEdit* m_score = nullptr;
    GradingPage* m_grading = nullptr;
    CheckedDateEdit* m_birth = nullptr;
    CheckedDateEdit* m_arrival = nullptr;
    CheckedDateEdit* m_sale = nullptr;

private:
    QLineEdit* addTextField(int row, int pair, const QString& caption, const QString& name);
    QLabel* addCaption(int row, int pair, const QString& caption);
    void setStoredState(bool stored);
    // The boxes as typed.
    AnimalRecord values() const;
    // The values with the texts as typed: what the list shows after a save.
    AnimalRecord typedValues() const;
    void tellTabsTheNumber(const QString& number);

    AnimalKind m_kind;
    QString m_storedNumber;
    int m_listRow = 0;
    bool m_stored = false;
    bool m_focusListOnClose = false;
    QRadioButton* m_pure = nullptr;
    QRadioButton* m_cross = nullptr;
    QButtonGroup* m_breed = nullptr;
    QMap<QString, QLineEdit*> m_texts;
    QHBoxLayout* m_printBar = nullptr;
    QList<QPushButton*> m_printButtons;
    QList<HistoryPage*> m_pages;
};
