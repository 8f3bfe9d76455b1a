#include "solarsystem/planets/ApparentPlace.h"

#include "model/Angles.h"

#include <cmath>

namespace {

// Geometric geocentric ecliptic place of date (lambda, beta radians, delta
// AU) to the apparent place.
ApparentPlace apparent(double lambda, double beta, double delta, double radius, const PlanetHandOver& h)
{
    const double k = h.abbK;
    const double e = h.pecc;
    const double sunL = h.pLsun;
    ApparentPlace p;
    p.lambda = lambda
               + (e * k * std::cos(h.plp - lambda) - k * std::cos(sunL - lambda)) / std::cos(beta)
               + h.pNutLong;
    p.beta = beta - k * std::sin(beta) * (std::sin(sunL - lambda) - e * std::sin(h.plp - lambda));
    p.ra = Angles::wrapTwoPi(
        std::atan2(std::sin(p.lambda) * h.pCO - std::tan(p.beta) * h.pSO, std::cos(p.lambda)));
    p.dec = std::asin(std::sin(p.beta) * h.pCO + std::cos(p.beta) * h.pSO * std::sin(p.lambda));
    p.geoDistance = delta;
    p.helioDistance = radius;
    return p;
}

}  // namespace

Vec3 ApparentPlace::unitVector() const
{
    return {std::cos(dec) * std::cos(ra), std::cos(dec) * std::sin(ra), std::sin(dec)};
}

Vec3 ApparentPlace::geocentricOfDate(const EclipticPlace& helio, const PlanetHandOver& h)
{
    const double R = helio.radius;
    return {R * std::cos(helio.latitude) * std::cos(helio.longitude) - h.pRCC,
            R * std::cos(helio.latitude) * std::sin(helio.longitude) - h.pRCS,
            R * std::sin(helio.latitude) - h.pRS};
}

Vec3 ApparentPlace::geocentricJ2000(const EclipticPlace& helio, const Vec3& sunJ2000)
{
    // Heliocentric ecliptic J2000 -> geocentric equatorial J2000.
    constexpr double cosE0 = 0.917482062;
    constexpr double sinE0 = 0.397777156;
    const double R = helio.radius;
    const double xe = R * std::cos(helio.latitude) * std::cos(helio.longitude);
    const double ye = R * std::cos(helio.latitude) * std::sin(helio.longitude);
    const double ze = R * std::sin(helio.latitude);
    return {xe + sunJ2000.x, ye * cosE0 - ze * sinE0 + sunJ2000.y, ye * sinE0 + ze * cosE0 + sunJ2000.z};
}

ApparentPlace ApparentPlace::fromEclipticOfDate(const EclipticPlace& helio, const PlanetHandOver& h)
{
    const auto [x, y, z] = geocentricOfDate(helio, h);
    const double lambda = Angles::wrapTwoPi(std::atan2(y, x));
    const double beta = std::atan2(z, std::hypot(x, y));
    return apparent(lambda, beta, std::sqrt(x * x + y * y + z * z), helio.radius, h);
}

ApparentPlace ApparentPlace::fromJ2000(const EclipticPlace& helio, const Vec3& sunJ2000, const PlanetHandOver& h)
{
    const double R = helio.radius;
    const auto [x, y, z] = geocentricJ2000(helio, sunJ2000);
    const double delta = std::sqrt(x * x + y * y + z * z);
    const double ra0 = std::atan2(y, x);
    const double dec0 = std::asin(z / delta);

    // Precession from J2000.0 to the mean equator of date.
    const double T = h.pT;
    const double zeta = T * (2306.2181 + T * (0.30188 + T * 0.017998)) * Angles::kArcsecond;
    const double zz = T * (2306.2181 + T * (1.09468 + T * 0.018203)) * Angles::kArcsecond;
    const double theta = T * (2004.3109 + T * (-0.42665 - T * 0.041833)) * Angles::kArcsecond;
    const double A = std::cos(dec0) * std::sin(ra0 + zeta);
    const double B = std::cos(theta) * std::cos(dec0) * std::cos(ra0 + zeta) - std::sin(theta) * std::sin(dec0);
    const double C = std::sin(theta) * std::cos(dec0) * std::cos(ra0 + zeta) + std::cos(theta) * std::sin(dec0);
    const double ra = std::atan2(A, B) + zz;
    const double dec = std::asin(C);

    // Mean equator of date -> mean ecliptic of date, then as for any planet.
    const double eps = h.pOE - h.pNutObl;
    const double lambda = Angles::wrapTwoPi(
        std::atan2(std::sin(ra) * std::cos(eps) + std::tan(dec) * std::sin(eps), std::cos(ra)));
    const double beta = std::asin(std::sin(dec) * std::cos(eps) - std::cos(dec) * std::sin(eps) * std::sin(ra));
    return apparent(lambda, beta, delta, R, h);
}
