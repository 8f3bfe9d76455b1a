#pragma once

#include <array>
#include <cstdint>

// What the comet and minor-planet pass reads from the rest of the program,
// gathered by the caller on its own thread before the pass starts. Nothing in
// here changes while the pass runs, so its worker threads may read it freely.
struct SmallBodyInputs {
    double julianDay = 0.0;  // the sky date's Julian day (UT, no Delta-T)
    // The Sun's geocentric rectangular place on the J2000.0 equator, AU, at
    // the moment of the pass (the sky date plus the day offset, dynamical time).
    std::array<double, 3> sunJ2000{};
    // The precession matrix P1..P9 of the sky date, row by row.
    std::array<double, 9> precession{1.0, 0.0, 0.0, 0.0, 1.0, 0.0, 0.0, 0.0, 1.0};
    double latitude = 0.0;       // the site's, degrees, north positive
    double primeMeridian = 0.0;  // local sidereal time, degrees
    bool isMetric = true;        // distances in km rather than miles
    bool isTimeChange = true;    // the sky moved: positions must be recomputed
    std::int32_t trackIndex = -1;  // the telescope view's tracked object index
    bool isConnected = false;      // a mount is connected (it then drives the tracking)
    int numCores = 1;              // processor count; large tables use min(this, 8) threads

    // Whether a new place of this object goes to the telescope view: it is
    // the tracked one and no mount is there to drive the tracking.
    bool movesTrackedObject(std::int32_t objectIndex) const
    {
        return !isConnected && trackIndex == objectIndex;
    }
};
