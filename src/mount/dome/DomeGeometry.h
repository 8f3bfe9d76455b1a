#pragma once

#include <optional>

// Where the mount stands in the dome. Lengths in any one unit.
struct DomeGeometry {
    double x = 0.0;       // mount centre east (+) or west (-) of the dome's north-south line
    double y = 0.0;       // mount centre north (+) or south (-) of the dome's east-west line
    double z = 0.0;       // mount centre above (+) or below (-) the rail plane
    double bigR = 0.0;    // dome radius
    double smallR = 0.0;  // mount centre to the optical tube's axis
    double flip = 0.0;    // German mount's flip safety limit, degrees past the meridian
};

// What the telescope looks at, for one dome update.
class DomeMount;

struct DomeAim {
    bool isGEM = false;
    // The tube side follows the direction the telescope last moved;
    // otherwise the tube stays on the side `smallR` gives.
    bool inferTubeSide = true;
    double scopeAzimuth = 0.0;     // degrees, 0 = north, increasing east
    double previousAzimuth = 0.0;  // degrees, the azimuth of the update before
    double latitude = 0.0;         // degrees north
    double hourAngle = 0.0;        // radians, of the mount's polled position
    double dec = 0.0;              // radians, of the mount's polled position

    // The aim at the mount's polled position now; none before a position was read.
    static std::optional<DomeAim> of(const DomeMount& mount, bool isGEM, bool inferTubeSide,
                                     double previousAzimuth);
};

// The azimuth (degrees in [0, 360), 0 = north) at which the telescope's line
// of sight leaves the dome: the scope azimuth for a fork mount; for a German
// mount the far intersection of the ray from the offset tube with the dome
// sphere. None when a German mount has no radius, or the tube lies outside
// the sphere so the ray never meets it from inside.
std::optional<double> calcDomeAzimuth(const DomeGeometry& geometry, const DomeAim& aim);

// The distance of two azimuths (degrees), folded to 0..180.
double domeAngleApart(double a, double b);
