#pragma once

#include "solarsystem/moons/Topocentric.h"
#include "solarsystem/smallbodies/OrbitPlace.h"

#include <array>

// The observer's place on the Earth's spheroid at one local sidereal time,
// and the diurnal parallax it gives a body (Meeus, Astronomical Algorithms,
// chapters 11 and 40, the first-order corrections).
class SiteParallax {
public:
    // Every site is taken 30 m above the spheroid.
    static constexpr double kSiteHeightMetres = 30.0;
    // The Sun's equatorial horizontal parallax at 1 AU (8.794") in radians.
    static constexpr double kSolarParallax = 4.263451899528205e-05;

    // latitude: geographic, radians, north positive; siderealTime: local,
    // radians.
    SiteParallax(double latitude, double siderealTime, double heightMetres = kSiteHeightMetres);

    double rhoSinPhi() const { return m_site.rhoSinPhi; }
    double rhoCosPhi() const { return m_site.rhoCosPhi; }

    struct Topocentric {
        double rightAscension = 0.0;  // radians
        double declination = 0.0;     // radians
        std::array<double, 3> unitVector{};  // cos d cos a, cos d sin a, sin d
    };

    // The place seen from the site. A right ascension pushed below 0 is
    // brought back by 2 pi.
    Topocentric apply(const OrbitPlace::Geocentric& place) const;

private:
    ::Topocentric::Site m_site;
    double m_sinSidereal = 0.0;
    double m_cosSidereal = 1.0;
};
