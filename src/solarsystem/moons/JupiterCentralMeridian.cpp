#include "solarsystem/moons/JupiterCentralMeridian.h"

#include "model/Angles.h"

#include <cmath>

namespace JupiterCentralMeridian {

double systemII(double julianDay)
{
    using Angles::kDegToRad;
    using Angles::kRadToDeg;
    const auto angle = [](double degrees) { return Angles::wrapTwoPi(degrees * Angles::kDegToRad); };

    const double d = julianDay - 2451545.0;
    const double V = angle(172.74 + 0.00111588 * d);
    const double M = angle(357.529 + 0.9856003 * d);
    const double N = angle(20.02 + 0.0830853 * d + 0.329 * std::sin(V));
    const double J = angle(66.115 + 0.9025179 * d - 0.329 * std::sin(V));
    const double A = (1.915 * std::sin(M) + 0.02 * std::sin(2.0 * M)) * kDegToRad;
    const double B = (5.555 * std::sin(N) + 0.168 * std::sin(2.0 * N)) * kDegToRad;
    const double K = J + A - B;
    const double R = 1.00014 - 0.01671 * std::cos(M) - 0.00014 * std::cos(2.0 * M);
    const double r = 5.20872 - 0.25208 * std::cos(N) - 0.00611 * std::cos(2.0 * N);
    const double distance = std::sqrt(r * r + R * R - 2.0 * r * R * std::cos(K));
    const double psi = std::asin(R * std::sin(K) / distance) * kRadToDeg;
    // Light time: Jupiter is seen as it was distance / 173 days earlier.
    return Angles::wrap360(187.23 + 870.1869088 * (d - distance / 173.0) + psi - B * kRadToDeg);
}

}  // namespace JupiterCentralMeridian
