#pragma once

#include "model/records/minorPlanet.h"
#include "solarsystem/smallbodies/NearEarthObject.h"
#include "solarsystem/smallbodies/SmallBodyPass.h"

#include <functional>
#include <optional>
#include <span>

// The pass over a large minor-planet table, split into min(processor count,
// 8) contiguous slices that run at once on a private thread pool. Each slice
// first computes its positions (while the sky moved), then, once the nearest
// near-Earth object of all slices is known, projects its records. The records
// written, the nearest object and the tracked place are those of the
// single-threaded loop, whatever the number of slices.
namespace ParallelMinorPlanets {

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
};

// Returns the new place of the tracked minor planet, when one was computed.
std::optional<TrackedPlace> run(const Run& run);

}  // namespace ParallelMinorPlanets
