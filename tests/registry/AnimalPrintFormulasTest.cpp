// What the animal prints hand their reports, built from what a record form shows: the record
// book's formulas name by name, the history prints' work-table rows and header formulas, and
// that every name the builders give is a name the shipped report shows.
#include "print/ReportNames.h"
#include "registry/model/HistoryPrintRows.h"
#include "registry/model/RecordBookFormulas.h"
#include "support/TestHelpers.h"

#include <gtest/gtest.h>
#include <ostream>

namespace {

AnimalRecord animal(int kind)
{
    AnimalRecord a;
    a.구분 = kind == 0 ? AnimalKind::Cow : AnimalKind::Bull;
    a.개체번호 = QStringLiteral(" KR002 ");
    a.개체생일 = 20080105;
    a.등록번호 = QStringLiteral("등록-7 ");
    a.별명 = QStringLiteral(" 햇살목장");
    a.우방번호 = QStringLiteral("U-3");
    a.입식일자 = 20080301;
    a.정액번호 = QStringLiteral("950");
    a.부번호 = QStringLiteral("F-1");
    a.모번호 = QStringLiteral("M-1");
    a.판매일 = 20100710;
    a.개체특징 = QStringLiteral("흰 반점");
    a.점수 = QStringLiteral("4");
    a.출하예정일 = 20100801;
    a.출하일 = 20100815;
    return a;
}

const FarmHeader kFarm{QStringLiteral(" 한빛농장 "), QStringLiteral(" 제 12-34호")};

// Weight grid row n: its label, a date in month n of 2009 and "<column>-<n>" in every other column.
QStringList weightRow(int n)
{
    QStringList row{QStringLiteral("단계%1").arg(n), QStringLiteral("2009-%1-15").arg(n, 2, 10, QChar(u'0'))};
    for (int c = 3; c <= 10; ++c) row << QStringLiteral(" c%1-%2 ").arg(c).arg(n);
    return row;
}

QStringList bodyRow(int n)
{
    QStringList row{QStringLiteral("%1개월").arg(n * 6), QStringLiteral("2009-%1-20").arg(n, 2, 10, QChar(u'0'))};
    for (int c = 3; c <= 13; ++c) row << QStringLiteral("b%1-%2").arg(c).arg(n);
    return row;
}

EntryValues grading(const QString& workplace)
{
    EntryValues g;
    const char* boxes[] = {"생체중", "등지방두께", "등심단면적", "도체중",   "근내지방", "육색",
                           "지방색", "조직감",     "성숙도",     "최종등급", "지육단가", "경락가"};
    for (const char* box : boxes)
        g.texts[QString::fromUtf8(box)] = QStringLiteral(" %1값 ").arg(QString::fromUtf8(box));
    g.texts[QStringLiteral("작업장")] = workplace;
    g.texts[QStringLiteral("지육단가")] = QStringLiteral("1,234,567");
    g.texts[QStringLiteral("등급판정사")] = QStringLiteral(" 김판정 ");
    g.dates[QStringLiteral("판정일")] = QDate(2010, 7, 20);
    return g;
}

RecordBookSheet sheet(int kind, int weightRows, int bodyRows)
{
    RecordBookSheet s;
    s.animal = animal(kind);
    s.farm = kFarm;
    for (int n = 1; n <= weightRows; ++n) s.weights << weightRow(n);
    for (int n = 1; n <= bodyRows; ++n) s.bodies << bodyRow(n);
    s.grading = grading(QStringLiteral("  음성공판장 "));
    return s;
}

// The growth blocks as the book is laid out: name prefix and how many formulas (1 the date).
struct Block {
    QString prefix;
    int count;
};

const QList<Block>& blocks()
{
    static const QList<Block> b = {
        {QStringLiteral("생시"), 2},   {QStringLiteral("입식"), 2},   {QStringLiteral("12월령"), 9},
        {QStringLiteral("18월령"), 9}, {QStringLiteral("24월령"), 9}, {QStringLiteral("28월령"), 9},
        {QStringLiteral("32월령"), 9}, {QStringLiteral("월령"), 9},
    };
    return b;
}

// The names of the first `count` growth blocks, the free stage's label 월령0 with the eighth.
QStringList stageNames(int count)
{
    QStringList names;
    for (int b = 0; b < count; ++b)
        for (int k = 1; k <= blocks()[b].count; ++k) names << blocks()[b].prefix + QString::number(k);
    if (count == 8) names << QStringLiteral("월령0");
    return names;
}

// The names of body rows 1..count: 체rc for columns 1-13.
QStringList bodyNames(int count)
{
    QStringList names;
    for (int r = 1; r <= count; ++r)
        for (int c = 1; c <= 13; ++c) names << QStringLiteral("체%1%2").arg(r).arg(c);
    return names;
}

// What the book is given without any weight or body row, in order: registration, 점수, 개체특징,
// the grading boxes, the shipment and 우방번호.
QStringList bookNamesWithoutRows(bool bull)
{
    QStringList names{"개체번호", "개체생일",       "등록번호", "별명",   "입식일자", "정액번호", "부번호",
                      "농장명",   "축산업등록번호", "모번호",   "판매일", "점수",     "개체특징"};
    for (int i = 1; i <= 14; ++i) names << QStringLiteral("도%1").arg(i);
    names << "출하일"
          << "등급판정사";
    if (bull) names << "출하예정일";
    names << "우방번호";
    return names;
}

// The names `f` gives beyond those of a book without rows, in order.
QStringList rowNames(const report::Formulas& f, bool bull)
{
    const QStringList base = bookNamesWithoutRows(bull);
    QStringList names;
    for (const QString& name : f.names())
        if (!base.contains(name)) names << name;
    return names;
}

report::Definition shippedReport(const QString& file)
{
    report::Definition d;
    QString error;
    EXPECT_TRUE(report::loadDefinition(QStringLiteral(TARVIK_SOURCE_DIR "/rpt/") + file, &d, &error))
        << error.toStdString();
    return d;
}

}  // namespace

