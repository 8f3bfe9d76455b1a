#include "solarsystem/smallbodies/MinorPlanetOrbit.h"

#include "solarsystem/smallbodies/CalendarJulianDay.h"
#include "solarsystem/smallbodies/SliceRunner.h"
#include "solarsystem/smallbodies/SmallBodyPosition.h"

#include "model/Angles.h"
#include "model/projection/SmallBodyPositions.h"
#include "platform/Prefault.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double kNoBound = -std::numeric_limits<double>::infinity();

// The least product of the Sun's and the Earth's distances of a body whose
// distance from the Sun stays within q..Q, with the Earth's within the
// bounds above: delta is at least |r - R|, so the product is 0 where the
// two ranges meet, else smallest at an end of the body's range.
double leastDistances(double q, double aphelion)
{
    using MinorPlanetBrightness::kFarthestSun;
    using MinorPlanetBrightness::kNearestSun;
    if (q > kFarthestSun)
        return q * (q - kFarthestSun);
    if (aphelion < kNearestSun)
        return std::min(q * (kNearestSun - q), aphelion * (kNearestSun - aphelion));
    return 0.0;
}

}  // namespace

namespace MinorPlanetBrightness {

double phaseAllowance(double slope)
{
    // (1 - G) phi1 + G phi2 with both phases within 0..1 is at most |1 - G| + |G|,
    // which is 1 for the slopes nearly every body has: no logarithm for those.
    if (slope >= 0.0 && slope <= 1.0)
        return 0.0;
    return -2.5 * std::log10(std::abs(1.0 - slope) + std::abs(slope));
}

double brightestAt(double absMagnitude, double slope, double distances)
{
    if (!(distances > 0.0))
        return kNoBound;
    return absMagnitude + phaseAllowance(slope) + 5.0 * std::log10(distances);
}

}  // namespace MinorPlanetBrightness

MinorPlanetOrbit MinorPlanetOrbit::of(const minorPlanet& m)
{
    MinorPlanetOrbit orbit;
    const double a = m.semiMajorAxis;
    const double e = m.eccentricity;
    if (!(a > 0.0))
        return orbit;
    orbit.isElliptic = true;
    orbit.axes = OrbitPlace::axes(SmallBodyPosition::orientation(m));
    orbit.semiMinorAxis = a * std::sqrt(1.0 - e * e);
    orbit.meanMotion = SmallBodyPosition::kGauss / (a * std::sqrt(a));
    orbit.epoch = calendarJulianDay(m.epochYear, m.epochMonth, m.epochDay);
    return orbit;
}

float MinorPlanetOrbit::brightestOf(const minorPlanet& m)
{
    const double a = m.semiMajorAxis;
    const double e = m.eccentricity;
    if (!(a > 0.0 && e >= 0.0 && e < 1.0))
        return float(kNoBound);
    // A hair nearer than the elements say, for the rounding of r and delta.
    const double distances = leastDistances(a * (1.0 - e), a * (1.0 + e)) * (1.0 - 1e-9);
    // Rounded down to a float, so that it stays a bound.
    const double brightest = MinorPlanetBrightness::brightestAt(m.absMagnitude, m.slope, distances);
    return std::nextafter(float(brightest), -std::numeric_limits<float>::infinity());
}

bool MinorPlanetOrbit::areKept(std::size_t count)
{
    return count < SmallBodyPositions::kParallelThreshold;
}

std::vector<MinorPlanetOrbit> MinorPlanetOrbit::of(std::span<const minorPlanet> table, int processorCount)
{
    std::vector<MinorPlanetOrbit> orbits;
    orbits.reserve(table.size());
    Prefault::forWriting(orbits.data(), table.size() * sizeof(MinorPlanetOrbit));
    orbits.resize(table.size());
    const std::size_t slices = std::size_t(SliceRunner::operationCount(processorCount));
    const std::size_t per = (table.size() + slices - 1) / slices;
    SliceRunner::run(int(slices), [&](int s) {
        const std::size_t first = std::size_t(s) * per;
        const std::size_t end = std::min(table.size(), first + per);
        for (std::size_t i = first; i < end; ++i)
            orbits[i] = of(table[i]);
    });
    return orbits;
}
