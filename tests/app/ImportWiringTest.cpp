// The search list reaches the import assistant, which sits above it, only through the hook the
// program sets with its menu: wired by registerWindows, its 가져오기 opens the assistant.
#include "app/MainWindow.h"
#include "app/Windows.h"
#include "import/ImportAssistant.h"
#include "registry/SearchWindow.h"
#include "support/ModalDriver.h"
#include "support/TestFarm.h"

#include <gtest/gtest.h>
#include <QPushButton>

class ImportWiringTest : public FarmTest {};

TEST_F(ImportWiringTest, TheSearchListsImportButtonOpensTheAssistantOnceTheMenuIsWired)
{
    ASSERT_TRUE(farm.open());
    MainWindow menu;
    registerWindows(menu);
    menu.menuClicked(MenuEntry::Animals);
    auto* list = qobject_cast<SearchWindow*>(menu.openWindow(MenuEntry::Animals));
    ASSERT_TRUE(list);
    auto* button = list->findChild<QPushButton*>(QStringLiteral("cmdImport"));
    ASSERT_TRUE(button);
    bool seen = false;
    const bool ran = driveModal<ImportAssistant>(button, [&](ImportAssistant& d) {
        seen = d.step() == ImportAssistant::Step::File;
        d.reject();
    });
    EXPECT_TRUE(ran);
    EXPECT_TRUE(seen);
    list->close();
}
