#pragma once

#include <array>

// The Sun seen from the Earth's centre for the comet and minor-planet pass.
// It needs a better Earth than the planetary series give (some 100 km off):
// an object 0.02 AU away shifts 1" for every 15 km of error in the Earth's
// place. So this takes ERFA's Earth ephemeris (epv00, a few kilometres from
// the numerical ephemerides over 1900..2100, degrading gently beyond).
namespace GeocentricSun {

// jde: Julian day of dynamical time. Rectangular, AU, on the J2000.0 equator
// (ICRS axes, 0.02" from it), x toward the equinox.
std::array<double, 3> j2000(double jde);

}  // namespace GeocentricSun
