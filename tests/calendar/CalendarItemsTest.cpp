// The calendar's items from every source, on a fixture farm.
#include "calendar/model/CalendarItems.h"
#include "calendar/model/ICalendar.h"
#include "data/Db.h"
#include "support/ExportReaders.h"
#include "support/TestFarm.h"

#include <gtest/gtest.h>
#include <QJsonArray>
#include <QTemporaryDir>

using namespace calendar;

namespace {

const QDate kCalendarToday(2026, 4, 10);

// A farm with one item of each kind in April 2026 and a few that must stay out.
class CalendarFarm : public FarmTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(farm.open());
        auto treat = [&](const char* number, qint64 day, const char* treatment, qint64 end) {
            farm.exec(QStringLiteral("insert into 백신접종(개체번호, 날짜, 증상, 처치, 만료일) values(?, ?, '', ?, ?)"),
                      {QString::fromUtf8(number), day, QString::fromUtf8(treatment), end});
        };
        // Doses that leave the next one due 2026-05-19, after the month.
        auto vaccinated = [&](const char* number) {
            treat(number, 20250101, "구제역", 20250101);
            treat(number, 20251120, "구제역", 20251120);
        };
        // Served 2026-03-25, not yet checked: re-estrus 2026-04-14. Also served 2026-04-20: its
        // re-estrus falls in May.
        farm.addAnimal(QStringLiteral("COW-A"), 0, 20200101, {{QStringLiteral("우방번호"), QStringLiteral("1-1")}});
        vaccinated("COW-A");
        farm.addBreeding(QStringLiteral("COW-A"), 20260325);
        farm.addAnimal(QStringLiteral("COW-A2"), 0, 20200101, {{QStringLiteral("우방번호"), QStringLiteral("1-1")}});
        vaccinated("COW-A2");
        farm.addBreeding(QStringLiteral("COW-A2"), 20260420);
        // Pregnant from 2025-07-10: calving expected 2026-04-16 by the daily list's rule. Her
        // vaccination was due 2025-12-01, 136 days before the calving: overdue, not skipped.
        farm.addAnimal(QStringLiteral("COW-B"), 0, 20200101, {{QStringLiteral("우방번호"), QStringLiteral("1-2")}});
        treat("COW-B", 20250101, "구제역", 20250101);
        treat("COW-B", 20250604, "구제역", 20250604);
        farm.addBreeding(QStringLiteral("COW-B"), 20250710,
                         {{QStringLiteral("판정일"), 20250910}, {QStringLiteral("가부"), 0}});
        // A calf due its first dose on 2026-04-20; an antibiotic ending 2026-04-15 and treatments
        // without withdrawal, which mark no end.
        farm.addAnimal(QStringLiteral("CALF"), 1, 20260219, {{QStringLiteral("우방번호"), QStringLiteral("2-1")}});
        treat("CALF", 20260405, "엔로플록사신, 주사", 20260415);
        treat("CALF", 20260408, "비타민", 20260408);  // no withdrawal
        treat("COW-A2", 20260412, "비타민", 20260412);
        // A castrated steer to be shipped 2026-04-25; a sold cow and a shipped bull whose
        // planned days fall in April too.
        farm.addAnimal(QStringLiteral("STEER"), 1, 20240101,
                       {{QStringLiteral("우방번호"), QStringLiteral("3-1")},
                        {QStringLiteral("판매일"), 20240701},
                        {QStringLiteral("출하예정일"), 20260425}});
        vaccinated("STEER");
        farm.addAnimal(QStringLiteral("SOLD"), 0, 20200101,
                       {{QStringLiteral("판매일"), 20260301}, {QStringLiteral("출하예정일"), 20260426}});
        farm.addAnimal(QStringLiteral("SHIPPED"), 1, 20240101,
                       {{QStringLiteral("출하일"), 20260301}, {QStringLiteral("출하예정일"), 20260427}});
    }

    static QStringList shown(const QList<CalendarItem>& items)
    {
        QStringList out;
        for (const CalendarItem& i : items)
            out << QStringLiteral("%1 %2 %3 %4 %5")
                       .arg(i.date.toString(Qt::ISODate), kindText(i.kind), i.number, i.pen, i.text)
                       .trimmed();
        return out;
    }
};

}  // namespace

