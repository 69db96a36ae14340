// The weighing and ultrasound tab: its checks in order, empty numbers stored as 0, the row a
// save writes as typed, and LoadRecord of a change.
#include "HistoryTabFixture.h"
#include "history/model/UltrasoundHistory.h"

namespace {

class UltrasoundTest : public HistoryTabFixture {
protected:
    void SetUp() override { start(ultrasoundHistory(), kAnimal, 1); }
    const QString kAnimal = "B-7";

    // Sets the boxes named in `texts`, in order.
    static void type(HistoryEntryDialog& d, const QList<std::pair<QString, QString>>& texts)
    {
        for (const auto& [box, text] : texts) d.textBox(box)->setText(text);
    }
};
}  // namespace

TEST_F(UltrasoundTest, EachCheckInOrderWithItsMessageAndFocus)
{
    farm.exec("insert into 초음파측정(개체번호, 개체능력, 측정일) values(?, '육성', ?)", {kAnimal, dn(kToday)});
    tab->reload(kAnimal);
    using namespace entry;
    const struct {
        const char* what;
        QList<std::pair<QString, QString>> texts;
        EntryCheck refusal;
    } cases[] = {
        {"no performance", {{"개체능력", "  "}, {"체중", "x"}}, missing("개체능력", "개체능력을 입력해 주세요.")},
        {"a weight in words", {{"체중", "사백"}, {"등심단면적", "x"}}, invalidValue("체중")},
        {"a negative weight", {{"체중", "-450"}}, invalidValue("체중")},
        {"a weight of hundreds of digits", {{"체중", QString(300, '9')}}, invalidValue("체중")},
        {"loin eye with a letter", {{"등심단면적", "8O"}, {"등지방두께", "x"}}, invalidValue("등심단면적")},
        {"backfat twice pointed", {{"등지방두께", "1..2"}, {"근내지방도", "x"}}, invalidValue("등지방두께")},
        {"a negative marbling", {{"근내지방도", "-1"}}, invalidValue("근내지방도")},
        {"today is in the grid", {{"체중", "450"}}, duplicateDate("측정일", "측정일를 다시 선택해 주세요.")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        expectRefused(QList<std::pair<QString, QString>>{{"개체능력", "육성"}} + c.texts, c.refusal);
    }
}

TEST_F(UltrasoundTest, EmptyNumbersAreStoredAsZeroAndShownAsTypedUntilAReload)
{
    withNew([&](HistoryEntryDialog& d) {
        // The performance is a label, not a number; only the weights and scores are checked.
        type(d, {{"개체능력", " 육성기 "}, {"초음파기기", "HS-1500"}, {"판정자", "이판정"}});
        EXPECT_TRUE(saveYes(d));
    });
    EXPECT_EQ(stored(kAnimal, 20240510),
              QStringList({"육성기", "20240510", "0", "HS-1500", "0", "0", "0", "", "이판정", ""}));
    EXPECT_EQ(gridRow(tab->grid(), 1),
              QStringList({" 육성기 ", "2024-05-10", "", "HS-1500", "", "", "", "", "이판정", ""}));
    tab->reload(kAnimal);
    EXPECT_EQ(gridRow(tab->grid(), 1),
              QStringList({"육성기", "2024-05-10", "0", "HS-1500", "0", "0", "0", "", "이판정", ""}));
}

TEST_F(UltrasoundTest, AChangeLoadsTheRecordAndRewritesItsRow)
{
    farm.exec(
        "insert into 초음파측정 values(?, '비육', 20231102, 612.5, 'HS-2000', 88.1, 9.5, 6, '김측정', '박판정', "
        "'1++')",
        {kAnimal});
    farm.exec("insert into 초음파측정(개체번호, 개체능력, 측정일, 체중) values(?, '육성', 20230501, 300)", {kAnimal});
    tab->reload(kAnimal);
    EXPECT_EQ(gridRow(tab->grid(), 2),
              QStringList({"비육", "2023-11-02", "612.5", "HS-2000", "88.1", "9.5", "6", "김측정", "박판정", "1++"}));

    withChange(2, [&](HistoryEntryDialog& d) {
        EXPECT_EQ(d.key(), "20231102");
        const QList<std::pair<QString, QString>> loaded = {
            {"개체능력", "비육"},   {"체중", "612.5"},     {"초음파기기", "HS-2000"},
            {"등심단면적", "88.1"}, {"등지방두께", "9.5"}, {"근내지방도", "6"},
            {"측정자", "김측정"},   {"판정자", "박판정"},  {"예상등급", "1++"}};
        for (const auto& [box, text] : loaded) EXPECT_EQ(d.textBox(box)->text(), text) << box.toStdString();
        EXPECT_EQ(d.datePicker("측정일")->date(), QDate(2023, 11, 2));
        type(d, {{"체중", "620"}, {"근내지방도", " 7 "}, {"예상등급", "1+"}});
        EXPECT_TRUE(saveYes(d));
    });
    EXPECT_EQ(farm.messages().last().text, "초음파측정을 수정하시겠습니까?");
    EXPECT_EQ(stored(kAnimal, 20231102),
              QStringList({"비육", "20231102", "620", "HS-2000", "88.1", "9.5", "7", "김측정", "박판정", "1+"}));
    EXPECT_EQ(gridRow(tab->grid(), 2),
              QStringList({"비육", "2023-11-02", "620", "HS-2000", "88.1", "9.5", " 7 ", "김측정", "박판정", "1+"}));
    EXPECT_EQ(gridRow(tab->grid(), 1)[2], "300");
    EXPECT_EQ(tab->rowCount(), 2);
}
