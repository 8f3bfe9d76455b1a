#pragma once

// Precession of ecliptic coordinates from one equinox and ecliptic to another
// (Meeus, Astronomical Algorithms, eqs. 21.5 and 21.7).
namespace EclipticPrecession {

struct Ecliptic {
    double longitude;  // radians 0..2 pi
    double latitude;   // radians
};

// longitude, latitude (radians) referred to the ecliptic and equinox of the
// Julian day fromJd, brought to those of toJd (both dynamical time).
Ecliptic precess(double longitude, double latitude, double fromJd, double toJd);

}  // namespace EclipticPrecession
