#include "solarsystem/moons/MoonPhase.h"

#include "model/Angles.h"

#include <cmath>

namespace MoonPhase {

namespace {

// Hundredths of a day per radian of elongation: 100 x 29.530589 days / 2 pi.
constexpr double kAgePerRadian = 469.99392117651;

}  // namespace

Phase phase(double moonLongitude, double moonLatitude, double earthLongitude)
{
    using Angles::kPi;
    using Angles::kTwoPi;

    double sunLongitude = earthLongitude + kPi;
    if (sunLongitude > kTwoPi)
        sunLongitude -= kTwoPi;
    double elongation = moonLongitude - sunLongitude;

    Phase result{};
    result.illuminatedFraction = std::fabs((1.0 - std::cos(moonLatitude) * std::cos(elongation)) * 0.5);
    result.percent = 100.0 * result.illuminatedFraction;
    if (moonLongitude < sunLongitude)
        elongation = moonLongitude + kTwoPi - sunLongitude;
    if (elongation > kPi)
        result.percent = -result.percent;
    result.age = elongation * kAgePerRadian;
    return result;
}

}  // namespace MoonPhase
