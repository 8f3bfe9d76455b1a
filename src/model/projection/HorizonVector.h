#pragma once

// A direction in the horizon frame of the site and sky date, unit length:
// x toward the south, y toward the west, z toward the nadir (-sin altitude).
struct HorizonVector {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};
