// The kit's rules the weighing, body and treatment histories rely on, and their definitions
// checked against their tables: a grid row loaded by each field's kind, grid columns in tab
// order, and weights and lengths that are never negative.
#include "data/Schema.h"
#include "history/model/BodyHistory.h"
#include "history/model/BreedingHistory.h"
#include "history/model/TreatmentHistory.h"
#include "history/model/UltrasoundHistory.h"
#include "support/TestFarm.h"

#include <QSqlRecord>

namespace {
using namespace entry;

// Every kind of field, with a group behind a check-box date.
HistoryDefinition everyKind()
{
    HistoryDefinition h = historyNamed(9, "백신접종", "시험", "시험 등록/수정", "날짜");
    h.fields = {dateField("날짜", "날짜"),
                textField("증상", "증상"),
                checkedDateField("구입일", "구입일"),
                textField("구입처", "구입처").inGroup("구입일"),
                choiceField("처치", "처치", {{"SSOption1", "주사"}, {"SSOption2", "투약"}}),
                dateField("만료일", "만료일")};
    return h;
}

QSqlRecord recordOf(const QString& select)
{
    QSqlQuery q = runQuery(select);
    q.next();
    return q.record();
}
}  // namespace

TEST(HistoryKitRows, AStoredRecordIsShownByEachFieldsKind)
{
    TestFarm farm;
    ASSERT_TRUE(farm.open());
    const HistoryDefinition h = everyKind();
    EXPECT_EQ(h.gridColumns(), (QStringList{"날짜", "증상", "구입일", "구입처", "처치", "만료일"}));
    EXPECT_EQ(h.keyColumn(), 1);
    const struct {
        const char* select;
        QStringList row;
    } cases[] = {
        // A plain date always shows, 0 as zeros; a check-box date and its group only when set.
        {"select 20240510 as 날짜, ' 기침 ' as 증상, 20240501 as 구입일, '약국' as 구입처, 1 as 처치, 0 as 만료일",
         {"2024-05-10", "기침", "2024-05-01", "약국", "투약", "0000-00-00"}},
        {"select 0 as 날짜, null as 증상, 0 as 구입일, '창고' as 구입처, 0 as 처치, 20240601 as 만료일",
         {"0000-00-00", "", "", "", "주사", "2024-06-01"}},
        {"select 20240510 as 날짜, '' as 증상, null as 구입일, '창고' as 구입처, -1 as 처치, 20240601 as 만료일",
         {"2024-05-10", "", "", "", "투약", "2024-06-01"}},
    };
    for (const auto& c : cases) {
        const QSqlRecord r = recordOf(c.select);
        EXPECT_EQ(history::loadedRow(h, StoredRecord(r)), c.row) << c.select;
    }

    // A history's own loader wins over the kinds.
    HistoryDefinition own = h;
    own.loadedRow = [](const StoredRecord& r) { return QStringList{r.text("증상") + "!"}; };
    EXPECT_EQ(history::loadedRow(own, StoredRecord(recordOf("select 'a' as 증상"))), QStringList{"a!"});
}

TEST(HistoryKitRows, GridColumnsAreTheFieldsUnlessNamed)
{
    HistoryDefinition h = everyKind();
    h.gridFields = {"증상", "날짜"};
    EXPECT_EQ(h.gridColumns(), (QStringList{"증상", "날짜"}));
    EXPECT_EQ(h.keyColumn(), 2);
    EntryValues v = history::openingValues(h, QDate(2024, 5, 10));
    v.texts["증상"] = " 기침 ";
    EXPECT_EQ(history::savedRow(h, v), (QStringList{" 기침 ", "2024-05-10"}));
}

TEST(HistoryKitChecks, AmountsAreNumbersNotBelowZeroWhenFilled)
{
    HistoryDefinition h;
    h.checks = amountsIfFilled({"체중", "체고"});
    const struct {
        QString weight, height;
        CheckResult result;
    } cases[] = {
        {"", " ", std::nullopt},
        {"0", "120.5", std::nullopt},
        {" 1,025 ", "0.0", std::nullopt},
        {"-0.5", "", invalidValue("체중")},
        {"사백", "x", invalidValue("체중")},
        {"400", "-1", invalidValue("체고")},
        {QString(400, '9'), "", invalidValue("체중")},  // no weight has hundreds of digits
        {"1e3", "", invalidValue("체중")},
    };
    for (const auto& c : cases) {
        EntryValues v;
        v.texts = {{"체중", c.weight}, {"체고", c.height}};
        EXPECT_EQ(history::check(h, v), c.result) << c.weight.left(20).toStdString() << " / " << c.height.toStdString();
    }
}

TEST(HistoryDefinitions, EachCoversItsTableAndNamesItsTexts)
{
    const struct {
        const HistoryDefinition& h;
        int number, keyColumn;
        QString delete_, new_, change, duplicate;
    } cases[] = {
        {ultrasoundHistory(), 2, 2, "선택하신 초음파측정 내역을 삭제하시겠습니까?",
         "초음파측정을 신규등록하시겠습니까?", "초음파측정을 수정하시겠습니까?", "측정일를 다시 선택해 주세요."},
        {bodyHistory(), 3, 2, "선택하신 체척 내역을 삭제하시겠습니까?", "체척을 신규등록하시겠습니까?",
         "체척을 수정하시겠습니까?", "측정일를 다시 선택해 주세요."},
        {treatmentHistory(), 4, 1, "선택하신 백신접종 내역을 삭제하시겠습니까?", "백신접종을 신규등록하시겠습니까?",
         "백신접종을 수정하시겠습니까?", "날짜를 다시 선택해 주세요."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.h.table.toStdString());
        for (const QString& column : tableDef(c.h.table).columnNames()) {
            if (column != "개체번호") {
                EXPECT_NE(c.h.field(column), nullptr) << column.toStdString();
            }
        }
        EXPECT_EQ(c.h.number, c.number);
        EXPECT_EQ(c.h.gridColumns().size(), c.h.headers.size());
        EXPECT_EQ(c.h.columnChars.size(), c.h.headers.size());
        EXPECT_EQ(c.h.keyColumn(), c.keyColumn);
        EXPECT_EQ(c.h.deleteQuestion(), c.delete_);
        EXPECT_EQ(c.h.newQuestion(), c.new_);
        EXPECT_EQ(c.h.changeQuestion(), c.change);
        EXPECT_EQ(c.h.duplicateDateMessage(), c.duplicate);
        EXPECT_FALSE(c.h.follow.has_value());
    }
    // The breeding history keeps its own names.
    EXPECT_EQ(breedingHistory().number, 1);
    EXPECT_EQ(breedingHistory().dialogCaption, "번식기록 등록/수정");
    EXPECT_EQ(breedingHistory().keyColumn(), 3);
}
