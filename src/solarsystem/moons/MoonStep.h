#pragma once

#include "model/records/planet.h"

// The Moon step of a full planetary pass at the sky date: places the Moon
// (planet entry 9) and makes the Earth's shadow point (entry 10) topocentric.
namespace MoonStep {

// The observer's height above sea level assumed for the topocentric places.
inline constexpr double kSiteHeightMetres = 30.0;

struct Input {
    double T;                  // Julian centuries of dynamical time from J2000.0 (the pass's pT)
    double nutationLongitude;  // radians (pNutLong)
    double cosObliquity;       // of the true obliquity (pCO)
    double sinObliquity;       // (pSO)
    double earthLongitude;     // the Earth's heliocentric ecliptic longitude of date, radians 0..2 pi (pLe)
    double primeMeridian;      // local sidereal time, degrees
    double latitude;           // site latitude, degrees north
    bool isMetric;
};

struct Result {
    double moonHP;     // equatorial horizontal parallax, radians
    double moonAD;     // apparent diameter, radians
    double moonPhase;  // illuminated percent, negative while the Moon wanes
    double moonAge;    // hundredths of a day since new Moon
    double moonTermA;  // parallactic angle at the Moon's topocentric place, radians
};

// Writes the Moon's topocentric unit vector, ra and dec (apparent, of date,
// radians), geoDistance (10^3 km, or 10^3 miles when not metric) and mag
// (1000 x the illuminated fraction), and the shadow point's topocentric unit
// vector from the geocentric ra and dec it already holds (both keep every
// other field). The caller hands the Moon's ra and dec to the telescope view
// when that tracks the Moon.
Result calculateMoon(const Input& input, planet& moon, planet& shadowPoint);

}  // namespace MoonStep
