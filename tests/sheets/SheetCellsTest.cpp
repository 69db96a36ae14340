// What the exporter, the import's readers and the file of refused import rows agree on: the
// formula guard and its undoing, column letters and Excel's date serials.
#include "sheets/model/ImportSource.h"
#include "sheets/model/SheetCells.h"
#include "sheets/model/TableExport.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QTemporaryDir>

namespace {

// Every start a spreadsheet would run, and texts that only look close to one.
const struct {
    const char* text;
    bool guarded;
} kCells[] = {
    {"=SUM(A1:A9)", true}, {"+82 10 1234", true}, {"-3 마리", true}, {"@SUM(1)", true},
    {"\t=1+1", true},      {"\r\n-2+3", true},    {"\t", true},      {"a=b", false},
    {"한우 =1", false},    {" =1", false},        {"", false},       {"0012", false},
};

QList<QStringList> readBack(const QString& path)
{
    QString error;
    ImportFile file;
    file.path = path;
    const std::unique_ptr<RowReader> rows = openRows(file, &error);
    EXPECT_TRUE(rows) << error.toStdString();
    QList<QStringList> all;
    QStringList cells;
    while (rows && rows->next(cells)) all << cells;
    if (rows) {
        EXPECT_EQ(rows->error(), QString());
    }
    return all;
}

}  // namespace

TEST(FormulaGuard, OneRuleGuardsAndTheImportUndoesIt)
{
    QTemporaryDir dir;
    // The refused rows' file writes its cells this way.
    QByteArray csv;
    for (const auto& c : kCells) {
        const QString text = QString::fromUtf8(c.text);
        SCOPED_TRACE(c.text);
        EXPECT_EQ(startsLikeFormula(text), c.guarded);
        EXPECT_EQ(guardedCell(text), c.guarded ? u'\'' + text : text);
        EXPECT_EQ(unguardedCell(guardedCell(text)), text);
        appendCsvField(csv, QString(u'x'));
        csv += ',';
        appendCsvField(csv, guardedCell(text));
        csv += "\r\n";
    }
    const QString path = dir.filePath(QStringLiteral("guarded.csv"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(csv);
    f.close();
    const QList<QStringList> rows = readBack(path);
    ASSERT_EQ(rows.size(), qsizetype(std::size(kCells)));
    for (qsizetype i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(kCells[i].text);
        ASSERT_EQ(rows[i].size(), 2);
        EXPECT_EQ(rows[i][1], QString::fromUtf8(kCells[i].text));
    }
}

TEST(FormulaGuard, AnExportedTextCellComesBackFromTheImportAsShown)
{
    ExportTable t;
    t.title = QStringLiteral("목록");
    QStringList row;
    for (const auto& c : kCells) {
        const QString text = QString::fromUtf8(c.text);
        // The export drops the blanks a list pads its cells with (a tab or line break first
        // among them); what it keeps comes back as it was.
        if (text != text.trimmed()) continue;
        t.headers << QStringLiteral("열%1").arg(t.headers.size() + 1);
        t.kinds << CellKind::Text;
        row << text;
    }
    t.rows = {row};
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("목록.csv"));
    ASSERT_EQ(saveTable(t, ExportFormat::Csv, path), ExportStatus::Saved);
    const QList<QStringList> rows = readBack(path);
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0], t.headers);
    EXPECT_EQ(rows[1], row);
}

TEST(SheetCells, ColumnLettersAndReferencesAgree)
{
    const struct {
        int index;
        const char* letters;
    } cases[] = {{0, "A"}, {25, "Z"}, {26, "AA"}, {51, "AZ"}, {52, "BA"}, {701, "ZZ"}, {702, "AAA"}, {16383, "XFD"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.letters);
        EXPECT_EQ(columnLetter(c.index), QString::fromLatin1(c.letters));
        EXPECT_EQ(columnOfReference(QString::fromLatin1(c.letters) + QStringLiteral("12")), c.index);
        EXPECT_EQ(columnOfReference(QString::fromLatin1(c.letters).toLower()), c.index);
    }
    EXPECT_EQ(columnOfReference(u"12"), -1);
    EXPECT_EQ(columnOfReference(u""), -1);
}

TEST(SheetCells, ExcelSerialsBothWays)
{
    const struct {
        QDate day;
        qint64 serial;
    } cases[] = {
        {QDate(1900, 3, 1), 61},    {QDate(1970, 1, 1), 25569},     {QDate(2000, 2, 29), 36585},
        {QDate(2026, 4, 3), 46115}, {QDate(9999, 12, 31), 2958465},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.day.toString(Qt::ISODate).toStdString());
        EXPECT_EQ(excelSerial(c.day), double(c.serial));
        EXPECT_EQ(dayOfExcelSerial(c.serial, false), c.day);
    }
    // Before Excel's 1900-02-29 the serials are one off; that day itself is none.
    EXPECT_EQ(dayOfExcelSerial(1, false), QDate(1900, 1, 1));
    EXPECT_EQ(dayOfExcelSerial(59, false), QDate(1900, 2, 28));
    EXPECT_FALSE(dayOfExcelSerial(60, false).isValid());
    EXPECT_EQ(dayOfExcelSerial(0, true), QDate(1904, 1, 1));
    EXPECT_EQ(dayOfExcelSerial(44653, true), QDate(2026, 4, 3));
}
