#include "model/projection/PrecessionMatrix.h"

#include "model/Angles.h"

#include <cmath>

PrecessionMatrix PrecessionMatrix::forJulianDay(double julianDay)
{
    const double t = julianCenturies(julianDay);
    const double t2 = t * t;
    const double t3 = t2 * t;
    // Degrees, then radians.
    const double zeta = (0.6406161 * t + 0.0000839 * t2 + 0.0000050 * t3) * Angles::kDegToRad;
    const double z = (0.6406161 * t + 0.0003041 * t2 + 0.0000051 * t3) * Angles::kDegToRad;
    const double theta = (0.556753 * t - 0.0001185 * t2 - 0.0000116 * t3) * Angles::kDegToRad;

    const double cZeta = std::cos(zeta), sZeta = std::sin(zeta);
    const double cZ = std::cos(z), sZ = std::sin(z);
    const double cTheta = std::cos(theta), sTheta = std::sin(theta);

    PrecessionMatrix m;
    m.p = {
        cZeta * cTheta * cZ - sZeta * sZ,  -sZeta * cTheta * cZ - cZeta * sZ, -sTheta * cZ,
        cZeta * cTheta * sZ + sZeta * cZ,  -sZeta * cTheta * sZ + cZeta * cZ, -sTheta * sZ,
        cZeta * sTheta,                    -sZeta * sTheta,                   cTheta,
    };
    return m;
}
