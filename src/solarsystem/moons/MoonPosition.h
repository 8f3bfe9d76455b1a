#pragma once

// The Moon's geocentric place (Meeus, Astronomical Algorithms, ch. 47, with
// the periodic terms of Tables 47.A and 47.B).
namespace MoonPosition {

struct Geocentric {
    double longitude;         // apparent ecliptic longitude of date (nutation added), radians 0..2 pi
    double latitude;          // ecliptic latitude, radians
    double distanceKm;        // distance between the centres of the Earth and the Moon, km
    double parallax;          // equatorial horizontal parallax, radians
    double apparentDiameter;  // radians
    double rightAscension;    // apparent, of date, radians 0..2 pi
    double declination;       // apparent, of date, radians
};

// T: Julian centuries of dynamical time from J2000.0 (JDE 2451545.0).
// nutationLongitude: nutation in longitude, radians.
// cosObliquity, sinObliquity: of the true obliquity of the ecliptic.
Geocentric geocentric(double T, double nutationLongitude, double cosObliquity, double sinObliquity);

}  // namespace MoonPosition
