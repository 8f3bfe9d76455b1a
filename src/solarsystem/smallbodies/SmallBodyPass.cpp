#include "solarsystem/smallbodies/SmallBodyPass.h"

#include "solarsystem/smallbodies/MinorPlanetOrbit.h"
#include "solarsystem/smallbodies/ParallelMinorPlanets.h"
#include "solarsystem/smallbodies/SliceRunner.h"
#include "solarsystem/smallbodies/SmallBodyPosition.h"

#include <algorithm>
#include <array>

namespace {

using SmallBodyPosition::Frame;
using SmallBodyPosition::Place;

OrbitPlot orbitPlot(const OrbitPoint& point, const OrbitPlace::Orientation& orbit,
                    double eccentricity, double perihelionDistance)
{
    return {float(eccentricity), float(orbit.inclination), float(perihelionDistance),
            float(orbit.argPerihelion + orbit.node + point.trueAnomaly),
            float(orbit.argPerihelion), float(orbit.node)};
}

TrackedPlace trackedPlace(const Place& place)
{
    return {place.topocentric.rightAscension, place.topocentric.declination};
}


void comets(std::span<comet> table, int index, int pathSlot, const SmallBodyInputs& inputs,
            const Frame& frame, SmallBodyPassResult& result)
{
    if (index >= 0) {
        if (std::size_t(index) >= table.size())
            return;
        const comet& c = table[std::size_t(index)];
        const Place place = SmallBodyPosition::cometPlace(c, frame);
        if (pathSlot < 0)
            result.orbitPlot =
                orbitPlot(place.point, SmallBodyPosition::orientation(c), c.eccentricity, c.perihelionDistance);
        else
            result.pathVector = place.topocentric.unitVector;
        return;
    }
    for (comet& c : table) {
        const Place place = SmallBodyPosition::cometPlace(c, frame);
        SmallBodyPosition::writeComet(c, place, frame);
        if (inputs.movesTrackedObject(kCometIndexBase + std::int32_t(c.index)))
            result.trackedPlace = trackedPlace(place);
    }
}

void minorPlanets(const SmallBodyPass::Tables& tables, double days, int index, int pathSlot,
                  const SmallBodyInputs& inputs, const Frame& frame,
                  const MinorPlanetProjection& projection,
                  const std::function<void(double)>& progress, SmallBodyPassResult& result)
{
    std::span<minorPlanet> table = tables.minorPlanets;
    if (index >= 0) {
        if (std::size_t(index) >= table.size())
            return;
        const minorPlanet& m = table[std::size_t(index)];
        const std::optional<Place> place = SmallBodyPosition::minorPlanetPlace(m, frame);
        if (!place)
            return;
        const double e = m.eccentricity;
        if (pathSlot < 0)
            result.orbitPlot = orbitPlot(place->point, SmallBodyPosition::orientation(m), e, m.semiMajorAxis * (1.0 - e));
        else
            result.pathVector = place->topocentric.unitVector;
        return;
    }

    const bool searchNeo = days == 0.0;
    if (searchNeo && inputs.isTimeChange)
        tables.neo.reset();
    if (table.size() >= SmallBodyPositions::kParallelThreshold) {
        const ParallelMinorPlanets::Run run{table,      inputs,   days, SliceRunner::operationCount(inputs.numCores),
                                            tables.neo, projection, progress, tables.orbits, tables.gate};
        if (const std::optional<TrackedPlace> tracked = ParallelMinorPlanets::run(run))
            result.trackedPlace = tracked;
        return;
    }
    if (!inputs.isTimeChange)
        return;
    // A few at a time as the parallel pass places them, from the table's
    // orbits when it keeps them: every time step places every body.
    constexpr std::size_t kTogether = SmallBodyPosition::kBodiesTogether;
    const bool hasOrbits = tables.orbits.size() == table.size();
    const bool hasSolved = tables.solved.size() == table.size();
    std::array<SmallBodyPosition::Body, kTogether> bodies;
    std::array<MinorPlanetOrbit, kTogether> made;
    for (std::size_t first = 0; first < table.size(); first += kTogether) {
        const std::size_t count = std::min(kTogether, table.size() - first);
        for (std::size_t k = 0; k < count; ++k) {
            minorPlanet& m = table[first + k];
            if (!hasOrbits)
                made[k] = MinorPlanetOrbit::of(m);
            bodies[k] = {&m, hasOrbits ? &tables.orbits[first + k] : &made[k],
                         hasSolved ? &tables.solved[first + k] : nullptr, std::nullopt, std::nullopt};
        }
        SmallBodyPosition::updateMinorPlanets({bodies.data(), count}, frame);
        for (std::size_t k = 0; k < count; ++k) {
            const std::optional<Place>& place = bodies[k].place;
            if (!place)
                continue;
            const std::size_t i = first + k;
            const minorPlanet& m = table[i];
            if (searchNeo && m.source == kMPSourceUnusual)
                tables.neo.offer(place->earthDistance, std::uint32_t(i), m.name);
            if (inputs.movesTrackedObject(kMinorPlanetIndexBase + std::int32_t(m.index)))
                result.trackedPlace = trackedPlace(*place);
        }
    }
}

}  // namespace

SmallBodyPassResult SmallBodyPass::calculateCometPositions(
    int kind, double days, int index, int pathSlot, const SmallBodyInputs& inputs,
    const Tables& tables, const MinorPlanetProjection& projection,
    const std::function<void(double percent)>& progress)
{
    SmallBodyPassResult result;
    if (kind != kSmallBodyComets && kind != kSmallBodyMinorPlanets && kind != kSmallBodyBoth)
        return result;
    const Frame frame(inputs, days);
    // Without a change of the sky the stored comet places still hold.
    if (kind != kSmallBodyMinorPlanets && (index >= 0 || inputs.isTimeChange))
        comets(tables.comets, index, pathSlot, inputs, frame, result);
    if (kind != kSmallBodyComets)
        minorPlanets(tables, days, index, pathSlot, inputs, frame, projection, progress, result);
    return result;
}
