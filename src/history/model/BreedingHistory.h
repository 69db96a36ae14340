#pragma once
// The cow's breeding records (번식기록, the cow form's first tab): inseminations with their
// pregnancy check, expected calving and calving.
#include "history/model/HistoryDefinition.h"

namespace breeding {
// Days from insemination to the expected calving.
inline constexpr int kGestationDays = 280;
}  // namespace breeding

const HistoryDefinition& breedingHistory();
