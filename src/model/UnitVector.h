#pragma once

#include <cmath>

// Degrees to radians, to the precision the catalogue tables were made with.
inline constexpr double kDegToRad = 0.0174532925199433;

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
