// The body-measurement tab: the age required but free text, the ten measurements checked in
// order, empty ones stored as 0, and every column filled on load and on save.
#include "HistoryTabFixture.h"
#include "history/model/BodyHistory.h"

namespace {
const QStringList kMeasurements = {"체고", "십자부고", "체장",   "흉심", "흉폭",
                                   "흉위", "고장",     "요각폭", "곤폭", "좌골폭"};

class BodyMeasurementTest : public HistoryTabFixture {
protected:
    void SetUp() override { start(bodyHistory(), kAnimal); }
    const QString kAnimal = "C-3";
};
}  // namespace

TEST_F(BodyMeasurementTest, TheAgeIsRequiredAndTheFirstBadMeasurementIsReported)
{
    expectRefused({{"월령", "   "}, {"체고", "x"}}, entry::missing("월령", "월령을 입력해 주세요."));
    // Each measurement in turn spoilt, with every later one spoilt too: the first is reported.
    for (int i = 0; i < kMeasurements.size(); ++i) {
        SCOPED_TRACE(kMeasurements[i].toStdString());
        QList<std::pair<QString, QString>> texts = {{"월령", "12"}};
        for (int j = 0; j < kMeasurements.size(); ++j)
            texts.append({kMeasurements[j], j < i ? "100" : (j == i && i % 2 ? "-3" : "12cm")});
        expectRefused(texts, entry::invalidValue(kMeasurements[i]));
    }
}

TEST_F(BodyMeasurementTest, AnAgeWithWordsIsKeptAndEmptyMeasurementsAreStoredAsZero)
{
    withNew([&](HistoryEntryDialog& d) {
        d.textBox("월령")->setText(" 12개월 ");
        d.textBox("측정자")->setText("정측정");
        d.textBox("흉위")->setText("182.5");
        d.textBox("좌골폭")->setText(" 19 ");
        EXPECT_TRUE(saveYes(d));
    });
    EXPECT_EQ(farm.messages().last().text, "체척을 신규등록하시겠습니까?");
    EXPECT_EQ(stored(kAnimal, 20240510),
              QStringList({"12개월", "20240510", "정측정", "0", "0", "0", "0", "0", "182.5", "0", "0", "0", "19"}));
    // Column 9 is 흉위 and column 13 좌골폭, written as typed ...
    EXPECT_EQ(gridRow(tab->grid(), 1),
              QStringList({" 12개월 ", "2024-05-10", "정측정", "", "", "", "", "", "182.5", "", "", "", " 19 "}));
    // ... and loaded.
    tab->reload(kAnimal);
    EXPECT_EQ(gridRow(tab->grid(), 1),
              QStringList({"12개월", "2024-05-10", "정측정", "0", "0", "0", "0", "0", "182.5", "0", "0", "0", "19"}));
}

TEST_F(BodyMeasurementTest, AChangeLoadsEveryMeasurement)
{
    farm.exec("insert into 체척 values(?, '24', 20231010, '정측정', 125, 128, 150, 68, 45, 185, 50, 48, 44, 20)",
              {kAnimal});
    tab->reload(kAnimal);
    const QStringList values = {"125", "128", "150", "68", "45", "185", "50", "48", "44", "20"};
    EXPECT_EQ(gridRow(tab->grid(), 1), QStringList({"24", "2023-10-10", "정측정"}) + values);
    withChange(1, [&](HistoryEntryDialog& d) {
        EXPECT_EQ(d.textBox("월령")->text(), "24");
        EXPECT_EQ(d.textBox("측정자")->text(), "정측정");
        EXPECT_EQ(d.datePicker("측정일")->date(), QDate(2023, 10, 10));
        for (int i = 0; i < kMeasurements.size(); ++i)
            EXPECT_EQ(d.textBox(kMeasurements[i])->text(), values[i]) << kMeasurements[i].toStdString();
        d.textBox("요각폭")->clear();
        EXPECT_TRUE(saveYes(d));
    });
    EXPECT_EQ(stored(kAnimal, 20231010)[10], "0");
    EXPECT_EQ(gridRow(tab->grid(), 1)[10], "");
}
