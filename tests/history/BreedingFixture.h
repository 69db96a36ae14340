#pragma once
// A cow with a breeding tab hosted in a plain window, and a driver for the modal dialog.
#include "data/Clock.h"
#include "data/Globals.h"
#include "history/HistoryEntryDialog.h"
#include "history/HistoryTab.h"
#include "history/model/BreedingHistory.h"
#include "kit/Grid.h"
#include "support/ModalDriver.h"
#include "support/TestFarm.h"
#include "support/TestHelpers.h"

#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <functional>
#include <memory>
#include <ostream>

// The day number of a date written as year, month, day.
inline qint64 n(int y, int m, int d)
{
    return dn(QDate(y, m, d));
}

class BreedingFixture : public FarmTest {
protected:
    const QDate kToday{2024, 5, 10};
    const QString kCow = QStringLiteral("002");

    void SetUp() override
    {
        setTodayOverride(kToday);
        ASSERT_TRUE(farm.open());
        farm.addAnimal(kCow, 0);
        host = std::make_unique<QWidget>();
        tab = new HistoryTab(breedingHistory(), host.get());
    }
    void TearDown() override { host.reset(); }

    QPushButton* button(const char* name) { return tab->findChild<QPushButton*>(QString::fromUtf8(name)); }

    // Runs `body` on the breeding dialog of 신규등록 (of 수 정 on `row`); a dialog still open
    // afterwards is cancelled, and the test fails when none opens.
    bool withNew(const std::function<void(HistoryEntryDialog&)>& body)
    {
        return driveModal<HistoryEntryDialog>(button("cmdInsert1"), body);
    }
    bool withChange(int row, const std::function<void(HistoryEntryDialog&)>& body)
    {
        tab->grid()->setActiveCell(1, row);
        return driveModal<HistoryEntryDialog>(button("cmdUpate1"), body);
    }

    // The least a new record needs: parity, count and semen number.
    static void fillRequired(HistoryEntryDialog& d)
    {
        d.textBox("산차")->setText(QStringLiteral("1"));
        d.textBox("회수")->setText(QStringLiteral("2"));
        d.textBox("정액번호")->setText(QStringLiteral("KPN-950"));
        d.textBox("BCS")->setText(QStringLiteral("5"));
    }

    // One stored record as text, in the table's column order after 개체번호.
    QStringList stored(qint64 inseminated)
    {
        QStringList r;
        for (const char* c : {"산차", "회수", "수정일", "정액번호", "공란우", "예정일", "BCS", "판정일", "가부",
                              "분만일", "송아지번호", "성별", "분만난이도", "인공수정자", "생시체중", "비고"})
            r << farm.scalar(QStringLiteral("select \"%1\" from 번식기록 where 개체번호 = ? and 수정일 = ?")
                                 .arg(QString::fromUtf8(c)),
                             {kCow, inseminated});
        return r;
    }

    std::unique_ptr<QWidget> host;
    HistoryTab* tab = nullptr;
};
