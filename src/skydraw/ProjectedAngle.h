#pragma once

#include <cmath>

// How far from the view centre the chart draws a direction at angle `a`
// (radians) from it, at projection scale `radius` (points): the
// stereographic R · sin a / (1 + cos a) = R · tan(a / 2).
namespace ProjectedAngle {

inline double distance(double a, double radius)
{
    return radius * std::sin(a) / (std::cos(a) + 1.0);
}

}  // namespace ProjectedAngle
