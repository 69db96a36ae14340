// The save command of every grid: the context menu, the suggested file, the messages, the
// cancel button of the progress dialog, and what the grid hands to the writers.
#include "data/Clock.h"
#include "data/Globals.h"
#include "kit/Grid.h"
#include "kit/GridExport.h"
#include "kit/ListWindow.h"
#include "support/AccessibilityCheck.h"
#include "support/ExportReaders.h"
#include "support/TestFarm.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDir>
#include <QJsonArray>
#include <QMenu>
#include <QProgressDialog>
#include <QPushButton>
#include <QStandardPaths>
#include <QTimer>

namespace {

// The list window frame alone, with a grid of its own rows.
class FrameOnly : public ListWindow {
public:
    FrameOnly() : ListWindow(QStringLiteral("probe"), QStringLiteral("시험 목록"), QStringLiteral("인 쇄")) {}
    void query() override {}
    void print() override {}
};

class GridExportTest : public FarmTest {
protected:
    void SetUp() override
    {
        setTodayOverride(QDate(2026, 4, 3));
        gs사업장명칭 = QStringLiteral("행복한우농장");
        window.setWindowTitle(QStringLiteral("한우 일일관리 대상조회"));
        grid = new Grid(&window);
        grid->setAccessibleName(QStringLiteral("재발정예정개체"));
        grid->setHeaders({"개체번호", "비고", "체중"});
        grid->setColumnKinds({CellKind::Text, CellKind::Text, CellKind::Number});
        grid->appendRows({{"002123456789", "순한 \"누렁이\"", "1,250"}, {"002123456790", "송아지, 수소", "980"}},
                         {QColor(), QColor(0, 0, 255)});
        setSaveFileChooser([this](QWidget* parent, const QString& suggested, ExportFormat format) {
            ++asked;
            askedParent = parent;
            suggestedPath = suggested;
            askedFormat = format;
            return answer;
        });
    }

    QStringList folderEntries() const
    {
        return QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    QWidget window;
    Grid* grid = nullptr;
    QTemporaryDir folder;
    QString answer;  // the file the "user" picks; empty: the dialog is cancelled
    int asked = 0;
    QWidget* askedParent = nullptr;
    QString suggestedPath;
    ExportFormat askedFormat = ExportFormat::Csv;
};

}  // namespace

TEST_F(GridExportTest, TheTableIsWhatTheGridShows)
{
    grid->appendRows({{"002123456791", "숨김", "12"}}, {QColor(Qt::black)});
    grid->setColumnHidden(1, true);
    const ExportTable t = tableOfGrid(grid);
    EXPECT_EQ(t.title, QStringLiteral("한우 일일관리 대상조회 - 재발정예정개체"));
    EXPECT_EQ(t.farmName, QStringLiteral("행복한우농장"));
    EXPECT_EQ(t.date, QDate(2026, 4, 3));
    EXPECT_EQ(t.headers, (QStringList{"개체번호", "체중"}));
    ASSERT_EQ(t.rows.size(), 3);
    EXPECT_EQ(t.rows[0], (QStringList{"002123456789", "1,250"}));
    EXPECT_EQ(t.rows[2], (QStringList{"002123456791", "12"}));
    EXPECT_EQ(t.rowColors, (QList<QRgb>{0, qRgb(0, 0, 255), 0}));

    // A list named like its window is not named twice.
    grid->setAccessibleName(QStringLiteral("일일관리"));
    EXPECT_EQ(tableOfGrid(grid).title, QStringLiteral("한우 일일관리 대상조회"));
}

TEST_F(GridExportTest, TheRightButtonOffersBothFilesNamedForScreenReaders)
{
    window.show();
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), grid->viewport()->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(grid->viewport(), &event);
    auto* menu = grid->findChild<QMenu*>(QStringLiteral("mnuGridExport"));
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(menu->isVisible());
    EXPECT_EQ(menu->accessibleName(), QStringLiteral("목록 저장"));
    EXPECT_EQ(menu->accessibleDescription(), QStringLiteral("mnuGridExport"));
    QStringList entries, names;
    for (QAction* a : menu->actions()) {
        entries << a->text();
        names << a->objectName();
    }
    EXPECT_EQ(entries, (QStringList{"엑셀 파일로 저장…", "CSV 파일로 저장…"}));
    EXPECT_EQ(names, (QStringList{"mnuSaveXlsx", "mnuSaveCsv"}));
    menu->hide();

