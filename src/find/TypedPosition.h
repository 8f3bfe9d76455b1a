#pragma once

#include <QDateTime>
#include <QString>

// Positions typed as text: fields split at ":" and read as decimal numbers.
//   4 parts  hours : minutes : degrees : minutes
//   6 parts  hours : minutes : seconds : degrees : minutes : seconds
//   5 or 7 parts after a first part "J" (any case): the same, J2000
// A degrees part written "-0" or "-00" is south. Minutes and seconds lie in
// 0 to 60 (60 excluded); only the degrees may be negative.
namespace TypedPosition {

enum class Form { FourPart, SixPart, J2000 };

struct Position {
    Form form;
    double ra;   // radians, 0..2π
    double dec;  // radians
};

enum class Outcome {
    Position,  // a usable position
    Name,      // a "J" text of another length: searched as a name
    BadFormat, // wrong number of parts, a field that is not a number or out of its range, or off the sphere
};

struct Result {
    Outcome outcome;
    Position position;  // set for Outcome::Position
};

// `text` holds at least one ":".
Result parse(const QString& text);

// The four-part text "h:m.mmm:d:m.mmm" of a position in degrees, worked in
// single precision. A declination between -1° and 0° writes its degrees as
// "-0" so that parse reads it back south; minutes that round up to 60 carry
// into the hours or degrees, since parse refuses 60; 24 h is written 0 h.
QString format(float raDegrees, float decDegrees);

// Years of 365 days from 2000-01-01 00:00:00 UTC to `now`.
double yearsSinceJ2000(const QDateTime& now);

struct RaDec {
    double ra;   // radians, 0..2π
    double dec;  // radians, -π/2..π/2
};

// A J2000 position (radians) brought `years` forward by the annual rates of
// general precession, 3.075 s + 1.336 s sin α tan δ in right ascension and
// 20.04" cos α in declination per year (single precision, as the stored positions were
// made). A declination carried past a pole is reflected over it: δ → ±180° − δ
// and α + 180°.
RaDec annualRates(double ra, double dec, double years);

}  // namespace TypedPosition
