#pragma once
// frmSearch: the registry window. Lists the animals of 개체관리 by sex, search word and
// age, and is the way into the cow and bull record forms; deletes an animal with its
// whole history and prints the list. Built on the list window frame. Every row is made by
// the one row formatter, whether a query read the animal or a record form saved it; the
// forms reach their rows only through the AnimalList commands.
#include "kit/ListWindow.h"
#include "print/ListPrint.h"
#include "registry/AnimalList.h"
#include "registry/model/SearchRules.h"

#include <QPointer>
#include <array>
#include <functional>

class AnimalRecordForm;
class BullRecordForm;
class CowRecordForm;
class QCheckBox;
class QLineEdit;
class QRadioButton;

class SearchWindow : public ListWindow, public AnimalList {
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
    void importRecords();   // cmdImport: the import assistant; the list shows what it stored
    // Searches every animal for `number` and opens the record form of the one found: how other
    // windows (the farm calendar) show an animal's records. False when no animal has the number.
    bool openAnimal(const QString& number);

    // Opens the import assistant (가져오기), which lives above the registry (src/import): the
    // program sets it with the menu (app/Windows.cpp). True when records were stored. An empty
    // function removes it; 가져오기 then does nothing.
    using ImportOpener = std::function<bool(QWidget* parent)>;
    static void setImportOpener(ImportOpener opener);

    SearchConditions conditions() const;
    // The open record forms (null when closed); created on first use.
    CowRecordForm* cowForm() const;
    BullRecordForm* bullForm() const;
    CowRecordForm* ensureCowForm();
    BullRecordForm* ensureBullForm();

    // The animal data row `row` (1..rowCount()) shows, read back from its cells as they are.
    AnimalRecord animalAt(int row) const;
    // The row of the list's active cell, 0 when the list is empty or none is active.
    int selectedRow() const;

    // What the record forms do with the list (see AnimalList).
    void showAnimal(int row, const AnimalRecord& typed) override;
    int addAnimal(const AnimalRecord& typed) override;
    QSize listSize() const override { return size(); }
    void recordFormClosed(AnimalRecordForm* form, bool takeFocus) override;

protected:
    // Not while a record form still works on the list.
    bool mayClose() const override;

private:
    void buildConditions();
    void buildRecordButtons();
    void setColumns();
    // Writes the cells a save shows into `row` and gives it its kind's colour.
    void writeSavedRow(int row, const AnimalRecord& typed);

    std::array<QRadioButton*, 3> m_sexOptions{};  // in SexFilter order
    QFrame* m_ageFrame = nullptr;
    QCheckBox* m_ageBox = nullptr;
    QLineEdit* m_word = nullptr;
    QPointer<CowRecordForm> m_cowForm;
    QPointer<BullRecordForm> m_bullForm;
};
