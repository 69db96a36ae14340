#pragma once
// The farm's vaccinations due (the daily list's option 예방접종 예정): every animal and program
// whose due day (DueRule.h) falls on or before the last day asked for, overdue ones included,
// ordered by due day. The farm is read once per list: one query of the animals, one of the
// cows' breeding records (for the expected calvings) and one of the treatments, whatever the
// number of programs.
#include "vaccination/model/DueRule.h"
#include "vaccination/model/VaccinationProgram.h"

#include <QDate>
#include <QHash>
#include <QList>
#include <QString>

namespace vaccination {

// The list looks this many days ahead unless the farmer sets another number.
inline constexpr int kDueListDays = 14;
// The days ahead the farmer may set.
inline constexpr int kMaxDueListDays = 365;

// One treatment record (백신접종) as the list reads it.
struct TreatmentRecord {
    QDate date;         // 날짜
    QString treatment;  // 처치
};

// What the rule needs of the farm, read once.
struct HerdRecords {
    QList<HerdAnimal> animals;                          // by animal number
    QHash<QString, QList<TreatmentRecord>> treatments;  // by animal number
};
// From the open farm. Throws DbError.
HerdRecords loadHerdRecords();

// How the rule judged one animal for one program.
struct HerdJudgement {
    QString number;   // 개체번호
    QString program;  // the program's name
    Judgement judgement;
};
// Every animal of the herd (sold and shipped ones too) for every program, in the herd's order,
// then the programs' order: who is due, and why each of the others is left out.
QList<HerdJudgement> judgeHerd(const QList<VaccinationProgram>& programs, const HerdRecords& herd);

// A row of the list.
struct DueRow {
    QString number;      // 개체번호
    QString pen;         // 우방번호
    int ageMonths = -1;  // on `today` (ageInMonths); -1 when the birth date is not known
    QString program;     // the program's name
    DoseKind kind = DoseKind::First;
    QDate lastDose;  // invalid when none
    QDate due;
    int daysOverdue = 0;  // days from the due day to today; 0 when it is today or later
    bool operator==(const DueRow&) const = default;
};

// The rows of every program and animal judged Due with a due day on or before `lastDay`,
// ordered by due day, then animal number, then program.
QList<DueRow> dueRows(const QList<VaccinationProgram>& programs, const HerdRecords& herd, const QDate& today,
                      const QDate& lastDay);
// The list on the open farm: due on or before today + `days` (taken within 0 to
// kMaxDueListDays). Throws DbError.
QList<DueRow> loadDueList(const QDate& today, int days = kDueListDays);

// "예방접종 예정": the option's caption, and the title of its print and of its saved file.
QString dueListTitle();

// The cells of a row as the list shows them: 개체번호, 우방번호, "23 개월령" (or ""), program, dose
// kind, last dose (yyyy-mm-dd or ""), due day, "5일 지남" (or "").
QStringList dueCells(const DueRow& row);
// The headers of those cells.
QStringList dueHeaders();

}  // namespace vaccination
