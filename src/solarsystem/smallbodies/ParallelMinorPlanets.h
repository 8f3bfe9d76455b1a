#pragma once

#include "model/records/minorPlanet.h"
#include "solarsystem/smallbodies/MinorPlanetOrbit.h"
#include "solarsystem/smallbodies/MinorPlanetWatch.h"
#include "solarsystem/smallbodies/NearEarthObject.h"
#include "solarsystem/smallbodies/SmallBodyPass.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

// The pass over a large minor-planet table, split into min(processor count,
// 8) contiguous slices that run at once on a private thread pool. Each slice
// first computes its positions (while the sky moved), then, once the nearest
// near-Earth object of all slices is known, projects its records. The records
// written, the nearest object and the tracked place are those of the
// single-threaded loop, whatever the number of slices.
namespace ParallelMinorPlanets {

// The orbit of one record of the table, kept from one pass to the next.
struct KeptOrbit {
    std::uint32_t record = 0;
    MinorPlanetOrbit orbit;
};
// The most orbits a gate keeps: those of the bodies a chart at the default
// limit shows several times over, a few megabytes, where the orbits of a
// whole large table would take a hundred.
inline constexpr std::size_t kMostKeptOrbits = std::size_t(1) << 17;

// What lets the pass skip the bodies the chart cannot show: those hidden by
// their list's switch, and those too faint for the limit by their watch. A
// skipped record keeps its last place and is left off the view; every other one
// gets its place for this pass (unless it already holds it) and is projected.
// The selected and tracked bodies and the near-Earth list are never skipped.
struct Gate {
    std::span<MinorPlanetWatch> watches;  // one per record
    double limit = 0.0;                   // the chart's magnitude limit
    bool showListed = false;              // the numbered and bright lists
    bool showNearEarth = false;           // the near-Earth list
    std::optional<std::uint32_t> selected;
    std::optional<std::uint32_t> tracked;
    // Of this pass's places: a record computed in another pass needs a new
    // one. It changes whenever the sky moved.
    std::uint32_t generation = 1;
    std::vector<std::uint32_t>* onScreen = nullptr;  // receives the records projected on screen, in order
    // The records not skipped, in order: kept from pass to pass, so that a
    // pass with everything above as the last one had it (a pan) only
    // projects them again (`isAsLast`).
    std::vector<std::uint32_t>* shown = nullptr;
    bool isAsLast = false;
    // The orbits of the records the last pass did not skip, in record order
    // and at most kMostKeptOrbits, for this pass to place them again without
    // computing them; replaced by those of this pass. They hold only for the
    // table they were taken from. None: every orbit computed on the way.
    std::vector<KeptOrbit>* keptOrbits = nullptr;

    // Whether this pass skips what `last` skipped: the same limit, switches,
    // selection, tracked body and places.
    bool skipsAs(const Gate& last) const
    {
        return limit == last.limit && showListed == last.showListed && showNearEarth == last.showNearEarth
               && selected == last.selected && tracked == last.tracked && generation == last.generation;
    }
};

struct Run {
    std::span<minorPlanet> minorPlanets;
    const SmallBodyInputs& inputs;
    double days = 0.0;
    int slices = 1;
    NearEarthObject& neo;  // reset by the caller before a search
    const MinorPlanetProjection& projection;
    // The first slice's progress on the calling thread: its position stage
    // fills 0..50 %, its projection stage 50..100 %.
    const std::function<void(double percent)>& progress;
    // The orbits' constants, one per record; none: computed on the way.
    std::span<const MinorPlanetOrbit> orbits = {};
    // None: every body computed (while the sky moved) and projected.
    Gate* gate = nullptr;
};

// Returns the new place of the tracked minor planet, when one was computed.
std::optional<TrackedPlace> run(const Run& run);

}  // namespace ParallelMinorPlanets
