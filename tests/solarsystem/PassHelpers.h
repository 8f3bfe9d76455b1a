#pragma once

#include "solarsystem/planets/DeltaT.h"
#include "solarsystem/planets/PlanetaryPass.h"

#include <array>
#include <cmath>
#include <numbers>

// The records a pass writes, as the astronomy model holds them.
struct PassRecords {
    std::array<planet, 11> planets{};
    std::array<planetPath, 40> paths{};

    PassRecords()
    {
        for (int i = 0; i < 11; ++i)
            planets[std::size_t(i)].index = i;
    }

    bool run(PlanetaryPass& pass, const PlanetaryPassRequest& request)
    {
        return pass.run(request, planets, paths);
    }
};

// The UT Julian day that the pass turns into the dynamical instant jde.
inline double universalFor(double jde)
{
    return jde - DeltaT::seconds(2000.0 + (jde - 2451545.0) / 365.25) / 86400.0;
}

inline constexpr double kDeg = std::numbers::pi / 180.0;
inline constexpr double kArcsec = kDeg / 3600.0;

inline double hours(double h, double m, double s)
{
    return (h + m / 60.0 + s / 3600.0) * 15.0 * kDeg;
}

inline double degrees(double d, double m, double s)
{
    const double sign = d < 0.0 || std::signbit(d) ? -1.0 : 1.0;
    return sign * (std::abs(d) + m / 60.0 + s / 3600.0) * kDeg;
}

// Angle between the unit vector of a record and a direction (ra, dec), radians.
template <class Record>
double separation(const Record& r, double ra, double dec)
{
    const double x = std::cos(dec) * std::cos(ra);
    const double y = std::cos(dec) * std::sin(ra);
    const double z = std::sin(dec);
    const double cx = y * r.vecZ - z * r.vecY;
    const double cy = z * r.vecX - x * r.vecZ;
    const double cz = x * r.vecY - y * r.vecX;
    return std::atan2(std::sqrt(cx * cx + cy * cy + cz * cz), x * r.vecX + y * r.vecY + z * r.vecZ);
}
