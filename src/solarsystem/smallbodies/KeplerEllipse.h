#pragma once

#include "solarsystem/smallbodies/OrbitPoint.h"
#include "model/SinCos.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <optional>

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

// One of Newton's steps on `solution`, the sine and cosine carried along;
// true when it changed E by at most kTolerance.
inline bool step(Solution& solution, double meanAnomaly, double eccentricity)
{
    const SinCos& at = solution.ofE;
    const double change = (meanAnomaly + eccentricity * at.sin - solution.eccentricAnomaly)
                          / (1.0 - eccentricity * at.cos);
    ++solution.steps;
    solution.eccentricAnomaly += change;
    solution.ofE = at.movedTo(solution.eccentricAnomaly, change);
    return std::abs(change) <= kTolerance;
}

// M in radians (any value; a negative one still solves), 0 <= e < 1. Stops
// when a step changes E by at most kTolerance or after kMaximumSteps steps,
// keeping the last iterate either way.
Solution solve(double meanAnomaly, double eccentricity);
// The same from another starting value: one close to the answer (that of a
// nearby mean anomaly) saves steps.
Solution solve(double meanAnomaly, double eccentricity, double start);

// A starting value for mean anomaly M (radians) from the solution `last` of
// a nearby mean anomaly `lastMeanAnomaly`, one Newton step on from it, its
// sine and cosine from the series; none when that step is not short
// (SinCos::kShortReach).
std::optional<Solution> startFrom(const Solution& last, double lastMeanAnomaly, double meanAnomaly,
                                  double eccentricity);

// Several equations, each solved as solve(M, e, start) solves it alone (the
// start's sine and cosine carried in), their steps taken in turn: each is a
// chain of dependent steps, and the processor works on the chains side by side.
template <std::size_t N>
std::array<Solution, N> solveTogether(const std::array<double, N>& meanAnomaly, const std::array<double, N>& eccentricity,
                                      std::array<Solution, N> solution)
{
    std::array<bool, N> done{};
    for (std::size_t k = 0; k < N; ++k)
        solution[k].steps = 0;
    for (int steps = 0; steps < kMaximumSteps; ++steps) {
        bool allDone = true;
        for (std::size_t k = 0; k < N; ++k) {
            done[k] = done[k] || step(solution[k], meanAnomaly[k], eccentricity[k]);
            allDone = allDone && done[k];
        }
        if (allDone)
            break;
    }
    return solution;
}

// The same from E = M, as solve(M, e).
template <std::size_t N>
std::array<Solution, N> solveTogether(const std::array<double, N>& meanAnomaly, const std::array<double, N>& eccentricity)
{
    std::array<Solution, N> start;
    for (std::size_t k = 0; k < N; ++k)
        start[k] = {meanAnomaly[k], 0, SinCos::of(meanAnomaly[k])};
    return solveTogether(meanAnomaly, eccentricity, start);
}

// The orbit point at eccentric anomaly E (radians), or from its sine and cosine.
OrbitPoint pointAt(double semiMajorAxis, double eccentricity, double eccentricAnomaly);
OrbitPoint pointAt(double semiMajorAxis, double eccentricity, double sinE, double cosE);

// The orbit point of a semi-major axis a (AU) at mean anomaly M (radians).
OrbitPoint position(double semiMajorAxis, double eccentricity, double meanAnomaly);

}  // namespace KeplerEllipse
