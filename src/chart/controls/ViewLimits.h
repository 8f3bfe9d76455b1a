#pragma once

#include "model/Angles.h"

#include <algorithm>

// The ranges the chart's view direction and field are kept in, degrees.
namespace ViewLimits {

constexpr double kMinField = 5.0;
constexpr double kMaxField = 180.0;

inline double field(double degrees) { return std::clamp(degrees, kMinField, kMaxField); }

// At most the zenith; below the horizon only with show-below-horizon, then
// down to the nadir.
inline double altitude(double degrees, bool showBelow)
{
    return std::max(std::min(degrees, 90.0), showBelow ? -90.0 : 0.0);
}

// Brought into 0 to 360, however many turns away.
inline double azimuth(double degrees) { return Angles::wrap360(degrees); }

}  // namespace ViewLimits
