#pragma once
// Weighings and ultrasound carcass measurements (초음파측정, the cow form's second tab and the
// bull form's first): live weight, loin eye, backfat and marbling, with who measured and judged.
#include "history/model/HistoryDefinition.h"

const HistoryDefinition& ultrasoundHistory();
