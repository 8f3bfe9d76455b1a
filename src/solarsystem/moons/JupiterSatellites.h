#pragma once

#include "solarsystem/moons/SatelliteDayCache.h"

#include <array>

// What the telescope view reads of Jupiter's satellites: their places beside
// the disk as seen from the Earth, their shadows as seen from the Sun, and the
// System II central meridian, recomputed only when the Julian day changes.
struct JupiterSatelliteInput {
    double julianDay;    // the sky date's Julian day (universal time, no Delta-T)
    double geoDistance;  // Jupiter's planet record distance: 10^6 km, or 10^6 miles when not metric
    bool isMetric;
    double jL;   // Jupiter's apparent geocentric ecliptic longitude of date, radians
    double jB;   // its apparent geocentric ecliptic latitude, radians
    double jsL;  // its heliocentric ecliptic longitude of date plus the nutation, radians
    double jsB;  // its heliocentric ecliptic latitude, radians
};

class JupiterSatellites {
public:
    // Index 0..3: Io, Europa, Ganymede, Callisto; coordinates in Jupiter's
    // equatorial radii, x along the equator (west positive), y along the
    // projected axis (north positive).
    using Values = std::array<double, 4>;
    using Flags = std::array<bool, 4>;

    // Keeps the previous results when input.julianDay equals the day of the last
    // computation. A distance that is not positive (no planetary pass has run)
    // leaves everything as it was and computes at the next call.
    void calculateJupiterSatellites(const JupiterSatelliteInput& input);

    const Values& jupiterSatX() const { return satX_; }
    const Values& jupiterSatY() const { return satY_; }
    // True when the satellite is nearer to the Earth than Jupiter's centre (in front of the disk).
    const Flags& jupiterSatVis() const { return satVis_; }
    const Values& jSatShadowX() const { return shadowX_; }
    const Values& jSatShadowY() const { return shadowY_; }
    // True when the satellite is nearer to the Sun than Jupiter's centre (its shadow can fall on the disk).
    const Flags& jSatShadowVis() const { return shadowVis_; }
    // System II longitude of the central meridian, degrees 0..360.
    double jupIIlong() const { return om2_; }

private:
    Values satX_{};
    Values satY_{};
    Flags satVis_{};
    Values shadowX_{};
    Values shadowY_{};
    Flags shadowVis_{};
    double om2_ = 0.0;
    SatelliteDayCache dayCache_;
};
