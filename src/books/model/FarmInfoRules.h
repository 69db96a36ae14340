#pragma once
// The checks of the farm information window, without the window.
#include "data/FarmInfo.h"
#include "history/model/HistoryRules.h"

namespace books {
// The registration number and the business name are required (trimmed), in that order.
CheckResult checkFarmInfo(const FarmInfo& f);
// The support contact is optional, name and telephone apart; a telephone given must be one that
// can be dialled: digits, with spaces, '-', '+' and brackets between them.
CheckResult checkSupportContact(const SupportContact& c);
}  // namespace books