TEST(AnimalFormulas, RegistrationValuesAreTrimmedAndDatesPrintOnlyWhileTicked)
{
    const report::Formulas ticked{
        {"개체번호", "KR002"}, {"개체생일", "2008년 01월 05일"}, {"등록번호", "등록-7"},
        {"별명", "햇살목장"},  {"입식일자", "2008년 03월 01일"}, {"정액번호", "950"},
        {"부번호", "F-1"},     {"농장명", "한빛농장"},           {"축산업등록번호", "제 12-34호"},
        {"모번호", "M-1"},     {"판매일", "2010년 07월 10일"}};
    EXPECT_EQ(animalprint::registrationFormulas(animal(0), kFarm), ticked);

    // An unticked box is no date, the birth date included: the picker's day is not printed. The
    // formula is still given, with an empty value.
    AnimalRecord unticked = animal(0);
    unticked.개체생일 = unticked.입식일자 = unticked.판매일 = 0;
    const report::Formulas got = animalprint::registrationFormulas(unticked, kFarm);
    EXPECT_EQ(got.names(), ticked.names());
    for (const char* name : {"개체생일", "입식일자", "판매일"}) {
        EXPECT_TRUE(got.contains(name)) << name;
        EXPECT_EQ(got.value(name), "") << name;
    }
    EXPECT_EQ(got.value("개체번호"), "KR002");
}

TEST(AnimalFormulas, GridDatesAreReformattedFromTheirShownText)
{
    const struct {
        QString cell, pattern, printed;
    } cases[] = {
        {"2009-12-08", "yy.mm.dd", "09.12.08"},
        {" 2009-03-15 ", "yy-mm-dd", "09-03-15"},
        {"2000-01-05", "yy-mm-dd", "00-01-05"},
        {"2009-12-08", "yyyy-mm-dd", "2009-12-08"},
        {"", "yy.mm.dd", ""},
        {"   ", "yyyy-mm-dd", ""},
        // A cell that is no date is printed as it is shown, never as a made-up date.
        {"0000-00-00", "yy-mm-dd", "0000-00-00"},
        {"미측정", "yy.mm.dd", "미측정"},
    };
    for (const auto& c : cases) EXPECT_EQ(animalprint::cellDate(c.cell, c.pattern), c.printed) << c.cell.toStdString();
}

