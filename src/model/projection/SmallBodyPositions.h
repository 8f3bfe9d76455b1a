#pragma once

#include "model/records/comet.h"
#include "model/records/minorPlanet.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

// The comet and minor-planet tables and their position pass, which the
// solar-system subsystem provides; the projection pass runs the pass when the
// sky moved and then projects the records.
class SmallBodyPositions {
public:
    // From this many minor planets on, a pass over all of them runs in
    // parallel and projects the minor planets itself, with the astronomy
    // model's minorPlanetProjector(); the projection pass then leaves them
    // alone and runs the position pass on every pass.
    static constexpr std::size_t kParallelThreshold = 50000;
    // The `kind` that asks for both tables.
    static constexpr int kCometsAndMinorPlanets = 3;

    virtual ~SmallBodyPositions() = default;

    virtual std::span<comet> comets() = 0;
    virtual std::span<const comet> comets() const = 0;
    virtual std::span<minorPlanet> minorPlanets() = 0;
    virtual std::span<const minorPlanet> minorPlanets() const = 0;
    // The nearest object of the near-Earth list found by the last full pass;
    // none when the list is empty.
    virtual std::optional<std::uint32_t> neoIndex() const = 0;
    // Grows whenever either table is loaded, imported or replaced.
    virtual std::uint32_t tableVersion() const = 0;

    // kind 0 comets, 1 minor planets, 3 both; the sky date moved by
    // `dayOffset` days; `record` one record of the kind or -1 for all;
    // `pathSlot` 0 to 39 for one point of the selected body's path, -1 else.
    virtual void calculateCometPositions(int kind, double dayOffset, int record, int pathSlot) = 0;
};
