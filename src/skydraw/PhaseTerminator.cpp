#include "skydraw/PhaseTerminator.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kMaxRadius = 2000.0;
constexpr double kMinSine = 0.05;
constexpr double kHalf = 50.0;

}  // namespace

PhaseTerminator PhaseTerminator::of(double h, double phase)
{
    double q = std::abs(phase);
    if (q > kHalf)
        q = 100.0 - q;
    const double b = (1.0 - q / kHalf) * h;
    const double theta = std::atan2(h, b);
    PhaseTerminator t{};
    t.rho = std::min(kMaxRadius, h / std::max(kMinSine, std::abs(std::sin(2.0 * theta))));
    t.offset = t.rho - b;
    const bool isWaxingCrescent = phase >= 0.0 && std::abs(phase) < kHalf;
    const bool isWaningGibbous = std::abs(phase) >= kHalf && phase < 0.0;
    t.sigma = isWaxingCrescent || isWaningGibbous ? -1 : 1;
    t.isDarkInside = std::abs(phase) < kHalf;
    return t;
}
