#pragma once

// Magnitudes of comets and minor planets. Distances in AU.
namespace SmallBodyMagnitude {

// Total magnitude of a comet: H + 5 log10 delta + 2.5 slope log10 r.
double comet(double absMagnitude, double slope, double sunDistance, double earthDistance);

// The H, G system's phase function (1 - G) phi1 + G phi2 at the phase angle
// beta given by tan(beta / 2) squared.
double phaseFunction(double slope, double tanHalfSquared);

// The H, G system of Bowell and others (IAU Commission 20, 1985), with the
// phase angle from the Sun-body, Earth-body and Earth-Sun distances.
double minorPlanet(double absMagnitude, double slope, double sunDistance, double earthDistance,
                   double earthSunDistanceSquared);

}  // namespace SmallBodyMagnitude
