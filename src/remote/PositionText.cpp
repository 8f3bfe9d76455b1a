#include "remote/PositionText.h"

#include <cmath>

namespace PositionText {

namespace {

constexpr qint64 kMilliPerUnit = 60000;  // thousandths of a minute in an hour or a degree
constexpr qint64 kDayMilli = 24 * kMilliPerUnit;

// "whole:minutes" from thousandths of a minute, so that rounding never
// writes 60 minutes, which the finder refuses.
QString sexagesimal(qint64 milli)
{
    return QStringLiteral("%1:%2.%3")
        .arg(milli / kMilliPerUnit)
        .arg(milli % kMilliPerUnit / 1000)
        .arg(milli % 1000, 3, 10, QLatin1Char('0'));
}

}  // namespace

QString format(float hours, float degrees)
{
    // 24 h is 0 h again.
    const qint64 ra = std::llround(double(hours) * kMilliPerUnit) % kDayMilli;
    const qint64 dec = std::llround(std::fabs(double(degrees)) * kMilliPerUnit);
    const bool south = degrees < 0.0f && dec > 0;
    return sexagesimal(ra) + u':' + (south ? QStringLiteral("-") : QString()) + sexagesimal(dec);
}

}  // namespace PositionText
