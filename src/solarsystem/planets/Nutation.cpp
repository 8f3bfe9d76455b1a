#include "solarsystem/planets/Nutation.h"

#include "model/Angles.h"

#include <cmath>

Nutation Nutation::at(double T)
{
    using Angles::kDegree;
    using Angles::kArcsecond;
    const double omega = (125.04452 - 1934.136261 * T) * kDegree;
    const double L = (280.4665 + 36000.7698 * T) * kDegree;
    const double Lm = (218.3165 + 481267.8813 * T) * kDegree;
    const double dpsi = -17.20 * std::sin(omega) - 1.32 * std::sin(2 * L) - 0.23 * std::sin(2 * Lm)
                        + 0.21 * std::sin(2 * omega);
    const double deps = 9.20 * std::cos(omega) + 0.57 * std::cos(2 * L) + 0.10 * std::cos(2 * Lm)
                        - 0.09 * std::cos(2 * omega);
    return {dpsi * kArcsecond, deps * kArcsecond};
}

double Obliquity::mean(double T)
{
    const double degrees = 23.439291111 + T * (-0.01300416667 + T * (-1.638889e-07 + T * 5.036111e-07));
    return degrees * Angles::kDegree;
}
