#pragma once
// The herd analysis (성적분석) without its window: the fertility figures of the cows' breeding
// records (FertilityAnalysis.h), the shipment results of the gradings (ShipmentAnalysis.h) and
// the farmer's targets (AnalysisTargets.h), brought together for one period. Each of those
// headers says how it reads the records; the window, its print and its export show these
// results as they are, so a figure is the same wherever it appears.
#include "analysis/model/AnalysisTargets.h"
#include "analysis/model/FertilityAnalysis.h"
#include "analysis/model/ShipmentAnalysis.h"

#include <QDate>
#include <vector>

namespace analysis {

// The window's opening period: the last 12 months up to today (a year ago tomorrow .. today).
books::Period defaultPeriod(const QDate& today);

struct HerdAnalysis {
    books::Period period;
    QDate today;
    FertilityResult fertility;
    ShipmentResult shipment;
};
// Both halves for the open farm. Throws DbError.
HerdAnalysis loadHerdAnalysis(const books::Period& period, const QDate& today);

// One line of the figures table: a figure with its target and verdict.
struct FigureLine {
    TargetFigure figure;
    Figure value;
    double target = 0;
    Verdict verdict = Verdict::NoData;
};
// The six figures in the order of kTargetFigures: the three intervals and the age at first
// calving from their averages, services per conception and conception rate from the overall
// line (n: services with a known outcome, pending beside it).
std::vector<FigureLine> figureLines(const FertilityResult& r, const Targets& targets);

}  // namespace analysis
