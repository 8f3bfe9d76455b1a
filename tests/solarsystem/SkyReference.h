#pragma once

#include "solarsystem/planets/DeltaT.h"
#include "solarsystem/planets/PlanetaryPass.h"

#include <array>
#include <cmath>
#include <numbers>

// Helpers the solar-system tests share: angles, the records a planetary pass
// writes, and the values it hands to the Moon step.
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

// What a full pass at the dynamical instant jde hands to the Moon step.
inline PlanetHandOver handOverAt(double jde)
{
    PlanetaryPass pass;
    PassRecords records;
    PlanetaryPassRequest request;
    request.julianDay = universalFor(jde);
    records.run(pass, request);
    return pass.state().handOver;
}

}  // namespace SkyReference
