#pragma once

#include "solarsystem/planets/ApparentPlace.h"
#include "solarsystem/planets/EclipticPlace.h"
#include "solarsystem/planets/PlanetHandOver.h"

// Orientation of Saturn's ring (linear terms of the ring plane's elements).
struct SaturnRing {
    double B = 0.0;       // Saturnicentric latitude of the Earth on the ring plane, signed, radians
    double P = 0.0;       // position angle of the ring's northern pole, radians
    double BPrime = 0.0;  // Saturnicentric latitude of the Sun on the ring plane, radians

    // apparent: Saturn's apparent place; helio: its heliocentric place on the
    // ecliptic of date (radians, AU), both for the instant h.pT.
    static SaturnRing compute(const ApparentPlace& apparent, const EclipticPlace& helio, const PlanetHandOver& h);
};