TEST_F(CalendarFarm, EverySourceOnItsDayInTheMonth)
{
    // An overdue dose stands on today; COW-A2's re-estrus (May 10) and everyone's next regular
    // dose (May 19) fall after the month, and the sold and shipped animals have no item.
    const QList<CalendarItem> april = calendarItems(QDate(2026, 4, 1), QDate(2026, 4, 30), kCalendarToday);
    EXPECT_EQ(shown(april), (QStringList{
                                QStringLiteral("2026-04-10 예방접종 COW-B 1-2 구제역 정기 (%1일 지남)")
                                    .arg(QDate(2025, 12, 1).daysTo(kCalendarToday)),
                                "2026-04-14 재발정 확인 COW-A 1-1 수정 2026-03-25",
                                "2026-04-15 휴약 종료 CALF 2-1 엔로플록사신, 주사",
                                "2026-04-16 분만 예정 COW-B 1-2 수정 2025-07-10",
                                "2026-04-20 예방접종 CALF 2-1 구제역 1차",
                                "2026-04-25 출하 예정 STEER 3-1",
                            }));
    EXPECT_EQ(shown(itemsOn(april, QDate(2026, 4, 16))), QStringList{"2026-04-16 분만 예정 COW-B 1-2 수정 2025-07-10"});

    // A range is closed at both ends; one without today has no overdue dose.
    EXPECT_EQ(shown(calendarItems(QDate(2026, 4, 14), QDate(2026, 4, 16), kCalendarToday)),
              (QStringList{"2026-04-14 재발정 확인 COW-A 1-1 수정 2026-03-25",
                           "2026-04-15 휴약 종료 CALF 2-1 엔로플록사신, 주사",
                           "2026-04-16 분만 예정 COW-B 1-2 수정 2025-07-10"}));
    EXPECT_TRUE(calendarItems(QDate(2026, 4, 30), QDate(2026, 4, 1), kCalendarToday).isEmpty());

    // The phone's 60 days from today reach May: COW-A2's re-estrus and the regular doses of the
    // cows (the steer's is skipped: 24 days after its planned shipment).
    const QList<CalendarItem> phone = phoneCalendarItems(kCalendarToday);
    EXPECT_EQ(phone.first().date, kCalendarToday);
    EXPECT_EQ(itemsOn(phone, QDate(2026, 5, 10)).value(0).number, QStringLiteral("COW-A2"));
    EXPECT_EQ(itemsOn(phone, QDate(2026, 5, 19)).size(), 2);
    for (const CalendarItem& i : phone) EXPECT_LE(i.date, kCalendarToday.addDays(kPhoneCalendarDays - 1));
}

TEST_F(CalendarFarm, ThePhoneCalendarOfTheFarmKeepsItsUidsFromOneDayToTheNext)
{
    farm.exec(QStringLiteral("update 농장정보 set 고유번호 = 'F-0012', 사업장명칭 = '햇살한우농장'"));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("farm.ics"));
    int events = 0;
    ASSERT_EQ(savePhoneCalendar(path, kCalendarToday, kPhoneCalendarDays, &events), ExportStatus::Saved);
    const QJsonObject first = readICalendar(path);
    ASSERT_FALSE(first.contains(QStringLiteral("error"))) << first[QStringLiteral("error")].toString().toStdString();
    EXPECT_EQ(first[QStringLiteral("calendar")][QStringLiteral("X-WR-CALNAME")].toString(),
              QStringLiteral("햇살한우농장 농장 달력"));
    const QJsonArray before = first[QStringLiteral("events")].toArray();
    EXPECT_EQ(before.size(), events);
    EXPECT_EQ(events, eventCountOf(phoneCalendarItems(kCalendarToday)));

    // The next day's export: the events of the days both cover keep their UIDs.
    ASSERT_EQ(savePhoneCalendar(path, kCalendarToday.addDays(1)), ExportStatus::Saved);
    const QJsonArray after = readICalendar(path)[QStringLiteral("events")].toArray();
    int kept = 0;
    for (const QJsonValue& e : after)
        for (const QJsonValue& b : before)
            if (b[QStringLiteral("start")] == e[QStringLiteral("start")] &&
                b[QStringLiteral("summary")].toString().section(u' ', 0, -2) ==
                    e[QStringLiteral("summary")].toString().section(u' ', 0, -2)) {
                EXPECT_EQ(b[QStringLiteral("uid")].toString(), e[QStringLiteral("uid")].toString());
                ++kept;
            }
    EXPECT_GE(kept, 4);
}
