#pragma once
// Treatments, vaccinations, cullings and deaths (백신접종, the cow form's fourth tab and the
// bull form's third): what was given, the medicine's purchase and the end of its withdrawal.
#include "history/model/HistoryDefinition.h"

const HistoryDefinition& treatmentHistory();
