#pragma once

#include <array>

// Places of Saturn's eight classical satellites relative to the planet
// (Meeus, Astronomical Algorithms, ch. 46).
namespace SaturnSatellitePositions {

// Rectangular coordinates in Saturn's equatorial radii: x along the projected
// ring plane (positive to the west), y along the projected axis (positive to the
// north), z along the line of sight (negative: nearer to the Earth than Saturn's centre).
struct Satellite {
    double x;
    double y;
    double z;
};

// Mimas, Enceladus, Tethys, Dione, Rhea, Titan, Hyperion, Iapetus.
using Satellites = std::array<Satellite, 8>;

struct Input {
    double julianDay;           // the instant less the light time from Saturn to the Earth
    double distanceAu;          // Earth-Saturn distance, AU
    double geocentricLongitude;  // Saturn's geocentric ecliptic longitude, B1950.0, radians
    double geocentricLatitude;   // Saturn's geocentric ecliptic latitude, B1950.0, radians
};

// With the satellites' different light times and the perspective of Saturn's distance.
Satellites positions(const Input& input);

}  // namespace SaturnSatellitePositions
