#include "solarsystem/smallbodies/MinorPlanetFirstPass.h"

#include "model/projection/SmallBodyPositions.h"
#include "platform/Prefault.h"
#include "solarsystem/smallbodies/NearEarthObject.h"
#include "solarsystem/smallbodies/ParallelMinorPlanets.h"
#include "solarsystem/smallbodies/SliceRunner.h"

#include <functional>

namespace MinorPlanetFirstPass {

std::vector<MinorPlanetWatch> freshWatches(std::span<const minorPlanet> table)
{
    std::vector<MinorPlanetWatch> watches;
    watches.reserve(table.size());
    Prefault::forWriting(watches.data(), table.size() * sizeof(MinorPlanetWatch));
    for (const minorPlanet& m : table)
        watches.emplace_back(m);
    return watches;
}

void make(MinorPlanetTable::Import& import, const Moment& moment, const std::stop_token& stop)
{
    // Only a large table's chart pass skips bodies by their watches.
    if (import.table.size() < SmallBodyPositions::kParallelThreshold || stop.stop_requested())
        return;
    import.watches = freshWatches(import.table);
    const CatalogueFilters::MinorPlanetFilter& filter = moment.filter;
    ParallelMinorPlanets::Gate gate{import.watches, filter.limit, filter.showMP,
                                    filter.showNEO, std::nullopt, std::nullopt};
    NearEarthObject neo;
    const MinorPlanetProjection noProjection;
    const std::function<void(double)> noProgress;
    ParallelMinorPlanets::run({import.table, moment.in, 0.0, SliceRunner::operationCount(moment.in.numCores), neo,
                               noProjection, noProgress, import.orbits, &gate});
    // As computed by no pass: the first pass on the interface thread
    // computes again every body this one let through, for its own moment.
    for (MinorPlanetWatch& watch : import.watches)
        watch.generation = 0;
}

}  // namespace MinorPlanetFirstPass