    // The CSV entry asks for a .csv file and writes it.
    answer = folder.filePath(QStringLiteral("목록.csv"));
    menu->actions()[1]->trigger();
    EXPECT_EQ(askedFormat, ExportFormat::Csv);
    const QJsonArray rows = readCsv(answer).value("rows").toArray();
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[1].toArray()[1].toString(), QStringLiteral("순한 \"누렁이\""));

    // A second right click uses the same menu.
    QApplication::sendEvent(grid->viewport(), &event);
    EXPECT_EQ(grid->findChildren<QMenu*>().size(), 1);
    menu->hide();
}

TEST_F(GridExportTest, SavingSuggestsTheWindowTitleAndTheDayAndSaysWhereItWent)
{
    answer = folder.filePath(QStringLiteral("일일관리.xlsx"));
    EXPECT_TRUE(saveGridAs(grid, ExportFormat::Xlsx));
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(askedParent, &window);
    EXPECT_EQ(QFileInfo(suggestedPath).fileName(),
              QStringLiteral("한우 일일관리 대상조회 - 재발정예정개체 2026-04-03.xlsx"));
    const QString docs = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    EXPECT_EQ(QFileInfo(suggestedPath).absolutePath(),
              QFileInfo(QFileInfo(docs).isDir() ? docs : QDir::homePath()).absoluteFilePath());

    ASSERT_EQ(farm.messages().count(), 1);
    const MessageSpec& m = farm.messages().last();
    EXPECT_EQ(m.icon, MsgIcon::Information);
    EXPECT_EQ(m.title, QStringLiteral("저장완료"));
    EXPECT_EQ(m.text, QStringLiteral("엑셀 파일로 저장했습니다.\r\n") + answer);

    const QJsonArray rows = readXlsx(answer).value("rows").toArray();
    ASSERT_EQ(rows.size(), 4);
    EXPECT_EQ(rows[0].toArray()[0].toObject().value("v").toString(),
              QStringLiteral("한우 일일관리 대상조회 - 재발정예정개체"));
    EXPECT_EQ(rows[2].toArray()[2].toObject().value("v").toDouble(), 1250);
    EXPECT_EQ(rows[3].toArray()[0].toObject().value("color").toString(), QStringLiteral("FF0000FF"));
}

TEST_F(GridExportTest, NothingToSaveOrNoFileChosenWritesNothing)
{
    answer.clear();  // the dialog is cancelled
    EXPECT_FALSE(saveGridAs(grid, ExportFormat::Csv));
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(farm.messages().count(), 0);

    grid->setMaxRows(0);
    answer = folder.filePath(QStringLiteral("빈 목록.csv"));
    EXPECT_FALSE(saveGridAs(grid, ExportFormat::Csv));
    EXPECT_EQ(asked, 1);  // not asked again
    ASSERT_EQ(farm.messages().count(), 1);
    EXPECT_EQ(farm.messages().last().icon, MsgIcon::Critical);
    EXPECT_EQ(farm.messages().last().title, QStringLiteral("저장확인"));
    EXPECT_EQ(farm.messages().last().text, QStringLiteral("저장할 내용이 없습니다. 먼저 목록을 조회해 주세요."));
    EXPECT_TRUE(folderEntries().isEmpty());
}

