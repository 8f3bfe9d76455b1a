#pragma once

// The values one planetary pass computes for its instant and hands, body by
// body, to the apparent-place step (and at the end to the Moon). Angles in
// radians, distances in AU.
struct PlanetHandOver {
    double pT = 0.0;  // Julian centuries of dynamical time from J2000.0 (Delta-T included)
    double pNutLong = 0.0;  // nutation in longitude
    double pNutObl = 0.0;   // nutation in obliquity
    double pOE = 0.0;       // true obliquity of the ecliptic
    double pCO = 1.0;       // its cosine
    double pSO = 0.0;       // its sine
    double pLe = 0.0;       // the Earth's heliocentric longitude of date, 0..2 pi
    double pRe = 0.0;       // the Earth's radius vector
    double pRCC = 0.0;      // the Earth, rectangular ecliptic of date: R cos B cos L
    double pRCS = 0.0;      // R cos B sin L
    double pRS = 0.0;       // R sin B
    double pLsun = 0.0;     // the Sun's geometric geocentric longitude (pLe + pi)
    double pBsun = 0.0;     // the Sun's geocentric latitude (minus the Earth's)
    double pRsun = 0.0;     // Earth-Sun distance
    double pecc = 0.0;      // eccentricity of the Earth's orbit
    double plp = 0.0;       // longitude of the Earth's perihelion
    double abbK = 0.0;      // constant of aberration
    // The body being handed over, heliocentric: ecliptic of date for the Sun
    // (all 0) and Mercury..Neptune, of J2000.0 for Pluto. Already scaled.
    double pL = 0.0;
    double pB = 0.0;
    double pR = 0.0;
    double sLes = 0.0;  // Saturn's heliocentric longitude minus the Earth's, not wrapped

    // The values of the instant tau (Julian millennia of dynamical time from
    // J2000.0): time, nutation, obliquity, the Earth and the aberration
    // constants. A shortened one has the Earth's longitude from the leading
    // terms only and leaves its latitude, radius and the Sun's place at 0.
    // The body fields stay 0.
    static PlanetHandOver at(double tau, bool shortened = false);
};
