#include "solarsystem/smallbodies/OrbitPlace.h"

#include "model/projection/PrecessionMatrix.h"
#include "model/SinCos.h"

#include <cmath>
#include <numbers>

namespace OrbitPlace {

Axes axes(const Orientation& orbit)
{
    const double sinNode = std::sin(orbit.node);
    const double cosNode = std::cos(orbit.node);
    const double sinIncl = std::sin(orbit.inclination);
    const double cosIncl = std::cos(orbit.inclination);
    // The node's direction F and the direction P a quarter turn on in the
    // plane (Meeus, chapter 33); the perihelion lies w beyond the node.
    const double fx = cosNode;
    const double fy = sinNode * kCosObliquity;
    const double fz = sinNode * kSinObliquity;
    const double px = -sinNode * cosIncl;
    const double py = cosNode * cosIncl * kCosObliquity - sinIncl * kSinObliquity;
    const double pz = cosNode * cosIncl * kSinObliquity + sinIncl * kCosObliquity;
    const double cw = std::cos(orbit.argPerihelion);
    const double sw = std::sin(orbit.argPerihelion);
    return {{fx * cw + px * sw, fy * cw + py * sw, fz * cw + pz * sw},
            {px * cw - fx * sw, py * cw - fy * sw, pz * cw - fz * sw}};
}

std::array<double, 3> geocentricJ2000(double x, double y, const Axes& axes, const std::array<double, 3>& sunJ2000)
{
    const auto& [a, b] = axes;
    return {x * a[0] + y * b[0] + sunJ2000[0], x * a[1] + y * b[1] + sunJ2000[1], x * a[2] + y * b[2] + sunJ2000[2]};
}

std::array<double, 3> rectangular(double x, double y, const Axes& axes, const std::array<double, 3>& sunJ2000,
                                  const std::array<double, 9>& precession)
{
    const auto [xi, eta, zeta] = geocentricJ2000(x, y, axes, sunJ2000);
    return PrecessionMatrix::multiply(precession, xi, eta, zeta);
}

std::array<double, 3> rectangular(const OrbitPoint& point, const Axes& axes, const std::array<double, 3>& sunJ2000,
                                  const std::array<double, 9>& precession)
{
    const double r = point.radius;
    return rectangular(r * std::cos(point.trueAnomaly), r * std::sin(point.trueAnomaly), axes, sunJ2000, precession);
}

std::array<double, 3> rectangular(const OrbitPoint& point, const Orientation& orbit,
                                  const std::array<double, 3>& sunJ2000,
                                  const std::array<double, 9>& precession)
{
    return rectangular(point, axes(orbit), sunJ2000, precession);
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
    place.rightAscension = SinCos::angleOf(y, x);
    if (place.rightAscension < 0.0)
        place.rightAscension += 2.0 * std::numbers::pi;
    const double equatorial = x * x + y * y;
    place.distance = std::sqrt(equatorial + z * z);
    place.equatorial = std::sqrt(equatorial);
    place.declination = std::atan(z / place.equatorial);
    return place;
}

}  // namespace OrbitPlace
