#pragma once
// The farmer's targets for the six fertility figures of the herd analysis, their defaults and
// where the defaults come from, the verdict of a figure against its target, and their storage
// in 성적목표 (one row per figure: 항목, 목표값).
#include "analysis/model/AnalysisValues.h"

#include <QString>
#include <QStringList>
#include <array>

namespace analysis {

// The figures a target is set for, in the order the window lists them.
enum class TargetFigure {
    CalvingInterval,        // 분만간격, days
    FirstServiceInterval,   // 분만 후 첫 수정일수, days
    DaysOpen,               // 공태일수, days
    ServicesPerConception,  // 수태당 수정횟수
    ConceptionRate,         // 수태율, %
    AgeAtFirstCalving,      // 초산월령, months
};
inline constexpr int kTargetFigureCount = 6;
inline constexpr std::array<TargetFigure, kTargetFigureCount> kTargetFigures = {
    TargetFigure::CalvingInterval,       TargetFigure::FirstServiceInterval, TargetFigure::DaysOpen,
    TargetFigure::ServicesPerConception, TargetFigure::ConceptionRate,       TargetFigure::AgeAtFirstCalving};

struct TargetFigureInfo {
    QString key;   // 성적목표.항목
    QString name;  // shown name, e.g. "분만 후 첫 수정일수"
    QString unit;  // "일", "회", "%", "개월"
    int decimals;  // places the figure is shown (and judged) with
    bool lowerIsBetter;
    double defaultTarget;
    // The targets a farm can have; anything outside is refused, and read back as the default.
    double lowest;
    double highest;
};
const TargetFigureInfo& figureInfo(TargetFigure f);

// The surveyed average calving interval, shown beside the target as a reference.
inline constexpr double kSurveyedCalvingInterval = 375;

// Where the default targets come from, for the targets dialog.
QString targetSourceText();

struct Targets {
    std::array<double, kTargetFigureCount> values{};

    double operator[](TargetFigure f) const { return values[size_t(f)]; }
    double& operator[](TargetFigure f) { return values[size_t(f)]; }
    bool operator==(const Targets&) const = default;
};
// Every figure at its published default.
Targets defaultTargets();

// What is wrong with `value` as the target of `f` ("" when nothing): it lies outside the figure's
// range ("분만간격 목표는 300~500일 사이의 수로 입력해 주세요.").
QString targetProblem(TargetFigure f, double value);
// The range of `f` as the messages name it: "300~500일", "1~5회".
QString targetRangeText(TargetFigure f);

enum class Verdict { Meets, Misses, NoData };
// The figure against its target, its value rounded as shown: at or below the target meets it for
// a lower-is-better figure, at or above for the others; no value (n = 0) is NoData.
Verdict verdictOf(TargetFigure f, const Figure& value, double target);
// "목표 달성", "목표 미달", "자료 없음": the word shown beside the colour.
QString verdictWord(Verdict v);

// The stored targets; a figure without a row (or a file without the table, opened read only)
// gets its default, and so does a stored value outside its range (an older file, a hand edit),
// with a line in `notes` that says so. Throws DbError when the table cannot be read.
Targets readTargets(QStringList* notes = nullptr);
// Replaces the stored targets in one transaction. Throws DbError (nothing changed) when the
// database refuses or a value has a targetProblem().
void storeTargets(const Targets& t);

}  // namespace analysis
