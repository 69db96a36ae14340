// A record form's history lists saved as files: each names its records and the animal they
// belong to, and the body measurements save their ages in months as numbers.
#include "RegistryFixture.h"

#include "history/HistoryTab.h"
#include "kit/GridExport.h"
#include "registry/AnimalRecordForm.h"
#include "support/ExportReaders.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QMenu>
#include <QTemporaryDir>

using RecordFormExportTest = RegistryTest;

TEST_F(RecordFormExportTest, AHistoryListIsNamedForItsTabAndTheAnimal)
{
    farm.addAnimalWithHistory("KR002012345678", 0);
    AnimalRecordForm* f = openRecordForm("KR002012345678");
    ASSERT_TRUE(f);
    QTemporaryDir folder;
    QString suggested;
    setSaveFileChooser([&](QWidget*, const QString& path, ExportFormat) {
        suggested = QFileInfo(path).fileName();
        return folder.filePath(QStringLiteral("기록.xlsx"));
    });
    const struct {
        int tab;
        const char* name;
    } tabs[] = {{1, "번식기록 KR002012345678"}, {3, "체척 KR002012345678"}, {4, "진료·백신접종 KR002012345678"}};
    for (const auto& t : tabs) {
        SCOPED_TRACE(t.name);
        HistoryTab* tab = f->historyTab(t.tab);
        ASSERT_TRUE(tab);
        ASSERT_EQ(tab->grid()->maxRows(), 1);
        // The grid's own menu, as the right button opens it.
        QMenu* menu = makeGridExportMenu(tab->grid(), tab);
        menu->actions()[0]->trigger();
        const QString name = QString::fromUtf8(t.name);
        EXPECT_EQ(suggested, name + QStringLiteral(" 2010-02-28.xlsx"));
        const QJsonObject book = readXlsx(folder.filePath(QStringLiteral("기록.xlsx")));
        EXPECT_EQ(book.value("sheet").toString(), name);
        const QJsonArray rows = book.value("rows").toArray();
        ASSERT_EQ(rows.size(), 3);
        EXPECT_EQ(rows[0].toArray()[0].toObject().value("v").toString(), name);
        // The animal's number and every field the records store, shown in the grid or not.
        const QJsonArray header = rows[1].toArray();
        EXPECT_EQ(header[0].toObject().value("v").toString(), QStringLiteral("개체번호"));
        EXPECT_EQ(rows[2].toArray()[0].toObject().value("v").toString(), QStringLiteral("KR002012345678"));
        EXPECT_EQ(header.size(), 1 + tab->definition().fields.size());
        if (t.tab == 3) {
            // The body measurements' 월령 "12": a number of months.
            EXPECT_EQ(header[1].toObject().value("v").toString(), QStringLiteral("월령(개월)"));
            EXPECT_EQ(rows[2].toArray()[1].toObject().value("v").toDouble(), 12);
        }
        delete menu;
    }
}
