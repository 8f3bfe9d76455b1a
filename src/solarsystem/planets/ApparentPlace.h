#pragma once

#include "solarsystem/planets/EclipticPlace.h"
#include "solarsystem/planets/PlanetHandOver.h"
#include "solarsystem/Vec3.h"

// Apparent geocentric place of a body: aberration (with the Earth's orbital
// eccentricity) and nutation applied, referred to the true equator and
// equinox of date.
struct ApparentPlace {
    double ra = 0.0;             // right ascension, radians, 0..2 pi
    double dec = 0.0;            // declination, radians
    double lambda = 0.0;         // apparent ecliptic longitude of date, radians
    double beta = 0.0;           // apparent ecliptic latitude of date, radians
    double geoDistance = 0.0;    // from the Earth, AU
    double helioDistance = 0.0;  // from the Sun, AU

    // cos dec cos ra, cos dec sin ra, sin dec.
    Vec3 unitVector() const;

    // Geometric geocentric rectangular place, AU. helio on the ecliptic of
    // date gives the ecliptic of date (the Earth from h); helio on the
    // ecliptic of J2000.0 with the geocentric J2000 Sun gives the J2000 equator.
    static Vec3 geocentricOfDate(const EclipticPlace& helio, const PlanetHandOver& h);
    static Vec3 geocentricJ2000(const EclipticPlace& helio, const Vec3& sunJ2000);

    // helio: heliocentric place on the ecliptic of date (the Sun passes
    // radius 0); the Earth and the time come from h.
    static ApparentPlace fromEclipticOfDate(const EclipticPlace& helio, const PlanetHandOver& h);

    // helio: heliocentric place on the ecliptic of J2000.0; sunJ2000: the
    // geocentric Sun on the J2000 equator, AU. The geocentric place is
    // precessed to the instant h.pT before aberration and nutation.
    static ApparentPlace fromJ2000(const EclipticPlace& helio, const Vec3& sunJ2000, const PlanetHandOver& h);
};
