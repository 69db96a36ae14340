// The books and the daily lists saved as files through their windows' save button: what the
// file, its title row and its sheet are called, and the ledger's padding left out of the file.
#include "books/BookFixture.h"
#include "books/DailyWindow.h"
#include "books/ManureLedgerWindow.h"
#include "books/PeriodBookWindow.h"
#include "books/model/RecordBooks.h"
#include "kit/GridExport.h"
#include "support/ExportReaders.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

namespace {

// What a saved workbook is called: the suggested file, its sheet and its title cell.
struct SavedNames {
    QString file, sheet, title;
};

void expectNames(const SavedNames& got, const QString& name, const QString& file)
{
    EXPECT_EQ(got.file, file);
    EXPECT_EQ(got.sheet, name);
    EXPECT_EQ(got.title, name);
}

class BookExportTest : public BookTest {
protected:
    BookExportTest()
    {
        setSaveFileChooser([this](QWidget*, const QString& suggested, ExportFormat format) {
            suggestedName = QFileInfo(suggested).fileName();
            return folder.filePath(format == ExportFormat::Xlsx ? QStringLiteral("목록.xlsx")
                                                                : QStringLiteral("목록.csv"));
        });
    }

    // Clicks the window's save button entry for `format`; the file the chooser answered.
    QString save(ListWindow& w, ExportFormat format = ExportFormat::Xlsx)
    {
        QPushButton* button = w.functionButton(ListButton::Save);
        button->menu()->actions()[format == ExportFormat::Xlsx ? 0 : 1]->trigger();
        return folder.filePath(format == ExportFormat::Xlsx ? QStringLiteral("목록.xlsx") : QStringLiteral("목록.csv"));
    }

    SavedNames savedNames(ListWindow& w)
    {
        const QJsonObject book = readXlsx(save(w));
        return {suggestedName, book.value("sheet").toString(),
                book.value("rows").toArray()[0].toArray()[0].toObject().value("v").toString()};
    }

    void treat(const QString& number, int givenDaysAgo, int endsIn)
    {
        farm.exec(QStringLiteral(
                      "insert into 백신접종(개체번호, 날짜, 증상, 처치, 만료일) values(?, ?, '증상', '항생제', ?)"),
                  {number, dn(kToday.addDays(-givenDaysAgo)), dn(kToday.addDays(endsIn))});
    }

    QTemporaryDir folder;
    QString suggestedName;
};

}  // namespace

TEST_F(BookExportTest, APeriodBookIsNamedForTheBookAndThePeriodItListed)
{
    cow(QStringLiteral("KR001"));
    farm.addBreeding(QStringLiteral("KR001"), 20090301);
    PeriodBookWindow w(books::matingBook());
    w.setPeriod(QDate(2009, 1, 1), QDate(2009, 12, 8));
    w.query();
    ASSERT_EQ(w.rowCount(), 1);
    const QString name = QStringLiteral("교배기록부 2009-01-01~2009-12-08");
    expectNames(savedNames(w), name, name + QStringLiteral(".xlsx"));

    // Pickers moved but not queried: the rows, and so the name, are still those of the query.
    w.setPeriod(QDate(2009, 3, 1), QDate(2009, 3, 31));
    expectNames(savedNames(w), name, name + QStringLiteral(".xlsx"));
    w.query();
    const QString march = QStringLiteral("교배기록부 2009-03-01~2009-03-31");
    expectNames(savedNames(w), march, march + QStringLiteral(".xlsx"));
    save(w, ExportFormat::Csv);
    EXPECT_EQ(suggestedName, march + QStringLiteral(".csv"));
}

TEST_F(BookExportTest, EachDailyListIsNamedForItselfAndTheDayItWasRead)
{
    cow(QStringLiteral("KR001"));
    farm.addBreeding(QStringLiteral("KR001"), dn(kToday.addDays(-20)));  // due again for estrus
    cow(QStringLiteral("KR002"));
    farm.addBreeding(QStringLiteral("KR002"), dn(kToday.addDays(-280)),
                     {{QStringLiteral("판정일"), dn(kToday.addDays(-220))}, {QStringLiteral("가부"), 0}});
    treat(QStringLiteral("KR001"), 2, 5);
    DailyWindow w;
    const struct {
        QRadioButton* option;
        const char* name;
    } lists[] = {
        {w.calvingOption(), "출산예정 개체일람 2009-12-08"},
        {w.withdrawalOption(), "휴약중 개체일람 2009-12-08"},
        {w.reestrusOption(), "재발정예정 개체일람 2009-12-08"},
    };
    for (const auto& list : lists) {
        SCOPED_TRACE(list.name);
        list.option->click();
        ASSERT_GT(w.rowCount(), 0);
        const QString name = QString::fromUtf8(list.name);
        expectNames(savedNames(w), name, name + QStringLiteral(".xlsx"));
    }

    // Saved after midnight, the list still names the day it was read.
    setTodayOverride(kToday.addDays(1));
    expectNames(savedNames(w), QStringLiteral("재발정예정 개체일람 2009-12-08"),
                QStringLiteral("재발정예정 개체일람 2009-12-08.xlsx"));
}

TEST_F(BookExportTest, TheManureLedgerSavesItsCellsWithoutTheirPadding)
{
    farm.exec(QStringLiteral("insert into 축산분뇨관리대장 values(?, ?, ?, ?, ?, ?, ?)"),
              {20091101, 3.5, 20091105, QStringLiteral("퇴비"), 1250, QString(), QStringLiteral("비 옴")});
    ManureLedgerWindow w;
    w.setPeriod(QDate(2009, 1, 1), QDate(2009, 12, 8));
    w.query();
    ASSERT_EQ(w.rowCount(), 1);
    ASSERT_EQ(gridRows(listGrid(&w)), QStringList{"2009-11-01 | 3.5  | 2009-11-05 |  퇴비 | 1250  |   |  비 옴"});

    const QJsonArray csv = readCsv(save(w, ExportFormat::Csv)).value("rows").toArray();
    EXPECT_EQ(suggestedName, QStringLiteral("축산분뇨관리대장 2009-01-01~2009-12-08.csv"));
    ASSERT_EQ(csv.size(), 2);
    QStringList fields;
    for (const auto& f : csv[1].toArray()) fields << f.toString();
    EXPECT_EQ(fields, (QStringList{"2009-11-01", "3.5", "2009-11-05", "퇴비", "1250", "", "비 옴"}));

    const QJsonArray rows = readXlsx(save(w)).value("rows").toArray();
    ASSERT_EQ(rows.size(), 3);
    const QJsonArray cells = rows[2].toArray();
    EXPECT_EQ(cells[3].toObject().value("v").toString(), QStringLiteral("퇴비"));
    EXPECT_EQ(cells[5].toObject().value("kind").toString(), QStringLiteral("empty"));
    EXPECT_EQ(cells[6].toObject().value("v").toString(), QStringLiteral("비 옴"));
}
