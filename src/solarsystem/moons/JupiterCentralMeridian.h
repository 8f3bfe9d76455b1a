#pragma once

// Longitude of Jupiter's central meridian (Meeus, Astronomical Algorithms,
// ch. 43, the low-accuracy method).
namespace JupiterCentralMeridian {

// System II longitude of the central meridian, degrees 0..360, at the Julian day.
double systemII(double julianDay);

}  // namespace JupiterCentralMeridian
