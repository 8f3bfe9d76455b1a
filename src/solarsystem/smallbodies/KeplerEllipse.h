#pragma once

#include "solarsystem/smallbodies/OrbitPoint.h"
#include "solarsystem/smallbodies/SinCos.h"

// Elliptic two-body motion: Kepler's equation M = E - e sin E solved by
// Newton's method from E = M.
namespace KeplerEllipse {

inline constexpr int kMaximumSteps = 149;
inline constexpr double kTolerance = 1e-6;  // radians, the last step's size

struct Solution {
    double eccentricAnomaly = 0.0;  // E, radians
    int steps = 0;
    SinCos ofE;  // sin E and cos E
};

// M in radians (any value; a negative one still solves), 0 <= e < 1. Stops
// when a step changes E by at most kTolerance or after kMaximumSteps steps,
// keeping the last iterate either way.
Solution solve(double meanAnomaly, double eccentricity);
// The same from another starting value: one close to the answer (that of a
// nearby mean anomaly) saves steps.
Solution solve(double meanAnomaly, double eccentricity, double start);

// The orbit point at eccentric anomaly E (radians), or from its sine and cosine.
OrbitPoint pointAt(double semiMajorAxis, double eccentricity, double eccentricAnomaly);
OrbitPoint pointAt(double semiMajorAxis, double eccentricity, double sinE, double cosE);

// The orbit point of a semi-major axis a (AU) at mean anomaly M (radians).
OrbitPoint position(double semiMajorAxis, double eccentricity, double meanAnomaly);

}  // namespace KeplerEllipse
