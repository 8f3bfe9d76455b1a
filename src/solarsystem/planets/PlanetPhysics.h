#pragma once

#include "solarsystem/planets/EclipticPlace.h"

// Phase and brightness of the planets and Pluto.
namespace PlanetPhysics {

// Cosine of the phase angle (Sun-body-Earth). helio: the body's heliocentric
// place (radians, AU); earthRadius (AU) and earthLongitude (radians): the
// Earth's; delta: the body's distance from the Earth, AU. Clamped to -1..1.
double phaseCosine(const EclipticPlace& helio, double earthRadius, double earthLongitude, double delta);

// Illuminated percent 0..100 from the phase cosine, negative while the body
// (heliocentric longitude, radians) stands west of the Sun, as seen from an
// Earth at heliocentric longitude earthLongitude.
double signedIlluminatedPercent(double phaseCosine, double longitude, double earthLongitude);

// Visual magnitude of body 1..8 (Mercury..Pluto). radius and delta in AU,
// phaseAngle in degrees; ringB (radians) is the ring tilt toward the Earth,
// used for Saturn only.
double magnitude(int body, double radius, double delta, double phaseAngle, double ringB);

}  // namespace PlanetPhysics
