#pragma once

#include <cmath>

// Rectangular coordinates; the unit and frame are stated by whoever returns one.
struct Vec3 {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;

    double length() const { return std::sqrt(x * x + y * y + z * z); }
};
