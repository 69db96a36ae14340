#pragma once
// What the cow and bull record forms share: the registration fields, the check-box
// dates, loading from and writing back to the search list, the tab pages, save and close.
// Each form adds its own fields, tab pages (refreshed in tab order) and print buttons.
#include "registry/model/AnimalStore.h"

#include <QDate>
#include <QMap>
#include <QPointer>
#include <QWidget>

class CheckedDateEdit;
class Grid;
class HistoryPage;
class HistoryTab;
class QButtonGroup;
class QDateEdit;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class SearchWindow;

class AnimalRecordForm : public QWidget {
    Q_OBJECT
public:
    ~AnimalRecordForm() override;

    // The number the shown animal is stored under; empty for a new animal.
    QString s개체번호;

    // ReflashData1..5: every tab, in tab order, reloads the animal stored under s개체번호.
    void refreshTabs();
    // The history tab numbered `number` (1 breeding, 2 weighing and ultrasound, 3 body, 4
    // treatment), or null when the form has none; its rowCount() is lssNRowCount.
    HistoryTab* historyTab(int number) const;

    // 0 for the cow form, 1 for the bull form (구분).
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
    CheckedDateEdit* addDateField(int row, int pair, const QString& caption, const QString& name);
    // A list cell loaded back into a check-box date: empty clears the box; a date ticks it.
    static void showDateCell(CheckedDateEdit* date, const QString& cell);
    // The list cell of a check-box date: "yyyy년 mm월 dd일" while ticked, "" otherwise.
    static QString dateCell(const CheckedDateEdit* date);
    void addHistoryTab(HistoryPage* page, const QString& caption);
    // The last tab, carcass grading: its first field 작업장 and the grading date 판정일.
    void addGradingTab();
    QPushButton* addPrintButton(const QString& name, const QString& caption);
    // The end of loading: placed by the list's size, tab 0 selected.
    void finishOpening();
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
    CheckedDateEdit* m_birth = nullptr;
    CheckedDateEdit* m_arrival = nullptr;
    CheckedDateEdit* m_sale = nullptr;

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
    QList<HistoryPage*> m_pages;
};
