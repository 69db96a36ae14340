// What the assistant's steps decide without their windows: when the file step may lead on and
// what it tells of the file, which buttons each step offers, and the words of the preview and
// of the finished import.
#include "import/ImportFixture.h"
#include "import/model/ImportFileStep.h"
#include "import/model/ImportReport.h"
#include "import/model/ImportSteps.h"

#include <gtest/gtest.h>

namespace {
TEST(ImportFileStep, OnlyRowsReadWithoutAnErrorLeadOn)
{
    ImportFiles files;
    const struct {
        const char* name;
        QByteArray bytes;
        int rows;
        const char* problem;  // the start of it; "" when 다음 may lead on
    } cases[] = {
        {"empty", QByteArray(), 0, "파일에 읽을 행이 없습니다."},
        {"only a byte-order mark", QByteArray("\xEF\xBB\xBF"), 0, "파일에 읽을 행이 없습니다."},
        {"a header alone", QByteArray("개체번호,구분\n"), 1, ""},
        // The rows before the bad one are read, yet the file does not lead on.
        {"a line of 80,000 cells after the header", "개체번호,구분\n" + QByteArray("x,").repeated(80000), 1,
         "2행: 한 행의 열이 1000개보다"},
        {"more rows than are read", "개체번호\n" + QByteArray("KR\n").repeated(kFirstRows + 5), kFirstRows, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const FirstRows first = readFirstRows(chosenFile(files.bytes(QStringLiteral("f.csv"), c.bytes), 0, 0, 0));
        EXPECT_EQ(first.rows.size(), c.rows);
        const QString problem = firstRowsProblem(first);
        if (*c.problem)
            EXPECT_TRUE(problem.startsWith(QString::fromUtf8(c.problem))) << problem.toStdString();
        else
            EXPECT_EQ(problem, QString()) << problem.toStdString();
    }
    // Rows and an error from elsewhere: the error is told, not the rows.
    EXPECT_EQ(firstRowsProblem({.rows = {{"a"}}, .error = QStringLiteral("읽기 오류")}), "읽기 오류");
}

TEST(ImportFileStep, TheBoxesChoicesAreTheFileRead)
{
    using E = TextEncoding;
    const struct {
        int encoding, separator, sheet;
        E wantEncoding;
        QChar wantSeparator;
        int wantSheet;
    } cases[] = {
        {0, 0, 0, E::Auto, QChar(), 0},      {1, 1, 2, E::Utf8, QChar(u','), 2}, {2, 2, 1, E::Cp949, QChar(u';'), 1},
        {0, 3, 0, E::Auto, QChar(u'\t'), 0}, {-1, -1, -1, E::Auto, QChar(), 0},  // empty boxes: their first choice
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.encoding << ' ' << c.separator << ' ' << c.sheet);
        const ImportFile file = chosenFile(QStringLiteral("x.csv"), c.encoding, c.separator, c.sheet);
        EXPECT_EQ(file.path, "x.csv");
        EXPECT_EQ(file.encoding, c.wantEncoding);
        EXPECT_EQ(file.separator, c.wantSeparator);
        EXPECT_EQ(file.sheet, c.wantSheet);
    }
}

TEST(ImportFileStep, TheFileIsToldByItsErrorItsKindOrTheEncodingRead)
{
    ImportFiles files;
    const QString cp949 = files.cp949(QStringLiteral("k.csv"), QStringLiteral("개체번호,성별\nKR1,암\n"));
    const QString utf8 = files.utf8(QStringLiteral("u.csv"), QStringLiteral("개체번호,성별\nKR1,암\n"));
    const QString workbook = files.path(QStringLiteral("none.xlsx"));
    const FirstRows read{.rows = {{"개체번호"}}, .error = {}};
    const struct {
        const char* name;
        ImportFile file;
        FirstRows first;
        const char* told;
    } cases[] = {
        {"CP949 found", chosenFile(cp949, 0, 0, 0), read, "읽은 인코딩: 한글 완성형 (CP949/EUC-KR)"},
        {"UTF-8 found", chosenFile(utf8, 0, 0, 0), read, "읽은 인코딩: UTF-8"},
        // Chosen, not found: what the farmer picked is what was read.
        {"UTF-8 chosen for a CP949 file", chosenFile(cp949, 1, 0, 0), read, "읽은 인코딩: UTF-8"},
        {"CP949 chosen for a UTF-8 file", chosenFile(utf8, 2, 0, 0), read, "읽은 인코딩: 한글 완성형 (CP949/EUC-KR)"},
        {"a workbook", chosenFile(workbook, 0, 0, 0), read, "엑셀 통합 문서"},
        {"the reader's error first",
         chosenFile(workbook, 0, 0, 0),
         {.rows = {}, .error = QStringLiteral("깨진 파일")},
         "깨진 파일"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(fileInfoText(c.file, c.first), QString::fromUtf8(c.told));
    }
}

TEST(ImportFileStep, TheHeaderRowIsTheFirstWhenNoRowNamesAField)
{
    const QList<QStringList> titled = {{"우리 농장 개체 목록"}, {"개체번호", "성별"}, {"KR1", "암"}};
    EXPECT_EQ(headerRowFor(ImportTarget::Animals, titled), 1);
    EXPECT_EQ(headerRowFor(ImportTarget::Animals, {{"가", "나"}, {"다"}}), 0);
    EXPECT_EQ(headerRowFor(ImportTarget::Breeding, {}), 0);
}

TEST(ImportSteps, EachStepOffersItsButtons)
{
    using S = ImportStep;
    const struct {
        S step;
        bool mayGoOn;
        StepButtons buttons;
    } cases[] = {
        // 파일: 다음 waits for rows read without an error; nothing leads back.
        {S::File, false, {.backShown = true, .backEnabled = false, .nextShown = true, .nextEnabled = false}},
        {S::File, true, {.backShown = true, .backEnabled = false, .nextShown = true, .nextEnabled = true}},
        {S::Target, true, {.backShown = true, .backEnabled = true, .nextShown = true, .nextEnabled = true}},
        {S::Columns, true, {.backShown = true, .backEnabled = true, .nextShown = true, .nextEnabled = true}},
        // The preview goes on only through 가져오기.
        {S::Preview,
         true,
         {.backShown = true, .backEnabled = true, .nextShown = false, .nextEnabled = true, .runShown = true}},
        // Once imported, only 닫기.
        {S::Done, true, {.backShown = false, .backEnabled = false, .nextShown = false, .nextEnabled = true}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(importStepName(c.step).toStdString() + (c.mayGoOn ? "" : " (not yet)"));
        const StepButtons b = stepButtons(c.step, c.mayGoOn);
        EXPECT_EQ(b.backShown, c.buttons.backShown);
        EXPECT_EQ(b.backEnabled, c.buttons.backEnabled);
        EXPECT_EQ(b.nextShown, c.buttons.nextShown);
        EXPECT_EQ(b.nextEnabled, c.buttons.nextEnabled);
        EXPECT_EQ(b.runShown, c.buttons.runShown);
    }
}

TEST(ImportReport, TheTotalsAndWhatTheRunWouldStore)
{
    ImportTotals t;
    t.counts = {3, 2, 1, 4, 5};
    EXPECT_EQ(totalsText(t), QStringLiteral("모두 15행: 신규 3건, 갱신 2건, 동일 1건, 제외 4건, 거부 5건"));
    // Only the new and the changed records are written: kept, same and refused are not.
    EXPECT_EQ(recordsToStore(t), 5);
    t.counts = {0, 0, 1, 4, 5};
    EXPECT_EQ(recordsToStore(t), 0);
    EXPECT_EQ(importQuestion(ImportTarget::Breeding, 7),
              QStringLiteral("번식기록 7건을 가져옵니다.\r\n가져오기 전에 데이터베이스를 자동으로 백업합니다.\r\n\r\n"
                             "가져오시겠습니까?"));
    EXPECT_EQ(columnsNoteText(false, 3), QStringLiteral("머리글로 3개 항목을 맞췄습니다. 맞지 않으면 바꾸십시오."));
    EXPECT_EQ(columnsNoteText(true, 3), QStringLiteral("지난번 같은 머리글의 파일에 쓴 맞춤을 불러왔습니다."));
}

TEST(ImportReport, TheOutcomeNamesTheRefusedRowsFileOnlyWhenThereIsOne)
{
    ImportOutcome out;
    out.status = ImportOutcome::Status::Done;
    out.totals.counts = {1, 2, 3, 4, 0};
    out.backupFile = QStringLiteral("/farm/가져오기전.db");
    QString text = outcomeText(out);
    for (const char* line : {"새로 넣은 기록: 1건", "고친 기록: 2건", "이미 같은 기록: 3건",
                             "있어서 그대로 둔 기록: 4건", "거부된 행: 0건", "가져오기 전 백업: "})
        EXPECT_TRUE(text.contains(QString::fromUtf8(line))) << line;
    EXPECT_FALSE(text.contains(QStringLiteral("사유")));
    EXPECT_FALSE(text.contains(QStringLiteral("데이터베이스 폴더")));

    out.refusedFile = QStringLiteral("/farm/a-거부된행.csv");
    out.refusedMoved = true;
    text = outcomeText(out);
    EXPECT_TRUE(text.contains(QStringLiteral("거부된 행과 그 사유: ")));
    EXPECT_TRUE(text.contains(QStringLiteral("a-거부된행.csv")));
    EXPECT_TRUE(text.endsWith(QStringLiteral("(원본 파일의 폴더에 쓸 수 없어 데이터베이스 폴더에 저장했습니다.)")));
}

TEST(ImportReport, APreviewRowShowsARefusedRowAsTypedAndAnyOtherAsStored)
{
    ImportPlan plan;
    plan.target = ImportTarget::Animals;
    plan.mapping = ColumnMapping(importFields(plan.target).size());
    const int number = fieldIndex(plan.target, QStringLiteral("개체번호"));
    const int sex = fieldIndex(plan.target, QStringLiteral("구분"));
    const int name = fieldIndex(plan.target, QStringLiteral("별명"));
    plan.mapping[number].column = 0;
    plan.mapping[sex].column = 1;
    plan.mapping[name].fallback = QStringLiteral("기본");  // no column, yet a value: listed
    const QList<int> fields = previewFields(plan);
    EXPECT_EQ(fields, (QList<int>{number, sex, name}));

    const QStringList cells = {" KR1 ", "암"};
    const RowVerdict refused{.verdict = Verdict::Refused, .detail = QStringLiteral("생일이 틀림"), .values = {}};
    EXPECT_EQ(previewRow(plan, fields, cells, 4, refused),
              (QStringList{"4", "거부", "생일이 틀림", "KR1", "암", "기본"}));
    QStringList stored(importFields(plan.target).size());
    stored[number] = QStringLiteral("KR1");
    stored[sex] = QStringLiteral("암소");
    stored[name] = QStringLiteral("기본");
    const RowVerdict fresh{.verdict = Verdict::New, .detail = {}, .values = stored};
    EXPECT_EQ(previewRow(plan, fields, cells, 2, fresh), (QStringList{"2", "신규", "", "KR1", "암소", "기본"}));
}
}  // namespace
