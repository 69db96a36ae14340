// A record form's breeding list saved as a file comes back through the import as it was.
#include "history/HistoryTab.h"
#include "import/ImportFixture.h"
#include "kit/GridExport.h"
#include "registry/AnimalRecordForm.h"
#include "registry/RegistryFixture.h"

#include <QTemporaryDir>

using RecordFormExportTest = RegistryTest;

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
    const QStringList before = storedRows(QStringLiteral("번식기록"), QStringLiteral("수정일"));
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
        EXPECT_EQ(storedRows(QStringLiteral("번식기록"), QStringLiteral("수정일")), before);
    }
    setSaveFileChooser({});
}
