#pragma once
// The day rules of the daily due lists, free of any window: which breeding records are
// listed around a day, and what each of the four day cells says; and which animals are still
// within a withdrawal period.
#include "history/model/Withdrawal.h"
#include "print/model/ReportFormulas.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QVariant>
#include <array>

namespace daily {

// Yesterday, today, tomorrow and the day after tomorrow, seen from `today`.
std::array<QDate, 4> dueDays(const QDate& today);

// Column headers 4-7: "어제( yyyy년mm월dd일 )", "오늘( … )", "내일( … )", "모레( … )".
QString dayHeader(int index, const QDate& day);
// The report's day formulas of the four due days: 어제 "어제(mm월dd일)", 오늘 "오늘(mm월dd일)",
// 내일 and 모레 the same way.
report::Formulas dayFormulas(const std::array<QDate, 4>& days);

// The insemination date of a 번식기록.수정일 value, read the way every grid shows it
// ("0000-00-00"); invalid when the value is no date (for example 0).
QDate inseminationDate(const QVariant& value);

// One day cell of a list row.
struct DayCell {
    QString text;
    bool bold = false;
    bool operator==(const DayCell&) const = default;
};

// Re-estrus is expected 20 days after an insemination and lasts two days (R and R + 1).
QDate reestrusDate(const QDate& inseminated);
// Listed while today - 2 <= R <= today + 2.
bool reestrusListed(const QDate& r, const QDate& today);
// "재발정일" (bold) on R and R + 1, "재발정 N일전" before R, empty after R + 1.
DayCell reestrusCell(const QDate& r, const QDate& day);

// Calving is expected 280 days after the insemination.
QDate calvingDate(const QDate& inseminated);
// A candidate while today - 10 <= C <= today + 7.
bool calvingCandidate(const QDate& c, const QDate& today);
// "출산예정일" (bold) on C, "출산예정 N일전" before, "출산예정 N일후" up to 7 days after, then empty.
DayCell calvingCell(const QDate& c, const QDate& day);

// The insemination dates, as date numbers (both ends included), whose records can be
// listed on `today`; the database narrows the rows with them before the rules run.
struct DateNumberRange {
    qint64 from = 0;
    qint64 to = 0;
};
DateNumberRange reestrusInseminationRange(const QDate& today);
DateNumberRange calvingInseminationRange(const QDate& today);

// The two list queries; each takes the range above as its two bound values.
QString reestrusSql();
QString calvingSql();

// The records a list would read but for their 수정일, which is no date (0, or a number such as
// 20100230): no due day can be worked out for them, so the list leaves them out and says how
// many. Run on the open farm; a failure throws DbError.
int datelessReestrusRecords();
int datelessCalvingRecords();
// "날짜가 없는 번식기록 N건은 제외되었습니다"; "" when none was left out.
QString skippedNote(int count);

// An animal with a treatment: columns 1-3 of its list row and the treatment.
struct AnimalTreatment {
    QString number, pen, ranch;
    withdrawal::Treatment treatment;
};
// A row of the withdrawal list: the animal and the withdrawal that ends last.
struct WithdrawalRow {
    QString number, pen, ranch;
    withdrawal::Period period;
    bool operator==(const WithdrawalRow&) const = default;
};
// One row per animal whose last withdrawal ends on `today` or later, ordered by that end, then
// by animal number.
QList<WithdrawalRow> withdrawalRows(const QList<AnimalTreatment>& treatments, const QDate& today);
// "휴약 N일 남음", today counted; bold on the last day.
DayCell withdrawalLeftCell(const QDate& end, const QDate& today);
// A row of the withdrawal list in the print's work table 일일관리: its six cells as shown,
// trimmed, and in column 7 "1" when its days left are shown bold, "" otherwise. The report
// prints the days left bold in exactly those rows, so paper and screen follow the one rule of
// withdrawalLeftCell.
QVariantList withdrawalTableRow(const QStringList& cells, bool daysLeftBold);
// The treatments whose withdrawal ends on or after the bound date number, with their animal:
// 개체번호, 우방번호, 별명, then 날짜, 처치, 만료일.
QString withdrawalSql();

}  // namespace daily
