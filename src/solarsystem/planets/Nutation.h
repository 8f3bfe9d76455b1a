#pragma once

// Nutation and the obliquity of the ecliptic in their low-accuracy forms
// (four periodic terms; about 0.5" in longitude, 0.1" in obliquity).
struct Nutation {
    double longitude = 0.0;  // delta psi, radians
    double obliquity = 0.0;  // delta epsilon, radians

    // T: Julian centuries of dynamical time from J2000.0.
    static Nutation at(double T);
};

namespace Obliquity {

// Mean obliquity of the ecliptic of date, radians; T as above.
double mean(double T);

}  // namespace Obliquity
