#pragma once

#include "model/records/minorPlanet.h"
#include "solarsystem/smallbodies/OrbitPlace.h"

#include <cstddef>
#include <span>
#include <vector>

// What never changes of one minor planet's orbit, so that a time step only
// moves the body along it: the orbit's axes on the J2000.0 equator, its
// semi-minor axis, mean motion and epoch. Derived from the record's
// elements, never cached; only a small table keeps them all beside it
// (areKept).
struct MinorPlanetOrbit {
    OrbitPlace::Axes axes;
    double semiMinorAxis = 0.0;  // AU
    double meanMotion = 0.0;     // radians per day
    double epoch = 0.0;          // Julian day of the elements
    bool isElliptic = false;  // the semi-major axis is above 0: there is a place to compute

    static MinorPlanetOrbit of(const minorPlanet& m);
    // No magnitude of m seen from the Earth is brighter; minus infinity for
    // an orbit that can come close to the Earth or has no usable elements.
    static float brightestOf(const minorPlanet& m);
    // Whether a table of `count` records keeps all its orbits. A small one
    // places every body at every time step. A large one places only the few
    // its watches let through and keeps only theirs (ParallelMinorPlanets::
    // Gate): all kept, they would cost half as much memory again as the records.
    static bool areKept(std::size_t count);
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
