#pragma once

#include "solarsystem/DistanceUnits.h"

#include <cmath>

// Light time: a body is seen where it stood when the light that reaches the
// Earth now left it.
namespace LightTime {

// The iteration ends when the light time changes by less than this.
inline constexpr double kToleranceDays = 1e-9;
// Bounds a pathological case only; real orbits settle in two or three steps.
inline constexpr int kMaximumSteps = 10;

// placeAt(lightDays) gives the body as it was lightDays before the moment
// (anything with a `distance` member: its distance from the Earth at the
// moment, AU). Starts from the geometric place and returns the place at the
// light time that its own distance confirms within kToleranceDays.
template <class PlaceAt>
auto retarded(const PlaceAt& placeAt)
{
    double lightDays = 0.0;
    auto place = placeAt(lightDays);
    for (int step = 0; step < kMaximumSteps; ++step) {
        const double next = place.distance * DistanceUnits::kLightDaysPerAu;
        if (!(std::abs(next - lightDays) >= kToleranceDays))
            break;
        lightDays = next;
        place = placeAt(lightDays);
    }
    return place;
}

}  // namespace LightTime
