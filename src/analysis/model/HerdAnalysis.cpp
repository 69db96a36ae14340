#include "analysis/model/HerdAnalysis.h"

namespace analysis {

books::Period defaultPeriod(const QDate& today)
{
    return books::periodOf(today.addMonths(-12).addDays(1), today);
}

HerdAnalysis loadHerdAnalysis(const books::Period& period, const QDate& today)
{
    HerdAnalysis a;
    a.period = period;
    a.today = today;
    a.fertility = loadFertility(period, today);
    a.shipment = loadShipments(period);
    return a;
}

std::vector<FigureLine> figureLines(const FertilityResult& r, const Targets& targets)
{
    const ConceptionRow& all = r.overall;
    // A rate's n is its known outcomes; services per conception needs a conception as well.
    const Figure perConception{all.servicesPerConception(), all.conceptions > 0 ? all.services : 0, 0, all.pending};
    const Figure rate{all.rate(), all.services, 0, all.pending};
    std::vector<FigureLine> lines;
    for (TargetFigure f : kTargetFigures) {
        Figure value;
        switch (f) {
        case TargetFigure::CalvingInterval: value = r.calvingInterval; break;
        case TargetFigure::FirstServiceInterval: value = r.firstServiceInterval; break;
        case TargetFigure::DaysOpen: value = r.daysOpen; break;
        case TargetFigure::ServicesPerConception: value = perConception; break;
        case TargetFigure::ConceptionRate: value = rate; break;
        case TargetFigure::AgeAtFirstCalving: value = r.ageAtFirstCalving; break;
        }
        lines.push_back({f, value, targets[f], verdictOf(f, value, targets[f])});
    }
    return lines;
}

}  // namespace analysis
