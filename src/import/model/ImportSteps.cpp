#include "import/model/ImportSteps.h"

QString importStepName(ImportStep step)
{
    switch (step) {
    case ImportStep::File: return QStringLiteral("파일");
    case ImportStep::Target: return QStringLiteral("대상");
    case ImportStep::Columns: return QStringLiteral("열 맞추기");
    case ImportStep::Preview: return QStringLiteral("미리보기");
    case ImportStep::Done: return QStringLiteral("가져오기");
    }
    return {};
}

std::optional<ImportStep> stepAfter(ImportStep step)
{
    switch (step) {
    case ImportStep::File: return ImportStep::Target;
    case ImportStep::Target: return ImportStep::Columns;
    case ImportStep::Columns: return ImportStep::Preview;
    case ImportStep::Preview:
    case ImportStep::Done: return std::nullopt;
    }
    return std::nullopt;
}

std::optional<ImportStep> stepBefore(ImportStep step)
{
    switch (step) {
    case ImportStep::Target: return ImportStep::File;
    case ImportStep::Columns: return ImportStep::Target;
    case ImportStep::Preview: return ImportStep::Columns;
    case ImportStep::File:
    case ImportStep::Done: return std::nullopt;
    }
    return std::nullopt;
}

StepButtons stepButtons(ImportStep step, bool pageMayGoOn)
{
    return {.backShown = step != ImportStep::Done,
            .backEnabled = stepBefore(step).has_value(),
            .nextShown = stepAfter(step).has_value(),
            .nextEnabled = pageMayGoOn,
            .runShown = step == ImportStep::Preview};
}
