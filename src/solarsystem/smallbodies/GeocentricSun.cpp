#include "solarsystem/smallbodies/GeocentricSun.h"

#include <erfa.h>

std::array<double, 3> GeocentricSun::j2000(double jde)
{
    constexpr double kModifiedJulianZero = 2400000.5;
    double heliocentric[2][3];
    double barycentric[2][3];
    // A date outside 1900..2100 is computed all the same; the status says only that.
    eraEpv00(kModifiedJulianZero, jde - kModifiedJulianZero, heliocentric, barycentric);
    return {-heliocentric[0][0], -heliocentric[0][1], -heliocentric[0][2]};
}
