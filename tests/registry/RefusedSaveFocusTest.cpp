// Where the focus is after a refused save, for the keys and for a screen reader alike. The
// message boxes are real here: a box takes the window's activation, and Qt alone would then
// move the focus without a word, leaving the reader on the box or on a control given up.
#include "RegistryFixture.h"

#include "history/HistoryEntryDialog.h"
#include "kit/Messages.h"
#include "registry/CowRecordForm.h"
#include "support/AccessibleFocusLog.h"
#include "support/ModalDriver.h"

#include <QMessageBox>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>

namespace {

class RefusedSaveFocusTest : public RegistryTest {
protected:
    void SetUp() override
    {
        RegistryTest::SetUp();
        farm.addAnimalWithHistory("A", 0, {});
        openList();
        searchFor();
        listGrid(window)->setActiveCell(1, rowOf("A"));
        click("cmdUpdate");
        form = window->cowForm();
        ASSERT_TRUE(form);
        setMessenger(nullptr);  // the real boxes
    }
    // Clicks `save` and answers the box it brings up with OK; the box's text.
    QString refuse(QAbstractButton* save)
    {
        QString text;
        driveModal<QMessageBox>([save] { save->click(); },
                                [&](QMessageBox& box) {
                                    text = box.text();
                                    box.button(QMessageBox::Ok)->click();
                                });
        QApplication::processEvents();  // the window's activation arrives as an event
        return text;
    }
    // The keys and the reader are in `field`, an enabled control of the active window.
    void expectFocusIn(QWidget* field, const AccessibleFocusLog& heard)
    {
        ASSERT_TRUE(field);
        EXPECT_EQ(QApplication::focusWidget(), field);
        EXPECT_TRUE(field->isEnabled());
        EXPECT_EQ(QApplication::activeWindow(), field->window());
        EXPECT_EQ(heard.last(), field) << "the reader last heard of "
                                       << (heard.last() ? heard.last()->objectName().toStdString() : "nothing");
    }

    CowRecordForm* form = nullptr;
};

TEST_F(RefusedSaveFocusTest, TheRecordFormPutsTheKeysAndTheReaderInTheRefusedField)
{
    // The farmer was on a tab when saving with the number emptied.
    QTabWidget* tabs = find<QTabWidget>("STAB", form);
    tabs->tabBar()->setFocus();
    find<QLineEdit>("개체번호", form)->clear();
    AccessibleFocusLog heard;
    EXPECT_EQ(refuse(find<QPushButton>("Com_Button_0", form)), "개체번호를 입력해 주세요.");
    expectFocusIn(find<QWidget>("개체번호", form), heard);

    // A score that is no number, with the focus already in that box.
    find<QLineEdit>("개체번호", form)->setText("A");
    find<QLineEdit>("점수", form)->setText("4점");
    find<QWidget>("점수", form)->setFocus();
    heard.clear();
    EXPECT_EQ(refuse(find<QPushButton>("Com_Button_0", form)), "값을 다시 입력해 주세요.");
    expectFocusIn(find<QWidget>("점수", form), heard);
}

TEST_F(RefusedSaveFocusTest, TheEntryDialogPutsTheKeysAndTheReaderInTheRefusedField)
{
    driveModal<HistoryEntryDialog>(find<QAbstractButton>("cmdInsert1", form), [&](HistoryEntryDialog& d) {
        d.textBox("산차")->clear();
        d.saveButton()->setFocus();
        AccessibleFocusLog heard;
        EXPECT_EQ(refuse(d.saveButton()), "산차를 입력해 주세요.");
        expectFocusIn(d.textBox("산차"), heard);
        EXPECT_TRUE(d.isVisible());
    });
}

}  // namespace
