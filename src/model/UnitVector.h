#pragma once

#include "model/Angles.h"

#include <algorithm>
#include <cmath>
#include <utility>

using Angles::kDegToRad;

// Equatorial unit vector of a direction: x = cos dec cos ra, y = cos dec sin ra,
// z = sin dec, from right ascension and declination in radians.
struct UnitVector {
    double x;
    double y;
    double z;

    static UnitVector fromRADec(double ra, double dec)
    {
        return {std::cos(dec) * std::cos(ra), std::cos(dec) * std::sin(ra), std::sin(dec)};
    }

    // Right ascension (0 to 2 pi) and declination, radians; z is clamped, a
    // rounded vector may stray past 1.
    std::pair<double, double> raDec() const
    {
        return {Angles::wrapTwoPi(std::atan2(y, x)), std::asin(std::clamp(z, -1.0, 1.0))};
    }
};
