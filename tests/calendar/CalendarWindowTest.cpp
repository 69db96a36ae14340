// The farm calendar window on a small farm: the month's counts per day and kind, a day's list,
// another month, the record form of a listed animal, and the file for the phone (saved, cancelled,
// nothing to send). With TARVIK_SHOTS set to a folder, the window on the sample farm is saved
// there as a PNG at its smallest size, to look at.
#include "calendar/CalendarWindow.h"
#include "calendar/MonthView.h"
#include "data/Clock.h"
#include "data/Db.h"
#include "data/SampleFarm.h"
#include "kit/Grid.h"
#include "registry/CowRecordForm.h"
#include "registry/SearchWindow.h"
#include "support/AccessibilityCheck.h"
#include "support/TestFarm.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>

using namespace calendar;

namespace {

const QDate kWindowToday(2026, 4, 10);

class CalendarWindowFarm : public FarmTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(farm.open());
        setTodayOverride(kWindowToday);
        // Served 2026-03-25, not checked: re-estrus 2026-04-14; served 2026-04-20: re-estrus in May.
        farm.addAnimal(QStringLiteral("COW-A"), 0, 20200101, {{QStringLiteral("우방번호"), QStringLiteral("1-1")}});
        farm.addBreeding(QStringLiteral("COW-A"), 20260325);
        farm.addAnimal(QStringLiteral("COW-C"), 0, 20200101, {{QStringLiteral("우방번호"), QStringLiteral("1-3")}});
        farm.addBreeding(QStringLiteral("COW-C"), 20260420);
        // Both vaccinated lately: no dose falls due in these two months.
        for (const char* cow : {"COW-A", "COW-C"}) {
            farm.exec(QStringLiteral("insert into 백신접종(개체번호, 날짜, 처치, 만료일) values(?, 20250101, '구제역', "
                                     "20250101)"),
                      {QString::fromUtf8(cow)});
            farm.exec(QStringLiteral("insert into 백신접종(개체번호, 날짜, 처치, 만료일) values(?, 20260301, '구제역', "
                                     "20260301)"),
                      {QString::fromUtf8(cow)});
        }
    }
    void TearDown() override { setTodayOverride(QDate()); }
};

TEST_F(CalendarWindowFarm, ShowsEachDaysItemsAndAnotherMonth)
{
    CalendarWindow w;
    EXPECT_TRUE(controlsHeardByControlName(&w).isEmpty()) << controlsHeardByControlName(&w).join(u' ').toStdString();
    EXPECT_EQ(w.month()->selectedDate(), kWindowToday);
    EXPECT_EQ(w.month()->count(QDate(2026, 4, 14), ItemKind::Reestrus), 1);
    EXPECT_EQ(w.month()->count(QDate(2026, 4, 15), ItemKind::Reestrus), 0);
    EXPECT_EQ(w.dayTitle()->text(), QStringLiteral("2026년 4월 10일 (금) · 일정 없음"));
    EXPECT_FALSE(w.openButton()->isEnabled());

    w.month()->setSelectedDate(QDate(2026, 4, 14));
    EXPECT_EQ(w.dayTitle()->text(), QStringLiteral("2026년 4월 14일 (화) · 1건"));
    ASSERT_EQ(w.dayList()->maxRows(), 1);
    EXPECT_EQ(w.dayList()->rowTexts(1).mid(0, 3),
              (QStringList{QStringLiteral("재발정 확인"), QStringLiteral("COW-A"), QStringLiteral("1-1")}));
    EXPECT_TRUE(w.openButton()->isEnabled());
    EXPECT_EQ(w.month()->dayText(QDate(2026, 4, 14)), QStringLiteral("4월 14일: 재발정 확인 1건"));

    // May reads its own items; the other cow's re-estrus falls on 2026-05-10.
    w.month()->setCurrentPage(2026, 5);
    EXPECT_EQ(w.month()->count(QDate(2026, 5, 10), ItemKind::Reestrus), 1);
    w.showDay(QDate(2026, 5, 10));
    EXPECT_EQ(w.dayList()->cellText(2, 1), QStringLiteral("COW-C"));
    w.todayButton()->click();
    EXPECT_EQ(w.month()->monthShown(), 4);
}

