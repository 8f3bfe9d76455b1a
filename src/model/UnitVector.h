#pragma once

#include "model/Angles.h"

#include <cmath>

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
};
