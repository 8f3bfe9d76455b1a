#pragma once

#include "solarsystem/smallbodies/OrbitPoint.h"

// Orbits of eccentricity near or above 1 (Meeus, Astronomical Algorithms,
// chapter 35, the near-parabolic method): from the perihelion distance q (AU),
// the eccentricity and the time t since perihelion (days).
namespace NearParabolic {

inline constexpr double kTolerance = 1e-9;
inline constexpr int kMaximumOuterSteps = 50;
inline constexpr int kMaximumSeriesTerms = 50;
inline constexpr double kLargestTerm = 10000.0;
// The Newton refinement inside each outer step converges in a handful of
// steps for any real orbit; this only bounds a pathological one.
inline constexpr int kMaximumNewtonSteps = 100;

// At t = 0 exactly the body is at perihelion (v = 0, r = q). An eccentricity
// of exactly 1 (in single precision, as stored) takes the closed parabolic
// solution. When the series does not converge the method keeps the value the
// current outer step started from; after the last outer step it keeps the last.
OrbitPoint position(double perihelionDistance, double eccentricity, double daysSincePerihelion);

// The same, and whether the method converged on it (the series in every
// outer step, and the outer steps); the closed solution always does.
struct Solution {
    OrbitPoint point;
    bool isConverged = false;
};
Solution solve(double perihelionDistance, double eccentricity, double daysSincePerihelion);

}  // namespace NearParabolic
