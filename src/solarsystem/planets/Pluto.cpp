#include "solarsystem/planets/Pluto.h"

#include "model/Angles.h"

#include <cmath>

EclipticPlace Pluto::heliocentricJ2000(double T)
{
    const double J = 34.35 + 3034.9057 * T;
    const double S = 50.08 + 1222.1138 * T;
    const double P = 238.96 + 144.96 * T;
    double lon = 0.0, lat = 0.0, rad = 0.0;
    for (const Term& t : table) {
        const double alpha = (t.i * J + t.j * S + t.k * P) * Angles::kDegree;
        const double s = std::sin(alpha);
        const double c = std::cos(alpha);
        lon += t.lonA * s + t.lonB * c;
        lat += t.latA * s + t.latB * c;
        rad += t.radA * s + t.radB * c;
    }
    const double L = 238.958116 + 144.96 * T + lon * 1e-6;
    const double B = -3.908239 + lat * 1e-6;
    const double R = 40.7241346 + rad * 1e-7;
    return {Angles::wrapTwoPi(L * Angles::kDegree), B * Angles::kDegree, R};
}
