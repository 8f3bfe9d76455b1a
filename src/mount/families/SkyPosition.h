#pragma once

#include "model/Angles.h"

// Whether a position a mount reported, after its family's own conversion,
// lies on the sky: RA in [0, 24 h), Dec in [−90°, 90°] (radians). A reply
// that fits its fields but not the sphere is a bad reply, never a position.
inline bool isOnSky(double ra, double dec)
{
    // 24 h converted may land a rounding short of 2π: it is still off.
    constexpr double kRounding = 1e-12;
    return ra >= 0.0 && ra < Angles::kTwoPi - kRounding && dec >= -Angles::kPi / 2.0
           && dec <= Angles::kPi / 2.0;
}
