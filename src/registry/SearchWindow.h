#pragma once
// frmSearch: the registry window. Lists the animals of 개체관리 by sex, search word and
// age, and is the way into the cow and bull record forms; deletes an animal with its
// whole history and prints the list. Built on the list window frame, whose grid SS and
// row count lss1RowCount the record forms read and write.
#include "kit/ListWindow.h"
#include "print/ListPrint.h"
#include "registry/model/SearchRules.h"

#include <QPointer>
#include <array>

class AnimalRecordForm;
class BullRecordForm;
class CowRecordForm;
class QCheckBox;
class QLineEdit;
class QRadioButton;

class SearchWindow : public ListWindow {
    Q_OBJECT
public:
    explicit SearchWindow(QWidget* parent = nullptr);
    ~SearchWindow() override;

    // Commands of the buttons.
    void query() override;  // Com_Function 0 "조회(F11)": the search
    void print() override;  // Com_Function 1 "목록인쇄"
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

protected:
    // Not while a record form still works on the list.
    bool mayClose() const override;

private:
    void buildConditions();
    void buildRecordButtons();
    void setColumns();

    std::array<QRadioButton*, 3> m_sexOptions{};  // in SexFilter order
    QFrame* m_ageFrame = nullptr;
    QCheckBox* m_ageBox = nullptr;
    QLineEdit* m_word = nullptr;
    QPointer<CowRecordForm> m_cowForm;
    QPointer<BullRecordForm> m_bullForm;
};
