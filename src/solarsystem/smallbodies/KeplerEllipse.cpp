#include "solarsystem/smallbodies/KeplerEllipse.h"

#include <cmath>

namespace KeplerEllipse {

Solution solve(double meanAnomaly, double eccentricity)
{
    return solve(meanAnomaly, eccentricity, meanAnomaly);
}

Solution solve(double meanAnomaly, double eccentricity, double start)
{
    Solution solution{start, 0};
    double e0 = start;
    while (solution.steps < kMaximumSteps) {
        const double e1 = e0 + (meanAnomaly + eccentricity * std::sin(e0) - e0)
                                   / (1.0 - eccentricity * std::cos(e0));
        ++solution.steps;
        solution.eccentricAnomaly = e1;
        if (std::abs(e1 - e0) <= kTolerance)
            break;
        e0 = e1;
    }
    return solution;
}

OrbitPoint position(double semiMajorAxis, double eccentricity, double meanAnomaly)
{
    return pointAt(semiMajorAxis, eccentricity, solve(meanAnomaly, eccentricity).eccentricAnomaly);
}

OrbitPoint pointAt(double semiMajorAxis, double eccentricity, double e)
{
    return pointAt(semiMajorAxis, eccentricity, std::sin(e), std::cos(e));
}

OrbitPoint pointAt(double semiMajorAxis, double eccentricity, double sinE, double cosE)
{
    // tan(v/2) = sqrt((1 + e)/(1 - e)) tan(E/2), written so that one sine and
    // cosine of E serve v and r alike; v stays within -pi..pi either way.
    const double v = std::atan2(std::sqrt(1.0 - eccentricity * eccentricity) * sinE, cosE - eccentricity);
    return {v, semiMajorAxis * (1.0 - eccentricity * cosE)};
}

}  // namespace KeplerEllipse
