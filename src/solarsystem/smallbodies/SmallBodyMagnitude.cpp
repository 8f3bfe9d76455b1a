#include "solarsystem/smallbodies/SmallBodyMagnitude.h"

#include <algorithm>
#include <cmath>

namespace SmallBodyMagnitude {

double comet(double absMagnitude, double slope, double sunDistance, double earthDistance)
{
    return absMagnitude + 5.0 * std::log10(earthDistance) + 2.5 * slope * std::log10(sunDistance);
}

double minorPlanet(double absMagnitude, double slope, double r, double delta, double earthSun2)
{
    // cos beta may stray past +-1 by rounding for a body nearly in line with
    // the Sun; clamped so the phase angle stays a number.
    const double cosPhase = std::clamp((r * r + delta * delta - earthSun2) / (2.0 * r * delta), -1.0, 1.0);
    // tan(beta/2)^p as exp(p log tan(beta/2)), tan(beta/2) from cos beta.
    const double logTanHalf = 0.5 * std::log((1.0 - cosPhase) / (1.0 + cosPhase));
    const double phi1 = std::exp(-3.33 * std::exp(0.63 * logTanHalf));
    const double phi2 = std::exp(-1.87 * std::exp(1.22 * logTanHalf));
    return absMagnitude + 5.0 * std::log10(r * delta)
        - 2.5 * std::log10((1.0 - slope) * phi1 + slope * phi2);
}

}  // namespace SmallBodyMagnitude
