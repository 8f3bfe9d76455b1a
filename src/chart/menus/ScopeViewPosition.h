#pragma once

#include <QString>

#include <optional>

// The one saved telescope-view position, kept as the text
// "h:m:s:±d:m:s.s": whole hours, minutes and rounded seconds of right
// ascension, then the declination's sign and whole degrees ("-0" south of
// the equator within a degree), minutes and seconds to a tenth.
namespace ScopeViewPosition {

struct Radians {
    double ra = 0.0;
    double dec = 0.0;
};

// Right ascension and declination in degrees; the right ascension is taken
// round into 0 to 360 first.
QString format(double raDegrees, double decDegrees);

// Nothing unless there are exactly six numeric fields with hours below 24,
// minutes and seconds below 60, the right ascension below 24 hours and the
// declination within ±90 degrees.
std::optional<Radians> parse(const QString& text);

}  // namespace ScopeViewPosition
