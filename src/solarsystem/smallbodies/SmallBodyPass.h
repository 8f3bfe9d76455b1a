#pragma once

#include "model/ObjectIndex.h"
#include "model/projection/SmallBodyPositions.h"
#include "model/records/comet.h"
#include "model/records/minorPlanet.h"
#include "solarsystem/smallbodies/NearEarthObject.h"
#include "solarsystem/smallbodies/SmallBodyInputs.h"
#include "solarsystem/smallbodies/SmallBodyPosition.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>

// Kinds of body the pass computes.
inline constexpr int kSmallBodyComets = 0;
inline constexpr int kSmallBodyMinorPlanets = 1;
inline constexpr int kSmallBodyBoth = SmallBodyPositions::kCometsAndMinorPlanets;

// The orbit of one body for the solar-system plot: eccentricity, inclination
// (radians), perihelion distance (AU), heliocentric longitude w + node + v,
// argument of perihelion and node (radians).
struct OrbitPlot {
    float eccentricity = 0.0f;
    float inclination = 0.0f;
    float perihelionDistance = 0.0f;
    float longitude = 0.0f;
    float argPerihelion = 0.0f;
    float node = 0.0f;
};

// A new place for the telescope view's tracked object, radians.
struct TrackedPlace {
    double rightAscension = 0.0;
    double declination = 0.0;
};

// What the pass hands back for the caller to deliver on its own thread.
struct SmallBodyPassResult {
    std::optional<std::array<double, 3>> pathVector;  // unit vector for the path slot
    std::optional<OrbitPlot> orbitPlot;               // for the solar-system view
    std::optional<TrackedPlace> trackedPlace;         // for the telescope view
};

struct MinorPlanetOrbit;
namespace ParallelMinorPlanets {
struct Gate;
}

// Projects minor planet i for the chart (the minor-planet step of the
// projection pass) and says whether it ended on screen. The parallel pass
// calls it from its worker threads, each for the records of its own slice
// only, after the nearest near-Earth object is known; it may write record i
// and read anything that does not change during the pass.
using MinorPlanetProjection = std::function<bool(std::size_t i)>;

// The comet and minor-planet position pass: osculating elements to
// apparent topocentric places of date for the site and sky date: two-body
// motion about the Sun at dynamical time, light time, annual aberration,
// nutation and the site's parallax. Records get `ra`, `dec`, the unit vector,
// `geoDistance`, `helioDistance`, `mag` and `plotLongitude`; the visibility
// state, horizon vector and chart point are left to the projection.
//
// From SmallBodyPositions::kParallelThreshold minor planets on, a pass over
// all of them runs in parallel and projects them too.
class SmallBodyPass {
public:
    struct Tables {
        std::span<comet> comets;
        std::span<minorPlanet> minorPlanets;
        NearEarthObject& neo;
        // For the parallel pass: the orbits' constants (none: computed on the
        // way) and what lets it skip the bodies the chart cannot show (none:
        // every one computed).
        std::span<const MinorPlanetOrbit> orbits = {};
        ParallelMinorPlanets::Gate* gate = nullptr;
        // For a pass over a small table: one per minor planet, how the last
        // pass solved its orbit, read as a start and written (none: each
        // solved from scratch).
        std::span<SmallBodyPosition::Solved> solved = {};
    };

    // kind: kSmallBodyComets, kSmallBodyMinorPlanets or kSmallBodyBoth (any
    // other value does nothing). days: added to the sky date. index: one
    // record of the kind, or -1 for all. pathSlot: with one record, 0..39 to
    // return only the path vector, -1 to return only the orbit plot.
    // The inputs' Sun must be that of the sky date plus `days`.
    // `projection` and `progress` serve the parallel pass only; `progress`
    // receives percentages on the calling thread.
    static SmallBodyPassResult calculateCometPositions(
        int kind, double days, int index, int pathSlot, const SmallBodyInputs& inputs,
        const Tables& tables, const MinorPlanetProjection& projection = {},
        const std::function<void(double percent)>& progress = {});
};
