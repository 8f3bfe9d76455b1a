#pragma once

#include "solarsystem/moons/SatelliteDayCache.h"

#include <array>

// What the telescope view reads of Saturn's satellites: their places beside the
// planet as seen from the Earth, recomputed only when the Julian day changes.
struct SaturnSatelliteInput {
    double julianDay;    // the sky date's Julian day (universal time, no Delta-T)
    double geoDistance;  // Saturn's planet record distance: 10^6 km, or 10^6 miles when not metric
    bool isMetric;
    double sL;  // Saturn's apparent geocentric ecliptic longitude of date, radians
    double sB;  // its apparent geocentric ecliptic latitude, radians
};

class SaturnSatellites {
public:
    // Index 0..7: Mimas, Enceladus, Tethys, Dione, Rhea, Titan, Hyperion,
    // Iapetus; coordinates in Saturn's equatorial radii, x along the projected
    // ring plane (west positive), y along the projected axis (north positive).
    using Values = std::array<double, 8>;
    using Flags = std::array<bool, 8>;

    // Keeps the previous results when input.julianDay equals the day of the last
    // computation. A distance that is not positive (no planetary pass has run)
    // leaves everything as it was and computes at the next call.
    void calculateSaturnSatellites(const SaturnSatelliteInput& input);

    const Values& saturnSatX() const { return satX_; }
    const Values& saturnSatY() const { return satY_; }
    // True when the satellite is nearer to the Earth than Saturn's centre (in front of the planet).
    const Flags& saturnSatVis() const { return satVis_; }

private:
    Values satX_{};
    Values satY_{};
    Flags satVis_{};
    SatelliteDayCache dayCache_;
};
