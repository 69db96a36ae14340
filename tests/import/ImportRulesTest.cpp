// How cells become values and how a file's header names the fields.
#include "import/model/ImportFields.h"
#include "import/model/ImportSteps.h"
#include "import/model/ImportValues.h"

#include <gtest/gtest.h>
#include <QTemporaryDir>

namespace {
TEST(ImportValues, DatesInTheWaysTheyAreWritten)
{
    const struct {
        const char* cell;
        QDate date;
    } cases[] = {
        {"2020-01-15", {2020, 1, 15}},
        {"2020-1-5", {2020, 1, 5}},
        {"2020.1.15", {2020, 1, 15}},
        {"2020. 1. 15.", {2020, 1, 15}},
        {"2020/01/15", {2020, 1, 15}},
        {"20200115", {2020, 1, 15}},
        {"2020년 01월 15일", {2020, 1, 15}},
        {"2020년1월15일", {2020, 1, 15}},
        {" 2024-02-29 ", {2024, 2, 29}},
        // No such day, or not a date at all.
        {"2020-02-30", {}},
        {"2023-02-29", {}},
        {"2020-13-01", {}},
        {"20201315", {}},
        {"1900-02-29", {}},
        {"2020-01/15", {}},
        {"15.01.2020", {}},
        {"202001", {}},
        {"어제", {}},
        // Outside what the forms' date pickers hold.
        {"1700-01-01", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.cell);
        EXPECT_EQ(import::parseDate(QString::fromUtf8(c.cell)), c.date);
    }
    EXPECT_EQ(import::dateNumberOf(QString()), 0);
    EXPECT_EQ(import::dateNumberOf(QStringLiteral("2020.1.15")), 20200115);
    EXPECT_FALSE(import::dateNumberOf(QStringLiteral("2020-02-30")).has_value());
}

TEST(ImportValues, NumbersASpreadsheetTurnedIntoExponentForm)
{
    for (const char* lost : {"2.01E+09", "2.01235E+11", "2E+09", "1.2e+5", " 2.01E+09 ", "3E12"})
        EXPECT_TRUE(import::hasLostDigits(QString::fromUtf8(lost))) << lost;
    for (const char* kept : {"002014000007", "KR2014000007", "KPN1080", "2.01", "E+09", "2.01E+", "2.01E-09x", "1037"})
        EXPECT_FALSE(import::hasLostDigits(QString::fromUtf8(kept))) << kept;
}

TEST(ImportValues, SexBreedAndTheBreedingChoices)
{
    for (const char* cow : {"암", "암소", " 암 소 ", "암컷", "F"})
        EXPECT_EQ(import::parseSex(QString::fromUtf8(cow)), 0) << cow;
    for (const char* bull : {"수", "수소", "거세", "거세우", "m"})
        EXPECT_EQ(import::parseSex(QString::fromUtf8(bull)), 1) << bull;
    EXPECT_FALSE(import::parseSex(QStringLiteral("송아지")));
    EXPECT_EQ(import::parseBreed(QStringLiteral("순종")), 0);
    EXPECT_EQ(import::parseBreed(QStringLiteral("교잡종")), 1);
    EXPECT_FALSE(import::parseBreed(QStringLiteral("육우")));
    EXPECT_EQ(import::parsePregnancy(QStringLiteral("가")), 0);
    EXPECT_EQ(import::parsePregnancy(QStringLiteral("o")), 0);
    EXPECT_EQ(import::parsePregnancy(QStringLiteral("부")), 1);
    EXPECT_EQ(import::parsePregnancy(QStringLiteral("X")), 1);
    EXPECT_FALSE(import::parsePregnancy(QStringLiteral("모름")));
}

// The field each header column went to, by key ("" for a column left unmatched).
QStringList fieldsOfColumns(ImportTarget target, const QStringList& headers)
{
    const ColumnMapping m = matchHeaders(target, headers);
    QStringList keys(headers.size());
    const QList<ImportField>& fields = importFields(target);
    for (int f = 0; f < fields.size(); ++f)
        if (m[f].column >= 0) keys[m[f].column] = fields[f].key;
    return keys;
}

TEST(ImportHeaders, VariantsOwnExportsAndUnitsFindTheirFields)
{
    const struct {
        const char* name;
        ImportTarget target;
        QStringList headers;
        QStringList fields;
    } cases[] = {
        {"the search list's export: 구분 is the breed beside 암/수소",
         ImportTarget::Animals,
         {"개체식별번호", "암/수소", "구분", "개체생일", "종축등록번호", "목장명", "우방번호", "입식일자",
          "부번호(정액번호) KPN-", "부번호(바코드)", "모번호", "판매일(거세일)", "개체특징", "흑비경", "출하예정일",
          "출하일", "개월령(개월)"},
         {"개체번호", "구분", "구분2", "개체생일", "등록번호", "별명", "우방번호", "입식일자", "정액번호", "부번호",
          "모번호", "판매일", "개체특징", "점수", "출하예정일", "출하일", ""}},
        {"a traceability list: 이력번호, 출생일자, 성별, 어미소",
         ImportTarget::Animals,
         {"이력번호", "출생일자", "성별", "어미소", "KPN"},
         {"개체번호", "개체생일", "구분", "모번호", "정액번호"}},
        {"구분 alone is the sex",
         ImportTarget::Animals,
         {"개체번호", "구분", "생년월일"},
         {"개체번호", "구분", "개체생일"}},
        {"blanks, case and full-width parentheses",
         ImportTarget::Animals,
         {" 개체 번호 ", "암 / 수", "아비（KPN）"},
         {"개체번호", "구분", "정액번호"}},
        {"the breeding grid's export with its spaced headers",
         ImportTarget::Breeding,
         {"산차", "회수", "수정일", "씨수소 정액번호", "공란우", "BCS", "임신        판정일", "가 부", "분만예정일",
          "분만일", "송아지번호", "성 별", "분만난이도 특이사항"},
         {"산차", "회수", "수정일", "정액번호", "공란우", "BCS", "판정일", "가부", "예정일", "분만일", "송아지번호",
          "성별", "분만난이도"}},
        {"교배일 and units in parentheses",
         ImportTarget::Breeding,
         {"개체식별번호", "교배일", "KPN", "생시체중(kg)", "회수(회)"},
         {"개체번호", "수정일", "정액번호", "생시체중", "회수"}},
        {"a column names one field at most", ImportTarget::Breeding, {"이력번호", "개체번호"}, {"", "개체번호"}},
        {"a semen supplier's catalogue with EBV headers",
         ImportTarget::Bulls,
         {"씨수소", "구분", "부KPN", "모부", "12개월체중 EBV", "도체중 EBV(kg)", "등심 EBV", "등지방 EBV",
          "근내지방도 EBV", "평가시기", "가격"},
         {"KPN", "구분", "아비", "외조부", "12개월령체중", "도체중", "등심단면적", "등지방두께", "근내지방도", "평가",
          "단가"}},
        {"the national evaluation's 육종가 headers",
         ImportTarget::Bulls,
         {"KPN번호", "아비", "외조부", "12개월령체중 육종가", "도체중 육종가", "등심단면적 육종가", "등지방두께 육종가",
          "근내지방 육종가", "평가", "단가(원)"},
         {"KPN", "아비", "외조부", "12개월령체중", "도체중", "등심단면적", "등지방두께", "근내지방도", "평가", "단가"}},
        {"정액번호 and 부 as the catalogue names them",
         ImportTarget::Bulls,
         {"정액번호", "부", "등지방두께(mm)", "근내지방도(점)"},
         {"KPN", "아비", "등지방두께", "근내지방도"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(fieldsOfColumns(c.target, c.headers), c.fields);
    }
}

TEST(ImportHeaders, TheHeaderRowIsFoundUnderATitleRow)
{
    const QList<QStringList> workbook = {{"한우암소관리 프로그램 - 개체관리", "", "햇살목장", "2024-05-10"},
                                         {"개체식별번호", "암/수소", "개체생일"},
                                         {"KR1", "암소", "2020년 01월 15일"}};
    EXPECT_EQ(findHeaderRow(ImportTarget::Animals, workbook), 1);
    EXPECT_EQ(findHeaderRow(ImportTarget::Animals, {{"a", "b"}, {"1", "2"}}), -1);
}

TEST(ImportHeaders, TheTargetIsTheOneTheHeaderRowNamesMoreFieldsOf)
{
    const struct {
        const char* name;
        QList<QStringList> rows;
        ImportTarget target;
    } cases[] = {
        {"breeding headers", {{"개체번호", "수정일", "산차", "회수"}}, ImportTarget::Breeding},
        {"animal headers", {{"개체번호", "생년월일", "성별"}}, ImportTarget::Animals},
        // Each target's own header row counts, under a title row.
        {"under a title",
         {{"번식기록 KR1 2024-05-10"}, {"개체번호", "수정일", "정액번호"}, {"KR1", "2024-01-01", "KPN1"}},
         ImportTarget::Breeding},
        {"a bull catalogue", {{"KPN", "구분", "아비", "외조부", "도체중", "근내지방도"}}, ImportTarget::Bulls},
        {"a breeding file naming a bull", {{"개체번호", "수정일", "정액번호"}}, ImportTarget::Breeding},
        {"no header at all", {{"a", "b"}, {"1", "2"}}, ImportTarget::Animals},
        {"no rows", {}, ImportTarget::Animals},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(likelyTarget(c.rows), c.target);
    }
}

TEST(ImportColumns, AFieldTakesItsCellOrElseTheValueForEmptyCells)
{
    const QStringList cells = {" KR1 ", "", "암소"};
    const struct {
        FieldSource source;
        bool has;
        const char* text;
    } cases[] = {
        {{0, {}}, true, "KR1"},            // the cell, trimmed
        {{1, {"수소"}}, true, "수소"},     // an empty cell takes the value
        {{2, {"수소"}}, true, "암소"},     // a filled cell wins over it
        {{7, {}}, true, ""},               // a column past the row's end is an empty cell
        {{-1, {" 순종 "}}, true, "순종"},  // no column: the value alone
        {{-1, {"  "}}, false, ""},         // nothing but blanks is nothing
        {{-1, {}}, false, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.source.column);
        EXPECT_EQ(hasSource(c.source), c.has);
        EXPECT_EQ(sourceText(c.source, cells), QString::fromUtf8(c.text));
    }
}

TEST(ImportColumns, TheFirstRequiredFieldWithoutASourceIsNamed)
{
    const QList<ImportField>& fields = importFields(ImportTarget::Breeding);
    ColumnMapping mapping(fields.size());
    const int number = fieldIndex(ImportTarget::Breeding, QStringLiteral("개체번호"));
    const int date = fieldIndex(ImportTarget::Breeding, QStringLiteral("수정일"));
    ASSERT_TRUE(fields[number].required && fields[date].required);
    EXPECT_EQ(firstRequiredWithoutSource(ImportTarget::Breeding, mapping), std::min(number, date));
    mapping[number].column = 0;
    mapping[date].fallback = QStringLiteral("  ");
    EXPECT_EQ(firstRequiredWithoutSource(ImportTarget::Breeding, mapping), date);
    mapping[date].fallback = QStringLiteral("2024-01-01");
    for (int f = 0; f < fields.size(); ++f)
        if (fields[f].required && f != number && f != date) mapping[f].column = f;
    EXPECT_EQ(firstRequiredWithoutSource(ImportTarget::Breeding, mapping), -1);
}

TEST(ImportSteps, NextAndBackLeadAlongTheFiveStepsButFromThePreviewAndTheEnd)
{
    using S = ImportStep;
    const struct {
        S step;
        const char* name;
        std::optional<S> after, before;
    } cases[] = {
        {S::File, "파일", S::Target, std::nullopt},        {S::Target, "대상", S::Columns, S::File},
        {S::Columns, "열 맞추기", S::Preview, S::Target},  {S::Preview, "미리보기", std::nullopt, S::Columns},
        {S::Done, "가져오기", std::nullopt, std::nullopt},
    };
    ASSERT_EQ(std::size(cases), size_t(kImportSteps));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(importStepName(c.step), QString::fromUtf8(c.name));
        EXPECT_EQ(stepAfter(c.step), c.after);
        EXPECT_EQ(stepBefore(c.step), c.before);
    }
}

TEST(ImportHeaders, AChosenMappingIsRememberedForTheSameHeaders)
{
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("Tarvik.ini"));
    const QStringList headers = {"번호", "태어난 날", "메모"};
    EXPECT_FALSE(recalledMapping(ini, ImportTarget::Animals, headers));

    ColumnMapping chosen = matchHeaders(ImportTarget::Animals, headers);
    chosen[fieldIndex(ImportTarget::Animals, QStringLiteral("개체번호"))].column = 0;
    chosen[fieldIndex(ImportTarget::Animals, QStringLiteral("개체생일"))].column = 1;
    chosen[fieldIndex(ImportTarget::Animals, QStringLiteral("구분"))].fallback = QStringLiteral("암소");
    rememberMapping(ini, ImportTarget::Animals, headers, chosen);

    EXPECT_EQ(recalledMapping(ini, ImportTarget::Animals, headers), chosen);
    // The column step starts with the kept matching, and says so; other headers start matched.
    const StartingMapping kept = startingMapping(ini, ImportTarget::Animals, headers);
    EXPECT_TRUE(kept.recalled);
    EXPECT_EQ(kept.mapping, chosen);
    const QStringList others = {"개체번호", "생년월일"};
    const StartingMapping matched = startingMapping(ini, ImportTarget::Animals, others);
    EXPECT_FALSE(matched.recalled);
    EXPECT_EQ(matched.mapping, matchHeaders(ImportTarget::Animals, others));
    // Blanks in a header do not make it another file; other headers or the other table do.
    EXPECT_EQ(recalledMapping(ini, ImportTarget::Animals, {"번호", "태어난날", "메모"}), chosen);
    EXPECT_FALSE(recalledMapping(ini, ImportTarget::Animals, {"번호", "태어난 날"}));
    EXPECT_FALSE(recalledMapping(ini, ImportTarget::Breeding, headers));
}
}  // namespace