TEST(RecordBookFormulas, TenWeightRowsFillTheEightBlocksWithRowsOneToEight)
{
    const report::Formulas f = recordbook::formulas(sheet(0, 10, 0));
    for (int b = 0; b < blocks().size(); ++b) {
        const Block& block = blocks()[b];
        const QStringList row = weightRow(b + 1);
        SCOPED_TRACE(block.prefix.toStdString());
        for (int k = 1; k <= block.count; ++k) {
            const QString name = block.prefix + QString::number(k);
            EXPECT_TRUE(f.contains(name)) << name.toStdString();
            // The first value is the date as yy-mm-dd, the others the trimmed cells.
            EXPECT_EQ(f.value(name),
                      k == 1 ? QStringLiteral("09-%1-15").arg(b + 1, 2, 10, QChar(u'0')) : row[k].trimmed());
        }
    }
    EXPECT_EQ(f.value("월령0"), "단계8");
    // The blocks' names and nothing more: no tenth formula of a block, no ninth block.
    EXPECT_EQ(rowNames(f, false), stageNames(8));
    // Rows 9 and 10 are nowhere.
    for (const report::Formulas::Entry& e : f)
        EXPECT_FALSE(e.value.contains("-9") || e.value.contains("-10") || e.value.contains("단계9"))
            << e.name.toStdString() << " = " << e.value.toStdString();
}

TEST(RecordBookFormulas, AShortWeightGridFillsItsFirstBlocksAndLeavesTheRestEmpty)
{
    const report::Formulas three = recordbook::formulas(sheet(0, 3, 0));
    EXPECT_EQ(three.value("생시1"), "09-01-15");
    EXPECT_EQ(three.value("입식1"), "09-02-15");
    EXPECT_EQ(three.value("12월령1"), "09-03-15");
    EXPECT_EQ(three.value("12월령9"), "c10-3");
    // The first three blocks and nothing of the others, 월령0 included.
    EXPECT_EQ(rowNames(three, false), stageNames(3));
    EXPECT_FALSE(three.contains("18월령1"));
    EXPECT_FALSE(three.contains("월령0"));

    // Birth and arrival print the date and the weight only, whatever else the row holds.
    EXPECT_FALSE(three.contains("생시3"));
    EXPECT_FALSE(three.contains("입식3"));
    EXPECT_EQ(three.value("생시2"), "c3-1");
    EXPECT_EQ(three.value("입식2"), "c3-2");

    // No weighing and no body measurement: none of their formulas is given.
    const report::Formulas none = recordbook::formulas(sheet(0, 0, 0));
    EXPECT_EQ(none.names(), bookNamesWithoutRows(false));
}

TEST(RecordBookFormulas, BodyRowsOneToFiveFillTheirThirteenSlotsEach)
{
    const report::Formulas got = recordbook::formulas(sheet(0, 0, 6));
    for (int r = 1; r <= 5; ++r) {
        const QStringList row = bodyRow(r);
        for (int c = 1; c <= 13; ++c) {
            const QString name = QStringLiteral("체%1%2").arg(r).arg(c);
            EXPECT_TRUE(got.contains(name)) << name.toStdString();
            EXPECT_EQ(got.value(name), c == 2 ? QStringLiteral("09-%1-20").arg(r, 2, 10, QChar(u'0')) : row[c - 1])
                << name.toStdString();
        }
    }
    EXPECT_EQ(got.value("체110"), "b10-1");  // row 1, column 10: digits run together
    // Rows 1-5 and no sixth.
    EXPECT_EQ(rowNames(got, false), bodyNames(5));
    for (const report::Formulas::Entry& e : got)
        EXPECT_FALSE(e.value.endsWith("-6") || e.value == "36개월") << e.name.toStdString();
}

