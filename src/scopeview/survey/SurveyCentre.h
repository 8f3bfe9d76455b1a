#pragma once

#include <array>

// The view centre as the web services want it. Degrees throughout.
namespace SurveyCentre {

struct Place {
    double ra;   // 0 <= ra < 360
    double dec;  // -90 <= dec <= 90
};

// A place brought onto the sphere: a declination carried past a pole is
// reflected over it (and the right ascension turned by 180), then the right
// ascension is wrapped into [0, 360).
Place normalised(double ra, double dec);

// The J2000 place of a centre of date (`raDate`, `decDate`, degrees; a pan may
// have carried them off the sphere). `precession` is the model's matrix from
// J2000 to the equator of date, row by row. The centre is precessed once more
// and the result reflected about it, which undoes the precession to well
// under the services' resolution for any date in a few centuries of J2000.
Place j2000(double raDate, double decDate, const std::array<double, 9>& precession);

}  // namespace SurveyCentre
