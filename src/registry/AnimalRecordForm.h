#pragma once
// What the cow and bull record forms share: the registration fields, the check-box
// dates, loading from and writing back to the search list, save and close. Each form
// adds its own fields, history tabs, print buttons and refresh order.
#include "registry/model/AnimalStore.h"

#include <QDate>
#include <QMap>
#include <QPointer>
#include <QWidget>

class Grid;
class HistoryTab;
class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QDateEdit;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class SearchWindow;

// A date picker with its caption-less check box: the picker is usable, and its date
// stored, exactly while the box is ticked.
struct CheckedDate {
    QCheckBox* box = nullptr;
    QDateEdit* picker = nullptr;

    bool ticked() const;
    void setTicked(bool on);
    // The date number stored: yyyymmdd while ticked, 0 otherwise.
    qint64 dateNumber() const;
    // The list cell: "yyyy년 mm월 dd일" while ticked, "" otherwise.
    QString cellText() const;
    // A list cell loaded back: empty clears the box; a date ticks it and shows the date.
    void setFromCell(const QString& text);
};

class AnimalRecordForm : public QWidget {
    Q_OBJECT
public:
    ~AnimalRecordForm() override;

    // The number the shown animal is stored under; empty for a new animal.
    QString s개체번호;
    long lss2RowCount = 0;  // rows of the weighing and ultrasound grid
    long lss3RowCount = 0;  // rows of the body-measurement grid
    long lss4RowCount = 0;  // rows of the treatment and vaccination grid

    // Refreshing the history tabs for the animal in the 개체번호 box.
    void ReflashData2();
    void ReflashData3();
    void ReflashData4();
    void ReflashData5();

    // 0 for the cow form, 1 for the bull form (구분 and giFormKind).
    int kind() const { return m_kind; }
    // Fills the form from the search list's row, refreshes the tabs and shows the form.
    void loadFromList(int listRow);
    // Com_Button 0 "저 장".
    void save();
    // Com_Button 8 "닫기(ESC)": closes and gives the list the focus.
    void closeForm();

    // The values the save would store (texts trimmed, unticked dates 0, empty score 0).
    AnimalRecord formValues() const;
    // The list cells a save writes back (column -> text), as typed.
    QMap<int, QString> writeBackCells() const;
    bool storedState() const { return m_stored; }

protected:
    AnimalRecordForm(SearchWindow* list, int kind, const QString& objectName, const QString& title,
                     const QString& kindCaption, const QString& saleCaption);

    // Adds a check-box date with its label at (row, pair) of the field panel.
    CheckedDate addDateField(int row, int pair, const QString& caption, const QString& name);
    void addHistoryTab(QWidget* page, const QString& caption);
    // The last tab, carcass grading: its first field 작업장 and the grading date 판정일.
    void addGradingTab();
    QPushButton* addPrintButton(const QString& name, const QString& caption);
    // The end of loading: placed by the list's size, tab 0 selected.
    void finishOpening();
    // Runs the refresh operations of the form's tabs in their order.
    virtual void refreshAll() = 0;
    // The fields only one of the forms has.
    virtual void loadExtra(int /*listRow*/) {}
    virtual void fillExtra(AnimalRecord& /*v*/) const {}
    virtual void extraCells(QMap<int, QString>& /*cells*/) const {}

    void closeEvent(QCloseEvent* event) override;

    QPointer<SearchWindow> m_list;
    QGridLayout* m_fields = nullptr;
    QTabWidget* STAB = nullptr;
    QLineEdit* m_number = nullptr;
    QLineEdit* m_score = nullptr;
    QLineEdit* m_workplace = nullptr;
    QDateEdit* m_gradingDate = nullptr;
    CheckedDate m_birth, m_arrival, m_sale;

private:
    QLineEdit* addTextField(int row, int pair, const QString& caption, const QString& name);
    QLabel* addCaption(int row, int pair, const QString& caption);
    void setStoredState(bool stored);
    void writeBack(int listRow, bool registering);
    void tellTabsTheNumber(const QString& number);

    int m_kind;
    int m_listRow = 0;
    bool m_stored = false;
    bool m_focusListOnClose = false;
    QRadioButton* m_pure = nullptr;
    QRadioButton* m_cross = nullptr;
    QButtonGroup* m_breed = nullptr;
    QMap<QString, QLineEdit*> m_texts;
    QHBoxLayout* m_printBar = nullptr;
    QList<QPushButton*> m_printButtons;
    QList<QPointer<HistoryTab>> m_historyTabs;
};
