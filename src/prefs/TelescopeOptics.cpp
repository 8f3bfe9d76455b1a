#include "prefs/TelescopeOptics.h"

#include <cmath>

namespace TelescopeOptics {

Limits limits(double focalLength, double aperture)
{
    if (focalLength == 0.0)
        return {};
    if (!(aperture > 0.0))
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
    const int power = int(scopeFocalLength / eyeFocalLength + 0.5);
    if (power <= 0)
        return {kNoValue, kNoValue};
    return {QString::number(power), trueFieldText(apparentField / power)};
}

QString trueFieldText(double degrees)
{
    if (degrees >= 1.0) {
        const int whole = int(degrees);
        const int minutes = int((degrees - whole) * 60.0 + 0.5);
        return QStringLiteral("%1\u00B0%2'").arg(whole).arg(minutes);
    }
    const int minutes = int(degrees * 60.0);
    const int seconds = int((degrees * 60.0 - minutes) * 60.0 + 0.5);
    return QStringLiteral("%1'%2\"").arg(minutes).arg(seconds);
}

QString number(double value) { return QString::number(value, 'g', 6); }

}  // namespace TelescopeOptics
