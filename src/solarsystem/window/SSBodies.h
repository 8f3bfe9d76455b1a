#pragma once

#include "solarsystem/smallbodies/SmallBodyPass.h"

#include <QString>

#include <optional>

// What the solar-system window asks of the astronomy model: the planets'
// plot longitudes and their recomputation for its own date, and the orbit
// and name of one comet (kind kSmallBodyComets) or minor planet
// (kSmallBodyMinorPlanets). A record index the tables no longer hold gives
// none.
class SSBodies {
public:
    virtual ~SSBodies() = default;

    // Heliocentric longitude, radians, of plot body k (0 Mercury .. 8 Pluto).
    virtual double planetPlotL(int k) const = 0;
    // The plot-only planetary pass for the sky date plus `days`; an offset
    // the pass refuses leaves the longitudes as they were.
    virtual void calculatePlanetPositions(double days) = 0;
    // The body's orbit at the sky date plus `days`.
    virtual std::optional<OrbitPlot> smallBodyOrbit(int kind, double days, int record) = 0;
    virtual std::optional<QString> smallBodyName(int kind, int record) const = 0;
};
