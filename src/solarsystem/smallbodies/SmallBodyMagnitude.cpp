#include "solarsystem/smallbodies/SmallBodyMagnitude.h"

#include "platform/VectorClones.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace SmallBodyMagnitude {

namespace {
// 2.5 log10(x) = kPogson ln(x).
constexpr double kPogson = 2.5 / std::numbers::ln10;
}  // namespace

double comet(double absMagnitude, double slope, double sunDistance, double earthDistance)
{
    return absMagnitude + 5.0 * std::log10(earthDistance) + 2.5 * slope * std::log10(sunDistance);
}

double phaseFunction(double slope, double tanHalfSquared)
{
    // tan(beta/2)^p as exp(p/2 log tan(beta/2)^2).
    const double logTanHalfSquared = std::log(tanHalfSquared);
    const double phi1 = std::exp(-3.33 * std::exp(0.315 * logTanHalfSquared));
    const double phi2 = std::exp(-1.87 * std::exp(0.61 * logTanHalfSquared));
    return (1.0 - slope) * phi1 + slope * phi2;
}

NORVANE_VECTOR_CLONES
double minorPlanet(double absMagnitude, double slope, double r, double delta, double earthSun2)
{
    // tan(beta/2)^2 = (1 - cos beta) / (1 + cos beta) by the law of cosines,
    // each side at least 0 (rounding may push one past it for a body nearly
    // in line with the Sun).
    const double nearSide = earthSun2 - (r - delta) * (r - delta);
    const double farSide = (r + delta) * (r + delta) - earthSun2;
    const double tanHalfSquared = std::max(nearSide, 0.0) / std::max(farSide, 0.0);
    // 5 log10(r delta) - 2.5 log10(phase function) as one natural logarithm,
    // the quicker.
    const double distances = r * delta;
    return absMagnitude + kPogson * std::log(distances * distances / phaseFunction(slope, tanHalfSquared));
}

}  // namespace SmallBodyMagnitude
