#pragma once
// Body measurements (체척, the cow form's third tab and the bull form's second): the age in
// months and ten linear measurements of the body, taken several times in a life.
#include "history/model/HistoryDefinition.h"

const HistoryDefinition& bodyHistory();
