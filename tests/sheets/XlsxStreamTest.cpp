// The program's own xlsx writer, read back by openpyxl and checked as a package (zip entries
// intact, every part well-formed XML): texts that need escaping or cannot be held at all,
// several sheets in one workbook, and a write that fails.
#include "sheets/model/TableExport.h"
#include "sheets/model/XlsxStream.h"
#include "support/ExportReaders.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QJsonArray>
#include <QTemporaryDir>
#include <cmath>

namespace {
QString fromUtf16(std::initializer_list<char16_t> units)
{
    return QString(reinterpret_cast<const QChar*>(units.begin()), qsizetype(units.size()));
}

QStringList namesOf(const QJsonArray& sheets)
{
    QStringList names;
    for (const auto& s : sheets) names << s.toObject().value("name").toString();
    return names;
}
}  // namespace

TEST(XlsxStream, AwkwardTextsReadBackOrLoseOnlyWhatXmlCannotHold)
{
    const QString cow = QStringLiteral("🐄");
    const struct {
        QString written, read;
    } cases[] = {
        {"A & B < C > D", "A & B < C > D"},
        {"\"소\" 'O'Brien'", "\"소\" 'O'Brien'"},
        {"]]> &amp; <t>", "]]> &amp; <t>"},
        {"=SUM(A1:A3)", "=SUM(A1:A3)"},  // text, never a formula
        {"한우 송아지 " + cow + QStringLiteral("🐂 끝"), "한우 송아지 " + cow + QStringLiteral("🐂 끝")},
        // Control characters have no place in XML 1.0: left out, tab and line breaks kept.
        {QStringLiteral("a\x01") + "b\x08" + "c\x0B" + "d\x0C" + "e\x1F" + "f", "abcdef"},
        {"탭\t다음", "탭\t다음"},
        {"첫줄\r둘째줄", "첫줄\n둘째줄"},
        {fromUtf16({0xFFFE, u'z', 0xFFFF}), "z"},
        {fromUtf16({u'x', 0xD800, u'y'}), fromUtf16({u'x', 0xFFFD, u'y'})},
        // Excel's limit on a cell: cut, and never inside a character of two UTF-16 units.
        {QString(40000, u'가'), QString(32767, u'가')},
        {QString(32766, u'a') + cow, QString(32766, u'a')},
    };
    ExportTable t;
    t.title = QStringLiteral("A&B <목록> \"따옴표\" O'Brien");
    t.headers = QStringList{QStringLiteral(" 앞뒤 공백 "), QStringLiteral("번호")};
    t.kinds = {CellKind::Text, CellKind::Number};
    for (const auto& c : cases) t.rows << QStringList{c.written, "1"};

    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("목록.xlsx"));
    ASSERT_EQ(saveTable(t, ExportFormat::Xlsx, file), ExportStatus::Saved);

    const QJsonObject package = checkXlsxPackage(file);
    ASSERT_FALSE(package.contains("error")) << package.value("error").toString().toStdString();
    EXPECT_TRUE(package.value("bad").isNull());
    EXPECT_EQ(package.value("malformed").toArray(), QJsonArray());
    const QJsonArray sheets = package.value("sheets").toArray();
    ASSERT_EQ(sheets.size(), 1);
    EXPECT_EQ(sheets[0].toObject().value("name").toString(), sheetNameOf(t.title));
    EXPECT_EQ(sheets[0].toObject().value("filter").toString(), QStringLiteral("A2:B14"));

    const QJsonObject book = readXlsx(file);
    ASSERT_FALSE(book.contains("error")) << book.value("error").toString().toStdString();
    const QJsonArray rows = book.value("rows").toArray();
    ASSERT_EQ(rows.size(), 2 + qsizetype(std::size(cases)));
    EXPECT_EQ(rows[0].toArray()[0].toObject().value("v").toString(), t.title);
    EXPECT_EQ(xlsxTexts(rows[1].toArray()), t.headers);
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(testing::Message() << "case " << i);
        const QJsonObject cell = rows[int(i) + 2].toArray()[0].toObject();
        EXPECT_EQ(cell.value("kind").toString(), QStringLiteral("text"));
        const QString read = cell.value("v").toString();
        EXPECT_EQ(read.size(), cases[i].read.size());
        EXPECT_TRUE(read == cases[i].read) << read.left(60).toStdString();
        EXPECT_EQ(rows[int(i) + 2].toArray()[1].toObject().value("v").toDouble(), 1);
    }
}

