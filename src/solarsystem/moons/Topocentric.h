#pragma once

// Parallax in right ascension and declination for an observer on the Earth's
// surface (Meeus, Astronomical Algorithms, chs. 11, 40 and 14).
namespace Topocentric {

// The observer's distance from the Earth's axis and from the equatorial plane,
// in Earth equatorial radii (rho cos phi', rho sin phi').
struct Site {
    double rhoCosPhi;
    double rhoSinPhi;
};

// latitude: geographic, radians (north positive); heightMetres above sea level.
Site site(double latitude, double heightMetres);

struct Place {
    double rightAscension;  // radians 0..2 pi
    double declination;     // radians
};

// The topocentric place of a body whose geocentric place (of date) is
// rightAscension, declination (radians) and whose equatorial horizontal
// parallax has the sine sinParallax, for the local sidereal time (radians).
Place place(double rightAscension, double declination, double sinParallax, double localSiderealTime,
            const Site& site);

// Parallactic angle (radians) of a body at the given hour angle and declination
// for a site at the given latitude (all radians): the angle at the body between
// the directions to the celestial pole and to the zenith.
double parallacticAngle(double hourAngle, double declination, double latitude);

}  // namespace Topocentric
