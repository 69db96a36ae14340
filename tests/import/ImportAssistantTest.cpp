// The assistant driven as a farmer would, from the search list's 가져오기 to the totals; the
// program's own exports brought back into an empty farm; and a breeding record imported
// exactly as the breeding dialog stores the same typed values.
#include "history/HistoryEntryDialog.h"
#include "history/HistoryTab.h"
#include "history/model/BreedingHistory.h"
#include "import/ImportAssistant.h"
#include "import/ImportFixture.h"
#include "kit/GridExport.h"
#include "registry/CowRecordForm.h"
#include "registry/RegistryFixture.h"
#include "support/AccessibilityCheck.h"
#include "support/ModalDriver.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QPushButton>
#include <QSqlRecord>
#include <algorithm>

namespace {
class ImportAssistantTest : public RegistryTest {
protected:
    // The search list's 가져오기 opens the assistant as the program wires it (the farm's hook
    // guard takes it away again).
    void SetUp() override
    {
        RegistryTest::SetUp();
        SearchWindow::setImportOpener(runImportAssistant);
    }
    void TearDown() override
    {
        setImportFileChooser({});
        RegistryTest::TearDown();
    }
    void clickIn(QWidget* dialog, const char* name) { click(QString::fromUtf8(name), dialog); }

    ImportFiles files;
};

TEST_F(ImportAssistantTest, FromTheFileToTheTotals)
{
    farm.addAnimal(QStringLiteral("KR1"), 0, 20080101, {{"별명", "옛목장"}});
    // Korean Excel's CSV: CP949, the traceability service's words for the columns.
    const QString path = files.cp949(QStringLiteral("우리 소.csv"), QStringLiteral("이력번호,성별,출생일자,목장명\r\n"
                                                                                   "KR1,암,2008-01-01,새목장\r\n"
                                                                                   "KR2,수,2009.3.4,\r\n"
                                                                                   "KR3,암,2009-02-30,\r\n"));
    setImportFileChooser([&](QWidget*) { return path; });
    openList();
    farm.messages().clear();
    const bool ran =
        driveModal<ImportAssistant>(find<QPushButton>(QStringLiteral("cmdImport")), [&](ImportAssistant& d) {
            EXPECT_EQ(controlsHeardByControlName(&d), QStringList{});
            clickIn(&d, "cmdBrowse");
            EXPECT_EQ(d.step(), ImportAssistant::Step::File);
            EXPECT_TRUE(find<QLabel>(QStringLiteral("lblDetected"), &d)->text().contains(QStringLiteral("CP949")));
            EXPECT_EQ(gridRow(find<Grid>(QStringLiteral("SSFile"), &d), 1),
                      (QStringList{"이력번호", "성별", "출생일자", "목장명"}));

            clickIn(&d, "cmdNext");
            ASSERT_EQ(d.step(), ImportAssistant::Step::Target);
            EXPECT_TRUE(find<QRadioButton>(QStringLiteral("optAnimals"), &d)->isChecked());

            clickIn(&d, "cmdNext");
            ASSERT_EQ(d.step(), ImportAssistant::Step::Columns);
            EXPECT_EQ(controlsHeardByControlName(&d), QStringList{});
            EXPECT_EQ(find<QComboBox>(QStringLiteral("cboColumn_개체번호"), &d)->currentIndex(), 1);
            EXPECT_EQ(find<QComboBox>(QStringLiteral("cboColumn_구분"), &d)->currentIndex(), 2);
            EXPECT_EQ(find<QComboBox>(QStringLiteral("cboColumn_별명"), &d)->currentIndex(), 4);
            EXPECT_EQ(find<QComboBox>(QStringLiteral("cboColumn_모번호"), &d)->currentIndex(), 0);

            clickIn(&d, "cmdNext");
            ASSERT_EQ(d.step(), ImportAssistant::Step::Preview);
            EXPECT_EQ(find<QLabel>(QStringLiteral("lblTotals"), &d)->text(),
                      QStringLiteral("모두 3행: 신규 1건, 갱신 0건, 동일 0건, 제외 1건, 거부 1건"));
            Grid* preview = d.previewGrid();
            ASSERT_EQ(preview->maxRows(), 3);
            EXPECT_EQ(gridRow(preview, 1).mid(0, 3), (QStringList{"2", "제외", "목장명: 옛목장 → 새목장"}));
            // As it will be stored: the sex in words, "2009.3.4" read as a date.
            EXPECT_EQ(gridRow(preview, 2), (QStringList{"3", "신규", "", "KR2", "수소", "2009-03-04", ""}));
            EXPECT_EQ(gridRow(preview, 3).mid(0, 2), (QStringList{"4", "거부"}));
            // The refused row stands out in a red of its own; the kept and the new row do not share it.
            const QColor refused = preview->rowForeColor(3);
            EXPECT_GT(refused.red(), 2 * std::max(refused.green(), refused.blue())) << refused.name().toStdString();
            EXPECT_NE(preview->rowForeColor(1), refused);
            EXPECT_NE(preview->rowForeColor(2), refused);

            // Existing records too: the preview is judged again.
            clickIn(&d, "optUpdate");
            EXPECT_EQ(gridRow(preview, 1).mid(0, 3), (QStringList{"2", "갱신", "목장명: 옛목장 → 새목장"}));

            clickIn(&d, "cmdRunImport");
            ASSERT_EQ(d.step(), ImportAssistant::Step::Done);
            const QString result = find<QLabel>(QStringLiteral("lblResult"), &d)->text();
            for (const char* line :
                 {"새로 넣은 기록: 1건", "고친 기록: 1건", "거부된 행: 1건", "가져오기전.db", "우리 소-거부된행.csv"})
                EXPECT_TRUE(result.contains(QString::fromUtf8(line))) << line << "\n" << result.toStdString();
            EXPECT_FALSE(find<QPushButton>(QStringLiteral("cmdRunImport"), &d)->isVisible());
            clickIn(&d, "cmdClose");
        });
    ASSERT_TRUE(ran);
    // Asked once before the import, with the backup named; nothing else was said.
    ASSERT_EQ(farm.messages().count(), 1);
    EXPECT_TRUE(farm.messages().last().text.contains(QStringLiteral("백업")));
    EXPECT_EQ(farm.scalar(QStringLiteral("select 별명 from 개체관리 where 개체번호 = 'KR1'")), "새목장");
    EXPECT_EQ(farm.scalar(QStringLiteral("select 개체생일 from 개체관리 where 개체번호 = 'KR2'")), "20090304");
    // The list shows what came in.
    EXPECT_GT(rowOf(QStringLiteral("KR2")), 0);
}

TEST_F(ImportAssistantTest, TheColumnsChosenComeBackForTheNextFileWithTheSameHeaders)
{
    const QString path =
        files.utf8(QStringLiteral("a.csv"), QStringLiteral("번호,태어난 날,성별\nKR5,2020-01-01,암\n"));
    auto toColumns = [&](ImportAssistant& d) {
        ASSERT_TRUE(d.chooseFile(path));
        d.goNext();
        d.goNext();
        ASSERT_EQ(d.step(), ImportAssistant::Step::Columns);
    };
    {
        ImportAssistant d;
        toColumns(d);
        // "번호" and "태어난 날" name no field: the farmer matches them.
        EXPECT_EQ(find<QComboBox>(QStringLiteral("cboColumn_개체번호"), &d)->currentIndex(), 0);
        find<QComboBox>(QStringLiteral("cboColumn_개체번호"), &d)->setCurrentIndex(1);
        find<QComboBox>(QStringLiteral("cboColumn_개체생일"), &d)->setCurrentIndex(2);
        find<QLineEdit>(QStringLiteral("txtDefault_구분2"), &d)->setText(QStringLiteral("교잡종"));
        d.goNext();
        ASSERT_EQ(d.step(), ImportAssistant::Step::Preview);
        EXPECT_EQ(d.previewTotals().of(Verdict::New), 1);
    }
    ImportAssistant again;
    toColumns(again);
    EXPECT_EQ(find<QComboBox>(QStringLiteral("cboColumn_개체번호"), &again)->currentIndex(), 1);
    EXPECT_EQ(find<QComboBox>(QStringLiteral("cboColumn_개체생일"), &again)->currentIndex(), 2);
    EXPECT_EQ(find<QLineEdit>(QStringLiteral("txtDefault_구분2"), &again)->text(), "교잡종");
    EXPECT_TRUE(
        find<QLabel>(QStringLiteral("lblColumnsNote"), &again)->text().contains(QStringLiteral("불러왔습니다")));
}

TEST_F(ImportAssistantTest, AFieldThatMustBeThereStopsTheColumnsStep)
{
    const QString path = files.utf8(QStringLiteral("a.csv"), QStringLiteral("성별,메모\n암,순함\n"));
    ImportAssistant d;
    ASSERT_TRUE(d.chooseFile(path));
    d.goNext();
    d.goNext();
    farm.messages().clear();
    d.goNext();
    EXPECT_EQ(d.step(), ImportAssistant::Step::Columns);
    ASSERT_EQ(farm.messages().count(), 1);
    EXPECT_EQ(farm.messages().last().text, QStringLiteral("개체번호에 맞출 파일의 열을 골라 주세요."));
}

TEST_F(ImportAssistantTest, TheProgramsOwnExportsImportBackIntoAnEmptyFarm)
{
    farm.addAnimal(QStringLiteral("002123456789"), 0, 20080115,
                   {{"구분2", 1},
                    {"등록번호", "12345"},
                    {"별명", "햇살"},
                    {"우방번호", "3-1"},
                    {"입식일자", 20080301},
                    {"정액번호", "950"},
                    {"부번호", "KR0099"},
                    {"모번호", "0001112223"},
                    {"판매일", 20091010},
                    {"개체특징", "순함, \"뿔\" 굽음"},
                    {"점수", 4.5}});
    farm.addAnimal(QStringLiteral("KR777"), 1, 20090505,
                   {{"판매일", 20091201}, {"출하예정일", 20110505}, {"출하일", 20100110}, {"점수", 3}});
    farm.addAnimal(QStringLiteral("KR778"), 0, 0);
    const QString cow = QStringLiteral("002123456789");
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
                      {"분만난이도", "1"}});
    farm.addBreeding(
        cow, 20090601,
        {{"산차", 2}, {"회수", 2}, {"정액번호", "KPN9"}, {"공란우", "ET-3"}, {"판정일", 20090801}, {"가부", 1}});
    farm.addBreeding(cow, 20091001,
                     {{"산차", 2}, {"회수", 3.5}, {"정액번호", "KPN9"}, {"BCS", 7}, {"예정일", 20100707}});
    const QStringList animals = storedRows(QStringLiteral("개체관리"), QStringLiteral("개체번호"));
    const QStringList breeding = storedRows(QStringLiteral("번식기록"), QStringLiteral("수정일"));

    // The exports, through the program's own code.
    openList();
    searchFor();
    const ExportTable list = tableOfGrid(listGrid(window));
    ASSERT_EQ(list.rows.size(), 3);
    listGrid(window)->setActiveCell(1, rowOf(cow));
    window->editSelected();
    ASSERT_TRUE(window->cowForm());
    const ExportTable history = tableOfGrid(window->cowForm()->historyTab(1)->grid());
    ASSERT_EQ(history.rows.size(), 3);
    window->cowForm()->closeForm();

    for (const ExportFormat format : {ExportFormat::Xlsx, ExportFormat::Csv}) {
        const bool xlsx = format == ExportFormat::Xlsx;
        SCOPED_TRACE(xlsx ? "xlsx" : "csv");
        const QString suffix = xlsx ? QStringLiteral(".xlsx") : QStringLiteral(".csv");
        const QString listFile = files.path(QStringLiteral("목록") + suffix);
        const QString historyFile = files.path(QStringLiteral("번식") + suffix);
        ASSERT_EQ(saveTable(list, format, listFile), ExportStatus::Saved);
        ASSERT_EQ(saveTable(history, format, historyFile), ExportStatus::Saved);
        farm.exec(QStringLiteral("delete from 번식기록"));
        farm.exec(QStringLiteral("delete from 개체관리"));

        ImportOutcome out = runImport(planFor(listFile, ImportTarget::Animals), today(), QDateTime::currentDateTime());
        ASSERT_EQ(out.status, ImportOutcome::Status::Done) << out.error.toStdString();
        EXPECT_EQ(out.totals.of(Verdict::New), 3);
        EXPECT_EQ(storedRows(QStringLiteral("개체관리"), QStringLiteral("개체번호")), animals);

        // The breeding grid is one cow's: her number is given for every row.
        ImportPlan plan = planFor(historyFile, ImportTarget::Breeding);
        plan.mapping[fieldIndex(ImportTarget::Breeding, QStringLiteral("개체번호"))].fallback = cow;
        out = runImport(plan, today(), QDateTime::currentDateTime());
        ASSERT_EQ(out.status, ImportOutcome::Status::Done) << out.error.toStdString();
        EXPECT_EQ(out.totals.of(Verdict::New), 3);
        EXPECT_EQ(storedRows(QStringLiteral("번식기록"), QStringLiteral("수정일")), breeding);
    }
}

