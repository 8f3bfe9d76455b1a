#pragma once

#include "solarsystem/smallbodies/OrbitPlace.h"

// The observer's place on the Earth's spheroid at one local sidereal time,
// and the diurnal parallax it gives a body (Meeus, Astronomical Algorithms,
// chapters 11 and 40, the first-order corrections).
class SiteParallax {
public:
    // Polar over equatorial radius of the Earth, and the equatorial radius.
    static constexpr double kPolarRatio = 0.99664719;
    static constexpr double kEquatorialRadiusMetres = 6378140.0;
    // Every site is taken 30 m above the spheroid.
    static constexpr double kSiteHeightMetres = 30.0;
    // The Sun's equatorial horizontal parallax at 1 AU (8.794") in radians.
    static constexpr double kSolarParallax = 4.263451899528205e-05;

    // latitude: geographic, radians, north positive; siderealTime: local,
    // radians.
    SiteParallax(double latitude, double siderealTime, double heightMetres = kSiteHeightMetres);

    double rhoSinPhi() const { return m_rhoSinPhi; }
    double rhoCosPhi() const { return m_rhoCosPhi; }

    struct Topocentric {
        double rightAscension = 0.0;  // radians
        double declination = 0.0;     // radians
    };

    // The place seen from the site. A right ascension pushed below 0 is
    // brought back by 2 pi.
    Topocentric apply(const OrbitPlace::Geocentric& place) const;

private:
    double m_rhoSinPhi = 0.0;
    double m_rhoCosPhi = 0.0;
    double m_sinSidereal = 0.0;
    double m_cosSidereal = 1.0;
};
