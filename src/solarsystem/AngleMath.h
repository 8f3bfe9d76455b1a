#pragma once

#include <cmath>

// Angle helpers shared by the Moon and satellite computations.
namespace AngleMath {

// The program's degree and radian factors.
inline constexpr double kDegToRad = 0.0174532925199433;
inline constexpr double kRadToDeg = 57.2957795130823;
inline constexpr double kTwoPi = 6.283185307179586;
inline constexpr double kPi = 3.141592653589793;

// An angle in radians brought into 0 .. 2 pi (exclusive of 2 pi).
inline double wrapTwoPi(double radians)
{
    double r = std::fmod(radians, kTwoPi);
    if (r < 0.0)
        r += kTwoPi;
    return r < kTwoPi ? r : 0.0;
}

// An angle in degrees brought into 0 .. 360 (exclusive of 360).
inline double wrap360(double degrees)
{
    double r = std::fmod(degrees, 360.0);
    if (r < 0.0)
        r += 360.0;
    return r < 360.0 ? r : 0.0;
}

}  // namespace AngleMath
