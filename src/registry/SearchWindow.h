#pragma once
// frmSearch: the registry window. Lists the animals of 개체관리 by sex, search word and
// age, and is the way into the cow and bull record forms; deletes an animal with its
// whole history and prints the list.
#include "registry/model/SearchRules.h"

#include <QPointer>
#include <QWidget>

class AnimalRecordForm;
class BullRecordForm;
class CowRecordForm;
class Grid;
class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class SearchWindow : public QWidget {
    Q_OBJECT
public:
    explicit SearchWindow(QWidget* parent = nullptr);
    ~SearchWindow() override;

    // The list; the record forms read its active row and append or rewrite rows.
    Grid* SS = nullptr;
    long lss1RowCount = 0;

    // Commands of the buttons.
    void search();          // Com_Function 0 "조회(F11)"
    void printList();       // Com_Function 1 "목록인쇄"
    void registerCow();     // cmdInsert
    void registerBull();    // cmdInsert2
    void editSelected();    // cmdUpdate, double-click on a cell
    void deleteSelected();  // cmdDelete

    SearchConditions conditions() const;
    // The open record forms (null when closed); created on first use.
    CowRecordForm* cowForm() const;
    BullRecordForm* bullForm() const;
    CowRecordForm* ensureCowForm();
    BullRecordForm* ensureBullForm();
    // A record form is going away: the list is usable again.
    void recordFormClosed(AnimalRecordForm* form, bool takeFocus);
    bool isSearching() const { return m_searching; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildUi();
    void layoutWidgets();
    void loadFarmInfo();
    void setAgeBoxShown(bool shown);
    void endSearchWait();

    QRadioButton* m_all = nullptr;
    QRadioButton* m_cows = nullptr;
    QRadioButton* m_bulls = nullptr;
    QFrame* m_ageFrame = nullptr;
    QCheckBox* m_ageBox = nullptr;
    QLineEdit* m_word = nullptr;
    QFrame* m_toolbar = nullptr;
    QPushButton* m_query = nullptr;
    QPushButton* m_print = nullptr;
    QPushButton* m_close = nullptr;
    QFrame* m_gridPanel = nullptr;
    QLabel* m_wait = nullptr;
    QPointer<CowRecordForm> m_cowForm;
    QPointer<BullRecordForm> m_bullForm;
    bool m_searching = false;
    bool m_connected = false;
};
