// The calendar file for the phone, read back with a real iCalendar parser (python3-icalendar).
#include "calendar/model/ICalendar.h"
#include "data/FarmInfo.h"
#include "support/ExportReaders.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QJsonArray>
#include <QTemporaryDir>

using namespace calendar;

namespace {

const QDateTime kFirstExport(QDate(2026, 4, 10), QTime(6, 30), Qt::UTC);

CalendarItem icsItem(const QDate& day, ItemKind kind, const QString& number, const QString& pen, const QString& text)
{
    return {day, kind, number, pen, text};
}

// Three cows to check for re-estrus on one day, a dose on the same day, a shipment the next
// day; texts with the characters TEXT escapes, and enough Korean for folded lines.
QList<CalendarItem> icsItems()
{
    const QDate d(2026, 4, 14);
    return {icsItem(d, ItemKind::Reestrus, "KR002012345678", "1-1", "수정 2026-03-25"),
            icsItem(d, ItemKind::Vaccination, "KR002012345679", "", "구제역 정기 (5일 지남)"),
            icsItem(d, ItemKind::Reestrus, "KR002012345680", "1;2", "수정 2026-03-25, 인공수정"),
            icsItem(d, ItemKind::Reestrus, "KR002012345681", "3\\4", QString(60, u'한')),
            icsItem(d.addDays(1), ItemKind::Shipment, "KR002012345682", "5-1", {})};
}

QJsonObject eventWithUid(const QJsonArray& events, const QString& uid)
{
    for (const QJsonValue& e : events)
        if (e[QStringLiteral("uid")].toString() == uid) return e.toObject();
    return {};
}

QStringList uidsOf(const QJsonArray& events)
{
    QStringList uids;
    for (const QJsonValue& e : events) uids << e[QStringLiteral("uid")].toString();
    return uids;
}

}  // namespace

TEST(ICalendar, APhoneCalendarReadsOneAllDayEventPerDayAndKind)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(suggestedCalendarFileName(QDate(2026, 4, 10)));
    EXPECT_TRUE(path.endsWith(QStringLiteral("농장 달력 2026-04-10.ics")));
    ASSERT_EQ(
        saveICalendar(path, icsItems(), QStringLiteral("4100123"), QStringLiteral("햇살 농장 달력"), kFirstExport),
        ExportStatus::Saved);
    const QJsonObject ics = readICalendar(path);
    ASSERT_FALSE(ics.contains(QStringLiteral("error"))) << ics[QStringLiteral("error")].toString().toStdString();

    const QJsonObject cal = ics[QStringLiteral("calendar")].toObject();
    EXPECT_EQ(cal[QStringLiteral("VERSION")].toString(), QStringLiteral("2.0"));
    EXPECT_FALSE(cal[QStringLiteral("PRODID")].toString().isEmpty());
    EXPECT_EQ(cal[QStringLiteral("CALSCALE")].toString(), QStringLiteral("GREGORIAN"));
    EXPECT_EQ(cal[QStringLiteral("X-WR-CALNAME")].toString(), QStringLiteral("햇살 농장 달력"));

    const QJsonArray events = ics[QStringLiteral("events")].toArray();
    ASSERT_EQ(events.size(), 3);
    const QJsonObject reestrus = eventWithUid(events, eventUid(QDate(2026, 4, 14), ItemKind::Reestrus, "4100123"));
    EXPECT_EQ(reestrus[QStringLiteral("summary")].toString(), QStringLiteral("재발정 확인 3두"));
    EXPECT_EQ(reestrus[QStringLiteral("description")].toString(),
              QStringLiteral("KR002012345678 (우방 1-1) 수정 2026-03-25\n"
                             "KR002012345680 (우방 1;2) 수정 2026-03-25, 인공수정\n"
                             "KR002012345681 (우방 3\\4) ") +
                  QString(60, u'한'));
    EXPECT_EQ(reestrus[QStringLiteral("start")].toString(), QStringLiteral("2026-04-14"));
    EXPECT_EQ(reestrus[QStringLiteral("end")].toString(), QStringLiteral("2026-04-15"));
    EXPECT_TRUE(reestrus[QStringLiteral("allDay")].toBool());
    EXPECT_EQ(reestrus[QStringLiteral("stamp")].toString(), QStringLiteral("2026-04-10T06:30:00+00:00"));
    const QJsonObject vaccination =
        eventWithUid(events, eventUid(QDate(2026, 4, 14), ItemKind::Vaccination, "4100123"));
    EXPECT_EQ(vaccination[QStringLiteral("summary")].toString(), QStringLiteral("예방접종 1두"));
    EXPECT_EQ(vaccination[QStringLiteral("description")].toString(),
              QStringLiteral("KR002012345679 구제역 정기 (5일 지남)"));
    const QJsonObject shipment = eventWithUid(events, eventUid(QDate(2026, 4, 15), ItemKind::Shipment, "4100123"));
    EXPECT_EQ(shipment[QStringLiteral("summary")].toString(), QStringLiteral("출하 예정 1두"));
    EXPECT_EQ(shipment[QStringLiteral("end")].toString(), QStringLiteral("2026-04-16"));

    // The raw file: CRLF, no line over 75 octets, no character cut by a fold, and the long
    // description folded.
    EXPECT_TRUE(ics[QStringLiteral("crlf")].toBool());
    EXPECT_LE(ics[QStringLiteral("longest")].toInt(), 75);
    EXPECT_TRUE(ics[QStringLiteral("utf8")].toBool());
    EXPECT_GE(ics[QStringLiteral("folded")].toInt(), 3);
    QFile raw(path);
    ASSERT_TRUE(raw.open(QIODevice::ReadOnly));
    EXPECT_FALSE(raw.readAll().startsWith("\xEF\xBB\xBF"));
}

