// The treatment and vaccination tab: two required texts, the purchase stored only while its
// box is ticked (on new records and on changes), and dates shown always except the purchase.
#include "HistoryTabFixture.h"
#include "history/model/TreatmentHistory.h"

namespace {
class TreatmentTest : public HistoryTabFixture {
protected:
    void SetUp() override { start(treatmentHistory(), kAnimal, 1); }
    const QString kAnimal = "B-2";

    static void fill(HistoryEntryDialog& d)
    {
        d.textBox("증상")->setText("설사");
        d.textBox("처치")->setText("수액");
    }
    QString purchase(qint64 date)
    {
        const QStringList s = stored(kAnimal, date);
        return s.size() == 8 ? s[6] + "/" + s[7] : QString();
    }
};
}  // namespace

TEST_F(TreatmentTest, SymptomAndTreatmentAreRequiredNothingIsANumber)
{
    using entry::missing;
    expectRefused({{"증상", " "}, {"처치", "수액"}}, missing("증상", "증상을 입력해 주세요."));
    expectRefused({{"증상", "설사"}, {"처치", ""}}, missing("처치", "처치을 입력해 주세요."));
    expectRefused({}, missing("증상", "증상을 입력해 주세요."));
    withNew([&](HistoryEntryDialog& d) {
        d.textBox("증상")->setText("123");
        d.textBox("처치")->setText("-1");
        d.textBox("수의사")->setText("9e9");
        EXPECT_TRUE(saveYes(d));
    });
    EXPECT_EQ(farm.count("백신접종"), 1);
    expectRefused({{"증상", "설사"}, {"처치", "수액"}}, entry::duplicateDate("날짜", "날짜를 다시 선택해 주세요."));
}

TEST_F(TreatmentTest, APurchaseIsStoredOnlyWhileItsBoxIsTicked)
{
    // New, box clear: a place typed behind it is not stored; today is the date and the withdrawal end.
    withNew([&](HistoryEntryDialog& d) {
        fill(d);
        const QList<QWidget*> purchase = {d.datePicker("구입일"), d.textBox("구입처")};
        const QList<QWidget*> always = {d.datePicker("날짜"),   d.textBox("증상"),   d.textBox("처치"),
                                        d.datePicker("만료일"), d.textBox("수의사"), d.textBox("비고")};
        for (bool ticked : {false, true, false}) {
            if (ticked != d.dateBox("구입일")->isChecked()) d.dateBox("구입일")->click();
            for (QWidget* w : purchase) EXPECT_EQ(w->isEnabled(), ticked) << w->objectName().toStdString();
            for (QWidget* w : always) EXPECT_TRUE(w->isEnabled()) << w->objectName().toStdString();
            if (ticked) d.textBox("구입처")->setText("농협");
        }
        EXPECT_TRUE(saveYes(d));
    });
    EXPECT_EQ(stored(kAnimal, 20240510), QStringList({"20240510", "설사", "수액", "20240510", "", "", "0", ""}));
    EXPECT_EQ(gridRow(tab->grid(), 1), QStringList({"2024-05-10", "설사", "", "", "수액", "2024-05-10", "", ""}));

    // New, ticked.
    withNew([&](HistoryEntryDialog& d) {
        fill(d);
        d.datePicker("날짜")->setDate(QDate(2024, 5, 11));
        d.dateBox("구입일")->setChecked(true);
        EXPECT_EQ(d.datePicker("구입일")->date(), kToday);
        d.textBox("구입처")->setText(" 농협 ");
        d.datePicker("만료일")->setDate(QDate(2024, 5, 25));
        d.textBox("수의사")->setText("김수의");
        d.textBox("비고")->setText("호전");
        EXPECT_TRUE(saveYes(d));
    });
    EXPECT_EQ(stored(kAnimal, 20240511),
              QStringList({"20240511", "설사", "수액", "20240525", "김수의", "호전", "20240510", "농협"}));
    EXPECT_EQ(gridRow(tab->grid(), 2),
              QStringList({"2024-05-11", "설사", "2024-05-10", " 농협 ", "수액", "2024-05-25", "김수의", "호전"}));

    // Changed: the loaded purchase unticked is stored as none.
    withChange(2, [&](HistoryEntryDialog& d) {
        EXPECT_TRUE(d.dateBox("구입일")->isChecked());
        EXPECT_EQ(d.datePicker("구입일")->date(), kToday);
        EXPECT_EQ(d.textBox("구입처")->text(), "농협");
        EXPECT_EQ(d.datePicker("만료일")->date(), QDate(2024, 5, 25));
        EXPECT_EQ(d.textBox("수의사")->text(), "김수의");
        d.dateBox("구입일")->setChecked(false);
        EXPECT_TRUE(saveYes(d));
    });
    EXPECT_EQ(purchase(20240511), "0/");
    EXPECT_EQ(gridRow(tab->grid(), 2).mid(2, 2), QStringList({"", ""}));

    // Changed: a purchase added to a record without one.
    withChange(1, [&](HistoryEntryDialog& d) {
        EXPECT_FALSE(d.dateBox("구입일")->isChecked());
        EXPECT_EQ(d.textBox("구입처")->text(), "");
        d.dateBox("구입일")->setChecked(true);
        d.datePicker("구입일")->setDate(QDate(2024, 4, 30));
        d.textBox("구입처")->setText("동물약국");
        EXPECT_TRUE(saveYes(d));
    });
    EXPECT_EQ(purchase(20240510), "20240430/동물약국");
    EXPECT_EQ(gridRow(tab->grid(), 1).mid(2, 2), QStringList({"2024-04-30", "동물약국"}));
}

TEST_F(TreatmentTest, LoadedRowsShowThePurchaseOnlyWithItsDateAndTheOtherDatesAlways)
{
    farm.exec("insert into 백신접종 values(?, 20240301, '구제역', '접종', 0, '', '', 0, '창고')", {kAnimal});
    farm.exec(
        "insert into 백신접종 values(?, 20240302, '폐사', '', 20240310, '최수의', '원인: 고창', 20240228, '약방')",
        {kAnimal});
    tab->reload(kAnimal);
    EXPECT_EQ(gridRow(tab->grid(), 1), QStringList({"2024-03-01", "구제역", "", "", "접종", "0000-00-00", "", ""}));
    EXPECT_EQ(gridRow(tab->grid(), 2),
              QStringList({"2024-03-02", "폐사", "2024-02-28", "약방", "", "2024-03-10", "최수의", "원인: 고창"}));

    // A record without a purchase date opens with the box clear and no place, whatever is stored.
    withChange(1, [&](HistoryEntryDialog& d) {
        EXPECT_FALSE(d.dateBox("구입일")->isChecked());
        EXPECT_EQ(d.textBox("구입처")->text(), "");
        EXPECT_EQ(d.datePicker("구입일")->date(), kToday);
        EXPECT_EQ(d.datePicker("만료일")->date(), kToday);  // 0 is no date: the picker keeps today
    });
}