TEST_F(ImportAssistantTest, AnImportedBreedingRecordIsStoredAsTheDialogStoresItTyped)
{
    farm.addAnimal(QStringLiteral("TYPED"), 0);
    farm.addAnimal(QStringLiteral("IMPORTED"), 0);
    QWidget host;
    auto* tab = new HistoryTab(breedingHistory(), &host);
    tab->reload(QStringLiteral("TYPED"));
    tab->setAnimalNumber(QStringLiteral("TYPED"));
    ASSERT_TRUE(driveModal<HistoryEntryDialog>(tab->findChild<QPushButton*>(QStringLiteral("cmdInsert1")),
                                               [](HistoryEntryDialog& d) {
                                                   d.textBox("산차")->setText(QStringLiteral(" 2 "));
                                                   d.textBox("회수")->setText(QStringLiteral("1"));
                                                   d.textBox("정액번호")->setText(QStringLiteral("KPN-950"));
                                                   d.textBox("BCS")->setText(QStringLiteral("6"));
                                                   d.textBox("비고")->setText(QStringLiteral("  쌍둥이 "));
                                                   d.datePicker("수정일")->setDate(QDate(2009, 3, 1));
                                                   d.save();
                                               }));
    const QString path =
        files.utf8(QStringLiteral("b.csv"), QStringLiteral("개체번호,수정일,산차,회수,정액번호,BCS,비고\n"
                                                           "IMPORTED,2009-03-01, 2 ,1,KPN-950,6,  쌍둥이 \n"));
    ASSERT_EQ(runImport(planFor(path, ImportTarget::Breeding), today(), QDateTime::currentDateTime()).status,
              ImportOutcome::Status::Done);
    QStringList rows = storedRows(QStringLiteral("번식기록"), QStringLiteral("개체번호"));
    ASSERT_EQ(rows.size(), 2);
    for (QString& r : rows) r = r.section(u'|', 1);  // all but the number
    EXPECT_EQ(rows[0], rows[1]);
    EXPECT_TRUE(rows[0].contains(QStringLiteral("|20091206|")));  // the expected calving the dialog set
}
TEST_F(ImportAssistantTest, AFileThatCannotBeReadIsToldWithItsOwnReason)
{
    const struct {
        const char* name;
        QByteArray bytes;
        const char* message;
    } cases[] = {
        {"empty", QByteArray(), "파일에 읽을 행이 없습니다."},
        {"only a byte-order mark", QByteArray("\xEF\xBB\xBF"), "파일에 읽을 행이 없습니다."},
        {"a line of 80,000 cells", "개체번호,구분\n" + QByteArray("x,").repeated(80000),
         "2행: 한 행의 열이 1000개보다"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ImportAssistant d;
        farm.messages().clear();
        EXPECT_FALSE(d.chooseFile(files.bytes(QStringLiteral("f.csv"), c.bytes)));
        ASSERT_EQ(farm.messages().count(), 1);
        EXPECT_TRUE(farm.messages().last().text.startsWith(QString::fromUtf8(c.message)))
            << farm.messages().last().text.toStdString();
        EXPECT_FALSE(find<QPushButton>(QStringLiteral("cmdNext"), &d)->isEnabled());
    }
}

TEST_F(ImportAssistantTest, TheLabelsAreHeardWithWhatTheyShowAndThePreviewTellsWhatIsAssumed)
{
    farm.addAnimal(QStringLiteral("COW"), 0);
    const QString path = files.utf8(QStringLiteral("log.csv"), QStringLiteral("개체번호,수정일,산차,회수,정액번호\n"
                                                                              "COW,2009-03-01,1,1,KPN1\n"
                                                                              "COW,2009-05-01,1,2,KPN2\n"));
    ImportAssistant d;
    ASSERT_TRUE(d.chooseFile(path));
    const auto heardAsShown = [&](const char* name) {
        auto* label = find<QLabel>(QString::fromUtf8(name), &d);
        ASSERT_TRUE(label);
        EXPECT_FALSE(label->text().isEmpty()) << name;
        EXPECT_TRUE(label->accessibleName().contains(label->text()))
            << name << ": " << label->accessibleName().toStdString();
    };
    heardAsShown("lblDetected");
    d.goNext();
    ASSERT_TRUE(find<QRadioButton>(QStringLiteral("optBreeding"), &d)->isChecked());
    d.goNext();
    d.goNext();
    ASSERT_EQ(d.step(), ImportAssistant::Step::Preview);
    heardAsShown("lblTotals");
    // Said once above the rows, not on each of them.
    auto* note = find<QLabel>(QStringLiteral("lblPreviewNote"), &d);
    EXPECT_EQ(note->text().count(QStringLiteral("BCS 열이 없어")), 1) << note->text().toStdString();
    EXPECT_FALSE(note->isHidden());
    heardAsShown("lblPreviewNote");
    EXPECT_EQ(d.previewTotals().of(Verdict::New), 2);
    for (int r = 1; r <= 2; ++r) EXPECT_FALSE(gridRow(d.previewGrid(), r).join(u' ').contains(QStringLiteral("BCS")));
    farm.messages().clear();
    farm.messages().answer(MsgButton::Yes);
    ASSERT_TRUE(d.startImport());
    heardAsShown("lblResult");
}
}  // namespace
