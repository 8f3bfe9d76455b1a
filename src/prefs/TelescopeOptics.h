#pragma once

#include <QString>

// What the Telescope tab shows of a telescope and its eyepieces: the
// theoretical limits of an aperture and each eyepiece's power and true field.
// Lengths are millimetres, fields degrees.
namespace TelescopeOptics {

constexpr double kMmPerInch = 25.4;
// Shown where a value cannot be worked out.
inline constexpr char kNoValue[] = "---";

// The largest values the tab takes (millimetres, degrees, percent); a typed
// or stored value past them is refused or shown as "---", never converted.
constexpr double kMostFocalLength = 100000.0;
constexpr double kMostAperture = 20000.0;
constexpr double kMostEyeFocalLength = 10000.0;
constexpr double kMostField = 360.0;
constexpr double kMostCameraPercent = 1000.0;
// The highest power shown; a shorter eyepiece gives "---".
constexpr double kMostPower = 100000.0;

struct Limits {
    QString magnitudeLimit;  // faintest star, magnitudes
    QString resolvingPower;  // arc-seconds
    QString maximumPower;
};

// Empty fields without a focal length (an empty slot); "---" for an
// aperture that is not positive or past kMostAperture, whose limits have no meaning.
Limits limits(double focalLength, double aperture);

struct EyepieceRow {
    QString power;
    QString trueField;
};

// "---" for both without an eyepiece or telescope focal length, or when the
// power rounds to 0 (an eyepiece longer than twice the telescope) or passes
// kMostPower; "---" for the true field of an apparent field that is not a
// number from 0 to kMostField.
EyepieceRow eyepieceRow(double scopeFocalLength, double eyeFocalLength, double apparentField);

// A true field as whole degrees and minutes ("1°24'") from one degree up,
// else minutes and seconds ("30'0\""); 60 seconds carry into the minute and
// 60 minutes into the degree. "---" outside 0 to kMostField.
QString trueFieldText(double degrees);

// A stored value as a field shows it: no trailing zeros, "0" for nothing.
QString number(double value);

}  // namespace TelescopeOptics