TEST(RecordBookFormulas, GradingBoxesInTheirFormulasAndTheDateOnlyWithAWorkplace)
{
    const QStringList boxes = {"작업장", "판정일", "생체중", "등지방두께", "등심단면적", "도체중",   "근내지방",
                               "육색",   "지방색", "조직감", "성숙도",     "최종등급",   "지육단가", "경락가"};
    RecordBookSheet s = sheet(0, 0, 0);
    report::Formulas got = recordbook::formulas(s);
    for (int i = 0; i < boxes.size(); ++i) {
        const QString name = QStringLiteral("도%1").arg(i + 1);
        SCOPED_TRACE(name.toStdString());
        EXPECT_TRUE(got.contains(name));
        const QString value = got.value(name);
        if (boxes[i] == "작업장")
            EXPECT_EQ(value, "음성공판장");
        else if (boxes[i] == "판정일")
            EXPECT_EQ(value, "10-07-20");
        else if (boxes[i] == "지육단가")
            EXPECT_EQ(value, "1,234,567");  // as the box shows it
        else
            EXPECT_EQ(value, boxes[i] + "값");
    }
    EXPECT_FALSE(got.contains("도15"));
    EXPECT_TRUE(got.contains("등급판정사"));
    EXPECT_EQ(got.value("등급판정사"), "김판정");

    // Blanks are no workplace: the date is only the picker's today, not a grading.
    s.grading.texts["작업장"] = "   ";
    got = recordbook::formulas(s);
    EXPECT_EQ(got.value("도1"), "");
    EXPECT_TRUE(got.contains("도2"));
    EXPECT_EQ(got.value("도2"), "");
}

