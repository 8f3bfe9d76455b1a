#pragma once

#include <QDateTime>

// Positions between the equator of date and that of J2000.0 for mounts that
// work on J2000, through the program's one precession (PrecessionMatrix).
// Right ascension and declination in radians; `moment` is the instant of date.
namespace EquatorJ2000 {

struct Position {
    double ra;  // 0..2π
    double dec;
};

Position fromDate(double ra, double dec, const QDateTime& moment);
Position toDate(double ra, double dec, const QDateTime& moment);

}  // namespace EquatorJ2000
