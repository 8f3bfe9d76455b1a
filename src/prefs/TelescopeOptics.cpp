#include "prefs/TelescopeOptics.h"

#include "model/Sexagesimal.h"

#include <cmath>

namespace TelescopeOptics {

Limits limits(double focalLength, double aperture)
{
    if (focalLength == 0.0)
        return {};
    if (!(aperture > 0.0 && aperture <= kMostAperture))
        return {kNoValue, kNoValue, kNoValue};
    const double inches = aperture / kMmPerInch;
    return {QString::number(7.5 + 5.0 * std::log10(aperture / 10.0), 'f', 2),
            QString::number(4.56 / inches, 'f', 2),
            QString::number(int(60.0 * inches + 0.5))};
}

EyepieceRow eyepieceRow(double scopeFocalLength, double eyeFocalLength, double apparentField)
{
    if (eyeFocalLength == 0.0 || scopeFocalLength == 0.0)
        return {kNoValue, kNoValue};
    const double rounded = scopeFocalLength / eyeFocalLength + 0.5;
    if (!(rounded >= 1.0 && rounded <= kMostPower))
        return {kNoValue, kNoValue};
    const int power = int(rounded);
    return {QString::number(power), trueFieldText(apparentField / power)};
}

QString trueFieldText(double degrees)
{
    if (!(degrees >= 0.0 && degrees <= kMostField))
        return kNoValue;
    return Sexagesimal::fieldText(degrees);
}

QString number(double value) { return QString::number(value, 'g', 6); }

}  // namespace TelescopeOptics
