#pragma once

#include "solarsystem/Vec3.h"

// The Sun seen from the Earth's centre on the mean equator and equinox of
// J2000.0 (FK5), from the truncated VSOP87B Earth. Bodies computed in J2000
// (Pluto, comets, minor planets) become geocentric by adding it.
namespace SunJ2000 {

// T: Julian centuries of dynamical time from J2000.0. Returns AU; x toward the
// J2000 vernal point, z toward the J2000 north pole.
Vec3 geocentric(double T);

}  // namespace SunJ2000
