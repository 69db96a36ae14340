#pragma once
// The farm calendar as an iCalendar file (RFC 5545) for a phone's or a desktop calendar: one
// all-day event per day and kind ("재발정 확인 3두") whose description lists the animals, so a
// farm of a hundred cows gets a calendar a person can read rather than hundreds of events.
// UTF-8 without a byte-order mark, CRLF line ends, lines folded at 75 octets without splitting a
// character, TEXT values escaped. Each event's UID is made of its day, its kind and the farm
// only, so importing a later export updates the events instead of doubling them.
#include "calendar/model/CalendarItems.h"
#include "sheets/model/TableExport.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

struct FarmInfo;

namespace calendar {

// What names the farm in the events' UIDs: its 고유번호, else its 등록번호, else its 사업장명칭
// (the first one the farm has filled in), else "farm".
QString farmKeyOf(const FarmInfo& farm);
// The calendar's name as a phone shows it: "<사업장명칭> 농장 달력", or "농장 달력".
QString calendarNameOf(const FarmInfo& farm);

// A TEXT value escaped: backslash, semicolon and comma behind a backslash, a line break as \n
// (a carriage return dropped).
QString escapedText(const QString& text);
// A content line (without its line end) folded: at most 75 octets per line, each continuation
// line starting with one blank, never inside a UTF-8 character; every line ends with CRLF.
QByteArray foldedLine(const QByteArray& line);

// "재발정 확인 3두".
QString eventSummary(ItemKind kind, int animals);
// "<yyyymmdd>-<kindCode>-<16 hex digits of the farm key's hash>@tarvik".
QString eventUid(const QDate& day, ItemKind kind, const QString& farmKey);

// The whole file for `items` (any order), stamped `stamp` (DTSTAMP, in UTC). A calendar with no
// item holds no event; a caller should rather tell the farmer there is nothing to send.
QByteArray icalendarFile(const QList<CalendarItem>& items, const QString& farmKey, const QString& calendarName,
                         const QDateTime& stamp);

// Writes that file to `path` whole or not at all: under a temporary name in the same folder,
// renamed at the end (the same save as a list's export).
ExportStatus saveICalendar(const QString& path, const QList<CalendarItem>& items, const QString& farmKey,
                           const QString& calendarName, const QDateTime& stamp);

// The phone calendar of the open farm: the items of `days` days from `today`
// (phoneCalendarItems), named and keyed by the farm's information, saved as saveICalendar does
// and stamped now. `eventCount`, when given, gets the number of events written. Throws DbError
// when the farm cannot be read; nothing is written then.
ExportStatus savePhoneCalendar(const QString& path, const QDate& today, int days = kPhoneCalendarDays,
                               int* eventCount = nullptr);
// The same for items read already (phoneCalendarItems), named and keyed by the farm's
// information. Throws DbError when the farm cannot be read; nothing is written then.
ExportStatus savePhoneCalendar(const QString& path, const QList<CalendarItem>& items);

// The number of events `items` make: one per day and kind.
int eventCountOf(const QList<CalendarItem>& items);

// The suggested file name: "농장 달력 yyyy-mm-dd.ics".
QString suggestedCalendarFileName(const QDate& today);

}  // namespace calendar
