#include "solarsystem/smallbodies/KeplerEllipse.h"

#include <cmath>

namespace KeplerEllipse {

Solution solve(double meanAnomaly, double eccentricity)
{
    return solve(meanAnomaly, eccentricity, meanAnomaly);
}

Solution solve(double meanAnomaly, double eccentricity, double start)
{
    Solution solution{start, 0, SinCos::of(start)};
    while (solution.steps < kMaximumSteps && !step(solution, meanAnomaly, eccentricity)) {
    }
    return solution;
}

std::optional<Solution> startFrom(const Solution& last, double lastMeanAnomaly, double meanAnomaly,
                                  double eccentricity)
{
    // Only a short step: from farther off, on a very eccentric orbit, a
    // Newton start may be worse than E = M.
    const double change = (meanAnomaly - lastMeanAnomaly) / (1.0 - eccentricity * last.ofE.cos);
    if (!(std::abs(change) <= SinCos::kShortReach))
        return std::nullopt;
    return Solution{last.eccentricAnomaly + change, 0, last.ofE.turnedBy(SinCos::ofStep(change))};
}

OrbitPoint position(double semiMajorAxis, double eccentricity, double meanAnomaly)
{
    const SinCos ofE = solve(meanAnomaly, eccentricity).ofE;
    return pointAt(semiMajorAxis, eccentricity, ofE.sin, ofE.cos);
}

OrbitPoint pointAt(double semiMajorAxis, double eccentricity, double e)
{
    return pointAt(semiMajorAxis, eccentricity, std::sin(e), std::cos(e));
}

OrbitPoint pointAt(double semiMajorAxis, double eccentricity, double sinE, double cosE)
{
    // tan(v/2) = sqrt((1 + e)/(1 - e)) tan(E/2), written so that one sine and
    // cosine of E serve v and r alike; v stays within -pi..pi either way.
    const double v = SinCos::angleOf(std::sqrt(1.0 - eccentricity * eccentricity) * sinE, cosE - eccentricity);
    return {v, semiMajorAxis * (1.0 - eccentricity * cosE)};
}

}  // namespace KeplerEllipse
