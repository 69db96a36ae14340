#include "calendar/model/ICalendar.h"

#include "data/FarmInfo.h"
#include "data/Values.h"

#include <QCryptographicHash>
#include <QSet>
#include <algorithm>
#include <map>
#include <utility>

namespace calendar {
namespace {

constexpr int kMaxLineOctets = 75;

// The first day a later export's events count as newer from (SEQUENCE is minutes since then).
const QDateTime kSequenceEpoch(QDate(2024, 1, 1), QTime(0, 0), Qt::UTC);

bool isContinuationByte(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

QString dateValue(const QDate& d)
{
    return formatDate(d, QStringLiteral("yyyymmdd"));
}

// An animal's line of an event's description: "KR… (우방 3-1) 구제역 2차".
QString animalLine(const CalendarItem& item)
{
    QString line = item.number;
    if (!item.pen.isEmpty()) line += QStringLiteral(" (우방 %1)").arg(item.pen);
    if (!item.text.isEmpty()) line += u' ' + item.text;
    return line;
}

class Writer {
public:
    void line(const QString& name, const QString& value) { m_out += foldedLine((name + u':' + value).toUtf8()); }
    QByteArray take() { return std::move(m_out); }

private:
    QByteArray m_out;
};

}  // namespace

QString farmKeyOf(const FarmInfo& farm)
{
    for (const QString& key : {farm.고유번호, farm.등록번호, farm.사업장명칭})
        if (!key.trimmed().isEmpty()) return key.trimmed();
    return QStringLiteral("farm");
}

QString calendarNameOf(const FarmInfo& farm)
{
    const QString name = farm.사업장명칭.trimmed();
    return name.isEmpty() ? QStringLiteral("농장 달력") : name + QStringLiteral(" 농장 달력");
}

QString escapedText(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'\\': out += QStringLiteral("\\\\"); break;
        case u';': out += QStringLiteral("\\;"); break;
        case u',': out += QStringLiteral("\\,"); break;
        case u'\n': out += QStringLiteral("\\n"); break;
        case u'\r': break;
        default: out += c;
        }
    }
    return out;
}

QByteArray foldedLine(const QByteArray& line)
{
    QByteArray out;
    qsizetype at = 0;
    int room = kMaxLineOctets;  // a continuation line's leading blank counts
    while (line.size() - at > room) {
        qsizetype cut = at + room;
        while (cut > at && isContinuationByte(line[cut])) --cut;
        out += line.mid(at, cut - at);
        out += "\r\n ";
        at = cut;
        room = kMaxLineOctets - 1;
    }
    out += line.mid(at);
    out += "\r\n";
    return out;
}

QString eventSummary(ItemKind kind, int animals)
{
    return QStringLiteral("%1 %2두").arg(kindText(kind)).arg(animals);
}

QString eventUid(const QDate& day, ItemKind kind, const QString& farmKey)
{
    const QByteArray hash = QCryptographicHash::hash(farmKey.toUtf8(), QCryptographicHash::Sha256).toHex().left(16);
    return QStringLiteral("%1-%2-%3@tarvik").arg(dateValue(day), kindCode(kind), QString::fromLatin1(hash));
}

QByteArray icalendarFile(const QList<CalendarItem>& items, const QString& farmKey, const QString& calendarName,
                         const QDateTime& stamp)
{
    // One event per day and kind, the animals in the order given.
    std::map<std::pair<QDate, int>, QList<const CalendarItem*>> events;
    for (const CalendarItem& i : items) {
        const int kind = int(std::find(std::begin(kItemKinds), std::end(kItemKinds), i.kind) - std::begin(kItemKinds));
        events[{i.date, kind}] << &i;
    }
    const QDateTime utc = stamp.toUTC();
    const QString stampValue = utc.toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'"));
    const QString sequence = QString::number(std::max<qint64>(0, kSequenceEpoch.secsTo(utc) / 60));

    Writer w;
    w.line(QStringLiteral("BEGIN"), QStringLiteral("VCALENDAR"));
    w.line(QStringLiteral("VERSION"), QStringLiteral("2.0"));
    w.line(QStringLiteral("PRODID"), QStringLiteral("-//Tarvik//한우암소관리 농장 달력//KO"));
    w.line(QStringLiteral("CALSCALE"), QStringLiteral("GREGORIAN"));
    w.line(QStringLiteral("METHOD"), QStringLiteral("PUBLISH"));
    w.line(QStringLiteral("X-WR-CALNAME"), escapedText(calendarName));
    for (const auto& [key, animals] : events) {
        const QDate day = key.first;
        const ItemKind kind = kItemKinds[key.second];
        QStringList lines;
        for (const CalendarItem* i : animals) lines << animalLine(*i);
        w.line(QStringLiteral("BEGIN"), QStringLiteral("VEVENT"));
        w.line(QStringLiteral("UID"), eventUid(day, kind, farmKey));
        w.line(QStringLiteral("DTSTAMP"), stampValue);
        w.line(QStringLiteral("LAST-MODIFIED"), stampValue);
        w.line(QStringLiteral("SEQUENCE"), sequence);
        w.line(QStringLiteral("DTSTART;VALUE=DATE"), dateValue(day));
        w.line(QStringLiteral("DTEND;VALUE=DATE"), dateValue(day.addDays(1)));
        w.line(QStringLiteral("SUMMARY"), escapedText(eventSummary(kind, int(animals.size()))));
        w.line(QStringLiteral("DESCRIPTION"), escapedText(lines.join(u'\n')));
        w.line(QStringLiteral("CATEGORIES"), escapedText(kindText(kind)));
        // An all-day reminder does not make the farmer look busy to others.
        w.line(QStringLiteral("TRANSP"), QStringLiteral("TRANSPARENT"));
        w.line(QStringLiteral("END"), QStringLiteral("VEVENT"));
    }
    w.line(QStringLiteral("END"), QStringLiteral("VCALENDAR"));
    return w.take();
}

ExportStatus saveICalendar(const QString& path, const QList<CalendarItem>& items, const QString& farmKey,
                           const QString& calendarName, const QDateTime& stamp)
{
    return saveWholeFile(path, icalendarFile(items, farmKey, calendarName, stamp));
}

ExportStatus savePhoneCalendar(const QString& path, const QDate& today, int days, int* eventCount)
{
    const QList<CalendarItem> items = phoneCalendarItems(today, days);
    if (eventCount) *eventCount = eventCountOf(items);
    return savePhoneCalendar(path, items);
}

ExportStatus savePhoneCalendar(const QString& path, const QList<CalendarItem>& items)
{
    const FarmInfo farm = readFarmInfo().value_or(FarmInfo{});
    return saveICalendar(path, items, farmKeyOf(farm), calendarNameOf(farm), QDateTime::currentDateTimeUtc());
}

int eventCountOf(const QList<CalendarItem>& items)
{
    QSet<std::pair<qint64, int>> events;
    for (const CalendarItem& i : items) events.insert({i.date.toJulianDay(), int(i.kind)});
    return int(events.size());
}

QString suggestedCalendarFileName(const QDate& today)
{
    return QStringLiteral("농장 달력 ") + formatDate(today, QStringLiteral("yyyy-mm-dd")) + QStringLiteral(".ics");
}

}  // namespace calendar
