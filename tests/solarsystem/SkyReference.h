#pragma once

#include "solarsystem/planets/DeltaT.h"
#include "solarsystem/planets/PlanetaryPass.h"

#include <array>
#include <cmath>
#include <numbers>

// Helpers the solar-system tests share: angles, the records a planetary pass
// writes, and the values the pass hands to the Moon step, computed as it does
// (low-accuracy nutation, Meeus ch. 22).
namespace SkyReference {

inline constexpr double kDeg = std::numbers::pi / 180.0;
inline constexpr double kArcsec = kDeg / 3600.0;

inline double degrees(double radians)
{
    return radians / kDeg;
}

// Sexagesimal hours or degrees (the sign on the first field, -0 included) to radians.
inline double hms(double h, double m, double s)
{
    return (h + m / 60.0 + s / 3600.0) * 15.0 * kDeg;
}
inline double dms(double d, double m, double s)
{
    return (std::signbit(d) ? -1.0 : 1.0) * (std::abs(d) + m / 60.0 + s / 3600.0) * kDeg;
}

// Angular distance between two equatorial places (radians in, arcseconds out).
inline double separationArcsec(double ra1, double dec1, double ra2, double dec2)
{
    const double c = std::sin(dec1) * std::sin(dec2) + std::cos(dec1) * std::cos(dec2) * std::cos(ra1 - ra2);
    const double s = std::hypot(std::cos(dec2) * std::sin(ra1 - ra2),
                                std::cos(dec1) * std::sin(dec2) - std::sin(dec1) * std::cos(dec2) * std::cos(ra1 - ra2));
    return degrees(std::atan2(s, c)) * 3600.0;
}

// Angle between the unit vector of a record and the direction (ra, dec), radians.
template <class Record>
double separation(const Record& r, double ra, double dec)
{
    const double x = r.vecX, y = r.vecY, z = r.vecZ;
    return separationArcsec(std::atan2(y, x), std::atan2(z, std::hypot(x, y)), ra, dec) * kArcsec;
}

// The records a pass writes, as the astronomy model holds them.
struct PassRecords {
    std::array<planet, 11> planets{};
    std::array<planetPath, 40> paths{};

    PassRecords()
    {
        for (int i = 0; i < 11; ++i)
            planets[std::size_t(i)].index = i;
    }
    bool run(PlanetaryPass& pass, const PlanetaryPassRequest& request) { return pass.run(request, planets, paths); }
};

// The UT Julian day that the pass turns into the dynamical instant jde.
inline double universalFor(double jde)
{
    return jde - DeltaT::seconds(2000.0 + (jde - 2451545.0) / 365.25) / 86400.0;
}

// Julian centuries from J2000.0 of a Julian day.
inline double centuries(double julianDay)
{
    return (julianDay - 2451545.0) / 36525.0;
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
    const double meanObliquity = 23.439291111 - 0.01300416667 * T - 1.638889e-07 * T * T + 5.036111e-07 * T * T * T;
    return {dpsi * kArcsec, meanObliquity * kDeg + deps * kArcsec};
}

// The Earth's heliocentric ecliptic longitude of date, radians 0..2 pi, from
// the Sun's low-accuracy longitude (Meeus ch. 25, 0.01 degree).
inline double earthLongitude(double T)
{
    const double L0 = 280.46646 + 36000.76983 * T + 0.0003032 * T * T;
    const double M = (357.52911 + 35999.05029 * T - 0.0001537 * T * T) * kDeg;
    const double C = (1.914602 - 0.004817 * T - 0.000014 * T * T) * std::sin(M)
                     + (0.019993 - 0.000101 * T) * std::sin(2 * M) + 0.000289 * std::sin(3 * M);
    const double earth = std::fmod(L0 + C + 180.0, 360.0);
    return (earth < 0 ? earth + 360.0 : earth) * kDeg;
}

}  // namespace SkyReference
