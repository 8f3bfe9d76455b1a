#pragma once

#include "model/projection/CatalogueFilters.h"
#include "solarsystem/smallbodies/MinorPlanetTable.h"
#include "solarsystem/smallbodies/SmallBodyInputs.h"

#include <span>
#include <stop_token>
#include <vector>

// The chart's first pass over a new large table, made on the worker that
// brought the table, so that the interface thread's first pass computes only
// the bodies that can show, as a time step does.
namespace MinorPlanetFirstPass {

// The sky date, site and chart limit the pass is made for.
struct Moment {
    SmallBodyInputs in;
    CatalogueFilters::MinorPlanetFilter filter;
};

// One watch per orbit, as no pass has left it.
std::vector<MinorPlanetWatch> freshWatches(std::span<const minorPlanet> table);

// The import's watches after a pass at `moment`, for a table large enough to
// be passed by its watches; nothing for a smaller one or when asked to stop.
void make(MinorPlanetTable::Import& import, const Moment& moment, const std::stop_token& stop);

}  // namespace MinorPlanetFirstPass
