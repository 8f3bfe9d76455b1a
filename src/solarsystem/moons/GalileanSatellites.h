#pragma once

#include <array>

// Places of Io, Europa, Ganymede and Callisto relative to Jupiter by the more
// accurate method of Meeus, Astronomical Algorithms, ch. 44 (Lieske's theory E5).
namespace GalileanSatellites {

// Rectangular coordinates in Jupiter's equatorial radii: x along Jupiter's
// equator (positive to the west), y along its projected axis (positive to the
// north), z toward the observer's line of sight (negative: nearer to the
// observer than Jupiter's centre).
struct Satellite {
    double x;
    double y;
    double z;
};

using Satellites = std::array<Satellite, 4>;  // Io, Europa, Ganymede, Callisto

struct Input {
    double julianDay;              // the instant of the places
    double distanceAu;             // Earth-Jupiter distance, AU (for light time and perspective)
    double geocentricLongitude;    // Jupiter's geocentric ecliptic longitude of date, radians
    double geocentricLatitude;     // Jupiter's geocentric ecliptic latitude, radians
    double heliocentricLongitude;  // Jupiter's heliocentric ecliptic longitude of date, radians
    double heliocentricLatitude;   // Jupiter's heliocentric ecliptic latitude, radians
};

struct Positions {
    // As seen from the Earth, with the satellites' different light times and
    // the perspective of Jupiter's distance.
    Satellites fromEarth;
    // As seen from the Sun (where their shadows fall), without perspective.
    Satellites fromSun;
};

Positions positions(const Input& input);

}  // namespace GalileanSatellites
