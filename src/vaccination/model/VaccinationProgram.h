#pragma once
// The vaccination programs the farm follows (접종계획): what marks a treatment as a dose, when
// the doses fall due and which animals a program is for. The intervals are the farm's own: the
// program that comes with a new farm (구제역) holds common practice, not a law, and the farmer
// changes, adds and deletes programs freely. Each program is checked field by field before it
// is stored; add, change and delete are one transaction each.
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace vaccination {

// Who a program is for.
enum class Target {
    All,     // 전체: every animal
    Cows,    // 암소: cows (구분 0) of any age
    Calves,  // 송아지: animals younger than `calfMonths` months on the due day
};
// "전체", "암소", "송아지": also the stored value of 접종계획.대상.
QString targetText(Target t);
// The target a stored or typed text names; none for any other text.
std::optional<Target> targetOf(const QString& text);

struct VaccinationProgram {
    QString name;            // 이름, unique
    QStringList words;       // 처치어: a treatment whose 처치 contains one of them is a dose
    int firstDoseDays = 60;  // 첫접종일령: the first dose at this age in days
    int boosterDays = 28;    // 보강일수: the second dose this many days after the first
    int repeatDays = 180;    // 반복일수: every later dose this many days after the latest
    Target target = Target::All;
    int calfMonths = 0;         // 대상개월수: for Target::Calves, younger than this; 0 otherwise
    int calvingSkipDays = 30;   // 분만제외일수: a cow this close to her expected calving is skipped
    int shipmentSkipDays = 30;  // 출하제외일수: an animal this close to its 출하예정일 is skipped
    bool operator==(const VaccinationProgram&) const = default;
};

// The program a new farm starts with: 구제역 (words 구제역, FMD), first dose at 60 days, a
// booster 28 days later, then every 180 days, for every animal, skipping 30 days around a
// calving or a planned shipment. The same values the table is created with.
VaccinationProgram defaultProgram();

// The note the program dialog shows: the starting values are common practice, not a law, and
// the farm sets its own.
QString practiceNote();

// A program as typed: every value as it stands in its box.
struct ProgramEntry {
    QString name;
    QString words;  // comma-separated, "구제역, FMD"
    QString firstDoseDays;
    QString boosterDays;
    QString repeatDays;
    QString target;  // 전체 / 암소 / 송아지
    QString calfMonths;
    QString calvingSkipDays;
    QString shipmentSkipDays;
};

// Why a program cannot be stored: the field (its column name: "이름", "처치어", "첫접종일령",
// "보강일수", "반복일수", "대상", "대상개월수", "분만제외일수", "출하제외일수") and the Korean
// sentence the farmer reads.
struct ProgramProblem {
    QString field;
    QString message;
    bool operator==(const ProgramProblem&) const = default;
};

// The inclusive bounds of a whole-number field, by its column name (see ProgramProblem).
struct DayBounds {
    int low;
    int high;
};
DayBounds boundsOf(const QString& field);

// A text as the dose match compares it: without any blank, case folded ("구제역 백신(O+A)" is
// "구제역백신(o+a)").
QString matchForm(const QString& text);
// True when the treatment text `treatment` (백신접종.처치) contains one of `words`, case and
// blanks ignored: "구제역 백신(O+A)" and "fmd" are both doses of the words 구제역, FMD. A word
// that is only blanks matches nothing.
bool isDoseOf(const QString& treatment, const QStringList& words);

// The words of a 처치어 text: split at commas, each trimmed, empty ones and repeats (as the
// match sees them: case and spaces ignored) dropped.
QStringList wordsOf(const QString& text);
// "구제역, FMD".
QString wordsText(const QStringList& words);

// The program `e` describes, into `program`, or the first field that is wrong. 대상개월수 is
// read only for 송아지 (and stored as 0 otherwise).
std::optional<ProgramProblem> checkProgram(const ProgramEntry& e, VaccinationProgram* program = nullptr);
// The entry that shows a stored program in the dialog.
ProgramEntry entryOf(const VaccinationProgram& p);

// Every stored program, by name. Throws DbError.
QList<VaccinationProgram> loadPrograms();
// Stores a new program; refused when the entry is wrong or the name is taken. Throws DbError.
std::optional<ProgramProblem> addProgram(const ProgramEntry& e);
// Stores `e` over the program `oldName`; the name may change to one no other program has.
// Refused too when `oldName` is no longer stored. Throws DbError.
std::optional<ProgramProblem> changeProgram(const QString& oldName, const ProgramEntry& e);
// Removes the program; the treatment records stay. Throws DbError.
void deleteProgram(const QString& name);

}  // namespace vaccination