TEST(RecordBookFormulas, ShipmentFormulasDifferBetweenCowAndBull)
{
    const struct {
        int kind;
        qint64 sale, planned, shipped;
        QString shippedText, plannedText;
    } cases[] = {
        // A cow ships on her sale date and has no 출하예정일.
        {0, 20100710, 20100801, 20100815, "2010년 07월 10일", ""},
        {0, 0, 20100801, 20100815, "", ""},
        // A bull ships on his shipment date; his sale date is his castration date.
        {1, 20100710, 20100801, 20100815, "2010년 08월 15일", "2010년 08월 01일"},
        {1, 20100710, 0, 0, "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "kind " << c.kind << " sale " << c.sale << " shipped " << c.shipped);
        RecordBookSheet s = sheet(c.kind, 0, 0);
        s.animal.판매일 = c.sale;
        s.animal.출하예정일 = c.planned;
        s.animal.출하일 = c.shipped;
        const report::Formulas got = recordbook::formulas(s);
        EXPECT_TRUE(got.contains("출하일"));
        EXPECT_EQ(got.value("출하일"), c.shippedText);
        EXPECT_EQ(got.contains("출하예정일"), c.kind == 1);
        EXPECT_EQ(got.value("출하예정일"), c.plannedText);
        EXPECT_TRUE(got.contains("우방번호"));
        EXPECT_EQ(got.value("우방번호"), "U-3");
        EXPECT_EQ(got.names(), bookNamesWithoutRows(c.kind == 1));
        EXPECT_EQ(got.value("판매일"), c.sale ? "2010년 07월 10일" : "");
    }
}

TEST(AnimalPrintFormulas, EveryAssignedNameIsShownByItsReportAndEveryShownNameAssigned)
{
    const struct {
        QString file;
        QStringList names;
    } cases[] = {
        {"암소개체기록부.rpt", recordbook::formulas(sheet(0, 8, 5)).names()},
        {"수소개체기록부.rpt", recordbook::formulas(sheet(1, 8, 5)).names()},
        {"번식기록.rpt", historyprint::headerFormulas(animal(0), kFarm).names()},
        {"진료백신암.rpt", historyprint::headerFormulas(animal(0), kFarm).names()},
        {"진료백신수.rpt", historyprint::headerFormulas(animal(1), kFarm).names()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file.toStdString());
        QStringList assigned = c.names;
        assigned.sort();
        EXPECT_EQ(assigned.removeDuplicates(), 0) << "a name given twice";
        EXPECT_EQ(assigned, formulaNames(shippedReport(c.file)));
    }
}

TEST(HistoryPrintRows, HeaderFormulasInOrder)
{
    const report::Formulas cow = historyprint::headerFormulas(animal(0), kFarm);
    EXPECT_EQ(cow.names(),
              QStringList({"개체번호", "개체생일", "등록번호", "별명", "입식일자", "정액번호", "부번호", "농장명",
                           "축산업등록번호", "모번호", "판매일", "점수", "개체특징", "우방번호"}));
    EXPECT_EQ(cow.size(), 14);
    EXPECT_EQ(cow.value("우방번호"), "U-3");
    EXPECT_EQ(cow.value("개체특징"), "흰 반점");

    AnimalRecord bull = animal(1);
    bull.출하예정일 = 0;
    const report::Formulas b = historyprint::headerFormulas(bull, kFarm);
    EXPECT_EQ(b.names(), QStringList({"개체번호", "개체생일", "등록번호", "별명", "입식일자", "정액번호", "부번호",
                                      "농장명", "축산업등록번호", "모번호", "판매일", "출하예정일", "출하일", "점수",
                                      "개체특징", "우방번호"}));
    EXPECT_TRUE(b.contains("출하예정일"));  // unticked: an empty value, not a missing formula
    EXPECT_EQ(b.value("출하예정일"), "");
    EXPECT_EQ(b.value("출하일"), "2010년 08월 15일");
    EXPECT_EQ(b.value("점수"), "4");
}

TEST(HistoryPrintRows, BreedingRowsReorderTheGridAndFormatItsDates)
{
    const struct {
        const char* what;
        QStringList cells;
        QVariantList row;
    } cases[] = {
        {"a calving as loaded",
         {"2", "1", "2009-12-08", "KPN-950", "", "5", "2010-01-20", "가", "2010-09-14", "2010-09-10", "C-1", "암",
          "1 순산"},
         {2.0, 1.0, "09.12.08", "KPN-950", "", "10.09.14", 5.0, "10.01.20", "가", "10.09.10", "C-1", "암", "1 순산"}},
        {"just stored by the dialog: its texts, an empty BCS as 0",
         {"1", "3", "2010-02-01", "KPN-1", "공란-2", "", "2010-02-20", "가(O)", "", "", "", "", ""},
         {1.0, 3.0, "10.02.01", "KPN-1", "공란-2", "", 0, "10.02.20", "가(O)", "", "", "", ""}},
        {"cells trimmed, a quote kept as typed (the values are bound)",
         {" 1 ", " 2 ", " 2009-01-01 ", " O'Neil ", "", " 4.5 ", "", "부(X)", "", "", "", "", "소 'A' 난산"},
         {1.0, 2.0, "09.01.01", "O'Neil", "", "", 4.5, "", "부(X)", "", "", "", "소 'A' 난산"}},
        {"a short row", {"1"}, {1.0, "", "", "", "", "", 0, "", "", "", "", "", ""}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const QVariantList row = historyprint::breedingRow(c.cells);
        ASSERT_EQ(row.size(), 13);
        for (int i = 0; i < 13; ++i) EXPECT_EQ(row[i], c.row[i]) << "position " << i + 1;
    }
}

TEST(HistoryPrintRows, TreatmentRowsGiveABlankForAMissingPlaceOrVeterinarian)
{
    const struct {
        const char* what;
        QStringList cells;
        QStringList row;
    } cases[] = {
        {"everything filled",
         {"2010-03-02", "설사", "2010-03-01", "한빛약품", "항생제 주사", "2010-03-12", "이수의", "경과 좋음"},
         {"2010-03-02", "설사", "2010-03-01", "한빛약품", "항생제 주사", "2010-03-12", "이수의", "경과 좋음"}},
        {"no purchase, no veterinarian",
         {"2010-03-02", "구제역 백신", "", "", "접종", "2010-03-02", " ", "바늘 'B' 잔류"},
         {"2010-03-02", "구제역 백신", "", " ", "접종", "2010-03-02", " ", "바늘 'B' 잔류"}},
        {"a short row", {"2010-03-02"}, {"2010-03-02", "", "", " ", "", "", " ", ""}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const QVariantList row = historyprint::treatmentRow(c.cells);
        QStringList texts;
        for (const QVariant& v : row) {
            EXPECT_EQ(v.typeId(), QMetaType::QString);  // every column of 백신접종워크 is a text
            texts << v.toString();
        }
        EXPECT_EQ(texts, c.row);
    }
}
