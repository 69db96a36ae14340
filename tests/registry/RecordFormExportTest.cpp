// A record form's history lists saved as files: each names its records and the animal they
// belong to, and the body measurements save their ages in months as numbers.
#include "RegistryFixture.h"

#include "history/HistoryTab.h"
#include "kit/GridExport.h"
#include "registry/AnimalRecordForm.h"
#include "registry/ImportFixture.h"
#include "support/ExportReaders.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QMenu>
#include <QSqlRecord>
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

TEST_F(RecordFormExportTest, TheBreedingTabsFileImportsBackIntoAFarmWithTheCowAsItWas)
{
    const QString cow = QStringLiteral("002014000007");
    farm.addAnimal(cow, 0, 20080101);
    // What the grid leaves out: the inseminator, the birth weight and the remark; a calving
    // without a calf number whose stored sex is 수; a BCS not entered beside an expected calving.
    farm.addBreeding(cow, 20080501,
                     {{"산차", 1},
                      {"회수", 1},
                      {"정액번호", "KPN123"},
                      {"BCS", 5},
                      {"판정일", 20080701},
                      {"가부", 0},
                      {"예정일", 20090205},
                      {"분만일", 20090207},
                      {"송아지번호", "KR900"},
                      {"성별", 1},
                      {"분만난이도", "1"},
                      {"인공수정자", "김수정"},
                      {"생시체중", 27.5},
                      {"비고", "쌍둥이, \"작음\""}});
    farm.addBreeding(cow, 20090601,
                     {{"산차", 2},
                      {"회수", 2},
                      {"정액번호", "KPN9"},
                      {"공란우", "ET-3"},
                      {"BCS", 0},
                      {"예정일", 20100307},
                      {"분만일", 20100301},
                      {"성별", 1},
                      {"분만난이도", "=유산"}});
    farm.addBreeding(cow, 20091001,
                     {{"산차", 2}, {"회수", 3}, {"정액번호", "KPN9"}, {"판정일", 20091201}, {"가부", 1}});
    const auto rowsOf = [] {
        QStringList rows;
        QSqlQuery q = runQuery(QStringLiteral("select * from 번식기록 order by 수정일"));
        while (q.next()) {
            QStringList cells;
            for (int c = 0; c < q.record().count(); ++c) cells << NullTrim(q.value(c));
            rows << cells.join(u'|');
        }
        return rows;
    };
    const QStringList before = rowsOf();
    AnimalRecordForm* f = openRecordForm(cow);
    ASSERT_TRUE(f);
    QTemporaryDir folder;
    for (const ExportFormat format : {ExportFormat::Xlsx, ExportFormat::Csv}) {
        const QString file =
            folder.filePath(format == ExportFormat::Xlsx ? QStringLiteral("번식.xlsx") : QStringLiteral("번식.csv"));
        SCOPED_TRACE(file.toStdString());
        setSaveFileChooser([&](QWidget*, const QString&, ExportFormat) { return file; });
        ASSERT_TRUE(saveGridAs(f->historyTab(1)->grid(), format));
        farm.exec(QStringLiteral("delete from 번식기록"));
        // Nothing typed: the file's own columns, as the assistant matches them.
        const ImportOutcome out =
            runImport(planFor(file, ImportTarget::Breeding), today(), QDateTime::currentDateTime());
        ASSERT_EQ(out.status, ImportOutcome::Status::Done) << out.error.toStdString();
        EXPECT_EQ(out.totals.of(Verdict::New), 3) << out.totals.of(Verdict::Refused);
        EXPECT_EQ(rowsOf(), before);
    }
    setSaveFileChooser({});
}