TEST(ICalendar, ASecondExportKeepsTheUidsOfTheSameDaysAndKinds)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("farm.ics"));
    ASSERT_EQ(saveICalendar(path, icsItems(), QStringLiteral("4100123"), QStringLiteral("달력"), kFirstExport),
              ExportStatus::Saved);
    const QJsonArray first = readICalendar(path)[QStringLiteral("events")].toArray();

    // A day later one more animal is due: the same three events, one of them with two animals,
    // and a new one; the file is replaced whole.
    QList<CalendarItem> later = icsItems();
    later << icsItem(QDate(2026, 4, 14), ItemKind::Vaccination, "KR9", "", "구제역 2차")
          << icsItem(QDate(2026, 4, 20), ItemKind::Calving, "KR8", "", "수정 2025-07-14");
    ASSERT_EQ(saveICalendar(path, later, QStringLiteral("4100123"), QStringLiteral("달력"), kFirstExport.addDays(1)),
              ExportStatus::Saved);
    const QJsonArray second = readICalendar(path)[QStringLiteral("events")].toArray();
    ASSERT_EQ(second.size(), 4);
    QStringList kept = uidsOf(second);
    kept.removeOne(eventUid(QDate(2026, 4, 20), ItemKind::Calving, "4100123"));
    EXPECT_EQ(kept, uidsOf(first));
    EXPECT_EQ(
        eventWithUid(second, eventUid(QDate(2026, 4, 14), ItemKind::Vaccination, "4100123"))[QStringLiteral("summary")]
            .toString(),
        QStringLiteral("예방접종 2두"));
    EXPECT_EQ(second[0][QStringLiteral("stamp")].toString(), QStringLiteral("2026-04-11T06:30:00+00:00"));

    // Another farm's calendar never takes this one's events; UIDs are unique in a file.
    EXPECT_NE(eventUid(QDate(2026, 4, 14), ItemKind::Reestrus, "4100123"),
              eventUid(QDate(2026, 4, 14), ItemKind::Reestrus, "4100124"));
    QStringList unique = uidsOf(second);
    unique.removeDuplicates();
    EXPECT_EQ(unique.size(), second.size());
}

TEST(ICalendar, LinesAreEscapedAndFoldedByOctets)
{
    EXPECT_EQ(escapedText(QStringLiteral("a\\b;c,d\r\ne")), QStringLiteral("a\\\\b\\;c\\,d\\ne"));

    const QByteArray ascii75(75, 'a');
    EXPECT_EQ(foldedLine(ascii75), ascii75 + "\r\n");
    EXPECT_EQ(foldedLine(ascii75 + "b"), ascii75 + "\r\n b\r\n");
    // 74 octets then a three-octet character: the character moves whole to the next line, and
    // continuation lines hold 74 octets after their blank.
    const QByteArray korean = QByteArray(74, 'a') + QStringLiteral("한").toUtf8() + QByteArray(80, 'c');
    const QList<QByteArray> lines = foldedLine(korean).split('\n');
    ASSERT_EQ(lines.size(), 4);  // three lines and the empty rest after the last line end
    EXPECT_EQ(lines[0], QByteArray(74, 'a') + "\r");
    EXPECT_EQ(lines[1], " " + QStringLiteral("한").toUtf8() + QByteArray(71, 'c') + "\r");
    EXPECT_EQ(lines[2], " " + QByteArray(9, 'c') + "\r");

    FarmInfo farm;
    EXPECT_EQ(farmKeyOf(farm), QStringLiteral("farm"));
    EXPECT_EQ(calendarNameOf(farm), QStringLiteral("농장 달력"));
    farm.사업장명칭 = QStringLiteral("햇살목장");
    farm.등록번호 = QStringLiteral(" 0012345 ");
    EXPECT_EQ(farmKeyOf(farm), QStringLiteral("0012345"));
    EXPECT_EQ(calendarNameOf(farm), QStringLiteral("햇살목장 농장 달력"));
}

TEST(ICalendar, AFileThatCannotBeWrittenLeavesNothing)
{
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("없는 폴더/farm.ics"));
    EXPECT_EQ(saveICalendar(missing, icsItems(), QStringLiteral("k"), QStringLiteral("달력"), kFirstExport),
              ExportStatus::CannotCreate);
    EXPECT_FALSE(QFile::exists(missing));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
}