TEST_F(GridExportTest, TheCancelButtonOfTheProgressLeavesNoFile)
{
    QList<QStringList> rows;
    for (int r = 0; r < 3000; ++r) rows << QStringList{QString::number(r + 1), QStringLiteral("개체"), "1"};
    grid->appendRows(std::move(rows));
    window.show();
    for (const ExportFormat format : {ExportFormat::Xlsx, ExportFormat::Csv}) {
        answer = folder.filePath(format == ExportFormat::Xlsx ? QStringLiteral("긴 목록.xlsx")
                                                              : QStringLiteral("긴 목록.csv"));
        bool clicked = false;
        QTimer::singleShot(0, &window, [&] {
            auto* progress = window.findChild<QProgressDialog*>(QStringLiteral("frmSaveProgress"));
            ASSERT_NE(progress, nullptr);
            auto* cancel = progress->findChild<QPushButton*>(QStringLiteral("cmdCancelSave"));
            ASSERT_NE(cancel, nullptr);
            EXPECT_EQ(cancel->accessibleName(), QStringLiteral("취소"));
            EXPECT_EQ(QApplication::overrideCursor() ? QApplication::overrideCursor()->shape() : Qt::ArrowCursor,
                      Qt::WaitCursor);
            cancel->click();
            clicked = true;
        });
        EXPECT_FALSE(saveGridAs(grid, format));
        EXPECT_TRUE(clicked);
        EXPECT_EQ(farm.messages().count(), 0);
        EXPECT_TRUE(folderEntries().isEmpty()) << folderEntries().join(u' ').toStdString();
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(window.findChild<QProgressDialog*>(), nullptr);
    }
}

TEST_F(GridExportTest, AFolderThatCannotBeWrittenIsToldInKorean)
{
    for (const ExportFormat format : {ExportFormat::Xlsx, ExportFormat::Csv}) {
        farm.messages().clear();
        answer = folder.filePath(QStringLiteral("없는 폴더/목록.xlsx"));
        EXPECT_FALSE(saveGridAs(grid, format));
        ASSERT_EQ(farm.messages().count(), 1);
        const MessageSpec& m = farm.messages().last();
        EXPECT_EQ(m.icon, MsgIcon::Exclamation);
        EXPECT_EQ(m.title, QStringLiteral("저장오류"));
        EXPECT_EQ(m.text, QStringLiteral("파일을 만들 수 없습니다. 저장할 폴더가 있는지, 그 폴더에 쓸 수 있는지 확인해 "
                                         "주세요.\r\n") +
                              answer);
        EXPECT_TRUE(folderEntries().isEmpty());
    }
}

TEST_F(GridExportTest, ListWindowsCarryTheSaveButtonBesidePrint)
{
    FrameOnly w;
    listGrid(&w)->setHeaders({"개체번호", "체중"});
    listGrid(&w)->setColumnKind(2, CellKind::Number);
    listGrid(&w)->appendRows({{"002123456789", "1,250"}});
    QPushButton* save = w.functionButton(ListButton::Save);
    ASSERT_NE(save, nullptr);
    EXPECT_EQ(w.findChild<QPushButton*>(QStringLiteral("Com_Function_2")), save);
    EXPECT_EQ(save->text(), QStringLiteral("엑셀저장"));
    EXPECT_EQ(save->accessibleName(), QStringLiteral("엑셀저장"));
    EXPECT_TRUE(controlsHeardByControlName(&w).isEmpty()) << controlsHeardByControlName(&w).join(u'\n').toStdString();
    ASSERT_NE(save->menu(), nullptr);
    QStringList entries;
    for (QAction* a : save->menu()->actions()) entries << a->text();
    EXPECT_EQ(entries, (QStringList{"엑셀 파일로 저장…", "CSV 파일로 저장…"}));

    // In the bar, in order and apart: query, print, save, close.
    for (const QSize size : {QSize(1000, 620), QSize(1400, 900)}) {
        w.resize(size);
        w.show();
        QApplication::processEvents();
        const QList<QPushButton*> buttons{w.functionButton(ListButton::Query), w.functionButton(ListButton::Print),
                                          save, w.functionButton(ListButton::Close)};
        for (int i = 0; i + 1 < buttons.size(); ++i)
            EXPECT_LT(buttons[i]->geometry().right(), buttons[i + 1]->geometry().left()) << i;
        EXPECT_LE(buttons.last()->geometry().right(), w.buttonBar()->width());
        EXPECT_EQ(save->y(), w.functionButton(ListButton::Print)->y());
    }

    // Tab goes from print to save to close.
    EXPECT_EQ(w.functionButton(ListButton::Print)->nextInFocusChain(), save);

    answer = folder.filePath(QStringLiteral("시험 목록.xlsx"));
    save->menu()->actions()[0]->trigger();
    EXPECT_EQ(askedFormat, ExportFormat::Xlsx);
    EXPECT_EQ(QFileInfo(suggestedPath).fileName(), QStringLiteral("시험 목록 2026-04-03.xlsx"));
    const QJsonArray rows = readXlsx(answer).value("rows").toArray();
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[2].toArray()[1].toObject().value("v").toDouble(), 1250);
}

