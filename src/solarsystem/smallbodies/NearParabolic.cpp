#include "solarsystem/smallbodies/NearParabolic.h"

#include <cmath>
#include <numbers>

namespace {

constexpr double kGauss = 0.01720209895;  // radians per day

// One pass of the series and its Newton refinement; false when the series
// does not converge.
bool refine(double w, double g, double& s)
{
    const double y = s * s;
    double g1 = -y * s;
    double q3 = w + 2.0 * g * s * y / 3.0;
    double z = 1.0;
    double f = 0.0;
    do {
        z += 1.0;
        g1 = -g1 * g * y;
        f = g1 * (z - (z + 1.0) * g) / (2.0 * z + 1.0);
        q3 += f;
        if (z > NearParabolic::kMaximumSeriesTerms || std::abs(f) > NearParabolic::kLargestTerm)
            return false;
    } while (std::abs(f) > NearParabolic::kTolerance);

    for (int step = 0; step < NearParabolic::kMaximumNewtonSteps; ++step) {
        const double previous = s;
        s = (2.0 * s * s * s / 3.0 + q3) / (s * s + 1.0);
        if (std::abs(s - previous) <= NearParabolic::kTolerance)
            break;
    }
    return true;
}

}  // namespace

namespace NearParabolic {

OrbitPoint position(double q, double e, double t)
{
    return solve(q, e, t).point;
}

Solution solve(double q, double e, double t)
{
    if (t == 0.0)
        return {{0.0, q}, true};

    const double w = kGauss * std::sqrt((1.0 + e) / q) / (2.0 * q) * t;
    double s = 2.0 / (3.0 * std::abs(w));
    s = 2.0 / std::tan(2.0 * std::atan(std::pow(std::tan(std::atan(s) / 2.0), 0.33333333333)));
    if (t < 0.0)
        s = -s;

    bool isConverged = true;
    if (float(e) != 1.0f) {
        const double g = (1.0 - e) / (1.0 + e);
        isConverged = false;
        for (int step = 0; step < kMaximumOuterSteps; ++step) {
            const double s0 = s;
            if (!refine(w, g, s)) {
                s = s0;
                break;
            }
            if (std::abs(s - s0) <= kTolerance) {
                isConverged = true;
                break;
            }
        }
    }

    double v = 2.0 * std::atan(s);
    if (v < 0.0)
        v += 2.0 * std::numbers::pi;
    return {{v, q * (1.0 + e) / (1.0 + e * std::cos(v))}, isConverged};
}

}  // namespace NearParabolic
