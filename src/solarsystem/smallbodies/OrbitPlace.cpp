#include "solarsystem/smallbodies/OrbitPlace.h"

#include <cmath>
#include <numbers>

namespace OrbitPlace {

std::array<double, 3> rectangular(const OrbitPoint& point, const Orientation& orbit,
                                  const std::array<double, 3>& sunJ2000,
                                  const std::array<double, 9>& precession)
{
    const double sinNode = std::sin(orbit.node);
    const double cosNode = std::cos(orbit.node);
    const double sinIncl = std::sin(orbit.inclination);
    const double cosIncl = std::cos(orbit.inclination);
    // The orbital-plane vectors F and P; a sin(A + u) of the textbook form is
    // F cos u + P sin u with A = atan2(F, P), a = |(F, P)|.
    const double fx = cosNode;
    const double fy = sinNode * kCosObliquity;
    const double fz = sinNode * kSinObliquity;
    const double px = -sinNode * cosIncl;
    const double py = cosNode * cosIncl * kCosObliquity - sinIncl * kSinObliquity;
    const double pz = cosNode * cosIncl * kSinObliquity + sinIncl * kCosObliquity;

    const double u = orbit.argPerihelion + point.trueAnomaly;
    const double cosU = std::cos(u);
    const double sinU = std::sin(u);
    const double r = point.radius;
    const double xi = r * (fx * cosU + px * sinU) + sunJ2000[0];
    const double eta = r * (fy * cosU + py * sinU) + sunJ2000[1];
    const double zeta = r * (fz * cosU + pz * sinU) + sunJ2000[2];

    const std::array<double, 9>& p = precession;
    const double x = p[0] * xi + p[1] * eta + p[2] * zeta;
    const double y = p[3] * xi + p[4] * eta + p[5] * zeta;
    const double z = p[6] * xi + p[7] * eta + p[8] * zeta;
    return {x, y, z};
}

Geocentric geocentric(const OrbitPoint& point, const Orientation& orbit,
                      const std::array<double, 3>& sunJ2000,
                      const std::array<double, 9>& precession)
{
    return spherical(rectangular(point, orbit, sunJ2000, precession));
}

Geocentric spherical(const std::array<double, 3>& rectangular)
{
    const auto& [x, y, z] = rectangular;
    Geocentric place;
    place.rectangular = rectangular;
    place.rightAscension = std::atan2(y, x);
    if (place.rightAscension < 0.0)
        place.rightAscension += 2.0 * std::numbers::pi;
    place.distance = std::sqrt(x * x + y * y + z * z);
    place.declination = std::asin(z / place.distance);
    return place;
}

}  // namespace OrbitPlace
