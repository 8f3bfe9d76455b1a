#include "solarsystem/moons/EclipticPrecession.h"

#include "model/Angles.h"

#include <cmath>

namespace EclipticPrecession {

Ecliptic precess(double longitude, double latitude, double fromJd, double toJd)
{
    using Angles::kDegToRad;
    constexpr double kArcsecond = kDegToRad / 3600.0;

    const double T = (fromJd - 2451545.0) / 36525.0;
    const double t = (toJd - fromJd) / 36525.0;
    const double eta = ((47.0029 - 0.06603 * T + 0.000598 * T * T) * t + (-0.03302 + 0.000598 * T) * t * t
                        + 0.00006 * t * t * t)
                       * kArcsecond;
    const double Pi = 174.876384 * kDegToRad
                      + (3289.4789 * T + 0.60622 * T * T - (869.8089 + 0.50491 * T) * t + 0.03536 * t * t) * kArcsecond;
    const double p = ((5029.0966 + 2.22226 * T - 0.000042 * T * T) * t + (1.11113 - 0.000042 * T) * t * t
                      - 0.000006 * t * t * t)
                     * kArcsecond;

    const double A = std::cos(eta) * std::cos(latitude) * std::sin(Pi - longitude) - std::sin(eta) * std::sin(latitude);
    const double B = std::cos(latitude) * std::cos(Pi - longitude);
    const double C = std::cos(eta) * std::sin(latitude) + std::sin(eta) * std::cos(latitude) * std::sin(Pi - longitude);
    return {Angles::wrapTwoPi(p + Pi - std::atan2(A, B)), std::asin(C)};
}

}  // namespace EclipticPrecession