TEST_F(CalendarWindowFarm, ALineOpensItsAnimalsRecordForm)
{
    CalendarWindow w;
    w.show();
    w.showDay(QDate(2026, 4, 14));
    QString asked;
    w.useRecordOpener([&](QWidget*, const QString& number) { asked = number; });
    emit w.dayList()->dblClick(2, 1);
    EXPECT_EQ(asked, QStringLiteral("COW-A"));

    // The real opener: a search list of its own with the cow's form, closed with the calendar.
    CalendarWindow real;
    real.show();
    real.showDay(QDate(2026, 4, 14));
    real.openButton()->click();
    auto* list = real.findChild<SearchWindow*>();
    ASSERT_TRUE(list);
    ASSERT_TRUE(list->cowForm());
    EXPECT_TRUE(list->cowForm()->isVisible());
    EXPECT_EQ(list->cowForm()->storedNumber().trimmed(), QStringLiteral("COW-A"));
    list->cowForm()->closeForm();
}

TEST_F(CalendarWindowFarm, SendsTheComingDaysToThePhoneOrSaysThereIsNothing)
{
    QTemporaryDir dir;
    CalendarWindow w;
    int asked = 0;
    QString answer;
    w.useFileChooser([&](QWidget*, const QString& suggested) {
        ++asked;
        EXPECT_TRUE(suggested.endsWith(QStringLiteral("농장 달력 2026-04-10.ics"))) << suggested.toStdString();
        return answer;
    });
    // Cancelled: nothing written, nothing said.
    EXPECT_FALSE(w.sendToPhone());
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(farm.messages().count(), 0);

    answer = dir.filePath(QStringLiteral("달력.ics"));
    EXPECT_TRUE(w.sendToPhone());
    ASSERT_EQ(farm.messages().count(), 1);
    EXPECT_TRUE(farm.messages().last().text.startsWith(
        QStringLiteral("휴대폰 달력 파일을 저장했습니다. 앞으로 60일의 일정 2개가 들어 있습니다.")))
        << farm.messages().last().text.toStdString();
    QFile file(answer);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray ics = file.readAll();
    EXPECT_TRUE(ics.startsWith("BEGIN:VCALENDAR\r\n"));
    EXPECT_EQ(ics.count("BEGIN:VEVENT"), 2);
    EXPECT_TRUE(ics.contains("DTSTART;VALUE=DATE:20260414"));

    // Ten days hold nothing: said so, and no file asked for.
    w.phoneDays()->setValue(3);
    EXPECT_FALSE(w.sendToPhone());
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(farm.messages().last().text, QStringLiteral("앞으로 3일 동안 달력에 올릴 일정이 없습니다."));

    // A folder that is not there: the save's own warning.
    w.phoneDays()->setValue(60);
    answer = dir.filePath(QStringLiteral("없는 폴더/달력.ics"));
    EXPECT_FALSE(w.sendToPhone());
    EXPECT_TRUE(farm.messages().last().text.startsWith(QStringLiteral("파일을 만들 수 없습니다.")));
}

TEST(CalendarWindowSample, LooksWholeOnTheSampleFarm)
{
    TestFarm farm;
    ASSERT_TRUE(farm.open());
    SampleFarmOptions o;
    o.today = QDate(2026, 12, 10);
    setTodayOverride(o.today);
    ASSERT_EQ(writeSampleFarm(gConn, o), QString());
    CalendarWindow w;
    w.resize(1280, 800);
    w.show();
    QApplication::processEvents();
    int items = 0;
    for (QDate d = w.month()->firstShownDay(); d <= w.month()->lastShownDay(); d = d.addDays(1))
        for (ItemKind k : kItemKinds) items += w.month()->count(d, k);
    EXPECT_GT(items, 5);
    EXPECT_GT(w.month()->count(o.today, ItemKind::Vaccination), 0) << "the overdue doses stand on today";
    if (const QString shots = qEnvironmentVariable("TARVIK_SHOTS"); !shots.isEmpty())
        w.grab().save(QDir(shots).filePath(QStringLiteral("농장달력.png")));
    w.close();
    setTodayOverride(QDate());
}

}  // namespace