TEST(XlsxStream, SeveralSheetsMakeOneWorkbook)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("성적.xlsx"));
    {
        XlsxStream book(QFile::encodeName(file));
        ASSERT_TRUE(book.isOpen());
        XlsxStyle bold;
        bold.bold = true;
        XlsxStyle money;
        money.numberFormat = "#,##0\"원\"";
        money.color = qRgb(0xC0, 0, 0);

        // Filtered under a header row, frozen below it; a name Excel must quote in a formula.
        ASSERT_TRUE(book.beginSheet({QStringLiteral("번식 & 출하 'A' 목록"), {12, 30}, 1, 0, 2, 2}));
        book.beginRow(0);
        book.text(0, QStringLiteral("개체"), book.style(bold));
        book.text(1, QStringLiteral("금액"), book.style(bold));
        book.endRow();
        for (int r = 1; r <= 2; ++r) {
            book.beginRow(r);
            book.text(0, QStringLiteral("KR%1").arg(r));
            book.number(1, 1250.5 * r, book.style(money));
            book.endRow();
        }
        ASSERT_TRUE(book.endSheet());
        // Neither filter nor frozen rows nor widths; a cell far to the right.
        ASSERT_TRUE(book.beginSheet({QStringLiteral("메모"), {}, 0, -1, -1, 0}));
        book.beginRow(4);
        book.number(27, 0.1);  // column AB
        book.endRow();
        ASSERT_TRUE(book.endSheet());
        // A sheet without a row.
        ASSERT_TRUE(book.beginSheet({QStringLiteral("빈 시트"), {10}, 2, -1, -1, 0}));
        ASSERT_TRUE(book.finish());
    }

    const QJsonObject package = checkXlsxPackage(file);
    ASSERT_FALSE(package.contains("error")) << package.value("error").toString().toStdString();
    EXPECT_TRUE(package.value("bad").isNull());
    EXPECT_EQ(package.value("malformed").toArray(), QJsonArray());
    const QJsonArray sheets = package.value("sheets").toArray();
    EXPECT_EQ(namesOf(sheets), (QStringList{"번식 & 출하 'A' 목록", "메모", "빈 시트"}));
    ASSERT_EQ(sheets.size(), 3);
    EXPECT_EQ(sheets[0].toObject().value("filter").toString(), QStringLiteral("A1:B3"));
    EXPECT_EQ(sheets[0].toObject().value("freeze").toString(), QStringLiteral("A2"));
    EXPECT_TRUE(sheets[1].toObject().value("filter").isNull());
    EXPECT_TRUE(sheets[1].toObject().value("freeze").isNull());
    EXPECT_EQ(sheets[1].toObject().value("rows").toInt(), 5);
    EXPECT_EQ(sheets[2].toObject().value("freeze").toString(), QStringLiteral("A3"));

    // The first sheet is the one a reader opens on.
    const QJsonObject first = readXlsx(file);
    const QJsonArray rows = first.value("rows").toArray();
    ASSERT_EQ(rows.size(), 3);
    EXPECT_TRUE(rows[0].toArray()[0].toObject().value("bold").toBool());
    const QJsonObject amount = rows[2].toArray()[1].toObject();
    EXPECT_EQ(amount.value("v").toDouble(), 2501);
    EXPECT_EQ(amount.value("fmt").toString(), QStringLiteral("#,##0\"원\""));
    EXPECT_EQ(amount.value("color").toString(), QStringLiteral("FFC00000"));
    // A width given in characters is stored as Excel itself stores a width typed in characters of
    // its default font (7-pixel digits, 5 pixels of cell padding, in 1/256 of a character).
    const auto excelWidth = [](int chars) { return std::trunc((chars * 7 + 5) / 7.0 * 256) / 256; };
    EXPECT_EQ(first.value("widths").toObject().value("A").toDouble(), excelWidth(12));
    EXPECT_EQ(first.value("widths").toObject().value("B").toDouble(), excelWidth(30));
}

TEST(XlsxStream, AFileThatCannotBeWrittenIsReported)
{
    QTemporaryDir dir;
    EXPECT_FALSE(XlsxStream(QFile::encodeName(dir.filePath(QStringLiteral("없는폴더/a.xlsx")))).isOpen());

    // A full disk: the writes fail somewhere on the way, and finishing says so.
    if (!QFile::exists(QStringLiteral("/dev/full"))) GTEST_SKIP() << "no /dev/full";
    XlsxStream book("/dev/full");
    ASSERT_TRUE(book.isOpen());
    book.beginSheet({QStringLiteral("목록"), {}, 0, -1, -1, 0});
    for (int r = 0; r < 20000; ++r) {
        book.beginRow(r);
        book.text(0, QStringLiteral("개체 %1").arg(r));
        book.number(1, r);
        book.endRow();
    }
    EXPECT_FALSE(book.finish());
    EXPECT_TRUE(book.failed());
}
