#include "solarsystem/KeplerEllipse.h"

#include <cmath>

namespace KeplerEllipse {

Solution solve(double meanAnomaly, double eccentricity)
{
    Solution solution{meanAnomaly, 0};
    double e0 = meanAnomaly;
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
    const double e = solve(meanAnomaly, eccentricity).eccentricAnomaly;
    const double v =
        2.0 * std::atan(std::sqrt((1.0 + eccentricity) / (1.0 - eccentricity)) * std::tan(e / 2.0));
    return {v, semiMajorAxis * (1.0 - eccentricity * std::cos(e))};
}

}  // namespace KeplerEllipse
