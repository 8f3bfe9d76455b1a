#pragma once

// Heliocentric or geocentric spherical ecliptic coordinates: longitude and
// latitude in radians, radius (distance) in AU. The frame is stated by whoever
// returns one.
struct EclipticPlace {
    double longitude = 0.0;
    double latitude = 0.0;
    double radius = 0.0;
};
