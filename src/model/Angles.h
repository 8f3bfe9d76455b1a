#pragma once

#include <cmath>
#include <numbers>

// Angle units and wrapping shared by every astronomy computation.
namespace Angles {

inline constexpr double kPi = std::numbers::pi;
inline constexpr double kTwoPi = 2.0 * std::numbers::pi;
inline constexpr double kDegree = std::numbers::pi / 180.0;
inline constexpr double kArcsecond = kDegree / 3600.0;
// The factors the program's tables and texts were made with.
inline constexpr double kDegToRad = 0.0174532925199433;
inline constexpr double kRadToDeg = 57.2957795130823;
// Proper motion: milliarcseconds per year to radians per Julian century.
inline constexpr double kMasPerYearToRadPerCentury = 2.7777778e-5 * kDegToRad;

// Radians into 0 <= a < 2π.
inline double wrapTwoPi(double a)
{
    a = std::fmod(a, kTwoPi);
    if (a < 0.0)
        a += kTwoPi;
    return a < kTwoPi ? a : 0.0;
}

// Degrees into 0 <= a < 360.
inline double wrap360(double degrees)
{
    double r = std::fmod(degrees, 360.0);
    if (r < 0.0)
        r += 360.0;
    return r < 360.0 ? r : 0.0;
}

// Degrees into -180 <= a < 180: a difference of directions taken the short way round.
inline double wrap180(double degrees)
{
    const double r = wrap360(degrees);
    return r >= 180.0 ? r - 360.0 : r;
}

}  // namespace Angles
