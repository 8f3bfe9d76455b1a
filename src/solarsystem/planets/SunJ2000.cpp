#include "solarsystem/planets/SunJ2000.h"

#include "model/Angles.h"
#include "solarsystem/planets/VSOP87Tables.h"

#include <cmath>
#include <numbers>

Vec3 SunJ2000::geocentric(double T)
{
    const double tau = T * 0.1;
    const VSOP87Body& earth = VSOP87Tables::earthJ2000;
    const double L = earth.longitude(tau);
    const double B = earth.latitude(tau);
    const double R = earth.radius(tau);
    const double sunL = Angles::wrapTwoPi(L + std::numbers::pi);
    const double sunB = -B;
    const double X = R * std::cos(sunB) * std::cos(sunL);
    const double Y = R * std::cos(sunB) * std::sin(sunL);
    const double Z = R * std::sin(sunB);
    return {X + 0.000000440360 * Y - 0.000000190919 * Z,
            -0.000000479966 * X + 0.917482137087 * Y - 0.397776982902 * Z,
            0.397776982902 * Y + 0.917482137087 * Z};
}
