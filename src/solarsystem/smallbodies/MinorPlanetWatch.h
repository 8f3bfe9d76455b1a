#pragma once

#include "solarsystem/smallbodies/SmallBodyPosition.h"

#include <cstdint>
#include <limits>

// What the large minor-planet pass keeps of one body between passes (never
// cached): the pass whose place it holds, and a span of time within which the
// body cannot be brighter than a magnitude. While the chart's limit is
// brighter than that, the body cannot be shown and its place is not computed.
struct MinorPlanetWatch {
    // The body stays fainter than `fainterThan` from `from` to `until`
    // (dynamical Julian days, both excluded).
    double from = -std::numeric_limits<double>::infinity();
    double until = std::numeric_limits<double>::infinity();
    float fainterThan = 0.0f;
    float brightest = 0.0f;  // the orbit's, whatever the time
    std::uint32_t generation = 0;  // of the pass that computed the record's place; 0 for none
    bool mayBeShown = true;        // the record's state may be other than filtered
    std::int8_t source = 0;        // the record's, kMPSource*, so that a skip needs no look at it

    // As no pass has left it.
    explicit MinorPlanetWatch(const minorPlanet& m);

    // Whether a body cannot pass `limit` at dynamical Julian day `julianDay`.
    bool isTooFaint(double limit, double julianDay) const
    {
        return limit < brightest || (limit < fainterThan && from < julianDay && julianDay < until);
    }

    // After its place was computed at `frame`: the span around that moment
    // within which it cannot pass `limit`, from how fast its distances from
    // the Sun and the Earth can shrink; none when it is not that faint now.
    void watchAfter(const minorPlanet& m, const SmallBodyPosition::Place& place,
                    const SmallBodyPosition::Frame& frame, double limit);
};
static_assert(sizeof(MinorPlanetWatch) == 32);
