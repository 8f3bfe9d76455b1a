#pragma once

#include <QString>

// The texts of the bottom readout line that are made here rather than by the
// sky date.
namespace ReadoutText {

// The readout codes a slot can hold: 0 empty, then the view direction, the
// cursor in right ascension and declination, the cursor in azimuth and
// altitude, universal time, Greenwich and local sidereal time, Julian day and
// the site.
enum Code { Empty = 0, View, CursorRA, CursorAlt, UT, GST, LST, JD, Locn, CodeCount };

// The title a box shows for a code; empty for any other code.
QString label(int code);

// "C_RA: 5h 07m  Dec: -0° 30'" from degrees; whole minutes, never 60.
QString calcMouseRA(double raDegrees, double decDegrees);
// "C_Az: 0° 00'  Alt: 13° 00'" from degrees.
QString calcMouseAlt(double azDegrees, double altDegrees);

// "Oct 4, 1582 0:00:00": the calendar date (Julian calendar before
// 1582-10-15, Gregorian from then on) and universal time of Julian day
// `jd`; years before 1 end in " B.C.E." (year 0 printed as 0). Empty for a
// day that is not a finite number within ten million days of the epoch.
QString calculateDateFromJD(double jd);

}  // namespace ReadoutText
