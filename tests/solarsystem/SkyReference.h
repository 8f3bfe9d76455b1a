#pragma once

#include <cmath>

// Helpers the solar-system tests share: the values the planetary pass hands to
// the Moon step, computed here as the pass computes them (low-accuracy nutation,
// Meeus ch. 22), and angle conversions.
namespace SkyReference {

inline constexpr double kDeg = 0.0174532925199433;

inline double degrees(double radians)
{
    return radians / kDeg;
}

// Angular distance between two equatorial places (radians in, arcseconds out).
inline double separationArcsec(double ra1, double dec1, double ra2, double dec2)
{
    const double c = std::sin(dec1) * std::sin(dec2) + std::cos(dec1) * std::cos(dec2) * std::cos(ra1 - ra2);
    const double s = std::hypot(std::cos(dec2) * std::sin(ra1 - ra2),
                                std::cos(dec1) * std::sin(dec2) - std::sin(dec1) * std::cos(dec2) * std::cos(ra1 - ra2));
    return degrees(std::atan2(s, c)) * 3600.0;
}

struct Nutation {
    double longitude;  // radians
    double obliquity;  // true obliquity, radians
};

// T in Julian centuries of dynamical time from J2000.0.
inline Nutation nutation(double T)
{
    const double omega = (125.04452 - 1934.136261 * T) * kDeg;
    const double L = (280.4665 + 36000.7698 * T) * kDeg;
    const double Lp = (218.3165 + 481267.8813 * T) * kDeg;
    const double dpsi = -17.20 * std::sin(omega) - 1.32 * std::sin(2 * L) - 0.23 * std::sin(2 * Lp)
                        + 0.21 * std::sin(2 * omega);
    const double deps = 9.20 * std::cos(omega) + 0.57 * std::cos(2 * L) + 0.10 * std::cos(2 * Lp)
                        - 0.09 * std::cos(2 * omega);
    const double meanObliquity =
        23.439291111 - 0.01300416667 * T - 1.638889e-07 * T * T + 5.036111e-07 * T * T * T;
    return {dpsi / 3600.0 * kDeg, meanObliquity * kDeg + deps / 3600.0 * kDeg};
}

// The Earth's heliocentric ecliptic longitude of date, radians 0..2 pi, from the
// Sun's low-accuracy longitude (Meeus ch. 25, 0.01 degree).
inline double earthLongitude(double T)
{
    const double L0 = 280.46646 + 36000.76983 * T + 0.0003032 * T * T;
    const double M = (357.52911 + 35999.05029 * T - 0.0001537 * T * T) * kDeg;
    const double C = (1.914602 - 0.004817 * T - 0.000014 * T * T) * std::sin(M)
                     + (0.019993 - 0.000101 * T) * std::sin(2 * M) + 0.000289 * std::sin(3 * M);
    const double earth = std::fmod(L0 + C + 180.0, 360.0);
    return (earth < 0 ? earth + 360.0 : earth) * kDeg;
}

// Julian centuries from J2000.0 of a Julian day.
inline double centuries(double julianDay)
{
    return (julianDay - 2451545.0) / 36525.0;
}

}  // namespace SkyReference
