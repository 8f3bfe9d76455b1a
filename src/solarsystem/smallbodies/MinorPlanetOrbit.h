#pragma once

#include "model/records/minorPlanet.h"
#include "solarsystem/smallbodies/OrbitPlace.h"

#include <span>
#include <vector>

// What never changes of one minor planet's orbit, computed once when the
// table is loaded or imported so that a time step only moves the body along
// it: the orbit's axes on the J2000.0 equator, its semi-minor axis, mean
// motion and epoch, and the brightest magnitude the body can ever reach.
// Derived from the record's elements and kept beside the table, never cached.
struct MinorPlanetOrbit {
    OrbitPlace::Axes axes;
    double semiMinorAxis = 0.0;  // AU
    double meanMotion = 0.0;     // radians per day
    double epoch = 0.0;          // Julian day of the elements
    // No magnitude seen from the Earth is brighter; minus infinity for an
    // orbit that can come close to the Earth or has no usable elements.
    float brightest = 0.0f;
    bool isElliptic = false;  // the semi-major axis is above 0: there is a place to compute

    static MinorPlanetOrbit of(const minorPlanet& m);
    // The orbits of a table, computed on min(processor count, 8) threads.
    static std::vector<MinorPlanetOrbit> of(std::span<const minorPlanet> table, int processorCount);
};

namespace MinorPlanetBrightness {

// The Earth's distance from the Sun stays within these, AU (with a margin).
inline constexpr double kNearestSun = 0.98;
inline constexpr double kFarthestSun = 1.02;

// The least the H, G phase term can take off H + 5 log10(r delta): 0 for
// the usual slopes 0..1, some for others.
double phaseAllowance(double slope);
// The brightest magnitude of a body of absolute magnitude H and slope G
// whose product of distances from the Sun and the Earth is at least
// `distances` (AU squared); minus infinity when that may be 0.
double brightestAt(double absMagnitude, double slope, double distances);

}  // namespace MinorPlanetBrightness
