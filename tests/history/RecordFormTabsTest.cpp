// The weighing, body-measurement and treatment tabs on the cow and bull record forms: their
// places, their loading with the form, and each dialog talking only to the form it was
// opened from, under the number the form has now.
#include "history/HistoryEntryDialog.h"
#include "history/HistoryTab.h"
#include "registry/BullRecordForm.h"
#include "registry/CowRecordForm.h"
#include "registry/RegistryFixture.h"
#include "support/ModalDriver.h"

#include <QDateEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <functional>

namespace {
class RecordFormTabsTest : public RegistryTest {
protected:
    // Opens the animal's record form from the list, as 개체수정 does.
    AnimalRecordForm* open(const QString& number)
    {
        if (!window) openList();
        searchFor();
        listGrid(window)->setActiveCell(1, rowOf(number));
        window->editSelected();
        if (window->animalAt(rowOf(number)).구분 == AnimalKind::Cow) return window->cowForm();
        return window->bullForm();
    }
    // Runs `body` on the dialog that the tab's command opens; the test fails when none opens.
    static void withDialog(HistoryTab* tab, const QString& command,
                           const std::function<void(HistoryEntryDialog&)>& body)
    {
        driveModal<HistoryEntryDialog>(
            tab->findChild<QPushButton*>(command + QString::number(tab->definition().number)), body);
    }
    // A new record of tab `number` on 2010-02-01 with what its checks need.
    void addThroughDialog(HistoryTab* tab)
    {
        withDialog(tab, "cmdInsert", [&](HistoryEntryDialog& d) {
            for (const char* required : {"개체능력", "월령", "증상", "처치"})
                if (QLineEdit* box = d.textBox(QString::fromUtf8(required))) box->setText("1");
            d.datePicker(tab->definition().keyField)->setDate(QDate(2010, 2, 1));
            farm.messages().answer(MsgButton::Yes);
            EXPECT_TRUE(d.save());
        });
    }
    int records(const QString& table, const QString& animal) { return farm.count(table, "개체번호 = ?", {animal}); }
};
}  // namespace

TEST_F(RecordFormTabsTest, BothFormsCarryTheTabsInTheirPlacesLoadedWithTheAnimal)
{
    farm.addAnimalWithHistory("COW", 0);
    farm.addAnimalWithHistory("BULL", 1);
    const struct {
        QString number, form;
        int firstTab;  // the tab index of the weighings
    } cases[] = {{"COW", "한우암소관리", 1}, {"BULL", "한우수소관리", 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.form.toStdString());
        AnimalRecordForm* f = open(c.number);
        ASSERT_NE(f, nullptr);
        EXPECT_EQ(f->objectName(), c.form);
        auto* tabs = f->findChild<QTabWidget*>("STAB");
        EXPECT_TRUE(tabs->isEnabled());
        const QStringList captions = {"체중·초음파측정", "체     척", "진료·백신접종"};
        const QStringList firstKeys = {"2009-02-01", "2009-03-01", "2009-04-01"};
        for (int n = 2; n <= 4; ++n) {
            HistoryTab* tab = f->historyTab(n);
            ASSERT_NE(tab, nullptr) << n;
            EXPECT_EQ(tabs->widget(c.firstTab + n - 2), tab);
            EXPECT_EQ(tabs->tabText(c.firstTab + n - 2), captions[n - 2]);
            EXPECT_EQ(f->findChild<Grid*>(QStringLiteral("SS%1").arg(n)), tab->grid());
            EXPECT_EQ(tab->rowCount(), 1);  // ReflashData2..4 ran with the form
            EXPECT_EQ(tab->grid()->cellText(tab->definition().keyColumn(), 1), firstKeys[n - 2]);
        }
        EXPECT_EQ(f->historyTab(1) != nullptr, c.number == "COW");
        f->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

TEST_F(RecordFormTabsTest, EachDialogTalksOnlyToTheFormItWasOpenedFrom)
{
    farm.addAnimalWithHistory("COW", 0);
    farm.addAnimalWithHistory("BULL", 1);
    // Both forms at once: whatever the dialogs do, they cannot mix them up.
    AnimalRecordForm* cow = open("COW");
    AnimalRecordForm* bull = open("BULL");
    ASSERT_NE(cow, nullptr);
    ASSERT_NE(bull, nullptr);
    ASSERT_NE(cow, bull);
    for (int n = 2; n <= 4; ++n) {
        SCOPED_TRACE(n);
        HistoryTab* cowTab = cow->historyTab(n);
        HistoryTab* bullTab = bull->historyTab(n);
        const QString table = cowTab->definition().table;
        const QString key = cowTab->definition().keyField;
        addThroughDialog(bullTab);
        EXPECT_EQ(records(table, "BULL"), 2);
        EXPECT_EQ(records(table, "COW"), 1);
        EXPECT_EQ(bullTab->rowCount(), 2);
        EXPECT_EQ(cowTab->rowCount(), 1);
        EXPECT_EQ(cowTab->grid()->maxRows(), 1);

        addThroughDialog(cowTab);
        EXPECT_EQ(records(table, "COW"), 2);
        EXPECT_EQ(cowTab->rowCount(), 2);
        EXPECT_EQ(bullTab->rowCount(), 2);

        // A change from the bull's grid changes the bull's record and row only.
        const QStringList cowRow = gridRow(cowTab->grid(), 2);
        cowTab->grid()->setActiveCell(1, 1);
        bullTab->grid()->setActiveCell(1, 2);
        withDialog(bullTab, "cmdUpate", [&](HistoryEntryDialog& d) {
            d.datePicker(key)->setDate(QDate(2010, 2, 2));
            farm.messages().answer(MsgButton::Yes);
            EXPECT_TRUE(d.save());
        });
        EXPECT_EQ(farm.count(table, QStringLiteral("개체번호 = 'BULL' and %1 = 20100202").arg(key)), 1);
        EXPECT_EQ(farm.count(table, QStringLiteral("개체번호 = 'COW' and %1 = 20100201").arg(key)), 1);
        EXPECT_EQ(gridRow(cowTab->grid(), 2), cowRow);
        EXPECT_EQ(bullTab->grid()->cellText(bullTab->definition().keyColumn(), 2), "2010-02-02");
    }
}

TEST_F(RecordFormTabsTest, AfterRenumberingNewRecordsGoUnderTheNewNumber)
{
    farm.addAnimalWithHistory("B1", 1);
    AnimalRecordForm* f = open("B1");
    ASSERT_NE(f, nullptr);
    f->findChild<QLineEdit*>("개체번호")->setText("B2");
    farm.messages().answer(MsgButton::Yes);
    f->save();
    ASSERT_EQ(rowsOfAnimal("B2"), 6);
    for (int n = 2; n <= 4; ++n) {
        addThroughDialog(f->historyTab(n));
        const QString table = f->historyTab(n)->definition().table;
        EXPECT_EQ(records(table, "B2"), 2) << table.toStdString();
        EXPECT_EQ(records(table, "B1"), 0) << table.toStdString();
        EXPECT_EQ(f->historyTab(n)->rowCount(), 2);
    }
}