TEST_F(GridExportTest, TheWindowsNameForTheListNamesTheFileTheTitleAndTheSheet)
{
    QString name = QStringLiteral("교배기록부 2026-01-01~2026-04-03");
    setExportName(grid, [&name] { return name; });
    const struct {
        QString name;
        QString file;
    } cases[] = {
        {"교배기록부 2026-01-01~2026-04-03", "교배기록부 2026-01-01~2026-04-03.xlsx"},
        // Asked at each save: the animal shown now.
        {"번식기록 KR002012345678", "번식기록 KR002012345678 2026-04-03.xlsx"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        name = c.name;
        answer = folder.filePath(c.file);
        ASSERT_TRUE(saveGridAs(grid, ExportFormat::Xlsx));
        EXPECT_EQ(QFileInfo(suggestedPath).fileName(), c.file);
        const QJsonObject book = readXlsx(answer);
        EXPECT_EQ(book.value("sheet").toString(), c.name);
        EXPECT_EQ(book.value("rows").toArray()[0].toArray()[0].toObject().value("v").toString(), c.name);
    }

    // Without a name of its own a list is called by its window, less the caption's usage hint.
    setExportName(grid, {});
    window.setWindowTitle(QStringLiteral("한우 교배기록부(수정일를 선택하여 조회/인쇄를 할 수 있습니다.)"));
    grid->setAccessibleName(QStringLiteral("한우 교배기록부"));
    EXPECT_EQ(tableOfGrid(grid).title, QStringLiteral("한우 교배기록부"));
}

TEST_F(GridExportTest, CellTypesFollowWhatEachColumnHoldsNotTheRowsShown)
{
    // The second column is hidden: the kinds go with the columns saved.
    grid->setHeaders({"개체번호", "비고", "KPN", "금액", "수정일"});
    grid->setColumnKinds({CellKind::Text, CellKind::Number, CellKind::Text, CellKind::Number, CellKind::Date});
    grid->setColumnHidden(1, true);
    const struct {
        const char* name;
        QList<QStringList> rows;
        QStringList csv;
    } lists[] = {
        {"all numeric",
         {{"002123456789", "", "2000", "1,250", "2026-04-03"}, {"0987", "", "1203", "-3", "2026-04-04"}},
         {"002123456789,2000,1250,2026-04-03", "0987,1203,-3,2026-04-04"}},
        {"mixed",
         {{"KR002123456789", "", "KPN2000", "미정", "0000-00-00"}, {"0987", "", "2000", "-3", "2026-04-04"}},
         {"KR002123456789,KPN2000,미정,0000-00-00", "0987,2000,-3,2026-04-04"}},
    };
    for (const auto& list : lists) {
        SCOPED_TRACE(list.name);
        grid->setMaxRows(0);
        grid->appendRows(QList<QStringList>(list.rows));
        answer = folder.filePath(QStringLiteral("목록.xlsx"));
        ASSERT_TRUE(saveGridAs(grid, ExportFormat::Xlsx));
        const QJsonArray rows = readXlsx(answer).value("rows").toArray();
        ASSERT_EQ(rows.size(), 4);
        // The title row's farm name and day reach past the list's columns.
        EXPECT_EQ(xlsxTexts(rows[1].toArray()).mid(0, 4), (QStringList{"개체번호", "KPN", "금액", "수정일"}));
        QStringList kinds;
        for (const auto& c : rows[2].toArray()) kinds << c.toObject().value("kind").toString();
        kinds = kinds.mid(0, 4);
        const bool amount = list.rows[0][3] != QStringLiteral("미정");
        const bool day = list.rows[0][4] != QStringLiteral("0000-00-00");
        EXPECT_EQ(kinds, (QStringList{"text", "text", amount ? "number" : "text", day ? "date" : "text"}));
        EXPECT_EQ(rows[3].toArray()[0].toObject().value("v").toString(), QStringLiteral("0987"));
        EXPECT_EQ(rows[3].toArray()[1].toObject().value("kind").toString(), QStringLiteral("text"));
        EXPECT_EQ(rows[3].toArray()[2].toObject().value("v").toDouble(), -3);

        answer = folder.filePath(QStringLiteral("목록.csv"));
        ASSERT_TRUE(saveGridAs(grid, ExportFormat::Csv));
        const QJsonArray csv = readCsv(answer).value("rows").toArray();
        ASSERT_EQ(csv.size(), 3);
        for (int r = 0; r < 2; ++r) {
            QStringList fields;
            for (const auto& f : csv[r + 1].toArray()) fields << f.toString();
            EXPECT_EQ(fields.join(u','), list.csv[r]);
        }
    }
}

TEST_F(GridExportTest, AgesInMonthsAreSavedAsNumbersWithTheUnitInTheHeader)
{
    grid->setHeaders({"개체번호", "개월령", "월령", "산차"});
    grid->setColumnKinds({CellKind::Text, CellKind::Text, CellKind::Text, CellKind::Number});
    grid->setMaxRows(0);
    grid->appendRows(
        {{"KR1", "23 개월령", "12개월", "2"}, {"KR2", "", "12", "3"}, {"KR3", "5 개월령", "12개월 반", "1"}});
    const ExportTable t = tableOfGrid(grid);
    EXPECT_EQ(t.headers, (QStringList{"개체번호", "개월령(개월)", "월령(개월)", "산차"}));

    answer = folder.filePath(QStringLiteral("개체.xlsx"));
    ASSERT_TRUE(saveGridAs(grid, ExportFormat::Xlsx));
    const QJsonArray rows = readXlsx(answer).value("rows").toArray();
    ASSERT_EQ(rows.size(), 5);
    EXPECT_EQ(xlsxTexts(rows[1].toArray()).mid(0, 4), t.headers);
    const auto cell = [&rows](int r, int c) { return rows[r].toArray()[c].toObject(); };
    EXPECT_EQ(cell(2, 1).value("v").toDouble(), 23);
    EXPECT_EQ(cell(2, 1).value("fmt").toString(), QStringLiteral("0"));
    EXPECT_EQ(cell(2, 2).value("v").toDouble(), 12);
    EXPECT_EQ(cell(3, 2).value("v").toDouble(), 12);
    EXPECT_EQ(cell(4, 1).value("v").toDouble(), 5);
    // Words beside the age are kept as they were shown.
    EXPECT_EQ(cell(4, 2).value("kind").toString(), QStringLiteral("text"));
    EXPECT_EQ(cell(4, 2).value("v").toString(), QStringLiteral("12개월 반"));

    answer = folder.filePath(QStringLiteral("개체.csv"));
    ASSERT_TRUE(saveGridAs(grid, ExportFormat::Csv));
    const QJsonArray csv = readCsv(answer).value("rows").toArray();
    ASSERT_EQ(csv.size(), 4);
    EXPECT_EQ(csv[0].toArray()[1].toString(), QStringLiteral("개월령(개월)"));
    EXPECT_EQ(csv[1].toArray()[1].toString(), QStringLiteral("23"));
    EXPECT_EQ(csv[1].toArray()[2].toString(), QStringLiteral("12"));
}
