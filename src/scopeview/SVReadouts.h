#pragma once

#include <QString>

// The telescope view's readouts of power, field and centre, as the bottom
// bar and the printed page write them.
namespace SVReadouts {

// "%d", the power rounded.
QString power(double power);
// A field under 1 degree as minutes and rounded seconds ("30'0\""), else
// degrees and rounded minutes ("1°15'"); a rounding to 60 carries.
QString fov(double fovDegrees);
// "%dh %dm %ds" with the seconds rounded and carried; any hour angle is
// first brought into [0, 24).
QString rightAscension(double hours);
// "%d° %d' %.1f\"" of the absolute value, the tenths of seconds carried,
// with a minus sign before any negative declination (so "-0° 30' 0.0\"").
QString declination(double degrees);

}  // namespace SVReadouts
