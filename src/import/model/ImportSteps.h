#pragma once
// The assistant's way through an import: 파일 › 대상 › 열 맞추기 › 미리보기 › 가져오기. 다음 leads
// from each of the first three to the next; the preview goes on only through its own 가져오기
// (the import itself), after which nothing leads back or on. 이전 leads back from every step but
// the first and the last.
#include <QString>
#include <optional>

enum class ImportStep { File, Target, Columns, Preview, Done };
inline constexpr int kImportSteps = 5;

// "파일", "대상", "열 맞추기", "미리보기", "가져오기".
QString importStepName(ImportStep step);
// Where 다음 leads from `step`; nothing where it is not offered.
std::optional<ImportStep> stepAfter(ImportStep step);
// Where 이전 leads from `step`; nothing where it is not offered.
std::optional<ImportStep> stepBefore(ImportStep step);

// What the assistant's buttons offer on a step. 다음 is pressed only when the step's page has
// what it needs (`pageMayGoOn`: on 파일, rows read without an error); 가져오기 only on the
// preview; 이전 is gone once the import is done.
struct StepButtons {
    bool backShown = false;
    bool backEnabled = false;
    bool nextShown = false;
    bool nextEnabled = false;
    bool runShown = false;
    bool operator==(const StepButtons&) const = default;
};
StepButtons stepButtons(ImportStep step, bool pageMayGoOn);
