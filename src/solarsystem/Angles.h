#pragma once

#include <cmath>
#include <numbers>

// Angle helpers shared by the solar-system computations; radians throughout.
namespace Angles {

inline constexpr double kTwoPi = 2.0 * std::numbers::pi;
inline constexpr double kDegree = std::numbers::pi / 180.0;
inline constexpr double kArcsecond = kDegree / 3600.0;

// Into 0 <= a < 2 pi.
inline double wrapTwoPi(double a)
{
    a = std::fmod(a, kTwoPi);
    return a < 0.0 ? a + kTwoPi : a;
}

}  // namespace Angles
